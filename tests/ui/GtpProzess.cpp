// The built program in GTP mode, driven through pipes as a controller drives it.
#include "gtp/GtpFront.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#ifndef KIBORU_EXE
#error "KIBORU_EXE must name the built program"
#endif

namespace {

namespace fs = std::filesystem;

// Generous: only there so that a hanging child fails the test instead of the whole run.
constexpr int WartezeitMs = 60000;

// One folder per test process for the children's data folder and the files of the tests;
// removed when the process ends.
fs::path TestOrdner() {
    static const struct TOrdner {
        fs::path P = fs::temp_directory_path() / ("kiboru-gtp-prozess-" + std::to_string(::getpid()));
        TOrdner() { fs::create_directories(P); }
        ~TOrdner() {
            std::error_code ec;
            fs::remove_all(P, ec);
        }
    } ordner;
    return ordner.P;
}

class TKindProzess {
public:
    explicit TKindProzess(std::vector<std::string> argumente) {
        std::signal(SIGPIPE, SIG_IGN);                   // a dead child must fail the test, not end the run
        const std::string daten = TestOrdner().string(); // the parent's folder, made before the fork
        int ein[2], aus[2], fehl[2];
        if (::pipe(ein) != 0 || ::pipe(aus) != 0 || ::pipe(fehl) != 0) throw std::runtime_error("pipe");
        Pid = ::fork();
        if (Pid < 0) throw std::runtime_error("fork");
        if (Pid == 0) {
            ::dup2(ein[0], 0);
            ::dup2(aus[1], 1);
            ::dup2(fehl[1], 2);
            for (int fd : {ein[0], ein[1], aus[0], aus[1], fehl[0], fehl[1]})
                ::close(fd);
            ::setenv("XDG_DATA_HOME", daten.c_str(), 1);
            ::setenv("AppData", daten.c_str(), 1);
            std::vector<char*> argv;
            std::string exe = KIBORU_EXE;
            argv.push_back(exe.data());
            for (auto& a : argumente)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(exe.c_str(), argv.data());
            ::_exit(127);
        }
        ::close(ein[0]);
        ::close(aus[1]);
        ::close(fehl[1]);
        Ein = ein[1];
        Aus = aus[0];
        Fehl = fehl[0];
        ::fcntl(Fehl, F_SETFL, ::fcntl(Fehl, F_GETFL) | O_NONBLOCK);
    }

    TKindProzess(const TKindProzess&) = delete;
    TKindProzess& operator=(const TKindProzess&) = delete;

    ~TKindProzess() {
        SchliesseEingabe();
        if (Pid > 0 && !Beendet) {
            ::kill(Pid, SIGKILL);
            int st = 0;
            ::waitpid(Pid, &st, 0);
        }
        ::close(Aus);
        ::close(Fehl);
    }

    void Senden(const std::string& text) {
        std::size_t n = 0;
        while (n < text.size()) {
            const auto w = ::write(Ein, text.data() + n, text.size() - n);
            if (w <= 0) throw std::runtime_error("write");
            n += static_cast<std::size_t>(w);
        }
    }

    // One answer, up to and without its empty line; "" if the output ended first.
    std::string Antwort() {
        for (;;) {
            const auto ende = Gelesen.find("\n\n");
            if (ende != std::string::npos) {
                std::string a = Gelesen.substr(0, ende);
                Gelesen.erase(0, ende + 2);
                return a;
            }
            if (!Lesen()) return {};
        }
    }

    std::string Befehl(const std::string& zeile) {
        Senden(zeile + "\n");
        return Antwort();
    }

    void SchliesseEingabe() {
        if (Ein >= 0) ::close(Ein);
        Ein = -1;
    }

    // Exit code after the input is closed; -1 if it did not end normally.
    int Ende() {
        SchliesseEingabe();
        while (Lesen()) {
        }
        int st = 0;
        ::waitpid(Pid, &st, 0);
        Beendet = true;
        FehlerLesen();
        return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    }

    const std::string& Rest() const { return Gelesen; }
    std::string FehlerText() {
        FehlerLesen();
        return FehlerPuffer;
    }

private:
    pid_t Pid = -1;
    int Ein = -1, Aus = -1, Fehl = -1;
    bool Beendet = false;
    std::string Gelesen;
    std::string FehlerPuffer;

    bool Lesen() {
        pollfd p[2] = {{Aus, POLLIN, 0}, {Fehl, POLLIN, 0}};
        for (;;) {
            const int r = ::poll(p, 2, WartezeitMs);
            if (r < 0 && errno == EINTR) continue;
            if (r <= 0) throw std::runtime_error("no answer from the GTP process");
            if (p[1].revents) FehlerLesen(); // keep the child from blocking on a full error pipe
            if (p[0].revents) break;
        }
        char puffer[4096];
        const auto n = ::read(Aus, puffer, sizeof puffer);
        if (n <= 0) return false;
        Gelesen.append(puffer, static_cast<std::size_t>(n));
        return true;
    }

    void FehlerLesen() {
        char puffer[4096];
        for (;;) {
            const auto n = ::read(Fehl, puffer, sizeof puffer);
            if (n <= 0) break;
            FehlerPuffer.append(puffer, static_cast<std::size_t>(n));
        }
    }
};

TKindProzess Gtp(std::vector<std::string> weitere = {}) {
    std::vector<std::string> a = {"--gtp"};
    a.insert(a.end(), weitere.begin(), weitere.end());
    return TKindProzess(a);
}

} // namespace

TEST(GtpProzess, BadLevelEndsWithCodeTwoAndAGermanMessage) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--level", "0"},
                                                 {"--level", "1000"},
                                                 {"--level", "vier"},
                                                 {"--level"},
                                                 {"--level=-3"},
                                                 {"--farbe", "weiss"}}) {
        auto k = Gtp(args);
        EXPECT_EQ(k.Ende(), 2) << args[0];
        const auto fehler = k.FehlerText();
        EXPECT_TRUE(fehler.find("Spielstufe") != std::string::npos ||
                    fehler.find("Unbekanntes Argument") != std::string::npos)
            << fehler;
        EXPECT_EQ(k.Rest(), "");
    }
}

TEST(GtpProzess, SessionWithEveryCommand) {
    auto k = Gtp({"--level", "1"});
    const auto datei = (TestOrdner() / "sitzung.go").string();
    const auto pgn = (TestOrdner() / "sitzung.PGN").string();
    {
        std::ofstream p(pgn, std::ios::binary);
        p << "[Event \"Test\"]\r\n\r\n1. c3 d4 2. h3 *\r\n";
    }
    EXPECT_EQ(k.Befehl("1 protocol_version"), "=1 2");
    EXPECT_EQ(k.Befehl("2 name"), "=2 Kiboru");
    EXPECT_EQ(k.Befehl("3 version"), "=3 1.0");
    EXPECT_EQ(k.Befehl("4 known_command kiboru-open"), "=4 true");
    EXPECT_EQ(k.Befehl("5 known_command undo2"), "=5 false");
    const auto liste = k.Befehl("6 list_commands");
    ASSERT_EQ(liste.rfind("=6 ", 0), 0u) << liste;
    const std::string zeilen = "\n" + liste.substr(3) + "\n";
    for (const auto& kommando : GtpKommandos())
        EXPECT_NE(zeilen.find("\n" + kommando + "\n"), std::string::npos) << kommando;
    EXPECT_EQ(k.Befehl("7 boardsize 7"), "=7 ");
    EXPECT_EQ(k.Befehl("8 boardsize 19"), "?8 unacceptable size");
    EXPECT_EQ(k.Befehl("9 clear_board"), "=9 ");
    EXPECT_EQ(k.Befehl("10 komi 0.5"), "=10 ");
    EXPECT_EQ(k.Befehl("11 time_settings 0 5 1"), "=11 ");
    EXPECT_EQ(k.Befehl("12 time_left black 5 1"), "=12 ");
    EXPECT_EQ(k.Befehl("13 kiboru-level 2"), "=13 ");
    EXPECT_EQ(k.Befehl("14 play B d4"), "=14 ");
    const auto zug = k.Befehl("15 genmove W");
    ASSERT_EQ(zug.rfind("=15 ", 0), 0u) << zug;
    const std::string vertex = zug.substr(4);
    EXPECT_TRUE(GtpVertex(vertex) >= 0 || vertex == "pass" || vertex == "resign") << vertex;
    const auto status = k.Befehl("16 kiboru-status");
    if (vertex == "resign")
        EXPECT_EQ(status, "=16 49:0 Weiß ist am Zug.");
    else
        EXPECT_EQ(status.substr(status.size() - 19), "Schwarz ist am Zug.") << status;
    EXPECT_EQ(k.Befehl("17 kiboru-score"), "=17 " + status.substr(4, status.find(' ', 4) - 4));
    const auto brett = k.Befehl("18 showboard");
    EXPECT_EQ(brett.rfind("=18 \n   A B C D E F G\n", 0), 0u) << brett;
    const auto zeile4 = brett.find("\n 4 ");
    ASSERT_NE(zeile4, std::string::npos) << brett;
    EXPECT_EQ(brett[zeile4 + 4 + 2 * 3], 'X') << brett; // D4
    EXPECT_EQ(k.Befehl("19 kiboru-save " + datei), "=19 ");
    EXPECT_EQ(k.Befehl("20 undo"), "=20 ");
    EXPECT_EQ(k.Befehl("21 kiboru-open " + datei), "=21 ");
    EXPECT_EQ(k.Befehl("22 kiboru-status"), "=22" + status.substr(3));
    // the tagged record: its illegal third move is reported in the answer, its legal moves are played
    const auto offen = k.Befehl("23 kiboru-open " + pgn);
    EXPECT_EQ(offen.rfind("=23 ", 0), 0u) << offen;
    EXPECT_NE(offen.find("Zug \"h3\" ist in dieser Position nicht erlaubt (ZugNr: 2 von Schwarz)."),
              std::string::npos)
        << offen;
    EXPECT_EQ(k.Befehl("24 kiboru-status"), "=24 1:1 Schwarz ist am Zug.");
    EXPECT_EQ(k.Befehl("25 play b pass"), "=25 ");
    EXPECT_EQ(k.Befehl("26 play w pass"), "=26 ");
    EXPECT_EQ(k.Befehl("27 final_score"), "=27 W+0.5");
    EXPECT_EQ(k.Befehl("28 kiboru-status"), "=28 1:1 Beide haben gewonnen!");
    // the game as an SGF file and back, in the built program
    const auto sgf = (TestOrdner() / "sitzung.sgf").string();
    EXPECT_EQ(k.Befehl("29 printsgf " + sgf), "=29 ");
    EXPECT_EQ(k.Befehl("30 loadsgf " + sgf + " 2"), "=30 ");
    EXPECT_EQ(k.Befehl("31 kiboru-status"), "=31 49:0 Weiß ist am Zug.");
    EXPECT_EQ(k.Befehl("32 quit"), "=32 ");
    EXPECT_EQ(k.Ende(), 0);
    EXPECT_EQ(k.Rest(), "");
    // everything else the program says went to standard error
    EXPECT_NE(k.FehlerText().find(".Ziehe:d4"), std::string::npos);
}

TEST(GtpProzess, IllegalMovesKoUndoAndTheEnd) {
    auto k = Gtp({"--level", "1"});
    for (const char* z : {"play b B3", "play w C3", "play b A2", "play w D2", "play b B1", "play w C1",
                          "play b G7", "play w B2", "play b C2"})
        ASSERT_EQ(k.Befehl(z), "= ") << z;
    EXPECT_EQ(k.Befehl("play w B2"), "? illegal move"); // the retake repeats a board
    EXPECT_EQ(k.Befehl("play w C2"), "? illegal move"); // occupied
    EXPECT_EQ(k.Befehl("play b A4"), "? illegal move"); // black is not to move
    EXPECT_EQ(k.Befehl("play w A1"), "? illegal move"); // suicide: A2, B1 black
    EXPECT_EQ(k.Befehl("kiboru-status"), "= 7:3 Weiß ist am Zug.");
    EXPECT_EQ(k.Befehl("undo"), "= "); // C2 back, B2 white again
    EXPECT_EQ(k.Befehl("kiboru-status"), "= 5:5 Schwarz ist am Zug.");
    EXPECT_EQ(k.Befehl("play b pass"), "= ");
    EXPECT_EQ(k.Befehl("play w pass"), "= ");
    EXPECT_EQ(k.Befehl("final_score"), "= 0");
    EXPECT_EQ(k.Befehl("kiboru-status"), "= 5:5 Beide haben gewonnen!");
    EXPECT_EQ(k.Befehl("genmove b"), "? Das Spiel ist aus.");
    EXPECT_EQ(k.Befehl("undo"), "= ");
    EXPECT_EQ(k.Befehl("kiboru-status"), "= 5:5 Weiß ist am Zug.");
    EXPECT_EQ(k.Ende(), 0);
}

TEST(GtpProzess, MalformedInputGetsErrorsNotACrash) {
    auto k = Gtp();
    k.Senden(std::string("\0\0\0\n", 4));
    EXPECT_EQ(k.Befehl("\x1b[2J"), "? unknown command"); // the escape character is dropped
    EXPECT_EQ(k.Befehl("genmove"), "? syntax error");
    EXPECT_EQ(k.Befehl("play b ZZ9999999999999999999999"), "? syntax error");
    EXPECT_EQ(k.Befehl("komi 1e999"), "? syntax error");
    EXPECT_EQ(k.Befehl("\t\t7\tname\t# kommentar"), "=7 Kiboru");
    EXPECT_EQ(k.Befehl(std::string(100000, 'q')), "? unknown command");
    EXPECT_EQ(k.Befehl("kiboru-open " + (TestOrdner() / "gibt-es-nicht.pgn").string()).rfind("? ", 0), 0u);
    EXPECT_EQ(k.Befehl("kiboru-status"), "= 0:0 Schwarz ist am Zug.");
    // the end of the input without quit ends the program normally
    EXPECT_EQ(k.Ende(), 0);
}

namespace {

std::string DateiText(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// The match runner next to this source tree.
fs::path MatchSkript() { return fs::path(KIBORU_QUELLEN) / "tools" / "match"; }

int Shell(const std::string& befehl) {
    const int st = std::system(befehl.c_str());
    return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
}

std::string Zitat(const std::string& s) { return "'" + s + "'"; }

} // namespace

TEST(GtpMatch, RunnerPlaysSavesAndSummarises) {
    if (Shell("command -v python3 >/dev/null") != 0 || !fs::exists(MatchSkript()))
        GTEST_SKIP() << "python3 oder tools/match fehlt";
    const auto ordner = TestOrdner() / "match";
    fs::remove_all(ordner);
    ::setenv("XDG_DATA_HOME", TestOrdner().c_str(), 1);
    ::setenv("AppData", TestOrdner().c_str(), 1);
    const std::string kiboru = KIBORU_EXE;
    const std::string befehl =
        "python3 " + Zitat(MatchSkript().string()) + " --engine-a " + Zitat(kiboru + " --gtp --level 1") +
        " --engine-b " + Zitat(kiboru + " --gtp --level 2") + " --schiedsrichter " +
        Zitat(kiboru + " --gtp") + " --spiele 2 --max-zuege 9 --komi 0.5 --ausgabe " +
        Zitat(ordner.string()) + " > " + Zitat((TestOrdner() / "match.txt").string()) + " 2>&1";
    ASSERT_EQ(Shell(befehl), 0) << DateiText(TestOrdner() / "match.txt");
    const std::string csv = DateiText(ordner / "ergebnisse.csv");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 3) << csv;
    // colours alternate: A has black in game 1, B in game 2; nine moves end by the move limit
    EXPECT_NE(csv.find("\n1,A,B,"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\n2,B,A,"), std::string::npos) << csv;
    EXPECT_NE(csv.find(",Zuglimit,9,"), std::string::npos) << csv;
    for (const char* partie : {"partie-001.go", "partie-002.go"}) {
        const std::string go = DateiText(ordner / partie);
        ASSERT_GE(go.size(), 24u) << partie;
        EXPECT_EQ(go.substr(0, 4), "goV1") << partie;
    }
    // the referee reopens what it saved: nine moves played, white to move
    auto k = Gtp();
    EXPECT_EQ(k.Befehl("kiboru-open " + (ordner / "partie-001.go").string()), "= ");
    const auto status = k.Befehl("kiboru-status");
    EXPECT_NE(status.find("Weiß ist am Zug."), std::string::npos) << status;
    const std::string summe = DateiText(ordner / "zusammenfassung.txt");
    EXPECT_NE(summe.find("Sekunden pro Zug:"), std::string::npos) << summe;
    EXPECT_NE(summe.find("Kiboru 1.0"), std::string::npos) << summe;
}

TEST(GtpMatch, AnIllegalMoveLosesTheGame) {
    if (Shell("command -v python3 >/dev/null") != 0 || !fs::exists(MatchSkript()))
        GTEST_SKIP() << "python3 oder tools/match fehlt";
    // An engine that answers every genmove with A1: its second A1 is on an occupied point.
    const auto stur = TestOrdner() / "stur.py";
    {
        std::ofstream f(stur);
        f << "import sys\n"
             "for zeile in sys.stdin:\n"
             "    w = zeile.split()\n"
             "    if not w: continue\n"
             "    print('= A1' if w[0] == 'genmove' else ('= Stur' if w[0] == 'name' else '= '), "
             "end='\\n\\n', flush=True)\n"
             "    if w[0] == 'quit': break\n";
    }
    const auto ordner = TestOrdner() / "match-stur";
    fs::remove_all(ordner);
    const std::string kiboru = KIBORU_EXE;
    const std::string befehl =
        "python3 " + Zitat(MatchSkript().string()) + " --black " + Zitat("python3 " + stur.string()) +
        " --white " + Zitat(kiboru + " --gtp --level 1") + " --schiedsrichter " + Zitat(kiboru + " --gtp") +
        " --spiele 1 --ausgabe " + Zitat(ordner.string()) + " > /dev/null 2>&1";
    ASSERT_EQ(Shell(befehl), 0);
    const std::string csv = DateiText(ordner / "ergebnisse.csv");
    EXPECT_NE(csv.find("\n1,A,B,W,illegaler Zug a1,2,"), std::string::npos) << csv;
    const std::string summe = DateiText(ordner / "zusammenfassung.txt");
    EXPECT_NE(summe.find("B Kiboru 1.0: 1  (mit Schwarz 0, mit Weiß 1)"), std::string::npos) << summe;
    // From the empty board a game lost by an illegal move is below the value of perfect play.
    EXPECT_NE(summe.find("A Stur: 1 von 1 Partien (als Schwarz 1 von 1, als Weiß 0 von 0)"), std::string::npos)
        << summe;
    EXPECT_NE(summe.find("B Kiboru 1.0: 0 von 1 Partien"), std::string::npos) << summe;
}
