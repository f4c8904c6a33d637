#include "TestHilfe.h"

#include "engine/BasisBrett.h"
#include "engine/SWertDflt.h"
#include "engine/Schaetzung.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

class Schaetzung : public ::testing::Test {
protected:
    std::filesystem::path ordner;
    void SetUp() override {
        EngineMeldungenZuruecksetzen();
        SetzeEngineMeldeProc([](const char*, int) {});
        ordner = std::filesystem::temp_directory_path() / "kiboru_schaetzung_test";
        std::filesystem::create_directories(ordner);
        SetzeEngineOrdner(ordner.string());
        std::ofstream(WerteDateiName(), std::ios::binary) << StandardWerteText();
        EngineBrett.Neustart();
    }
    void TearDown() override {
        SetzeEngineOrdner("");
        std::filesystem::remove_all(ordner);
        EngineMeldungenZuruecksetzen();
    }
};

// The margin is the side to move's: a won end is proven with its count, a finished game is its
// count, and neither the position nor the engine board is touched.
TEST_F(Schaetzung, MargeDerSeiteAmZugUndBretterUnberuehrt) {
    EngineBrett.Ziehe(FeldAusText("e5"));
    const TBrett engineVorher = EngineBrett.Brett;
    TEngineZustand e;
    e.Ziehe(FeldAusText("d4"));
    e.Ziehe(-1); // black passes next and owns the board: 49 for black
    const TStellungsSchaetzung s = SchaetzeStellung(e, 5.0, nullptr);
    EXPECT_EQ(s.Feld, -1);
    EXPECT_TRUE(s.Bewiesen);
    EXPECT_EQ(s.Marge, 49.0);
    // White to move against five black stones, far behind but not yet lost for sure. A short
    // search under load sees only a few games, so the position must be clear to any of them.
    e.Zuruecknehmen(true);
    for (const char* f : {"c3", "e3", "c5", "e5"}) {
        e.Ziehe(-1);
        e.Ziehe(FeldAusText(f));
    }
    const TStellungsSchaetzung w = SchaetzeStellung(e, 0.05, nullptr);
    EXPECT_TRUE(e.IstErlaubt(w.Feld));
    EXPECT_LT(w.Marge, 0.0);
    EXPECT_GE(w.Marge, -49.0);
    e.Ziehe(-1);
    e.Ziehe(-1);
    const TStellungsSchaetzung ende = SchaetzeStellung(e, 0.05, nullptr);
    EXPECT_EQ(ende.Feld, -2);
    EXPECT_TRUE(ende.Bewiesen);
    EXPECT_EQ(ende.Marge, -49.0); // white to move after the two passes
    EXPECT_EQ(e.Zugnummer, 12);
    EXPECT_EQ(e.Brett[FeldAusText("d4")], Schwarz);
    EXPECT_EQ(EngineBrett.Brett, engineVorher);
    EXPECT_EQ(EngineBrett.Zugnummer, 2);
}

} // namespace
