#include "DokumentDoPokazania.h"

#include "Analiza.h"
#include "Zapytanie.h"
#include "mLib.h"

bool ZapisanieDoPokazania(const TcZapytanie& zapytanie, int32_t numer, const std::string& warunek) {
    const TDokument d = zapytanie.OdczytanieDokumentu(numer);
    if (d.Tekst.empty()) return false;
    mWriteString(PlikPokazania,
                 WyroznienieWarunku(warunek, d.Tekst, zapytanie.Magazyn().Znaki, "wyroznienie", zapytanie.FormyWyroznienia()),
                 TrybBledu::Wyjatek);
    return true;
}
