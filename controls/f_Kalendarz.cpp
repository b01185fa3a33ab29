#include "f_Kalendarz.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLocale>

#include "EditNew.h"
#include "PrzyciskObrazkowy.h"
#include "Tekst.h"
#include "Zegar.h"

namespace {

TEditN* Pole(TEditN* pole) {
    if (pole == nullptr) throw EInvalidOperation(cp(PLq("Wskaźnik do kontrolki daty jest pusty. ")));
    return pole;
}

}  // namespace

TfKalendarz::TfKalendarz(TEditN* pole, QWidget* rodzic)
    : QDialog(rodzic, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      pole_(Pole(pole)) {
    setObjectName(QStringLiteral("TfKalendarz"));
    setWindowTitle(PLq("Wybierz datę"));
    setFixedSize(320, 185);

    tcKalendarz = new QFrame(this);
    tcKalendarz->setObjectName(QStringLiteral("tcKalendarz"));
    tcKalendarz->setFrameShape(QFrame::StyledPanel);
    tcKalendarz->setGeometry(8, 8, 213, 169);

    mcKalendarz = new QCalendarWidget(tcKalendarz);
    mcKalendarz->setObjectName(QStringLiteral("mcKalendarz"));
    // Six weeks, the weekday row and the month bar share 154 pixels, seven columns of 28: no
    // week numbers, no grid, and the weekdays by their Polish one-letter names ("niedz." and
    // "czw." do not fit a column whole).
    mcKalendarz->setLocale(QLocale(QLocale::Polish, QLocale::Poland));
    mcKalendarz->setFirstDayOfWeek(Qt::Monday);
    mcKalendarz->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    mcKalendarz->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    mcKalendarz->setGridVisible(false);
    mcKalendarz->setFocusPolicy(Qt::StrongFocus);
    mcKalendarz->setGeometry(8, 8, 197, 154);
    // The calendar's own view takes Enter for itself; here Enter belongs to the window's
    // default button, as it does over every other control of the window.
    if (auto* widok = mcKalendarz->findChild<QAbstractItemView*>()) widok->installEventFilter(this);

    pbZatwierdz = new TPrzyciskObrazkowy(this, "pbZatwierdz", TGlif::Wybierz);
    pbZatwierdz->move(232, 69);
    pbZatwierdz->UstawienieNapisu(PLq("Zatwierdź"), PLq("Wpisanie wybranego dnia do pola daty (Enter)"));
    pbZatwierdz->UstawienieDomyslnego(true);
    connect(pbZatwierdz, &QToolButton::clicked, this, &TfKalendarz::pbZatwierdzClick);

    pbAnuluj = new TPrzyciskObrazkowy(this, "pbAnuluj", TGlif::Zamknij);
    pbAnuluj->move(232, 125);
    pbAnuluj->UstawienieNapisu(PLq("Anuluj"), PLq("Zamknięcie okna bez zmiany daty (Esc)"));
    pbAnuluj->UstawienieAnulujacego(true);
    connect(pbAnuluj, &QToolButton::clicked, this, &TfKalendarz::pbAnulujClick);

    setTabOrder(mcKalendarz, pbZatwierdz);
    setTabOrder(pbZatwierdz, pbAnuluj);

    // Today from the program's clock (which tests fix), never the field's value.
    const QDate dzis = mZegar::DzisData();
    mcKalendarz->setSelectedDate(dzis);
    mcKalendarz->setCurrentPage(dzis.year(), dzis.month());
    mcKalendarz->setFocus(Qt::OtherFocusReason);
}

void TfKalendarz::pbZatwierdzClick() {
    const QDate d = mcKalendarz->selectedDate();
    const double dzien = mZegar::DataCzas(d);
    pole_->ValueDate = dzien;
    pole_->ValueFloat = dzien;
    pole_->ValueInteger = static_cast<int>(dzien);
    pole_->setText(d.toString(QStringLiteral("dd-MM-yyyy")));
    done(1);
}

void TfKalendarz::pbAnulujClick() { done(2); }

void TfKalendarz::reject() { pbAnulujClick(); }

bool TfKalendarz::eventFilter(QObject* obiekt, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        const bool bezModyfikatorow = (k->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (bezModyfikatorow && (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)) {
            QCoreApplication::sendEvent(this, e);
            return true;
        }
    }
    return QDialog::eventFilter(obiekt, e);
}
