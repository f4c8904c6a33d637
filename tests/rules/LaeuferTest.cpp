#include "TestHilfe.h"

#include "rules/Laeufer.h"

#include <gtest/gtest.h>

// One walker serves a whole search: its marks wrap around after 65535 walks and must be as good
// afterwards as a fresh walker's.
TEST(Laeufer, MarkenUeberDenUeberlauf) {
    const char* zeilen[7] = {"S.S.S.S", ".S.S.S.", "SSWWW..", "W.W....", ".WWSS..", "...S...", "SS.S..W"};
    const TBrett b = BrettAus(zeilen);
    TLaeufer laeufer;
    for (int runde = 0; runde < 70000; ++runde) {
        const int p = Punkt(runde % 7, (runde / 7) % 7);
        if (b[p] == Leer) continue;
        ASSERT_EQ(laeufer.Freiheiten(b, p), TLaeufer{}.Freiheiten(b, p)) << runde;
        ASSERT_EQ(laeufer.HatFreiheit(b, p), laeufer.Freiheiten(b, p) > 0) << runde;
    }
    // The region of g5 reaches down to e1 and is bordered by both colours.
    int felder = 0, schwarz = 0, weiss = 0;
    laeufer.Gebiet(
        b, Punkt(6, 4), [&](int) { ++felder; }, [&](int, TFarbe f) { ++(f == Schwarz ? schwarz : weiss); });
    EXPECT_EQ(felder, 14);
    EXPECT_EQ(schwarz, 6);
    EXPECT_EQ(weiss, 4);
}
