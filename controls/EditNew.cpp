#include "EditNew.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>
#include <cmath>
#include <limits>

#include "PrzyciskObrazkowy.h"
#include "Tekst.h"
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

// "12-" and "1-2" both read as -12: a minus that is not first goes to the front.
QString MinusNaPoczatek(const QString& t) {
    const qsizetype p = t.indexOf(QLatin1Char('-'), 1);
    if (p < 1) return t;
    QString w = t;
    w.remove(p, 1);
    return QLatin1Char('-') + w;
}

QString Cyfry(const QString& t) {
    QString c;
    for (QChar z : t)
        if (Cyfra(z)) c += z;
    return c;
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
    QString czysty;
    for (QChar z : t) {
        const bool dozwolony = Cyfra(z) || z == QLatin1Char('-') ||
                               (EditType == etFloat && (z == QLatin1Char(',') || z == QLatin1Char('.')));
        if (dozwolony) czysty += z;
    }
    if (czysty != t) {
        setText(czysty);  // the change handling runs again on the cleaned text
        return;
    }
    BlednaWartosc = false;
    ValueFloat = 0;
    ValueInteger = 0;
    if (t == QLatin1String("-")) return;
    const QString w = MinusNaPoczatek(t);

    if (EditType == etFloat) {
        bool ok = false;
        const double v = QLocale::c().toDouble(w, &ok);
        if (!ok || !std::isfinite(v) || w.contains(QLatin1Char(','))) {
            ValueInteger = 0;
            ValueFloat = 0;
            Blad(QStringLiteral("Błąd zakresu"), MsgZakresOgolny);
        } else {
            ValueFloat = v;
            const double calkowita = std::trunc(v);
            ValueInteger = std::fabs(calkowita) <= std::numeric_limits<int>::max() ? static_cast<int>(calkowita) : 0;
        }
    } else {
        const QString cyfry = w.startsWith(QLatin1Char('-')) ? w.mid(1) : w;
        if (cyfry.isEmpty() || Cyfry(cyfry) != cyfry) {
            ValueInteger = 0;
            ValueFloat = 0;
            Blad(QStringLiteral("Błąd zakresu"), MsgZakresOgolny);
        } else {
            bool ok = false;
            const qlonglong v = w.toLongLong(&ok);
            if (!ok || v > 2147483647LL || v < -2147483647LL) {
                ValueInteger = 0;
                Blad(QStringLiteral("Błąd zakresu"), MsgZakresCalkowity);
            } else {
                ValueInteger = static_cast<int>(v);
                ValueFloat = static_cast<double>(v);
            }
        }
    }
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
        const QString m = MinusNaPoczatek(text());
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
    const QString c = Cyfry(text());
    const qsizetype n = c.size();
    const QDate dzis = mZegar::DzisData();
    const QString mm = QStringLiteral("%1").arg(dzis.month(), 2, 10, QLatin1Char('0'));
    const QString rrrr = QStringLiteral("%1").arg(dzis.year(), 4, 10, QLatin1Char('0'));
    const QString m = QStringLiteral("-");
    QString u;
    if (n == 0) u.clear();
    else if (n == 1) u = QLatin1Char('0') + c + m + mm + m + rrrr;
    else if (n == 2) u = c + m + mm + m + rrrr;
    else if (n == 3) u = c.left(2) + m + QLatin1Char('0') + c.mid(2, 1) + m + rrrr;
    else if (n == 4) u = c.left(2) + m + c.mid(2, 2) + m + rrrr;
    else if (n <= 7) u = c.left(2) + m + c.mid(2, 2) + m + rrrr.left(8 - n) + c.mid(4);
    else if (n <= 10) u = c.left(2) + m + c.mid(2, 2) + m + c.mid(4, 4);
    else u = c;

    if (text().isEmpty()) {
        ValueDate = ValueFloat = 0;
        ValueInteger = 0;
        return;
    }
    const QDate d = QDate::fromString(u, QStringLiteral("dd-MM-yyyy"));
    if (!d.isValid() || u.size() != 10) {
        ValueDate = ValueFloat = 0;
        ValueInteger = 0;
        Blad(QStringLiteral("Błędny format"), QStringLiteral("Błąd w formacie daty."));
        return;
    }
    setText(u);
    ValueDate = ValueFloat = mZegar::DataCzas(d);
    ValueInteger = static_cast<int>(ValueDate);
}

void TEditN::UzupelnienieCzasu() {
    BlednaWartosc = false;
    const QString c = Cyfry(text());
    const qsizetype n = c.size();
    const QString z = QStringLiteral(":");
    QString u;
    if (TimeSeconds) {
        if (n == 0) u.clear();
        else if (n == 1) u = QLatin1Char('0') + c + z + QStringLiteral("00:00");
        else if (n == 2) u = c + z + QStringLiteral("00:00");
        else if (n == 3) u = c.left(2) + z + QLatin1Char('0') + c.mid(2, 1) + QStringLiteral(":00");
        else if (n == 4) u = c.left(2) + z + c.mid(2, 2) + QStringLiteral(":00");
        else if (n == 5) u = c.left(2) + z + c.mid(2, 2) + z + QLatin1Char('0') + c.mid(4, 1);
        else if (n <= 8) u = c.left(2) + z + c.mid(2, 2) + z + c.mid(4, 2);
        else u = c;
    } else {
        if (n == 0) u.clear();
        else if (n == 1) u = QLatin1Char('0') + c + QStringLiteral(":00");
        else if (n == 2) u = c + QStringLiteral(":00");
        else if (n == 3) u = c.left(2) + z + QLatin1Char('0') + c.mid(2, 1);
        else if (n <= 5) u = c.left(2) + z + c.mid(2, 2);
        else u = c;
    }
    if (text().isEmpty()) {
        ValueTime = ValueFloat = 0;
        ValueInteger = 0;
        return;
    }
    const QTime t = QTime::fromString(u, TimeSeconds ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
    if (!t.isValid() || u.size() != (TimeSeconds ? 8 : 5)) {
        ValueTime = ValueFloat = 0;
        Blad(QStringLiteral("Błędny format"), QStringLiteral("Błąd w formacie czasu."));
        return;
    }
    setText(u);
    ValueTime = ValueFloat = mZegar::Czas(t);
}
