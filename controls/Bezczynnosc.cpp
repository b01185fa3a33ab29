#include "Bezczynnosc.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <vector>

#include "Tekst.h"
#include "mDialog.h"

namespace {

struct TObsluga {
    QPointer<QWidget> kontrolka;
    std::function<void()> obsluga;
};

std::vector<TObsluga>& Obslugi() {
    static std::vector<TObsluga> lista;
    return lista;
}

bool& Trwa() {
    static bool trwa = false;
    return trwa;
}

void Podlaczenie() {
    static QPointer<QAbstractEventDispatcher> podlaczony;
    QAbstractEventDispatcher* d = QAbstractEventDispatcher::instance(qApp ? qApp->thread() : nullptr);
    if (d == nullptr || podlaczony == d) return;
    podlaczony = d;
    QObject::connect(d, &QAbstractEventDispatcher::aboutToBlock, d, [] { mBezczynnosc::Wykonanie(); });
}

}  // namespace

namespace mBezczynnosc {

void Rejestracja(QWidget* kontrolka, std::function<void()> obsluga) {
    Podlaczenie();
    Obslugi().push_back({kontrolka, std::move(obsluga)});
}

void Wykonanie() {
    if (Trwa()) return;
    struct TStraz { TStraz() { Trwa() = true; } ~TStraz() { Trwa() = false; } } straz;
    std::vector<TObsluga>& lista = Obslugi();
    std::erase_if(lista, [](const TObsluga& o) { return o.kontrolka.isNull(); });
    QWidget* modalne = QApplication::activeModalWidget();
    // Copied: a handler may register or destroy windows.
    const std::vector<TObsluga> kopia = lista;
    for (const TObsluga& o : kopia) {
        if (o.kontrolka.isNull()) continue;
        QWidget* okno = o.kontrolka->window();
        if (!okno->isVisible()) continue;
        if (modalne != nullptr && okno != modalne) continue;
        // The idle hook runs outside any event handler, so its errors are shown here.
        try {
            o.obsluga();
        } catch (const std::exception& b) {
            Ostrzezenie(QCoreApplication::applicationName(), qs(b.what()));
        }
    }
}

}  // namespace mBezczynnosc
