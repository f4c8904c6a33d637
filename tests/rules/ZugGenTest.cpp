#include "TestHilfe.h"

#include "support/StringsV5.h"

#include <gtest/gtest.h>

#include <random>

namespace {
// Sets up a position with black to move (or white when weissAmZug).
TZugGenerator Aus(const char* const zeilen[7], bool weissAmZug = false) {
    TZugGenerator g;
    TStellung st;
    st.Brett = BrettAus(zeilen);
    st.Halbzug = weissAmZug ? 2 : 1;
    g.SetzeStellung(st);
    return g;
}

void PruefeInvarianten(const TZugGenerator& g) {
    ASSERT_EQ(static_cast<int>(g.Stellungen.size()), g.Zugnummer);
    ASSERT_TRUE(GleichesBrett(g.Stellungen.back(), g.Brett));
    ASSERT_EQ(g.FarbMaske, g.AmZug ? 0 : -1);
    int leer = 0;
    for (int x = 0; x < 7; ++x)
        for (int y = 0; y < 7; ++y)
            leer += g.Brett[Punkt(x, y)] == Leer;
    ASSERT_EQ(g.Kandidaten(), leer + 1);
    ASSERT_TRUE(IstPass(g.Zugliste[1]));
    for (int i = 2; i <= g.Kandidaten(); ++i) {
        ASSERT_EQ(g.Brett[g.Zugliste[i].Feld], Leer);
        ASSERT_EQ(g.Zugliste[i].Farbe, FarbeVonSeite(g.AmZug));
    }
    for (int i = BrettVon; i <= BrettBis; ++i)
        if (!IstPunkt(i)) {
            ASSERT_EQ(g.Brett[i], Rand);
        }
}
} // namespace

TEST(ZugGen, KandidatenInDerReihenfolgeA1BisG7) {
    TZugGenerator g;
    ASSERT_EQ(g.Kandidaten(), 50);
    EXPECT_TRUE(GleicherZug(g.Zugliste[1], Passzug()));
    EXPECT_EQ(g.Zugliste[2].Feld, 0);    // a1
    EXPECT_EQ(g.Zugliste[3].Feld, 16);   // a2
    EXPECT_EQ(g.Zugliste[8].Feld, 96);   // a7
    EXPECT_EQ(g.Zugliste[9].Feld, 1);    // b1
    EXPECT_EQ(g.Zugliste[50].Feld, 102); // g7
    EXPECT_EQ(g.Spielstand(), "0:0");
    EXPECT_EQ(SpielZustandText(g), "0:0 Schwarz ist am Zug.");
    TZug z;
    z.Feld = 34;
    EXPECT_TRUE(g.ZugZuFeld(z));
    EXPECT_EQ(z.Farbe, Schwarz);
    z = TZug{};
    z.Feld = 7; // border: not a candidate, built by MacheZug
    EXPECT_FALSE(g.ZugZuFeld(z));
    EXPECT_EQ(g.PruefeZug(z), ZugKeinKandidat);
    TZug falscheFarbe = MacheZug(g.Brett, 18, Weiss);
    EXPECT_EQ(g.PruefeZug(falscheFarbe), ZugKeinKandidat);
}

TEST(ZugGen, EintraegeDerKandidatenlisteKoennenDirektGeprueftWerden) {
    TZugGenerator g;
    int legal = 0;
    for (int i = 1; i <= g.Kandidaten(); ++i)
        legal += g.PruefeZug(g.Zugliste[i]) == ZugLegal;
    EXPECT_EQ(legal, 50);
    g.Ziehe(g.Zugliste[2]);
    EXPECT_EQ(g.Brett[0], Schwarz);
    EXPECT_EQ(g.Zugfolge[1].Feld, 0);
}

TEST(ZugGen, EinZugSchlaegtMehrereKettenUndZuruecknahmeStelltAllesWieder) {
    const char* b[7] = {".......", ".......", ".......", ".......", "SS.....", "WWS....", ".W....."};
    // white a2 b2 b1 form one chain; a1 empty. Add a second white chain to be taken by the same move.
    TZugGenerator g = Aus(b);
    // black a1 would be suicide unless it captures: white chain a2,b2,b1 has liberty a1 and c1.
    g.Brett[2] = Schwarz; // c1 black: now the white chain's only liberty is a1
    g.SetzeStellung(g.HoleStellung());
    const TBrett vorher = g.Brett;
    ASSERT_EQ(Spiele(g, "a1"), ZugLegal);
    EXPECT_EQ(g.Brett[16], Leer);
    EXPECT_EQ(g.Brett[17], Leer);
    EXPECT_EQ(g.Brett[1], Leer);
    EXPECT_EQ(g.Brett[0], Schwarz);
    EXPECT_EQ(g.AktionenAnzahl, 4); // the stone and three removed stones
    g.Zuruecknehmen();
    EXPECT_TRUE(GleichesBrett(g.Brett, vorher));
    EXPECT_EQ(g.AktionenAnzahl, 0);

    // two separate white chains in atari, both taken by d4
    const char* c[7] = {".......", ".......", "...S...", "..SWS..", "...W...", "..SWS..", "...S..."};
    TZugGenerator h = Aus(c);
    // d5 group: d4 white? rows from top: row5 "...S...": d5 black. row4 "..SWS.." d4 white.
    // row3 "...W..." d3 white, row2 "..SWS.." d2 white, row1 "...S..." d1 black.
    // White chain d4-d3-d2 has liberties c3, e3. Fill e3 first, then c3 captures all three.
    ASSERT_EQ(Spiele(h, "e3"), ZugLegal);
    ASSERT_EQ(Spiele(h, "--"), ZugLegal);
    ASSERT_EQ(Spiele(h, "c3"), ZugLegal);
    EXPECT_EQ(h.Brett[Punkt(3, 3)], Leer);
    EXPECT_EQ(h.Brett[Punkt(3, 2)], Leer);
    EXPECT_EQ(h.Brett[Punkt(3, 1)], Leer);
    EXPECT_EQ(h.Spielstand(), "49:0");
}

TEST(ZugGen, SelbstmordGegenSchlagen) {
    // a1 surrounded by white a2, b1: black a1 is suicide
    const char* b[7] = {".......", ".......", ".......", ".......", ".......", "W......", ".W....."};
    TZugGenerator g = Aus(b);
    EXPECT_EQ(Spiele(g, "a1"), ZugSelbstmord);
    EXPECT_EQ(g.Zugnummer, 1);
    EXPECT_EQ(g.Brett[0], Leer);
    // same shape, but white b1 has only a1 left: filling the own last liberty captures, so it is legal
    const char* c[7] = {".......", ".......", ".......", ".......", ".......", "W......", ".WS...."};
    TZugGenerator h = Aus(c);
    h.Brett[Punkt(1, 1)] = Schwarz; // b2 black: white b1's last liberty is a1
    h.SetzeStellung(h.HoleStellung());
    EXPECT_EQ(Spiele(h, "a1"), ZugLegal);
    EXPECT_EQ(h.Brett[1], Leer);
    EXPECT_EQ(h.Brett[0], Schwarz);
}

TEST(ZugGen, KoWirdVerweigertBisAndersWoGespieltWurde) {
    // black a1, b2, c1; white c2, d1; white to move takes c1 with b1
    const char* k[7] = {".......", ".......", ".......", ".......", ".......", ".SW....", "S.SW..."};
    TZugGenerator h = Aus(k, true);
    ASSERT_EQ(Spiele(h, "b1"), ZugLegal);
    EXPECT_EQ(h.Brett[2], Leer);
    // retaking at once recreates the board of two half-moves ago
    EXPECT_EQ(Spiele(h, "c1"), ZugWiederholung);
    EXPECT_EQ(h.Zugnummer, 2);
    EXPECT_EQ(h.Brett[2], Leer);
    // a pass is never a repetition, even though it repeats the board
    EXPECT_EQ(h.PruefeZug(Passzug()), ZugLegal);
    // after an exchange elsewhere the retake is legal again
    ASSERT_EQ(Spiele(h, "g7"), ZugLegal);
    ASSERT_EQ(Spiele(h, "g6"), ZugLegal);
    EXPECT_EQ(Spiele(h, "c1"), ZugLegal);
    EXPECT_EQ(h.Brett[1], Leer);
}

TEST(ZugGen, WiederholungVergleichtNurBretterUeberDieGanzeGeschichte) {
    // A board seen many moves ago, with the other side to move, is still a repetition.
    TStellung st;
    st.Halbzug = 2; // white to move on the empty board
    TZugGenerator g;
    g.SetzeStellung(st);
    TBrett frueher = Startbrett;
    frueher[Punkt(4, 4)] = Weiss; // the board after white e5, reached long ago with black to move
    g.Stellungen.insert(g.Stellungen.begin(), frueher);
    g.Stellungen.insert(g.Stellungen.begin() + 1, 10, Startbrett);
    g.Stellungen.pop_back();
    g.Stellungen.push_back(g.Brett);
    g.Zugnummer = static_cast<int>(g.Stellungen.size());
    EXPECT_EQ(Spiele(g, "e5"), ZugWiederholung);
    EXPECT_EQ(Spiele(g, "e4"), ZugLegal);
}

TEST(ZugGen, PassenUndSpielende) {
    TZugGenerator g;
    ASSERT_EQ(Spiele(g, "--"), ZugLegal);
    EXPECT_FALSE(g.BeidePassen());
    ASSERT_EQ(Spiele(g, "--"), ZugLegal);
    EXPECT_TRUE(g.BeidePassen());
    EXPECT_EQ(g.Zugnummer, 3);
    EXPECT_EQ(SpielZustandText(g), "0:0 Beide haben gewonnen!");
    g.Zuruecknehmen();
    EXPECT_FALSE(g.BeidePassen());

    TZugGenerator h;
    ASSERT_EQ(Spiele(h, "--"), ZugLegal);
    ASSERT_EQ(Spiele(h, "d4"), ZugLegal);
    ASSERT_EQ(Spiele(h, "--"), ZugLegal);
    EXPECT_FALSE(h.BeidePassen());
    EXPECT_EQ(SpielZustandText(h), "0:49 Weiß ist am Zug.");
    ASSERT_EQ(Spiele(h, "--"), ZugLegal);
    EXPECT_TRUE(h.BeidePassen());
    EXPECT_EQ(SpielZustandText(h), "0:49 Weiß hat gewonnen!");

    TZugGenerator s;
    ASSERT_EQ(Spiele(s, "d4"), ZugLegal);
    ASSERT_EQ(Spiele(s, "--"), ZugLegal);
    ASSERT_EQ(Spiele(s, "--"), ZugLegal);
    EXPECT_EQ(SpielZustandText(s), "49:0 Schwarz hat gewonnen!");
}

TEST(ZugGen, FlaechenzaehlungMitNeutralenGebieten) {
    // black column c, white column e: columns a-b black, g-f white, d neutral
    const char* b[7] = {"..S.W..", "..S.W..", "..S.W..", "..S.W..", "..S.W..", "..S.W..", "..S.W.."};
    TZugGenerator g = Aus(b);
    EXPECT_EQ(g.Spielstand(), "21:21");
    int s, w;
    g.Zaehle(s, w);
    EXPECT_EQ(s, 21);
    EXPECT_EQ(w, 21);
    // a lone black stone owns the whole board
    const char* c[7] = {".......", ".......", ".......", "...S...", ".......", ".......", "......."};
    EXPECT_EQ(Aus(c).Spielstand(), "49:0");
}

TEST(ZugGen, SetzeStellungLeertDenUndoStapel) {
    TZugGenerator g;
    ASSERT_EQ(Spiele(g, "d4"), ZugLegal);
    ASSERT_EQ(Spiele(g, "c3"), ZugLegal);
    ASSERT_GT(g.AktionenAnzahl, 0);
    TStellung st;
    st.Brett[Punkt(0, 0)] = Weiss;
    st.Halbzug = 1;
    g.SetzeStellung(st);
    EXPECT_EQ(g.AktionenAnzahl, 0);
    ASSERT_EQ(Spiele(g, "g7"), ZugLegal);
    g.Zuruecknehmen();
    g.Zuruecknehmen(); // at the start of the new history: nothing happens
    EXPECT_TRUE(GleichesBrett(g.Brett, st.Brett));
    EXPECT_EQ(g.Brett[Punkt(3, 3)], Leer);
}

TEST(ZugGen, VollePartieVerweigertDenZugOhneAbsturz) {
    // Half-moves: bring the record to its last free entry by hand (the history holds equal boards,
    // which only passes may produce, and passes are never tested for repetition).
    TZugGenerator g;
    g.Stellungen.assign(MaxHalbzuege, g.Brett);
    g.Zugnummer = MaxHalbzuege;
    EXPECT_EQ(g.PruefeZug(Passzug()), ZugLegal);
    g.Ziehe(Passzug());
    ASSERT_EQ(g.Zugnummer, MaxHalbzuege + 1);
    TZug z;
    z.Feld = 50;
    g.ZugZuFeld(z);
    EXPECT_EQ(g.PruefeZug(Passzug()), ZugKeinPlatz);
    EXPECT_EQ(g.PruefeZug(z), ZugKeinPlatz);
    EXPECT_THROW(g.Ziehe(z), ERangeError);
    EXPECT_EQ(g.Zugnummer, MaxHalbzuege + 1);
    EXPECT_EQ(g.Brett[50], Leer);
    PruefeInvarianten(g);

    // Change records: a move that would capture two stones needs three entries.
    const char* b[7] = {".......", ".......", ".......", ".......", ".......", "W......", "W.S...."};
    TZugGenerator h = Aus(b);
    h.Brett[Punkt(1, 1)] = Schwarz; // a1-a2 white has only b1... and a3
    h.Brett[Punkt(0, 2)] = Schwarz; // a3 black: the white pair's last liberty is b1
    h.SetzeStellung(h.HoleStellung());
    for (int i = 0; i < MaxAktionen - 2; ++i)
        h.Aktionen[i] = TZug{}; // entries of the other side
    h.AktionenAnzahl = MaxAktionen - 2;
    TZug fang;
    fang.Feld = 1; // b1 captures a1 and a2
    h.ZugZuFeld(fang);
    const TBrett vorher = h.Brett;
    EXPECT_EQ(h.PruefeZug(fang), ZugKeinPlatz);
    EXPECT_THROW(h.Ziehe(fang), ERangeError);
    EXPECT_TRUE(GleichesBrett(h.Brett, vorher));
    EXPECT_EQ(h.AktionenAnzahl, MaxAktionen - 2);
    TZug still;
    still.Feld = 102; // a plain move needs one entry and still fits
    h.ZugZuFeld(still);
    EXPECT_EQ(h.PruefeZug(still), ZugLegal);
}

TEST(ZugGen, ZufallspartienHaltenDieInvarianten) {
    MeldungenZuruecksetzen();
    std::string fehler;
    SetzeMeldeAusgaben({[&](const std::string& t) { fehler += t; }, nullptr, nullptr, nullptr});
    std::mt19937 zufall(4711);
    const int partien = Runden(2000);
    for (int p = 0; p < partien; ++p) {
        TZugGenerator g;
        int zuege = 0;
        while (!g.BeidePassen() && zuege < 200) {
            // pick a random candidate; pass rarely
            std::uniform_int_distribution<int> w(1, g.Kandidaten());
            int i = w(zufall);
            if (i == 1 && zufall() % 8 != 0) i = g.Kandidaten() > 1 ? 2 : 1;
            TZug z = g.Zugliste[i];
            const int code = g.PruefeZug(z);
            PruefeInvarianten(g);
            if (code != ZugLegal) {
                ASSERT_TRUE(code == ZugSelbstmord || code == ZugWiederholung);
                continue;
            }
            g.Ziehe(z);
            ++zuege;
            PruefeInvarianten(g);
            if (!IstPass(z)) {
                ASSERT_FALSE(g.Wiederholung()) << "a legal stone never repeats a board";
            }
            // now and then take a move back and replay it
            if (zufall() % 5 == 0) {
                const TBrett b = g.Brett;
                g.Zuruecknehmen();
                PruefeInvarianten(g);
                g.Ziehe(z);
                ASSERT_TRUE(GleichesBrett(g.Brett, b));
            }
        }
        while (g.Zugnummer > 1) {
            g.Zuruecknehmen();
            PruefeInvarianten(g);
        }
        ASSERT_TRUE(GleichesBrett(g.Brett, Startbrett));
        ASSERT_EQ(g.AktionenAnzahl, 0);
        ASSERT_EQ(g.AmZug, 1);
    }
    EXPECT_FALSE(ErsterFehlerGezeigt()) << fehler;
    MeldungenZuruecksetzen();
}
