#include "TestHilfe.h"

#include "engine/BasisBrett.h"
#include "engine/BuchDflt.h"
#include "engine/SWertDflt.h"
#include "engine/ZSucheDflt.h"
#include "engine/engineDefault.h"
#include "rules/ZugGen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>

#include <unistd.h>

namespace {

std::mutex meldeMutex;
std::vector<std::string> meldungen;
void Fang(const char* text, int) {
    std::lock_guard<std::mutex> s(meldeMutex);
    meldungen.emplace_back(text);
}

class Suche : public ::testing::Test {
protected:
    void SetUp() override {
        EngineMeldungenZuruecksetzen();
        SetzeEngineMeldeProc(Fang);
        meldungen.clear();
        Konstanten = TBewertungsKonstanten{};
        LeseWerteText(StandardWerteText(), Konstanten);
    }
    void TearDown() override { EngineMeldungenZuruecksetzen(); }
    TSuchErgebnis Los(TEngineZustand& e, int tiefe, const std::atomic<std::uint8_t>* stopp = nullptr) {
        return SucheZug(e, tiefe, -2147483647.0, 2147483647.0, stopp);
    }
};

TEST_F(Suche, SchlaegtKetteInAtari) {
    TEngineZustand e;
    // The white pair d4-d5 has its last liberty on d6, where it would join c6 and e6.
    Aufbauen(e,
             {
                 ".......",
                 "..W.W..",
                 "..SWS..",
                 "..SWS..",
                 "...S...",
                 ".......",
                 ".......",
             },
             1);
    const TBrett vorher = e.Brett;
    TSuchErgebnis r = Los(e, 3);
    EXPECT_EQ(r.Feld, Punkt(3, 5));
    EXPECT_GT(r.Wert, 0);
    EXPECT_EQ(e.Brett, vorher);
    EXPECT_EQ(e.Zugnummer, 1);
    EXPECT_EQ(r.Grund, "maximale Analysetiefe erreicht");
    EXPECT_EQ(meldungen.front(), "Analysetiefe : 1");
    EXPECT_EQ(meldungen[2], "Analysetiefe : 3");
    EXPECT_EQ(meldungen.back(), "maximale Analysetiefe erreicht");
    EXPECT_EQ(HoleSuchInfo().Tiefe, 3);
    EXPECT_EQ(HoleSuchInfo().BesterZug, Punkt(3, 5));
    EXPECT_EQ(HoleSuchInfo().Grund, "maximale Analysetiefe erreicht");
    EXPECT_GT(HoleSuchInfo().Stellungen, 0);
}

TEST_F(Suche, RettetEigeneKetteInAtari) {
    TEngineZustand e;
    // Black's pair c4-d4 has one liberty left on e4; playing there joins it to f4 with five.
    Aufbauen(e,
             {
                 ".......",
                 ".......",
                 "..WW...",
                 ".WSS.S.",
                 "..WW...",
                 ".......",
                 ".......",
             },
             1);
    for (int tiefe : {4, 5, 6}) {
        TSuchErgebnis r = Los(e, tiefe);
        EXPECT_EQ(r.Feld, Punkt(4, 3)) << "Tiefe " << tiefe;
    }
}

TEST_F(Suche, BeendetGewonnenesSpielUndWertetEs) {
    TEngineZustand e;
    // White has just passed; black owns the board, so passing wins 49:0.
    e.Ziehe(Punkt(3, 3));
    e.Ziehe(-1);
    TSuchErgebnis r = Los(e, 4);
    EXPECT_EQ(r.Feld, -1);
    EXPECT_EQ(r.Wert, 32049.0);
    EXPECT_EQ(r.Grund, "Gewinnzug gefunden");
    // A passing loss is avoided: white to move after black passed, white behind.
    e.Zuruecknehmen(true);
    TSuchErgebnis w = Los(e, 3);
    EXPECT_GE(w.Feld, 0);
    EXPECT_LT(w.Wert, GewinnWert);
}

TEST_F(Suche, VollstaendigAnalysiert) {
    TEngineZustand e;
    // Black is alive with two eyes everywhere; white has nothing to play but a pass.
    Aufbauen(e,
             {
                 "S.SSSSS",
                 "SSSSSSS",
                 "SSSSSSS",
                 "SSSSSSS",
                 "SSSSSSS",
                 "SSSSSSS",
                 "SSSSS.S",
             },
             1);
    TSuchErgebnis r = Los(e, 10);
    EXPECT_EQ(r.Feld, -1);
    EXPECT_EQ(r.Grund, "Stellung vollständig analysiert");
    EXPECT_LT(r.Tiefe, 10);
    EXPECT_EQ(r.Wert, 32049.0);
}

// The tree of the search before is kept while the side to move stands where its utility
// expected it or better; far below that the search starts afresh, so that its utility tells the
// outcomes left apart. Black's group has one eye space of three points, and the games from the
// root expect about an even game: c2 lives and wins by 21.
TEST_F(Suche, BehaeltBaumNichtWeitUnterDerErwartung) {
    auto stellung = [](TEngineZustand& e) {
        Aufbauen(e, {".......", "WWWWWWW", "SSSSSSS", "SSSSSSS", "SSSSSSS", "S...SSS", "SSSSSSS"}, 1);
        return SucheZug(e, 999, 0, 0, nullptr, 0.1);
    };
    TEngineZustand e;
    // Black, better off than expected, goes on with its tree.
    stellung(e);
    EXPECT_TRUE(SucheZug(e, 999, 0, 0, nullptr, 0.1).Behalten);
    // White, after c2 far worse off than expected, does not.
    const TSuchErgebnis schwarz = stellung(e);
    ASSERT_EQ(schwarz.Feld, FeldAusText("c2")) << Feldname(schwarz.Feld);
    e.Ziehe(schwarz.Feld);
    EXPECT_FALSE(SucheZug(e, 999, 0, 0, nullptr, 0.1).Behalten);
}

TEST_F(Suche, AlleAnderenZuegeVerlieren) {
    TEngineZustand e;
    // White has passed and leads; black's pass would lose, its only other move is d4.
    Aufbauen(e,
             {
                 ".W.WWWW",
                 "WWWWWWW",
                 "WWWWWWW",
                 "WWW.WWW",
                 "SSSSSSS",
                 "SS.SS.S",
                 "SSSSSS.",
             },
             0);
    e.Ziehe(-1);
    TSuchErgebnis r = Los(e, 6);
    EXPECT_EQ(r.Feld, Punkt(3, 3));
    EXPECT_EQ(r.Tiefe, 1);
    EXPECT_EQ(r.Grund, "alle anderen Züge verlieren");
}

TEST_F(Suche, JederZugIstFuerDieRegelnErlaubt) {
    std::mt19937 rng(4711);
    TEngineZustand e;
    TZugGenerator regeln;
    for (int runde = 0; runde < Runden(40); ++runde) {
        e.Neustart();
        regeln.Grundstellung();
        const int laenge = static_cast<int>(rng() % 40);
        for (int i = 0; i < laenge && !e.BeidePassen(); ++i) {
            // Mostly random moves, some chosen by the search itself.
            int p;
            if (i % 5 == 4) {
                p = Los(e, 2).Feld;
            } else {
                std::vector<int> legal;
                for (int k = 1; k <= e.Zuganzahl; ++k)
                    if (e.IstErlaubt(e.Zugliste[k])) legal.push_back(e.Zugliste[k]);
                p = legal[rng() % legal.size()];
            }
            TZug z;
            z.Feld = static_cast<std::int8_t>(p);
            ASSERT_TRUE(regeln.ZugZuFeld(z));
            ASSERT_TRUE(regeln.IstErlaubt(z)) << Feldname(p);
            e.Ziehe(p);
            regeln.Ziehe(z);
        }
        if (e.BeidePassen()) continue;
        TSuchErgebnis r = Los(e, 1 + runde % 4);
        TZug z;
        z.Feld = static_cast<std::int8_t>(r.Feld);
        ASSERT_GE(r.Feld, -1);
        ASSERT_TRUE(regeln.ZugZuFeld(z));
        EXPECT_TRUE(regeln.IstErlaubt(z)) << Feldname(r.Feld);
        EXPECT_EQ(e.Brett, regeln.Brett);
        EXPECT_NE(r.Grund, "Das kann doch gar nicht sein???");
    }
}

TEST_F(Suche, StoppFlagBeendetTiefeSuche) {
    TEngineZustand e;
    e.Ziehe(Punkt(3, 3));
    std::atomic<std::uint8_t> stopp{0};
    TSuchErgebnis r;
    std::thread t([&] { r = Los(e, 60, &stopp); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    stopp = 1;
    t.join();
    EXPECT_EQ(r.Grund, "Abbruch durch Benutzer");
    EXPECT_EQ(meldungen.back(), "Abbruch durch Benutzer");
    EXPECT_TRUE(e.IstErlaubt(r.Feld));
    EXPECT_EQ(e.Zugnummer, 2);
    // A search stopped before it starts still names a legal move.
    TSuchErgebnis sofort = Los(e, 60, &stopp);
    EXPECT_EQ(sofort.Grund, "Abbruch durch Benutzer");
    EXPECT_TRUE(e.IstErlaubt(sofort.Feld));
}

TEST_F(Suche, AusnahmeLaesstDasBrettHeil) {
    TEngineZustand e;
    e.Ziehe(Punkt(3, 3));
    e.Ziehe(Punkt(2, 3));
    const TBrett vorher = e.Brett;
    SetzeEngineMeldeProc([](const char*, int) { throw std::runtime_error("Ausgabe kaputt"); });
    EXPECT_THROW(Los(e, 3), std::runtime_error);
    EXPECT_EQ(e.Brett, vorher);
    EXPECT_EQ(e.Zugnummer, 3);
    EXPECT_EQ(e.Stellungen.size(), 3u);
    EXPECT_EQ(e.Hash, BrettHash(vorher));
    EXPECT_FALSE(HoleSuchInfo().Laeuft);
}

TEST_F(Suche, FaengtToteSteineVorDemPassen) {
    TEngineZustand e;
    // Both sides are alive and White has passed; the white stone b1 is dead, but counted as the
    // board stands it keeps a1 and c1 from black: passing now loses 22:25. Taking it wins 25:24.
    Aufbauen(e,
             {
                 ".W.WWWW",
                 "WWWWWWW",
                 "WWWWWWW",
                 "SSSSWWW",
                 "SSSSSSS",
                 "SSSSSSS",
                 ".W.SS.S",
             },
             0);
    e.Ziehe(-1);
    for (int zug = 0; zug < 4 && !e.BeidePassen(); ++zug) {
        const TSuchErgebnis r = Los(e, 4);
        if (e.Brett[FeldAusText("b1")] == Weiss) {
            EXPECT_TRUE(r.Feld == FeldAusText("a1") || r.Feld == FeldAusText("c1")) << Feldname(r.Feld);
        }
        e.Ziehe(r.Feld);
        if (!e.BeidePassen()) e.Ziehe(-1);
    }
    ASSERT_TRUE(e.BeidePassen());
    EXPECT_EQ(e.Brett[FeldAusText("b1")], Leer);
    EXPECT_EQ(e.AmZug == 1 ? e.Spielstand() : -e.Spielstand(), 1);
}

TEST_F(Suche, JedeStufeLiefertErlaubtenZugUndGrund) {
    const std::vector<std::string> gruende = {"Abbruch durch Benutzer", "Stellung vollständig analysiert",
                                              "Gewinnzug gefunden", "alle anderen Züge verlieren",
                                              "maximale Analysetiefe erreicht"};
    std::mt19937 rng(815);
    TEngineZustand e;
    for (int stufe = 1; stufe <= 8; ++stufe)
        for (int runde = 0; runde < Runden(3); ++runde) {
            ZufallsStellung(e, rng, 5 + static_cast<int>(rng() % 40));
            const TBrett vorher = e.Brett;
            // The level's search, its budget cut short for the higher levels.
            const TSuchErgebnis r = SucheZug(e, SuchTiefe(stufe), -2147483647.0, 2147483647.0, nullptr,
                                             std::min(ZeitBudget(stufe), 0.2));
            EXPECT_TRUE(e.IstErlaubt(r.Feld)) << "Stufe " << stufe << ": " << Feldname(r.Feld);
            EXPECT_NE(std::find(gruende.begin(), gruende.end(), r.Grund), gruende.end()) << r.Grund;
            EXPECT_NE(r.Grund, "Abbruch durch Benutzer");
            EXPECT_GE(r.Tiefe, 1);
            EXPECT_EQ(e.Brett, vorher);
        }
}

TEST_F(Suche, AbbruchAntwortetSofort) {
    TEngineZustand e;
    std::atomic<std::uint8_t> stopp{0};
    TSuchErgebnis r;
    // A timed search, whose games run on more than one thread where the machine has the cores.
    std::thread t([&] { r = SucheZug(e, 999, 0, 0, &stopp, 600); });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const auto start = std::chrono::steady_clock::now();
    stopp = 1;
    t.join();
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    // The answer takes about a millisecond; the bound leaves room for a loaded machine.
    EXPECT_LT(ms, 1000.0);
    EXPECT_EQ(r.Grund, "Abbruch durch Benutzer");
    EXPECT_TRUE(e.IstErlaubt(r.Feld));
}

// The entry points work on the engine's one board.
class Eintraege : public Suche {
protected:
    std::filesystem::path ordner;
    void SetUp() override {
        Suche::SetUp();
        // One folder per process: ctest runs these tests side by side, and each removes its own.
        ordner =
            std::filesystem::temp_directory_path() / ("kiboru_eintraege_test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(ordner);
        SetzeEngineOrdner(ordner.string());
        std::ofstream(WerteDateiName(), std::ios::binary) << StandardWerteText();
        DefaultSpielNeu();
    }
    void TearDown() override {
        DefaultSpielNeu();
        DefaultSetzeLevel(1, 4);
        SetzeEngineOrdner("");
        std::filesystem::remove_all(ordner);
        Suche::TearDown();
    }
};

TEST_F(Eintraege, Tabelle) {
    const TEngineEintraege& t = DefaultEintraege();
    EXPECT_STREQ(t.Name(), "Default");
    EXPECT_EQ(t.Berechne, &DefaultBerechne);
    EXPECT_EQ(t.Ziehe, &DefaultZiehe);
    EXPECT_EQ(t.Reserviert, nullptr);
    t.SetzeMeldeProc(Fang);
    EXPECT_EQ(EngineMeldeProc(), &Fang);
}

TEST_F(Eintraege, ZiehenZurueckUndSetzen) {
    EXPECT_FALSE(DefaultZurueck());
    EXPECT_TRUE(DefaultZiehe(Punkt(2, 2)));
    EXPECT_FALSE(DefaultZiehe(Punkt(2, 2))); // occupied
    EXPECT_FALSE(DefaultZiehe(7));           // border
    EXPECT_THROW(DefaultZiehe(161), ERangeError);
    EXPECT_TRUE(DefaultZiehe(-7)); // any negative point is a pass
    EXPECT_EQ(EngineBrett.Zugfolge[2], -1);
    EXPECT_EQ(EngineBrett.Zugnummer, 3);
    EXPECT_TRUE(DefaultZurueck());
    EXPECT_TRUE(DefaultZurueck());
    EXPECT_FALSE(DefaultZurueck());
    EXPECT_EQ(EngineBrett.Brett, Startbrett);
    EXPECT_TRUE(DefaultSetzeStein(Punkt(1, 1), Weiss));
    EXPECT_EQ(EngineBrett.Brett[Punkt(1, 1)], Weiss);
    EXPECT_THROW(DefaultSetzeStein(-34, 0), ERangeError);
    EXPECT_THROW(DefaultSetzeStein(0, 5), ERangeError);
    EXPECT_FALSE(DefaultSetzeLevel(0, 3));
    EXPECT_TRUE(DefaultSetzeLevel(1, 0));
}

TEST_F(Eintraege, BerechneLiefertErlaubtenZug) {
    DefaultSetzeLevel(1, 3);
    DefaultZiehe(Punkt(1, 1)); // b2: not a position of the book
    int feld = 99, wert = 12345;
    TZaehler z;
    std::atomic<std::uint8_t> stopp{0};
    ASSERT_TRUE(DefaultBerechne(feld, wert, z, &stopp));
    EXPECT_TRUE(EngineBrett.IstErlaubt(feld));
    EXPECT_GT(z[0], 0);
    EXPECT_GT(z[1], 0);
    EXPECT_LT(std::abs(wert), GewinnWert);
    EXPECT_EQ(HoleSuchInfo().Grund, "maximale Analysetiefe erreicht");
    EXPECT_TRUE(std::filesystem::exists(WerteEchoName()));
    // A level of 0 is level 1.
    DefaultSetzeLevel(1, 0);
    meldungen.clear();
    ASSERT_TRUE(DefaultBerechne(feld, wert, z, &stopp));
    EXPECT_EQ(meldungen.front(), "Analysetiefe : 1");
    EXPECT_GE(HoleSuchInfo().Tiefe, 1);
}

TEST_F(Eintraege, BuchAbStufeZwei) {
    const TBuch& buch = EingebautesBuch();
    ASSERT_GT(buch.Groesse(), 0u);
    // The empty board: level 1 searches, level 2 plays the book's move without a search.
    int feld = -2, wert = 0;
    TZaehler z;
    std::atomic<std::uint8_t> stopp{0};
    int buchFeld, buchWert, buchTiefe;
    ASSERT_TRUE(BuchZug(buch, EngineBrett, buchFeld, buchWert, buchTiefe));
    DefaultSetzeLevel(1, 1);
    meldungen.clear();
    ASSERT_TRUE(DefaultBerechne(feld, wert, z, &stopp));
    EXPECT_EQ(meldungen.front(), "Analysetiefe : 1");
    DefaultSetzeLevel(1, 2);
    meldungen.clear();
    ASSERT_TRUE(DefaultBerechne(feld, wert, z, &stopp));
    EXPECT_EQ(feld, buchFeld);
    EXPECT_EQ(wert, buchWert);
    EXPECT_EQ(meldungen.front().rfind("Eröffnungsbuch: ", 0), 0u) << meldungen.front();
    EXPECT_EQ(HoleSuchInfo().Tiefe, buchTiefe);
    EXPECT_EQ(HoleSuchInfo().BesterZug, buchFeld);
}

// The time the book saved goes to the moves after it in the same game only, and only once.
TEST(BuchZeit, NurDieselbePartieUndNurEinmal) {
    TBuchZeit bank;
    TEngineZustand e;
    e.Ziehe(Punkt(3, 3));
    bank.Buchzug(e, 0.05);
    e.Ziehe(Punkt(4, 3));
    bank.Buchzug(e, 0.05);
    e.Ziehe(Punkt(3, 4));
    TEngineZustand andere = e;
    EXPECT_DOUBLE_EQ(bank.Suche(e, 0.04), 0.08);
    e.Ziehe(Punkt(2, 2));
    EXPECT_DOUBLE_EQ(bank.Suche(e, 0.04), 0.08);
    EXPECT_DOUBLE_EQ(bank.Suche(e, 0.04), 0.06);
    EXPECT_DOUBLE_EQ(bank.Suche(e, 0.04), 0.04);
    // Another game, even one that was the same up to its last move, empties the bank.
    bank.Buchzug(andere, 0.05);
    andere.Zuruecknehmen(true);
    andere.Ziehe(Punkt(2, 4));
    EXPECT_DOUBLE_EQ(bank.Suche(andere, 0.04), 0.04);
    andere.Ziehe(Punkt(1, 1));
    EXPECT_DOUBLE_EQ(bank.Suche(andere, 0.04), 0.04);
}

} // namespace
