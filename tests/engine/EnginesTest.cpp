#include "EnginesTestHost.h"

#include "engine/Engines.h"
#include "support/StringsV5.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

namespace {
// Scripted entries of a test engine.
std::atomic<int> Modus{
    0}; // 0 answer Feld, 1 throw, 2 wait for the stop flag, 3 wait for Freigabe, 4 message then answer
std::atomic<bool> Freigabe{false};
std::atomic<bool> MeldungZurueck{false};
int Feld = 0;
int Wert = 0;
bool Antwort = true;
const std::atomic<std::uint8_t> *GesehenerStopp = nullptr;
int LevelNr = 0, LevelWert = 0, GezogenesFeld = 99;
std::vector<std::string> *LogFuerEngine = nullptr;

bool TestBerechne(int &feld, int &wert, TZaehler &z, const std::atomic<std::uint8_t> *stopp) {
    GesehenerStopp = stopp;
    switch (Modus.load()) {
    case 1:
        throw std::runtime_error("kaputt");
    case 2:
        while (!*stopp)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        break;
    case 3:
        while (!Freigabe)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        break;
    case 4:
        ThreadMeldung("Analysetiefe : 1", 0);
        // The hand-over is synchronous: the main thread has logged the line by now.
        MeldungZurueck = LogFuerEngine && !LogFuerEngine->empty();
        break;
    default:
        break;
    }
    feld = Feld;
    wert = Wert;
    z[0] = 3;
    z[1] = 4;
    return Antwort;
}
bool TestSetzeLevel(int nr, int level) {
    LevelNr = nr;
    LevelWert = level;
    return nr == 1;
}
bool TestZiehe(int feld) {
    GezogenesFeld = feld;
    return true;
}

TEngineEintraege Tabelle() {
    TEngineEintraege e;
    e.Berechne = TestBerechne;
    e.SetzeLevel = TestSetzeLevel;
    e.Ziehe = TestZiehe;
    return e;
}

struct EnginesTest : ::testing::Test {
    TTestHost Host;
    std::vector<std::string> Boxen, Log;
    std::vector<std::thread::id> BoxThreads;
    TZugGenerator R;

    void SetUp() override {
        EnginesFreigeben();
        MeldungenZuruecksetzen();
        TMeldeAusgaben a;
        a.Box = [this](const std::string &t) {
            Boxen.push_back(t);
            BoxThreads.push_back(std::this_thread::get_id());
        };
        SetzeMeldeAusgaben(a);
        RegistriereLogMemo([this](const std::string &t) { Log.push_back(t); });
        LogFuerEngine = &Log;
        SetzeSucheHost(&Host);
        SetzeRegelnFuerSuche(&R);
        Modus = 0;
        Freigabe = false;
        MeldungZurueck = false;
        Feld = 0;
        Wert = 0;
        Antwort = true;
    }
    void TearDown() override {
        Freigabe = true;
        EnginesFreigeben();
        Host.Abarbeiten();
        SetzeSucheHost(nullptr);
        SetzeRegelnFuerSuche(nullptr);
        LogFuerEngine = nullptr;
        MeldungenZuruecksetzen();
    }
    static std::unique_ptr<TEngineWrap> Neu(const std::string &name) {
        auto e = std::make_unique<TEngineWrap>(Tabelle());
        e->Name = name;
        e->Magic = TEngine::MagicWert;
        return e;
    }
};
} // namespace

TEST_F(EnginesTest, NameNurMitMagic) {
    TEngineWrap e(Tabelle());
    e.Name = "Zügelhengst";
    EXPECT_EQ(e.HoleName(), "");
    ASSERT_EQ(Boxen, std::vector<std::string>{"Engine nicht initialisiert."});
    e.Magic = TEngine::MagicWert;
    EXPECT_EQ(e.HoleName(), "Zügelhen"); // eight characters, not eight bytes
    EXPECT_EQ(Boxen.size(), 1u);
}

TEST_F(EnginesTest, WrapReichtAnDieEintraegeWeiter) {
    auto e = Neu("T");
    EXPECT_TRUE(e->SetzeLevel(7));
    EXPECT_EQ(e->Level, 7);
    EXPECT_EQ(LevelNr, 1);
    EXPECT_EQ(LevelWert, 7);
    EXPECT_TRUE(e->Ziehe(-1));
    EXPECT_EQ(GezogenesFeld, -1);
    // Missing entries answer false and do nothing.
    EXPECT_FALSE(e->SpielNeu());
    EXPECT_FALSE(e->Zurueck());
    EXPECT_FALSE(e->SetzeStein(0, 1));
    TEngineWrap leer{TEngineEintraege{}};
    EXPECT_FALSE(leer.SetzeLevel(3));
    EXPECT_EQ(leer.Level, 3);
    TZug z = KeinZug;
    std::int32_t w = 5;
    EXPECT_FALSE(leer.Berechne(z, w));
    EXPECT_EQ(z, NochKeinZug);
    EXPECT_EQ(w, 0);
}

TEST_F(EnginesTest, BerechneErgaenztDenZugAusDenRegeln) {
    auto e = Neu("T");
    TZug z;
    std::int32_t w = 0;
    Feld = 16;
    Wert = 42;
    ASSERT_TRUE(e->Berechne(z, w));
    EXPECT_EQ(z, (TZug{Schwarz, 16, 0, 0}));
    EXPECT_EQ(w, 42);
    EXPECT_EQ(e->Knoten[0], 3);
    EXPECT_EQ(e->Knoten[1], 4);
    EXPECT_EQ(GesehenerStopp, &e->Stopp);

    R.Ziehe(TZug{Schwarz, 16, 0, 0});
    Feld = 0;
    ASSERT_TRUE(e->Berechne(z, w));
    EXPECT_EQ(z, (TZug{Weiss, 0, 0, 0}));
    Feld = -1;
    ASSERT_TRUE(e->Berechne(z, w));
    EXPECT_EQ(z, Passzug());

    Antwort = false;
    Feld = 5;
    EXPECT_FALSE(e->Berechne(z, w));
    EXPECT_EQ(z, NochKeinZug);

    Antwort = true;
    Feld = 161;
    EXPECT_THROW(e->Berechne(z, w), ERangeError);
}

TEST_F(EnginesTest, SlotsLevelsAbhaengenUndAnhaengen) {
    auto a = Neu("A"), b = Neu("B");
    EXPECT_EQ(LevelVonSlot(1), 0);
    SetzeLevelVonSlot(1, 9); // an empty slot: nothing
    EngineListe = {a.get(), b.get()};
    EngineSlots[1] = a.get();
    EngineSlots[0] = b.get();
    SetzeLevelVonSlot(1, 4);
    SetzeLevelVonSlot(0, LevelVonSlot(1) + 1);
    EXPECT_EQ(LevelVonSlot(1), 4);
    EXPECT_EQ(LevelVonSlot(0), 5);
    EXPECT_THROW(LevelVonSlot(2), ERangeError);

    EnginesAbhaengen();
    EXPECT_TRUE(EngineListe.empty());
    EXPECT_EQ(EngineSlots[0], nullptr);
    EXPECT_EQ(EngineSlots[1], nullptr);
    EnginesAbhaengen(); // a second detach must not lose the saved engines
    EnginesAnhaengen();
    EXPECT_EQ(EngineListe, (std::vector<TEngine *>{a.get(), b.get()}));
    EXPECT_EQ(EngineSlots[1], a.get());
    EXPECT_EQ(EngineSlots[0], b.get());
    EnginesAnhaengen();
    EXPECT_EQ(EngineListe.size(), 2u);
}

TEST_F(EnginesTest, SucheLaeuftImThreadUndMeldetDasEndeImHauptthread) {
    auto e = Neu("Erste");
    Feld = 34;
    Wert = -7;
    int enden = 0;
    bool freiBeimEnde = false;
    std::thread::id endeThread;
    StarteSuche(e.get(), [&] {
        ++enden;
        endeThread = std::this_thread::get_id();
        freiBeimEnde = !SucheLaeuft() && e->LaufenderThread == nullptr;
    });
    ASSERT_TRUE(Host.PumpeBis([&] { return enden == 1; }));
    EXPECT_EQ(endeThread, Host.Haupt);
    EXPECT_TRUE(freiBeimEnde);
    EXPECT_EQ(e->ErgebnisZug, (TZug{Schwarz, 34, 0, 0}));
    EXPECT_EQ(e->Wert, -7);
    EXPECT_EQ(e->Knoten[0], 3);
    WarteAufSuche();
    EXPECT_FALSE(SucheLaeuft());
}

TEST_F(EnginesTest, ZweiteSucheWirdAbgewiesenUndDieNaechsteStartetAusDemEnde) {
    auto e1 = Neu("Erste"), e2 = Neu("Zweite");
    Modus = 3;
    int enden1 = 0, enden2 = 0;
    StarteSuche(e1.get(), [&] {
        ++enden1;
        // Started from the end notification: the first thread has let go already.
        Modus = 0;
        Feld = -1;
        StarteSuche(e2.get(), [&] { ++enden2; });
    });
    ASSERT_TRUE(SucheLaeuft());
    e2->ErgebnisZug = KeinZug;
    StarteSuche(e2.get(), [&] { enden2 += 100; });
    ASSERT_EQ(Boxen.size(), 1u);
    EXPECT_EQ(Boxen[0],
              "Es läuft gerade eine Berechnung von engine Erste. Erst wenn diese Berechnung beendet ist, "
              "kann ein weiterer Zug berechnet werden.");
    EXPECT_EQ(e2->ErgebnisZug, KeinZug); // the refused request leaves the engine alone
    Freigabe = true;
    ASSERT_TRUE(Host.PumpeBis([&] { return enden2 > 0; }));
    WarteAufSuche();
    Host.Abarbeiten();
    EXPECT_EQ(enden1, 1);
    EXPECT_EQ(enden2, 1);
    EXPECT_EQ(e2->ErgebnisZug, Passzug());
}

TEST_F(EnginesTest, AusnahmeWirdImHauptthreadGemeldet) {
    auto e = Neu("E");
    Modus = 1;
    bool ende = false;
    StarteSuche(e.get(), [&] { ende = true; });
    ASSERT_TRUE(Host.PumpeBis([&] { return ende; }));
    ASSERT_EQ(Boxen, std::vector<std::string>{"Zugsuche abgebrochen wegen Ausnahme."});
    EXPECT_EQ(BoxThreads[0], Host.Haupt);
    EXPECT_EQ(e->ErgebnisZug, NochKeinZug);
}

TEST_F(EnginesTest, MeldungenDerSucheGehenSynchronInDenHauptthread) {
    auto e = Neu("E");
    Modus = 4;
    bool ende = false;
    StarteSuche(e.get(), [&] { ende = true; });
    ASSERT_TRUE(Host.PumpeBis([&] { return ende; }));
    EXPECT_TRUE(MeldungZurueck);
    EXPECT_EQ(Log, std::vector<std::string>{"Analysetiefe : 1"});
    // Without a search the message goes straight to the channel.
    ThreadMeldung("direkt", 1);
    EXPECT_EQ(Boxen, std::vector<std::string>{"direkt"});
}

TEST_F(EnginesTest, AbbruchUeberDasStoppflagUndKeinStartNachSpielende) {
    auto e = Neu("E");
    Modus = 2;
    bool ende = false;
    StarteSuche(e.get(), [&] { ende = true; });
    e->Stopp = 1;
    ASSERT_TRUE(Host.PumpeBis([&] { return ende; }));

    R.Ziehe(Passzug());
    R.Ziehe(Passzug());
    ASSERT_TRUE(R.BeidePassen());
    bool nochmal = false;
    e->Stopp = 1;
    StarteSuche(e.get(), [&] { nochmal = true; });
    EXPECT_FALSE(SucheLaeuft());
    EXPECT_EQ(e->Stopp.load(), 1); // untouched: nothing happened
    WarteAufSuche();
    Host.Abarbeiten();
    EXPECT_FALSE(nochmal);
}

TEST_F(EnginesTest, WarteAufSucheBedientWartendeMeldungen) {
    auto e = Neu("E");
    Modus = 4;
    bool ende = false;
    StarteSuche(e.get(), [&] { ende = true; });
    WarteAufSuche(); // must not hang while the thread waits for its message hand-over
    EXPECT_FALSE(SucheLaeuft());
    EXPECT_EQ(Log, std::vector<std::string>{"Analysetiefe : 1"});
    Host.Abarbeiten();
    EXPECT_TRUE(ende);
}
