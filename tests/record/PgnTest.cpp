#include "TokenText.h"
#include "record/PgnDoc.h"
#include "support/StringsV5.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string Z(const char* s) { return std::string(s) + "\r\n"; }

struct PgnTest : ::testing::Test {
    TPgnParser p;
    TPgnGameList l;
    std::vector<std::string> boxen;

    void SetUp() override {
        MeldungenZuruecksetzen();
        TMeldeAusgaben a;
        a.Box = [this](const std::string& t) { boxen.push_back(t); };
        a.InfoBox = a.Box;
        SetzeMeldeAusgaben(a);
    }
    void TearDown() override { MeldungenZuruecksetzen(); }

    int Lies(const std::string& text) {
        std::string fehler;
        const int r = ReadPgnText(p, l, text, "t.pgn", fehler);
        EXPECT_EQ(fehler, p.Errors);
        return r;
    }
    const TPgnGame& G(int i = 0) { return l[i]; }
    TFarbe Stein(const char* feld, int spiel = 0) { return G(spiel).Rules.Brett[FeldAusText(feld)]; }
};

TEST_F(PgnTest, EinfacheParte) {
    ASSERT_EQ(Lies("1. c3 d4 2. e5 *"), 0);
    EXPECT_EQ(p.Errors, "");
    EXPECT_EQ(l.Count, 1);
    EXPECT_EQ(G().Result, "*");
    EXPECT_EQ(Form(G().Moves), "c3+ d4+ e5+ e5- d4- c3-");
    EXPECT_EQ(Stein("c3"), Schwarz);
    EXPECT_EQ(Stein("d4"), Weiss);
    EXPECT_EQ(Stein("e5"), Schwarz);
    EXPECT_EQ(G().Rules.Zugnummer, 4);
    EXPECT_TRUE(boxen.empty());
}

TEST_F(PgnTest, ZugnummernUndPaare) {
    Lies("1. c3 1... d4 *");
    EXPECT_EQ(p.Errors, "");
    EXPECT_EQ(Stein("d4"), Weiss);

    Lies("1. h3 *");
    EXPECT_EQ(p.Errors, Z("Zug \"h3\" ist in dieser Position nicht erlaubt (ZugNr: 1 von Schwarz)."));
    EXPECT_EQ(G().Rules.Zugnummer, 1);
    EXPECT_EQ(G().Moves.Letzter, -1);

    Lies("1. c3 2. d4 *");
    EXPECT_EQ(p.Errors, Z("Zug \"d4\" ist in dieser Position nicht erlaubt (ZugNr: 2 von Schwarz)."));

    Lies("1. c3 d4 1. e5 *");
    EXPECT_EQ(p.Errors, "");
    EXPECT_EQ(Form(G().Moves), "c3+ d4+ d4- c3- e5+ e5-");
    EXPECT_EQ(Stein("c3"), Leer);
    EXPECT_EQ(Stein("e5"), Schwarz);
    EXPECT_EQ(G().Rules.Zugnummer, 2);

    Lies("0. c3 2000. d4 1999. e5 99999999999 *");
    EXPECT_EQ(p.Errors, Z("Zugnr nicht im erlaubten Bereich: 0") +
                            Z("Zugnr nicht im erlaubten Bereich: 2000") +
                            Z("Zug \"e5\" ist in dieser Position nicht erlaubt (ZugNr: 1999 von Schwarz).") +
                            Z("Zugnr nicht im erlaubten Bereich: 99999999999"));
    // 2000 was refused and its "." made d4 black's move 1 again, a variation of c3
    EXPECT_EQ(Form(G().Moves), "c3+ c3- d4+ d4-");
    EXPECT_EQ(Stein("c3"), Leer);
    EXPECT_EQ(Stein("d4"), Schwarz);
}

TEST_F(PgnTest, PassUndFigurbuchstaben) {
    Lies("1. O-O O-O-O 2. o-o+ c3 *");
    EXPECT_EQ(p.Errors, "");
    EXPECT_EQ(Form(G().Moves), "--+ --+ --+ c3+ c3- --- --- ---");
    EXPECT_EQ(Stein("c3"), Weiss); // no game-over check after two passes

    Lies("1. Kc3 *");
    EXPECT_EQ(p.Errors, Z("Unbekannte Figur: K"));
    EXPECT_EQ(Stein("c3"), Schwarz);

    Lies("1. O-X c3 *");
    EXPECT_EQ(p.Errors, Z("\"O-O\" oder \"O-O-O\" erwartet, aber \"-X \" gefunden.") +
                            Z("Kann mit Zeichen \"-\" hier nichts anfangen.") + Z("Unbekannte Figur: X"));
    EXPECT_EQ(Stein("c3"), Schwarz);
}

TEST_F(PgnTest, VerboteneZuegeWerdenAbgelehnt) {
    // a1 is surrounded by white b1 and a2: black's a1 would take its own last liberty.
    Lies("1. c3 b1 2. d3 a2 3. a1 *");
    EXPECT_EQ(p.Errors, Z("Zug \"a1\" ist in dieser Position nicht erlaubt (ZugNr: 3 von Schwarz)."));
    EXPECT_EQ(Stein("a1"), Leer);
    // A ko: white takes at b2, black retakes at once.
    Lies("1. b1 c1 2. a2 d2 3. b3 c3 4. c2 b2 5. c2 *");
    EXPECT_EQ(p.Errors, Z("Zug \"c2\" ist in dieser Position nicht erlaubt (ZugNr: 5 von Schwarz)."));
    EXPECT_EQ(Stein("c2"), Leer);
    EXPECT_EQ(Stein("b2"), Weiss);
}

TEST_F(PgnTest, Tagpaare) {
    Lies("[Event \"Turnier\"]\r\n[Site \"a \\\"b\\\" c\"]\r\n[X \"x\\\\\\\"y\"]\r\n1. c3 *");
    EXPECT_EQ(p.Errors, "");
    ASSERT_EQ(G().Tags.size(), 3u);
    EXPECT_EQ(G().Tags[0].Name, "Event");
    EXPECT_EQ(G().Tags[0].Value, "Turnier");
    EXPECT_EQ(G().Tags[1].Value, "a \"b\" c");
    EXPECT_EQ(G().Tags[2].Value, "x\\\"y"); // two escapes in a row

    Lies("[\xe4x \"1\"]\r\n[Event x y]\r\n[Site \"s\"y z\r\n[Round \"4\"]\r\n1. c3 *");
    EXPECT_EQ(
        p.Errors,
        Z("Tagname muss mit einem Buchstaben oder einer Ziffer beginnen, aber \"\xe4\" gefunden (Umlaute, "
          "ß usw. sind nicht erlaubt).") +
            Z("Tagwert muss in Anführunszeichen (\") stehen, aber (x) gefunden.") +
            Z("Tagendezeichen \"]\" erwartet, aber \"y\" gefunden. Der Rest der Zeile wird ignoriert."));
    ASSERT_EQ(G().Tags.size(), 4u);
    EXPECT_EQ(G().Tags[0].Name, "\xe4x");
    EXPECT_EQ(G().Tags[1].Value, "x y");
    EXPECT_EQ(G().Tags[2].Value, "s");
    EXPECT_EQ(G().Tags[3].Name, "Round");
    EXPECT_EQ(Stein("c3"), Schwarz);

    Lies("[Event \"offen\r\n1. c3 *");
    EXPECT_EQ(p.Errors, Z("Es fehlt ein Anführungszeichen am Ende des Strings. Gefundenes Zeichen: #13") +
                            Z("Tagendezeichen \"]\" erwartet, aber \"\r\" gefunden. Der Rest der Zeile wird "
                              "ignoriert."));
    EXPECT_EQ(G().Tags[0].Value, "offen");
    EXPECT_EQ(Stein("c3"), Schwarz);

    Lies("[Event \"x\"]\r\n[Site \"y\"]");
    EXPECT_EQ(p.Errors, Z("Spielendekennung (1-0 0-1 1/2-1/2 *) fehlt."));
    EXPECT_EQ(G().Tags.size(), 2u);
    EXPECT_EQ(l.Count, 1);
}

TEST_F(PgnTest, KlammerAmDateiende) {
    Lies("[");
    EXPECT_EQ(
        p.Errors,
        Z("Tagname muss mit einem Buchstaben oder einer Ziffer beginnen, aber \"\" gefunden (Umlaute, ß "
          "usw. sind nicht erlaubt).") +
            Z("Tagwert muss in Anführunszeichen (\") stehen, aber () gefunden.") +
            Z("Tagendezeichen \"]\" erwartet, aber \"\" gefunden. Der Rest der Zeile wird ignoriert.") +
            Z("Spielendekennung (1-0 0-1 1/2-1/2 *) fehlt."));
    ASSERT_EQ(G().Tags.size(), 1u);
    EXPECT_EQ(G().Tags[0].Name, "");
}

TEST_F(PgnTest, KommentareUndSonderzeichen) {
    Lies("{Kommentar ] mit\r\nZeilen} 1. c3 ; d4 e5\r\n1... d4 % f5\r\n2. e5!? $12 +# *");
    EXPECT_EQ(p.Errors, "");
    EXPECT_EQ(Form(G().Moves), "c3+ d4+ e5+ e5- d4- c3-");

    Lies("1. c3 { d4 *");
    EXPECT_EQ(p.Errors, Z("Kommentar ohne Ende"));
    EXPECT_EQ(Stein("d4"), Weiss);
    EXPECT_EQ(G().Result, "*");

    Lies("1. c3 * ; letzte Zeile");
    EXPECT_EQ(p.Errors, "");

    Lies("1. c3 ) ] } \\ @ *");
    EXPECT_EQ(p.Errors, Z("Unerwartetes Zeichen: )") + Z("Unerwartetes Zeichen: ]") +
                            Z("Unerwartetes Zeichen: }") + Z("Unerwartetes Zeichen: \\") +
                            Z("Kann mit Zeichen \"@\" hier nichts anfangen."));

    Lies("1. c3 (1. d4) *");
    EXPECT_EQ(p.Errors, Z("Rest bis zum Dateiende wird ignoriert."));
    EXPECT_EQ(G().Result, "");
    EXPECT_EQ(Stein("d4"), Leer);
}

TEST_F(PgnTest, NulBytesUndZeilenumbrueche) {
    const char roh[] = "[A \"x\0y\"]\r1.\0c3\0d4 *";
    Lies(std::string(roh, sizeof roh - 1));
    EXPECT_EQ(p.Errors, "");
    EXPECT_EQ(G().Tags[0].Value, "x y");
    EXPECT_EQ(Stein("d4"), Weiss);

    // CR, LF, CR LF and LF CR are one break each; a missing "]" skips only the rest of its line.
    Lies("[A \"1\"x\r[B \"2\"]\n\r[C \"3\"y\r\n[D \"4\"]\n1. c3\n*");
    EXPECT_EQ(p.Text,
              "[A \"1\"x\r\n[B \"2\"]\r\n[C \"3\"y\r\n[D \"4\"]\r\n1. c3\r\n*" + std::string(16, ' '));
    ASSERT_EQ(G().Tags.size(), 4u);
    EXPECT_EQ(G().Tags[1].Name, "B");
    EXPECT_EQ(G().Tags[3].Name, "D");
    EXPECT_EQ(
        p.Errors,
        Z("Tagendezeichen \"]\" erwartet, aber \"x\" gefunden. Der Rest der Zeile wird ignoriert.") +
            Z("Tagendezeichen \"]\" erwartet, aber \"y\" gefunden. Der Rest der Zeile wird ignoriert."));
    EXPECT_EQ(G().Result, "*");
}

TEST_F(PgnTest, MehrereSpiele) {
    Lies("[E \"1\"]\r\n1. c3 *\r\n\r\n[E \"2\"]\r\n1. d4 e5 1-0\r\n1. e5 0-1 1/2-1/2");
    EXPECT_EQ(p.Errors, "");
    ASSERT_EQ(l.Count, 4);
    EXPECT_EQ(G(0).Tags[0].Value, "1");
    EXPECT_EQ(Form(G(0).Moves), "c3+ c3-");
    EXPECT_EQ(G(1).Result, "1-0");
    EXPECT_EQ(Form(G(1).Moves), "d4+ e5+ e5- d4-");
    EXPECT_TRUE(G(2).Tags.empty());
    EXPECT_EQ(Form(G(2).Moves), "e5+ e5-");
    EXPECT_EQ(G(2).Result, "0-1");
    EXPECT_EQ(G(3).Result, "1/2-1/2"); // a lone result is a game of its own
    EXPECT_EQ(G(3).Moves.Letzter, -1);

    // A second read reuses the games in place and leaves nothing of the first.
    Lies("1. a1 *");
    EXPECT_EQ(l.Count, 1);
    EXPECT_EQ(l.Games.size(), 4u);
    EXPECT_TRUE(G(0).Tags.empty());
    EXPECT_EQ(Form(G(0).Moves), "a1+ a1-");
    EXPECT_EQ(Stein("c3"), Leer);

    Lies("");
    EXPECT_EQ(l.Count, 1);
    EXPECT_EQ(p.Errors, Z("Spielendekennung (1-0 0-1 1/2-1/2 *) fehlt."));
}

TEST_F(PgnTest, AlterRuecknahmestapelBleibtNichtStehen) {
    // Game 0 of the first read ends with black capturing a white stone ...
    Lies("1. b1 a1 2. a2 *");
    ASSERT_EQ(Stein("a1"), Leer);
    // ... the next read must not bring it back when a move is taken back there.
    Lies("1. g7 1. f7 *");
    EXPECT_EQ(p.Errors, "");
    EXPECT_EQ(Stein("a1"), Leer);
    EXPECT_EQ(Stein("f7"), Schwarz);
    EXPECT_EQ(Stein("g7"), Leer);
}

TSanZug LiesZugAus(const std::string& text, TPgnZugLesen& ergebnis, std::string& gelesen, TPgnParser& p) {
    p.Vorbereiten(text);
    TSanZug s;
    ergebnis = LiesPgnZug(p, s, gelesen);
    return s;
}

TEST_F(PgnTest, Zuggrammatik) {
    TPgnZugLesen ok = TPgnZugLesen::Abbruch;
    std::string t;
    struct Fall {
        const char* text;
        int von, nach;
        int figur, umwandlung, zeichen;
        const char* gelesen;
    };
    const Fall faelle[] = {
        {"c3 ", 119, 34, 1, 0, 0, "c3"},
        {"c3d4 ", 2 + 16 * 2, 3 + 16 * 3, 1, 0, 0, "c3d4"},
        {"c3-d4 ", 2 + 16 * 2, 3 + 16 * 3, 1, 0, 0, "c3-d4"},
        {"C3xd4+ ", 2 + 16 * 2, 3 + 16 * 3, 1, 0, 1, "C3xd4+"},
        {"cxd4 ", 2 + 16 * 7, 3 + 16 * 3, 1, 0, 0, "cxd4"},
        {"cd4 ", 2 + 16 * 7, 3 + 16 * 3, 1, 0, 0, "cd4"},
        {"Pc3 ", 119, 34, 1, 0, 0, "Pc3"},
        {"P :c3 ", 119, 34, 1, 0, 0, "P :c3"},
        {"p3c4 ", 7 + 16 * 2, 2 + 16 * 3, 1, 0, 0, "p3c4"},
        {"c8=P#+ ", 119, 2 + 16 * 7, 1, 1, 3, "c8=P#+"},
        {"c8= p ", 119, 2 + 16 * 7, 1, 1, 0, "c8= p"},
        {"c8p ", 119, 2 + 16 * 7, 1, 1, 0, "c8p"},
        {"c1Pb ", 119, 2, 1, 0, 0, "c1"},
        {"h8 ", 119, 7 + 16 * 7, 1, 0, 0, "h8"},
        {"O-O+# ", -1, -1, -1, 0, 3, "O-O+#"},
        {"o-o-o ", -1, -1, -1, 0, 0, "o-o-o"},
        {"cd9 ", 2 + 16 * 7, 3 + 16 * 8, 1, 0, 0, "cd"},
        {"cd0 ", 2 + 16 * 7, 3 - 16, 1, 0, 0, "cd"},
    };
    for (const Fall& f : faelle) {
        const TSanZug s = LiesZugAus(f.text, ok, t, p);
        SCOPED_TRACE(f.text);
        EXPECT_EQ(ok, TPgnZugLesen::Gelesen);
        EXPECT_EQ(s.VonFeld, f.von);
        EXPECT_EQ(s.NachFeld, f.nach);
        EXPECT_EQ(s.Figur, f.figur);
        EXPECT_EQ(s.Umwandlung, f.umwandlung);
        EXPECT_EQ(s.Zeichen, f.zeichen);
        EXPECT_EQ(t, f.gelesen);
        const std::string kurz = std::string(f.gelesen).substr(0, 5);
        EXPECT_EQ(std::string(s.Text + 1, static_cast<size_t>(s.Text[0])), kurz);
    }
    EXPECT_EQ(LiesZugAus("cd9 ", ok, t, p).NachFeld, 3 + 16 * 8);
    EXPECT_EQ(p.Errors, Z("1..8 am Zugende erwartet, aber gefunden: 9"));

    struct Fehlerfall {
        const char* text;
        const char* meldung;
    };
    const Fehlerfall fehler[] = {
        {"P33 ", "Syntaktisch falscher Zug: P33"},
        {"P! ", "Zeichen ist an dieser Stelle im Zug nicht erlaubt: !"},
        {"c! ", "a..h oder 1..8 erwartet, aber \"!\" gefunden."},
        {"c8=Q ", "Bauernverwandlungsfigur erwartet, aber gefunden: Q"},
        {"Nf3 ", "Unbekannte Figur: N"},
        {"O-0 ", "\"O-O\" oder \"O-O-O\" erwartet, aber \"-0 \" gefunden."},
    };
    for (const Fehlerfall& f : fehler) {
        SCOPED_TRACE(f.text);
        LiesZugAus(f.text, ok, t, p);
        EXPECT_EQ(ok, TPgnZugLesen::Verworfen);
        EXPECT_EQ(p.Errors, Z(f.meldung));
    }
    // The row character found stands as the row: a blank is far off the board, and the reading stops.
    LiesZugAus("cd ", ok, t, p);
    EXPECT_EQ(ok, TPgnZugLesen::Abbruch);
}

TEST_F(PgnTest, LesefehlerZeigenMeldungUndBehaltenSpiele) {
    EXPECT_EQ(Lies("[E \"1\"]\r\n1. c3 d4 2. cxd *"), -1);
    EXPECT_EQ(boxen, std::vector<std::string>{"Fehler beim Lesen der PGN-Datei \"t.pgn\""});
    EXPECT_EQ(p.Errors, Z("1..8 am Zugende erwartet, aber gefunden:  "));
    EXPECT_EQ(Form(G().Moves), "c3+ d4+ d4- c3-");
    EXPECT_EQ(G().Tags.size(), 1u);
    // ';' and '9' keep the point value in range: only the move is refused
    boxen.clear();
    EXPECT_EQ(Lies("1. ba; *\r\n1. cd9 *"), 0);
    EXPECT_TRUE(boxen.empty());
}

TEST_F(PgnTest, DateiLesen) {
    const auto ordner =
        std::filesystem::path(::testing::TempDir()) / ("kiboru_pgn_datei-" + std::to_string(::getpid()));
    std::filesystem::create_directories(ordner);
    const std::string name = (ordner / "partie.pgn").string();
    {
        std::ofstream f(name, std::ios::binary);
        f << "[Event \"Datei\"]\n1. c3 d4 *\n";
    }
    std::string fehler = "alt";
    EXPECT_EQ(ReadPgnFile(p, l, name, fehler), 0);
    EXPECT_EQ(fehler, "");
    EXPECT_EQ(G().Tags[0].Value, "Datei");
    EXPECT_EQ(p.Text, "[Event \"Datei\"]\r\n1. c3 d4 *\r\n" + std::string(16, ' '));

    const std::string fehlt = (ordner / "fehlt.pgn").string();
    EXPECT_EQ(ReadPgnFile(p, l, fehlt, fehler), -1);
    EXPECT_EQ(ReadPgnFile(p, l, ordner.string(), fehler), -1);
    ASSERT_EQ(boxen.size(), 2u);
    EXPECT_EQ(boxen[0], "Fehler beim Lesen der PGN-Datei \"" + fehlt + "\"");
    EXPECT_EQ(l.Count, 1); // an empty first game
    EXPECT_TRUE(G().Tags.empty());
    EXPECT_EQ(G().Moves.Letzter, -1);
    std::filesystem::remove_all(ordner);
}

TEST_F(PgnTest, UebernahmeInsSpieldokument) {
    Lies("1. c3 d4 2. e5 *");
    TZugGenerator regeln;
    TBaum baum;
    baum.Init(1);
    // The document's previous game ended with black capturing (an undo record with a stone).
    for (const char* f : {"b1", "a1", "a2"}) {
        TZug z;
        z.Feld = static_cast<std::int8_t>(FeldAusText(f));
        regeln.ZugZuFeld(z);
        baum.Einfuegen(regeln.Zugnummer, z);
        regeln.Ziehe(z);
    }
    UebernimmPgnSpiel(G(), regeln, baum);
    EXPECT_EQ(Form(baum), "c3+ d4+ e5+ e5- d4- c3-");
    EXPECT_NE(baum.Tokens, G().Moves.Tokens);
    EXPECT_EQ(baum.Cursor, 0);
    EXPECT_EQ(baum.Tiefe, 0);
    EXPECT_EQ(regeln.Zugnummer, 1);
    EXPECT_TRUE(GleichesBrett(regeln.Brett, Startbrett));
    // replaying and taking back leaves an empty board
    TZug z;
    ASSERT_TRUE(baum.Vor(z));
    regeln.Ziehe(z);
    regeln.Zuruecknehmen();
    EXPECT_TRUE(GleichesBrett(regeln.Brett, Startbrett));
}

} // namespace
