#include "Rtf.h"

#include <algorithm>
#include <cstdint>
#include <map>

#include "cp1250.h"

namespace {

constexpr int StronaDomyslna = 1250;

// Code points of Windows-1252 bytes 0x80..0x9F; 0 marks the five unassigned bytes.
constexpr char16_t kGora1252[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

std::string Utf8(uint32_t kod) {
    std::string s;
    if (kod < 0x80) {
        s += static_cast<char>(kod);
    } else if (kod < 0x800) {
        s += static_cast<char>(0xC0 | (kod >> 6));
        s += static_cast<char>(0x80 | (kod & 0x3F));
    } else if (kod < 0x10000) {
        s += static_cast<char>(0xE0 | (kod >> 12));
        s += static_cast<char>(0x80 | ((kod >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (kod & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (kod >> 18));
        s += static_cast<char>(0x80 | ((kod >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((kod >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (kod & 0x3F));
    }
    return s;
}

// One Windows-1250 character for a Unicode character; "?" when the code page lacks it.
char ZnakUnicode(uint32_t kod) {
    const std::string z = cp1250::fromUtf8(Utf8(kod), '?');
    return z.size() == 1 ? z[0] : '?';
}

// A byte of the given code page as a Windows-1250 character.
char ZnakStrony(unsigned char b, int strona) {
    if (b < 0x80 || strona == 1250) return static_cast<char>(b);
    switch (strona) {
    case 1252:
        if (b < 0xA0) return kGora1252[b - 0x80] ? ZnakUnicode(kGora1252[b - 0x80]) : '?';
        return ZnakUnicode(b);  // Latin-1 above 0x9F
    case 28592: {
        const std::string z = cp1250::fromUtf8(cp1250::iso88592ToUtf8(std::string_view(reinterpret_cast<const char*>(&b), 1)), '?');
        return z.size() == 1 ? z[0] : '?';
    }
    default:
        return '?';
    }
}

// The code page a font's \fcharset stands for; 0 leaves the document's page in force
// (ANSI, default and symbol fonts).
int StronaZestawu(int zestaw) {
    switch (zestaw) {
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 255: return 437;
    default: return 0;
    }
}

// Groups whose content is never shown.
bool CelPomijany(std::string_view slowo) {
    static constexpr std::string_view pomijane[] = {
        "colortbl", "stylesheet", "info", "pict", "object", "header", "headerl", "headerr",
        "headerf", "footer", "footerl", "footerr", "footerf", "footnote", "fldinst", "listtable",
        "listoverridetable", "revtbl", "rsidtbl", "filetbl", "generator", "xmlnstbl", "themedata",
        "colorschememapping", "datastore", "latentstyles", "pgdsctbl", "shp", "shpinst",
        "nonshppict", "bkmkstart", "bkmkend", "xe", "tc", "annotation", "atnid", "atnauthor",
        "template", "docvar", "userprops", "ftnsep", "ftnsepc", "ftncn", "aftnsep", "aftnsepc",
        "aftncn", "private", "fldtype", "objdata", "result",
    };
    return std::find(std::begin(pomijane), std::end(pomijane), slowo) != std::end(pomijane);
}

enum class Cel { Tekst, Pomin, Czcionki };

struct Stan {
    Cel cel = Cel::Tekst;
    bool wUpr = false;         // inside \upr, whose \ud part goes back to celUpr
    Cel celUpr = Cel::Tekst;
    bool ukryty = false;
    int uc = 1;
    int czcionka = -1;  // -1: the document's default font
    TFormatRtf format;
    TWyrownanieRtf wyrownanie = TWyrownanieRtf::Lewo;
};

// With zFormatem the reader also notes the character format of the text and the alignment of
// every line (Formaty(), Wyrownania()); without it, it gives the text alone.
class Czytnik {
public:
    explicit Czytnik(std::string_view rtf, bool zFormatem = false) : r_(rtf), zFormatem_(zFormatem) {
        wynik_.reserve(rtf.size() / 2);
    }

    std::string Czytanie() {
        while (i_ < r_.size()) {
            const char c = r_[i_++];
            if (c == '{') {
                stos_.push_back(s_);
                doPominiecia_ = 0;
            } else if (c == '}') {
                doPominiecia_ = 0;
                gwiazdka_ = false;
                // The document's group is closed: its state stays as the one in force at the end.
                if (stos_.size() <= 1) break;
                s_ = stos_.back();
                stos_.pop_back();
            } else if (c == '\\') {
                Sterowanie();
            } else if (c == '\r' || c == '\n') {
                // line breaks of the RTF source mean nothing
            } else {
                Znak(static_cast<unsigned char>(c));
            }
        }
        if (zFormatem_) {
            wyrownania_.push_back(s_.wyrownanie);  // the text after the last line break
            if (formaty_.empty()) formaty_.emplace_back(0, TFormatRtf{});
        }
        return std::move(wynik_);
    }

    // After Czytanie() with zFormatem.
    std::vector<std::pair<size_t, TFormatRtf>> Formaty() { return std::move(formaty_); }
    std::vector<TWyrownanieRtf> Wyrownania() { return std::move(wyrownania_); }

private:
    bool Widoczny() const { return s_.cel == Cel::Tekst && !s_.ukryty; }
    void Wyjscie(char c) {
        if (!Widoczny()) return;
        if (zFormatem_) Formatowanie(c);
        wynik_ += c;
    }
    // Notes the format of a character about to be written and, for a line break, the line's alignment.
    void Formatowanie(char c) {
        if (c == '\n') wyrownania_.push_back(s_.wyrownanie);
        if (formaty_.empty() || !(formaty_.back().second == s_.format)) formaty_.emplace_back(wynik_.size(), s_.format);
    }
    // A character of the fallback text after \uN is dropped.
    bool Pominiety() {
        if (doPominiecia_ == 0) return false;
        --doPominiecia_;
        return true;
    }

    int StronaBiezaca() const {
        const auto it = stronyCzcionek_.find(s_.czcionka >= 0 ? s_.czcionka : domyslnaCzcionka_);
        return it != stronyCzcionek_.end() && it->second != 0 ? it->second : stronaDokumentu_;
    }

    void Znak(unsigned char c) {
        if (Pominiety()) return;
        if (c == '\t') {
            Wyjscie('\t');
        } else if (c >= 0x20) {
            if (Widoczny()) Wyjscie(ZnakStrony(c, StronaBiezaca()));
        }
    }

    void Sterowanie() {
        if (i_ >= r_.size()) return;
        const char c = r_[i_];
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            const size_t poczatek = i_;
            while (i_ < r_.size() && ((r_[i_] >= 'a' && r_[i_] <= 'z') || (r_[i_] >= 'A' && r_[i_] <= 'Z'))) ++i_;
            const std::string_view slowo = r_.substr(poczatek, i_ - poczatek);
            bool jestParametr = false;
            bool ujemny = false;
            int64_t parametr = 0;
            if (i_ + 1 < r_.size() && r_[i_] == '-' && r_[i_ + 1] >= '0' && r_[i_ + 1] <= '9') {
                ujemny = true;
                ++i_;
            }
            while (i_ < r_.size() && r_[i_] >= '0' && r_[i_] <= '9') {
                jestParametr = true;
                if (parametr < 100000000000LL) parametr = parametr * 10 + (r_[i_] - '0');
                ++i_;
            }
            if (i_ < r_.size() && r_[i_] == ' ') ++i_;
            parametr = std::clamp<int64_t>(ujemny ? -parametr : parametr, INT32_MIN, INT32_MAX);
            Slowo(slowo, jestParametr, static_cast<int32_t>(parametr));
        } else if (c == '\'') {
            ++i_;
            int b = 0;
            for (int k = 0; k < 2; ++k) {
                const int h = i_ < r_.size() ? Szesnastkowa(r_[i_]) : -1;
                if (h < 0) return;  // a damaged escape is dropped
                b = b * 16 + h;
                ++i_;
            }
            if (Pominiety()) return;
            if (Widoczny()) Wyjscie(ZnakStrony(static_cast<unsigned char>(b), StronaBiezaca()));
        } else {
            ++i_;
            Symbol(c);
        }
    }

    static int Szesnastkowa(char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    void Symbol(char c) {
        if (c == '*') {
            gwiazdka_ = true;
            return;
        }
        if (Pominiety()) return;
        switch (c) {
        case '\\': case '{': case '}': Wyjscie(c); break;
        case '~': Wyjscie(' '); break;
        case '_': Wyjscie('-'); break;
        case '\r': case '\n': Wyjscie('\n'); break;  // a backslash before a line break is \par
        default: break;                              // \- optional hyphen, \: and the rest
        }
    }

    void Slowo(std::string_view slowo, bool jestParametr, int32_t parametr) {
        if (slowo == "bin") {
            // Binary data: its bytes are no RTF and may hold braces.
            if (jestParametr && parametr > 0) i_ = std::min(r_.size(), i_ + static_cast<size_t>(parametr));
            Pominiety();
            return;
        }
        if (gwiazdka_) {
            gwiazdka_ = false;
            if (slowo == "ud" && s_.wUpr) {
                s_.cel = s_.celUpr;
                return;
            }
            s_.cel = Cel::Pomin;
            return;
        }
        if (s_.cel == Cel::Pomin) return;
        if (s_.cel == Cel::Czcionki) {
            if (slowo == "f") czcionkaWTablicy_ = parametr;
            else if (slowo == "fcharset") stronyCzcionek_[czcionkaWTablicy_] = StronaZestawu(parametr);
            else if (slowo == "cpg") stronyCzcionek_[czcionkaWTablicy_] = parametr;
            return;
        }
        if (Pominiety()) return;

        if (slowo == "fonttbl") s_.cel = Cel::Czcionki;
        else if (CelPomijany(slowo)) s_.cel = Cel::Pomin;
        else if (slowo == "upr") { s_.wUpr = true; s_.celUpr = s_.cel; s_.cel = Cel::Pomin; }
        else if (slowo == "ansi") stronaDokumentu_ = 1252;
        else if (slowo == "ansicpg") stronaDokumentu_ = parametr;
        else if (slowo == "mac") stronaDokumentu_ = 10000;
        else if (slowo == "pc") stronaDokumentu_ = 437;
        else if (slowo == "pca") stronaDokumentu_ = 850;
        else if (slowo == "deff") domyslnaCzcionka_ = parametr;
        else if (slowo == "f") s_.czcionka = parametr;
        else if (slowo == "plain") { s_.czcionka = domyslnaCzcionka_; s_.ukryty = false; s_.format = {}; }
        else if (slowo == "v") s_.ukryty = !(jestParametr && parametr == 0);
        else if (slowo == "uc") s_.uc = std::max(0, parametr);
        else if (slowo == "u") Unicode(parametr);
        else if (slowo == "par" || slowo == "line" || slowo == "sect" || slowo == "row" || slowo == "nestrow") Wyjscie('\n');
        else if (slowo == "tab" || slowo == "cell" || slowo == "nestcell") Wyjscie('\t');
        else if (slowo == "emdash") Wyjscie('\x97');
        else if (slowo == "endash") Wyjscie('\x96');
        else if (slowo == "bullet") Wyjscie('\x95');
        else if (slowo == "lquote") Wyjscie('\x91');
        else if (slowo == "rquote") Wyjscie('\x92');
        else if (slowo == "ldblquote") Wyjscie('\x93');
        else if (slowo == "rdblquote") Wyjscie('\x94');
        else if (slowo == "emspace" || slowo == "enspace" || slowo == "qmspace") Wyjscie(' ');
        else if (zFormatem_) SlowoFormatu(slowo, jestParametr, parametr);
    }

    // Character formatting and paragraph alignment; \plain is read with the words above.
    void SlowoFormatu(std::string_view slowo, bool jestParametr, int32_t parametr) {
        const bool wlaczone = !(jestParametr && parametr == 0);
        TFormatRtf& f = s_.format;
        if (slowo == "b") f.Pogrubienie = wlaczone;
        else if (slowo == "i") f.Kursywa = wlaczone;
        else if (slowo == "fs") f.RozmiarPolpunktow = jestParametr && parametr > 0 ? parametr : TFormatRtf{}.RozmiarPolpunktow;
        else if (slowo == "ulnone") f.Podkreslenie = false;
        else if (slowo.starts_with("ul") && slowo != "ulc") f.Podkreslenie = wlaczone;  // \ul, \uld, \uldb, \ulw, \ulwave...
        else if (slowo == "pard" || slowo == "ql") s_.wyrownanie = TWyrownanieRtf::Lewo;
        else if (slowo == "qc") s_.wyrownanie = TWyrownanieRtf::Srodek;
        else if (slowo == "qr") s_.wyrownanie = TWyrownanieRtf::Prawo;
        else if (slowo == "qj") s_.wyrownanie = TWyrownanieRtf::Obustronnie;
    }

    void Unicode(int32_t n) {
        const uint32_t kod = n < 0 ? static_cast<uint32_t>(n + 65536) : static_cast<uint32_t>(n);
        if (kod >= 0xD800 && kod <= 0xDBFF) Wyjscie('?');  // a pair stands for one character
        else if (kod >= 0xDC00 && kod <= 0xDFFF) {}
        else if (kod == '\t') Wyjscie('\t');
        else if (kod >= 0x20) Wyjscie(ZnakUnicode(kod));
        doPominiecia_ = s_.uc;
    }

    std::string_view r_;
    size_t i_ = 0;
    std::string wynik_;
    std::vector<Stan> stos_;
    Stan s_;
    int stronaDokumentu_ = StronaDomyslna;
    int domyslnaCzcionka_ = -1;
    std::map<int, int> stronyCzcionek_;
    int czcionkaWTablicy_ = -1;
    int doPominiecia_ = 0;
    bool gwiazdka_ = false;
    const bool zFormatem_;
    std::vector<std::pair<size_t, TFormatRtf>> formaty_;
    std::vector<TWyrownanieRtf> wyrownania_;
};

// Where the RTF document begins (leading white space skipped); npos for plain text.
size_t PoczatekRtf(std::string_view rtf) {
    size_t start = 0;
    while (start < rtf.size() && (rtf[start] == ' ' || rtf[start] == '\t' || rtf[start] == '\r' || rtf[start] == '\n')) ++start;
    return rtf.substr(start, 5) == "{\\rtf" ? start : std::string_view::npos;
}

}  // namespace

std::string RtfNaTekst(std::string_view rtf) {
    const size_t start = PoczatekRtf(rtf);
    if (start == std::string_view::npos) {
        std::string tekst;
        tekst.reserve(rtf.size());
        for (size_t i = 0; i < rtf.size(); ++i) {
            if (rtf[i] == '\r') {
                tekst += '\n';
                if (i + 1 < rtf.size() && rtf[i + 1] == '\n') ++i;
            } else {
                tekst += rtf[i];
            }
        }
        return tekst;
    }
    return Czytnik(rtf.substr(start)).Czytanie();
}

TTekstRtf RtfNaTekstZFormatem(std::string_view rtf) {
    TTekstRtf t;
    const size_t start = PoczatekRtf(rtf);
    if (start == std::string_view::npos) {
        t.Tekst = RtfNaTekst(rtf);
        t.Formaty.emplace_back(0, TFormatRtf{});
        t.Wyrownania.assign(static_cast<size_t>(std::count(t.Tekst.begin(), t.Tekst.end(), '\n')) + 1, TWyrownanieRtf::Lewo);
        return t;
    }
    Czytnik czytnik(rtf.substr(start), true);
    t.Tekst = czytnik.Czytanie();
    t.Formaty = czytnik.Formaty();
    t.Wyrownania = czytnik.Wyrownania();
    return t;
}

std::string TekstNaRtf(const std::vector<std::string>& akapity, const std::vector<bool>& pogrubione) {
    static const char hex[] = "0123456789abcdef";
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}}\r\n"
                      "\\viewkind4\\uc1\\f0\r\n";
    for (size_t k = 0; k < akapity.size(); ++k) {
        const bool gruby = k < pogrubione.size() && pogrubione[k];
        rtf += gruby ? "\\pard\\qc\\fs24{\\b " : "\\pard\\qj\\fs20 ";
        for (const char c : akapity[k]) {
            const auto b = static_cast<unsigned char>(c);
            if (c == '\\' || c == '{' || c == '}') {
                rtf += '\\';
                rtf += c;
            } else if (c == '\t') {
                rtf += "\\tab ";
            } else if (c == '\n') {
                rtf += "\\line ";
            } else if (b >= 0x80) {
                rtf += "\\'";
                rtf += hex[b >> 4];
                rtf += hex[b & 15];
            } else if (b >= 0x20) {
                rtf += c;
            }
        }
        if (gruby) rtf += "}";
        rtf += "\\par\r\n";
    }
    rtf += "}\r\n";
    return rtf;
}
