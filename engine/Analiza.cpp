// Highlighting: the document's plain text is cut by the same tokenizer as the query phrase,
// matched word by word, and the markup goes into the HTML at the positions the plain text
// came from.
#include "Analiza.h"

#include <unordered_set>

#include "cp1250.h"
#include "mLib.h"

bool CzyZnakSlowa(unsigned char c) { return (analiza_detail::Klasy[c] & analiza_detail::ZnakSlowa) != 0; }
bool CzyLitera(unsigned char c) { return (analiza_detail::Klasy[c] & analiza_detail::Litera) != 0; }

std::string TekstZHtml(std::string_view html, std::vector<int32_t>& mapa) {
    return mHtmlToText(html, mapa);
}

std::string WyroznienieFrazy(const std::string& fraza, const std::string& html, const std::string& klasa,
                             std::string_view znaki) {
    // Phrase side: its tokens joined by single spaces.
    const std::string frazaDuza = cp1250::upper(fraza);
    std::string P;
    PodzialTekstu(frazaDuza, znaki, [&](std::string_view t) {
        if (!P.empty()) P += ' ';
        P.append(t);
    });
    if (P.empty()) return html;

    // Document side: D is the text's tokens joined by single spaces; E[j] is the HTML position
    // (1-based) of D's character j. Tokens are views into U, so their offsets give the source.
    std::vector<int32_t> M;
    const std::string U = cp1250::upper(TekstZHtml(html, M));
    std::string D;
    std::vector<int32_t> E;
    D.reserve(U.size());
    E.reserve(U.size());
    PodzialTekstu(U, znaki, [&](std::string_view t) {
        if (!D.empty()) { D += ' '; E.push_back(0); }
        const size_t od = size_t(t.data() - U.data());
        for (size_t i = 0; i < t.size(); ++i) {
            D += t[i];
            E.push_back(M[od + i]);
        }
    });

    // Matching with 1-based b (in D), k (in P) and s (start of the attempt in D).
    const int64_t LD = int64_t(D.size()), LP = int64_t(P.size());
    auto d = [&](int64_t i) { return D[size_t(i - 1)]; };
    auto p = [&](int64_t i) { return P[size_t(i - 1)]; };
    auto e = [&](int64_t i) { return int64_t(E[size_t(i - 1)]); };
    const std::string otwarcie = "<SPAN CLASS=" + klasa + ">";
    static const std::string zamkniecie = "</SPAN>";

    std::string wynik = html;
    int64_t b = 1, k = 1, s = 1, przesuniecie = 0;
    auto nastepneSlowo = [&] {
        b = s;
        if (d(b) == ' ') {
            ++b;
        } else {
            while (b <= LD && d(b) != ' ') ++b;
        }
        k = 1;
        s = b;
    };
    while (b <= LD) {
        if (p(k) == '*') {
            if (d(b) != ' ') {
                ++b;
                if (b > LD) ++k;
            } else if (b != s) {
                ++k;   // the asterisk has taken the rest of the word
            } else if (k == 1 || p(k - 1) == ' ') {
                nastepneSlowo();
                continue;
            } else {
                ++k;
            }
        } else if (d(b) == p(k)) {
            ++b;
            ++k;
        } else {
            nastepneSlowo();
            continue;
        }
        if (k > LP) {
            if (b > LD || d(b) == ' ') {
                // The closing tag first, so that the opening insert does not move its place.
                wynik.insert(size_t(e(b - 1) + przesuniecie), zamkniecie);
                wynik.insert(size_t(e(s) + przesuniecie - 1), otwarcie);
                przesuniecie += int64_t(otwarcie.size() + zamkniecie.size());
                ++b;
                s = b;
                k = 1;
            } else {
                nastepneSlowo();
            }
        }
    }
    return wynik;
}

namespace {

// All forms: the text and the phrase compared token by token, each phrase word against the set
// of its forms (or its prefix). Marks go round each run of tokens that matches the phrase.
std::string WyroznienieForm(const std::string& fraza, const std::string& html, const std::string& klasa,
                            std::string_view znaki, const TFormySlowa& formy) {
    struct TSlowoFrazy {
        std::string prefiks;               // a word with "*": what precedes the star
        bool zPrefiksem = false;
        std::unordered_set<std::string> formy;
    };
    std::vector<TSlowoFrazy> slowa;
    PodzialTekstu(cp1250::upper(fraza), znaki, [&](std::string_view t) {
        TSlowoFrazy s;
        const size_t gwiazdka = t.find('*');
        if (gwiazdka != std::string_view::npos) {
            s.zPrefiksem = true;
            s.prefiks = std::string(t.substr(0, gwiazdka));
        } else {
            for (std::string& f : formy(std::string(t))) s.formy.insert(std::move(f));
            s.formy.insert(std::string(t));
        }
        slowa.push_back(std::move(s));
    });
    if (slowa.empty()) return html;

    std::vector<int32_t> M;
    const std::string U = cp1250::upper(TekstZHtml(html, M));
    struct TToken {
        std::string_view tekst;
        int32_t od, do_;   // 1-based HTML positions of the first and the last character
    };
    std::vector<TToken> tokeny;
    PodzialTekstu(U, znaki, [&](std::string_view t) {
        const size_t od = size_t(t.data() - U.data());
        tokeny.push_back({t, M[od], M[od + t.size() - 1]});
    });
    const auto pasuje = [](const TSlowoFrazy& s, std::string_view t) {
        if (s.zPrefiksem) return t.substr(0, s.prefiks.size()) == s.prefiks && t.size() >= s.prefiks.size();
        return s.formy.count(std::string(t)) > 0;
    };
    const std::string otwarcie = "<SPAN CLASS=" + klasa + ">";
    static const std::string zamkniecie = "</SPAN>";
    std::string wynik = html;
    int64_t przesuniecie = 0;
    const size_t n = slowa.size();
    for (size_t i = 0; i + n <= tokeny.size();) {
        size_t k = 0;
        while (k < n && pasuje(slowa[k], tokeny[i + k].tekst)) ++k;
        if (k < n) {
            ++i;
            continue;
        }
        wynik.insert(size_t(tokeny[i + n - 1].do_ + przesuniecie), zamkniecie);
        wynik.insert(size_t(tokeny[i].od + przesuniecie - 1), otwarcie);
        przesuniecie += int64_t(otwarcie.size() + zamkniecie.size());
        i += n;
    }
    return wynik;
}

}  // namespace

std::string WyroznienieWarunku(const std::string& warunek, const std::string& html, std::string_view znaki,
                               const std::string& klasa, const TFormySlowa& formy) {
    TListaTekstow skladniki;
    mStringParser(warunek, TZbiorZnakow(" "), TZbiorZnakow("\""), true, skladniki);

    // The condition must join its phrases with one operator, AND or OR.
    std::string operatorWarunku;
    for (const std::string& t : skladniki) {
        if ((!t.empty() && t[0] == '"') || t == "(" || t == ")") continue;
        if (operatorWarunku.empty()) {
            if (!cp1250::equalsNoCase(t, "AND") && !cp1250::equalsNoCase(t, "OR")) return html;
            operatorWarunku = t;
        } else if (t != operatorWarunku) {
            return html;
        }
    }

    std::string wynik = html;
    std::unordered_set<std::string> oznaczone;   // a phrase named twice is marked once, not nested
    for (const std::string& t : skladniki) {
        if (t.empty() || t[0] != '"') continue;
        std::string_view srodek(t);
        srodek.remove_prefix(1);
        if (!srodek.empty() && srodek.back() == '"') srodek.remove_suffix(1);
        std::string fraza;
        fraza.reserve(srodek.size());
        for (size_t i = 0; i < srodek.size(); ++i) {
            fraza += srodek[i];
            if (srodek[i] == '"' && i + 1 < srodek.size() && srodek[i + 1] == '"') ++i;
        }
        if (!oznaczone.insert(fraza).second) continue;
        wynik = formy ? WyroznienieForm(fraza, wynik, klasa, znaki, formy) : WyroznienieFrazy(fraza, wynik, klasa, znaki);
    }
    return wynik;
}
