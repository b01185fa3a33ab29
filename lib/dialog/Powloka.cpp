#include "Powloka.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace {
std::function<bool(const QString&)>& Zastepstwo() {
    static std::function<bool(const QString&)> f;
    return f;
}
}  // namespace

bool mOtwarcie(const QString& plikLubAdres) {
    if (Zastepstwo()) return Zastepstwo()(plikLubAdres);
    const QUrl adres = plikLubAdres.contains(QStringLiteral("://"))
                           ? QUrl(plikLubAdres)
                           : QUrl::fromLocalFile(QFileInfo(plikLubAdres).absoluteFilePath());
    return QDesktopServices::openUrl(adres);
}

void mUstawienieOtwierania(std::function<bool(const QString&)> zastepstwo) {
    Zastepstwo() = std::move(zastepstwo);
}
