#include "WierszRaportu.h"

#include <cstdio>

#include "mLib.h"

TDataWpisu RozpakowanieDatyWpisu(uint32_t s) {
    TDataWpisu d;
    d.Sekunda = int(s & 0x1F) * 2;
    d.Minuta = int((s >> 5) & 0x3F);
    d.Godzina = int((s >> 11) & 0x1F);
    d.Dzien = int((s >> 16) & 0x1F);
    d.Miesiac = int((s >> 21) & 0x0F);
    d.Rok = int((s >> 25) & 0x7F) + 1980;
    return d;
}

std::string DataDzienMiesiacRok(uint32_t spakowana) {
    const TDataWpisu d = RozpakowanieDatyWpisu(spakowana);
    char b[16];
    std::snprintf(b, sizeof b, "%02d-%02d-%04d", d.Dzien, d.Miesiac, d.Rok);
    return b;
}

std::string KluczSortowania(uint32_t spakowana) {
    const TDataWpisu d = RozpakowanieDatyWpisu(spakowana);
    char b[24];
    std::snprintf(b, sizeof b, "%04d-%02d-%02d %02d:%02d", d.Rok, d.Miesiac, d.Dzien, d.Godzina, d.Minuta);
    return b;
}

namespace {

std::string BezSpacjiNaPoczatku(std::string t) {
    size_t i = 0;
    while (i < t.size() && t[i] == ' ') ++i;
    return t.erase(0, i);
}

bool MiejscePodzialu(char c) { return c == ' ' || c == '-' || c == '\t'; }

}  // namespace

std::string PoczatekTekstu(std::string_view html, int dlugosc) {
    std::string t = BezSpacjiNaPoczatku(mHtmlToText(html));
    if (dlugosc < 0) dlugosc = 0;
    if (t.size() > size_t(dlugosc)) t.resize(size_t(dlugosc));
    for (char& c : t)
        if (c == '\n') c = ' ';
    return BezSpacjiNaPoczatku(std::move(t));
}

std::string ZawijanieTekstu(std::string_view tekst, int znakow) {
    if (znakow < 1) znakow = 1;
    std::string wynik;
    wynik.reserve(tekst.size() + tekst.size() / size_t(znakow) * 2 + 2);
    size_t poczatek = 0;
    const size_t n = tekst.size();
    while (poczatek < n) {
        // A break already in the text ends the line where it stands.
        size_t koniecLinii = tekst.find("\r\n", poczatek);
        if (koniecLinii != std::string_view::npos && koniecLinii - poczatek <= size_t(znakow)) {
            wynik.append(tekst.substr(poczatek, koniecLinii + 2 - poczatek));
            poczatek = koniecLinii + 2;
            continue;
        }
        if (n - poczatek <= size_t(znakow)) {
            wynik.append(tekst.substr(poczatek));
            break;
        }
        // The last break place within the line, else the first one after it.
        size_t podzial = std::string_view::npos;
        for (size_t i = poczatek + size_t(znakow); i-- > poczatek;)
            if (MiejscePodzialu(tekst[i])) { podzial = i; break; }
        if (podzial == std::string_view::npos)
            for (size_t i = poczatek + size_t(znakow); i < n && tekst.substr(i, 2) != "\r\n"; ++i)
                if (MiejscePodzialu(tekst[i])) { podzial = i; break; }
        if (podzial == std::string_view::npos) {
            const size_t k = tekst.find("\r\n", poczatek);
            if (k == std::string_view::npos) { wynik.append(tekst.substr(poczatek)); break; }
            wynik.append(tekst.substr(poczatek, k + 2 - poczatek));
            poczatek = k + 2;
            continue;
        }
        wynik.append(tekst.substr(poczatek, podzial + 1 - poczatek));
        poczatek = podzial + 1;
        while (poczatek < n && (tekst[poczatek] == ' ' || tekst[poczatek] == '\t')) ++poczatek;
        if (poczatek < n) wynik += "\r\n";
    }
    return wynik;
}

int LiczbaLinii(std::string_view zawiniety) {
    int n = 1;
    for (size_t p = zawiniety.find("\r\n"); p != std::string_view::npos; p = zawiniety.find("\r\n", p + 2)) ++n;
    return n;
}

int ZnakowWLinii(int szerokosc) { return szerokosc / 6 > 0 ? szerokosc / 6 : 1; }

int WysokoscWiersza(int znakow) {
    if (znakow < 1) znakow = 1;
    return (DlugoscPoczatku + znakow - 1) / znakow;
}

std::string TekstWiersza(uint32_t data, std::string_view html, int znakow, int dlugosc) {
    return ZawijanieTekstu("[ " + DataDzienMiesiacRok(data) + " ] " + PoczatekTekstu(html, dlugosc), znakow);
}

TWierszPodsumowania WierszPodsumowania(const std::string& podsumowanie, const std::array<std::string, 3>& naglowki,
                                       bool pierwszaStrona, int znakow) {
    if (znakow < 1) znakow = 1;
    TWierszPodsumowania w{podsumowanie, 1};
    if (!pierwszaStrona) return w;
    for (const auto& linia : naglowki) {
        if (linia.empty()) continue;
        w.Tekst += "\r\n" + ZawijanieTekstu(linia, znakow);
        w.Wysokosc += 1 + int(linia.size()) / (znakow + 1);
    }
    return w;
}
