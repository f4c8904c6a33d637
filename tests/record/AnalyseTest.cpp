// The game analysis: the arithmetic on plain values, and the built-in engine valuing a game with
// a blunder through the registry's search thread.
#include "EngineUmgebung.h"

#include "engine/ziehenDflt.h"
#include "record/Analyse.h"
#include "record/SpielAblauf.h"

#include <cmath>

namespace {

TZug Auf(int feld) {
    TZug z{};
    z.Feld = static_cast<std::int8_t>(feld);
    return z;
}

TStellungsSchaetzung Wert(int bester, double marge) {
    TStellungsSchaetzung s;
    s.Feld = bester;
    s.Marge = marge;
    return s;
}

// Black's margins from the side to move, losses against the best move, the list of the costly
// moves, the answer line, and what survives a change of the line.
TEST(AnalyseRechnung, MargenVerlusteUndWasVomWertBleibt) {
    EXPECT_EQ(MargeFuerSchwarz(4, 1), 4);
    EXPECT_EQ(MargeFuerSchwarz(4, 0), -4);
    EXPECT_EQ(ZugVerlust(5, -5, false), 0);  // as good as the best move
    EXPECT_EQ(ZugVerlust(5, 3, false), 8);   // best kept +5, the move gave the opponent +3
    EXPECT_EQ(ZugVerlust(5, 3, true), 0);    // the best move itself loses nothing
    EXPECT_EQ(ZugVerlust(-2, -6, false), 0); // better than the engine's choice: no gain either

    // White begins (a set-up); d4 is White's best move, c3 is not.
    TPartieLinie l;
    l.Start.Halbzug = 2;
    l.Zuege = {Auf(FeldAusText("d4")), Auf(FeldAusText("c3")), Auf(-1)};
    l.Aktuell = 1;
    EXPECT_EQ(SeiteAmZug(l, 0), 0);
    EXPECT_EQ(SeiteAmZug(l, 1), 1);
    const TStellungsWerte w = {Wert(FeldAusText("d4"), 2.0), Wert(FeldAusText("e5"), -1.5),
                               Wert(FeldAusText("d5"), 6.0), std::nullopt};
    const auto h = HalbzugWerte(l, w);
    ASSERT_EQ(h.size(), 3u);
    EXPECT_EQ(h[0].Seite, 0);
    EXPECT_EQ(*h[0].MargeSchwarz, -1.5);
    EXPECT_EQ(*h[0].Verlust, 0); // the best move, although the values disagree by half a point
    EXPECT_EQ(h[1].Seite, 1);
    EXPECT_EQ(*h[1].MargeSchwarz, -6.0);
    EXPECT_EQ(*h[1].Verlust, 4.5);
    EXPECT_FALSE(h[2].MargeSchwarz);
    EXPECT_FALSE(h[2].Verlust);
    const auto fehler = GrobeFehler(h);
    ASSERT_EQ(fehler.size(), 1u);
    EXPECT_EQ(fehler[0].Nummer, 2u);
    EXPECT_EQ(HalbzugText(h[0]), "1 d4 -1.5 0.0");
    EXPECT_EQ(HalbzugText(h[1]), "2 c3 -6.0 4.5");
    EXPECT_EQ(HalbzugText(h[2]), "3 pass ? ?");
    THalbzugWert fast = h[1];
    fast.MargeSchwarz = -0.04; // rounds to zero: no minus sign
    fast.Verlust = 12.24;
    EXPECT_EQ(HalbzugText(fast), "2 c3 +0.0 12.2");
    EXPECT_EQ(MargenSchwarz(l, w), (std::vector<std::optional<double>>{-2.0, -1.5, -6.0, std::nullopt}));

    // Another third move keeps the values of positions 0..2; another start keeps nothing.
    TPartieLinie anders = l;
    anders.Zuege[2] = Auf(FeldAusText("a1"));
    anders.Zuege.push_back(Auf(-1));
    EXPECT_EQ(GemeinsameStellungen(l, anders), 3u);
    const TStellungsWerte uebrig = WerteUebertragen(l, w, anders);
    ASSERT_EQ(uebrig.size(), 5u);
    EXPECT_TRUE(uebrig[2] && !uebrig[3] && !uebrig[4]);
    EXPECT_EQ(OhneWert(uebrig), (std::vector<std::size_t>{3, 4}));
    TPartieLinie aufgebaut = l;
    aufgebaut.Start.Brett[FeldAusText("g7")] = Schwarz;
    EXPECT_EQ(GemeinsameStellungen(l, aufgebaut), 0u);
    EXPECT_EQ(OhneWert(WerteUebertragen(l, w, aufgebaut)).size(), 4u);
    // A job's values for an older line fill only the positions the lines share.
    TStellungsWerte werte(5);
    WerteErgaenzen(werte, anders, l, w);
    EXPECT_EQ(OhneWert(werte), (std::vector<std::size_t>{3, 4}));

    // The same position is reached by the same moves; the continuation does not count.
    TPartieLinie weiter = anders;
    EXPECT_TRUE(GleicheStellung(l, weiter));
    weiter.Aktuell = 2;
    EXPECT_FALSE(GleicheStellung(l, weiter));

    // The graph: the nearest position, inside the line.
    EXPECT_EQ(StellungBeiX(2.4, 10), 2u);
    EXPECT_EQ(StellungBeiX(2.6, 10), 3u);
    EXPECT_EQ(StellungBeiX(-3, 10), 0u);
    EXPECT_EQ(StellungBeiX(11, 10), 10u);
    EXPECT_EQ(StellungBeiX(std::nan(""), 10), 0u);

    // The analysis takes the hint's time, at most the start level's.
    EXPECT_LT(AnalyseSekunden(1), AnalyseSekunden(4));
    EXPECT_EQ(AnalyseSekunden(8), AnalyseSekunden(4));
    EXPECT_EQ(AnalyseSekunden(999), AnalyseSekunden(4));
    EXPECT_GT(TippSekunden(999), 0);
}

struct AnalyseTest : TEngineUmgebung {
    void SetUp() override {
        TEngineUmgebung::SetUp();
        PAchtStart();
    }
};

// Black leaves its six stones in atari (the rescue at d4 joins them to the wall on the e-line)
// and White takes them: that move is the costliest of the game. Game and engine board stay.
TEST_F(AnalyseTest, DieKetteInAtariIstDerTeuersteZug) {
    TStellung st;
    st.Halbzug = 1;
    for (const char* p : {"e1", "e2", "e3", "e4", "e5", "e6", "e7", "a4", "b4", "c4", "a5", "b5", "c5"})
        st.Brett[FeldAusText(p)] = Schwarz;
    for (const char* p : {"a6", "b6", "c6", "a3", "b3", "c3", "d5"})
        st.Brett[FeldAusText(p)] = Weiss;
    NeueStellung(st);
    for (const char* p : {"g1", "d4"}) {
        TZug z = Auf(FeldAusText(p));
        ASSERT_TRUE(Regeln.ZugZuFeld(z));
        ZieheMitUhr(z);
    }
    ASSERT_EQ(Regeln.Zugnummer, 3);
    ASSERT_EQ(Regeln.Brett[FeldAusText("b4")], Leer); // taken
    ZurStellung(1);
    ASSERT_EQ(Regeln.Zugnummer, 2);

    const TPartieLinie l = AktuelleLinie();
    ASSERT_EQ(l.Zuege.size(), 2u);
    EXPECT_EQ(l.Aktuell, 1u);
    const TBrett engineVorher = EngineBrett.Brett;
    const TBrett regelnVorher = Regeln.Brett;

    TAnalyseAuftrag a("Analyse");
    a.Vorbereiten(l, {0, 1, 2}, 1.0);
    bool fertig = false;
    StarteAuftrag(&a, [&] { fertig = true; });
    ASSERT_TRUE(Host.PumpeBis([&] { return fertig; }));
    WarteAufSuche();
    EXPECT_EQ(a.Fertig(), 3u);

    const auto h = HalbzugWerte(l, a.Werte());
    ASSERT_TRUE(h[0].Verlust && h[1].Verlust);
    EXPECT_GE(*h[0].Verlust, FehlerGrenze);
    EXPECT_GT(*h[0].Verlust, *h[1].Verlust);
    EXPECT_EQ(a.Werte()[0]->Feld, FeldAusText("d4")); // the rescue
    const auto fehler = GrobeFehler(h);
    ASSERT_FALSE(fehler.empty());
    EXPECT_EQ(fehler[0].Nummer, 1u);

    EXPECT_EQ(EngineBrett.Brett, engineVorher);
    EXPECT_EQ(Regeln.Brett, regelnVorher);
    EXPECT_EQ(Regeln.Zugnummer, 2);
    EXPECT_TRUE(Boxen.empty());
}

} // namespace
