#include "TestyOkien.h"

#include <QDialog>
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QFont>
#include <QStyleFactory>
#include <QTimer>
#include <QWidget>
#include <memory>

void PrzygotowanieSrodowiska() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("LANG")) qputenv("LANG", "C.UTF-8");
}

void UstawienieWygladu(QApplication& aplikacja) {
    if (QStyle* s = QStyleFactory::create(QStringLiteral("Fusion"))) aplikacja.setStyle(s);
    QFont czcionka(QStringLiteral("DejaVu Sans"));
    czcionka.setPixelSize(11);
    aplikacja.setFont(czcionka);
}

void Wpisz(QWidget* kontrolka, const QString& tekst) {
    for (QChar c : tekst) {
        if (c.unicode() < 128) {
            QTest::keyClick(kontrolka, static_cast<char>(c.unicode()));
            continue;
        }
        QKeyEvent wcisniecie(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(kontrolka, &wcisniecie);
        QKeyEvent puszczenie(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(kontrolka, &puszczenie);
    }
}

void Dwuklik(QWidget* kontrolka, QPoint miejsce) {
    const QPointF globalne = kontrolka->mapToGlobal(QPointF(miejsce));
    for (QEvent::Type typ : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                             QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons wcisniete = typ == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(typ, QPointF(miejsce), globalne, Qt::LeftButton, wcisniete, Qt::NoModifier);
        QApplication::sendEvent(kontrolka, &e);
    }
}

void CzekanieWPetli(int ms) {
    QEventLoop petla;
    QTimer::singleShot(ms, &petla, &QEventLoop::quit);
    petla.exec();
}

void ModalnyPo(std::function<void(QWidget*)> dzialanie) {
    auto* zegar = new QTimer;
    zegar->setInterval(10);
    auto f = std::make_shared<std::function<void(QWidget*)>>(std::move(dzialanie));
    QObject::connect(zegar, &QTimer::timeout, zegar, [zegar, f] {
        QWidget* okno = QApplication::activeModalWidget();
        if (okno == nullptr || !okno->isVisible()) return;
        zegar->stop();
        zegar->deleteLater();
        (*f)(okno);
        // A failed assertion inside the action must not leave the test waiting on a modal
        // window for ever: it closes the window it was given.
        if (::testing::Test::HasFailure() && okno->isVisible()) {
            if (auto* d = qobject_cast<QDialog*>(okno)) d->reject();
            else okno->close();
        }
    });
    zegar->start();
}

TKonfiguracjaTestowa::TKonfiguracjaTestowa() : poprzedni_(qgetenv("BELVASTRONA_KONFIGURACJA")) {
    qputenv("BELVASTRONA_KONFIGURACJA", katalog_.path().toLocal8Bit());
}

TKonfiguracjaTestowa::~TKonfiguracjaTestowa() {
    if (poprzedni_.isEmpty()) qunsetenv("BELVASTRONA_KONFIGURACJA");
    else qputenv("BELVASTRONA_KONFIGURACJA", poprzedni_);
}

QString TKonfiguracjaTestowa::Plik() const { return katalog_.filePath(QStringLiteral("Belvastrona.ini")); }

bool TKonfiguracjaTestowa::Istnieje() const { return QFile::exists(Plik()); }

std::string TKonfiguracjaTestowa::Zawartosc() const {
    QFile f(Plik());
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll().toStdString();
}

void TKonfiguracjaTestowa::Zapisanie(const std::string& bajty) const {
    QFile f(Plik());
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bajty.data(), static_cast<qint64>(bajty.size()));
}
