// TEditN: the single-line field of every typed entry. Its value type filters the keys
// typed into it, completes and checks the text when the field is left and keeps the value
// as a number, date or time. Wrong values bring a warning and the focus back, and set
// BlednaWartosc, which forms read before accepting.
//
//   date field, today 21-03-2003:   "5" -> "05-03-2003", "1204" -> "12-04-2003",
//                                   "12.04.2005" -> "12-04-2005", "31022005" -> warning
//   time field (no seconds):        "9" -> "09:00", "123" -> "12:03", "2500" -> warning
//   integer field:                  "12-" -> ValueInteger -12, text "-12" once left
//   float field, EditPrecision 2:   "3.14159" -> "3.14", "" -> "0.00"
//   text, FirstCharUpper:           typing "jan (kowal" gives "Jan (Kowal"
//
// While focused the field takes its focus colours (and WidthOnFocus, when set); Esc restores
// the text it had on entry unless the window has a cancel button; the character
// EditKeyByTab moves to the next field. Values of dates and times are day counts from
// 30 December 1899 (see Zegar.h); "today" comes from mZegar.
#pragma once

#include <QColor>
#include <QLineEdit>
#include <functional>

class TEditN : public QLineEdit {
    Q_OBJECT
public:
    enum TEditTypes { etString, etInteger, etFloat, etDate, etTime, etCardinal };
    enum TEditAlign { etAlignRight, etAlignLeft, etAlignCenter, etAlignNone, etAlignValue };

    explicit TEditN(QWidget* rodzic = nullptr, const char* nazwa = nullptr);

    void setColorOnFocus(const QColor& k) { ColorOnFocus_ = k; Kolory(); }
    void setColorOnNotFocus(const QColor& k) { ColorOnNotFocus_ = k; Kolory(); }
    void setFontColorOnFocus(const QColor& k) { FontColorOnFocus_ = k; Kolory(); }
    void setFontColorOnNotFocus(const QColor& k) { FontColorOnNotFocus_ = k; Kolory(); }
    QColor ColorOnFocus() const { return ColorOnFocus_; }
    QColor ColorOnNotFocus() const { return ColorOnNotFocus_; }
    QColor FontColorOnFocus() const { return FontColorOnFocus_; }
    QColor FontColorOnNotFocus() const { return FontColorOnNotFocus_; }

    TEditTypes EditType = etString;
    QChar EditKeyByTab = QChar(9);
    TEditAlign EditAlign = etAlignNone;
    int EditLengthAlign = 0;
    int EditPrecision = 0;
    double ValueFloat = 0;
    int ValueInteger = 0;
    double ValueDate;          // today at creation
    double ValueTime;          // the time of creation
    bool TimeSeconds = false;
    bool FirstCharUpper = false;
    QString FirstCharUpList = QStringLiteral(" (");
    int WidthOnFocus = 0;

    // Set when the last check of the text failed with its warning.
    bool BlednaWartosc = false;

    // The field's own key-press event: sees each typed character after the type's filter and
    // may change it or reject it (set it to QChar()).
    std::function<void(TEditN&, QChar&)> OnKeyPress;

    // The maximum length, 0 meaning no limit (a template or a caller may store 0).
    int MaxLength() const;
    void setMaxLength0(int dlugosc);

    // Completion of the text when the field is left (date and time fields).
    void UzupelnienieDaty();
    void UzupelnienieCzasu();

signals:
    void OnEnter();
    void OnExit();
    void OnChange();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void Kolory();
    void Zmiana();
    void Wejscie();
    void Wyjscie();
    void Blad(const QString& tytul, const QString& tekst);

    QColor ColorOnFocus_{255, 255, 255};
    QColor ColorOnNotFocus_{192, 192, 192};
    QColor FontColorOnFocus_{255, 0, 0};
    QColor FontColorOnNotFocus_{0, 0, 0};
    bool maFokus_ = false;          // between the field's own entry and exit
    QString tekstWejscia_;
    int szerokoscPrzedFokusem_ = 0;
};
