// Our table against independent readers and writers: python3-dbf and Perl XBase read what we
// write (records, memos, the index walked in our order), and we read what they write.
#include <gtest/gtest.h>

#include <ctime>

#include "FabrykaDanych.h"
#include "NarzedziaDbf.h"
#include "TabelaDbf.h"
#include "cp1250.h"

namespace {

// Live records in file order, each value as "x<hex>" or "-" (empty texts count as no value);
// then "data" and the date of the last change.
const char* const CzytaniePython = R"(
import sys, dbf
t = dbf.Table(sys.argv[1], codepage='cp1250')
t.open(dbf.READ_ONLY)
typy = [chr(t.field_info(n)[0]) for n in t.field_names]
for r in t:
    if dbf.is_deleted(r):
        continue
    wiersz = []
    for n, typ in zip(t.field_names, typy):
        v = r[n]
        if isinstance(v, str):
            v = v.rstrip(' ') if typ == 'C' else v
            v = v.encode('cp1250') if v else None
        elif v is not None:
            v = str(v).encode('ascii')
        wiersz.append('-' if v is None else 'x' + v.hex())
    print(' '.join(wiersz))
print('data', t.last_update.isoformat())
t.close()
)";

const char* const CzytaniePerl = R"(
use XBase;
my $t = XBase->new($ARGV[0]) or die XBase->errstr;
for my $i (0 .. $t->last_record) {
    my ($usuniety, @v) = $t->get_record($i);
    die $t->errstr unless defined $usuniety;
    next if $usuniety;
    print join(' ', map { (defined $_ && $_ ne '') ? 'x' . unpack('H*', $_) : '-' } @v), "\n";
}
)";

// The index walked by XBase::Index: key and record number; then the table's records through
// the index by XBase itself: their first field; then for each key given (hex) the record that
// a search from the root finds first.
const char* const IndeksPerl = R"(
use XBase;
use XBase::Index;
my ($plikIndeksu, $plikTabeli, @szukane) = @ARGV;
my $i = XBase::Index->new($plikIndeksu) or die XBase::Index->errstr;
$i->prepare_select or die $i->errstr;
while (my ($klucz, $rekord) = $i->fetch) {
    $klucz =~ s/ +$//;
    print 'x' . unpack('H*', $klucz), " $rekord\n";
}
print "--\n";
my $t = XBase->new($plikTabeli) or die XBase->errstr;
my $k = $t->prepare_select_with_index($plikIndeksu) or die $t->errstr;
while (my @v = $k->fetch) { print "$v[0]\n"; }
print "--\n";
for my $s (@szukane) {
    $i->prepare_select_eq(pack('H*', $s)) or die $i->errstr;
    my ($klucz, $rekord) = $i->fetch;
    print "$rekord\n";
}
)";

using TWiersz = std::vector<std::optional<std::string>>;

// Our table's live records in file order, every field as the readers print it.
std::vector<TWiersz> NaszeWiersze(const std::string& plik) {
    TcTabelaDbf t;
    t.Otwarcie(plik);
    std::vector<TWiersz> w;
    for (t.PrzejscieNaPierwszy(); !t.Koniec(); t.PrzejscieNaNastepny()) {
        TWiersz r;
        for (int f = 0; f < static_cast<int>(t.Pola().size()); ++f) r.push_back(t.OdczytaniePola(f));
        w.push_back(r);
    }
    return w;
}

std::vector<TWiersz> WierszeSkryptu(const TWynikSkryptu& wynik) {
    std::vector<TWiersz> w;
    for (const std::string& l : wynik.Wiersze) {
        if (l.rfind("data ", 0) == 0) continue;
        TWiersz r;
        for (const std::string& k : Kolumny(l)) r.push_back(Z_Hex(k));
        w.push_back(r);
    }
    return w;
}

std::string Notatka(int i) {
    std::string t = PL(u8"\"podatek\" AND \"ulga\"\r\nwiersz drugi: ąęłóśżźćń ĄĘŁÓŚŻŹĆŃ ") + std::to_string(i);
    if (i % 4 == 1) while (t.size() < 1100) t += PL(u8" zażółć");   // over two blocks
    return t;
}

// A template table of `ile` records through our module: Polish descriptions with repeats, empty
// and zero numbers, memos short and long, one memo changed, every seventh record deleted.
void BudowaTabeli(const std::string& dbf, const std::string& ndx, int ile) {
    const std::vector<std::string> slowa = {PL(u8"Żółć"), PL(u8"ąbc"), PL(u8"Łódź"), "Zebra", PL(u8"ćma"),
                                            PL(u8"Śnieg"), "abc", PL(u8"źdźbło"), PL(u8"ŃÓ"), "opis"};
    TcTabelaDbf t;
    t.Utworzenie(dbf, PolaSzablonu(), ndx, "OPIS");
    for (int i = 1; i <= ile; ++i)
        Dopisanie(t, {i, slowa[static_cast<size_t>(i * 7) % slowa.size()] + " " + std::to_string(i % 13),
                      i % 3 == 0 ? std::nullopt : std::optional<int64_t>(i % 5),
                      i % 2 == 0 ? std::optional<int64_t>(0) : std::nullopt, Notatka(i),
                      i % 3 == 1 ? std::optional<std::string>(Notatka(i + 1)) : std::nullopt});
    ASSERT_TRUE(t.Odszukanie("ID_SZABL", "2"));
    t.Edycja();
    t.ZapisaniePola("WARUNEK", PL(u8"zmieniony warunek ŻÓŁW"));
    t.Zatwierdzenie();
    for (int i = 7; i <= ile; i += 7) {
        ASSERT_TRUE(t.Odszukanie("ID_SZABL", std::to_string(i)));
        t.Usuniecie();
    }
}

class TabelaObca : public ::testing::Test {
protected:
    TTymczasowyKatalog katalog;
    std::string Dbf() const { return katalog.Plik("szablon.dbf"); }
    std::string Ndx() const { return katalog.Plik("i_opis.ndx"); }
};

}  // namespace

TEST_F(TabelaObca, PythonDbfReadsOurRecordsAndMemos) {
    if (const std::string brak = BrakPythonDbf(); !brak.empty()) GTEST_SKIP() << brak;
    BudowaTabeli(Dbf(), Ndx(), 30);
    const TWynikSkryptu w = UruchomienieSkryptu(TJezyk::Python, CzytaniePython, {Dbf()});
    ASSERT_EQ(w.Kod, 0) << w.Bledy;
    ASSERT_EQ(NaszeWiersze(Dbf()).size(), 26u);
    EXPECT_EQ(WierszeSkryptu(w), NaszeWiersze(Dbf()));
    // The header's date bytes, as python3-dbf understands them: today.
    const std::time_t teraz = std::time(nullptr);
    std::tm dzis {};
    ::localtime_r(&teraz, &dzis);
    char data[32];
    std::strftime(data, sizeof data, "data %Y-%m-%d", &dzis);
    EXPECT_EQ(w.Wiersze.back(), data);
}

TEST_F(TabelaObca, PerlXBaseReadsOurRecordsAndMemos) {
    if (const std::string brak = BrakPerlXBase(); !brak.empty()) GTEST_SKIP() << brak;
    BudowaTabeli(Dbf(), Ndx(), 30);
    const TWynikSkryptu w = UruchomienieSkryptu(TJezyk::Perl, CzytaniePerl, {Dbf()});
    ASSERT_EQ(w.Kod, 0) << w.Bledy;
    ASSERT_EQ(NaszeWiersze(Dbf()).size(), 26u);
    EXPECT_EQ(WierszeSkryptu(w), NaszeWiersze(Dbf()));
}

// Enough records for a three-level tree (eight 50-byte keys to a node), kept up to date by our
// appends, edits and deletions rather than built at opening; then a numeric index.
TEST_F(TabelaObca, PerlXBaseWalksAndSearchesOurIndexInOurOrder) {
    if (const std::string brak = BrakPerlXBase(); !brak.empty()) GTEST_SKIP() << brak;
    BudowaTabeli(Dbf(), Ndx(), 160);
    TcTabelaDbf t;
    t.Otwarcie(Dbf());
    // Each description once: a search from the root must find its first record in our order.
    std::vector<std::string> opisy;
    for (t.PrzejscieNaPierwszy(); !t.Koniec(); t.PrzejscieNaNastepny())
        if (opisy.empty() || opisy.back() != *t.OdczytaniePola("OPIS")) opisy.push_back(*t.OdczytaniePola("OPIS"));
    // The file as the changes left it, read before our opening rebuilds it.
    std::vector<std::string> argumenty = {Ndx(), Dbf()};
    for (const std::string& o : opisy) argumenty.push_back(Hex(o));
    const TWynikSkryptu poZmianach = UruchomienieSkryptu(TJezyk::Perl, IndeksPerl, argumenty);

    const auto sprawdzenie = [&](const TWynikSkryptu& w, const std::string& pole) {
        ASSERT_EQ(w.Kod, 0) << w.Bledy;
        std::vector<std::string> oczekiwane, identyfikatory;
        for (t.PrzejscieNaPierwszy(); !t.Koniec(); t.PrzejscieNaNastepny()) {
            const std::string k = pole == "OPIS" ? *t.OdczytaniePola("OPIS")
                                                 : std::to_string(t.OdczytanieLiczby(pole).value_or(0));
            oczekiwane.push_back(std::string("x").append(Hex(k)).append(" ").append(std::to_string(t.NumerRekordu())));
            identyfikatory.push_back(*t.OdczytaniePola("ID_SZABL"));
        }
        ASSERT_EQ(oczekiwane.size(), 138u);
        oczekiwane.push_back("--");
        oczekiwane.insert(oczekiwane.end(), identyfikatory.begin(), identyfikatory.end());
        oczekiwane.push_back("--");
        if (pole == "OPIS")
            for (const std::string& o : opisy) {
                EXPECT_TRUE(t.Odszukanie("OPIS", o));
                oczekiwane.push_back(std::to_string(t.NumerRekordu()));
            }
        EXPECT_EQ(w.Wiersze, oczekiwane);
    };
    t.DodanieIndeksu(Ndx(), "OPIS");
    const std::string plikIndeksu = OdczytPliku(Ndx());
    ASSERT_GT(plikIndeksu.size(), 512u * 20) << "a tree of three levels";
    // What the reader takes from the header as we wrote it, against the published layout: key
    // length 50, 8 keys to a node, text keys, key records of 8 + 50 rounded up to 60 bytes.
    EXPECT_EQ(plikIndeksu.substr(12, 8), std::string("\x32\0\x08\0\0\0\x3c\0", 8));
    EXPECT_EQ(plikIndeksu.substr(24, 5), std::string("OPIS\0", 5));
    {
        SCOPED_TRACE("OPIS, kept up to date by the changes");
        sprawdzenie(poZmianach, "OPIS");
    }
    {
        SCOPED_TRACE("OPIS, rebuilt");
        sprawdzenie(UruchomienieSkryptu(TJezyk::Perl, IndeksPerl, argumenty), "OPIS");
    }
    const std::string przepisy = katalog.Plik("i_przep.ndx");
    t.DodanieIndeksu(przepisy, "ID_PRZEP");
    {
        SCOPED_TRACE("ID_PRZEP");
        sprawdzenie(UruchomienieSkryptu(TJezyk::Perl, IndeksPerl, {przepisy, Dbf()}), "ID_PRZEP");
    }
}

// ---- Tables written by the independent writers ----

namespace {

// The records both writers write (the third one then deleted), as our module must read them:
// all six fields in order.
std::vector<TWiersz> ZapisaneObce() {
    std::string dlugi;
    for (int i = 0; dlugi.size() < 1200; ++i) dlugi += PL(u8"\"środki trwałe\" NEAR \"amortyzacja\" ") + std::to_string(i) + "\r\n";
    return {
        {"1", PL(u8"Łódź"), "12", std::nullopt, PL(u8"\"żółw\""), std::nullopt},
        {"2", PL(u8"ąbc ĄĘŁÓŚŻŹĆŃ"), std::nullopt, "0", dlugi, PL(u8"dodatkowy ńóś")},
        {"4", PL(u8"Zażółć gęślą jaźń"), "0", "5", "wiersz 1\r\nwiersz 2", std::nullopt},
    };
}

// A literal of the writer's language: Windows-1250 bytes, every one escaped, or no value.
std::string Literal(const std::optional<std::string>& v, bool python) {
    if (!v) return python ? "None" : "undef";
    std::string w = python ? "b'" : "\"";
    for (unsigned char c : *v) w.append("\\x").append(Hex(std::string(1, static_cast<char>(c))));
    return w.append(python ? "'.decode('cp1250')" : "\"");
}

std::string Rekordy(bool python) {
    std::vector<TWiersz> w = ZapisaneObce();
    w.insert(w.begin() + 2, TWiersz{"3", std::string("usuniety"), "1", "1", std::string("x"), std::nullopt});
    std::string t;
    for (const TWiersz& r : w) {
        t += python ? "    (" : "    [";
        for (size_t f = 0; f < r.size(); ++f)
            t += (f ? ", " : "") + (f == 1 || f >= 4 || !r[f] ? Literal(r[f], python) : *r[f]);
        t += python ? "),\n" : "],\n";
    }
    return t;
}

void PorownanieZObcymi(const std::string& dbf) {
    TcTabelaDbf t;
    t.Otwarcie(dbf);
    EXPECT_EQ(t.LiczbaRekordow(), 3);
    EXPECT_EQ(NaszeWiersze(dbf), ZapisaneObce());
    t.DodanieIndeksu(dbf + ".ndx", "OPIS");
    std::vector<std::optional<std::string>> kolejnosc;
    for (t.PrzejscieNaPierwszy(); !t.Koniec(); t.PrzejscieNaNastepny()) kolejnosc.push_back(t.OdczytaniePola("ID_SZABL"));
    // Bytes: Z (5A) < Ł (A3) < ą (B9).
    EXPECT_EQ(kolejnosc, (std::vector<std::optional<std::string>>{"4", "1", "2"}));
    EXPECT_FALSE(t.Odszukanie("OPIS", "usuniety"));

    // Our changes in their file: an appended record and a changed memo.
    Dopisanie(t, {5, PL(u8"dopisany przez nas Ż"), std::nullopt, std::nullopt, PL(u8"nasza notatka ąę")});
    ASSERT_TRUE(t.Odszukanie("ID_SZABL", "2"));
    t.Edycja();
    t.ZapisaniePola("WARUN_DOD", PL(u8"zmieniona ŁÓDŹ"));
    t.Zatwierdzenie();
}

}  // namespace

TEST_F(TabelaObca, WeReadAndExtendATableWrittenByPythonDbf) {
    if (const std::string brak = BrakPythonDbf(); !brak.empty()) GTEST_SKIP() << brak;
    const std::string zapis = "import sys, dbf\n"
                              "t = dbf.Table(sys.argv[1], 'ID_SZABL N(9,0); OPIS C(50); ID_PRZEP N(4,0); "
                              "ID_IZBY N(4,0); WARUNEK M; WARUN_DOD M', dbf_type='db3', codepage='cp1250')\n"
                              "t.open(dbf.READ_WRITE)\n"
                              "for r in [\n" + Rekordy(true) + "]:\n"
                              "    t.append(r)\n"
                              "dbf.delete(t[2])\n"
                              "t.close()\n";
    const TWynikSkryptu w = UruchomienieSkryptu(TJezyk::Python, zapis, {Dbf()});
    ASSERT_EQ(w.Kod, 0) << w.Bledy;
    PorownanieZObcymi(Dbf());
    const TWynikSkryptu odczyt = UruchomienieSkryptu(TJezyk::Python, CzytaniePython, {Dbf()});
    ASSERT_EQ(odczyt.Kod, 0) << odczyt.Bledy;
    ASSERT_EQ(odczyt.Wiersze.size(), 5u);   // and the date
    EXPECT_EQ(WierszeSkryptu(odczyt), NaszeWiersze(Dbf()));
}

TEST_F(TabelaObca, WeReadAndExtendATableWrittenByPerlXBase) {
    if (const std::string brak = BrakPerlXBase(); !brak.empty()) GTEST_SKIP() << brak;
    const std::string zapis = "use XBase;\n"
                              "my $t = XBase->create(name => $ARGV[0], version => 3,\n"
                              "    field_names => ['ID_SZABL', 'OPIS', 'ID_PRZEP', 'ID_IZBY', 'WARUNEK', 'WARUN_DOD'],\n"
                              "    field_types => ['N', 'C', 'N', 'N', 'M', 'M'],\n"
                              "    field_lengths => [9, 50, 4, 4, 10, 10],\n"
                              "    field_decimals => [0, undef, 0, 0, undef, undef]) or die XBase->errstr;\n"
                              "my $i = 0;\n"
                              "for my $r (\n" + Rekordy(false) + ") {\n"
                              "    $t->set_record($i++, @$r) or die $t->errstr;\n"
                              "}\n"
                              "$t->delete_record(2) or die $t->errstr;\n"
                              "$t->close;\n";
    const TWynikSkryptu w = UruchomienieSkryptu(TJezyk::Perl, zapis, {Dbf()});
    ASSERT_EQ(w.Kod, 0) << w.Bledy;
    PorownanieZObcymi(Dbf());
    const TWynikSkryptu odczyt = UruchomienieSkryptu(TJezyk::Perl, CzytaniePerl, {Dbf()});
    ASSERT_EQ(odczyt.Kod, 0) << odczyt.Bledy;
    ASSERT_EQ(odczyt.Wiersze.size(), 4u);
    EXPECT_EQ(WierszeSkryptu(odczyt), NaszeWiersze(Dbf()));
}
