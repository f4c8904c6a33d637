// The protocol loop in-process, driven through string streams.
#include "gtp/GtpFront.h"

#include "engine/Engines.h"
#include "engine/ziehenDflt.h"
#include "record/TPAcht.h"
#include "support/HilfsFkt.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

bool EndetMit(const std::string& s, const std::string& ende) {
    return s.size() >= ende.size() && s.compare(s.size() - ende.size(), ende.size(), ende) == 0;
}

struct TAntwort {
    bool Ok = false;
    std::string Id;
    std::string Text;
};

std::vector<TAntwort> Zerlegen(const std::string& aus) {
    std::vector<TAntwort> r;
    std::size_t pos = 0;
    while (pos < aus.size()) {
        const auto ende = aus.find("\n\n", pos);
        EXPECT_NE(ende, std::string::npos) << "answer without its empty line: " << aus.substr(pos);
        if (ende == std::string::npos) break;
        const std::string block = aus.substr(pos, ende - pos);
        pos = ende + 2;
        TAntwort a;
        EXPECT_TRUE(block[0] == '=' || block[0] == '?') << block;
        a.Ok = block[0] == '=';
        std::size_t i = 1;
        while (i < block.size() && std::isdigit(static_cast<unsigned char>(block[i])))
            a.Id += block[i++];
        EXPECT_EQ(block[i], ' ') << block;
        a.Text = block.substr(i + 1);
        r.push_back(a);
    }
    return r;
}

struct TLauf {
    std::vector<TAntwort> Antworten;
    std::string Fehler;
    int Code = -1;
};

TLauf Lauf(const std::string& eingabe, int level = 1) {
    std::istringstream ein(eingabe);
    std::ostringstream aus;
    std::ostringstream fehler;
    TLauf l;
    l.Code = GtpSchleife(ein, aus, fehler, level);
    l.Antworten = Zerlegen(aus.str());
    l.Fehler = fehler.str();
    return l;
}

// Answers of a script, one per line that is not empty or a comment.
std::vector<std::string> Texte(const std::string& eingabe, int level = 1) {
    std::vector<std::string> t;
    for (const auto& a : Lauf(eingabe, level).Antworten)
        t.push_back((a.Ok ? "= " : "? ") + a.Text);
    return t;
}

class GtpSchleifeTest : public ::testing::Test {
protected:
    static inline std::filesystem::path Ordner;

    static void SetUpTestSuite() {
        // the engine reads its constants from the user data folder: keep the tests away from $HOME
        Ordner = std::filesystem::temp_directory_path() / ("kiboru-gtp-test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(Ordner);
        ::setenv("XDG_DATA_HOME", Ordner.c_str(), 1);
        ::setenv("AppData", Ordner.c_str(), 1);
        HilfsFktZuruecksetzen();
    }
    static void TearDownTestSuite() {
        std::error_code ec;
        std::filesystem::remove_all(Ordner, ec);
        HilfsFktZuruecksetzen();
    }
};

} // namespace

TEST(GtpZeile, CleaningFollowsTheProtocol) {
    EXPECT_EQ(GtpZeileBereinigen("  1 name # was auch immer\r"), "1 name");
    EXPECT_EQ(GtpZeileBereinigen("play\tb\tC4"), "play b C4");
    EXPECT_EQ(GtpZeileBereinigen(std::string("pl\x01"
                                             "ay b\x7f c4\x1b",
                                             12)),
              "play b c4");
    EXPECT_EQ(GtpZeileBereinigen("# nur Kommentar"), "");
    EXPECT_EQ(GtpZeileBereinigen(" \t \r"), "");
    EXPECT_EQ(GtpZeileBereinigen("kiboru-save /tmp/Weiß.go"), "kiboru-save /tmp/Weiß.go");
}

TEST(GtpZeile, VerticesOfTheSevenBoard) {
    EXPECT_EQ(GtpVertex("A1"), 0);
    EXPECT_EQ(GtpVertex("a1"), 0);
    EXPECT_EQ(GtpVertex("C4"), 2 + 16 * 3);
    EXPECT_EQ(GtpVertex("g7"), 6 + 16 * 6);
    EXPECT_EQ(GtpVertex("PASS"), -1);
    EXPECT_EQ(GtpVertex("pass"), -1);
    EXPECT_EQ(GtpVertex("H1"), GtpAusserhalb);
    EXPECT_EQ(GtpVertex("A8"), GtpAusserhalb);
    EXPECT_EQ(GtpVertex("A0"), GtpAusserhalb);
    EXPECT_EQ(GtpVertex("T19"), GtpAusserhalb);
    for (const char* s : {"", "A", "I3", "1A", "A1x", "A-1", "A+1", "resign", "Ä1"})
        EXPECT_EQ(GtpVertex(s), GtpKeinVertex) << s;
    EXPECT_EQ(GtpVertexText(0), "A1");
    EXPECT_EQ(GtpVertexText(2 + 16 * 3), "C4");
    EXPECT_EQ(GtpVertexText(102), "G7");
    EXPECT_EQ(GtpVertexText(-1), "pass");
    for (int x = 0; x < 7; ++x)
        for (int y = 0; y < 7; ++y)
            EXPECT_EQ(GtpVertex(GtpVertexText(x + 16 * y)), x + 16 * y);
}

TEST_F(GtpSchleifeTest, AnswersCarryIdsAndEndWithAnEmptyLine) {
    std::istringstream ein("1 protocol_version\n\n# Kommentar\n  \t\n22 name\nversion\n3 foo\nquit\nname\n");
    std::ostringstream aus;
    std::ostringstream fehler;
    EXPECT_EQ(GtpSchleife(ein, aus, fehler, 1), 0);
    EXPECT_EQ(aus.str(), "=1 2\n\n=22 Kiboru\n\n= 1.0\n\n?3 unknown command\n\n= \n\n");
}

TEST_F(GtpSchleifeTest, KnownAndListedCommandsAgree) {
    const auto l = Lauf("list_commands\nknown_command genmove\nknown_command kiboru-status\n"
                        "known_command reg_genmove\nknown_command\n");
    ASSERT_EQ(l.Antworten.size(), 5u);
    std::istringstream liste(l.Antworten[0].Text);
    std::vector<std::string> namen;
    for (std::string z; std::getline(liste, z);)
        namen.push_back(z);
    EXPECT_EQ(namen, GtpKommandos());
    EXPECT_EQ(namen.size(), 25u);
    EXPECT_EQ(l.Antworten[1].Text, "true");
    EXPECT_EQ(l.Antworten[2].Text, "true");
    EXPECT_EQ(l.Antworten[3].Text, "false");
    EXPECT_FALSE(l.Antworten[4].Ok);
}

TEST_F(GtpSchleifeTest, BoardSizeAndKomi) {
    EXPECT_EQ(Texte("boardsize 7\nboardsize 9\nboardsize 19\nboardsize sieben\nboardsize\nkomi 6.5\nkomi x\n"
                    "komi -2\nkomi +0.5\n"),
              (std::vector<std::string>{"= ", "? unacceptable size", "? unacceptable size", "? syntax error",
                                        "? syntax error", "= ", "? syntax error", "= ", "= "}));
}

TEST_F(GtpSchleifeTest, IllegalMovesOfEveryKindChangeNothing) {
    // White stones on A2 and B1 make A1 a suicide point for black (and white's point: 2:3).
    const auto t = Texte("play b C3\nplay w A2\nplay b G7\nplay w B1\n"
                         "kiboru-status\n"
                         "play b C3\n" // occupied
                         "play b A1\n" // suicide
                         "play w D4\n" // white is not to move
                         "play b H1\n" // off the board
                         "play b A8\n"
                         "play b Z\n" // no vertex at all
                         "play green D4\n"
                         "play b\n"
                         "play b D4 D5\n"
                         "kiboru-status\nkiboru-score\n");
    const std::vector<std::string> erwartet = {"= ",
                                               "= ",
                                               "= ",
                                               "= ",
                                               "= 2:3 Schwarz ist am Zug.",
                                               "? illegal move",
                                               "? illegal move",
                                               "? illegal move",
                                               "? illegal move",
                                               "? illegal move",
                                               "? syntax error",
                                               "? syntax error",
                                               "? syntax error",
                                               "? syntax error",
                                               "= 2:3 Schwarz ist am Zug.",
                                               "= 2:3"};
    EXPECT_EQ(t, erwartet);
}

TEST_F(GtpSchleifeTest, KoRetakeIsRefusedUntilTheBoardHasChanged) {
    const std::string aufbau = "play b B3\nplay w C3\nplay b A2\nplay w D2\nplay b B1\nplay w C1\n"
                               "play b G7\nplay w B2\n"
                               "play b C2\n";              // takes the white stone on B2
    const auto t = Texte(aufbau + "play w B2\n"            // would bring back the board before C2
                                  "play w G1\nplay b G6\n" // both sides play elsewhere
                                  "play w B2\n"            // now the board is new: the retake is legal
                                  "showboard\n");
    ASSERT_EQ(t.size(), 14u);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(t[i], "= ") << i;
    EXPECT_EQ(t[9], "? illegal move");
    EXPECT_EQ(t[10], "= ");
    EXPECT_EQ(t[11], "= ");
    EXPECT_EQ(t[12], "= ");
    // B2 white again, C2 empty after the retake
    EXPECT_NE(t[13].find(" 2 X O . O . . . 2"), std::string::npos) << t[13];
}

TEST_F(GtpSchleifeTest, StatusTextsThroughTheGame) {
    const auto t =
        Texte("kiboru-status\nplay b D4\nkiboru-status\nplay w pass\nkiboru-status\nfinal_score\n"
              "play b PASS\nkiboru-status\nfinal_score\nkomi 49\nfinal_score\nkomi 49.5\nfinal_score\n"
              "undo\nkiboru-status\n");
    const std::vector<std::string> erwartet = {"= 0:0 Schwarz ist am Zug.",
                                               "= ",
                                               "= 49:0 Weiß ist am Zug.",
                                               "= ",
                                               "= 49:0 Schwarz ist am Zug.",
                                               "= B+49",
                                               "= ",
                                               "= 49:0 Schwarz hat gewonnen!",
                                               "= B+49",
                                               "= ",
                                               "= 0",
                                               "= ",
                                               "= W+0.5",
                                               "= ",
                                               "= 49:0 Schwarz ist am Zug."};
    EXPECT_EQ(t, erwartet);
}

TEST_F(GtpSchleifeTest, EqualCountsAndWhiteWins) {
    EXPECT_EQ(Texte("play b pass\nplay w pass\nkiboru-status\nfinal_score\n"),
              (std::vector<std::string>{"= ", "= ", "= 0:0 Beide haben gewonnen!", "= 0"}));
    EXPECT_EQ(Texte("komi 0.5\nplay b pass\nplay w pass\nfinal_score\n"),
              (std::vector<std::string>{"= ", "= ", "= ", "= W+0.5"}));
    EXPECT_EQ(Texte("play b pass\nplay w D4\nplay b pass\nplay w pass\nkiboru-status\nfinal_score\n"),
              (std::vector<std::string>{"= ", "= ", "= ", "= ", "= 0:49 Weiß hat gewonnen!", "= W+49"}));
}

TEST_F(GtpSchleifeTest, UndoStopsAtTheStart) {
    EXPECT_EQ(Texte("undo\nplay b C3\nplay w E5\nundo\nundo\nundo\nkiboru-status\nclear_board\nundo\n"),
              (std::vector<std::string>{"? cannot undo", "= ", "= ", "= ", "= ", "? cannot undo",
                                        "= 0:0 Schwarz ist am Zug.", "= ", "? cannot undo"}));
}

TEST_F(GtpSchleifeTest, ClearBoardAndBoardsizeStartANewGame) {
    EXPECT_EQ(Texte("play b C3\nclear_board\nkiboru-status\nplay b C3\nboardsize 7\nkiboru-score\n"),
              (std::vector<std::string>{"= ", "= ", "= 0:0 Schwarz ist am Zug.", "= ", "= ", "= 0:0"}));
}

TEST_F(GtpSchleifeTest, GenmoveComputesAndPlaysForTheSideToMove) {
    const auto l = Lauf("genmove w\ngenmove b\nkiboru-status\ngenmove white\nshowboard\n");
    ASSERT_EQ(l.Antworten.size(), 5u);
    EXPECT_FALSE(l.Antworten[0].Ok);
    ASSERT_TRUE(l.Antworten[1].Ok) << l.Antworten[1].Text;
    const std::string zug = l.Antworten[1].Text;
    const int punkt = GtpVertex(zug);
    ASSERT_TRUE(punkt >= 0 || zug == "pass") << zug;
    // whatever the engine chose, it was played and white is to move
    EXPECT_NE(l.Antworten[2].Text.find("Weiß ist am Zug."), std::string::npos) << l.Antworten[2].Text;
    ASSERT_TRUE(l.Antworten[3].Ok) << l.Antworten[3].Text;
    if (punkt >= 0) {
        const std::string& brett = l.Antworten[4].Text;
        const int zeile = punkt / 16 + 1;
        const auto z = brett.find("\n " + std::to_string(zeile) + " ");
        ASSERT_NE(z, std::string::npos) << brett;
        EXPECT_EQ(brett[z + 4 + 2 * (punkt & 15)], 'X') << brett;
    }
}

TEST_F(GtpSchleifeTest, GenmoveAfterTheEndIsRefused) {
    const auto t = Texte("play b pass\nplay w pass\ngenmove b\nkiboru-status\n");
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[2], "? Das Spiel ist aus.");
    EXPECT_EQ(t[3], "= 0:0 Beide haben gewonnen!");
}

TEST_F(GtpSchleifeTest, LevelCommandChecksItsRange) {
    EXPECT_EQ(Texte("kiboru-level 1\nkiboru-level 999\nkiboru-level 0\nkiboru-level 1000\nkiboru-level zwei\n"
                    "kiboru-level\n"),
              (std::vector<std::string>{"= ", "= ", "? level out of range 1..999",
                                        "? level out of range 1..999", "? syntax error", "? syntax error"}));
}

TEST_F(GtpSchleifeTest, MalformedInputNeverEndsTheLoop) {
    std::string zeilen =
        "\x01\x02\x03\n" + std::string(5000, 'x') + "\n" + "123\n" + "play b \xff\xfe\n" +
        "genmove\ngenmove purple\ntime_settings 1 2\ntime_settings 0 300 25\n"
        "time_left b 30 0\ntime_left b x 0\nkomi\nshowboard extra\nkiboru-open\nkiboru-save\n" +
        "42 kiboru-status\n";
    const auto l = Lauf(zeilen);
    std::vector<std::string> t;
    for (const auto& a : l.Antworten)
        t.push_back((a.Ok ? "= " : "? ") + a.Text);
    const std::vector<std::string> erwartet = {"? unknown command",
                                               "? syntax error",
                                               "? syntax error",
                                               "? syntax error",
                                               "? syntax error",
                                               "? syntax error",
                                               "= ",
                                               "= ",
                                               "? syntax error",
                                               "? syntax error",
                                               "? syntax error",
                                               "? syntax error",
                                               "? syntax error",
                                               "= 0:0 Schwarz ist am Zug."};
    EXPECT_EQ(t, erwartet);
    EXPECT_EQ(l.Antworten.back().Id, "42");
}

TEST_F(GtpSchleifeTest, SaveAndOpenGameFiles) {
    const auto ordner =
        std::filesystem::temp_directory_path() / ("kiboru-gtp-dateien-" + std::to_string(::getpid()));
    std::filesystem::create_directories(ordner);
    const std::string datei = (ordner / "partie eins.go").string();
    auto t = Texte("play b C3\nplay w E5\nplay b D4\nkiboru-save " + datei + "\nclear_board\nkiboru-open " +
                   datei + "\nkiboru-status\nundo\nkiboru-status\n");
    ASSERT_EQ(t.size(), 9u);
    EXPECT_EQ(t[3], "= ");
    EXPECT_EQ(t[5], "= ");
    EXPECT_TRUE(EndetMit(t[6], "Weiß ist am Zug.")) << t[6];
    EXPECT_EQ(t[7], "= ");
    EXPECT_TRUE(EndetMit(t[8], "Schwarz ist am Zug.")) << t[8];

    // a missing file and a file that is no game: errors with the program's texts, a new game
    {
        std::ofstream kaputt(ordner / "kaputt.go", std::ios::binary);
        kaputt << "keinGoSpiel";
    }
    t = Texte("play b C3\nkiboru-open " + (ordner / "fehlt.go").string() +
              "\nkiboru-status\nplay b C3\nkiboru-open " + (ordner / "kaputt.go").string() +
              "\nkiboru-status\n");
    ASSERT_EQ(t.size(), 6u);
    EXPECT_EQ(t[1].rfind("? ", 0), 0u) << t[1];
    EXPECT_NE(t[1].find("konnte nicht eingelesen werden (Datei nicht gefunden)"), std::string::npos) << t[1];
    EXPECT_EQ(t[2], "= 0:0 Schwarz ist am Zug.");
    EXPECT_EQ(t[4].rfind("? ", 0), 0u) << t[4];
    EXPECT_NE(t[4].find("hat ein falsches Format."), std::string::npos) << t[4];
    EXPECT_EQ(t[5], "= 0:0 Schwarz ist am Zug.");

    // saving into a folder that does not exist
    t = Texte("kiboru-save " + (ordner / "nicht" / "da.go").string() + "\n");
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].rfind("? ", 0), 0u) << t[0];
    EXPECT_NE(t[0].find("konnte nicht erzeugt werden"), std::string::npos) << t[0];
    std::filesystem::remove_all(ordner);
}

TEST_F(GtpSchleifeTest, MessagesGoToTheErrorStreamOnly) {
    const auto l = Lauf("play b C3\nplay w D4\nquit\n");
    ASSERT_EQ(l.Antworten.size(), 3u);
    // the controller's log lines name the engine and the move
    EXPECT_NE(l.Fehler.find(".Ziehe:c3"), std::string::npos) << l.Fehler;
}

namespace {

// Stands in for black's engine: answers a fixed point, no move at all, or throws.
class TStellvertreter : public TEngine {
public:
    enum TArt { Punkt, Nichts, Ausnahme } Art = Nichts;
    int Feld = 0;
    TStellvertreter() {
        Magic = MagicWert;
        Name = "Stellv";
    }
    bool Berechne(TZug& zug, std::int32_t& wert) override {
        wert = 0;
        if (Art == Ausnahme) throw std::runtime_error("Test");
        if (Art == Nichts) return false;
        zug = MacheZug(Regeln.Brett, Feld, Regeln.Mover());
        return true;
    }
};

struct TSlotTausch {
    TEngine* Vorher;
    explicit TSlotTausch(TEngine* e) : Vorher(EngineSlots[1]) { EngineSlots[1] = e; }
    ~TSlotTausch() { EngineSlots[1] = Vorher; }
};

} // namespace

TEST_F(GtpSchleifeTest, AMoveTheRulesRefuseBecomesResignAndNothingIsPlayed) {
    PAchtStart(); // the built-in engine is registered before its slot is taken over
    TStellvertreter e;
    TSlotTausch tausch(&e);
    e.Art = TStellvertreter::Punkt;
    e.Feld = GtpVertex("D4");
    auto l = Lauf("play b D4\nplay w C3\ngenmove b\nkiboru-status\n");
    std::vector<std::string> t;
    for (const auto& a : l.Antworten)
        t.push_back((a.Ok ? "= " : "? ") + a.Text);
    EXPECT_EQ(t, (std::vector<std::string>{"= ", "= ", "= resign", "= 1:1 Schwarz ist am Zug."}));
    EXPECT_NE(l.Fehler.find("Computer gibt auf !"), std::string::npos) << l.Fehler;

    e.Art = TStellvertreter::Nichts;
    EXPECT_EQ(Texte("genmove b\nkiboru-score\n"), (std::vector<std::string>{"= resign", "= 0:0"}));

    // an exception in the search reaches the error stream through the hand-over to this thread
    e.Art = TStellvertreter::Ausnahme;
    l = Lauf("genmove b\nplay b E5\n");
    ASSERT_EQ(l.Antworten.size(), 2u);
    EXPECT_EQ(l.Antworten[0].Text, "resign");
    EXPECT_TRUE(l.Antworten[1].Ok);
    EXPECT_NE(l.Fehler.find("Zugsuche abgebrochen wegen Ausnahme."), std::string::npos) << l.Fehler;

    // a legal point is played like the built-in engine's move
    e.Art = TStellvertreter::Punkt;
    e.Feld = GtpVertex("F2");
    EXPECT_EQ(Texte("genmove b\nkiboru-status\n"),
              (std::vector<std::string>{"= F2", "= 49:0 Weiß ist am Zug."}));
}

TEST_F(GtpSchleifeTest, TaggedRecordsAreTakenOverWithTheEngineInStep) {
    const auto pgn = Ordner / "partie.Pgn";
    {
        std::ofstream f(pgn, std::ios::binary);
        f << "[White \"Weiß\"]\n\n1. c3 d4 2. e5 h3 *\n";
    }
    // a stone where the record's moves go: the take-over starts from the empty board
    const auto l = Lauf("play b E5\nkiboru-open " + pgn.string() +
                        "\nkiboru-status\ngenmove w\nundo\nundo\nkiboru-status\n" + "kiboru-open " +
                        (Ordner / "fehlt.pgn").string() + "\nkiboru-status\n");
    ASSERT_EQ(l.Antworten.size(), 9u);
    EXPECT_TRUE(l.Antworten[1].Ok) << l.Antworten[1].Text;
    EXPECT_NE(
        l.Antworten[1].Text.find("Zug \"h3\" ist in dieser Position nicht erlaubt (ZugNr: 2 von Weiß)."),
        std::string::npos)
        << l.Antworten[1].Text;
    EXPECT_EQ(l.Antworten[2].Text, "2:1 Weiß ist am Zug.");
    ASSERT_TRUE(l.Antworten[3].Ok) << l.Antworten[3].Text;
    EXPECT_TRUE(l.Antworten[4].Ok);
    EXPECT_TRUE(l.Antworten[5].Ok);
    EXPECT_EQ(l.Antworten[6].Text, "1:1 Schwarz ist am Zug.");
    // every engine followed every move and every take-back
    EXPECT_EQ(l.Fehler.find("nicht ausgeführt"), std::string::npos) << l.Fehler;
    EXPECT_EQ(l.Fehler.find("nicht zurückgenommen"), std::string::npos) << l.Fehler;
    // an unreadable record is an error and the game stays as it was
    EXPECT_FALSE(l.Antworten[7].Ok);
    EXPECT_NE(l.Antworten[7].Text.find("Fehler beim Lesen der PGN-Datei"), std::string::npos)
        << l.Antworten[7].Text;
    EXPECT_EQ(l.Antworten[8].Text, "1:1 Schwarz ist am Zug.");
}

TEST_F(GtpSchleifeTest, SgfFilesAreLoadedAndPrinted) {
    const auto datei = (Ordner / "partie eins.sgf").string();
    auto l = Lauf("play b C3\nplay w E5\nplay b D4\nprintsgf\nprintsgf " + datei + "\nclear_board\nloadsgf " +
                  datei + "\nkiboru-status\nloadsgf " + datei +
                  " 3\nkiboru-status\nundo\nkiboru-status\nloadsgf " + datei + " 0\nloadsgf\n");
    std::vector<std::string> t;
    for (const auto& a : l.Antworten)
        t.push_back((a.Ok ? "= " : "? ") + a.Text);
    ASSERT_EQ(t.size(), 14u);
    EXPECT_EQ(t[3].rfind("= (;GM[1]FF[4]CA[UTF-8]SZ[7]", 0), 0u) << t[3];
    EXPECT_TRUE(EndetMit(t[3], ";B[ce];W[ec];B[dd])")) << t[3];
    EXPECT_EQ(t[4], "= ");
    EXPECT_EQ(t[6], "= ");
    EXPECT_EQ(t[7], "= 2:1 Weiß ist am Zug."); // the end of the main line
    EXPECT_EQ(t[8], "= ");
    EXPECT_EQ(t[9], "= 1:1 Schwarz ist am Zug."); // before move 3
    EXPECT_EQ(t[10], "= ");
    EXPECT_EQ(t[11], "= 49:0 Weiß ist am Zug.");
    EXPECT_EQ(t[12], "? syntax error");
    EXPECT_EQ(t[13], "? syntax error");

    // the file's komi counts; a move the rules refuse ends the reading, which is reported
    {
        std::ofstream f(Ordner / "komi.sgf", std::ios::binary);
        f << "(;GM[1]SZ[7]KM[6.5];B[dd];W[];B[];W[cc])";
    }
    l = Lauf("loadsgf " + (Ordner / "komi.sgf").string() + "\nfinal_score\nkiboru-status\n");
    ASSERT_EQ(l.Antworten.size(), 3u);
    EXPECT_TRUE(l.Antworten[0].Ok);
    EXPECT_EQ(l.Antworten[1].Text, "B+42.5");
    EXPECT_EQ(l.Antworten[2].Text, "49:0 Schwarz hat gewonnen!");
    EXPECT_NE(l.Fehler.find("der 4. Zug W[cc] ist nicht erlaubt"), std::string::npos) << l.Fehler;

    // a file the program cannot take: the protocol's failure, the German reason on the error
    // stream, the game as it was
    {
        std::ofstream f(Ordner / "neun.sgf", std::ios::binary);
        f << "(;GM[1]SZ[9];B[ee])";
    }
    l = Lauf("play b C3\nloadsgf " + (Ordner / "neun.sgf").string() + "\nloadsgf " +
             (Ordner / "fehlt.sgf").string() + "\nkiboru-status\nprintsgf " +
             (Ordner / "nicht" / "da.sgf").string() + "\n");
    ASSERT_EQ(l.Antworten.size(), 5u);
    EXPECT_EQ(l.Antworten[1].Text, "cannot load file");
    EXPECT_EQ(l.Antworten[2].Text, "cannot load file");
    EXPECT_EQ(l.Antworten[3].Text, "49:0 Weiß ist am Zug.");
    EXPECT_NE(l.Fehler.find("auf einem 9x9 großen Brett"), std::string::npos) << l.Fehler;
    EXPECT_NE(l.Fehler.find("konnte nicht eingelesen werden (Datei nicht gefunden)"), std::string::npos)
        << l.Fehler;
    EXPECT_FALSE(l.Antworten[4].Ok);
    EXPECT_NE(l.Antworten[4].Text.find("konnte nicht erzeugt werden"), std::string::npos)
        << l.Antworten[4].Text;
}

// The hint leaves game, tree and engine board as they were (the next genmove is still in step);
// the analysis answers a line per half-move, also for a finished game.
TEST_F(GtpSchleifeTest, HintChangesNothingAndTheAnalysisHasALinePerHalfMove) {
    auto l =
        Lauf("play b D4\nplay w C3\nundo\nplay w E5\nshowboard\nprintsgf\nkiboru-hint\nshowboard\nprintsgf\n"
             "genmove b\nkiboru-analyse\n");
    ASSERT_EQ(l.Antworten.size(), 11u);
    const std::string tipp = l.Antworten[6].Text;
    ASSERT_TRUE(l.Antworten[6].Ok) << tipp;
    EXPECT_TRUE(GtpVertex(tipp) >= 0 || tipp == "pass") << tipp;
    EXPECT_EQ(l.Antworten[7].Text, l.Antworten[4].Text);
    EXPECT_EQ(l.Antworten[8].Text, l.Antworten[5].Text);
    const std::string zug = l.Antworten[9].Text;
    ASSERT_TRUE(GtpVertex(zug) >= 0 || zug == "pass") << zug; // not "resign": the engine is in step
    std::istringstream zeilen(l.Antworten[10].Text);
    std::vector<std::string> z;
    for (std::string s; std::getline(zeilen, s);)
        z.push_back(s);
    ASSERT_EQ(z.size(), 3u) << l.Antworten[10].Text;
    EXPECT_EQ(z[0].rfind("1 d4 ", 0), 0u) << z[0];
    EXPECT_EQ(z[1].rfind("2 e5 ", 0), 0u) << z[1];
    std::string klein = zug;
    for (auto& c : klein)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(z[2].rfind("3 " + klein + " ", 0), 0u) << z[2];
    // the engine's own board stands where the game stands
    EXPECT_EQ(EngineBrett.Zugnummer, Regeln.Zugnummer);
    EXPECT_EQ(EngineBrett.Brett, Regeln.Brett);
    for (const std::string& s : z) {
        std::istringstream w(s);
        std::string n, feld, marge, verlust, rest;
        w >> n >> feld >> marge >> verlust >> rest;
        EXPECT_TRUE(rest.empty()) << s;
        ASSERT_EQ(marge.size() >= 4 && (marge[0] == '+' || marge[0] == '-'), true) << s;
        EXPECT_EQ(marge[marge.size() - 2], '.') << s;
        ASSERT_GE(verlust.size(), 3u) << s;
        EXPECT_EQ(verlust[verlust.size() - 2], '.') << s;
        EXPECT_GE(std::stod(verlust), 0.0) << s;
    }

    const auto t = Texte("kiboru-analyse\nplay b pass\nplay w pass\nkiboru-hint\nkiboru-analyse\n");
    ASSERT_EQ(t.size(), 5u);
    EXPECT_EQ(t[0], "= ");
    EXPECT_EQ(t[3], "? Das Spiel ist aus.");
    // after the two passes the count is final: 0:0
    EXPECT_EQ(t[4].rfind("= 1 pass ", 0), 0u) << t[4];
    EXPECT_NE(t[4].find("\n2 pass +0.0 "), std::string::npos) << t[4];
}

namespace {
// Hands out one line at a time, each after a pause, the way a controller waits for its
// opponent: the engine thinks ahead in between.
class TMitPausen : public std::streambuf {
public:
    TMitPausen(std::vector<std::string> zeilen, std::chrono::milliseconds pause)
        : Zeilen(std::move(zeilen)), Pause(pause) {}

private:
    std::vector<std::string> Zeilen;
    std::chrono::milliseconds Pause;
    std::size_t Naechste = 0;
    std::string Aktuell;

    int_type underflow() override {
        if (Naechste >= Zeilen.size()) return traits_type::eof();
        std::this_thread::sleep_for(Pause);
        Aktuell = Zeilen[Naechste++] + "\n";
        setg(Aktuell.data(), Aktuell.data(), Aktuell.data() + Aktuell.size());
        return traits_type::to_int_type(Aktuell[0]);
    }
};
} // namespace

// A whole game of the engine against itself with time to think ahead after every move: every
// answer comes, every move is one the rules take, and the game ends with two passes in step
// with the engine's own board. The trees kept from move to move outgrow half of their part of
// the pool on the way and are moved to its start.
TEST_F(GtpSchleifeTest, ThinkingAheadBetweenMovesKeepsTheGameInStep) {
    std::vector<std::string> zeilen;
    for (int i = 0; i < 160; ++i)
        zeilen.push_back(i % 2 ? "genmove w" : "genmove b");
    TMitPausen puffer(zeilen, std::chrono::milliseconds(60));
    std::istream ein(&puffer);
    std::ostringstream aus, fehler;
    ASSERT_EQ(GtpSchleife(ein, aus, fehler, 3, true), 0);
    const auto antworten = Zerlegen(aus.str());
    ASSERT_EQ(antworten.size(), zeilen.size());
    std::size_t ende = 0;
    while (ende < antworten.size() && antworten[ende].Ok) {
        const std::string& zug = antworten[ende].Text;
        ASSERT_TRUE(GtpVertex(zug) >= 0 || zug == "pass") << ende << ": " << zug;
        ++ende;
    }
    ASSERT_GE(ende, 2u);
    ASSERT_LT(ende, antworten.size()) << "no end within " << zeilen.size() << " moves";
    EXPECT_EQ(antworten[ende - 1].Text, "pass");
    EXPECT_EQ(antworten[ende - 2].Text, "pass");
    EXPECT_EQ(antworten[ende].Text, "Das Spiel ist aus.");
    EXPECT_EQ(EngineBrett.Zugnummer, Regeln.Zugnummer);
    EXPECT_EQ(EngineBrett.Brett, Regeln.Brett);
}
