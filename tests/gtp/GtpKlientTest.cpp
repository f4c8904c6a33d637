#include "gtp/GtpKlient.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <random>

TEST(GtpKlient, BefehlszeileWieInDerShell) {
    std::vector<std::string> t;
    std::string f;
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "~";
    ASSERT_TRUE(ZerlegeBefehlszeile("  gnugo --mode gtp\t--level 10 ", t, f));
    EXPECT_EQ(t, (std::vector<std::string>{"gnugo", "--mode", "gtp", "--level", "10"}));
    ASSERT_TRUE(
        ZerlegeBefehlszeile(R"('/opt/Meine Engine/run' "a b" c\ d "x\"y\\z" '' ~/bin/e a~b '~')", t, f));
    EXPECT_EQ(t, (std::vector<std::string>{"/opt/Meine Engine/run", "a b", "c d", "x\"y\\z", "",
                                           home + "/bin/e", "a~b", "~"}));
    // Nothing of a shell beyond the quoting: no variables, no pipes, no globbing.
    ASSERT_TRUE(ZerlegeBefehlszeile("prog $HOME;rm *|x", t, f));
    EXPECT_EQ(t, (std::vector<std::string>{"prog", "$HOME;rm", "*|x"}));
    EXPECT_FALSE(ZerlegeBefehlszeile("prog 'offen", t, f));
    EXPECT_EQ(f, "In der Befehlszeile fehlt das schließende Hochkomma (').");
    EXPECT_FALSE(ZerlegeBefehlszeile("prog \"offen", t, f));
    EXPECT_EQ(f, "In der Befehlszeile fehlt das schließende Anführungszeichen (\").");
    EXPECT_FALSE(ZerlegeBefehlszeile(" \t ", t, f));
    EXPECT_EQ(f, "Die Befehlszeile ist leer.");
}

TEST(GtpKlient, Vertices) {
    EXPECT_EQ(GtpPunkt("A1"), 0);
    EXPECT_EQ(GtpPunkt("g7"), 6 + 16 * 6);
    EXPECT_EQ(GtpPunkt("PASS"), -1);
    for (const char* kein : {"", "resign", "H1", "A8", "A0", "I1", "A10", "a", "1A", "C 3"})
        EXPECT_EQ(GtpPunkt(kein), GtpKeinPunkt) << kein;
    for (int p : {0, 6, 16 * 6, 6 + 16 * 6, 2 + 16 * 3})
        EXPECT_EQ(GtpPunkt(GtpPunktText(p)), p);
    EXPECT_EQ(GtpPunktText(-1), "pass");
}

namespace {
// An engine process made of prepared lines, for answers no real program would give.
struct TZeilenProzess : TProzess {
    std::deque<std::string>* Zeilen;
    std::vector<std::string>* Gesendet;
    TZeilenProzess(std::deque<std::string>* z, std::vector<std::string>* g) : Zeilen(z), Gesendet(g) {}
    bool Starte(const std::string&, const std::vector<std::string>&, std::string&) override { return true; }
    bool SchreibeZeile(const std::string& z) override {
        Gesendet->push_back(z);
        return true;
    }
    TLesen LiesZeile(std::string& z, TUhr::time_point, const std::atomic<std::uint8_t>*) override {
        if (Zeilen->empty()) return TLesen::Frist;
        z = Zeilen->front();
        Zeilen->pop_front();
        return TLesen::Zeile;
    }
    bool Laeuft() override { return true; }
    void Beende() override {}
    std::string LetzteFehlerzeile() override { return {}; }
    std::int64_t Kennung() override { return 1; }
};
} // namespace

// Stray lines, stale answers of other ids (some of several lines), answers that never come:
// a command gets exactly its own answer, or none.
TEST(GtpKlient, NurDieEigeneAntwortZaehlt) {
    std::deque<std::string> zeilen;
    std::vector<std::string> gesendet;
    TGtpKlient k([&] { return std::make_unique<TZeilenProzess>(&zeilen, &gesendet); });
    std::string f;
    ASSERT_TRUE(k.Starte("engine", f));
    std::mt19937 zufall(23);
    const auto zahl = [&](int n) { return static_cast<int>(zufall() % static_cast<unsigned>(n)); };
    const int runden = std::getenv("KIBORU_TEST_KURZ") ? 300 : 3000;
    for (int id = 1; id <= runden; ++id) {
        for (int n = zahl(4); n > 0; --n) {
            switch (zahl(5)) {
            case 0:
                zeilen.push_back("");
                break;
            case 1:
                zeilen.push_back("denke nach = ? " + std::to_string(id));
                break;
            case 2: { // one byte, but no answer without id: that would be taken for this one
                const char c = static_cast<char>(zahl(256));
                zeilen.push_back(std::string(1, c == '=' || c == '?' ? 'x' : c));
                break;
            }
            default: // an answer to another command, perhaps of several lines
                zeilen.push_back((zahl(2) ? "=" : "?") + std::to_string(id + 1 + zahl(9)) + " alt");
                for (int m = zahl(3); m > 0; --m)
                    zeilen.push_back("= " + std::to_string(id));
                zeilen.push_back(zahl(2) ? "" : " \t");
            }
        }
        const bool kommt = zahl(5) != 0;
        const bool fehler = zahl(3) == 0;
        const std::string text = "antwort " + std::to_string(id);
        if (kommt) {
            zeilen.push_back((fehler ? "?" : "=") + std::to_string(id) + " " + text + "\r");
            if (zahl(2)) zeilen.push_back("zweite zeile");
            zeilen.push_back("");
        }
        const TGtpAntwort a = k.Befehl("genmove b", std::chrono::milliseconds(0));
        ASSERT_EQ(gesendet.back(), std::to_string(id) + " genmove b");
        if (!kommt) {
            ASSERT_EQ(a.Art, TGtpAntwort::Frist) << id;
            continue;
        }
        ASSERT_EQ(a.Art, fehler ? TGtpAntwort::Fehler : TGtpAntwort::Erfolg) << id;
        ASSERT_EQ(a.Text.substr(0, text.size()), text) << id;
        ASSERT_TRUE(a.Text == text || a.Text == text + "\nzweite zeile") << a.Text;
        ASSERT_TRUE(zeilen.empty());
    }
}
