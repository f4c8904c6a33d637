#pragma once
// The game of the program with an external engine in a slot: the real controller, registry,
// search thread and play flow, the message boxes captured, a data folder of its own.
#include "record/EngineUmgebung.h"

#include "gtp/GtpEngine.h"
#include "record/TPAcht.h"
#include "support/HilfsFkt.h"
#include "support/QtProzess.h"
#include "support/StringsV5.h"
#include "record/SpielAblauf.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#ifndef SKRIPT_ENGINE
#error "SKRIPT_ENGINE must name the scripted engine"
#endif

// Whether the process is gone: killed and reaped, no zombie left.
inline bool ProzessWeg(std::int64_t pid) {
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

struct TGtpUmgebung : TEngineUmgebung {
    std::string Alt[2];

    void SetUp() override {
        TEngineUmgebung::SetUp();
        // The configuration file in a data folder of the test's own.
        int i = 0;
        for (const char* v : {"XDG_DATA_HOME", "HOME"}) {
            if (const char* a = std::getenv(v)) Alt[i] = a;
            ::setenv(v, Tmp.c_str(), 1);
            ++i;
        }
        ::unsetenv("AppData");
        HilfsFktZuruecksetzen();
        PAchtStart();
    }
    void TearDown() override {
        TEngineUmgebung::TearDown();
        int i = 0;
        for (const char* v : {"XDG_DATA_HOME", "HOME"})
            ::setenv(v, Alt[i++].c_str(), 1);
        HilfsFktZuruecksetzen();
    }

    std::string LogDatei() const { return (Tmp / "log.txt").string(); }
    // The scripted engine with these arguments, logging into LogDatei().
    std::string Skript(const std::string& argumente) const {
        return std::string("'") + SKRIPT_ENGINE + "' --log '" + LogDatei() + "' " + argumente;
    }
    TGtpEngine* Neu(const std::string& name, const std::string& befehlszeile) {
        return static_cast<TGtpEngine*>(
            RegistriereEngine(std::make_unique<TGtpEngine>(name, befehlszeile, NeuerQtProzess)));
    }
    // The commands the engine received, one a line.
    std::vector<std::string> Empfangen() const {
        std::ifstream f(LogDatei());
        std::vector<std::string> v;
        for (std::string z; std::getline(f, z);)
            if (z.rfind("pid ", 0) != 0) v.push_back(z);
        return v;
    }

    struct TErgebnis {
        bool Gezogen = false;
        std::string Meldung; // of the play flow ("Computer gibt auf !")
    };
    // The computer moves for the side to move as the window lets it: the search thread, then
    // the compute dialog's verdict (cancelled when the stop flag is set) and the play flow.
    TErgebnis Rechne(const std::function<void()>& waehrend = {}) {
        TEngine* e = EngineAmZug();
        bool fertig = false;
        StarteSuche(e, [&] { fertig = true; });
        if (waehrend) waehrend();
        EXPECT_TRUE(Host.PumpeBis([&] { return fertig; }));
        TErgebnis r;
        r.Gezogen = ComputerzugUebernehmen(e->Stopp != 0, e->ErgebnisZug, r.Meldung);
        return r;
    }
    static void Spiele(const std::string& feld) {
        TZug z{};
        z.Feld = static_cast<std::int8_t>(feld == "--" ? -1 : FeldAusText(feld));
        Regeln.ZugZuFeld(z);
        ASSERT_TRUE(Regeln.IstErlaubt(z)) << feld;
        SpielerZieht(z);
    }
    static std::string Zuege() {
        std::string s;
        for (int i = 1; i < Regeln.Zugnummer; ++i)
            s += (s.empty() ? "" : " ") + Feldname(Regeln.Zugfolge[i].Feld);
        return s;
    }
};
