#include "TestHilfe.h"

#include "engine/BasisBrett.h"
#include "engine/SWertDflt.h"
#include "support/StringsV5.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

TBewertungsKonstanten Standard() {
    TBewertungsKonstanten k;
    LeseWerteText(StandardWerteText(), k);
    return k;
}

TEST(Bewertung, KleineStellungenMitStandardwerten) {
    const TBewertungsKonstanten k = Standard();
    TEngineZustand e;
    EXPECT_EQ(Bewertung(e, k), 0.0);
    const std::vector<std::string> leer(7, ".......");
    auto mit = [&](int x, int y, char c) {
        auto z = leer;
        z[static_cast<std::size_t>(6 - y)][static_cast<std::size_t>(x)] = c;
        return z;
    };
    // Black stone on a1, black to move: its chain (size 1, 2 liberties) +103 and the corner -5.
    Aufbauen(e, mit(0, 0, 'S'), 1);
    EXPECT_EQ(Bewertung(e, k), 103.0 - 5.0);
    // A white stone there counts the other way, and its position value is the negated row 7.
    Aufbauen(e, mit(0, 0, 'W'), 1);
    EXPECT_EQ(Bewertung(e, k), -103.0 + 5.0);
    // White to move sees black's stone mirrored from black's table of white stones.
    Aufbauen(e, mit(0, 0, 'S'), 0);
    EXPECT_EQ(Bewertung(e, k), -103.0 + 5.0);
    // d5 (row value 2 in the grid line for row 5) with four liberties.
    Aufbauen(e, mit(3, 4, 'S'), 1);
    EXPECT_EQ(Bewertung(e, k), 109.0 + 2.0);
    // A chain of one stone in atari: +100 for the mover, the white neighbour -103.
    Aufbauen(e,
             {
                 ".......",
                 ".......",
                 ".......",
                 ".......",
                 ".......",
                 "W......",
                 "S......",
             },
             1);
    EXPECT_EQ(Bewertung(e, k), 100.0 - 103.0 - 5.0 + 0.0);
    // Three stones in a row in the middle have 8 liberties: a count beyond the file's rows.
    Aufbauen(e,
             {
                 ".......",
                 ".......",
                 ".......",
                 "..SSS..",
                 ".......",
                 ".......",
                 ".......",
             },
             1);
    EXPECT_EQ(Bewertung(e, k), 121.0 * 3 + 2.0 + 2.0 + 1.0);
}

TEST(Bewertung, KettenWieDasBrettSieZaehlt) {
    std::mt19937 rng(99);
    TEngineZustand e;
    for (int r = 0; r < Runden(200); ++r) {
        ZufallsStellung(e, rng, 10 + r % 30);
        TKettenListe l;
        FindeKetten(e.Brett, l);
        TKettenMarken m;
        m.Fuelle(-1);
        int n = 0;
        for (int p = 0; p <= LetzterPunkt; ++p) {
            TFarbe c = e.Brett[p];
            if ((c != Schwarz && c != Weiss) || m[p] != -1) continue;
            ASSERT_LT(n, l.Anzahl);
            EXPECT_EQ(l.Ketten[n].Punkt, p);
            EXPECT_EQ(l.Ketten[n].Groesse, e.KettenGroesse(p, c, n, m));
            EXPECT_EQ(l.Ketten[n].Freiheiten, e.KettenFreiheiten(p));
            EXPECT_EQ(l.Ketten[n].Freiheiten, Freiheiten(e.Brett, p));
            ++n;
        }
        EXPECT_EQ(n, l.Anzahl);
        EXPECT_EQ(m, l.Marken);
    }
}

TEST(Bewertung, ErgaenzungDerWerte) {
    const TBewertungsKonstanten k = Standard();
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x) {
            const double b = k.Positionswerte[1][Schwarz][y][x];
            EXPECT_EQ(k.Positionswerte[1][Weiss][y][x], -k.Positionswerte[1][Schwarz][6 - y][x]);
            EXPECT_EQ(k.Positionswerte[0][Schwarz][y][x], k.Positionswerte[1][Weiss][6 - y][x]);
            EXPECT_EQ(k.Positionswerte[0][Schwarz][y][x], -b);
            EXPECT_EQ(k.Positionswerte[0][Weiss][y][x], k.Positionswerte[1][Schwarz][6 - y][x]);
            EXPECT_EQ(k.Positionswerte[1][Leer][y][x], 0.0);
        }
    EXPECT_EQ(k.Positionswerte[1][Schwarz][0][0], -5.0);
    EXPECT_EQ(k.Positionswerte[1][Schwarz][6][3], 1.0);
    // Chain values: sizes continue the row, liberties continue the rows below, none is 0,
    // eyes copy one eye fewer.
    EXPECT_EQ(k.Kettenwerte[5][1][0], 500.0);
    EXPECT_EQ(k.Kettenwerte[6][1][0], 600.0);
    EXPECT_EQ(k.Kettenwerte[49][6][0], 115.0 * 49);
    EXPECT_EQ(k.Kettenwerte[2][7][0], 236.0);
    EXPECT_EQ(k.Kettenwerte[1][49][0], 100.0 + 3 * 48);
    EXPECT_EQ(k.Kettenwerte[3][0][0], 0.0);
    EXPECT_EQ(k.Kettenwerte[0][3][0], 0.0);
    EXPECT_EQ(k.Kettenwerte[4][2][2], 412.0);
}

const std::string FuellerText =
    "Werte\n"
    "Positionswerte\n"
    "AmZug Figur\n"
    "TRUE S\n"
    "1 2 3 4 5 6 7\n0 0 0 0 0 0 0\n0 0 0 0 0 0 0\n0 0 0 0 0 0 0\n0 0 0 0 0 0 0\n0 0 0 0 0 0 0\n"
    "7.5 0 0 0 0 0 -1e12\n"
    "\n"
    "AmZug    Figur\n"
    " FALSE      S\n"
    "9 9 9 9 9 9 9\n9 9 9 9 9 9 9\n9 9 9 9 9 9 9\n9 9 9 9 9 9 9\n9 9 9 9 9 9 9\n9 9 9 9 9 9 9\n9 9 9 9 9 9 "
    "9\n"
    "End Positionswerte\n"
    "Kettenwerte\n"
    "  Freiheiten  Augen  Werte\n"
    "# 0 0 -50 -60\n"
    "# 1 0 10 20 30 40 50 60 70\n"
    "#3 0 11\n"
    "# 7 0 17 34\n"
    "# 2 1 5 6 7\n"
    "End Kettenwerte\n"
    "End Werte\n";

TEST(Bewertung, VollereDateiWirdGelesenWieGeschrieben) {
    TBewertungsKonstanten k;
    LeseWerteText(FuellerText, k);
    EXPECT_EQ(k.Positionswerte[1][Schwarz][6][0], 1.0);
    EXPECT_EQ(k.Positionswerte[1][Schwarz][0][0], 7.5);
    EXPECT_EQ(k.Positionswerte[1][Schwarz][0][6], -2147483646.0); // clamped above the marker
    EXPECT_EQ(k.Positionswerte[0][Schwarz][3][3], 9.0);           // given, not mirrored
    EXPECT_EQ(k.Positionswerte[0][Weiss][0][0], 1.0);             // mirrored from black's table
    EXPECT_EQ(k.Kettenwerte[1][0][0], -50.0);
    EXPECT_EQ(k.Kettenwerte[3][0][0], -70.0);
    EXPECT_EQ(k.Kettenwerte[7][1][0], 70.0);
    EXPECT_EQ(k.Kettenwerte[8][1][0], 80.0);
    EXPECT_EQ(k.Kettenwerte[2][3][0], 22.0); // one value given, the rest in proportion
    EXPECT_EQ(k.Kettenwerte[2][2][0], 20.0); // between rows 1 and 3: continues row 1
    EXPECT_EQ(k.Kettenwerte[2][7][0], 34.0);
    EXPECT_EQ(k.Kettenwerte[3][2][1], 7.0);
    EXPECT_EQ(k.Kettenwerte[3][1][1], 30.0); // eyes 1 not given for 1 liberty: eyes 0
    // The echo text reads back to the same values.
    TBewertungsKonstanten echo;
    LeseWerteText(WerteAlsText(k), echo);
    EXPECT_EQ(echo.Positionswerte, k.Positionswerte);
    EXPECT_EQ(echo.Kettenwerte, k.Kettenwerte);
}

std::string FehlerVon(const std::string& text) {
    TBewertungsKonstanten k;
    try {
        LeseWerteText(text, k);
    } catch (const std::exception& ex) {
        return ex.what();
    }
    return "";
}

std::string Ersetze(std::string s, const std::string& alt, const std::string& neu) {
    return s.replace(s.find(alt), alt.size(), neu);
}

// Found by fuzzing: completed values outside the file's range made an echo that read back
// clamped, so different. A black value at the top gives a white mirror below the lowest value,
// a chain row that climbs continues beyond the highest one.
TEST(Bewertung, ErgaenzteWerteBleibenImBereichDerDatei) {
    std::string text = Ersetze(StandardWerteText(), "-5 00 00 01 00 00 -5", "2147483647 0 0 1 0 0 -5");
    text = Ersetze(text, "# 2 0 103 206 309 412 515", "# 2 0 0 2000000000");
    TBewertungsKonstanten k;
    LeseWerteText(text, k);
    EXPECT_EQ(k.Positionswerte[1][Weiss][0][0], -2147483646.0);
    EXPECT_EQ(k.Kettenwerte[3][2][0], 2147483647.0);
    TBewertungsKonstanten echo;
    LeseWerteText(WerteAlsText(k), echo);
    EXPECT_EQ(WerteAlsText(echo), WerteAlsText(k));
}

TEST(Bewertung, LesefehlerMitGenauenMeldungen) {
    const std::string& t = StandardWerteText();
    EXPECT_EQ(FehlerVon(t), "");
    EXPECT_EQ(FehlerVon(Ersetze(t, "Werte\n", "Wert\n")),
              "Fehler beim Einlesen der Werte. \r\nErwartet: <Werte>\r\nGefunden: <Wert>");
    EXPECT_EQ(FehlerVon(t.substr(0, t.find("Kettenwerte"))),
              "Fehler beim Einlesen der Werte. \r\nErwartet: <Kettenwerte>\r\nGefunden: <Dateiende>");
    EXPECT_EQ(FehlerVon(Ersetze(t, "00 02 02 02", "00 02 zwei 02")),
              "Text <zwei> konnte nicht gelesen werden.");
    EXPECT_EQ(FehlerVon(Ersetze(t, "# 6 0", "# 50 0")),
              "Fehler beim Einlesen der Werte. \r\nErwartet: <Freiheiten 0..49>\r\nGefunden: <50>");
    EXPECT_EQ(FehlerVon(Ersetze(t, "# 6 0", "# 6 3")),
              "Fehler beim Einlesen der Werte. \r\nErwartet: <Augen 0..2>\r\nGefunden: <3>");
    EXPECT_EQ(FehlerVon(Ersetze(t, " TRUE       S", " TRUE       X")),
              "Fehler beim Einlesen der Werte. \r\nErwartet: <S, W oder Leerzeichen>\r\nGefunden: <X>");
    EXPECT_EQ(FehlerVon(Ersetze(t, "-5 00 01 00 01 00 -5", "-5 00 01 00 01 00")),
              "Fehler beim Einlesen der Werte. \r\nErwartet: <7 Zahlen>\r\nGefunden: <-5 00 01 00 01 00>");
    std::string viele = "# 1 0";
    for (int i = 0; i < 50; ++i)
        viele += " 1";
    EXPECT_EQ(FehlerVon(Ersetze(t, "# 1 0 100 200 300 400 500", viele)),
              "Fehler beim Einlesen der Werte. \r\nErwartet: <höchstens 49 Werte>\r\nGefunden: <50 Werte>");
    EXPECT_EQ(FehlerVon(Ersetze(t, "End Kettenwerte\n", "")),
              "Fehler beim Einlesen der Werte. \r\nErwartet: <End Kettenwerte>\r\nGefunden: <End Werte>");
}

// Real files in a temporary engines folder; the messages are caught from the engine channel.
class WerteDatei : public ::testing::Test {
protected:
    static inline std::vector<std::pair<std::string, int>> meldungen;
    static void Fang(const char* text, int flag) { meldungen.emplace_back(text, flag); }
    std::filesystem::path ordner;

    void SetUp() override {
        ordner = std::filesystem::temp_directory_path() /
                 ("kiboru_werte_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(ordner);
        std::filesystem::create_directories(ordner);
        SetzeEngineOrdner(ordner.string());
        EngineMeldungenZuruecksetzen();
        SetzeEngineMeldeProc(Fang);
        meldungen.clear();
    }
    void TearDown() override {
        EngineMeldungenZuruecksetzen();
        SetzeEngineOrdner("");
        std::filesystem::remove_all(ordner);
    }
    void Schreibe(const std::string& text) { std::ofstream(WerteDateiName(), std::ios::binary) << text; }
    std::string LeseEcho() {
        std::ifstream in(WerteEchoName(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string Eingabefehler(const std::string& details) {
        return "Die Eingabedatei \"" + WerteDateiName() +
               "\" mit den Konstanten für die Stellungsbewertung konnte nicht gelesen werden. Die Engine "
               "benutzt "
               "deshalb Standardwerte und spielt grottenschlecht. \r\nDetails: " +
               details;
    }
};

TEST_F(WerteDatei, NamenImEngineOrdner) {
    EXPECT_EQ(WerteDateiName(), (ordner / "Default7x7.werte.cfg").string());
    EXPECT_EQ(WerteEchoName(), (ordner / "Default7x7.werte.out").string());
}

TEST_F(WerteDatei, GuteDateiUndEcho) {
    Schreibe(FuellerText);
    TBewertungsKonstanten k;
    ASSERT_TRUE(LeseWerteDatei(k));
    EXPECT_TRUE(meldungen.empty());
    EXPECT_EQ(k.Kettenwerte[2][7][0], 34.0);
    TBewertungsKonstanten echo;
    LeseWerteText(LeseEcho(), echo);
    EXPECT_EQ(echo.Kettenwerte, k.Kettenwerte);
    const std::string e = LeseEcho();
    EXPECT_EQ(e.rfind("Werte\n\nPositionswerte\n", 0), 0u);
    EXPECT_NE(e.find("End Positionswerte\n\nKettenwerte\n"), std::string::npos);
    const std::string schluss = "\nEnd Kettenwerte\n\nEnd Werte\n";
    EXPECT_EQ(e.substr(e.size() - schluss.size()), schluss);
}

TEST_F(WerteDatei, FehlendeKaputteUndFalscheDateien) {
    const TBewertungsKonstanten standard = Standard();
    TBewertungsKonstanten k;
    ASSERT_TRUE(LeseWerteDatei(k)); // no file at all
    ASSERT_EQ(meldungen.size(), 1u);
    EXPECT_EQ(meldungen[0].first, Eingabefehler("Datei nicht gefunden"));
    EXPECT_EQ(meldungen[0].second, 1);
    EXPECT_EQ(k.Kettenwerte, standard.Kettenwerte);
    EXPECT_EQ(k.Positionswerte, standard.Positionswerte);

    const std::string& t = StandardWerteText();
    Schreibe(t.substr(0, t.size() / 2)); // cut in the middle
    k = TBewertungsKonstanten{};
    ASSERT_TRUE(LeseWerteDatei(k));
    ASSERT_EQ(meldungen.size(), 2u);
    EXPECT_EQ(meldungen[1].first.rfind(Eingabefehler("Fehler beim Einlesen der Werte. \r\nErwartet: <"), 0),
              0u);
    EXPECT_EQ(meldungen[1].second, 0); // only the first error is shown
    EXPECT_EQ(k.Kettenwerte, standard.Kettenwerte);

    Schreibe(Ersetze(t, "# 4 0 109", "# 4 0 1O9"));
    ASSERT_TRUE(LeseWerteDatei(k));
    ASSERT_EQ(meldungen.size(), 3u);
    EXPECT_EQ(meldungen[2].first, Eingabefehler("Text <1O9> konnte nicht gelesen werden."));
    EXPECT_EQ(k.Kettenwerte, standard.Kettenwerte);
    // The echo holds the defaults in use.
    TBewertungsKonstanten echo;
    LeseWerteText(LeseEcho(), echo);
    EXPECT_EQ(echo.Kettenwerte, standard.Kettenwerte);
}

TEST_F(WerteDatei, EchoNichtSchreibbar) {
    Schreibe(StandardWerteText());
    std::filesystem::create_directories(WerteEchoName()); // a folder where the file should go
    TBewertungsKonstanten k;
    ASSERT_TRUE(LeseWerteDatei(k));
    ASSERT_EQ(meldungen.size(), 1u);
    EXPECT_EQ(
        meldungen[0].first,
        "Die Ausgabedatei \"" + WerteEchoName() +
            "\" mit den Konstanten für die Stellungsbewertung konnte nicht geschrieben werden. Das "
            "beeinträchtigt die Funktion normal nicht. Ist aber etwas verdächtig. Vielleicht stimmt was "
            "nicht mit der Installation.");
}

TEST_F(WerteDatei, ZufallsVariationUndVorbereitung) {
    Schreibe(StandardWerteText());
    const TBewertungsKonstanten standard = Standard();
    SetzeZufallsSaat(42);
    ASSERT_TRUE(BereiteBewertungVor());
    const TBewertungsKonstanten erste = Konstanten;
    bool verschieden = false;
    for (int s = 0; s <= 1; ++s)
        for (int c = -2; c <= 1; ++c)
            for (int y = 0; y < 7; ++y)
                for (int x = 0; x < 7; ++x) {
                    double d = erste.Positionswerte[s][c][y][x] - standard.Positionswerte[s][c][y][x];
                    EXPECT_TRUE(d == 0 || d == 1 || d == 2 || d == 3 || d == 4) << d;
                    if (d != 0) verschieden = true;
                }
    EXPECT_TRUE(verschieden);
    EXPECT_EQ(erste.Kettenwerte, standard.Kettenwerte);
    SetzeZufallsSaat(42);
    ASSERT_TRUE(BereiteBewertungVor());
    EXPECT_EQ(Konstanten.Positionswerte, erste.Positionswerte);
    EXPECT_TRUE(meldungen.empty());
}

// Without a registered procedure the engine still reaches the user.
TEST(EngineMeldung, OhneProzedurUndErsterFehler) {
    EngineMeldungenZuruecksetzen();
    EXPECT_EQ(EngineMeldeProc(), nullptr);
    static std::vector<int> flags;
    flags.clear();
    SetzeEngineMeldeProc([](const char*, int f) { flags.push_back(f); });
    MeldeFehler("a");
    MeldeFehler("b");
    Melde("c", true);
    EXPECT_EQ(flags, (std::vector<int>{1, 0, 1}));
    EXPECT_TRUE(EngineFehlerGemeldet());
    EngineMeldungenZuruecksetzen();
    EXPECT_FALSE(EngineFehlerGemeldet());
    // Without a procedure the text goes to a message box of the program's channel.
    static std::vector<std::string> boxen;
    boxen.clear();
    MeldungenZuruecksetzen();
    TMeldeAusgaben aus;
    aus.Box = [](const std::string& t) { boxen.push_back(t); };
    SetzeMeldeAusgaben(aus);
    Melde("Analysetiefe : 2", false);
    MeldungenZuruecksetzen();
    EXPECT_EQ(boxen, (std::vector<std::string>{"Meldeprozedur nicht gesetzt. Meldung: Analysetiefe : 2"}));
}

} // namespace
