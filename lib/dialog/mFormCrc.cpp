#include "mFormCrc.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

#include "Tekst.h"
#include "mLib.h"

namespace {

// Blanks here are every character up to the space, control characters included.
QString BezOtoczenia(const QString& t) {
    qsizetype a = 0, b = t.size();
    while (a < b && t[a].unicode() <= 32) ++a;
    while (b > a && t[b - 1].unicode() <= 32) --b;
    return t.mid(a, b - a);
}

// Memos hold their lines separated by CR LF.
QString TekstMemo(QString t) {
    t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return t;
}

void Dodanie(uint16_t& suma, const QString& wartosc) { suma = mCrc16(cp(wartosc), suma); }

void Przejscie(const QObject& rodzic, uint16_t& suma) {
    for (const QObject* o : rodzic.children()) {
        if (auto* e = qobject_cast<const QLineEdit*>(o)) {
            // A combo box's own line edit is counted through the combo box.
            if (!qobject_cast<const QComboBox*>(e->parent())) Dodanie(suma, BezOtoczenia(e->text()));
        } else if (auto* g = qobject_cast<const QButtonGroup*>(o)) {
            const QList<QAbstractButton*> przyciski = g->buttons();
            Dodanie(suma, QString::number(przyciski.indexOf(g->checkedButton())));
        } else if (auto* c = qobject_cast<const QCheckBox*>(o)) {
            Dodanie(suma, c->isChecked() ? QStringLiteral("-1") : QStringLiteral("0"));
        } else if (auto* m = qobject_cast<const QPlainTextEdit*>(o)) {
            Dodanie(suma, TekstMemo(m->toPlainText()));
            continue;  // its scroll bars and viewport hold nothing of ours
        } else if (auto* m2 = qobject_cast<const QTextEdit*>(o)) {
            Dodanie(suma, TekstMemo(m2->toPlainText()));
            continue;
        } else if (auto* x = qobject_cast<const QComboBox*>(o)) {
            Dodanie(suma, QString::number(x->currentIndex()));
            continue;
        }
        Przejscie(*o, suma);
    }
}

}  // namespace

uint16_t mFormCrc(const QWidget& okno) {
    uint16_t suma = 0xFFFF;
    Przejscie(okno, suma);
    return suma;
}
