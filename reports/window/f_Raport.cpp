#include "f_Raport.h"

#include "Sesja.h"

TfRaport::TfRaport(TcSesja& sesja, QWidget* rodzic) : QDialog(rodzic), sesja_(sesja) {
    setObjectName(QStringLiteral("TfRaport"));
}

TfRaport::~TfRaport() = default;

int TfRaport::exec() { return QDialog::exec(); }
void TfRaport::PokazanieStrony() {}
void TfRaport::acPokazExecute() {}
void TfRaport::acPokazUpdate() {}
void TfRaport::AktualizacjaAkcji() {}
