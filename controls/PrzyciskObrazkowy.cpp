#include "PrzyciskObrazkowy.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>

namespace {

// Enter and Esc of one window, for its default and cancel buttons. Installed on the window;
// it sees the keys that the focused control left unhandled on their way up.
class TKlawiszeOkna : public QObject {
public:
    explicit TKlawiszeOkna(QWidget* okno) : QObject(okno), okno_(okno) {
        setObjectName(QStringLiteral("TKlawiszeOkna"));
    }

    bool eventFilter(QObject* obiekt, QEvent* e) override {
        if (obiekt != okno_ || e->type() != QEvent::KeyPress) return false;
        auto* k = static_cast<QKeyEvent*>(e);
        const Qt::KeyboardModifiers mod = k->modifiers() & ~Qt::KeypadModifier;
        if (mod != Qt::NoModifier) return false;
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            QWidget* fokus = QApplication::focusWidget();
            // A focused push button acts as the default button; check boxes and the like do not.
            auto* b = qobject_cast<QAbstractButton*>(fokus);
            if (b != nullptr && !qobject_cast<QPushButton*>(b) && !qobject_cast<QToolButton*>(b)) b = nullptr;
            if (b != nullptr && b->window() == okno_) {
                if (b->isEnabled()) b->click();
                return true;
            }
            if (TPrzyciskObrazkowy* d = Znalezienie(true)) {
                d->click();
                return true;
            }
        } else if (k->key() == Qt::Key_Escape) {
            if (TPrzyciskObrazkowy* a = Znalezienie(false)) {
                a->click();
                return true;
            }
        }
        return false;
    }

    TPrzyciskObrazkowy* Znalezienie(bool domyslny) const {
        for (TPrzyciskObrazkowy* b : okno_->findChildren<TPrzyciskObrazkowy*>()) {
            if (b->window() != okno_ || !b->isVisibleTo(okno_)) continue;
            if (domyslny ? b->Domyslny() : b->Anulujacy()) return b->isEnabled() ? b : nullptr;
        }
        return nullptr;
    }

private:
    QWidget* okno_;
};

}  // namespace

TPrzyciskObrazkowy::TPrzyciskObrazkowy(QWidget* rodzic, const char* nazwa, TGlif glif) : QToolButton(rodzic) {
    setObjectName(QString::fromLatin1(nazwa));
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setIconSize(QSize(24, 24));
    setFixedSize(Szerokosc, Wysokosc);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAutoRaise(false);
    // The longest captions ("Wyłącz z&liczanie") must fit 80 pixels whole.
    QFont czcionka = font();
    czcionka.setFamily(QStringLiteral("DejaVu Sans"));
    czcionka.setStretch(QFont::Condensed);
    czcionka.setPixelSize(10);
    setFont(czcionka);
    if (glif != TGlif::Brak) setIcon(mGlif(glif));
    connect(this, &QToolButton::clicked, this, [this] {
        if (akcja_ != nullptr && akcja_->isEnabled()) akcja_->trigger();
    });
}

void TPrzyciskObrazkowy::UstawienieNapisu(const QString& napis, const QString& podpowiedz) {
    setText(napis);
    setToolTip(podpowiedz);
    setStatusTip(podpowiedz);
}

void TPrzyciskObrazkowy::UstawienieAkcji(QAction* akcja) {
    if (akcja_ != nullptr) disconnect(akcja_, nullptr, this, nullptr);
    akcja_ = akcja;
    if (akcja_ != nullptr) connect(akcja_, &QAction::changed, this, &TPrzyciskObrazkowy::Odswiezenie);
    Odswiezenie();
}

void TPrzyciskObrazkowy::Odswiezenie() {
    if (akcja_ == nullptr) return;
    // The action's own text keeps its "&"; QToolButton::setDefaultAction would drop it.
    setText(akcja_->text());
    setToolTip(akcja_->toolTip());
    setStatusTip(akcja_->statusTip());
    setEnabled(akcja_->isEnabled());
}

void TPrzyciskObrazkowy::UstawienieDomyslnego(bool domyslny) {
    domyslny_ = domyslny;
    PodlaczenieOkna();
}

void TPrzyciskObrazkowy::UstawienieAnulujacego(bool anulujacy) {
    anulujacy_ = anulujacy;
    PodlaczenieOkna();
}

void TPrzyciskObrazkowy::PodlaczenieOkna() {
    if (!domyslny_ && !anulujacy_) return;
    QWidget* okno = window();
    if (okno->findChild<TKlawiszeOkna*>(QStringLiteral("TKlawiszeOkna"), Qt::FindDirectChildrenOnly)) return;
    okno->installEventFilter(new TKlawiszeOkna(okno));
}

bool TPrzyciskObrazkowy::event(QEvent* e) {
    if (e->type() == QEvent::ParentChange) PodlaczenieOkna();
    return QToolButton::event(e);
}

bool mOknoMaPrzyciskAnulowania(const QWidget* kontrolka) {
    const QWidget* okno = kontrolka->window();
    // A dialog closes on Esc by itself, through its cancel button's reject.
    if (qobject_cast<const QDialog*>(okno) != nullptr) return true;
    for (TPrzyciskObrazkowy* b : okno->findChildren<TPrzyciskObrazkowy*>()) {
        if (b->Anulujacy() && b->window() == okno && b->isVisibleTo(okno)) return true;
    }
    return false;
}
