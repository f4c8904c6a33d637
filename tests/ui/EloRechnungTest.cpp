#include "ui/EloRechnung.h"

#include "rules/Checked.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A player table with the given ratings (row 1 first) and a square cross table.
struct Turnier {
    TGitter spieler;
    TGitter kreuz;
    explicit Turnier(const std::vector<std::string> &elo) : spieler(4, static_cast<int>(elo.size()) + 1) {
        const int n = static_cast<int>(elo.size()) + 1;
        kreuz = TGitter(n, n);
        for (int i = 1; i < n; ++i) {
            spieler.Setze(SpalteName, i, "S" + std::to_string(i));
            spieler.Setze(SpalteEloAlt, i, elo[i - 1]);
        }
        TabellenKopf(spieler, kreuz);
    }
    // Result of player i against j from i's side, mirrored as the dialog does.
    void Ergebnis(int i, int j, const std::string &text) {
        kreuz.Setze(j, i, text);
        ASSERT_EQ(ErgebnisNormalisieren(kreuz, j, i), TPruefung::Erkannt) << text;
    }
    void Auswerten() {
        for (int z = 1; z < kreuz.Zeilen; ++z) {
            ZeilePkteAuswerten(spieler, kreuz, z);
            ZeileEloAuswerten(spieler, kreuz, z);
        }
    }
};

TEST(EloRechnung, ErgebnisTexteLesen) {
    EXPECT_EQ(ErgebnisLesen(""), TErgebnisArt::Keins);
    EXPECT_EQ(ErgebnisLesen("  \t"), TErgebnisArt::Keins);
    EXPECT_EQ(ErgebnisLesen("1"), TErgebnisArt::Sieg);
    EXPECT_EQ(ErgebnisLesen(" 1-0 "), TErgebnisArt::Sieg);
    EXPECT_EQ(ErgebnisLesen("0"), TErgebnisArt::Niederlage);
    EXPECT_EQ(ErgebnisLesen("0-1"), TErgebnisArt::Niederlage);
    EXPECT_EQ(ErgebnisLesen("1/2"), TErgebnisArt::Remis);
    EXPECT_EQ(ErgebnisLesen("1/2-1/2"), TErgebnisArt::Remis);
    EXPECT_EQ(ErgebnisLesen("½"), TErgebnisArt::Remis);
    EXPECT_EQ(ErgebnisLesen("½-½"), TErgebnisArt::Remis);
    EXPECT_EQ(ErgebnisLesen("0-0"), TErgebnisArt::Unbekannt);
    EXPECT_EQ(ErgebnisLesen("x"), TErgebnisArt::Unbekannt);
    EXPECT_EQ(ErgebnisLesen("1-1"), TErgebnisArt::Unbekannt);
    EXPECT_DOUBLE_EQ(ErgebnisPunkte(TErgebnisArt::Unbekannt), 0.5);
}

TEST(EloRechnung, KuerzesteZahlForm) {
    EXPECT_EQ(ZahlText(3), "3");
    EXPECT_EQ(ZahlText(2.5), "2.5");
    EXPECT_EQ(ZahlText(20098 / 10.0), "2009.8");
    EXPECT_EQ(ZahlText(0), "0");
    EXPECT_EQ(EloZahl(" 2000 ", -1), 2000);
    EXPECT_EQ(EloZahl("+15", -1), 15);
    EXPECT_EQ(EloZahl("20a0", -1), -1);
    EXPECT_EQ(EloZahl("", 0), 0);
    EXPECT_EQ(EloZahl("99999999999", -1), -1);
}

TEST(EloRechnung, BeispielDreiGegnerGleicherStaerke) {
    Turnier t({"2000", "2000", "2000", "2000"});
    t.Ergebnis(1, 2, "1");
    t.Ergebnis(1, 3, "1");
    t.Ergebnis(1, 4, "0");
    t.Auswerten();
    EXPECT_EQ(t.spieler.Text(SpaltePunkte, 1), "2");
    EXPECT_EQ(t.spieler.Text(SpalteEloNeu, 1), "2009.8");
    // Each of the others lost 1 of 1 or won 1 of 1 against an equal player: +-K/2 = 9.8.
    EXPECT_EQ(t.spieler.Text(SpaltePunkte, 2), "0");
    EXPECT_EQ(t.spieler.Text(SpalteEloNeu, 2), "1990.2");
    EXPECT_EQ(t.spieler.Text(SpaltePunkte, 4), "1");
    EXPECT_EQ(t.spieler.Text(SpalteEloNeu, 4), "2009.8");
}

TEST(EloRechnung, GegnerWirdAufDreihundertfuenfzigGekappt) {
    // 2600 counts as 2350: D = 350, k = 39, P = 11 %, K = 19.6; a loss costs 19.6 * 0.11.
    EXPECT_DOUBLE_EQ(NeueElo(2000, {2600}, 0), NeueElo(2000, {2350}, 0));
    EXPECT_DOUBLE_EQ(NeueElo(2000, {2350}, 0), 1997.8); // 2000 - 2.156
    EXPECT_NE(NeueElo(2000, {2340}, 0), NeueElo(2000, {2350}, 0));
    // Downwards as well: 1400 counts as 1650, the win is expected with 89 %.
    EXPECT_DOUBLE_EQ(NeueElo(2000, {1400}, 1), NeueElo(2000, {1650}, 1));
    EXPECT_DOUBLE_EQ(NeueElo(2000, {1650}, 1), 2002.2); // 2000 + 19.6 * 0.11 = 2002.156
    // Near the end of the 32-bit range the clipping must not overflow.
    EXPECT_TRUE(std::isfinite(NeueElo(2147483647, {-2147483647 - 1}, 1)));
}

TEST(EloRechnung, DifferenzTabelleGrenzen) {
    // D exactly on an entry selects that entry: 4 -> 51 %, so a win gains 19.6 * 0.49.
    EXPECT_DOUBLE_EQ(NeueElo(2004, {2000}, 1),
                     std::nearbyint((2004 + (1396.0 * 1396 / 100000) * 0.49) * 10) / 10);
    EXPECT_DOUBLE_EQ(NeueElo(2003, {2000}, 1),
                     std::nearbyint((2003 + (1397.0 * 1397 / 100000) * 0.50) * 10) / 10);
    // The weaker side expects less than half.
    EXPECT_DOUBLE_EQ(NeueElo(2000, {2004}, 0), std::nearbyint((2000 - 19.6 * 0.49) * 10) / 10);
    EXPECT_EQ(EloDifferenz(40), 358);
    EXPECT_THROW(EloDifferenz(41), ERangeError);
}

TEST(EloRechnung, ZeileOhneErgebnisOderOhneElo) {
    Turnier t({"1800", "", "2100"});
    t.Ergebnis(1, 2, "1/2");
    t.Auswerten();
    // Row 1 has a result only against a player without rating: no game counts, old rating stays.
    EXPECT_EQ(t.spieler.Text(SpaltePunkte, 1), "0.5");
    EXPECT_EQ(t.spieler.Text(SpalteEloNeu, 1), "1800");
    // Row 2 has no rating: no new rating at all, but its points.
    EXPECT_EQ(t.spieler.Text(SpaltePunkte, 2), "0.5");
    EXPECT_EQ(t.spieler.Text(SpalteEloNeu, 2), "");
    // Row 3 has no result: no points, old rating as new.
    EXPECT_EQ(t.spieler.Text(SpaltePunkte, 3), "");
    EXPECT_EQ(t.spieler.Text(SpalteEloNeu, 3), "2100");
    // Stale values from an earlier run are cleared.
    t.spieler.Setze(SpalteEloAlt, 1, "abc");
    t.Auswerten();
    EXPECT_EQ(t.spieler.Text(SpalteEloNeu, 1), "");
}

TEST(EloRechnung, EloPruefenMeldungen) {
    Turnier t({"2000", "", "100", "5000"});
    EXPECT_EQ(EloPruefen(t.spieler), "");
    t.spieler.Setze(SpalteEloAlt, 2, "99");
    EXPECT_EQ(EloPruefen(t.spieler), "Bitte Elo zwischen 100 und 5000 eingeben!");
    t.spieler.Setze(SpalteEloAlt, 2, "5001");
    EXPECT_EQ(EloPruefen(t.spieler), "Bitte Elo zwischen 100 und 5000 eingeben!");
    t.spieler.Setze(SpalteEloAlt, 2, "123456789012345678901234567890");
    EXPECT_EQ(EloPruefen(t.spieler), "Bitte Elo zwischen 100 und 5000 eingeben!");
    // The first bad row decides.
    t.spieler.Setze(SpalteEloAlt, 3, "20a0");
    EXPECT_EQ(EloPruefen(t.spieler), "Bitte Elo zwischen 100 und 5000 eingeben!");
    t.spieler.Setze(SpalteEloAlt, 2, " 20a0");
    EXPECT_EQ(EloPruefen(t.spieler), "Bitte nur Ziffern in der Elo benutzen!");
    t.spieler.Setze(SpalteEloAlt, 2, "-200");
    EXPECT_EQ(EloPruefen(t.spieler), "Bitte nur Ziffern in der Elo benutzen!");
}

TEST(EloRechnung, ErgebnisUndSpiegelzelle) {
    struct Fall {
        const char *eingabe;
        const char *zelle;
        const char *spiegel;
    };
    for (const Fall &f : {Fall{"1", "1-0", "0-1"}, Fall{"0", "0-1", "1-0"}, Fall{"1/2", "1/2-1/2", "1/2-1/2"},
                          Fall{"½", "1/2-1/2", "1/2-1/2"}, Fall{"10", "1-0", "0-1"}}) {
        TGitter g(5, 5);
        g.Setze(2, 3, "alt");
        g.Setze(3, 2, f.eingabe);
        EXPECT_EQ(ErgebnisNormalisieren(g, 3, 2), TPruefung::Erkannt) << f.eingabe;
        EXPECT_EQ(g.Text(3, 2), f.zelle) << f.eingabe;
        EXPECT_EQ(g.Text(2, 3), f.spiegel) << f.eingabe;
    }
    TGitter g(5, 5);
    EXPECT_EQ(ErgebnisNormalisieren(g, 1, 2), TPruefung::Leer);
    g.Setze(1, 2, "2-0");
    EXPECT_EQ(ErgebnisNormalisieren(g, 1, 2), TPruefung::Fehler);
    EXPECT_EQ(g.Text(1, 2), "2-0");
    EXPECT_EQ(g.Text(2, 1), "");
    EXPECT_EQ(MeldungErgebnis,
              "In dieser Tabelle dürfen nur die Werte \"1-0\", \"0-1\" oder \"1/2-1/2\" stehen. "
              "\r\nDie Eingabe kann durch \"1\", \"0\" oder \"1/2\"  abgekürzt werden.");
}

TEST(EloRechnung, SpiegelzelleAusserhalbWaechstDieTabelle) {
    TGitter g(3, 6); // 3 columns, 6 rows: the mirror of (1, 5) is column 5
    g.Setze(1, 5, "1");
    EXPECT_EQ(ErgebnisNormalisieren(g, 1, 5), TPruefung::Erkannt);
    EXPECT_EQ(g.Spalten, 6);
    EXPECT_EQ(g.Text(5, 1), "0-1");
}

TEST(EloRechnung, GitterZeilenUndSpaltenVerschieben) {
    TGitter g(3, 3);
    for (int z = 0; z < 3; ++z)
        for (int s = 0; s < 3; ++s)
            g.Setze(s, z, std::to_string(s) + std::to_string(z));
    g.ZeileEinfuegen(1);
    g.SpalteEinfuegen(1);
    EXPECT_EQ(g.Zeilen, 4);
    EXPECT_EQ(g.Spalten, 4);
    EXPECT_EQ(g.Text(1, 1), "");
    EXPECT_EQ(g.Text(2, 2), "11");
    EXPECT_EQ(g.Text(3, 3), "22");
    EXPECT_EQ(g.Text(0, 2), "01");
    g.ZeileLoeschen(1);
    g.SpalteLoeschen(1);
    EXPECT_EQ(g.Text(1, 1), "11");
    EXPECT_EQ(g.Text(2, 2), "22");
    EXPECT_EQ(g.Text(7, 7), "");
    g.Setze(7, 7, "x"); // outside: ignored
    EXPECT_EQ(g.Zeilen, 3);
}

} // namespace
