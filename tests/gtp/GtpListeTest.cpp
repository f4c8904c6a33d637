#include "GtpTestHilfe.h"

#include "ui/GtpEngineListe.h"

namespace {
struct GtpListeTest : TGtpUmgebung {};
} // namespace

TEST_F(GtpListeTest, EintraegeHinzufuegenEntfernenUndGnuGoEinmalAngeboten) {
    const auto gnugo = GnuGoVorschlag();
    std::vector<TGtpEintrag> erwartet;
    if (gnugo) erwartet.push_back(*gnugo);
    EXPECT_EQ(GtpEnginesLesen(), erwartet);
    GtpEnginesRegistrieren();
    ASSERT_EQ(EngineListe.size(), erwartet.size() + 1);
    EXPECT_EQ(EngineListe[0]->Name, "Default");

    const TGtpEintrag skript{"Skript", Skript("--zuege C3")};
    EXPECT_EQ(GtpEngineHinzufuegen(skript), "");
    erwartet.push_back(skript);
    EXPECT_EQ(GtpEnginesLesen(), erwartet);
    EXPECT_EQ(KonfigLesen("GTP-Engines", std::to_string(erwartet.size()), ""),
              "Skript|" + skript.Befehlszeile);
    TGtpEngine* e = GtpEngineVon("Skript");
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(EngineListe.back(), e);
    EXPECT_EQ(GtpEngineHinzufuegen({"Skript", "anders"}), "Es gibt schon eine Engine namens \"Skript\".");
    EXPECT_EQ(GtpEngineHinzufuegen({"Default", "anders"}), "Es gibt schon eine Engine namens \"Default\".");
    EXPECT_EQ(GtpEngineHinzufuegen({"A|B", "x"}), "Der Name einer Engine darf kein \"|\" enthalten.");
    EXPECT_EQ(GtpEngineHinzufuegen({"Neu", "x 'y"}),
              "In der Befehlszeile fehlt das schließende Hochkomma (').");
    EXPECT_EQ(GtpEngineHinzufuegen({"Ein sehr langer Engine-Name", "x"}),
              "Der Name einer Engine darf höchstens 20 Zeichen lang sein.");

    // In play, then removed: its program ends and the list in the file closes up.
    EngineSlots[0] = e;
    Spiele("a1");
    ASSERT_TRUE(Rechne().Gezogen);
    const std::int64_t pid = e->Kennung();
    EXPECT_GT(pid, 0);
    EXPECT_EQ(GtpEngineEntfernen(erwartet.size() - 1), "");
    EXPECT_TRUE(ProzessWeg(pid));
    EXPECT_EQ(GtpEngineVon("Skript"), nullptr);
    EXPECT_EQ(EngineSlots[0], EngineListe.front());
    erwartet.pop_back();
    EXPECT_EQ(GtpEnginesLesen(), erwartet);
    EXPECT_EQ(KonfigLesen("GTP-Engines", std::to_string(erwartet.size() + 1), ""), "");
    EXPECT_EQ(GtpEngineEntfernen(7), "Diese GTP-Engine steht nicht in der Liste.");
    if (gnugo) {
        // Removed by the user, GNU Go is not offered again.
        EXPECT_EQ(GtpEngineEntfernen(0), "");
        EXPECT_EQ(GtpEnginesLesen(), std::vector<TGtpEintrag>{});
    }
    EXPECT_TRUE(Boxen.empty());
}

TEST_F(GtpListeTest, ProbelaufFragtNameVersionUndBrettgroesse) {
    const TGtpProbe gut = GtpEngineTesten(Skript(""));
    EXPECT_TRUE(gut.Ok) << gut.Fehler;
    EXPECT_EQ(gut.Name, "Skriptengine");
    EXPECT_EQ(gut.Version, "1.0");
    EXPECT_EQ(Empfangen(), (std::vector<std::string>{"name", "version", "boardsize 7", "quit"}));

    const TGtpProbe weg = GtpEngineTesten("/gibt/es/nicht --gtp");
    EXPECT_FALSE(weg.Ok);
    EXPECT_EQ(weg.Fehler,
              "Die Engine konnte nicht gestartet werden: Das Programm \"/gibt/es/nicht\" wurde nicht "
              "gefunden oder ist nicht ausführbar.");
    const TGtpProbe brett = GtpEngineTesten(Skript("--ohne boardsize"));
    EXPECT_FALSE(brett.Ok);
    EXPECT_EQ(brett.Fehler, "Die Engine meldet auf \"boardsize 7\" den Fehler \"unknown command\".");
}
