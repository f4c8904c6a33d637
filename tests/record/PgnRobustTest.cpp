// Random and mutated texts: the reader never lets an unexpected exception out and always leaves
// consistent games (well-formed tree, rules board = replay of the tree's path to its cursor).
#include "record/PgnDoc.h"
#include "support/StringsV5.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

int Iterationen(int n) { return std::getenv("KIBORU_TEST_KURZ") ? n / 10 : n; }

// A legal random game written as move text; the moves go to zuege.
std::string ZufallsPartie(std::mt19937& rnd, std::vector<TZug>& zuege) {
    TZugGenerator r;
    std::string s;
    const int n = static_cast<int>(rnd() % 60);
    for (int i = 0; i < n; ++i) {
        std::vector<TZug> legal;
        for (int k = 1; k <= r.Kandidaten(); ++k)
            if (r.IstErlaubt(r.Zugliste[k])) legal.push_back(r.Zugliste[k]);
        // passes now and then, but rarely twice in a row
        TZug z = legal[rnd() % 8 == 0 ? 0 : rnd() % legal.size()];
        if (r.AmZug) s += std::to_string(r.Zugnummer / 2 + 1) + ". ";
        s += IstPass(z) ? (rnd() % 2 ? "O-O" : "O-O-O") : Feldname(z.Feld);
        s += ' ';
        zuege.push_back(z);
        r.Ziehe(z);
    }
    return s + "*";
}

std::string Mutiere(std::mt19937& rnd, std::string s) {
    static const std::vector<std::string> teile = {"1.",
                                                   "2.",
                                                   "1...",
                                                   "c3",
                                                   "d4",
                                                   "O-O",
                                                   "O-O-O",
                                                   "[Event \"x\"]",
                                                   "{c}",
                                                   "{",
                                                   "}",
                                                   ";x\n",
                                                   "%\r",
                                                   "*",
                                                   "1-0",
                                                   "(",
                                                   ")",
                                                   "\"",
                                                   "$3",
                                                   "!",
                                                   "x",
                                                   "=",
                                                   "P",
                                                   "cxd4",
                                                   "e8=P",
                                                   "9999",
                                                   "0",
                                                   "\\",
                                                   "[",
                                                   "]",
                                                   std::string(1, '\0'),
                                                   "\r",
                                                   "\n",
                                                   "\n\r",
                                                   "cd9",
                                                   "ba;",
                                                   "Kc3",
                                                   "g7+",
                                                   "a1#",
                                                   "0-1",
                                                   "1/2-1/2"};
    const int n = 1 + static_cast<int>(rnd() % 6);
    for (int i = 0; i < n; ++i) {
        const size_t pos = s.empty() ? 0 : rnd() % (s.size() + 1);
        switch (rnd() % 4) {
        case 0:
            s.insert(pos, 1, static_cast<char>(rnd() % 256));
            break;
        case 1:
            if (pos < s.size()) s.erase(pos, 1 + rnd() % 4);
            break;
        case 2:
            if (pos < s.size()) s[pos] = static_cast<char>(rnd() % 256);
            break;
        default:
            s.insert(pos, teile[rnd() % teile.size()]);
        }
    }
    return s;
}

std::string ZufallsText(std::mt19937& rnd) {
    static const std::vector<std::string> teile = {"1. ",
                                                   "2. ",
                                                   "1... ",
                                                   "c3 ",
                                                   "d4 ",
                                                   "e5 ",
                                                   "b2 ",
                                                   "f6 ",
                                                   "a1 ",
                                                   "g7 ",
                                                   "O-O ",
                                                   "O-O-O ",
                                                   "*",
                                                   "1-0",
                                                   "[",
                                                   "]",
                                                   "\"",
                                                   "{",
                                                   "}",
                                                   "; c\r\n",
                                                   "% ",
                                                   "(",
                                                   ")",
                                                   "$1 ",
                                                   "x",
                                                   "=P ",
                                                   "Pc3 ",
                                                   "c3d4 ",
                                                   "cd4 ",
                                                   "h8 ",
                                                   "c8p ",
                                                   "\r\n",
                                                   "\n",
                                                   "\r",
                                                   "  ",
                                                   "0. ",
                                                   "2000.",
                                                   "1999.",
                                                   "[Site \"a\\\"b\"]\r\n",
                                                   "[Date ??]\r\n",
                                                   std::string(1, '\0')};
    std::string s;
    const int n = static_cast<int>(rnd() % 40);
    for (int i = 0; i < n; ++i) {
        if (rnd() % 10 == 0)
            s += static_cast<char>(rnd() % 256);
        else
            s += teile[rnd() % teile.size()];
    }
    return s;
}

// The moves from the root to the tree's cursor.
std::vector<TZug> PfadZumCursor(const TBaum& b) {
    std::vector<TZug> pfad;
    for (int i = 0; i < b.Cursor; ++i) {
        const TZug& t = (*b.Tokens)[i];
        if (IstVorwaerts(t))
            pfad.push_back(t);
        else
            pfad.pop_back();
    }
    return pfad;
}

void PruefeSpiel(const TPgnGame& g, const std::string& text) {
    // well-formed tokens
    std::vector<TZug> stapel;
    for (int i = 0; i <= g.Moves.Letzter; ++i) {
        const TZug& t = (*g.Moves.Tokens)[i];
        if (IstVorwaerts(t)) {
            stapel.push_back(t);
            continue;
        }
        ASSERT_FALSE(stapel.empty()) << text;
        TZug r = stapel.back();
        SetzeVorwaerts(r, false);
        ASSERT_TRUE(GleicherZug(r, t)) << text;
        stapel.pop_back();
    }
    ASSERT_TRUE(stapel.empty()) << text;
    ASSERT_GE(g.Moves.Cursor, 0);
    ASSERT_LE(g.Moves.Cursor, g.Moves.Letzter + 1);

    // The board is the replay of the first moves of that path, every one of them legal.
    const std::vector<TZug> pfad = PfadZumCursor(g.Moves);
    ASSERT_EQ(static_cast<int>(pfad.size()), g.Moves.Tiefe) << text;
    const int gespielt = g.Rules.Zugnummer - 1;
    ASSERT_LE(gespielt, static_cast<int>(pfad.size())) << text;
    TZugGenerator r;
    r.SetzeStellung(g.StartPosition);
    for (int i = 0; i < gespielt; ++i) {
        ASSERT_EQ(r.PruefeZug(pfad[static_cast<size_t>(i)]), ZugLegal) << text;
        r.Ziehe(pfad[static_cast<size_t>(i)]);
    }
    ASSERT_TRUE(GleichesBrett(r.Brett, g.Rules.Brett)) << text;
    ASSERT_EQ(r.AmZug, g.Rules.AmZug);
}

struct PgnRobust : ::testing::Test {
    TPgnParser p;
    TPgnGameList l;
    int abbrueche = 0;

    void SetUp() override {
        MeldungenZuruecksetzen();
        TMeldeAusgaben a;
        a.Box = [](const std::string&) {};
        SetzeMeldeAusgaben(a);
    }
    void TearDown() override { MeldungenZuruecksetzen(); }

    void Lies(const std::string& text) {
        if (!ParsePgnText(p, l, text)) {
            // Only the documented case stops the reading: a row character that puts the
            // target point off the board's range.
            ++abbrueche;
            const std::string marke = "1..8 am Zugende erwartet, aber gefunden: ";
            const size_t letzte = p.Errors.rfind(marke);
            ASSERT_NE(letzte, std::string::npos) << text;
            ASSERT_EQ(p.Errors.size(), letzte + marke.size() + 3) << text; // its the last message
        }
        ASSERT_GE(l.Count, 1);
        ASSERT_LE(l.Current, l.Count - 1);
        for (int i = 0; i < l.Count; ++i) {
            PruefeSpiel(l[i], text);
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
};

TEST_F(PgnRobust, ZufaelligeLegalePartienWerdenGenauGelesen) {
    std::mt19937 rnd(7);
    for (int i = 0; i < Iterationen(300); ++i) {
        std::vector<TZug> zuege;
        const std::string text = ZufallsPartie(rnd, zuege);
        ASSERT_TRUE(ParsePgnText(p, l, text)) << text;
        ASSERT_EQ(p.Errors, "") << text;
        ASSERT_EQ(l.Count, 1);
        const TBaum& b = l[0].Moves;
        ASSERT_EQ(b.Letzter + 1, 2 * static_cast<int>(zuege.size()));
        for (size_t k = 0; k < zuege.size(); ++k)
            ASSERT_TRUE(GleicherZug((*b.Tokens)[static_cast<long>(k)], zuege[k]));
        PruefeSpiel(l[0], text);
    }
}

TEST_F(PgnRobust, ZufallsTexteBleibenKonsistent) {
    std::mt19937 rnd(11);
    for (int i = 0; i < Iterationen(4000); ++i) {
        Lies(ZufallsText(rnd));
        if (HasFatalFailure()) return;
    }
}

TEST_F(PgnRobust, MutiertePartienBleibenKonsistent) {
    std::mt19937 rnd(13);
    for (int i = 0; i < Iterationen(4000); ++i) {
        std::vector<TZug> zuege;
        Lies(Mutiere(rnd, ZufallsPartie(rnd, zuege)));
        if (HasFatalFailure()) return;
    }
    // the mutations do reach the reading's one hard stop
    EXPECT_GT(abbrueche, 0);
}

} // namespace
