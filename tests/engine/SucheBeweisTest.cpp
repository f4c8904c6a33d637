// What the search proves and what it uses: finished games by their count, the values file of
// the compute at hand, the game's own history.
#include "TestHilfe.h"

#include "engine/BasisBrett.h"
#include "engine/SWertDflt.h"
#include "engine/ZSucheDflt.h"
#include "engine/Zufallspartie.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class Beweis : public ::testing::Test {
protected:
    void SetUp() override {
        EngineMeldungenZuruecksetzen();
        SetzeEngineMeldeProc([](const char*, int) {});
        Konstanten = TBewertungsKonstanten{};
        LeseWerteText(StandardWerteText(), Konstanten);
    }
    void TearDown() override { EngineMeldungenZuruecksetzen(); }
};

// Plays the policy of the search's games on the engine board until both pass.
void SpieleZuEnde(TEngineZustand& e, TZufall& z) {
    for (int zug = 0; zug < 400 && !e.BeidePassen(); ++zug) {
        TBitBrett b;
        b.Uebernehmen(e);
        TZufallspartie p;
        p.Von(b);
        const int feld = FeldVonBit(p.Waehle(z));
        e.Ziehe(e.IstErlaubt(feld) ? feld : -1);
    }
}

// The games keep their chains and liberties from move to move: every move the policy makes is
// legal on the engine board, and the stones after it are the engine board's, also when a game
// is taken up again from the board in the middle.
TEST_F(Beweis, SpielePartienNachDenRegeln) {
    TZufall z(991);
    int zuege = 0;
    for (int runde = 0; runde < Runden(60); ++runde) {
        TEngineZustand e;
        TBitBrett b;
        b.Uebernehmen(e);
        TZufallspartie p;
        p.Von(b);
        while (p.Passe < 2 && p.Zuege < TZufallspartie::MaxZuege) {
            const int bit = p.Waehle(z);
            const int feld = FeldVonBit(bit);
            if (bit != KeinBit && !e.IstErlaubt(feld)) {
                // The games refuse only the direct ko; a longer repetition ends the check here.
                e.Ziehe(feld);
                ASSERT_TRUE(e.Brett[feld] != Leer && e.Wiederholung()) << Feldname(feld);
                break;
            }
            e.Ziehe(feld);
            p.Spiele(bit);
            ++zuege;
            ASSERT_EQ(p.Steine[1], BitsVonBrett(e.Brett, Schwarz));
            ASSERT_EQ(p.Steine[0], BitsVonBrett(e.Brett, Weiss));
            if (z.Unter(16) == 0) {
                b.Uebernehmen(e);
                const int passe = p.Passe;
                p.Von(b);
                p.Passe = passe;
            }
        }
    }
    EXPECT_GT(zuege, Runden(60) * 30);
}

// A finished game is worth its count, beyond every value that is not proven; one pass before
// the end, passing is valued by that count, and a pass that wins is never given up for a loss.
TEST_F(Beweis, EndenZaehlenNachIhremStand) {
    TZufall z(4242);
    std::vector<std::pair<int, double>> enden;
    for (int runde = 0; runde < Runden(40); ++runde) {
        TEngineZustand e;
        SpieleZuEnde(e, z);
        ASSERT_TRUE(e.BeidePassen());
        const int stand = e.Spielstand();
        const TSuchErgebnis r = SucheZug(e, 999, 0, 0, nullptr, 0.05, nullptr, true);
        EXPECT_EQ(r.Feld, -2);
        EXPECT_TRUE(r.Bewiesen);
        EXPECT_EQ(r.Marge, stand);
        EXPECT_EQ(r.Wert, EndWertVon(stand));
        enden.emplace_back(stand, r.Wert);
        // Before the last pass the side to move may end the game with the opposite count.
        e.Zuruecknehmen(true);
        const TSuchErgebnis v = SucheZug(e, 999, 0, 0, nullptr, 0.05, nullptr, true);
        const int ende = -stand;
        if (v.Feld == -1) {
            EXPECT_TRUE(v.Bewiesen);
            EXPECT_EQ(v.Wert, EndWertVon(ende));
        }
        if (ende > 0) {
            EXPECT_GT(v.Wert, 0) << Feldname(v.Feld);
        }
        if (!v.Bewiesen) {
            EXPECT_LE(std::abs(v.Wert), EvalGrenze);
        }
    }
    std::sort(enden.begin(), enden.end());
    for (std::size_t i = 1; i < enden.size(); ++i)
        EXPECT_LE(enden[i - 1].second, enden[i].second);
    for (const auto& [stand, wert] : enden)
        if (stand != 0) {
            EXPECT_GT(std::abs(wert), EvalGrenze);
        }
}

// Compute after compute, with the values file changed in between: the search under the new
// values is the one it makes under them from the start, and it is not the one under the old.
TEST_F(Beweis, NeueWerteDateiGiltAllein) {
    const auto ordner = std::filesystem::temp_directory_path() / "kiboru_beweis_werte";
    std::filesystem::create_directories(ordner);
    SetzeEngineOrdner(ordner.string());
    // Black stones on a1 worth nine stones to black.
    std::string anders = StandardWerteText();
    const std::string zeile = "-5 00 01 00 01 00 -5";
    const auto stelle = anders.rfind(zeile);
    ASSERT_NE(stelle, std::string::npos);
    anders.replace(stelle, zeile.size(), "900 00 01 00 01 00 -5");
    auto rechne = [&](const std::string& werte) {
        std::ofstream(WerteDateiName(), std::ios::binary) << werte;
        SetzeZufallsSaat(99);
        EXPECT_TRUE(BereiteBewertungVor());
        TEngineZustand e;
        e.Ziehe(FeldAusText("d4"));
        e.Ziehe(FeldAusText("c3"));
        return SucheZug(e, 3, 0, 0, nullptr);
    };
    const TSuchErgebnis neuAllein = rechne(anders);
    const TSuchErgebnis alt = rechne(StandardWerteText());
    const TSuchErgebnis neu = rechne(anders);
    EXPECT_EQ(neu.Feld, neuAllein.Feld);
    EXPECT_EQ(neu.Wert, neuAllein.Wert);
    EXPECT_EQ(neu.Stellungen, neuAllein.Stellungen);
    EXPECT_EQ(neu.Bewertungen, neuAllein.Bewertungen);
    EXPECT_NE(neu.Stellungen, alt.Stellungen);
    // The tree of a compute is kept for a board a move further on, but only under the same
    // values file (its random variation aside); after a change the search is the fresh one.
    auto dreiZuege = [&](const std::string& werteVorher, bool zweiVorher) {
        std::ofstream(WerteDateiName(), std::ios::binary) << werteVorher;
        SetzeZufallsSaat(5);
        EXPECT_TRUE(BereiteBewertungVor());
        TEngineZustand e;
        const std::vector<const char*> zuege = {"d4", "c3", "e4"};
        std::size_t gespielt = zweiVorher ? 2 : 0;
        for (std::size_t i = 0; i < gespielt; ++i)
            e.Ziehe(FeldAusText(zuege[i]));
        SucheZug(e, 3, 0, 0, nullptr);
        std::ofstream(WerteDateiName(), std::ios::binary) << anders;
        SetzeZufallsSaat(6);
        EXPECT_TRUE(BereiteBewertungVor());
        for (; gespielt < zuege.size(); ++gespielt)
            e.Ziehe(FeldAusText(zuege[gespielt]));
        return SucheZug(e, 3, 0, 0, nullptr);
    };
    const TSuchErgebnis frisch = dreiZuege(anders, false);
    EXPECT_FALSE(frisch.Behalten);
    EXPECT_TRUE(dreiZuege(anders, true).Behalten);
    const TSuchErgebnis gewechselt = dreiZuege(StandardWerteText(), true);
    EXPECT_FALSE(gewechselt.Behalten);
    EXPECT_EQ(gewechselt.Feld, frisch.Feld);
    EXPECT_EQ(gewechselt.Wert, frisch.Wert);
    EXPECT_EQ(gewechselt.Stellungen, frisch.Stellungen);
    EXPECT_EQ(gewechselt.Bewertungen, frisch.Bewertungen);
    SetzeEngineOrdner("");
    std::filesystem::remove_all(ordner);
}

// The same board after a game with captures and set up without that history: under positional
// superko they are different problems, and each is answered as its own.
TEST_F(Beweis, VerlaufEntscheidetUeberWiederholung) {
    const char* folge = "f1 b3 g1 d1 d4 g4 b2 c3 c2 f7 a4 f3 g7 g6 a7 d6 f2 e3 e2 f6 d3 e4 e5 d5 c5 c4 d2 c1 "
                        "a3 a2 a1 c7 b4 c4 c3 a6 b6 b7 a5 a7 f4 f5 b1 e6 e1 c6 b5 d1 c1 e7 g3 g2";
    TEngineZustand gespielt;
    std::istringstream in(folge);
    for (std::string z; in >> z;) {
        ASSERT_TRUE(gespielt.IstErlaubt(FeldAusText(z))) << z;
        gespielt.Ziehe(FeldAusText(z));
    }
    TEngineZustand gestellt;
    gestellt.Brett = gespielt.Brett;
    gestellt.AmZug = gespielt.AmZug;
    gestellt.Ruecksetzen();
    ASSERT_FALSE(gespielt.LetzterZugPass());
    // Searched until proven (the budget is only a bound for a broken search).
    const TSuchErgebnis frisch = SucheZug(gespielt, 999, 0, 0, nullptr, 60);
    const TSuchErgebnis ohne = SucheZug(gestellt, 999, 0, 0, nullptr, 60);
    // The same board once more, now from the tree of a search two moves before it: that tree
    // knows the game's history and proves what a fresh search proves. Whether the deciding
    // thread's tree grew the game's line depends on how the threads ran; a longer search two
    // moves before is tried until one did.
    TEngineZustand zweiVorher = gespielt;
    zweiVorher.Zuruecknehmen(true);
    zweiVorher.Zuruecknehmen(true);
    TSuchErgebnis mit;
    for (int versuch = 1; versuch <= 4 && !mit.Behalten; ++versuch) {
        SucheZug(zweiVorher, 999, 0, 0, nullptr, 0.3 * versuch);
        mit = SucheZug(gespielt, 999, 0, 0, nullptr, 60);
    }
    EXPECT_TRUE(mit.Behalten);
    EXPECT_FALSE(frisch.Behalten);
    EXPECT_FALSE(ohne.Behalten);
    ASSERT_TRUE(ohne.Bewiesen);
    ASSERT_TRUE(mit.Bewiesen);
    // Without the history black's best move recreates a board of the game.
    EXPECT_TRUE(gestellt.IstErlaubt(ohne.Feld));
    EXPECT_FALSE(gespielt.IstErlaubt(ohne.Feld)) << Feldname(ohne.Feld);
    EXPECT_TRUE(gespielt.IstErlaubt(mit.Feld));
    EXPECT_LT(mit.Wert, ohne.Wert);
    EXPECT_EQ(mit.Feld, frisch.Feld);
    EXPECT_EQ(mit.Wert, frisch.Wert);
}

} // namespace
