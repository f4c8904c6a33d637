#pragma once
// Shared set-up of the window tests: one application, a temporary data folder, the Qt host of
// the search thread, captured message boxes, and engines that behave as a test needs.
#include "engine/Engines.h"
#include "engine/SWertDflt.h"
#include "record/TPAcht.h"
#include "support/HilfsFkt.h"
#include "support/StringsV5.h"
#include "ui/MainVw.h"
#include "ui/QtHost.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <string>
#include <thread>
#include <vector>

namespace testui {

inline QApplication* App() {
    if (!QApplication::instance()) {
        static int argc = 1;
        static char name[] = "tests_ui";
        static char* argv[] = {name, nullptr};
        new TKiboruApp(argc, argv);
    }
    return qobject_cast<QApplication*>(QApplication::instance());
}

// Every test run gets its own data folder; the cached paths are forgotten.
inline QString& DatenOrdner() {
    static QTemporaryDir dir;
    static bool gesetzt = false;
    if (!gesetzt) {
        gesetzt = true;
        ::unsetenv("AppData");
        ::setenv("XDG_DATA_HOME", dir.path().toUtf8().constData(), 1);
        ::setenv("HOME", dir.path().toUtf8().constData(), 1);
        HilfsFktZuruecksetzen();
    }
    static QString pfad = dir.path();
    return pfad;
}

// Points the data folder at a fresh temporary folder for one test and puts everything back after.
struct TFrischerDatenordner {
    QTemporaryDir Dir;
    QByteArray VorherXdg = qgetenv("XDG_DATA_HOME");
    std::string VorherEngines = EngineOrdner();
    TFrischerDatenordner() {
        qputenv("XDG_DATA_HOME", Dir.path().toUtf8());
        HilfsFktZuruecksetzen();
    }
    ~TFrischerDatenordner() {
        qputenv("XDG_DATA_HOME", VorherXdg);
        HilfsFktZuruecksetzen();
        SetzeEngineOrdner(VorherEngines);
    }
    QString Daten() const { return QDir(Dir.path()).filePath(QStringLiteral("Quennel/tests_ui")); }
};

struct Meldungen {
    std::vector<std::string> Boxen;
    bool Enthaelt(const std::string& t) const {
        for (const auto& b : Boxen)
            if (b == t) return true;
        return false;
    }
};

inline Meldungen& Gefangen() {
    static Meldungen m;
    return m;
}

inline void KanalAbfangen() {
    MeldungenZuruecksetzen();
    Gefangen().Boxen.clear();
    TMeldeAusgaben a;
    a.Box = [](const std::string& t) { Gefangen().Boxen.push_back(t); };
    a.InfoBox = [](const std::string& t) { Gefangen().Boxen.push_back(t); };
    a.Piep = [] {};
    a.Auffrischen = [] {};
    SetzeMeldeAusgaben(a);
}

// An engine that answers a fixed point, or waits for the stop flag when told to.
class TTestEngine : public TEngine {
public:
    explicit TTestEngine(const std::string& name) {
        Magic = MagicWert;
        Name = name;
    }
    TZug AntwortZug = Passzug(); // prepared on the main thread by the test
    bool BisAbbruch = false;     // compute until the user cancels
    std::atomic<int> Aufrufe{0};
    bool Berechne(TZug& zug, std::int32_t& wert) override {
        ++Aufrufe;
        if (BisAbbruch)
            while (!Stopp)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        zug = AntwortZug;
        wert = 0;
        return true;
    }
};

// The window with questions and file dialogs answered by the test.
class TTestForm : public TMainForm {
public:
    std::deque<QMessageBox::StandardButton> Antworten;
    std::vector<QString> Fragen;
    QString OeffnenPfad, SpeichernPfad;
    QMessageBox::StandardButton Frage(const QString& text) override {
        Fragen.push_back(text);
        if (Antworten.empty()) return QMessageBox::Cancel;
        auto a = Antworten.front();
        Antworten.pop_front();
        return a;
    }
    QString OeffnenDialogAusfuehren() override { return OeffnenPfad; }
    QString SpeichernDialogAusfuehren() override { return SpeichernPfad; }
};

// Start-up once: data folder, engines; then per test the Qt host (other suites may have put in
// their own), the built-in engine in both slots at a quick level, and a fresh game.
inline void Grundzustand() {
    App();
    DatenOrdner();
    static TQtSucheHost host;
    static bool gestartet = false;
    if (!gestartet) {
        gestartet = true;
        KanalAbfangen();
        PAchtStart();
    }
    SetzeSucheHost(&host);
    SetzeRegelnFuerSuche(&Regeln);
    TEngine* standard = nullptr;
    for (TEngine* e : EngineListe)
        if (e && e->Name == "Default") standard = e;
    EngineSlots[1] = standard;
    EngineSlots[0] = standard;
    SetzeLevelVonSlot(1, 2);
    SetzeLevelVonSlot(0, 2);
    KanalAbfangen();
    NeuesSpiel();
}

// The full move record of a point (or pass) in the current position.
inline TZug ZugAuf(int feld) {
    TZug z = feld < 0 ? Passzug() : MacheZug(Regeln.Brett, feld, Regeln.Mover());
    Regeln.ZugZuFeld(z);
    return z;
}

// Plays a move through the controller, as a replayed game would.
inline void Spiele(int feld) { ZieheMitUhr(ZugAuf(feld)); }

} // namespace testui
