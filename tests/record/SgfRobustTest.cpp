// Mutated SGF files: the reader never crashes and never leaves half a game. A refused file
// leaves the game exactly as it was; a file taken over gives a game that holds together.
#include "SgfTestHilfe.h"

namespace {

using SgfRobust = SgfUmgebung;

std::string Mutiere(std::mt19937& rnd, std::string s) {
    static const std::vector<std::string> teile = {"(",
                                                   ")",
                                                   ";",
                                                   "[",
                                                   "]",
                                                   "\\",
                                                   "\\]",
                                                   "B[dd]",
                                                   "W[]",
                                                   "B[tt]",
                                                   "W[cc]",
                                                   "B[aa]",
                                                   "AB[bb]",
                                                   "AW[cc]",
                                                   "AE[dd]",
                                                   "PL[W]",
                                                   "PL[x]",
                                                   "SZ[9]",
                                                   "SZ[7]",
                                                   "SZ[7:7]",
                                                   "GM[2]",
                                                   "KM[x]",
                                                   "AB[aa:gg]",
                                                   "C[",
                                                   "\r\n",
                                                   "\n",
                                                   "\r",
                                                   "(;",
                                                   ";B[ee](;W[ff])",
                                                   "B[hh]",
                                                   "b",
                                                   "tt",
                                                   "\xc3",
                                                   "\xfc",
                                                   "ü",
                                                   "CA[ISO-8859-1]",
                                                   "CA[UTF-8]",
                                                   std::string(1, '\0')};
    const int n = 1 + static_cast<int>(rnd() % 5);
    for (int i = 0; i < n; ++i) {
        const std::size_t pos = s.empty() ? 0 : rnd() % (s.size() + 1);
        switch (rnd() % 5) {
        case 0:
            s.insert(pos, 1, static_cast<char>(rnd() % 256));
            break;
        case 1:
            if (pos < s.size()) s.erase(pos, 1 + rnd() % 6);
            break;
        case 2:
            if (pos < s.size()) s[pos] = static_cast<char>(rnd() % 256);
            break;
        case 3: { // a piece of the file once more somewhere else
            const std::size_t von = rnd() % (s.size() + 1);
            s.insert(pos, s.substr(von, rnd() % 30));
            break;
        }
        default:
            s.insert(pos, teile[rnd() % teile.size()]);
        }
    }
    return s;
}

} // namespace

TEST_F(SgfRobust, MutierteDateienLassenNieEinHalbesSpiel) {
    std::mt19937 rnd(17);
    // Valid files to start from: written by the program, and by hand.
    std::vector<std::string> gueltig = {
        "(;FF[4]GM[1]SZ[7]CA[UTF-8]C[a \\] b \\\\ c\\\nd];B[dd](;W[cc];B[tt];W[])(;W[ee]))\n(;SZ[7];B[aa])",
        "(;GM[1]SZ[7]AB[aa][bb:cc]AW[gg]AE[bb]PL[W];W[dd];B[ee](;W[ff])(;W[fe];B[ef]))",
        "(;SZ[7]CA[ISO-8859-1]PB[M\xfcller];B[ab];W[ba];B[bb];W[ca];B[aa])"};
    for (int i = 0; i < 20; ++i) {
        ZufallsPartie(rnd);
        gueltig.push_back(PartieAlsSgf());
    }
    int uebernommen = 0, abgewiesen = 0, mitMeldung = 0;
    std::string text;
    for (int i = 0; i < Runden(100000); ++i) {
        // Now and then another game to leave alone; the mutations pile up for a while.
        if (i % 1000 == 0) ZufallsPartie(rnd);
        text = Mutiere(rnd, i % 4 == 0 ? text : gueltig[rnd() % gueltig.size()]);
        const TSpielBild vorher = Bild();
        const int vorZug = rnd() % 4 == 0 ? static_cast<int>(rnd() % 8) : 0;
        TSgfErgebnis e;
        if (i % 100 == 0) {
            Schreibe("m.sgf", text);
            e = LeseSgf(N("m.sgf"), vorZug);
        } else {
            e = LeseSgfText(text, "m.sgf", vorZug);
        }
        ASSERT_TRUE(Boxen.empty()) << text << "\n" << Boxen.front();
        ASSERT_EQ(e.Code, 0);
        if (!e.Uebernommen) {
            ++abgewiesen;
            ASSERT_NE(e.Meldung, "") << text;
            ASSERT_TRUE(Bild() == vorher) << text << "\n" << e.Meldung;
            continue;
        }
        ++uebernommen;
        mitMeldung += !e.Meldung.empty();
        PruefeStimmig(text);
        if (HasFatalFailure()) return;
        if (i % 50 == 0) {
            // what was taken over is written and read back as the same game
            const TSpielBild bild = Bild();
            ASSERT_TRUE(LeseSgfText(PartieAlsSgf(), "n.sgf", vorZug).Uebernommen);
            ASSERT_EQ(Bild().Tokens, bild.Tokens) << text;
        }
    }
    // the mutations reach every outcome
    EXPECT_GT(uebernommen, Runden(100000) / 20);
    EXPECT_GT(abgewiesen, Runden(100000) / 20);
    EXPECT_GT(mitMeldung, Runden(100000) / 200);
}
