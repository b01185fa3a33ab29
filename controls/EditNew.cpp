#include "EditNew.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <cmath>

#include "PrzyciskObrazkowy.h"
#include "Tekst.h"
#include "WartoscPola.h"
#include "Zegar.h"
#include "cp1250.h"
#include "mDialog.h"

namespace {

constexpr int BezOgraniczenia = 32767;  // QLineEdit's default maximum length

bool Cyfra(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// Ctrl+C, Backspace, Enter, Ctrl+V and Ctrl+X pass the numeric, date and time filters.
bool DozwolonySterujacy(QChar c) {
    const char16_t u = c.unicode();
    return u == 3 || u == 8 || u == 13 || u == 22 || u == 24;
}

// The character a key press types, as the field's filters expect it: Ctrl+letter is the
// control code of the letter (Ctrl+C is 3, Ctrl+V 22); keys that type nothing (arrows,
// Delete, F-keys) give QChar().
// Ctrl+Alt is AltGr on Polish keyboards: its letters (ą, ę, ...) are typed characters.
QChar ZnakKlawisza(const QKeyEvent* e) {
    const Qt::KeyboardModifiers mod = e->modifiers();
    const bool ctrl = mod & Qt::ControlModifier, alt = mod & Qt::AltModifier;
    if (ctrl && !alt) {
        if (e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z) return QChar(char16_t(e->key() - Qt::Key_A + 1));
        return {};
    }
    const QString t = e->text();
    if (t.size() != 1 || t[0].unicode() == 127) return {};
    return t[0];
}

QChar Wielka(QChar c) {
    const std::string b = cp(QString(c));
    if (b.size() != 1) return c.toUpper();
    return qs(std::string(1, static_cast<char>(cp1250::upper(static_cast<unsigned char>(b[0])))))[0];
}

QString WielkaPierwsza(const QString& t) {
    if (t.isEmpty()) return t;
    return Wielka(t[0]) + t.mid(1);
}

const QString MsgZakresCalkowity = QStringLiteral("Zakres : -2147483647 <-> 2147483647");
const QString MsgZakresOgolny = QStringLiteral(
    "Zakres:\r\n - Integer : -2147483647 <-> 2147483647\r\n - Float   : 5.0e-324 <-> 1.7e+308");

}  // namespace

TEditN::TEditN(QWidget* rodzic, const char* nazwa) : QLineEdit(rodzic) {
    if (nazwa != nullptr) setObjectName(QString::fromLatin1(nazwa));
    ValueDate = mZegar::Dzis();
    ValueTime = mZegar::Teraz() - mZegar::Dzis();
    Kolory();
    connect(this, &QLineEdit::textChanged, this, &TEditN::Zmiana);
}

int TEditN::MaxLength() const { return maxLength() >= BezOgraniczenia ? 0 : maxLength(); }

void TEditN::setMaxLength0(int dlugosc) { setMaxLength(dlugosc <= 0 ? BezOgraniczenia : dlugosc); }

void TEditN::Kolory() {
    QPalette p = palette();
    const QColor tlo = maFokus_ ? ColorOnFocus_ : ColorOnNotFocus_;
    const QColor pismo = maFokus_ ? FontColorOnFocus_ : FontColorOnNotFocus_;
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(g, QPalette::Base, tlo);
        p.setColor(g, QPalette::Text, pismo);
    }
    setPalette(p);
}

void TEditN::keyPressEvent(QKeyEvent* e) {
    // Alt+letter is a window's accelerator, never text.
    if ((e->modifiers() & Qt::AltModifier) && !(e->modifiers() & Qt::ControlModifier)) {
        e->ignore();
        return;
    }
    const QChar wpisany = ZnakKlawisza(e);
    if (wpisany.isNull()) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    if (wpisany == EditKeyByTab) {
        focusNextChild();
        e->accept();
        return;
    }
    if (wpisany.unicode() == 27) {
        // In a window with a cancel button Esc belongs to that button.
        if (mOknoMaPrzyciskAnulowania(this)) {
            e->ignore();
            return;
        }
        setText(tekstWejscia_);
        e->accept();
        return;
    }

    QChar c = wpisany;
    const QString t = text();
    const bool sterujacy = DozwolonySterujacy(c);
    switch (EditType) {
    case etString:
        if (FirstCharUpper && c.unicode() >= 32) {
            const bool wszystko = hasSelectedText() && selectedText().size() == t.size();
            if (t.isEmpty() || wszystko || FirstCharUpList.contains(t.back())) c = Wielka(c);
        }
        break;
    case etInteger:
        if ((t.contains(QLatin1Char('-')) || c == QLatin1Char('-')) && MaxLength() == 0) setMaxLength0(11);
        if (!sterujacy && !Cyfra(c) && !(c == QLatin1Char('-') && !t.contains(QLatin1Char('-')))) c = QChar();
        break;
    case etFloat:
        if (c == QLatin1Char(',') || c == QLatin1Char('.')) {
            c = (t.contains(QLatin1Char(',')) || t.contains(QLatin1Char('.'))) ? QChar() : QLatin1Char('.');
        } else if (!sterujacy && !Cyfra(c) && !(c == QLatin1Char('-') && !t.contains(QLatin1Char('-')))) {
            c = QChar();
        }
        break;
    case etDate:
        if (c == QLatin1Char('.') || c == QLatin1Char('/')) c = QLatin1Char('-');
        else if (!sterujacy && !Cyfra(c) && c != QLatin1Char('-')) c = QChar();
        break;
    case etTime:
        if (!sterujacy && !Cyfra(c) && c != QLatin1Char(':')) c = QChar();
        break;
    case etCardinal:
        if (MaxLength() == 0) setMaxLength0(11);
        if (!sterujacy && !Cyfra(c)) c = QChar();
        break;
    }
    if (!c.isNull() && OnKeyPress) OnKeyPress(*this, c);
    if (c.isNull()) {
        e->accept();
        return;
    }
    if (c == wpisany || c.unicode() < 32) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    QKeyEvent zmieniony(e->type(), e->key(), e->modifiers() & Qt::ShiftModifier, QString(c));
    QLineEdit::keyPressEvent(&zmieniony);
    e->setAccepted(zmieniony.isAccepted());
}

void TEditN::Blad(const QString& tytul, const QString& tekst) {
    Ostrzezenie(tytul, tekst);
    BlednaWartosc = true;
    setFocus(Qt::OtherFocusReason);
}

void TEditN::Zmiana() {
    const bool liczbowy = EditType == etInteger || EditType == etCardinal || EditType == etFloat;
    const QString t = text();
    if (!liczbowy || t.isEmpty()) {
        emit OnChange();
        return;
    }
    const QString czysty = qs(mWartosc::OczyszczonaLiczba(cp(t), EditType == etFloat));
    if (czysty != t) {
        setText(czysty);  // the change handling runs again on the cleaned text
        return;
    }
    BlednaWartosc = false;
    const mWartosc::Liczba l = mWartosc::OdczytLiczby(cp(t), EditType == etFloat);
    ValueFloat = l.rzeczywista;
    ValueInteger = l.calkowita;
    if (l.wynik == mWartosc::Liczba::Bledna) Blad(QStringLiteral("Błąd zakresu"), MsgZakresOgolny);
    if (l.wynik == mWartosc::Liczba::ZaDuzaCalkowita) Blad(QStringLiteral("Błąd zakresu"), MsgZakresCalkowity);
    emit OnChange();
}

void TEditN::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    // Coming back to the window is not entering the field.
    if (!maFokus_) Wejscie();
}

void TEditN::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    // Leaving the window (another window, a menu) is not leaving the field.
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason) return;
    if (maFokus_) Wyjscie();
}

void TEditN::Wejscie() {
    maFokus_ = true;
    if (EditType == etFloat && MaxLength() == 0) setMaxLength0(16);
    Kolory();
    tekstWejscia_ = text();
    if (WidthOnFocus > 0) {
        szerokoscPrzedFokusem_ = width();
        resize(WidthOnFocus, height());
    }
    if (EditType == etDate) setMaxLength0(10);
    if (EditType == etTime) setMaxLength0(TimeSeconds ? 8 : 5);
    emit OnEnter();
}

void TEditN::Wyjscie() {
    maFokus_ = false;
    Kolory();
    if (WidthOnFocus > 0) resize(szerokoscPrzedFokusem_, height());

    if (EditType == etString && !text().isEmpty()) {
        QString t = text();
        if (FirstCharUpper) t = WielkaPierwsza(t);
        if (EditAlign != etAlignNone && EditAlign != etAlignValue && EditLengthAlign > 0 &&
            t.size() < EditLengthAlign) {
            switch (EditAlign) {
            case etAlignRight:
                t = QString(EditLengthAlign - t.size(), QLatin1Char(' ')) + t;
                break;
            case etAlignLeft: {
                qsizetype i = 0;
                while (i < t.size() && t[i] == QLatin1Char(' ')) ++i;
                t = t.mid(i);
                t += QString(EditLengthAlign - t.size(), QLatin1Char(' '));
                break;
            }
            case etAlignCenter: {
                const int brak = EditLengthAlign - static_cast<int>(t.size());
                const int przed = static_cast<int>(std::lrint(brak / 2.0));  // halves to even
                t = QString(przed, QLatin1Char(' ')) + t + QString(brak - przed, QLatin1Char(' '));
                break;
            }
            default:
                break;
            }
        }
        if (t != text()) setText(t);
    }
    const auto zera = [this] {
        if (EditAlign == etAlignValue && EditLengthAlign > 0 && text().size() < EditLengthAlign)
            setText(QString(EditLengthAlign - text().size(), QLatin1Char('0')) + text());
    };
    if (EditType == etInteger || EditType == etCardinal) zera();
    if (EditType == etInteger || EditType == etFloat) {
        const QString m = qs(mWartosc::MinusNaPoczatek(cp(text())));
        if (m != text()) setText(m);
    }
    if (EditType == etFloat && EditPrecision > 0) {
        QString t = text().isEmpty() ? QStringLiteral("0") : text();
        const qsizetype kropka = t.indexOf(QLatin1Char('.'));
        if (kropka >= 0) {
            t = t.left(kropka + 1 + EditPrecision);
            while (t.size() - kropka - 1 < EditPrecision) t += QLatin1Char('0');
        } else {
            t += QLatin1Char('.') + QString(EditPrecision, QLatin1Char('0'));
        }
        if (t != text()) setText(t);
    }
    if (EditType == etFloat) zera();
    if (EditType == etDate) UzupelnienieDaty();
    if (EditType == etTime) UzupelnienieCzasu();
    emit OnExit();
}

void TEditN::UzupelnienieDaty() {
    BlednaWartosc = false;
    ValueDate = ValueFloat = 0;
    ValueInteger = 0;
    if (text().isEmpty()) return;
    const QDate dzis = mZegar::DzisData();
    const std::string u = mWartosc::UzupelnionaData(cp(text()), {dzis.year(), dzis.month(), dzis.day()});
    const std::optional<mWartosc::Data> d = mWartosc::OdczytDaty(u);
    if (!d) {
        Blad(QStringLiteral("Błędny format"), QStringLiteral("Błąd w formacie daty."));
        return;
    }
    setText(qs(u));
    ValueDate = ValueFloat = static_cast<double>(mWartosc::DniOd1899(*d));
    ValueInteger = static_cast<int>(ValueDate);
}

void TEditN::UzupelnienieCzasu() {
    BlednaWartosc = false;
    if (text().isEmpty()) {
        ValueTime = ValueFloat = 0;
        ValueInteger = 0;
        return;
    }
    const std::string u = mWartosc::UzupelnionyCzas(cp(text()), TimeSeconds);
    const std::optional<int> sekundy = mWartosc::OdczytCzasu(u, TimeSeconds);
    if (!sekundy) {
        ValueTime = ValueFloat = 0;
        Blad(QStringLiteral("Błędny format"), QStringLiteral("Błąd w formacie czasu."));
        return;
    }
    setText(qs(u));
    ValueTime = ValueFloat = *sekundy / 86400.0;
}
