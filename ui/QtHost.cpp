#include "ui/QtHost.h"

#include "support/StringsV5.h"

#include <QMessageBox>
#include <QMetaObject>
#include <QThread>

void TQtSucheHost::ImHauptthreadWarten(const std::function<void()>& f) {
    auto* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread()) {
        f();
        return;
    }
    QMetaObject::invokeMethod(
        app, [&f] { f(); }, Qt::BlockingQueuedConnection);
}

void TQtSucheHost::ImHauptthreadSpaeter(std::function<void()> f) {
    auto* app = QCoreApplication::instance();
    if (!app) {
        f();
        return;
    }
    QMetaObject::invokeMethod(
        app, [f = std::move(f)] { f(); }, Qt::QueuedConnection);
}

void TQtSucheHost::Abarbeiten() {
    auto* app = QCoreApplication::instance();
    if (app && QThread::currentThread() == app->thread()) QCoreApplication::processEvents();
}

QString AusnahmeText(const std::exception& e) {
    // A range error shows the run time's text, whatever detail the thrower added.
    if (dynamic_cast<const ERangeError*>(&e)) return QStringLiteral("Range check error");
    QString t = QString::fromUtf8(e.what());
    return t.isEmpty() ? QStringLiteral("Unbekannter Fehler") : t;
}

namespace {
std::function<void(const QString&)>& AusnahmeAnzeige() {
    static std::function<void(const QString&)> f;
    return f;
}

std::function<QWidget*()>& Hauptfenster() {
    static std::function<QWidget*()> f;
    return f;
}

// Where a box opens: over a dialog that is open, else over the main window; the active window
// may be none at all (the keyboard elsewhere), and a box without a parent opens anywhere.
QWidget* BoxEltern() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (Hauptfenster())
        if (QWidget* w = Hauptfenster()()) return w;
    return QApplication::activeWindow();
}
} // namespace

TKiboruApp::TKiboruApp(int& argc, char** argv) : QApplication(argc, argv) {}

void TKiboruApp::SetzeAusnahmeAnzeige(std::function<void(const QString&)> f) {
    AusnahmeAnzeige() = std::move(f);
}

void TKiboruApp::ZeigeAusnahme(const QString& text) {
    if (AusnahmeAnzeige()) {
        AusnahmeAnzeige()(text);
        return;
    }
    QMessageBox::critical(BoxEltern(), QStringLiteral("Kiboru"), text);
}

bool TKiboruApp::notify(QObject* empfaenger, QEvent* ereignis) {
    return Abfangen([&] { return QApplication::notify(empfaenger, ereignis); });
}

bool TKiboruApp::Abfangen(const std::function<bool()>& zustellen) {
    try {
        return zustellen();
    } catch (const std::exception& e) {
        ZeigeAusnahme(AusnahmeText(e));
    } catch (...) {
        ZeigeAusnahme(QStringLiteral("Unbekannter Fehler"));
    }
    return false;
}

void InstalliereQtMeldeAusgaben(std::function<void()> auffrischen, std::function<QWidget*()> fenster) {
    Hauptfenster() = std::move(fenster);
    TMeldeAusgaben a;
    a.Box = [](const std::string& t) {
        QMessageBox box(BoxEltern());
        box.setWindowTitle(QStringLiteral("Kiboru"));
        box.setText(QString::fromStdString(t));
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
    };
    a.InfoBox = [](const std::string& t) {
        QMessageBox::information(BoxEltern(), QStringLiteral("Kiboru"), QString::fromStdString(t));
    };
    a.Piep = [] { QApplication::beep(); };
    a.Auffrischen = std::move(auffrischen);
    SetzeMeldeAusgaben(std::move(a));
}
