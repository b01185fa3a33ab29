#include "JezykPodatkowy.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string_view>
#include <unordered_set>

#include "cp1250.h"

namespace {

// ---- Random numbers ----

uint64_t Splitmix(uint64_t& x) {
    uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

uint64_t Obrot(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

std::string Iso(std::string_view utf8) { return cp1250::utf8ToIso88592(utf8); }

// ---- Slots of the sentence patterns ----

enum Slot {
    sTekst = -1,
    sP, sPD, sF, sSYN, sC, sCG, sK, sU, sUG, sPDT, sPDTG, sPDTI, sART, sD, sKW, sST, sR, sMIASTO,
    sCEL, sDZIAL, sIZBAG, sLICZBA, sLiczbaSlotow
};

const char* const kNazwySlotow[sLiczbaSlotow] = {
    "P", "PD", "F", "SYN", "C", "CG", "K", "U", "UG", "PDT", "PDTG", "PDTI", "ART", "D", "KW", "ST",
    "R", "MIASTO", "CEL", "DZIAL", "IZBAG", "LICZBA"};

struct TWzorZrodlowy { int temat; const char* tekst; };

// Sentences of rulings, letters and interpretations. Topic 0 fits any document; topics 1..9 are
// the acts below (1 personal income tax, 2 corporate income tax, 3 VAT, 4 tax ordinance, 5 tax on
// civil-law transactions, 6 excise, 7 local taxes, 8 inheritance and gift tax, 9 civil code).
const TWzorZrodlowy kWzoryDokumentu[] = {
    {0, "Zgodnie z {ART}, {K} stanowią koszty uzyskania przychodów, jeżeli zostały poniesione w celu osiągnięcia przychodów."},
    {0, "W myśl {ART}, opodatkowaniu {PDTI} podlega {C}."},
    {0, "Stosownie do treści {ART}, {K} nie są uważane za koszty uzyskania przychodów."},
    {0, "{P} prowadzi działalność gospodarczą w zakresie {DZIAL} w miejscowości {SYN}."},
    {0, "{P} zawarł w dniu {D} umowę z firmą {F}, na podstawie której nastąpiła {C}."},
    {0, "[I]W związku z powyższym {P} powziął wątpliwość, czy {K} może zaliczyć do kosztów uzyskania przychodów."},
    {0, "[IS]Zdaniem {PD}, {C} korzysta ze zwolnienia od podatku na podstawie {ART}."},
    {0, "[IS]Organ podatkowy nie podzielił stanowiska {PD} w zakresie dotyczącym {CG}."},
    {0, "[I]Interpretacja dotyczy zaistniałego stanu faktycznego przedstawionego we wniosku oraz stanu prawnego obowiązującego w dniu {D}."},
    {0, "[I]Z przedstawionego we wniosku stanu faktycznego wynika, że {P} w {R} roku dokonał {CG} na rzecz spółki {F}."},
    {0, "Wartość transakcji wyniosła {KW}, a zapłata nastąpiła przelewem na rachunek bankowy kontrahenta."},
    {0, "Przepis {ART} ma charakter wyjątku i nie może być interpretowany rozszerzająco."},
    {0, "Kwota {KW} stanowi przychód ze źródła, o którym mowa w {ART}."},
    {0, "Nie można zatem uznać, że {K} zostały poniesione w celu osiągnięcia przychodów lub zabezpieczenia źródła przychodów."},
    {0, "Wydatki te pozostają w związku przyczynowym z prowadzoną przez {PD} działalnością gospodarczą."},
    {0, "{P} jest zarejestrowany jako podatnik w Urzędzie Skarbowym w {MIASTO} od {R} roku."},
    {0, "Spółka {F} z siedzibą w {MIASTO} wystawiła w dniu {D} fakturę na kwotę {KW}."},
    {0, "[I]Mając powyższe na uwadze, stanowisko {PD} należało uznać za prawidłowe."},
    {0, "[I]W świetle obowiązującego stanu prawnego stanowisko {PD} w sprawie oceny prawnej przedstawionego stanu faktycznego jest nieprawidłowe."},
    {0, "[S]Organ odwoławczy uchylił zaskarżoną decyzję Naczelnika Urzędu Skarbowego w {MIASTO} i przekazał sprawę do ponownego rozpatrzenia."},
    {0, "[S]W ocenie Sądu skarga zasługuje na uwzględnienie, gdyż organ naruszył {ART}."},
    {0, "[S]Naczelny Sąd Administracyjny oddalił skargę kasacyjną jako pozbawioną usprawiedliwionych podstaw."},
    {0, "[S]Sąd pierwszej instancji trafnie przyjął, że {C} podlega opodatkowaniu {PDTI} na zasadach ogólnych."},
    {0, "{P} nabył w {R} roku nieruchomość położoną w miejscowości {SYN}."},
    {0, "Zakupione towary są wykorzystywane wyłącznie do wykonywania czynności opodatkowanych, w szczególności do produkcji wyrobów marki {SYN}."},
    {0, "Dokumentacja prowadzona przez {PD} obejmuje umowę z kontrahentem {F} oraz protokół odbioru z dnia {D}."},
    {0, "Podatnik jest obowiązany prowadzić ewidencję pozwalającą na ustalenie wysokości {PDTG}."},
    {0, "Obowiązek ten wynika wprost z {ART} i nie budzi wątpliwości interpretacyjnych."},
    {0, "Na mocy umowy z dnia {D} {P} otrzymał od spółki {F} wynagrodzenie w wysokości {KW}."},
    {0, "Pojęcie {SYN} nie zostało zdefiniowane w przepisach prawa podatkowego, wobec czego należy odwołać się do jego znaczenia potocznego."},
    {0, "Zgodnie z utrwalonym orzecznictwem sądów administracyjnych, {C} powinna być oceniana z uwzględnieniem {ART}."},
    {0, "{P} złożył korektę deklaracji za okres od {D} do {D} wraz z uzasadnieniem przyczyn korekty."},
    {0, "Przedmiotem sprawy jest {PDT} należny z tytułu {CG}."},
    {0, "{PDT} za {R} rok został zapłacony w terminie wraz z należnymi odsetkami."},
    {0, "Zaległość podatkowa w kwocie {KW} została uregulowana wraz z odsetkami za zwłokę."},
    {0, "[M]Ministerstwo Finansów wyjaśnia, że {C} podlega opodatkowaniu {PDTI} na zasadach ogólnych."},
    {0, "[M]W ocenie Ministerstwa Finansów {K} mogą być zaliczone do kosztów uzyskania przychodów wyłącznie w części związanej z działalnością gospodarczą."},
    {0, "[M]Jednocześnie Ministerstwo Finansów informuje, że zgodnie z {ART} organy podatkowe są obowiązane stosować przepis w brzmieniu obowiązującym w dniu powstania obowiązku podatkowego."},
    {0, "[M]Przedstawione stanowisko zostało uzgodnione z Departamentem Podatków Dochodowych."},
    {0, "[M]Ministerstwo Finansów nie podziela poglądu, iż {C} korzysta ze zwolnienia od podatku."},
    {0, "[MS]Sprawa była przedmiotem rozstrzygnięć sądów administracyjnych, które jednolicie przyjmują, że {CG} nie można traktować jako odrębnej czynności."},
    {1, "Przychodem z działalności gospodarczej są kwoty należne, choćby nie zostały jeszcze faktycznie otrzymane."},
    {1, "{P} ma prawo do skorzystania z {UG} w rozliczeniu za rok {R}, ponieważ poniósł wydatki na {CEL}."},
    {1, "Ulga przysługuje podatnikowi, który poniósł wydatki na {CEL} w latach {R} - {R}, pod warunkiem udokumentowania ich fakturami."},
    {1, "{U} przysługuje wyłącznie podatnikom, którzy ponieśli wydatki w okresie jej obowiązywania."},
    {0, "[IM]{P} zapytał, czy przysługuje mu {U} w związku z wydatkami na {CEL}."},
    {1, "Dochodem jest nadwyżka sumy przychodów nad kosztami ich uzyskania osiągnięta w roku podatkowym."},
    {1, "Podatnik jest obowiązany do złożenia zeznania podatkowego w terminie do dnia 30 kwietnia roku następującego po roku podatkowym."},
    {1, "W przypadku {CG} przez osobę fizyczną nieprowadzącą działalności gospodarczej przychód powstaje w dniu zawarcia umowy."},
    {1, "Odpisy amortyzacyjne od środków trwałych dokonywane są od wartości początkowej według stawek określonych w wykazie stawek amortyzacyjnych."},
    {1, "Płatnik pobiera zaliczkę na podatek dochodowy od wypłaconego wynagrodzenia w wysokości {ST} dochodu."},
    {1, "Podatek od dochodu z odpłatnego zbycia nieruchomości wynosi {ST} podstawy obliczenia podatku."},
    {1, "{P} wybrał opodatkowanie dochodów z działalności gospodarczej podatkiem liniowym w wysokości {ST}."},
    {2, "Podatnikami podatku dochodowego od osób prawnych są osoby prawne oraz spółki kapitałowe w organizacji."},
    {2, "Spółka {F} wypłaciła w {R} roku dywidendę swojemu udziałowcowi w wysokości {KW}."},
    {2, "Podatek od dochodów z dywidend wynosi {ST} uzyskanego przychodu, chyba że umowa o unikaniu podwójnego opodatkowania stanowi inaczej."},
    {2, "Odsetki od pożyczki udzielonej przez udziałowca nie stanowią kosztów uzyskania przychodów w części przekraczającej limit niedostatecznej kapitalizacji."},
    {2, "Rokiem podatkowym Spółki jest okres dwunastu kolejnych miesięcy kalendarzowych."},
    {2, "Straty z lat ubiegłych mogą być rozliczane przez pięć kolejnych lat podatkowych, jednak nie więcej niż o połowę wysokości straty w jednym roku."},
    {3, "Prawo do obniżenia kwoty podatku należnego o kwotę podatku naliczonego przysługuje w zakresie, w jakim nabyte towary i usługi są wykorzystywane do wykonywania czynności opodatkowanych."},
    {3, "Obowiązek podatkowy powstaje z chwilą wydania towaru, nie później jednak niż w dniu wystawienia faktury."},
    {3, "Dostawa towarów opodatkowana jest stawką podatku od towarów i usług w wysokości {ST}."},
    {3, "Podstawą opodatkowania jest kwota należna z tytułu {CG}, obejmująca całość świadczenia należnego od nabywcy."},
    {3, "{P} jest czynnym podatnikiem podatku od towarów i usług zarejestrowanym w Urzędzie Skarbowym w {MIASTO}."},
    {3, "Wewnątrzwspólnotowa dostawa towarów podlega opodatkowaniu stawką 0%, jeżeli podatnik posiada dowody wywozu towarów."},
    {3, "Faktura korygująca wystawiona przez spółkę {F} zmniejsza podstawę opodatkowania w rozliczeniu za okres, w którym nabywca ją otrzymał."},
    {3, "Zwolnienie od podatku od towarów i usług stosuje się do dostawy budynków, budowli lub ich części, z wyjątkiem dostawy dokonywanej w ramach pierwszego zasiedlenia."},
    {4, "Zobowiązanie podatkowe przedawnia się z upływem pięciu lat, licząc od końca roku kalendarzowego, w którym upłynął termin płatności podatku."},
    {4, "Na wniosek podatnika organ podatkowy może odroczyć termin płatności podatku lub rozłożyć zapłatę podatku na raty."},
    {4, "Pisemna interpretacja przepisów prawa podatkowego nie jest wiążąca dla podatnika, jednak zastosowanie się do niej nie może mu szkodzić."},
    {4, "Nadpłata podlega zwrotowi wraz z oprocentowaniem w wysokości odsetek za zwłokę pobieranych od zaległości podatkowych."},
    {4, "Odpowiedzialność podatkową osoby trzeciej orzeka się w drodze decyzji po przeprowadzeniu postępowania podatkowego."},
    {5, "Podatkowi od czynności cywilnoprawnych podlegają umowy sprzedaży oraz zamiany rzeczy i praw majątkowych."},
    {5, "Stawka podatku od czynności cywilnoprawnych przy sprzedaży nieruchomości wynosi {ST} podstawy opodatkowania."},
    {5, "Obowiązek podatkowy z tytułu umowy pożyczki ciąży na biorącym pożyczkę i powstaje z chwilą jej zawarcia."},
    {6, "Akcyzie podlega produkcja wyrobów akcyzowych oraz ich import i nabycie wewnątrzwspólnotowe."},
    {6, "Wyroby akcyzowe zharmonizowane mogą być przemieszczane w procedurze zawieszenia poboru akcyzy pomiędzy składami podatkowymi."},
    {6, "Stawka akcyzy na samochody osobowe o pojemności silnika powyżej 2000 centymetrów sześciennych wynosi {ST} podstawy opodatkowania."},
    {7, "Podatnikami podatku od nieruchomości są osoby fizyczne, osoby prawne oraz jednostki organizacyjne będące właścicielami nieruchomości."},
    {7, "Rada gminy określa w drodze uchwały wysokość stawek podatku od nieruchomości, z tym że nie mogą one przekroczyć stawek maksymalnych."},
    {7, "Budynek położony w miejscowości {SYN} jest związany z prowadzeniem działalności gospodarczej."},
    {8, "Nabycie własności rzeczy w drodze spadku podlega podatkowi od spadków i darowizn."},
    {8, "Zwolnienie przysługuje małżonkowi, zstępnym, wstępnym i rodzeństwu, jeżeli zgłoszą nabycie naczelnikowi urzędu skarbowego w terminie sześciu miesięcy."},
    {8, "Darowizna środków pieniężnych w kwocie {KW} została przekazana na rachunek bankowy obdarowanego."},
    {9, "Przez umowę sprzedaży sprzedawca zobowiązuje się przenieść na kupującego własność rzeczy i wydać mu rzecz, a kupujący zobowiązuje się rzecz odebrać i zapłacić sprzedawcy cenę."},
    {9, "Umowa spółki cywilnej zobowiązuje wspólników do dążenia do osiągnięcia wspólnego celu gospodarczego przez działanie w sposób oznaczony."},
    {9, "Przez umowę najmu wynajmujący zobowiązuje się oddać najemcy rzecz do używania przez czas oznaczony lub nieoznaczony."},
};

// Sentences of the acts' own texts: impersonal, without parties or amounts of a case.
const TWzorZrodlowy kWzoryAktu[] = {
    {0, "Przepisy ustawy stosuje się odpowiednio do {CG}."},
    {0, "W przypadkach, o których mowa w {ART}, podatnik jest obowiązany do prowadzenia ewidencji."},
    {0, "Minister właściwy do spraw finansów publicznych określi, w drodze rozporządzenia, szczegółowe warunki stosowania zwolnień."},
    {0, "Przepisu {ART} nie stosuje się do {CG}."},
    {0, "Ilekroć w ustawie jest mowa o podatniku, rozumie się przez to osobę, na której ciąży obowiązek podatkowy."},
    {0, "Organ podatkowy może w drodze decyzji określić wysokość zobowiązania podatkowego."},
    {0, "Zwolnienie, o którym mowa w {ART}, stosuje się pod warunkiem złożenia oświadczenia."},
    {0, "Podatnik jest obowiązany przechowywać dokumenty do czasu upływu okresu przedawnienia zobowiązania podatkowego."},
    {1, "Opodatkowaniu podatkiem dochodowym nie podlegają przychody z działalności rolniczej, z wyjątkiem przychodów z działów specjalnych produkcji rolnej."},
    {1, "Kosztami uzyskania przychodów są koszty poniesione w celu osiągnięcia przychodów lub zachowania albo zabezpieczenia źródła przychodów."},
    {1, "Nie uważa się za koszty uzyskania przychodów {K}."},
    {1, "Podatek pobiera się od podstawy jego obliczenia według skali podatkowej."},
    {2, "Podatnikami są osoby prawne i spółki kapitałowe w organizacji."},
    {2, "Podatek wynosi {ST} podstawy opodatkowania."},
    {2, "Przychodami są w szczególności otrzymane pieniądze, wartości pieniężne, w tym również różnice kursowe."},
    {3, "Opodatkowaniu podatkiem od towarów i usług podlegają odpłatna dostawa towarów i odpłatne świadczenie usług na terytorium kraju."},
    {3, "Stawka podatku wynosi {ST}, z zastrzeżeniem przepisów szczególnych."},
    {3, "Kwotę podatku naliczonego stanowi suma kwot podatku określonych w fakturach otrzymanych przez podatnika."},
    {4, "Podatnikiem jest osoba fizyczna, osoba prawna lub jednostka organizacyjna niemająca osobowości prawnej, podlegająca obowiązkowi podatkowemu."},
    {4, "Organ podatkowy wszczyna postępowanie podatkowe z urzędu lub na żądanie strony."},
    {4, "Zobowiązanie podatkowe wygasa w całości lub w części wskutek zapłaty, pobrania podatku przez płatnika lub potrącenia."},
    {5, "Podatkowi podlegają umowy sprzedaży oraz zamiany rzeczy i praw majątkowych, umowy pożyczki i umowy darowizny w części dotyczącej przejęcia przez obdarowanego długów."},
    {5, "Stawki podatku wynoszą od umowy sprzedaży nieruchomości {ST}."},
    {6, "Przedmiotem opodatkowania akcyzą jest produkcja wyrobów akcyzowych oraz ich import."},
    {6, "Podstawą opodatkowania akcyzą jest ilość wyrobów akcyzowych wyrażona w jednostkach miary."},
    {7, "Opodatkowaniu podatkiem od nieruchomości podlegają grunty, budynki lub ich części oraz budowle związane z prowadzeniem działalności gospodarczej."},
    {7, "Rada gminy, w drodze uchwały, określa wysokość stawek podatku od nieruchomości."},
    {8, "Podatkowi od spadków i darowizn podlega nabycie przez osoby fizyczne własności rzeczy znajdujących się na terytorium Rzeczypospolitej Polskiej."},
    {8, "Wysokość podatku ustala się w zależności od grupy podatkowej, do której zaliczony jest nabywca."},
    {9, "Czynność prawna sprzeczna z ustawą albo mająca na celu obejście ustawy jest nieważna."},
    {9, "Przez umowę dzierżawy wydzierżawiający zobowiązuje się oddać dzierżawcy rzecz do używania i pobierania pożytków."},
};

struct TAktOpis {
    const char* plik; const char* nazwa; const char* cytat; const char* tytul; const char* data;
    int dzial; bool paragrafy;
};

const TAktOpis kAkty[] = {
    {"updof", "Ustawa o podatku dochodowym od osób fizycznych", "ustawy o podatku dochodowym od osób fizycznych",
     "o podatku dochodowym od osób fizycznych", "26 lipca 1991 r.", 1, false},
    {"updop", "Ustawa o podatku dochodowym od osób prawnych", "ustawy o podatku dochodowym od osób prawnych",
     "o podatku dochodowym od osób prawnych", "15 lutego 1992 r.", 2, false},
    {"vat", "Ustawa o podatku od towarów i usług", "ustawy o podatku od towarów i usług",
     "o podatku od towarów i usług", "11 marca 2004 r.", 3, false},
    {"op", "Ordynacja podatkowa", "ustawy - Ordynacja podatkowa", "Ordynacja podatkowa", "29 sierpnia 1997 r.", 4, true},
    {"pcc", "Ustawa o podatku od czynności cywilnoprawnych", "ustawy o podatku od czynności cywilnoprawnych",
     "o podatku od czynności cywilnoprawnych", "9 września 2000 r.", 5, false},
    {"akcyza", "Ustawa o podatku akcyzowym", "ustawy o podatku akcyzowym", "o podatku akcyzowym",
     "23 stycznia 2004 r.", 6, false},
    {"upol", "Ustawa o podatkach i opłatach lokalnych", "ustawy o podatkach i opłatach lokalnych",
     "o podatkach i opłatach lokalnych", "12 stycznia 1991 r.", 7, false},
    {"spadki", "Ustawa o podatku od spadków i darowizn", "ustawy o podatku od spadków i darowizn",
     "o podatku od spadków i darowizn", "28 lipca 1983 r.", 8, false},
    {"kc", "Kodeks cywilny", "ustawy - Kodeks cywilny", "Kodeks cywilny", "23 kwietnia 1964 r.", 9, true},
};

// Taxes in three cases, by topic (index 0: general).
const char* const kPodatki[][3] = {
    {"podatek dochodowy", "podatku dochodowego", "podatkiem dochodowym"},
    {"podatek dochodowy od osób fizycznych", "podatku dochodowego od osób fizycznych", "podatkiem dochodowym od osób fizycznych"},
    {"podatek dochodowy od osób prawnych", "podatku dochodowego od osób prawnych", "podatkiem dochodowym od osób prawnych"},
    {"podatek od towarów i usług", "podatku od towarów i usług", "podatkiem od towarów i usług"},
    {"podatek", "podatku", "podatkiem"},
    {"podatek od czynności cywilnoprawnych", "podatku od czynności cywilnoprawnych", "podatkiem od czynności cywilnoprawnych"},
    {"podatek akcyzowy", "podatku akcyzowego", "podatkiem akcyzowym"},
    {"podatek od nieruchomości", "podatku od nieruchomości", "podatkiem od nieruchomości"},
    {"podatek od spadków i darowizn", "podatku od spadków i darowizn", "podatkiem od spadków i darowizn"},
    {"podatek od czynności cywilnoprawnych", "podatku od czynności cywilnoprawnych", "podatkiem od czynności cywilnoprawnych"},
};

// Activities (nominative, genitive) by topic.
struct TCzynnosc { int temat; const char* mianownik; const char* dopelniacz; };
const TCzynnosc kCzynnosci[] = {
    {0, "sprzedaż nieruchomości", "sprzedaży nieruchomości"},
    {0, "nabycie środka trwałego", "nabycia środka trwałego"},
    {0, "najem lokalu mieszkalnego", "najmu lokalu mieszkalnego"},
    {0, "świadczenie usług doradczych", "świadczenia usług doradczych"},
    {0, "leasing samochodu osobowego", "leasingu samochodu osobowego"},
    {0, "darowizna udziałów", "darowizny udziałów"},
    {0, "zbycie prawa użytkowania wieczystego", "zbycia prawa użytkowania wieczystego"},
    {1, "wypłata wynagrodzenia z tytułu umowy zlecenia", "wypłaty wynagrodzenia z tytułu umowy zlecenia"},
    {1, "sprzedaż udziałów w spółce z ograniczoną odpowiedzialnością", "sprzedaży udziałów w spółce z ograniczoną odpowiedzialnością"},
    {1, "odpłatne zbycie lokalu mieszkalnego", "odpłatnego zbycia lokalu mieszkalnego"},
    {1, "wniesienie aportu do spółki", "wniesienia aportu do spółki"},
    {2, "wypłata dywidendy", "wypłaty dywidendy"},
    {2, "umorzenie udziałów", "umorzenia udziałów"},
    {2, "połączenie spółek kapitałowych", "połączenia spółek kapitałowych"},
    {2, "udzielenie pożyczki przez udziałowca", "udzielenia pożyczki przez udziałowca"},
    {3, "wewnątrzwspólnotowa dostawa towarów", "wewnątrzwspólnotowej dostawy towarów"},
    {3, "import usług", "importu usług"},
    {3, "eksport towarów", "eksportu towarów"},
    {3, "dostawa budynku mieszkalnego", "dostawy budynku mieszkalnego"},
    {3, "świadczenie usług budowlanych", "świadczenia usług budowlanych"},
    {3, "sprzedaż wysyłkowa", "sprzedaży wysyłkowej"},
    {4, "zwrot nadpłaty podatku", "zwrotu nadpłaty podatku"},
    {4, "rozłożenie zaległości podatkowej na raty", "rozłożenia zaległości podatkowej na raty"},
    {4, "przedawnienie zobowiązania podatkowego", "przedawnienia zobowiązania podatkowego"},
    {5, "umowa pożyczki", "umowy pożyczki"},
    {5, "zmiana umowy spółki", "zmiany umowy spółki"},
    {5, "ustanowienie hipoteki", "ustanowienia hipoteki"},
    {6, "nabycie wewnątrzwspólnotowe samochodu osobowego", "nabycia wewnątrzwspólnotowego samochodu osobowego"},
    {6, "produkcja wyrobów spirytusowych", "produkcji wyrobów spirytusowych"},
    {7, "posiadanie gruntów związanych z działalnością gospodarczą", "posiadania gruntów związanych z działalnością gospodarczą"},
    {7, "użytkowanie budowli", "użytkowania budowli"},
    {8, "nabycie spadku", "nabycia spadku"},
    {8, "darowizna środków pieniężnych", "darowizny środków pieniężnych"},
    {9, "umowa najmu", "umowy najmu"},
    {9, "umowa dzierżawy", "umowy dzierżawy"},
};

const char* const kPodmioty[] = {"Wnioskodawca", "Podatnik", "Zainteresowany", "Skarżący", "Przedsiębiorca"};
const char* const kPodmiotyDop[] = {"Wnioskodawcy", "Podatnika", "Zainteresowanego", "Skarżącego", "Strony", "Spółki"};
const char* const kKoszty[] = {
    "wydatki na zakup paliwa", "odsetki od kredytu bankowego", "opłaty leasingowe", "wydatki na reprezentację",
    "składki na ubezpieczenie społeczne", "odpisy amortyzacyjne", "koszty szkolenia pracowników",
    "wydatki na remont budynku", "kary umowne", "koszty podróży służbowej", "wydatki na usługi prawne",
    "odsetki za zwłokę", "wydatki na zakup materiałów biurowych", "koszty najmu samochodu"};
const char* const kUlgi[][2] = {
    {"ulga budowlana", "ulgi budowlanej"}, {"ulga odsetkowa", "ulgi odsetkowej"}, {"ulga na dzieci", "ulgi na dzieci"},
    {"ulga rehabilitacyjna", "ulgi rehabilitacyjnej"}, {"ulga internetowa", "ulgi internetowej"},
    {"ulga mieszkaniowa", "ulgi mieszkaniowej"}, {"ulga remontowa", "ulgi remontowej"},
    {"ulga na nabycie nowych technologii", "ulgi na nabycie nowych technologii"}};
const char* const kCele[] = {
    "remont budynku mieszkalnego", "zakup gruntu pod budowę domu", "spłatę kredytu mieszkaniowego",
    "użytkowanie sieci Internet", "leki i sprzęt rehabilitacyjny", "nabycie nowych technologii",
    "wkład budowlany w spółdzielni mieszkaniowej", "termomodernizację budynku"};
const char* const kDzialalnosci[] = {
    "handlu hurtowego materiałami budowlanymi", "usług transportowych", "produkcji mebli",
    "usług informatycznych", "sprzedaży detalicznej artykułów spożywczych", "usług budowlanych",
    "doradztwa podatkowego", "wynajmu nieruchomości", "usług medycznych", "produkcji rolnej"};
const char* const kStawki[] = {"22%", "7%", "3%", "0%", "19%", "18%", "30%", "40%", "10%", "2%"};
const char* const kMiesiace[] = {"stycznia", "lutego", "marca", "kwietnia", "maja", "czerwca", "lipca",
                                 "sierpnia", "września", "października", "listopada", "grudnia"};
const char* const kFormyFirm[] = {"Sp. z o.o.", "S.A.", "Sp. j.", "sp. k."};

// Synthetic proper names: syllables of Polish shape.
const char* const kNaglosy[] = {"b", "c", "d", "f", "g", "h", "j", "k", "l", "m", "n", "p", "r", "s", "t", "w", "z",
                                "ch", "cz", "sz", "dz", "st", "tr", "pr", "kr", "gr", "br", "pl", "sk", "zb",
                                "ż", "ś", "ł", "wr", "gł", "dr"};
const char* const kSamogloski[] = {"a", "e", "i", "o", "u", "y", "ó", "ą", "ę", "ie", "ia", "o", "a", "e"};
const char* const kWyglosy[] = {"", "", "", "", "n", "r", "s", "k", "l", "m", "sz", "ł", "ch", "st", "ń", "c"};
const char* const kPrzyrostki[] = {"", "", "", "ex", "pol", "bud", "mar", "tech", "ski", "owo", "ice", "ów", "in",
                                   "ak", "awa", "ewo", "trans", "med"};

template <size_t N>
std::vector<std::string> ListaIso(const char* const (&tab)[N]) {
    std::vector<std::string> v;
    for (const char* s : tab) v.push_back(Iso(s));
    return v;
}

std::vector<std::string> ListaIso(std::initializer_list<const char*> tab) {
    std::vector<std::string> v;
    for (const char* s : tab) v.push_back(Iso(s));
    return v;
}

int LiczbaSlow(std::string_view s) {
    int n = 0;
    bool w = false;
    for (char c : s) {
        const bool litera = c != ' ';
        if (litera && !w) ++n;
        w = litera;
    }
    return n;
}

}  // namespace

// ---- TLosowanie ----

TLosowanie::TLosowanie(uint64_t ziarno) {
    uint64_t x = ziarno;
    for (auto& s : s_) s = Splitmix(x);
}

uint64_t TLosowanie::Nastepna() {
    const uint64_t wynik = Obrot(s_[1] * 5, 7) * 9;
    const uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = Obrot(s_[3], 45);
    return wynik;
}

uint32_t TLosowanie::Do(uint32_t n) { return uint32_t((Nastepna() >> 32) * n >> 32); }

int32_t TLosowanie::Zakres(int32_t od, int32_t do_) { return od + int32_t(Do(uint32_t(do_ - od + 1))); }

bool TLosowanie::Szansa(int procent) { return int(Do(100)) < procent; }

double TLosowanie::Ulamek() { return double(Nastepna() >> 11) * (1.0 / 9007199254740992.0); }

uint64_t MieszanieZiarna(uint64_t ziarno, uint64_t numer) {
    uint64_t x = ziarno ^ (numer * 0xD1B54A32D192ED03ull);
    Splitmix(x);
    return Splitmix(x);
}

// ---- TJezykPodatkowy ----

const std::vector<std::string>& TJezykPodatkowy::Dzialy() {
    static const std::vector<std::string> v = ListaIso({
        "Podatek dochodowy od osób fizycznych", "Podatek dochodowy od osób prawnych", "Podatek od towarów i usług",
        "Ordynacja podatkowa", "Podatek od czynności cywilnoprawnych", "Podatek akcyzowy",
        "Podatki i opłaty lokalne", "Podatek od spadków i darowizn", "Prawo cywilne"});
    return v;
}

const std::vector<std::string>& TJezykPodatkowy::Miasta() {
    static const std::vector<std::string> v = ListaIso({
        "Warszawie", "Krakowie", "Gdańsku", "Poznaniu", "Wrocławiu", "Katowicach", "Łodzi", "Lublinie",
        "Białymstoku", "Bydgoszczy", "Kielcach", "Olsztynie", "Opolu", "Rzeszowie", "Szczecinie", "Zielonej Górze"});
    return v;
}

const std::vector<std::string>& TJezykPodatkowy::IzbyMianownik() {
    static const std::vector<std::string> v = [] {
        std::vector<std::string> r;
        for (const auto& m : Miasta()) r.push_back("Izba Skarbowa w " + m);
        return r;
    }();
    return v;
}

const std::vector<std::string>& TJezykPodatkowy::IzbyDopelniacz() {
    static const std::vector<std::string> v = [] {
        std::vector<std::string> r;
        for (const auto& m : Miasta()) r.push_back("Izby Skarbowej w " + m);
        return r;
    }();
    return v;
}

TJezykPodatkowy::TJezykPodatkowy(int32_t slownictwo, uint64_t ziarno) {
    TLosowanie rng(MieszanieZiarna(ziarno, 0xA17));

    // Acts with their article structure and the provisions cited from them.
    int32_t numerAktu = 0;
    for (const auto& o : kAkty) {
        TAktProbki a;
        a.Numer = ++numerAktu;
        a.Plik = o.plik;
        a.Nazwa = Iso(o.nazwa);
        a.Cytat = Iso(o.cytat);
        a.Tytul = Iso(o.tytul);
        a.DataUchwalenia = Iso(o.data);
        a.Dzial = o.dzial;
        a.Paragrafy = o.paragrafy;
        const int artykuly = rng.Zakres(35, 70);
        for (int i = 0; i < artykuly; ++i) a.Ustepy.push_back(rng.Szansa(30) ? 1 : rng.Zakres(2, 6));
        akty_.push_back(std::move(a));
    }
    for (int32_t ia = 0; ia < int32_t(akty_.size()); ++ia) {
        const TAktProbki& a = akty_[size_t(ia)];
        // About forty provisions per act, in article order.
        int32_t numer = a.Numer * 100;
        for (int32_t art = 1; art <= int32_t(a.Ustepy.size()) && numer < a.Numer * 100 + 45; ++art) {
            const int32_t ustepy = a.Ustepy[size_t(art) - 1];
            for (int32_t u = ustepy == 1 ? 0 : 1; u <= (ustepy == 1 ? 0 : ustepy); ++u) {
                if (!rng.Szansa(55) || numer >= a.Numer * 100 + 45) continue;
                TPrzepisProbki p;
                p.Numer = ++numer;
                p.Akt = ia;
                p.Artykul = art;
                p.Ustep = u;
                p.Cytat = "art. " + std::to_string(art);
                if (u > 0) p.Cytat += (a.Paragrafy ? " \xA7 " : " ust. ") + std::to_string(u);
                p.Cytat += " " + a.Cytat;
                przepisy_.push_back(std::move(p));
            }
        }
    }

    // Synthetic proper names, distinct ignoring letter case.
    std::unordered_set<std::string> widziane;
    TLosowanie rs(MieszanieZiarna(ziarno, 0x5E7));
    const auto wybor = [&rs](const auto& tab) -> const char* {
        return tab[rs.Do(uint32_t(std::size(tab)))];
    };
    while (int32_t(syntetyczne_.size()) < slownictwo) {
        std::string s;
        const int sylaby = rs.Zakres(2, 3);
        for (int i = 0; i < sylaby; ++i) {
            s += wybor(kNaglosy);
            s += wybor(kSamogloski);
            if (i + 1 == sylaby || rs.Szansa(25)) s += wybor(kWyglosy);
        }
        s += wybor(kPrzyrostki);
        s = Iso(s);
        if (!widziane.insert(s).second) continue;
        // Proper names: capital first letter (ISO-8859-2 capitals of ż ś ł are 0xAF 0xA6 0xA3).
        unsigned char& c = reinterpret_cast<unsigned char&>(s[0]);
        if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 32);
        else if (c == 0xBF) c = 0xAF;
        else if (c == 0xB6) c = 0xA6;
        else if (c == 0xB3) c = 0xA3;
        syntetyczne_.push_back(std::move(s));
    }

    // Filler lists.
    listy_.assign(sLiczbaSlotow, {});
    listy_[sP] = ListaIso(kPodmioty);
    listy_[sPD] = ListaIso(kPodmiotyDop);
    listy_[sK] = ListaIso(kKoszty);
    for (const auto& u : kUlgi) {
        listy_[sU].push_back(Iso(u[0]));
        listy_[sUG].push_back(Iso(u[1]));
    }
    listy_[sCEL] = ListaIso(kCele);
    listy_[sDZIAL] = ListaIso(kDzialalnosci);
    listy_[sST] = ListaIso(kStawki);

    // Patterns: literal pieces and slots.
    const auto analiza = [](const TWzorZrodlowy& z) {
        TWzor w;
        w.temat = z.temat;
        w.przepis = false;
        std::string t = Iso(z.tekst);
        // "[IMS]": the kinds of document the sentence belongs to (interpretation, ministry
        // letter, court ruling); without it any kind.
        w.rodzaje = 7;
        if (!t.empty() && t[0] == '[') {
            const size_t k = t.find(']');
            w.rodzaje = 0;
            for (size_t i = 1; i < k; ++i)
                w.rodzaje |= t[i] == 'I' ? 1 : t[i] == 'M' ? 2 : t[i] == 'S' ? 4 : 0;
            t.erase(0, k + 1);
        }
        size_t i = 0;
        while (i < t.size()) {
            const size_t b = t.find('{', i);
            if (b != i) {
                const std::string lit = t.substr(i, b == std::string::npos ? std::string::npos : b - i);
                w.segmenty.push_back({sTekst, lit, 0});
            }
            if (b == std::string::npos) break;
            const size_t e = t.find('}', b);
            const std::string nazwa = t.substr(b + 1, e - b - 1);
            int slot = sTekst;
            for (int s = 0; s < sLiczbaSlotow; ++s)
                if (nazwa == kNazwySlotow[s]) slot = s;
            if (slot == sART) w.przepis = true;
            w.segmenty.push_back({slot, "", 0});
            i = e + 1;
        }
        for (auto& s : w.segmenty) s.slowa = LiczbaSlow(s.tekst);
        return w;
    };
    wgTematu_.assign(10, {});
    aktWgTematu_.assign(10, {});
    for (const auto& z : kWzoryDokumentu) {
        wgTematu_[size_t(z.temat)].push_back(wzoryDokumentu_.size());
        wzoryDokumentu_.push_back(analiza(z));
    }
    for (const auto& z : kWzoryAktu) {
        aktWgTematu_[size_t(z.temat)].push_back(wzoryAktu_.size());
        wzoryAktu_.push_back(analiza(z));
    }
}

const std::string& TJezykPodatkowy::SlowoSyntetyczne(TLosowanie& rng) const {
    // Log-uniform rank: frequency falls roughly as 1 / rank, as in natural text.
    const double n = double(syntetyczne_.size());
    size_t i = size_t(std::exp(rng.Ulamek() * std::log(n + 1.0))) - 1;
    if (i >= syntetyczne_.size()) i = syntetyczne_.size() - 1;
    return syntetyczne_[i];
}

std::string TJezykPodatkowy::Data(TLosowanie& rng, int rokOd, int rokDo) const {
    static const std::vector<std::string> miesiace = ListaIso(kMiesiace);
    const int m = rng.Zakres(1, 12);
    return std::to_string(rng.Zakres(1, 28)) + " " + miesiace[size_t(m) - 1] + " " +
           std::to_string(rng.Zakres(rokOd, rokDo)) + " r.";
}

std::string TJezykPodatkowy::Kwota(TLosowanie& rng) const {
    const int tysiace = rng.Zakres(0, 950);
    std::string s;
    if (tysiace > 0) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%d %03d", tysiace, rng.Zakres(0, 999));
        s = buf;
    } else {
        s = std::to_string(rng.Zakres(10, 999));
    }
    if (rng.Szansa(30)) {
        char buf[8];
        std::snprintf(buf, sizeof buf, ",%02d", rng.Zakres(0, 99));
        s += buf;
    }
    return s + Iso(" zł");
}

std::string TJezykPodatkowy::Czynnosc(TLosowanie& rng, int32_t temat, bool dopelniacz) const {
    // Activities of the topic most of the time, general ones otherwise.
    static const std::vector<std::vector<std::pair<std::string, std::string>>> wg = [] {
        std::vector<std::vector<std::pair<std::string, std::string>>> r(10);
        for (const auto& c : kCzynnosci) r[size_t(c.temat)].emplace_back(Iso(c.mianownik), Iso(c.dopelniacz));
        return r;
    }();
    const size_t t = temat >= 0 && temat + 1 < 10 && rng.Szansa(70) ? size_t(temat + 1) : 0;
    const auto& para = wg[t][rng.Do(uint32_t(wg[t].size()))];
    return dopelniacz ? para.second : para.first;
}

std::string TJezykPodatkowy::PodatekDopelniacz(int32_t temat) const {
    const size_t t = temat >= 0 && temat + 1 < 10 ? size_t(temat + 1) : 0;
    return Iso(kPodatki[t][1]);
}

void TJezykPodatkowy::Wypelnienie(int slot, TLosowanie& rng, const TKontekst& k, std::string& out) const {
    const size_t temat = k.Temat >= 0 && k.Temat + 1 < 10 ? size_t(k.Temat + 1) : 0;
    switch (slot) {
    case sSYN: out += SlowoSyntetyczne(rng); return;
    case sF:
        out += SlowoSyntetyczne(rng);
        out += ' ';
        out += kFormyFirm[rng.Do(uint32_t(std::size(kFormyFirm)))];
        return;
    case sC: out += Czynnosc(rng, k.Temat, false); return;
    case sCG: out += Czynnosc(rng, k.Temat, true); return;
    case sPDT: out += Iso(kPodatki[temat][0]); return;
    case sPDTG: out += Iso(kPodatki[temat][1]); return;
    case sPDTI: out += Iso(kPodatki[temat][2]); return;
    case sART:
        if (k.Akt) {
            // Within an act: a reference to one of its own articles.
            const auto& a = akty_[size_t(k.Temat)];
            const int32_t art = rng.Zakres(1, int32_t(a.Ustepy.size()));
            out += "art. " + std::to_string(art);
            if (a.Ustepy[size_t(art) - 1] > 1)
                out += (a.Paragrafy ? " \xA7 " : " ust. ") + std::to_string(rng.Zakres(1, a.Ustepy[size_t(art) - 1]));
        } else if (k.Przepisy && !k.Przepisy->empty()) {
            out += przepisy_[size_t((*k.Przepisy)[rng.Do(uint32_t(k.Przepisy->size()))])].Cytat;
        } else {
            out += przepisy_[rng.Do(uint32_t(przepisy_.size()))].Cytat;
        }
        return;
    case sD: out += Data(rng, 1995, 2008); return;
    case sKW: out += Kwota(rng); return;
    case sR: out += std::to_string(rng.Zakres(1996, 2008)); return;
    case sMIASTO: out += rng.Wybor(Miasta()); return;
    case sIZBAG: out += IzbyDopelniacz()[size_t(k.Izba > 0 ? k.Izba - 1 : 0)]; return;
    case sLICZBA: out += std::to_string(rng.Zakres(1, 100)); return;
    default: out += rng.Wybor(listy_[size_t(slot)]); return;
    }
}

int TJezykPodatkowy::Zdanie(TLosowanie& rng, const TKontekst& k, std::string& out) const {
    const auto& wzory = k.Akt ? wzoryAktu_ : wzoryDokumentu_;
    const auto& wg = k.Akt ? aktWgTematu_ : wgTematu_;
    const size_t temat = k.Temat >= 0 && k.Temat + 1 < 10 ? size_t(k.Temat + 1) : 0;
    const bool maPrzepisy = k.Akt || (k.Przepisy && !k.Przepisy->empty());
    const TWzor* w = nullptr;
    for (int proba = 0; proba < 16 && !w; ++proba) {
        const auto& lista = temat != 0 && !wg[temat].empty() && rng.Szansa(45) ? wg[temat] : wg[0];
        const TWzor& kandydat = wzory[lista[rng.Do(uint32_t(lista.size()))]];
        const bool rodzaj = k.Rodzaj < 0 || (kandydat.rodzaje >> k.Rodzaj & 1);
        // A pattern of the last few sentences is not used again while others are left.
        const size_t numer = size_t(&kandydat - wzory.data());
        const bool swiezy = !k.Uzyte || proba >= 12 ||
                            std::find(k.Uzyte->end() - std::min<long>(long(k.Uzyte->size()), 10), k.Uzyte->end(),
                                      numer) == k.Uzyte->end();
        if ((rodzaj && swiezy && (!kandydat.przepis || maPrzepisy)) || proba == 15) {
            w = &kandydat;
            if (k.Uzyte) k.Uzyte->push_back(numer);
        }
    }
    const size_t przed = out.size();
    int slowa = 0;
    for (const auto& s : w->segmenty) {
        if (s.slot == sTekst) {
            // "... 2004 r." before the sentence's own full stop: one stop is enough.
            if (!s.tekst.empty() && s.tekst[0] == '.' && !out.empty() && out.back() == '.')
                out.append(s.tekst, 1);
            else
                out += s.tekst;
            slowa += s.slowa;
        } else {
            const size_t p = out.size();
            Wypelnienie(s.slot, rng, k, out);
            slowa += LiczbaSlow(std::string_view(out).substr(p));
        }
    }
    // A sentence that begins with a lower-case filler still starts with a capital.
    unsigned char& c = reinterpret_cast<unsigned char&>(out[przed]);
    if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 32);
    out += ' ';
    return slowa;
}
