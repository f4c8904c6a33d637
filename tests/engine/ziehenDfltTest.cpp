#include "TestHilfe.h"

#include "engine/Engines.h"
#include "engine/engineDefault.h"
#include "engine/ziehenDflt.h"
#include "rules/ZugGen.h"

#include <gtest/gtest.h>

namespace {

TEST(EngineBrett, NeuesSpiel) {
    TEngineZustand e;
    EXPECT_EQ(e.Zugnummer, 1);
    EXPECT_EQ(e.AmZug, 1);
    EXPECT_EQ(e.Mover(), Schwarz);
    EXPECT_EQ(e.Zuganzahl, 50);
    EXPECT_EQ(e.Zugliste[1], -1);
    EXPECT_EQ(e.Zugliste[2], 0);
    EXPECT_EQ(e.Zugliste[3], 16);
    EXPECT_EQ(e.Zugliste[50], 102);
    EXPECT_EQ(e.Stellungen.size(), 1u);
    EXPECT_EQ(e.Spielstand(), 0);
    EXPECT_EQ(e.Endwert(), 0.0);
    EXPECT_THROW(e.Zugliste[128], ERangeError);
}

TEST(EngineBrett, DoppelterFangUndZuruecknehmen) {
    TEngineZustand e;
    // Black d4 captures the white stones c4 and e4, each alone in atari.
    Aufbauen(e, {
                    ".......",
                    ".......",
                    "..S.S..",
                    ".SW.WS.",
                    "..S.S..",
                    ".......",
                    ".......",
                });
    const TBrett vorher = e.Brett;
    const int d4 = Punkt(3, 3);
    ASSERT_TRUE(e.IstErlaubt(d4));
    EXPECT_EQ(e.Brett, vorher);
    e.Ziehe(d4);
    EXPECT_EQ(e.Brett[Punkt(2, 3)], Leer);
    EXPECT_EQ(e.Brett[Punkt(4, 3)], Leer);
    EXPECT_EQ(e.AktionenAnzahl, 3); // the stone and one action per captured stone
    EXPECT_EQ(e.Aktionen[0].Feld, d4);
    EXPECT_EQ(e.Aktionen[1].Neu, Leer);
    EXPECT_EQ(e.Aktionen[1].Alt, Weiss);
    EXPECT_EQ(e.Hash, BrettHash(e.Brett));
    e.Zuruecknehmen(true);
    EXPECT_EQ(e.Brett, vorher);
    EXPECT_EQ(e.AktionenAnzahl, 0);
    EXPECT_EQ(e.Zugnummer, 1);
    EXPECT_EQ(e.Hash, BrettHash(vorher));
    // Taking back at the first position changes nothing.
    e.Zuruecknehmen(true);
    EXPECT_EQ(e.Brett, vorher);
    EXPECT_EQ(e.Stellungen.size(), 1u);
}

TEST(EngineBrett, KoUndSelbstmord) {
    TEngineZustand e;
    Aufbauen(e, {
                    ".......",
                    ".......",
                    ".......",
                    "..SW...",
                    ".SW.W..",
                    "..SW...",
                    ".......",
                });
    const int d3 = Punkt(3, 2), c3 = Punkt(2, 2);
    ASSERT_TRUE(e.IstErlaubt(d3)); // black captures c3
    e.Ziehe(d3);
    EXPECT_EQ(e.Brett[c3], Leer);
    EXPECT_FALSE(e.IstErlaubt(c3)); // the immediate retake repeats the board
    e.Ziehe(-1);
    e.Ziehe(-1);
    EXPECT_TRUE(e.BeidePassen());
    EXPECT_FALSE(e.IstErlaubt(c3)); // still a repetition, however far back
    // Suicide: a white stone on a1 surrounded by black.
    Aufbauen(e,
             {
                 ".......",
                 ".......",
                 ".......",
                 ".......",
                 ".......",
                 "S......",
                 ".S.....",
             },
             0);
    EXPECT_FALSE(e.IstErlaubt(Punkt(0, 0)));
    EXPECT_TRUE(e.IstErlaubt(-1));
    EXPECT_FALSE(e.IstErlaubt(Punkt(0, 1))); // occupied
    EXPECT_FALSE(e.IstErlaubt(7));           // border
    // Filling its own last liberty while capturing is legal.
    Aufbauen(e,
             {
                 ".......",
                 ".......",
                 ".......",
                 ".......",
                 "W......",
                 "SW.....",
                 ".S.....",
             },
             0);
    EXPECT_TRUE(e.IstErlaubt(Punkt(0, 0)));
    e.Ziehe(Punkt(0, 0));
    EXPECT_EQ(e.Brett[Punkt(0, 1)], Leer);
    EXPECT_EQ(e.Brett[Punkt(0, 0)], Weiss);
}

TEST(EngineBrett, SpielendeUndWertung) {
    TEngineZustand e;
    e.Ziehe(Punkt(3, 3));
    e.Ziehe(-1);
    EXPECT_FALSE(e.BeidePassen());
    e.Ziehe(-1);
    EXPECT_TRUE(e.BeidePassen());
    EXPECT_EQ(e.AmZug, 0);
    EXPECT_EQ(e.Spielstand(), -49); // white to move, black owns the board
    EXPECT_EQ(e.Endwert(), -32049.0);
    e.Neustart();
    e.Ziehe(-1);
    e.Ziehe(-1);
    EXPECT_TRUE(e.BeidePassen());
    EXPECT_EQ(e.Endwert(), 0.0);
    // Pass, move, pass is not the end.
    e.Neustart();
    e.Ziehe(-1);
    e.Ziehe(0);
    e.Ziehe(-1);
    EXPECT_FALSE(e.BeidePassen());
}

TEST(EngineBrett, SetzeSteinUndKetten) {
    TEngineZustand e;
    e.Ziehe(0);
    e.SetzeStein(Punkt(1, 0), Schwarz);
    EXPECT_EQ(e.Zugnummer, 1); // a new history from the current board
    EXPECT_EQ(e.AmZug, 0);
    EXPECT_EQ(e.Stellungen.size(), 1u);
    EXPECT_EQ(e.Hash, BrettHash(e.Brett));
    EXPECT_EQ(e.Zuganzahl, 48);
    e.SetzeStein(7, Schwarz); // a border cell stays border
    EXPECT_EQ(e.Brett[7], Rand);
    EXPECT_THROW(e.SetzeStein(161, Schwarz), ERangeError);
    EXPECT_THROW(e.SetzeStein(0, 2), ERangeError);
    TKettenMarken m;
    m.Fuelle(-1);
    EXPECT_EQ(e.KettenGroesse(0, Schwarz, 4, m), 2);
    EXPECT_EQ(m[1], 4);
    EXPECT_EQ(e.KettenGroesse(1, Schwarz, 4, m), 0); // already marked
    EXPECT_EQ(e.KettenFreiheiten(0), 3);
    EXPECT_EQ(e.KettenFreiheiten(2), 1);
    EXPECT_EQ(e.KettenFreiheiten(7), -1);
}

// Plays many random games on the engine board and the rules core side by side: every legality
// decision, every board, the repetition state and the score must agree.
TEST(EngineBrett, GleichMitRegelnImZufallsspiel) {
    std::mt19937 rng(20240611);
    TEngineZustand e;
    TZugGenerator r;
    const int spiele = Runden(400);
    for (int s = 0; s < spiele; ++s) {
        e.Neustart();
        r.Grundstellung();
        for (int zug = 0; zug < 160 && !e.BeidePassen(); ++zug) {
            ASSERT_EQ(e.BeidePassen(), r.BeidePassen());
            std::vector<int> legal;
            for (int p = -1; p <= LetzterPunkt; ++p) {
                if (p >= 0 && !IstPunkt(p)) continue;
                TZug z;
                z.Feld = static_cast<std::int8_t>(p);
                bool kandidat = r.ZugZuFeld(z);
                bool regel = kandidat && r.IstErlaubt(z);
                ASSERT_EQ(e.IstErlaubt(p), regel) << "Spiel " << s << " Zug " << zug << " Feld " << p;
                if (regel) legal.push_back(p);
            }
            ASSERT_EQ(e.Brett, r.Brett);
            // Mostly placements; a pass now and then so games end and pass chains occur.
            int p = legal[std::uniform_int_distribution<std::size_t>(0, legal.size() - 1)(rng)];
            if (legal.size() > 1 && p < 0 && rng() % 4 != 0) p = legal[1];
            TZug z;
            z.Feld = static_cast<std::int8_t>(p);
            ASSERT_TRUE(r.ZugZuFeld(z));
            e.Ziehe(p);
            r.Ziehe(z);
            ASSERT_EQ(e.Brett, r.Brett);
            ASSERT_EQ(e.Hash, BrettHash(e.Brett));
            ASSERT_EQ(e.AmZug, r.AmZug);
            ASSERT_EQ(e.Zugnummer, r.Zugnummer);
            int sw = 0, ws = 0;
            r.Zaehle(sw, ws);
            ASSERT_EQ(e.Spielstand(), e.AmZug == 1 ? sw - ws : ws - sw);
            ASSERT_EQ(e.Wiederholung(), r.Wiederholung());
            if (rng() % 8 == 0) {
                e.Zuruecknehmen(true);
                r.Zuruecknehmen();
                ASSERT_EQ(e.Brett, r.Brett);
                ASSERT_EQ(e.Hash, BrettHash(e.Brett));
                ASSERT_EQ(e.Stellungen.back(), e.Brett);
            }
        }
        ASSERT_EQ(e.BeidePassen(), r.BeidePassen());
        // Unwinding the whole game returns to the empty board.
        while (e.Zugnummer > 1)
            e.Zuruecknehmen(true);
        ASSERT_EQ(e.Brett, Startbrett);
        ASSERT_EQ(e.AktionenAnzahl, 0);
        ASSERT_EQ(e.Hash, 0u);
    }
}

// A game played to its last half-move the way the controller plays it: the rules judge and play
// each move, then the engine object of the registry gets it. Neither may accept a move the other
// refuses, so the engine's board never falls behind.
TEST(EngineBrett, RegelnUndEngineHabenDieselbeGrenze) {
    TEngineWrap engine(DefaultEintraege());
    ASSERT_TRUE(engine.SpielNeu());
    TZugGenerator r;
    std::mt19937 rng(2047);
    for (;;) {
        // A few tries at a random placement, else a pass; the captures fill the undo stacks.
        TZug z = Passzug();
        for (int versuch = 0; versuch < 4 && r.Kandidaten() > 1; ++versuch) {
            const TZug k = r.Zugliste[std::uniform_int_distribution<int>(2, r.Kandidaten())(rng)];
            if (r.IstErlaubt(k)) {
                z = k;
                break;
            }
        }
        const bool regel = r.IstErlaubt(z);
        ASSERT_EQ(engine.Ziehe(z.Feld), regel) << "Halbzug " << r.Zugnummer;
        if (!regel) break;
        r.Ziehe(z);
        ASSERT_EQ(EngineBrett.Brett, r.Brett) << "Halbzug " << r.Zugnummer - 1;
    }
    EXPECT_EQ(r.Zugnummer, MaxHalbzuege + 1);
    EXPECT_EQ(EngineBrett.Zugnummer, r.Zugnummer);
    EXPECT_EQ(EngineBrett.AktionenAnzahl, r.AktionenAnzahl);
    EXPECT_GT(r.AktionenAnzahl, MaxHalbzuege + AnzahlPunkte); // the captures took their share
    // One back, and both take the last half-move again.
    ASSERT_TRUE(engine.Zurueck());
    r.Zuruecknehmen();
    EXPECT_TRUE(r.IstErlaubt(Passzug()));
    EXPECT_TRUE(engine.Ziehe(-1));
    engine.SpielNeu();
}

TEST(EngineBrett, KeineAllokationImSpiel) {
    TEngineZustand e;
    const auto* daten = e.Stellungen.data();
    std::mt19937 rng(7);
    for (int i = 0; i < 50; ++i) {
        ZufallsStellung(e, rng, 40);
        while (e.Zugnummer > 1)
            e.Zuruecknehmen(true);
    }
    EXPECT_EQ(e.Stellungen.data(), daten);
}

} // namespace
