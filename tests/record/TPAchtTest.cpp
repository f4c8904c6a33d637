#include "ControllerTestHilfe.h"

#include "record/SpielAblauf.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
double Jetzt = 0;
double TestUhr() { return Jetzt; }

struct TPAchtTest : ::testing::Test {
    std::vector<std::string> Spur, Boxen, Log;
    TRegelEngine A{"A", &Spur};
    TSturEngine B{"B", &Spur};

    void SetUp() override {
        Jetzt = 100;
        SetzeUhrQuelle(TestUhr);
        MeldungenZuruecksetzen();
        TMeldeAusgaben a;
        a.Box = [this](const std::string& t) { Boxen.push_back(t); };
        SetzeMeldeAusgaben(a);
        RegistriereLogMemo([this](const std::string& t) {
            Spur.push_back("log " + t);
            Log.push_back(t);
        });
        EngineListe = {&A, nullptr, &B};
        B.ZiehtNicht = false;
        B.NimmtNichtZurueck = false;
        NeuesSpiel();
        Spur.clear();
        Log.clear();
    }
    void TearDown() override {
        EngineListe.clear();
        NeuesSpiel();
        MeldungenZuruecksetzen();
        SetzeUhrQuelle(nullptr);
    }
    void Spiele(std::initializer_list<const char*> zuege) {
        for (const char* z : zuege)
            ZieheMitUhr(P(z));
    }
};
} // namespace

TEST_F(TPAchtTest, ReihenfolgeBaumRegelnDannEnginesInListenfolge) {
    Regeln.Ziehe(P("c4"));
    NeuesSpiel();
    EXPECT_EQ(Spur, (std::vector<std::string>{"log A.SpielNeu", "A neu", "log B.SpielNeu", "B neu"}));
    EXPECT_EQ(Regeln.Zugnummer, 1);
    EXPECT_EQ(Baum.Letzter, -1);
    EXPECT_EQ(Spielerfarbe, 1);
    Spur.clear();
    ZieheInsert(TZug{0, static_cast<std::int8_t>(FeldAusText("c4")), 0, 0}); // only the point counts
    EXPECT_EQ(Spur,
              (std::vector<std::string>{"log A.Ziehe:c4", "A zieht c4", "log B.Ziehe:c4", "B zieht c4"}));
    EXPECT_EQ(B.ZugnummerBeimZug, 2);
    EXPECT_EQ(B.LetzterTokenBeimZug, 1);
    ZieheInsert(Passzug());
    EXPECT_EQ(Log.back(), "B.Ziehe:--");
    Spur.clear();
    ZugZurueck();
    EXPECT_EQ(Spur,
              (std::vector<std::string>{"log A.Zurueck:--", "A zurück", "log B.Zurueck:--", "B zurück"}));
    EXPECT_EQ(Regeln.Zugnummer, 2);
    EXPECT_TRUE(Boxen.empty());
}

TEST_F(TPAchtTest, UnerlaubterZugAendertNichts) {
    Spiele({"c4"});
    Spur.clear();
    ZieheInsert(P("c4"));
    EXPECT_EQ(Boxen, std::vector<std::string>{"Unerlaubter Zug in ZieheInsert: c4"});
    EXPECT_TRUE(Spur.empty());
    EXPECT_EQ(Regeln.Zugnummer, 2);
    EXPECT_EQ(Baum.Letzter, 1);
}

TEST_F(TPAchtTest, VerweigernderEngineGenauEinFehlerProZug) {
    B.ZiehtNicht = true;
    Spiele({"c4", "d4", "--"});
    const std::string f = "TPAcht: Engine \"B\" hat folgenden Zug nicht ausgeführt:";
    // Only the first error of a run opens a box; the others are logged.
    EXPECT_EQ(Boxen, std::vector<std::string>{f + "c4"});
    EXPECT_EQ(std::count(Log.begin(), Log.end(), f + "d4"), 1);
    EXPECT_EQ(std::count(Log.begin(), Log.end(), f + "--"), 1);
    EXPECT_EQ(
        std::count_if(Log.begin(), Log.end(), [](const std::string& s) { return s.rfind("TPAcht", 0) == 0; }),
        2);
    EXPECT_EQ(B.Zuege, 3);
    // The first engine stays in step.
    EXPECT_TRUE(GleichesBrett(A.R.Brett, Regeln.Brett));
    EXPECT_EQ(A.R.Zugnummer, 4);

    B.NimmtNichtZurueck = true;
    ZurueckMitUhr();
    EXPECT_EQ(Log.back(), "Zug konnte nicht zurückgenommen werden für Engine \"B\":--");
    EXPECT_EQ(A.R.Zugnummer, 3);
    EXPECT_EQ(Regeln.Zugnummer, 3);
}

TEST_F(TPAchtTest, TexteWerdenGekuerzt) {
    A.Name = "ABCDEFGHIJKLMNOPQRSTUVWXY"; // longer than a registered name can be
    EngineListe = {&A, &B};
    B.Name = A.Name;
    B.ZiehtNicht = true;
    B.NimmtNichtZurueck = true;
    NeuesSpiel();
    EXPECT_EQ(Log[0], "ABCDEFGHIJKLMNOPQRSTUVWXY.Spi");
    ZieheInsert(P("c4"));
    EXPECT_EQ(Log[2], "ABCDEFGHIJKLMNOPQRSTUVWXY.Zc4");
    EXPECT_EQ(Boxen[0], "TPAcht: Engine \"ABCDEFGHIJKLMNOPQRST\" hat folgenden Zug nicht ausgeführt:c4");
    ZugZurueck();
    EXPECT_EQ(Log.back(), "Zug konnte nicht zurückgenommen werden für Engine \"ABCDEFGHIJKLMNOPQRST\":c4");
    EXPECT_EQ(Log[Log.size() - 2], "ABCDEFGHIJKLMNOPQRSTUVWXY.Zurc4");
}

TEST_F(TPAchtTest, ZuruecknehmenAmAnfangTutNichts) {
    ZugZurueck();
    ZurueckMitUhr();
    ZweiZurueck();
    EXPECT_TRUE(Spur.empty());
    EXPECT_EQ(Regeln.Zugnummer, 1);
    Spiele({"c4"});
    Spur.clear();
    ZweiZurueck(); // needs two half-moves
    EXPECT_TRUE(Spur.empty());
    EXPECT_EQ(Regeln.Zugnummer, 2);
}

TEST_F(TPAchtTest, UhrenStehenNachDemSpielende) {
    Spiele({"c4"});
    EXPECT_TRUE(ZugUhr[1].Gestoppt);
    EXPECT_FALSE(ZugUhr[0].Gestoppt);
    EXPECT_FALSE(GesamtUhr[0].Gestoppt);
    Jetzt = 110;
    Spiele({"d4"});
    EXPECT_DOUBLE_EQ(GesamtUhr[0].Vergangen(), 10);
    Jetzt = 113;
    Spiele({"--"});
    Jetzt = 120;
    Spiele({"--"});
    ASSERT_TRUE(Regeln.BeidePassen());
    for (int s = 0; s <= 1; ++s) {
        EXPECT_TRUE(ZugUhr[s].Gestoppt);
        EXPECT_TRUE(GesamtUhr[s].Gestoppt);
    }
    const double schwarz = GesamtUhr[1].Vergangen(), weiss = GesamtUhr[0].Vergangen();
    EXPECT_DOUBLE_EQ(schwarz, 3);
    EXPECT_DOUBLE_EQ(weiss, 17);
    Jetzt = 500;
    EXPECT_EQ(GesamtUhr[1].Vergangen(), schwarz);
    EXPECT_EQ(GesamtUhr[0].Vergangen(), weiss);
    // Taking the pass back lets the game and the clock of the side to move go on.
    ZurueckMitUhr();
    EXPECT_FALSE(GesamtUhr[0].Gestoppt);
    Jetzt = 501;
    EXPECT_DOUBLE_EQ(GesamtUhr[0].Vergangen(), 18);
}

TEST_F(TPAchtTest, UnerlaubterZugMitUhrGibtDemSpielerDenZug) {
    Spiele({"c4"});
    Spielerfarbe = 1;
    Spur.clear();
    ZieheMitUhr(P("c4")); // occupied: the candidate is not found
    ZieheMitUhr(TZug{Schwarz, 0, 0, 0});
    EXPECT_EQ(Spielerfarbe, 0);
    EXPECT_TRUE(Spur.empty());
    EXPECT_TRUE(Boxen.empty());
}

TEST_F(TPAchtTest, VorUndZurueckDurchBaumUndVarianten) {
    Spiele({"a1", "b1", "c1"});
    FesteFarbe = true;
    Spielerfarbe = 1;
    ZweiZurueck();
    EXPECT_EQ(Regeln.Zugnummer, 2);
    EXPECT_EQ(Spielerfarbe, 1);
    FesteFarbe = false;
    // Forward two at the last move but one: one forward, then back, the position unchanged.
    ASSERT_TRUE(VorAusBaum());
    EXPECT_EQ(Regeln.Zugnummer, 3);
    EXPECT_EQ(Spielerfarbe, Regeln.AmZug);
    const int token = Baum.Letzter;
    ZweiVor();
    EXPECT_EQ(Regeln.Zugnummer, 3);
    EXPECT_EQ(Baum.Letzter, token); // followed, never duplicated
    EXPECT_TRUE(GleichesBrett(Regeln.Brett, A.R.Brett));

    // A different move after a1 becomes a variation behind b1.
    ZurueckMitUhr();
    Spiele({"g7"});
    EXPECT_EQ(Baum.Letzter, token + 2);
    ErsterZug();
    EXPECT_EQ(Regeln.Zugnummer, 1);
    LetzterZug();
    EXPECT_EQ(Regeln.Zugnummer, 4);
    EXPECT_EQ(Regeln.Zugfolge[2].Feld, FeldAusText("b1"));
    ErsterZug();
    ASSERT_TRUE(VorAusBaum());
    NaechsteVariante();
    ASSERT_TRUE(VorAusBaum());
    EXPECT_EQ(Regeln.Zugfolge[2].Feld, FeldAusText("g7"));
    EXPECT_FALSE(VorAusBaum()); // the variation ends there
    ZurueckMitUhr();
    VorherigeVariante();
    LetzterZug();
    EXPECT_EQ(Regeln.Zugnummer, 4);
    EXPECT_EQ(Regeln.Zugfolge[3].Feld, FeldAusText("c1"));
    EXPECT_TRUE(GleichesBrett(A.R.Brett, Regeln.Brett));
}

// The play flow's one road for a computed move, which the window and the GTP front end share: a
// move the rules refuse (or none at all) makes the computer resign with its clocks stopped, and
// the user keeps the side to move.
TEST_F(TPAchtTest, ComputerzugOderAufgabe) {
    Spiele({"c4"});
    Jetzt = 110;
    FarbeAbgeben(); // the user (black) hands white's move to the computer
    ASSERT_EQ(Spielerfarbe, 0);
    std::string meldung;
    TZug falsch = P("c4"); // onto the black stone
    falsch.Feld = static_cast<std::int8_t>(FeldAusText("c4"));
    EXPECT_FALSE(ComputerzugUebernehmen(false, falsch, meldung));
    EXPECT_EQ(meldung, "Computer gibt auf !");
    EXPECT_EQ(Regeln.Zugnummer, 2);
    EXPECT_EQ(Spielerfarbe, Regeln.AmZug);
    EXPECT_TRUE(ZugUhr[0].Gestoppt);
    EXPECT_TRUE(GesamtUhr[0].Gestoppt);
    Jetzt = 130;
    EXPECT_EQ(GesamtUhr[0].Vergangen(), 10); // white's time ended with the resignation
    EXPECT_FALSE(ComputerzugUebernehmen(false, NochKeinZug, meldung));
    EXPECT_EQ(meldung, "Computer gibt auf !");
    EXPECT_EQ(Regeln.Zugnummer, 2);

    SpielerfarbeTauschen();
    EXPECT_FALSE(ComputerzugUebernehmen(true, P("d4"), meldung)); // cancelled: nothing played
    EXPECT_EQ(meldung, "");
    EXPECT_EQ(Spielerfarbe, Regeln.AmZug);
    EXPECT_TRUE(ComputerzugUebernehmen(false, P("d4"), meldung));
    EXPECT_EQ(meldung, "");
    EXPECT_EQ(Regeln.Zugnummer, 3);
}
