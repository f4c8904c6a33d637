#pragma once
// The Qt side of the search thread's hand-over and of the message channel, and the
// application object that turns every escaped exception into a message box.
#include "engine/Engines.h"

#include <QApplication>
#include <QString>
#include <functional>
#include <string>

class QWidget;

// Runs the search thread's calls on the main thread: blocking-queued (the thread waits) and
// queued. A call that already comes from the main thread runs at once.
class TQtSucheHost : public TSucheHost {
public:
    void ImHauptthreadWarten(const std::function<void()>& f) override;
    void ImHauptthreadSpaeter(std::function<void()> f) override;
    // Lets the main thread take the hand-overs a waiting search thread has queued.
    void Abarbeiten() override;
};

// The text shown for an exception that left an event handler.
QString AusnahmeText(const std::exception& e);

class TKiboruApp : public QApplication {
public:
    TKiboruApp(int& argc, char** argv);
    bool notify(QObject* empfaenger, QEvent* ereignis) override;
    // Runs a delivery; an exception that escapes it is shown and the answer is false.
    static bool Abfangen(const std::function<bool()>& zustellen);
    // Shows the text of an exception; replaceable so tests see it without a modal box.
    static void SetzeAusnahmeAnzeige(std::function<void(const QString&)> f);
    static void ZeigeAusnahme(const QString& text);
};

// The message channel's boxes, beep and window refresh in Qt. A box opens centred over the
// dialog in front, else over the main window that fenster names.
void InstalliereQtMeldeAusgaben(std::function<void()> auffrischen, std::function<QWidget*()> fenster = {});
