#include "MagazynIndeksu.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "ParySlow.h"
#include "Skrot.h"
#include "SumyList.h"
#include "cp1250.h"
#include "mLib.h"

namespace {

constexpr int32_t kSlotyNazw = 262143;     // documents 1..262142
constexpr int32_t kMaksSlow = 262143;      // word numbers have 18 bits
constexpr int32_t kSlotyFragmentow = 65536;
constexpr size_t kPorcjaPostingow = 65536;  // numbers per read of slowo.idx
const char* const kGranice[3] = {"0050000.htm", "0057000.htm", "0063999.htm"};

[[noreturn]] void Niezgodny(const std::string& plik, const std::string& drugi) {
    ZgloszenieUszkodzenia(plik, PL("nie zgadza się z plikiem '") + drugi + "'");
}

[[noreturn]] void BladOtwarcia(const std::string& plik) {
    throw EBladOtwarcia(PL("Błąd otwarcia pliku"), PL("Błąd otwarcia pliku ") + plik + ".");
}

TTablicaPliku<uint8_t> ListaNazw(const std::string& sciezka) {
    TTablicaPliku<uint8_t> plik;
    plik.Wczytaj(sciezka, 0, TrybBledu::Wyjatek, TOdczytTablicy::Zapelnienie);
    return plik;
}

// Name-list encoding: [L][L bytes]...; an entry beginning at the file's last byte is not read.
// f(text) is called for each entry in turn; more than `maksWpisow` entries or an entry running
// past the end of the file mark the file as damaged.
template <class F>
void PrzegladListyNazw(const TTablicaPliku<uint8_t>& plik, const std::string& nazwa, size_t maksWpisow, F&& f) {
    const char* dane = reinterpret_cast<const char*>(plik.data());
    const size_t rozmiar = plik.size();
    size_t p = 0, wpisy = 0;
    while (p + 1 < rozmiar) {
        const size_t l = static_cast<unsigned char>(dane[p]);
        if (p + 1 + l > rozmiar) ZgloszenieUszkodzenia(nazwa, PL("kończy się w środku wpisu"));
        if (wpisy >= maksWpisow) ZgloszenieUszkodzenia(nazwa, PL("ma za dużo wpisów"));
        f(std::string_view(dane + p + 1, l));
        ++wpisy;
        p += 1 + l;
    }
}

// The entries go to slots 1.. of `out`, counted first so that the strings are made once, in place.
void CzytanieListyNazw(const std::string& sciezka, const std::string& nazwa, size_t maksWpisow,
                       std::vector<std::string>& out) {
    const TTablicaPliku<uint8_t> plik = ListaNazw(sciezka);
    size_t ile = 0;
    for (size_t p = 0; p + 1 < plik.size() && ile <= maksWpisow; p += 1 + size_t(plik[p])) ++ile;
    out.assign(1, std::string());
    out.reserve(2 + ile);   // and a sentinel after them, without moving them all
    Zamieszkanie(out.data(), out.capacity() * sizeof(std::string));
    PrzegladListyNazw(plik, nazwa, maksWpisow, [&out](std::string_view t) { out.emplace_back(t); });
}

// An offset table of `wpisy` things held from 1: entries 1..wpisy+1. An empty file stands for
// an empty table when there is nothing to index.
void KontrolaTablicyPrzesuniec(TTablicaPliku<int32_t>& t, int64_t wpisy, const std::string& nazwa,
                               const std::string& wzgledem) {
    if (t.empty() && wpisy == 0) t.Zera(2);
    if (int64_t(t.size()) != wpisy + 2) Niezgodny(nazwa, wzgledem);
    if (t[1] < 0) ZgloszenieUszkodzenia(nazwa, PL("zawiera ujemne przesunięcie"));
    for (int64_t i = 1; i <= wpisy; ++i)
        if (t[i + 1] < t[i]) ZgloszenieUszkodzenia(nazwa, PL("nie jest rosnący"));
}

}  // namespace

void ZgloszenieUszkodzenia(const std::string& plik, const std::string& opis) {
    throw ECorruptIndex(PL("Uszkodzony indeks: plik '") + plik + "' " + opis + ".");
}

// ---- TPlikOdczytu ----

TPlikOdczytu::~TPlikOdczytu() { Zamknij(); }

bool TPlikOdczytu::Otworz(const std::string& path) {
    Zamknij();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    size_ = st.st_size;
    path_ = path;
    return true;
}

void TPlikOdczytu::Zamknij() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    size_ = 0;
}

void TPlikOdczytu::Zapowiedz() const {
    if (fd_ >= 0) ::posix_fadvise(fd_, 0, 0, POSIX_FADV_WILLNEED);
}

void TPlikOdczytu::Czytaj(int64_t offset, void* buffer, size_t count) const {
    if (count == 0) return;
    const auto blad = [this] { return EInOutError(PL("Błąd odczytu pliku '") + NazwaPlikuWKomunikacie(path_) + "'."); };
    if (fd_ < 0 || offset < 0 || uint64_t(offset) > uint64_t(size_) || count > uint64_t(size_ - offset))
        throw blad();
    auto* p = static_cast<char*>(buffer);
    while (count > 0) {
        const ssize_t n = ::pread(fd_, p, count, offset);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw blad();
        p += n;
        offset += n;
        count -= size_t(n);
    }
}

// ---- Loading ----

std::string TcMagazynIndeksu::Sciezka(const std::string& name) const {
    if (Katalog.empty()) return name;
    if (Katalog.back() == '/') return Katalog + name;
    return Katalog + "/" + name;
}

TcMagazynIndeksu::TcMagazynIndeksu(const TOpcjeLadowania& opcje) : Katalog(opcje.Katalog) {
    // 1. Document names: only the three kind boundaries are kept.
    {
        int32_t* granice[3] = {&PoczatekPism, &PoczatekTez, &KoniecTez};
        // Each boundary is the first name at or after its mark; a name past a later mark is
        // past the earlier ones too, so the marks are met in order, in whatever order the names are.
        int g = 0;
        PrzegladListyNazw(ListaNazw(Sciezka("plik.dat")), "plik.dat", kSlotyNazw - 1, [&](std::string_view nazwa) {
            ++N;
            for (; g < 3 && nazwa.compare(kGranice[g]) >= 0; ++g) *granice[g] = N;
        });
    }

    // 3. Image offsets of the documents.
    PlikRef.Wczytaj(Sciezka("plik.ref"), 1, TrybBledu::Wyjatek, TOdczytTablicy::Zapelnienie);
    KontrolaTablicyPrzesuniec(PlikRef, N, "plik.ref", "plik.dat");
    for (int32_t d = 1; d <= N; ++d)
        if ((PlikRef[d] & 1) || PlikRef[d + 1] - PlikRef[d] < 2)
            ZgloszenieUszkodzenia("plik.ref", PL("zawiera błędne przesunięcie dokumentu"));
    if (PlikRef[1] != 0) Niezgodny("plik.ref", "tekst.img");

    // 4-5. Word list, indexed punctuation, sentinel.
    CzytanieListyNazw(Sciezka("slowo.dat"), "slowo.dat", kMaksSlow, Slowa);
    W = int32_t(Slowa.size() - 1);
    static const std::string kNieZnaki = std::string("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-") +
                                         "\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF";
    for (int32_t w = 1; w <= W; ++w)
        if (Slowa[w].size() == 1 && kNieZnaki.find(Slowa[w][0]) == std::string::npos) Znaki += Slowa[w];
    Slowa.emplace_back("\377\377\377");

    // 6. The word image: in memory up to the threshold, otherwise read from disk as needed.
    if (!TekstImg.Otworz(Sciezka("tekst.img"))) BladOtwarcia("tekst.img");
    const int64_t rozmiarObrazu = TekstImg.Rozmiar();
    NaDysku = opcje.WymusDysk || rozmiarObrazu > opcje.ProgPamieci;
    ProgPamieci = opcje.ProgPamieci;
    if (rozmiarObrazu != PlikRef[N + 1]) Niezgodny("plik.ref", "tekst.img");
    DlugoscObrazu = rozmiarObrazu / 2;
    if (NaDysku) {
        // Without slowo.par, phrase searches read most of the image: its reading starts now,
        // while the window opens and the first query is typed, rather than a page at a time
        // under the first search. With it, phrases read only their candidates' runs, and a
        // whole image read at every start would only stand in the way of the first search's
        // own reads.
        struct stat st {};
        if (::stat(Sciezka(PlikParSlow).c_str(), &st) != 0) TekstImg.Zapowiedz();
    } else {
        TekstImg.Zamknij();
        Obraz.Wczytaj(Sciezka("tekst.img"), 0, TrybBledu::Wyjatek, TOdczytTablicy::DuzeStrony);
        if (int64_t(Obraz.size()) * 2 != rozmiarObrazu) Niezgodny("plik.ref", "tekst.img");
    }

    // 7. High bits of the image values.
    if (Rozszerzone()) {
        Aux.Wczytaj(Sciezka("tekst.aux"), 0, TrybBledu::Wyjatek, NaDysku ? TOdczytTablicy::NaZadanie : TOdczytTablicy::DuzeStrony);
        if (int64_t(Aux.size()) < (DlugoscObrazu + 3) / 4) Niezgodny("tekst.aux", "tekst.img");
    }
    KontrolaObrazu();
    if (!NaDysku) WczytanieSumList();

    // 8. Posting lists.
    if (NaDysku) {
        SlowoRef.Wczytaj(Sciezka("slowo.ref"), 1, TrybBledu::Wyjatek, TOdczytTablicy::Zapelnienie);
        KontrolaTablicyPrzesuniec(SlowoRef, W, "slowo.ref", "slowo.dat");
        for (int32_t w = 1; w <= W + 1; ++w)
            if (SlowoRef[w] & 3) ZgloszenieUszkodzenia("slowo.ref", PL("zawiera błędne przesunięcie"));
        if (!SlowoIdx.Otworz(Sciezka("slowo.idx"))) BladOtwarcia("slowo.idx");
        if (SlowoRef[W + 1] != SlowoIdx.Rozmiar()) Niezgodny("slowo.ref", "slowo.idx");
    }

    // 9-10. Records and groups.
    if (!ScalonyXtm.Otworz(Sciezka("scalony.xtm"))) BladOtwarcia("scalony.xtm");
    ScalonyRef.Wczytaj(Sciezka("scalony.ref"), 1, TrybBledu::Wyjatek, TOdczytTablicy::Zapelnienie);
    KontrolaTablicyPrzesuniec(ScalonyRef, N, "scalony.ref", "plik.dat");
    for (int32_t d = 1; d <= N; ++d)
        if (ScalonyRef[d + 1] - ScalonyRef[d] < 4)
            ZgloszenieUszkodzenia("scalony.ref", PL("wskazuje za krótki rekord"));
    if (ScalonyRef[N + 1] != ScalonyXtm.Rozmiar()) Niezgodny("scalony.ref", "scalony.xtm");
    PrzepisyMix.Wczytaj(Sciezka("przepisy.mix"), 0, TrybBledu::Wyjatek, TOdczytTablicy::NaZadanie);
    IzbyMix.Wczytaj(Sciezka("izby.mix"), 0, TrybBledu::Wyjatek, TOdczytTablicy::NaZadanie);
}

// Every document's run ends with its 0 separator and holds no other 0, and every value names
// a word of the list. In memory mode the whole image is checked in one pass; in disk mode the
// runs are checked as they are read (CzytajObrazDokumentu) and only the final separator here.
void TcMagazynIndeksu::KontrolaObrazu() const {
    if (N == 0) return;
    if (NaDysku) {
        uint16_t ostatni = 1;
        TekstImg.Czytaj(PlikRef[N + 1] - 2, &ostatni, 2);
        if (ostatni != 0 || WysokieBity(DlugoscObrazu - 1) != 0) Niezgodny("tekst.img", "plik.ref");
        return;
    }
    if (Aux.empty()) {
        // One pass for the largest value and the count of zeros, in blocks the compiler turns
        // into vector steps; then the separators. With every run ended by its 0, exactly N
        // zeros means no run holds another.
        const uint16_t* obraz = Obraz.data();
        const int64_t L = DlugoscObrazu;
        uint16_t najwiekszy = 0;
        int64_t zera = 0;
        for (int64_t i = 0; i < L; i += 65536) {
            const int64_t k = std::min<int64_t>(L, i + 65536);
            uint16_t m = 0;
            uint32_t z = 0;
            for (int64_t p = i; p < k; ++p) {
                m = std::max(m, obraz[p]);
                z += obraz[p] == 0;
            }
            najwiekszy = std::max(najwiekszy, m);
            zera += z;
        }
        if (najwiekszy > W) ZgloszenieUszkodzenia("tekst.img", PL("zawiera numer słowa spoza listy słów"));
        for (int32_t d = 1; d <= N; ++d)
            if (obraz[PlikRef[size_t(d) + 1] / 2 - 1] != 0) Niezgodny("tekst.img", "plik.ref");
        if (zera != N) ZgloszenieUszkodzenia("tekst.img", PL("zawiera numer słowa spoza listy słów"));
        return;
    }
    const uint32_t w = uint32_t(W);
    for (int32_t d = 1; d <= N; ++d) {
        const int64_t od = PlikRef[d] / 2, koniec = PlikRef[d + 1] / 2 - 1;
        if (NumerSlowa(koniec) != 0) Niezgodny("tekst.img", "plik.ref");
        bool zly = false;
        for (int64_t p = od; p < koniec; ++p) {
            const uint32_t v = NumerSlowa(p);
            zly |= (v == 0) | (v > w);
        }
        if (zly) ZgloszenieUszkodzenia("tekst.img", PL("zawiera numer słowa spoza listy słów"));
    }
}

uint64_t TcMagazynIndeksu::SkrotObrazu() const {
    if (!skrotObliczony_) {
        skrotObrazu_ = mSkrot64(Obraz.data(), size_t(DlugoscObrazu) * 2);
        skrotObliczony_ = true;
    }
    return skrotObrazu_;
}

// Memory mode takes its lists from slowo.idx only when slowo.spr was made from this very image
// and these lists; anything else leaves SumyList empty, and the lists are built from the image.
void TcMagazynIndeksu::WczytanieSumList() {
    const std::string plik = Sciezka(PlikSumList);
    std::string bajty;
    if (!mReadString(plik, bajty, TrybBledu::Cichy)) return;   // none: only the first search is slower
    const auto odrzucenie = [&](const std::string& powod) {
        std::fprintf(stderr, "%s: %s; the posting lists are built from the image\n", plik.c_str(), powod.c_str());
    };
    TSumyList s;
    std::string powod;
    if (!OdczytSumList(bajty, s, powod)) return odrzucenie(powod);
    struct stat st {};
    if (s.N != N || s.W != W || s.BajtyObrazu != 2 * DlugoscObrazu ||
        ::stat(Sciezka("slowo.idx").c_str(), &st) != 0 || st.st_size != s.BajtyList)
        return odrzucenie("it was made for another index");
    if (SkrotObrazu() != s.SkrotObrazu)
        return odrzucenie("it was made for another image");
    TTablicaPliku<int32_t> ref;
    bool zgodny = ref.Wczytaj(Sciezka("slowo.ref"), 1, TrybBledu::Cichy, TOdczytTablicy::Zapelnienie) &&
                  int64_t(ref.size()) == int64_t(W) + 2 && ref[1] == 0 && ref[size_t(W) + 1] == s.BajtyList;
    for (int32_t w = 1; zgodny && w <= W; ++w) zgodny = ref[size_t(w) + 1] >= ref[size_t(w)] && (ref[size_t(w)] & 3) == 0;
    if (!zgodny) return odrzucenie("slowo.ref disagrees with it");
    SlowoRef = std::move(ref);
    SumyList = std::move(s.Sumy);
    // The lists are read from the file from now on: their reading starts as the store opens.
    TPlikOdczytu idx;
    if (idx.Otworz(Sciezka("slowo.idx"))) idx.Zapowiedz();
}

// ---- Act section tables ----

void TcMagazynIndeksu::WczytanieAktu(const std::string& stem) {
    // Both tables are read aside first: an act that does not load leaves the shown act's.
    std::vector<std::string> fragmenty;
    std::vector<int32_t> poczatki;
    CzytanieListyNazw(Sciezka(stem + ".dtf"), stem + ".dtf", kSlotyFragmentow - 1, fragmenty);
    mReadFile(Sciezka(stem + ".itf"), poczatki, 1, TrybBledu::Wyjatek);
    if (poczatki.empty()) poczatki.push_back(0);
    poczatki[0] = 0;
    if (poczatki.size() < fragmenty.size() + (fragmenty.size() > 1 ? 1 : 0))
        Niezgodny(stem + ".itf", stem + ".dtf");
    for (size_t k = 2; k < poczatki.size(); ++k)
        if (poczatki[k] < poczatki[k - 1]) ZgloszenieUszkodzenia(stem + ".itf", PL("nie jest rosnący"));
    Fragmenty = std::move(fragmenty);
    PoczatkiFragmentow = std::move(poczatki);
}

std::string TcMagazynIndeksu::OdczytanieFraz(int32_t pozycja) const {
    const int32_t h = int32_t(PoczatkiFragmentow.size()) - 1;
    int32_t lo = 1, hi = h, wynik = 0;
    while (hi >= lo && wynik == 0) {
        const int32_t mid = (lo + hi) / 2;
        // The last entry is only the end bound: no fragment starts there.
        if (mid < h && PoczatkiFragmentow[mid] <= pozycja && pozycja < PoczatkiFragmentow[mid + 1])
            wynik = mid;
        else if (pozycja < PoczatkiFragmentow[mid])
            hi = mid - 1;
        else
            lo = mid + 1;
    }
    if (wynik > 0 && wynik < int32_t(Fragmenty.size())) return Fragmenty[wynik];
    return std::string();
}

// ---- Reads of the open files ----

void TcMagazynIndeksu::CzytajPostingi(int32_t od, int32_t do_,
                                      const std::function<void(const int32_t*, size_t)>& porcja) const {
    if (!NaDysku || od < 1 || do_ > W || od > do_) mBladWewnetrzny("TcMagazynIndeksu.CzytajPostingi", 1);
    int64_t poz = SlowoRef[od];
    const int64_t koniec = SlowoRef[do_ + 1];
    std::vector<int32_t> bufor(size_t(std::min<int64_t>((koniec - poz) / 4, kPorcjaPostingow)));
    while (poz < koniec) {
        const size_t n = size_t(std::min<int64_t>((koniec - poz) / 4, kPorcjaPostingow));
        SlowoIdx.Czytaj(poz, bufor.data(), n * 4);
        for (size_t i = 0; i < n; ++i)
            if (bufor[i] < 1 || bufor[i] > N)
                ZgloszenieUszkodzenia("slowo.idx", PL("zawiera numer dokumentu spoza listy"));
        porcja(bufor.data(), n);
        poz += int64_t(n) * 4;
    }
}

void TcMagazynIndeksu::CzytajPostingi(int32_t od, int32_t do_, std::vector<int32_t>& out) const {
    CzytajPostingi(od, do_, [&out](const int32_t* p, size_t n) { out.insert(out.end(), p, p + n); });
}

void TcMagazynIndeksu::CzytajObrazDokumentu(int32_t d, std::vector<uint16_t>& out) const {
    if (d < 1 || d > N) mBladWewnetrzny("TcMagazynIndeksu.CzytajObrazDokumentu", 1);
    const int64_t od = PlikRef[d], c = (PlikRef[d + 1] - od) / 2;
    out.resize(size_t(c));
    if (NaDysku)
        TekstImg.Czytaj(od, out.data(), size_t(c) * 2);
    else
        std::memcpy(out.data(), Obraz.data() + od / 2, size_t(c) * 2);
    const int64_t a = od / 2;
    if (out[c - 1] != 0 || WysokieBity(a + c - 1) != 0) Niezgodny("tekst.img", "plik.ref");
    out.pop_back();
    for (int64_t j = 0; j + 1 < c; ++j)
        if ((WysokieBity(a + j) << 16 | out[j]) > uint32_t(W))
            ZgloszenieUszkodzenia("tekst.img", PL("zawiera numer słowa spoza listy słów"));
}

void TcMagazynIndeksu::CzytajRekord(int32_t d, std::string& out) const {
    if (d < 1 || d > N) mBladWewnetrzny("TcMagazynIndeksu.CzytajRekord", 1);
    out.resize(size_t(ScalonyRef[d + 1] - ScalonyRef[d]));
    ScalonyXtm.Czytaj(ScalonyRef[d], out.data(), out.size());
}

bool TcMagazynIndeksu::WypelnienieGrupy(const TTablicaPliku<int32_t>& mix, int32_t pozycja, int32_t numer,
                                        TcTablicaLogiczna& zbior) const {
    if (pozycja < 0 || (pozycja & 3)) return false;
    size_t i = size_t(pozycja) / 4;
    if (i >= mix.size() || mix[i] != numer) return false;
    const int32_t ostatni = zbior.Dlugosc() - 1;
    uint8_t* const z = zbior.Zapis();
    for (++i; i < mix.size() && mix[i] != 0; ++i)
        if (mix[i] > 0 && mix[i] <= ostatni) z[size_t(mix[i])] = 1;
    return true;
}
