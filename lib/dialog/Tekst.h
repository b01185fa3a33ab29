// The one crossing between the engine's Windows-1250 texts and the widgets' QString.
//
//   lbKomunikat->setText(qs(parser.Blad));        // engine -> window
//   zapytanie.Warunek = cp(enSlowo1->text());     // window -> engine
#pragma once

#include <QString>
#include <string>

#include "cp1250.h"

inline QString qs(const std::string& cp1250Text) {
    const std::string utf8 = cp1250::toUtf8(cp1250Text);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string cp(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return cp1250::fromUtf8(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

// Polish literals of the windows: source files are UTF-8.
inline QString PLq(const char* utf8) { return QString::fromUtf8(utf8); }
