#include "SgfTestHilfe.h"
#include "TokenText.h"

#include <regex>

namespace {

using SgfTest = SgfUmgebung;

// The game every refusal must leave alone: two moves, a take-back, a variation.
void EtwasGespielt() {
    for (const char* z : {"d4", "c5", "e3"})
        ZieheMitUhr(P(z));
    ZurueckMitUhr();
    ZieheMitUhr(P("b2"));
}

} // namespace

TEST_F(SgfTest, GeschriebeneZufallsPartienKommenAlsDerselbeBaumZurueck) {
    std::mt19937 rnd(3);
    const std::string datei = N("rund.sgf");
    int mitVarianten = 0, aufgebaut = 0, beendet = 0;
    for (int i = 0; i < Runden(300); ++i) {
        ZufallsPartie(rnd);
        const TSpielBild vorher = Bild();
        // a variation: a move that follows the back token of its sibling
        for (int k = 1; k <= Baum.Letzter; ++k)
            if (IstVorwaerts((*Baum.Tokens)[k]) && !IstVorwaerts((*Baum.Tokens)[k - 1])) {
                ++mitVarianten;
                break;
            }
        aufgebaut += IstAufgebaut();
        beendet += Regeln.BeidePassen();
        ASSERT_EQ(SpeichereSgf(datei).Code, 0);
        const std::string text = Lies(datei);

        NeuesSpiel();
        const TSgfErgebnis e = LeseSgf(datei, 1);
        ASSERT_EQ(e.Meldung, "") << text;
        ASSERT_TRUE(e.Uebernommen);
        const TSpielBild nachher = Bild();
        ASSERT_EQ(nachher.Tokens, vorher.Tokens) << text;
        ASSERT_EQ(nachher.Start.Halbzug, vorher.Start.Halbzug) << text;
        ASSERT_TRUE(nachher.Start.Brett == vorher.Start.Brett) << text;
        ASSERT_EQ(Baum.Cursor, 0);
        ASSERT_EQ(PartieAlsSgf(), text);

        ASSERT_TRUE(LeseSgf(datei).Uebernommen);
        PruefeStimmig(text);
        if (HasFatalFailure()) return;
    }
    // the random games did cover what matters
    EXPECT_GE(mitVarianten, Runden(300) / 30);
    EXPECT_GE(aufgebaut, Runden(300) / 30);
    EXPECT_GE(beendet, Runden(300) / 30);
    EXPECT_TRUE(Boxen.empty()) << Boxen.front();
}

TEST_F(SgfTest, KopfAufstellungUndErgebnis) {
    ZieheMitUhr(P("d4"));
    ZieheMitUhr(P("--"));
    ZieheMitUhr(P("--"));
    const std::string text = PartieAlsSgf();
    EXPECT_TRUE(std::regex_match(
        text, std::regex(R"(\(;GM\[1\]FF\[4\]CA\[UTF-8\]SZ\[7\]KM\[0\]RU\[Chinese\])"
                         R"(AP\[Kiboru:[0-9]+\.[0-9]+[^\]]*\]RE\[B\+49\];B\[dd\];W\[\];B\[\]\)\n)")))
        << text;
    // a variation after the end does not change the main line's result
    ZweiZurueck();
    ZieheMitUhr(P("e5"));
    EXPECT_NE(PartieAlsSgf().find("RE[B+49]"), std::string::npos);

    NeuesSpiel();
    for (const char* z : {"--", "d4", "--", "--"})
        ZieheMitUhr(P(z));
    EXPECT_NE(PartieAlsSgf().find("RE[W+49];B[];W[dd];B[];W[])"), std::string::npos) << PartieAlsSgf();
    NeuesSpiel();
    ZieheMitUhr(P("--"));
    ZieheMitUhr(P("--"));
    EXPECT_NE(PartieAlsSgf().find("]RE[0];B[];W[])"), std::string::npos) << PartieAlsSgf();
    NeuesSpiel();
    ZieheMitUhr(P("d4"));
    EXPECT_EQ(PartieAlsSgf().find("RE["), std::string::npos);

    // a set-up start: the side to move and the stones, rows from the top
    TStellung st;
    st.Brett[Punkt(0, 6)] = Schwarz; // a7 = "aa"
    st.Brett[Punkt(2, 0)] = Schwarz; // c1 = "cg"
    st.Brett[Punkt(6, 0)] = Weiss;   // g1 = "gg"
    st.Halbzug = 2;
    NeueStellung(st);
    ZieheMitUhr(P("d4"));
    EXPECT_NE(PartieAlsSgf().find("]PL[W]AB[aa][cg]AW[gg];W[dd])"), std::string::npos) << PartieAlsSgf();

    const TIOErgebnis fehlt = SpeichereSgf(N("fehlt/x.sgf"));
    EXPECT_EQ(fehlt.Code, 2);
    EXPECT_EQ(fehlt.Meldung, "Datei " + N("fehlt/x.sgf") + " konnte nicht erzeugt werden (%).");
}

TEST_F(SgfTest, SammlungMitVariantenEscapesUndPaessen) {
    // The first game of two: escapes, a soft line break, passes written both ways, variations
    // at two places, properties the program does not use.
    const std::string text = "(;FF[4]GM[1]SZ[7]CA[UTF-8]AP[Hand:1]GN[Klammer \\] und \\\\ im Text]\n"
                             "PB[Schwarz]C[Erste Zeile\\\n weiter\r\nzweite Zeile]ST[2]\n"
                             ";B[dd]C[Mitte]LB[dd:A];W[cc]TR[dd]\n"
                             "(;B[ee];W[tt];B[])\n"
                             "(;B[ce]C[Variante \\]];W[] )\n"
                             "(;B[aa]))\n"
                             "(;FF[4]GM[1]SZ[9];B[ee])\n";
    TSgfSammlung s;
    std::string fehler;
    ASSERT_TRUE(ParseSgf(text, s, fehler)) << fehler;
    ASSERT_EQ(s.Spiele.size(), 2u);
    const TSgfKnoten& wurzel = s.Spiele[0].Knoten[0];
    EXPECT_EQ(SgfEinfacherText(wurzel.Finde("GN")->Werte[0]), "Klammer ] und \\ im Text");
    EXPECT_EQ(SgfText(wurzel.Finde("C")->Werte[0]), "Erste Zeile weiter\nzweite Zeile");
    EXPECT_EQ(SgfEinfacherText(wurzel.Finde("C")->Werte[0]), "Erste Zeile weiter zweite Zeile");
    EXPECT_EQ(SgfText(s.Spiele[0].Knoten[6].Finde("C")->Werte[0]), "Variante ]");

    Schreibe("sammlung.sgf", text);
    EtwasGespielt();
    const TSgfErgebnis e = LeseSgf(N("sammlung.sgf"));
    EXPECT_EQ(e.Meldung, "");
    ASSERT_TRUE(e.Uebernommen);
    EXPECT_EQ(Form(Baum), "d4+ c5+ e3+ --+ --+ --- --- e3- c3+ --+ --- c3- a7+ a7- c5- d4-");
    // the position is the end of the main line: the game is over
    EXPECT_EQ(Regeln.Zugnummer, 6);
    EXPECT_TRUE(Regeln.BeidePassen());
    EXPECT_FALSE(IstAufgebaut());
    PruefeStimmig("Sammlung");
    EXPECT_TRUE(Boxen.empty()) << Boxen.front();
}

TEST_F(SgfTest, AufstellungAmAnfang) {
    // a7, a rectangle b6:c5 without b6, white g1, white to move
    Schreibe("auf.sgf", "(;GM[1]FF[4]SZ[7]AB[aa][bb:cc]AW[gg]AE[bb]PL[W];W[dd];B[ee])");
    TSgfErgebnis e = LeseSgf(N("auf.sgf"), 1);
    ASSERT_EQ(e.Meldung, "");
    TStellung erwartet;
    for (const char* p : {"a7", "c6", "b5", "c5"})
        erwartet.Brett[FeldAusText(p)] = Schwarz;
    erwartet.Brett[FeldAusText("g1")] = Weiss;
    const TStellung start = Startstellung();
    EXPECT_TRUE(start.Brett == erwartet.Brett);
    EXPECT_EQ(start.Halbzug, 2);
    EXPECT_EQ(Regeln.AmZug, 0);
    EXPECT_TRUE(GleichesBrett(A.R.Brett, Regeln.Brett));
    EXPECT_EQ(Form(Baum), "d4+ e3+ e3- d4-");

    // A handicap game without PL: the first move tells who begins; set-up in the node after the
    // root counts as the start too.
    Schreibe("vorgabe.sgf", "(;GM[1]SZ[7:7]HA[2]KM[0.5];AB[cc][ee];W[dd])");
    e = LeseSgf(N("vorgabe.sgf"));
    ASSERT_EQ(e.Meldung, "");
    EXPECT_EQ(e.Komi, 0.5);
    EXPECT_EQ(Startstellung().Halbzug, 2);
    EXPECT_EQ(Regeln.Brett[FeldAusText("c5")], Schwarz);
    EXPECT_EQ(Regeln.Brett[FeldAusText("d4")], Weiss);
    PruefeStimmig("Vorgabe");
}

TEST_F(SgfTest, ZeichensaetzeWerdenUtf8) {
    const auto pb = [](const std::string& text) {
        TSgfSammlung s;
        std::string fehler;
        EXPECT_TRUE(ParseSgf(text, s, fehler)) << fehler;
        return s.Spiele.empty() ? std::string()
                                : SgfEinfacherText(s.Spiele[0].Knoten[0].Finde("PB")->Werte[0]);
    };
    EXPECT_EQ(pb("(;CA[ISO-8859-1]PB[M\xfcller])"), "Müller");
    EXPECT_EQ(pb("(;CA[latin1]PB[M\xc3\xbcller])"), "MÃ¼ller"); // declared Latin-1 is Latin-1
    EXPECT_EQ(pb("(;PB[M\xfcller])"), "Müller");
    EXPECT_EQ(pb("(;PB[Müller])"), "Müller");
    EXPECT_EQ(pb("(;CA[UTF-8]PB[Müller])"), "Müller");
    EXPECT_EQ(pb("(;CA[UTF-8]PB[M\xfcller])"), "M?ller");
    // a message quotes a Latin-1 value in UTF-8
    const TSgfErgebnis e = LeseSgfText("(;CA[ISO-8859-1]SZ[7];B[\xe4\xe4])", "l.sgf");
    EXPECT_NE(e.Meldung.find("der 1. Zug B[ää] liegt nicht auf dem 7x7-Brett."), std::string::npos)
        << e.Meldung;
}

TEST_F(SgfTest, AbgewieseneDateienLassenDieParteiUnberuehrt) {
    EtwasGespielt();
    const TSpielBild vorher = Bild();
    const std::string gross = "Die Datei " + N("gross.sgf") + " enthält eine Go-Partie auf einem ";
    const std::string kaputt = "Die Datei " + N("kaputt.sgf") + " ist beschädigt: ";
    struct TFall {
        std::string Datei, Text, Meldung;
    };
    const std::vector<TFall> faelle = {
        {"gross.sgf", "(;GM[1]FF[4]SZ[9];B[ee])",
         gross + "9x9 großen Brett. Dieses Programm ist jedoch für ein Spielfeld im Format 7x7 gedacht."},
        {"gross.sgf", "(;GM[1]FF[4];B[dd])",
         gross + "19x19 großen Brett. Dieses Programm ist jedoch für ein "
                 "Spielfeld im Format 7x7 gedacht."},
        {"schach.sgf", "(;GM[3]SZ[7])", "Die Datei " + N("schach.sgf") + " enthält keine Go-Partie (GM[3])."},
        {"kaputt.sgf", "(;GM[1]SZ[7]\n;B[dd]\n;W[cc\n",
         kaputt + "Zeile 3, Spalte 3: der Wert von W endet nicht mit \"]\" "
                  "(die Datei endet vorher)."},
        // CR LF is one line break, and a column counts characters, not bytes
        {"kaputt.sgf", "(;GM[1]\r\nSZ[7]\r\n\r\nC[Grüße];B[dd]%)",
         kaputt + "Zeile 4, Spalte 15: \";\", \"(\" oder \")\" erwartet, aber \"%\" gefunden."},
        {"kaputt.sgf", "(;SZ[7];B[dd];W[ee]",
         kaputt + "Zeile 1, Spalte 20: die Datei endet, bevor die Partie mit "
                  "\")\" geschlossen ist."},
        {"kaputt.sgf", "(;SZ[7](;B[dd]);W[ee])",
         kaputt + "Zeile 1, Spalte 16: nach einer Variante darf nur \"(\" oder \")\" folgen, aber \";\" "
                  "gefunden."},
        {"kaputt.sgf", "(;SZ[7])x", kaputt + "Zeile 1, Spalte 9: nach dem Ende der Partie steht noch \"x\"."},
        {"kaputt.sgf", "", kaputt + "Zeile 1, Spalte 1: die Datei enthält keine SGF-Partie."},
        {"kaputt.sgf", "(;SZ[7]AB[dh])", kaputt + "Zeile 1, Spalte 8: AB[dh] ist kein Punkt des 7x7-Bretts."},
        {"kaputt.sgf", "(;SZ[sieben])", kaputt + "Zeile 1, Spalte 3: SZ[sieben] ist keine Brettgröße."},
    };
    for (const TFall& f : faelle) {
        Schreibe(f.Datei, f.Text);
        const TSgfErgebnis e = LeseSgf(N(f.Datei));
        EXPECT_EQ(e.Meldung, f.Meldung) << f.Text;
        EXPECT_EQ(e.Code, 0);
        EXPECT_FALSE(e.Uebernommen);
        EXPECT_TRUE(Bild() == vorher) << f.Text;
    }
    const TSgfErgebnis fehlt = LeseSgf(N("fehlt.sgf"));
    EXPECT_EQ(fehlt.Code, 2);
    EXPECT_EQ(fehlt.Meldung, "Datei " + N("fehlt.sgf") + " konnte nicht eingelesen werden (%).");
    EXPECT_FALSE(fehlt.Uebernommen);
    EXPECT_TRUE(Bild() == vorher);
    EXPECT_TRUE(Boxen.empty()) << Boxen.front();
}

TEST_F(SgfTest, EinUnerlaubterZugBeendetDasLesen) {
    struct TFall {
        std::string Text, Meldung, Form;
        int Zugnummer;
    };
    const std::string bis = " Die Partie wurde bis vor diese Stelle übernommen.";
    const std::vector<TFall> faelle = {
        {"(;SZ[7];B[dd];W[cc];B[ee];W[dd];B[ff])",
         "Zeile 1, Spalte 27: der 4. Zug W[dd] ist nicht erlaubt: der Punkt ist besetzt.",
         "d4+ c5+ e3+ e3- c5- d4-", 4},
        // in a variation: the main line is complete, the variation ends before the move
        {"(;SZ[7]AB[af][bg];W[cc](;B[dd])(;B[ee];W[ag]))",
         "Zeile 1, Spalte 40: der 3. Zug W[ag] ist nicht erlaubt: Selbstmord.", "c5+ d4+ d4- e3+ e3- c5-", 3},
        {"(;SZ[7];B[dd]\n;B[ee])", "Zeile 2, Spalte 2: der 2. Zug B[ee] ist nicht erlaubt: Weiß ist am Zug.",
         "d4+ d4-", 2},
        {"(;SZ[7];B[dd];AB[aa];W[cc])",
         "Zeile 1, Spalte 15: eine Aufstellung mitten im Spiel (AB[aa]) kann dieses Programm nicht "
         "übernehmen.",
         "d4+ d4-", 2},
        {"(;SZ[7];B[];W[];B[dd])",
         "Zeile 1, Spalte 17: der 3. Zug B[dd] ist nicht erlaubt: die Partie ist nach zwei Pässen zu Ende.",
         "--+ --+ --- ---", 3},
        {"(;SZ[7];B[hh])", "Zeile 1, Spalte 9: der 1. Zug B[hh] liegt nicht auf dem 7x7-Brett.", "", 1},
    };
    for (const TFall& f : faelle) {
        EtwasGespielt();
        Schreibe("zug.sgf", f.Text);
        const TSgfErgebnis e = LeseSgf(N("zug.sgf"));
        EXPECT_EQ(e.Meldung, "Die Datei " + N("zug.sgf") + ": " + f.Meldung + bis) << f.Text;
        EXPECT_TRUE(e.Uebernommen);
        EXPECT_EQ(Form(Baum), f.Form) << f.Text;
        EXPECT_EQ(Regeln.Zugnummer, f.Zugnummer) << f.Text;
        PruefeStimmig(f.Text);
    }
}

TEST_F(SgfTest, PositionVorEinemZugDerHauptlinie) {
    Schreibe("linie.sgf", "(;SZ[7];B[dd];W[cc](;B[ee];W[ff])(;B[aa]))");
    for (const auto& [vorZug, zugnummer] :
         std::vector<std::pair<int, int>>{{1, 1}, {3, 3}, {0, 5}, {99, 5}}) {
        ASSERT_TRUE(LeseSgf(N("linie.sgf"), vorZug).Uebernommen);
        EXPECT_EQ(Regeln.Zugnummer, zugnummer) << vorZug;
        PruefeStimmig(std::to_string(vorZug));
    }
}
