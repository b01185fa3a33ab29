#include "k_Raport.h"

#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <algorithm>

#include "Bezczynnosc.h"
#include "Bledy.h"
#include "Pomoc.h"
#include "PrzyciskObrazkowy.h"
#include "Tekst.h"
#include "b_UsunWiele.h"
#include "bPlik.h"
#include "cp1250.h"
#include "f_Raport.h"
#include "f_UsunWiele.h"
#include "mDialog.h"
#include "WysylanieDokumentow.h"
#include "mLib.h"

namespace {

constexpr int Margines = 8;
constexpr int OdstepPrzyciskow = 4;

// The hourglass for as long as the object lives.
class TKursorOczekiwania {
public:
    TKursorOczekiwania() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TKursorOczekiwania() { QApplication::restoreOverrideCursor(); }
    TKursorOczekiwania(const TKursorOczekiwania&) = delete;
    TKursorOczekiwania& operator=(const TKursorOczekiwania&) = delete;
};

// Rows of one fixed height.
class TWysokoscWiersza : public QStyledItemDelegate {
public:
    TWysokoscWiersza(int wysokosc, QObject* rodzic) : QStyledItemDelegate(rodzic), wysokosc_(wysokosc) {}
    QSize sizeHint(const QStyleOptionViewItem& opcje, const QModelIndex& indeks) const override {
        return {QStyledItemDelegate::sizeHint(opcje, indeks).width(), wysokosc_};
    }

private:
    int wysokosc_;
};

}  // namespace

std::string OdczytRaportu(const std::string& nazwaPliku) {
    const std::string sciezka = SciezkaRaportu(nazwaPliku);
    std::string tekst;
    try {
        mReadString(sciezka, tekst, TrybBledu::Wyjatek);
    } catch (const EInOutError&) {
        // The reader names the path by its bytes in the file system (UTF-8); the message is
        // Windows-1250, so it names the file as the list shows it.
        throw EInOutError(PL(u8"Błąd odczytu pliku '") + TekstNazwyPliku(sciezka) + "'.");
    }
    return tekst;
}

// ---- TOknoListyRaportow ----

TOknoListyRaportow::TOknoListyRaportow(TcSesja& sesja, const char* nazwa, int liczbaPrzyciskow, QWidget* rodzic)
    : QDialog(rodzic, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      sesja_(sesja),
      liczbaPrzyciskow_(liczbaPrzyciskow) {
    setObjectName(QString::fromLatin1(nazwa));
    setWindowTitle(PLq("Kartoteka raportów"));

    lvPlikRaportu = new QTreeWidget(this);
    lvPlikRaportu->setObjectName(QStringLiteral("lvPlikRaportu"));
    lvPlikRaportu->setColumnCount(2);
    lvPlikRaportu->setHeaderLabels({QStringLiteral("Nazwa"), QStringLiteral("Data i czas")});
    lvPlikRaportu->setRootIsDecorated(false);
    lvPlikRaportu->setUniformRowHeights(true);
    lvPlikRaportu->setSortingEnabled(false);
    lvPlikRaportu->setSelectionMode(QAbstractItemView::SingleSelection);
    lvPlikRaportu->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvPlikRaportu->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvPlikRaportu->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lvPlikRaportu->header()->setSectionsClickable(false);
    lvPlikRaportu->header()->setSectionsMovable(false);
    lvPlikRaportu->header()->setStretchLastSection(false);
    lvPlikRaportu->header()->setMinimumSectionSize(0);
    lvPlikRaportu->setColumnWidth(0, SzerokoscNazwy);
    lvPlikRaportu->setColumnWidth(1, SzerokoscDaty);
    {   // The selection stays visible when the list loses the focus.
        QPalette p = lvPlikRaportu->palette();
        p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
        p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
        lvPlikRaportu->setPalette(p);
    }
    {   // "dd-mm-yyyy hh:mm" must fit its 96 pixels whole (less the item's text margins): the
        // rows take the condensed face of the program's font when it is too wide, and a smaller
        // size when even that is.
        const int wolne = SzerokoscDaty - 2 * (lvPlikRaportu->style()->pixelMetric(QStyle::PM_FocusFrameHMargin,
                                                                                     nullptr, lvPlikRaportu) + 1);
        const QString wzor = QStringLiteral("28-08-2008 08:48");
        QFont f = lvPlikRaportu->font();
        if (QFontMetrics(f).horizontalAdvance(wzor) > wolne) {
            f.setStretch(QFont::Condensed);
            for (int px = QFontInfo(f).pixelSize(); px > 8 && QFontMetrics(f).horizontalAdvance(wzor) > wolne; --px)
                f.setPixelSize(px - 1);
            lvPlikRaportu->setFont(f);
        }
    }

    // The list holds exactly 17 rows below its header, so that the 18th brings the scroll bar
    // (and the narrower "Nazwa" column), and is at least as high as the button column: the
    // rows grow to fill it.
    int wysokoscWiersza = 0;
    {
        auto* probny = new QTreeWidgetItem(lvPlikRaportu, {QStringLiteral("Ag"), QStringLiteral("01-01-2000 00:00")});
        wysokoscWiersza = lvPlikRaportu->sizeHintForRow(0);
        delete probny;
    }
    const int ramka = lvPlikRaportu->frameWidth();
    const int naglowek = lvPlikRaportu->header()->sizeHint().height();
    const int kolumnaPrzyciskow =
        liczbaPrzyciskow_ * TPrzyciskObrazkowy::Wysokosc + (liczbaPrzyciskow_ - 1) * OdstepPrzyciskow;
    const int naWiersze = kolumnaPrzyciskow - 2 * ramka - naglowek;
    wysokoscWiersza = std::max(wysokoscWiersza, (naWiersze + WierszyBezPaska - 1) / WierszyBezPaska);
    lvPlikRaportu->setItemDelegate(new TWysokoscWiersza(wysokoscWiersza, lvPlikRaportu));
    const int szerokoscListy = SzerokoscNazwyBezPaska + SzerokoscDaty + 2 * ramka;
    const int wysokoscListy = 2 * ramka + naglowek + WierszyBezPaska * wysokoscWiersza;
    lvPlikRaportu->setGeometry(Margines, Margines, szerokoscListy, wysokoscListy);
    setFixedSize(Margines + szerokoscListy + Margines + TPrzyciskObrazkowy::Szerokosc + Margines,
                 Margines + wysokoscListy + Margines);

    pbPomoc = new TPrzyciskObrazkowy(this, "pbPomoc", TGlif::Pomoc);
    pbPomoc->move(MiejscePrzycisku(0));
    pbPomoc->UstawienieNapisu(QStringLiteral("Pomoc"), QStringLiteral("Pomoc"));
    pbPomoc->setFocusPolicy(Qt::TabFocus);
    connect(pbPomoc, &QToolButton::clicked, this, &TOknoListyRaportow::pbPomocClick);

    pbZamknij = new TPrzyciskObrazkowy(this, "pbZamknij", TGlif::Zamknij);
    pbZamknij->move(MiejscePrzycisku(liczbaPrzyciskow_ - 1));
    pbZamknij->UstawienieNapisu(PLq("&Zamknij"), PLq("Zamknięcie kartoteki raportów"));
    pbZamknij->UstawienieAnulujacego(true);
    connect(pbZamknij, &QToolButton::clicked, this, &TOknoListyRaportow::pbZamknijClick);

    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &TOknoListyRaportow::pbPomocClick);

    connect(lvPlikRaportu, &QTreeWidget::itemSelectionChanged, this, &TOknoListyRaportow::lvPlikRaportuSelectItem);
    connect(lvPlikRaportu, &QTreeWidget::currentItemChanged, this, &TOknoListyRaportow::lvPlikRaportuSelectItem);

    // FormCreate
    ListaRaportow = std::make_unique<TcListPlikRaportu>(MaskaRaportow, AtrybutyRaportow);
    ListaRaportow->Sortowanie(1, 1);
    PokazanieListy();
}

TOknoListyRaportow::~TOknoListyRaportow() = default;

QPoint TOknoListyRaportow::MiejscePrzycisku(int i) const {
    const int x = lvPlikRaportu->geometry().right() + 1 + Margines;
    if (i == 0) return {x, Margines};
    // The others stand together at the bottom of the column.
    const int ponizej = liczbaPrzyciskow_ - i;
    const int y = lvPlikRaportu->geometry().bottom() + 1 - ponizej * TPrzyciskObrazkowy::Wysokosc -
                  (ponizej - 1) * OdstepPrzyciskow;
    return {x, y};
}

void TOknoListyRaportow::Zakonczenie() {
    lvPlikRaportu->setFocus();
    if (QScreen* ekran = QGuiApplication::primaryScreen()) {
        const QRect r = ekran->availableGeometry();
        move(r.x() + (r.width() - width()) / 2, r.y() + (r.height() - height()) / 2);
    }
}

void TOknoListyRaportow::PokazanieListy() {
    QTreeWidgetItem* pierwszy = nullptr;
    {
        const TKursorOczekiwania kursor;
        lvPlikRaportu->setUpdatesEnabled(false);
        {
            const QSignalBlocker blokada(lvPlikRaportu);
            lvPlikRaportu->clear();
        }
        QList<QTreeWidgetItem*> wiersze;
        for (int32_t i = 0; i < ListaRaportow->Liczba(); ++i) {
            const TrPlikRaportu& p = ListaRaportow->PlikRaportu(i);
            auto* w = new QTreeWidgetItem(QStringList{qs(p.NazwaRaportu), qs(DataCzasListy(p.Data))});
            w->setData(0, DanaPliku, QByteArray(p.Nazwa.data(), static_cast<qsizetype>(p.Nazwa.size())));
            wiersze << w;
        }
        lvPlikRaportu->addTopLevelItems(wiersze);
        lvPlikRaportu->setColumnWidth(0, wiersze.size() <= WierszyBezPaska ? SzerokoscNazwyBezPaska : SzerokoscNazwy);
        lvPlikRaportu->setUpdatesEnabled(true);
        if (!wiersze.isEmpty()) pierwszy = wiersze.first();
    }
    if (pierwszy != nullptr) {
        lvPlikRaportu->setCurrentItem(pierwszy);
        pierwszy->setSelected(true);
    }
}

void TOknoListyRaportow::lvPlikRaportuSelectItem() {
    QTreeWidgetItem* fokus = lvPlikRaportu->currentItem();
    if (fokus == nullptr || !lvPlikRaportu->selectedItems().isEmpty()) return;
    const QSignalBlocker blokada(lvPlikRaportu);
    fokus->setSelected(true);
}

QTreeWidgetItem* TOknoListyRaportow::WybranyWiersz() const {
    const QList<QTreeWidgetItem*> zaznaczone = lvPlikRaportu->selectedItems();
    return zaznaczone.isEmpty() ? nullptr : zaznaczone.first();
}

std::string TOknoListyRaportow::NazwaPliku(const QTreeWidgetItem* wiersz) {
    const QByteArray b = wiersz->data(0, DanaPliku).toByteArray();
    return std::string(b.constData(), static_cast<size_t>(b.size()));
}

void TOknoListyRaportow::pbPomocClick() { mPomoc(KontekstPomocy); }

void TOknoListyRaportow::pbZamknijClick() { done(2); }

void TOknoListyRaportow::reject() { pbZamknijClick(); }

// ---- TkRaport ----

TkRaport::TkRaport(TcSesja& sesja, QWidget* rodzic) : TOknoListyRaportow(sesja, "TkRaport", 6, rodzic) {
    const auto akcja = [this](QAction*& a, const char* nazwa, const char* napis, const char* podpowiedz) {
        a = new QAction(PLq(napis), this);
        a->setObjectName(QString::fromLatin1(nazwa));
        a->setToolTip(PLq(podpowiedz));
        a->setStatusTip(a->toolTip());
        addAction(a);
    };
    akcja(acPokaz, "acPokaz", "&Pokaż", "Pokazanie bieżącego raportu (Enter)");
    akcja(acWyslij, "acWyslij", "Wyś&lij", "Wysłanie raportu pocztą elektroniczną");
    akcja(acUsun, "acUsun", "&Usuń", "Usunięcie bieżącego raportu");
    akcja(acUsunWiele, "acUsunWiele", "Usuń &wiele", "Usunięcie wielu raportów z podanego zakresu czasowego");
    acUsun->setShortcut(QKeySequence(Qt::Key_Delete));
    connect(acPokaz, &QAction::triggered, this, &TkRaport::acPokazExecute);
    connect(acWyslij, &QAction::triggered, this, &TkRaport::acWyslijExecute);
    connect(acUsun, &QAction::triggered, this, &TkRaport::acUsunExecute);
    connect(acUsunWiele, &QAction::triggered, this, &TkRaport::acUsunWieleExecute);

    const auto przycisk = [this](TPrzyciskObrazkowy*& pb, const char* nazwa, TGlif glif, int miejsce, QAction* a) {
        pb = new TPrzyciskObrazkowy(this, nazwa, glif);
        pb->move(MiejscePrzycisku(miejsce));
        pb->UstawienieAkcji(a);
    };
    przycisk(pbPokaz, "pbPokaz", TGlif::Pokaz, 1, acPokaz);
    przycisk(pbWyslij, "pbWyslij", TGlif::Poczta, 2, acWyslij);
    przycisk(pbUsun, "pbUsun", TGlif::Usun, 3, acUsun);
    przycisk(pbUsunWiele, "pbUsunWiele", TGlif::UsunWiele, 4, acUsunWiele);
    pbPokaz->UstawienieDomyslnego(true);

    setTabOrder(lvPlikRaportu, pbPokaz);
    setTabOrder(pbPokaz, pbWyslij);
    setTabOrder(pbWyslij, pbUsun);
    setTabOrder(pbUsun, pbUsunWiele);
    setTabOrder(pbUsunWiele, pbZamknij);
    setTabOrder(pbZamknij, pbPomoc);

    connect(lvPlikRaportu, &QTreeWidget::itemDoubleClicked, this, [this] { acPokazExecute(); });
    mBezczynnosc::Rejestracja(this, [this] {
        acPokazUpdate();
        acWyslijUpdate();
        acUsunUpdate();
        acUsunWieleUpdate();
    });
    acPokazUpdate();
    acWyslijUpdate();
    acUsunUpdate();
    acUsunWieleUpdate();
    Zakonczenie();
}

TkRaport::~TkRaport() = default;

void TkRaport::acPokazUpdate() { acPokaz->setEnabled(WybranyWiersz() != nullptr); }

void TkRaport::acPokazExecute() {
    const QTreeWidgetItem* wiersz = WybranyWiersz();
    if (wiersz == nullptr) return;
    const std::string nazwa = NazwaPliku(wiersz);
    std::string tekst = OdczytRaportu(nazwa);
    if (tekst.empty()) return;
    TfRaport okno(sesja_, this);
    okno.Raport = std::move(tekst);
    okno.Plik = TekstNazwyPliku(SciezkaRaportu(nazwa));
    okno.setWindowTitle(PLq("Raport - ") + wiersz->text(0));
    okno.exec();
}

void TkRaport::acWyslijUpdate() { acWyslij->setEnabled(WybranyWiersz() != nullptr); }

void TkRaport::acWyslijExecute() {
    // The command may come from the keyboard with no report selected.
    const QTreeWidgetItem* wiersz = WybranyWiersz();
    if (wiersz == nullptr) return;
    WyslaniePlikuRaportu(sesja_, NazwaPliku(wiersz));
}

void TkRaport::acUsunUpdate() { acUsun->setEnabled(WybranyWiersz() != nullptr); }

void TkRaport::acUsunExecute() {
    QTreeWidgetItem* wiersz = WybranyWiersz();
    if (wiersz == nullptr) return;
    const int pozycja = lvPlikRaportu->indexOfTopLevelItem(wiersz);
    if (!Pytanie(PLq("Potwierdź usuwanie"), PLq("Czy usunąć raport?"), 0)) return;
    const std::string nazwa = NazwaPliku(wiersz);
    if (!UsuniecieRaportu(nazwa)) {
        Ostrzezenie(PLq("Błąd usuwania"), PLq("Nie udało się usunąć raportu."));
        return;
    }
    if (!ListaRaportow->UsunieciePliku(nazwa))
        mBladWewnetrznyTekst(PL(u8"Nieoczekiwany błąd: TkRaport.acUsunExecute.1.\r") + TekstNazwyPliku(nazwa) + "\r");
    delete lvPlikRaportu->takeTopLevelItem(pozycja);
    const int liczba = lvPlikRaportu->topLevelItemCount();
    if (liczba > 0) {
        QTreeWidgetItem* nastepny = lvPlikRaportu->topLevelItem(std::min(pozycja, liczba - 1));
        lvPlikRaportu->setCurrentItem(nastepny);
        nastepny->setSelected(true);
    }
    if (liczba <= WierszyBezPaska) lvPlikRaportu->setColumnWidth(0, SzerokoscNazwyBezPaska);
}

void TkRaport::acUsunWieleUpdate() { acUsunWiele->setEnabled(WybranyWiersz() != nullptr); }

void TkRaport::acUsunWieleExecute() {
    if (WybranyWiersz() == nullptr) return;
    TfUsunWiele kryteria(this);
    if (kryteria.exec() != QDialog::Accepted) return;
    DataOd = DzienPola(*kryteria.enDataOd);
    DataDo = DzienPola(*kryteria.enDataDo);
    LiczbaDoUsuniecia = ListaRaportow->ZliczenieWZakresie(DataOd, DataDo);
    if (LiczbaDoUsuniecia == 0) {
        Informacja(PLq("Brak raportów do usunięcia"), PLq("Brak raportów spełniających podane kryteria."));
        return;
    }
    TbUsunWiele postep(*ListaRaportow, DataOd, DataDo, LiczbaDoUsuniecia, this);
    postep.exec();
    if (postep.LiczbaUsunietych > 0) {
        PokazanieListy();
        Informacja(PLq("Informacja o usuniętych raportach"),
                   PLq("Liczba usuniętych raportów: %1.\rOrientacyjny rozmiar: %2 KB.")
                       .arg(postep.LiczbaUsunietych)
                       .arg(postep.RozmiarUsunietych));
    } else {
        Informacja(PLq("Informacja o usuniętych raportach"), PLq("Nie usunięto żadnego raportu."));
    }
}
