#include "EngineUmgebung.h"

#include "engine/SWertDflt.h"
#include "engine/engineDefault.h"
#include "record/TPAcht.h"
#include "support/StringsV5.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
using TPAchtPartieTest = TEngineUmgebung;
} // namespace

TEST_F(TPAchtPartieTest, StartMitDerEingebautenEngine) {
    PAchtStart();
    ASSERT_EQ(EngineListe.size(), 1u);
    TEngine* e = EngineListe[0];
    EXPECT_EQ(e->Magic, TEngine::MagicWert);
    EXPECT_EQ(e->Name, std::string(DefaultEintraege().Name()).substr(0, 20));
    EXPECT_EQ(e->HoleName(), "Default");
    EXPECT_EQ(EngineSlots[0], e);
    EXPECT_EQ(EngineSlots[1], e);
    EXPECT_EQ(LevelVonSlot(1), 4);
    EXPECT_EQ(LevelVonSlot(0), 4);
    EXPECT_FALSE(Autospiel);
    EXPECT_EQ(Regeln.Zugnummer, 1);
    EXPECT_EQ(Log, std::vector<std::string>{"Default.SpielNeu"});
    RegistriereDefaultEngine(); // once only: one engine board stands behind it
    EXPECT_EQ(EngineListe.size(), 1u);
}

// A whole game between the rules and the built-in engine, through the controller and the
// search thread alone.
TEST_F(TPAchtPartieTest, GanzePartieBisZweiPaesse) {
    PAchtStart();
    SetzeLevelVonSlot(1, 2);
    SetzeLevelVonSlot(0, 3);
    int halbzuege = 0;
    while (!Regeln.BeidePassen() && halbzuege < MaxHalbzuege) {
        TEngine* e = EngineSlots[Regeln.AmZug];
        bool fertig = false;
        StarteSuche(e, [&] { fertig = true; });
        ASSERT_TRUE(Host.PumpeBis([&] { return fertig; }));
        ASSERT_TRUE(Regeln.IstErlaubt(e->ErgebnisZug))
            << "Halbzug " << halbzuege << ": " << ZugText(e->ErgebnisZug);
        ZieheMitUhr(e->ErgebnisZug);
        ++halbzuege;
    }
    EXPECT_TRUE(Regeln.BeidePassen());
    EXPECT_EQ(Regeln.Zugnummer, halbzuege + 1);
    // No engine fell out of step and no search failed.
    EXPECT_TRUE(Boxen.empty()) << Boxen.front();
    EXPECT_EQ(std::count_if(Log.begin(), Log.end(),
                            [](const std::string& s) { return s.rfind("Default.Ziehe:", 0) == 0; }),
              halbzuege);
    // The engine's texts crossed from the search thread into the log.
    EXPECT_NE(std::find(Log.begin(), Log.end(), "Analysetiefe : 1"), Log.end());
    for (int s = 0; s <= 1; ++s)
        EXPECT_TRUE(GesamtUhr[s].Gestoppt);
    int schwarz = 0, weiss = 0;
    Regeln.Zaehle(schwarz, weiss);
    EXPECT_GT(schwarz + weiss, 0);
}
