// What the board shows beyond the stones, from a rules state of its own: no window.
#include "ui/BrettLage.h"
#include "rules/ZugGen.h"

#include <gtest/gtest.h>

namespace {

void Spiele(TZugGenerator& r, int feld) {
    TZug z = feld < 0 ? Passzug() : MacheZug(r.Brett, feld, r.Mover());
    r.ZugZuFeld(z);
    r.Ziehe(z);
}

TEST(BrettLage, NumbersMarkerAndCountFollowTheGame) {
    TZugGenerator r;
    // Black takes the white stone at a1, and a1 is played again later: it carries the later number.
    for (int p : {Punkt(0, 1), Punkt(0, 0), Punkt(1, 0)})
        Spiele(r, p);
    ASSERT_EQ(r.Brett[Punkt(0, 0)], Leer);
    for (int p : {Punkt(6, 6), Punkt(0, 0)})
        Spiele(r, p);
    TBrettLage lage = BrettLage(r, true);
    EXPECT_EQ(lage[Punkt(0, 1)].Nummer, 1);
    EXPECT_EQ(lage[Punkt(1, 0)].Nummer, 3);
    EXPECT_EQ(lage[Punkt(0, 0)].Nummer, 5);
    EXPECT_TRUE(lage[Punkt(0, 0)].Letzter);
    EXPECT_FALSE(lage[Punkt(6, 6)].Letzter);
    EXPECT_EQ(BrettLage(r, false)[Punkt(0, 0)].Nummer, 0);

    Spiele(r, -1);
    for (const TFeldLage& l : BrettLage(r, true))
        EXPECT_FALSE(l.Letzter); // a pass leaves no stone to mark

    // Counted points only at the end, and gone again with the take-back.
    TZugGenerator ende;
    Spiele(ende, Punkt(3, 3));
    Spiele(ende, -1);
    EXPECT_EQ(BrettLage(ende, false)[Punkt(0, 0)].Gezaehlt, Leer);
    Spiele(ende, -1);
    lage = BrettLage(ende, false);
    int gezaehlt = 0;
    for (const TFeldLage& l : lage)
        gezaehlt += l.Gezaehlt == Schwarz;
    EXPECT_EQ(gezaehlt, 48);
    EXPECT_EQ(lage[Punkt(3, 3)].Gezaehlt, Leer); // the stone is no counted empty point
    ende.Zuruecknehmen();
    for (const TFeldLage& l : BrettLage(ende, false))
        EXPECT_EQ(l.Gezaehlt, Leer);
}

} // namespace

namespace {
// The hint marks an empty point with the colour of the side to move, and nothing else.
TEST(BrettLage, TheHintMarksAnEmptyPointForTheSideToMove) {
    TZugGenerator r;
    Spiele(r, Punkt(3, 3));
    EXPECT_EQ(BrettLage(r, false, Punkt(2, 2))[Punkt(2, 2)].Tipp, Weiss);
    EXPECT_EQ(BrettLage(r, false, Punkt(3, 3))[Punkt(3, 3)].Tipp, Leer); // taken
    for (int tipp : {-1, -2})
        for (const TFeldLage& l : BrettLage(r, false, tipp))
            EXPECT_EQ(l.Tipp, Leer);
}
} // namespace
