#include "GtpTestHilfe.h"

#include <algorithm>
#include <chrono>

namespace {
struct GtpEngineTest : TGtpUmgebung {
    bool Hat(const std::string& zeile) const {
        const auto v = Empfangen();
        return std::find(v.begin(), v.end(), zeile) != v.end();
    }
    // Cancels as the user does once the engine thinks about its move.
    std::function<void()> AbbrechenBei(TGtpEngine* e, const std::string& befehl) {
        return [this, e, befehl] {
            const auto ende = std::chrono::steady_clock::now() + std::chrono::seconds(60);
            while (!Hat(befehl) && std::chrono::steady_clock::now() < ende)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            e->Stopp = 1;
        };
    }
};
} // namespace

TEST_F(GtpEngineTest, FolgtDerPartieMitPlayUndUndoUndSpieltSeineZuege) {
    TGtpEngine* e = Neu("Skript", Skript("--streu --mit level --zuege C3,D4,E5"));
    EngineSlots[0] = e;
    SetzeLevelVonSlot(0, 999);
    Spiele("a1");
    EXPECT_TRUE(Rechne().Gezogen);
    EXPECT_EQ(Zuege(), "a1 c3");
    // The program starts only when it is first asked, and learns the game then.
    EXPECT_EQ(Empfangen(), (std::vector<std::string>{"boardsize 7", "clear_board", "komi 0", "play b A1",
                                                     "known_command kiboru-level", "known_command level",
                                                     "level 10", "genmove w"}));
    EinenZugZurueck();
    EinenZugZurueck();
    Spiele("b2");
    EXPECT_TRUE(Rechne().Gezogen);
    EXPECT_EQ(Zuege(), "b2 d4");
    const auto v = Empfangen();
    EXPECT_EQ(std::vector<std::string>(v.begin() + 8, v.end()),
              (std::vector<std::string>{"undo", "undo", "play b B2", "genmove w"}));
    EXPECT_TRUE(Boxen.empty());
    EXPECT_TRUE(e->Verfuegbar());
}

TEST_F(GtpEngineTest, OhneUndoWirdDiePartieNeuGespielt) {
    TGtpEngine* e = Neu("Skript", Skript("--ohne undo --zuege C3,D4"));
    EngineSlots[0] = e;
    Spiele("a1");
    ASSERT_TRUE(Rechne().Gezogen);
    EinenZugZurueck();
    EinenZugZurueck();
    Spiele("g7");
    ASSERT_TRUE(Rechne().Gezogen);
    EXPECT_EQ(Zuege(), "g7 d4");
    const auto v = Empfangen();
    const auto ab = std::find(v.begin(), v.end(), "undo");
    ASSERT_NE(ab, v.end());
    EXPECT_EQ(
        std::vector<std::string>(ab, v.end()),
        (std::vector<std::string>{"undo", "boardsize 7", "clear_board", "komi 0", "play b G7", "genmove w"}));
}

// Every way an engine can fail: the message names it and the fault, the game stays as it was,
// the move is the user's, the program is ended and the engine unavailable until it starts again.
TEST_F(GtpEngineTest, FehlerDerEngineLassenDiePartieUnveraendert) {
    struct TFall {
        std::string Skript, Erwartet;
    };
    const std::vector<TFall> faelle = {
        {"--zuege A1", "hat den unerlaubten Zug a1 gespielt."},
        {"--zuege 'Z9 bitte'", "hat auf \"genmove w\" mit \"Z9 bitte\" geantwortet; das ist kein Zug."},
        {"--zuege '!kaputt'", "meldet auf \"genmove w\" den Fehler \"kaputt\"."},
        {"--zuege haengen", "hat auf \"genmove w\" nicht innerhalb von 1 Sekunde geantwortet."},
        {"--zuege absturz", "hat sich unerwartet beendet (bei \"genmove w\"); ihre letzte Meldung: "
                            "\"Skriptengine: absichtlicher "
                            "Absturz\"."},
        {"--absturz-bei play", "hat sich unerwartet beendet (bei \"play b A1\")"},
    };
    for (const TFall& f : faelle) {
        SCOPED_TRACE(f.Skript);
        NeuesSpiel();
        std::filesystem::remove(LogDatei());
        Boxen.clear();
        TGtpEngine* e = Neu("Skript", Skript(f.Skript));
        e->FristZug = std::chrono::seconds(1);
        EngineSlots[0] = e;
        Spiele("a1");
        const int vorher = Baum.Letzter;
        const TErgebnis r = Rechne();
        EXPECT_FALSE(r.Gezogen);
        EXPECT_EQ(r.Meldung, "");
        EXPECT_EQ(Zuege(), "a1");
        EXPECT_EQ(Baum.Letzter, vorher);
        EXPECT_EQ(Spielerfarbe, Regeln.AmZug);
        ASSERT_EQ(Boxen.size(), 1u);
        EXPECT_EQ(Boxen[0].rfind("Die GTP-Engine \"Skript\" ", 0), 0u) << Boxen[0];
        EXPECT_NE(Boxen[0].find(f.Erwartet), std::string::npos) << Boxen[0];
        EXPECT_NE(Boxen[0].find("Sie sind am Zug."), std::string::npos);
        EXPECT_FALSE(e->Verfuegbar());
        EXPECT_EQ(e->Stoerung() + " Sie sind am Zug.", Boxen[0]);
        EXPECT_EQ(e->Kennung(), 0);
        std::ifstream log(LogDatei());
        std::string pid;
        log >> pid >> pid;
        EXPECT_TRUE(ProzessWeg(std::stoll(pid))) << pid;
        EXPECT_TRUE(EntferneEngine(e));
    }
}

TEST_F(GtpEngineTest, NachDemFehlerStartetDerNaechsteZugSieNeu) {
    // First start: a crash; second: a move.
    TGtpEngine* e = Neu("Skript", Skript("--zuege 'absturz;E5'"));
    EngineSlots[0] = e;
    Spiele("a1");
    EXPECT_FALSE(Rechne().Gezogen);
    EXPECT_FALSE(e->Verfuegbar());
    Spiele("b1"); // the user plays on for white
    Spiele("c1");
    EXPECT_TRUE(Rechne().Gezogen);
    EXPECT_EQ(Zuege(), "a1 b1 c1 e5");
    EXPECT_TRUE(e->Verfuegbar());
    const auto v = Empfangen();
    EXPECT_EQ(std::vector<std::string>(v.end() - 7, v.end()),
              (std::vector<std::string>{"boardsize 7", "clear_board", "komi 0", "play b A1", "play w B1",
                                        "play b C1", "genmove w"}));
}

TEST_F(GtpEngineTest, AbbrechenEndetSofortUndDieSpaeteAntwortGiltNicht) {
    TGtpEngine* e = Neu("Skript", Skript("--zuege spaet:1500:C3,D4"));
    e->FristZug = std::chrono::minutes(10); // only the cancel can end this wait in time
    EngineSlots[0] = e;
    Spiele("a1");
    const TErgebnis r = Rechne(AbbrechenBei(e, "genmove w"));
    EXPECT_FALSE(r.Gezogen);
    EXPECT_EQ(Zuege(), "a1");
    EXPECT_EQ(Spielerfarbe, Regeln.AmZug);
    EXPECT_TRUE(Boxen.empty());
    EXPECT_TRUE(e->Verfuegbar());
    // The late C3 is skipped; the engine is set up again and plays its next move.
    EXPECT_TRUE(Rechne().Gezogen);
    EXPECT_EQ(Zuege(), "a1 d4");
    EXPECT_TRUE(Boxen.empty());

    TGtpEngine* h = Neu("Hänger", Skript("--zuege haengen"));
    h->FristZug = std::chrono::minutes(10);
    EngineSlots[1] = h;
    EXPECT_FALSE(Rechne(AbbrechenBei(h, "genmove b")).Gezogen);
    EXPECT_EQ(Zuege(), "a1 d4");
    EXPECT_TRUE(Boxen.empty());
}

TEST_F(GtpEngineTest, AufgebauteStellungPerLoadsgfOderAussetzen) {
    TStellung st;
    st.Brett[Punkt(2, 2)] = Schwarz; // c3
    st.Brett[Punkt(3, 4)] = Weiss;   // d5
    st.Halbzug = 2;                  // white to move
    NeueStellung(st);
    TGtpEngine* e = Neu("Skript", Skript("--zuege E5"));
    EngineSlots[0] = e;
    EXPECT_TRUE(Rechne().Gezogen);
    EXPECT_EQ(Zuege(), "e5");
    const auto v = Empfangen();
    ASSERT_EQ(v.size(), 6u);
    EXPECT_EQ(v[3], "known_command loadsgf");
    EXPECT_EQ(v[4].rfind("loadsgf ", 0), 0u);
    EXPECT_NE(v[4].find(" (;GM[1]FF[4]CA[UTF-8]SZ[7]KM[0]PL[W]AB[ce]AW[dc])"), std::string::npos) << v[4];
    EXPECT_EQ(v[5], "genmove w");
    // The file was only for loading.
    const std::string datei = v[4].substr(8, v[4].find(' ', 8) - 8);
    EXPECT_FALSE(std::filesystem::exists(datei)) << datei;

    TGtpEngine* ohne = Neu("Ohne", Skript("--ohne loadsgf --zuege E5"));
    EngineSlots[1] = ohne;
    EXPECT_FALSE(Rechne().Gezogen);
    EXPECT_EQ(Zuege(), "e5");
    EXPECT_EQ(Spielerfarbe, Regeln.AmZug);
    ASSERT_EQ(Boxen.size(), 1u);
    EXPECT_EQ(Boxen[0], "Die GTP-Engine \"Ohne\" kann einer aufgebauten Stellung nicht folgen (sie kennt "
                        "\"loadsgf\" nicht) und setzt in dieser Partie aus. Sie sind am Zug.");
    EXPECT_TRUE(ohne->Verfuegbar());
}

TEST_F(GtpEngineTest, ResignIstDieAufgabeDesComputers) {
    EngineSlots[0] = Neu("Skript", Skript("--zuege resign"));
    Spiele("a1");
    const TErgebnis r = Rechne();
    EXPECT_FALSE(r.Gezogen);
    EXPECT_EQ(r.Meldung, "Computer gibt auf !");
    EXPECT_EQ(Zuege(), "a1");
    EXPECT_TRUE(Boxen.empty());
}

// Both colours external, one without ids in its answers; at the end nothing is left running.
TEST_F(GtpEngineTest, BeideFarbenExternUndKeinProzessBleibt) {
    TGtpEngine* s = Neu("Schwarz", Skript("--zuege A1,A2,A3"));
    TGtpEngine* w = Neu("Weiß", Skript("--ohne-id --zuege G1,G2,G3"));
    EngineSlots[1] = s;
    EngineSlots[0] = w;
    for (int i = 0; i < 6; ++i)
        ASSERT_TRUE(Rechne().Gezogen) << i;
    EXPECT_EQ(Zuege(), "a1 g1 a2 g2 a3 g3");
    const std::int64_t ps = s->Kennung(), pw = w->Kennung();
    EXPECT_FALSE(ProzessWeg(ps));
    EXPECT_FALSE(ProzessWeg(pw));
    // Removed: its program ends and "Default" takes its slot with its level.
    SetzeLevelVonSlot(0, 3);
    EXPECT_TRUE(EntferneEngine(w));
    EXPECT_TRUE(ProzessWeg(pw));
    EXPECT_EQ(EngineSlots[0], EngineListe.front());
    EXPECT_EQ(LevelVonSlot(0), 3);
    EXPECT_FALSE(EntferneEngine(EngineListe.front())); // the built-in engine stays
    // The program's end ends the rest.
    EnginesFreigeben();
    EXPECT_TRUE(ProzessWeg(ps));
}

// An engine added in the middle of a game is told the game first.
TEST_F(GtpEngineTest, SpaeterRegistriertFolgtDerLaufendenPartie) {
    Spiele("a1");
    Spiele("b1");
    Spiele("c1");
    TGtpEngine* e = Neu("Skript", Skript("--zuege D1"));
    EngineSlots[0] = e;
    EXPECT_TRUE(Rechne().Gezogen);
    EXPECT_EQ(Zuege(), "a1 b1 c1 d1");
}
