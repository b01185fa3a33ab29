#include "ZrzutyEkranu.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "Aplikacja.h"
#include "CzescDanych.h"
#include "f_Dialog.h"
#include "f_Glowne.h"
#include "f_Winieta.h"
#include "mDialog.h"
#include "s_Przepis.h"

namespace {

void Odczekanie(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

}  // namespace

bool ZapisanieZrzutu(QWidget& okno, const QString& katalog, const QString& nazwa) {
    okno.show();
    okno.raise();
    okno.activateWindow();
    Odczekanie(400);
    const QString plik = QDir(katalog).filePath(nazwa + QStringLiteral(".png"));
    const bool ok = okno.grab().save(plik);
    std::fprintf(stderr, "%s %s\n", ok ? "saved" : "FAILED", plik.toLocal8Bit().constData());
    return ok;
}

int ZrzutyEkranu(const QString& katalog) {
    QDir().mkpath(katalog);
    QTemporaryDir konfiguracja;
    qputenv("BELVASTRONA_KONFIGURACJA", konfiguracja.path().toLocal8Bit());

    std::unique_ptr<TfGlowne> glowne;
    try {
        glowne = std::make_unique<TfGlowne>();
    } catch (const std::exception& b) {
        TAplikacja::PokazanieBledu(b);
        return 1;
    }
    bool ok = ZapisanieZrzutu(*glowne, katalog, QStringLiteral("TfGlowne"));

    struct TDialog {
        const char* nazwa;
        int rodzaj, domyslny;
        const char* tytul;
        const char* tekst;
    };
    const TDialog dialogi[] = {
        {"TfDialog-Informacja", 2, 2, "Nie znaleziono", "Nie znaleziono dokumentów spełniających warunki zapytania."},
        {"TfDialog-Ostrzezenie", 0, 2, "Błąd otwarcia witryny", "Nieudana próba otwarcia przeglądarki dla witryny producenta."},
        {"TfDialog-Pytanie", 3, 0, "Potwierdź", "Czy na pewno zakończyć pracę programu?"},
        {"TfDialog-PytanieZAnulowaniem", 4, 3, "Zapisz zmiany", "Czy chcesz zapisać wprowadzone zmiany?"},
    };
    for (const TDialog& d : dialogi) {
        TfDialog okno(QString::fromUtf8(d.tytul), QString::fromUtf8(d.tekst), d.rodzaj, d.domyslny, glowne.get());
        ok = ZapisanieZrzutu(okno, katalog, QString::fromLatin1(d.nazwa)) && ok;
    }
    {
        TsPrzepis okno(glowne->SlownikDzialow(), glowne->SlownikPrzepisow(), glowne.get());
        ok = ZapisanieZrzutu(okno, katalog, QStringLiteral("TsPrzepis")) && ok;
    }
    {
        TfWinieta okno(glowne.get());
        ok = ZapisanieZrzutu(okno, katalog, QStringLiteral("TfWinieta")) && ok;
    }
    glowne->Dane().ZrzutyEkranu(katalog);

    // Closing without the question: the screenshots are not a working session.
    mDialogTest::Wlaczenie();
    glowne.reset();
    mDialogTest::Wylaczenie();
    return ok ? 0 : 1;
}
