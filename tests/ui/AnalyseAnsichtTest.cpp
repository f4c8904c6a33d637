// The analysis beside the board and the hint, in the window: the graph's click steps to its
// half-move, the view follows the game, a compute asked for during the analysis is refused with
// the move left to the user, the hint's mark comes and goes without touching the game, and the
// hint's key is no other action's.
#include "MainVwUmgebung.h"

#include "engine/ziehenDflt.h"
#include "record/SpielAblauf.h"
#include "ui/AnalyseAnsicht.h"
#include "ui/BrettAnsicht.h"
#include "ui/Tipp.h"

#include <QPushButton>
#include <QSet>
#include <QTest>
#include <gtest/gtest.h>

using namespace testui;

namespace {

class Analyse : public ::testing::Test {
protected:
    void SetUp() override {
        Grundzustand();
        form = std::make_unique<TTestForm>();
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        Gefangen().Boxen.clear();
    }
    void TearDown() override {
        form->Analyse->Anhalten();
        WarteAufSuche();
        QApplication::processEvents();
        form.reset();
    }
    void Partie(std::initializer_list<const char*> zuege) {
        for (const char* z : zuege)
            Spiele(FeldAusText(z));
        form->NachZugAktualisieren();
    }
    bool Abwarten(const std::function<bool()>& fertig) { return QTest::qWaitFor(fertig, 120000); }

    std::unique_ptr<TTestForm> form;
};

TEST_F(Analyse, ClickOnTheGraphGoesToThatHalfMoveAndTheViewFollowsTheGame) {
    Partie({"d4", "c3", "c4", "d3", "e3"});
    form->ActionAnalyse->trigger();
    TAnalyseAnsicht* a = form->Analyse;
    ASSERT_TRUE(a->isVisible());
    EXPECT_TRUE(a->Laeuft());
    ASSERT_TRUE(Abwarten([&] { return !a->Laeuft(); }));
    ASSERT_EQ(a->Werte().size(), 6u);
    EXPECT_TRUE(OhneWert(a->Werte()).empty());

    TMargenGrafik* g = a->Grafik;
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->PunktVon(2, 0));
    EXPECT_EQ(Regeln.Zugnummer, 3);
    EXPECT_EQ(a->Linie().Aktuell, 2u);
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->PunktVon(4.2, 3));
    EXPECT_EQ(Regeln.Zugnummer, 5); // forward along the line again
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->PunktVon(2, 0));

    // Another move there: the positions after it are gone, the new one is not valued yet.
    Partie({"g7"});
    ASSERT_EQ(a->Werte().size(), 4u);
    EXPECT_EQ(OhneWert(a->Werte()), (std::vector<std::size_t>{3}));
    EXPECT_TRUE(Gefangen().Boxen.empty());
}

TEST_F(Analyse, AComputeAskedForDuringTheAnalysisLeavesTheMoveWithTheUser) {
    SetzeLevelVonSlot(1, 4); // the built-in engine's level: time enough per position
    Partie({"d4", "c3", "c4", "d3"});
    form->ActionAnalyse->trigger();
    ASSERT_TRUE(form->Analyse->Laeuft());
    form->ActionZugBerechnen->trigger();
    ASSERT_EQ(Gefangen().Boxen.size(), 1u);
    EXPECT_EQ(Gefangen().Boxen[0].rfind("Es läuft gerade eine Berechnung von engine Analyse.", 0), 0u)
        << Gefangen().Boxen[0];
    EXPECT_EQ(Spielerfarbe, Regeln.AmZug);
    EXPECT_EQ(Regeln.Zugnummer, 5);
    QTest::mouseClick(form->Analyse->AbbrechenKnopf, Qt::LeftButton);
    ASSERT_TRUE(Abwarten([&] { return !form->Analyse->Laeuft(); }));
    EXPECT_FALSE(OhneWert(form->Analyse->Werte()).empty()); // cancelled before the end
}

TEST_F(Analyse, TheHintIsMarkedUntilTheNextMoveAndChangesNothing) {
    Partie({"d4"});
    const TBrett brett = Regeln.Brett;
    const TBrett engine = EngineBrett.Brett;
    const int letzter = Baum.Letzter;
    form->ActionTipp->trigger();
    ASSERT_TRUE(form->Tipp->Laeuft());
    ASSERT_TRUE(Abwarten([&] { return !form->Tipp->Laeuft(); }));
    const int f = form->Tipp->Feld();
    ASSERT_TRUE(IstPunkt(f)) << f;
    EXPECT_EQ(form->ImageBrett->Feldbilder[f & 15][f / 16 + 1]->Lage.Tipp, Weiss);
    EXPECT_EQ(Regeln.Brett, brett);
    EXPECT_EQ(Regeln.Zugnummer, 2);
    EXPECT_EQ(EngineBrett.Brett, engine);
    EXPECT_EQ(Baum.Letzter, letzter);

    Partie({f == FeldAusText("g7") ? "a1" : "g7"});
    EXPECT_EQ(form->Tipp->Feld(), -2);
    EXPECT_EQ(form->ImageBrett->Feldbilder[f & 15][f / 16 + 1]->Lage.Tipp, Leer);
    EXPECT_TRUE(Gefangen().Boxen.empty());
}

TEST_F(Analyse, AHintStillSearchedGivesWayToTheComputersMove) {
    Partie({"d4"});
    form->ActionTipp->trigger();
    ASSERT_TRUE(form->Tipp->Laeuft());
    form->ActionZugBerechnen->trigger(); // returns once the compute dialog has closed
    EXPECT_TRUE(Gefangen().Boxen.empty());
    EXPECT_EQ(Regeln.Zugnummer, 3);
    ASSERT_TRUE(Abwarten([&] { return !form->Tipp->Laeuft(); }));
    EXPECT_EQ(form->Tipp->Feld(), -2);
}

TEST_F(Analyse, NoTwoActionsShareAKey) {
    QSet<QString> tasten;
    for (QAction* a : form->actions())
        for (const QKeySequence& k : a->shortcuts()) {
            EXPECT_FALSE(tasten.contains(k.toString())) << k.toString().toStdString();
            tasten.insert(k.toString());
        }
    EXPECT_EQ(form->ActionTipp->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));
}

} // namespace
