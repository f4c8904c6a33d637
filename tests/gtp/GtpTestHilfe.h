#pragma once
// The game of the program with an external engine in a slot: the real controller, registry,
// search thread and play flow, the message boxes captured, a data folder of its own.
#include "engine/EnginesTestHost.h"

#include "gtp/GtpEngine.h"
#include "record/TPAcht.h"
#include "support/HilfsFkt.h"
#include "support/QtProzess.h"
#include "support/StringsV5.h"
#include "ui/SpielAblauf.h"

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

struct TGtpUmgebung : ::testing::Test {
    TTestHost Host;
    std::vector<std::string> Boxen;
    std::filesystem::path Tmp;
    std::string Alt[2];

    void SetUp() override {
        namespace fs = std::filesystem;
        Tmp = fs::temp_directory_path() / ("kiboru_gtp_" + std::to_string(getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(Tmp);
        fs::create_directories(Tmp);
        int i = 0;
        for (const char* v : {"XDG_DATA_HOME", "HOME"}) {
            if (const char* a = std::getenv(v)) Alt[i] = a;
            ::setenv(v, Tmp.c_str(), 1);
            ++i;
        }
        ::unsetenv("AppData");
        HilfsFktZuruecksetzen();
        EnginesFreigeben();
        MeldungenZuruecksetzen();
        TMeldeAusgaben a;
        a.Box = [this](const std::string& t) { Boxen.push_back(t); };
        SetzeMeldeAusgaben(a);
        SetzeSucheHost(&Host);
        PAchtStart();
    }
    void TearDown() override {
        EnginesFreigeben();
        Host.Abarbeiten();
        SetzeSucheHost(nullptr);
        NeuesSpiel();
        MeldungenZuruecksetzen();
        int i = 0;
        for (const char* v : {"XDG_DATA_HOME", "HOME"})
            ::setenv(v, Alt[i++].c_str(), 1);
        HilfsFktZuruecksetzen();
        std::error_code ec;
        std::filesystem::remove_all(Tmp, ec);
    }

    std::string Log() const { return (Tmp / "log.txt").string(); }
    // The scripted engine with these arguments, logging into Log().
    std::string Skript(const std::string& argumente) const {
        return std::string("'") + SKRIPT_ENGINE + "' --log '" + Log() + "' " + argumente;
    }
    TGtpEngine* Neu(const std::string& name, const std::string& befehlszeile) {
        return static_cast<TGtpEngine*>(
            RegistriereEngine(std::make_unique<TGtpEngine>(name, befehlszeile, NeuerQtProzess)));
    }
    // The commands the engine received, one a line.
    std::vector<std::string> Empfangen() const {
        std::ifstream f(Log());
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
