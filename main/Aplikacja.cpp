#include "Aplikacja.h"

#include <QFont>
#include <QHelpEvent>
#include <QStyleFactory>
#include <QToolTip>
#include <memory>

#include "Bledy.h"
#include "Glify.h"
#include "Pomoc.h"
#include "Tekst.h"
#include "f_Glowne.h"
#include "mDialog.h"

TAplikacja::TAplikacja(int& argc, char** argv) : QApplication(argc, argv) {
    mUstawieniePlikuPomocy(PlikPomocy());
    setApplicationName(Tytul());
    if (QStyle* s = QStyleFactory::create(QStringLiteral("Fusion"))) setStyle(s);
    QFont czcionka(QStringLiteral("DejaVu Sans"));
    czcionka.setPixelSize(11);
    setFont(czcionka);
    setWindowIcon(mIkonaProgramu());
}

void TAplikacja::PokazanieBledu(const std::exception& blad) {
    Ostrzezenie(Tytul(), qs(blad.what()));
}

bool TAplikacja::notify(QObject* odbiorca, QEvent* e) {
    try {
        // Hints stay 5 seconds.
        if (e->type() == QEvent::ToolTip) {
            auto* w = qobject_cast<QWidget*>(odbiorca);
            if (w != nullptr && !w->toolTip().isEmpty() && w->isEnabled()) {
                auto* h = static_cast<QHelpEvent*>(e);
                QToolTip::showText(h->globalPos(), w->toolTip(), w, QRect(), 5000);
                return true;
            }
        }
        return QApplication::notify(odbiorca, e);
    } catch (const EBladOtwarcia& b) {
        Ostrzezenie(qs(b.Tytul), qs(b.Tekst));
    } catch (const std::exception& b) {
        PokazanieBledu(b);
    }
    return false;
}

int TAplikacja::Uruchomienie(const TOpcjeLadowania& opcje) {
    std::unique_ptr<TfGlowne> okno;
    try {
        okno = std::make_unique<TfGlowne>(opcje);
    } catch (const EBladOtwarcia& b) {
        Ostrzezenie(qs(b.Tytul), qs(b.Tekst));
        return 1;
    } catch (const std::exception& b) {
        PokazanieBledu(b);
        return 1;
    }
    okno->show();
    return exec();
}
