#include "k_Szablon.h"

#include <QAction>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <optional>
#include <string>
#include <vector>

#include "Bezczynnosc.h"
#include "ModelSzablonow.h"
#include "Pomoc.h"
#include "PrzyciskObrazkowy.h"
#include "TabelaDbf.h"
#include "Tekst.h"
#include "d_Szablon.h"
#include "f_Szablon.h"
#include "mDialog.h"

namespace {

constexpr int WysokoscPanelu = 62;

}  // namespace

// ---- TOknoSzablonow ----

TOknoSzablonow::TOknoSzablonow(TcSesja& sesja, TcTabelaDbf& tabela, const char* nazwa, const QString& tytul,
                               QWidget* rodzic)
    : QDialog(rodzic, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint),
      sesja_(sesja),
      tabela_(tabela),
      model_(std::make_unique<TcModelSzablonow>(tabela)) {
    setObjectName(QString::fromLatin1(nazwa));
    setWindowTitle(tytul);
    resize(575, 386);
    setMinimumSize(150, 150);

    auto* uklad = new QVBoxLayout(this);
    uklad->setContentsMargins(0, 0, 0, 0);
    uklad->setSpacing(0);

    paGora = new QWidget(this);
    paGora->setObjectName(QStringLiteral("paGora"));
    paGora->setFixedHeight(WysokoscPanelu);
    auto* gora = new QHBoxLayout(paGora);
    gora->setContentsMargins(4, 5, 4, 5);
    gora->setSpacing(2);

    nvSzablon = new QWidget(paGora);
    nvSzablon->setObjectName(QStringLiteral("nvSzablon"));
    auto* nawigator = new QHBoxLayout(nvSzablon);
    nawigator->setContentsMargins(0, 0, 0, 0);
    nawigator->setSpacing(0);
    const auto krok = [this, nawigator](QToolButton*& b, const char* nazwaPrzycisku, QStyle::StandardPixmap obraz,
                                        const char* podpowiedz, void (*ruch)(TcTabelaDbf&)) {
        b = new QToolButton(nvSzablon);
        b->setObjectName(QString::fromLatin1(nazwaPrzycisku));
        b->setIcon(style()->standardIcon(obraz));
        b->setToolTip(PLq(podpowiedz));
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(25, 25);
        nawigator->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this, ruch] {
            ruch(tabela_);
            PokazanieBiezacego();
            NawigatorUpdate();
        });
    };
    krok(nbPierwszy, "nbPierwszy", QStyle::SP_MediaSkipBackward, "Pierwszy szablon",
         [](TcTabelaDbf& t) { t.PrzejscieNaPierwszy(); });
    krok(nbPoprzedni, "nbPoprzedni", QStyle::SP_MediaSeekBackward, "Poprzedni szablon",
         [](TcTabelaDbf& t) { t.PrzejscieNaPoprzedni(); });
    krok(nbNastepny, "nbNastepny", QStyle::SP_MediaSeekForward, "Następny szablon",
         [](TcTabelaDbf& t) { t.PrzejscieNaNastepny(); });
    krok(nbOstatni, "nbOstatni", QStyle::SP_MediaSkipForward, "Ostatni szablon",
         [](TcTabelaDbf& t) { t.PrzejscieNaOstatni(); });
    gora->addWidget(nvSzablon, 0, Qt::AlignVCenter);
    gora->addSpacing(8);
    przyciski_ = new QHBoxLayout();
    przyciski_->setSpacing(0);
    gora->addLayout(przyciski_);
    gora->addStretch(1);
    uklad->addWidget(paGora);

    gr_Szablon = new QTableView(this);
    gr_Szablon->setObjectName(QStringLiteral("gr_Szablon"));
    gr_Szablon->setModel(model_.get());
    gr_Szablon->setSelectionMode(QAbstractItemView::SingleSelection);
    gr_Szablon->setSelectionBehavior(QAbstractItemView::SelectRows);
    gr_Szablon->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gr_Szablon->setShowGrid(true);
    gr_Szablon->setTabKeyNavigation(false);
    gr_Szablon->setWordWrap(false);
    gr_Szablon->verticalHeader()->setVisible(false);
    gr_Szablon->horizontalHeader()->setSectionsClickable(false);
    gr_Szablon->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    gr_Szablon->horizontalHeader()->setStretchLastSection(false);
    gr_Szablon->setColumnWidth(0, SzerokoscOpisu);
    {   // The current row stays visible when the grid loses the focus.
        QPalette p = gr_Szablon->palette();
        p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
        p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
        gr_Szablon->setPalette(p);
    }
    uklad->addWidget(gr_Szablon, 1);
    gr_Szablon->installEventFilter(this);

    connect(gr_Szablon->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& biezacy) {
                if (pokazywanie_ || !biezacy.isValid()) return;
                model_->UstawienieBiezacego(biezacy.row());
            });
    connect(gr_Szablon, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) {
        if (i.isValid()) gr_SzablonDblClick();
    });

    acZamknij = new QAction(PLq("&Zamknij"), this);
    acZamknij->setObjectName(QStringLiteral("acZamknij"));
    addAction(acZamknij);
    connect(acZamknij, &QAction::triggered, this, &TOknoSzablonow::acZamknijExecute);

    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &TOknoSzablonow::sbPomocClick);
}

TOknoSzablonow::~TOknoSzablonow() = default;

QAction* TOknoSzablonow::Akcja(const char* nazwa, const char* napis, const char* podpowiedz) {
    auto* a = new QAction(PLq(napis), this);
    a->setObjectName(QString::fromLatin1(nazwa));
    a->setToolTip(PLq(podpowiedz));
    a->setStatusTip(a->toolTip());
    addAction(a);
    return a;
}

TPrzyciskObrazkowy* TOknoSzablonow::Przycisk(const char* nazwa, TGlif glif, QAction* akcja) {
    auto* b = new TPrzyciskObrazkowy(paGora, nazwa, glif);
    b->setFixedSize(SzerokoscPrzycisku, TPrzyciskObrazkowy::Wysokosc);
    b->setAutoRaise(true);
    if (akcja != nullptr) b->UstawienieAkcji(akcja);
    przyciski_->addWidget(b);
    return b;
}

void TOknoSzablonow::Zakonczenie(const char* podpowiedzZamkniecia) {
    sbPomoc = Przycisk("sbPomoc", TGlif::Pomoc, nullptr);
    sbPomoc->UstawienieNapisu(QStringLiteral("Pomoc"), QStringLiteral("Pomoc"));
    sbPomoc->setFocusPolicy(Qt::TabFocus);
    connect(sbPomoc, &QToolButton::clicked, this, &TOknoSzablonow::sbPomocClick);

    acZamknij->setToolTip(PLq(podpowiedzZamkniecia));
    acZamknij->setStatusTip(acZamknij->toolTip());
    sbZamknij = Przycisk("sbZamknij", TGlif::Zamknij, acZamknij);
    sbZamknij->UstawienieAnulujacego(true);

    mBezczynnosc::Rejestracja(this, [this] { NawigatorUpdate(); });
    NawigatorUpdate();
    PokazanieBiezacego();
    gr_Szablon->setFocus();
    if (QScreen* ekran = QGuiApplication::primaryScreen()) {
        const QRect r = ekran->availableGeometry();
        move(r.x() + (r.width() - width()) / 2, r.y() + (r.height() - height()) / 2);
    }
}

void TOknoSzablonow::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (pokazane_) return;
    pokazane_ = true;
    FormShow();
    gr_Szablon->setFocus();
}

void TOknoSzablonow::FormShow() {
    tabela_.PrzejscieNaPierwszy();
    PokazanieBiezacego();
    NawigatorUpdate();
}

void TOknoSzablonow::Odswiezenie() {
    model_->Odswiezenie();
    PokazanieBiezacego();
    NawigatorUpdate();
}

void TOknoSzablonow::PokazanieBiezacego() {
    const int wiersz = model_->BiezacyWiersz();
    pokazywanie_ = true;
    if (wiersz < 0) {
        gr_Szablon->selectionModel()->clear();
    } else {
        const QModelIndex i = model_->index(wiersz, 0);
        gr_Szablon->selectionModel()->setCurrentIndex(
            i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        gr_Szablon->scrollTo(i);
    }
    pokazywanie_ = false;
}

void TOknoSzablonow::NawigatorUpdate() {
    const int wiersz = model_->BiezacyWiersz();
    const int liczba = model_->rowCount();
    nbPierwszy->setEnabled(wiersz > 0);
    nbPoprzedni->setEnabled(wiersz > 0);
    nbNastepny->setEnabled(wiersz >= 0 && wiersz < liczba - 1);
    nbOstatni->setEnabled(wiersz >= 0 && wiersz < liczba - 1);
}

bool TOknoSzablonow::eventFilter(QObject* obiekt, QEvent* e) {
    if (obiekt == gr_Szablon && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (gr_SzablonKeyDown(k)) return true;
    }
    return QDialog::eventFilter(obiekt, e);
}

bool TOknoSzablonow::gr_SzablonKeyDown(QKeyEvent* klawisz) {
    if ((klawisz->key() == Qt::Key_Return || klawisz->key() == Qt::Key_Enter) &&
        (klawisz->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        gr_SzablonDblClick();
        return true;
    }
    return false;
}

void TOknoSzablonow::acZamknijExecute() { reject(); }

void TOknoSzablonow::sbPomocClick() { mPomoc(KontekstPomocy); }

// ---- TkSzablon ----

TkSzablon::TkSzablon(TcSesja& sesja, TcTabelaDbf& tabela, QWidget* rodzic)
    : TOknoSzablonow(sesja, tabela, "TkSzablon", PLq("Kartoteka szablonów"), rodzic) {
    acDopiszSzablon = Akcja("acDopiszSzablon", "&Dopisz", "Dopisanie nowego szablonu");
    acPoprawSzablon = Akcja("acPoprawSzablon", "&Popraw", "Poprawienie bieżącego szablonu");
    acUsunSzablon = Akcja("acUsunSzablon", "&Usuń", "Usunięcie bieżącego szablonu");
    acKopiujSzablon = Akcja("acKopiujSzablon", "&Kopiuj", "Skopiowanie bieżącego szablonu");
    acDopiszSzablon->setShortcut(QKeySequence(Qt::Key_Insert));
    acUsunSzablon->setShortcut(QKeySequence(Qt::Key_Delete));
    connect(acDopiszSzablon, &QAction::triggered, this, &TkSzablon::acDopiszSzablonExecute);
    connect(acPoprawSzablon, &QAction::triggered, this, &TkSzablon::acPoprawSzablonExecute);
    connect(acUsunSzablon, &QAction::triggered, this, &TkSzablon::acUsunSzablonExecute);
    connect(acKopiujSzablon, &QAction::triggered, this, &TkSzablon::acKopiujSzablonExecute);

    sbDopisz = Przycisk("sbDopisz", TGlif::Dodaj, acDopiszSzablon);
    sbPopraw = Przycisk("sbPopraw", TGlif::Edycja, acPoprawSzablon);
    sbUsun = Przycisk("sbUsun", TGlif::Usun, acUsunSzablon);
    sbKopiuj = Przycisk("sbKopiuj", TGlif::Kopiuj, acKopiujSzablon);
    Zakonczenie("Zamknięcie kartoteki");

    mBezczynnosc::Rejestracja(this, [this] {
        acPoprawSzablonUpdate();
        acUsunSzablonUpdate();
        acKopiujSzablonUpdate();
    });
    acPoprawSzablonUpdate();
    acUsunSzablonUpdate();
    acKopiujSzablonUpdate();
}

TkSzablon::~TkSzablon() = default;

void TkSzablon::EdycjaSzablonu(int tryb) {
    {
        TfSzablon okno(sesja_, tabela_, tryb, this);
        okno.exec();
    }
    Odswiezenie();
}

void TkSzablon::acDopiszSzablonExecute() { EdycjaSzablonu(1); }

void TkSzablon::acPoprawSzablonUpdate() { acPoprawSzablon->setEnabled(!tabela_.Pusta()); }

void TkSzablon::acPoprawSzablonExecute() {
    if (tabela_.Pusta()) return;
    EdycjaSzablonu(2);
}

void TkSzablon::acUsunSzablonUpdate() { acUsunSzablon->setEnabled(!tabela_.Pusta()); }

void TkSzablon::acUsunSzablonExecute() {
    if (tabela_.Pusta()) return;
    if (!Pytanie(PLq("Potwierdź usuwanie"), PLq("Czy usunąć szablon?"), 0)) return;
    tabela_.Usuniecie();
    Odswiezenie();
}

void TkSzablon::acKopiujSzablonUpdate() { acKopiujSzablon->setEnabled(!tabela_.Pusta()); }

void TkSzablon::acKopiujSzablonExecute() {
    if (tabela_.Pusta()) return;
    const std::vector<TPoleDbf>& pola = tabela_.Pola();
    std::vector<std::optional<std::string>> wartosci;
    wartosci.reserve(pola.size());
    for (size_t i = 0; i < pola.size(); ++i) wartosci.push_back(tabela_.OdczytaniePola(static_cast<int>(i)));
    const std::string opis = OpisKopii(tabela_, tabela_.OdczytaniePola("OPIS").value_or(std::string()));
    const int32_t id = AutoInkrementacja(tabela_);
    tabela_.Dopisanie();
    try {
        for (size_t i = 0; i < pola.size(); ++i) tabela_.ZapisaniePola(pola[i].Nazwa, wartosci[i]);
        tabela_.ZapisanieLiczby("ID_SZABL", id);
        tabela_.ZapisaniePola("OPIS", opis);
        tabela_.Zatwierdzenie();
    } catch (...) {
        if (tabela_.Stan() != TStanTabeli::Przegladanie) tabela_.Anulowanie();
        Odswiezenie();
        throw;
    }
    Odswiezenie();
}

void TkSzablon::gr_SzablonDblClick() {
    if (acPoprawSzablon->isEnabled() && !tabela_.Pusta()) acPoprawSzablonExecute();
}

bool TkSzablon::gr_SzablonKeyDown(QKeyEvent* klawisz) {
    if (klawisz->key() == Qt::Key_Delete && (klawisz->modifiers() & Qt::ControlModifier)) return true;
    return TOknoSzablonow::gr_SzablonKeyDown(klawisz);
}
