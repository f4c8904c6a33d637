// The compute dialog on its own: normal end, cancel, no engine, a search already running.
#include "MainVwUmgebung.h"

#include "ui/DlgZiehe.h"

#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace testui;

namespace {

class DlgZiehe : public ::testing::Test {
protected:
    void SetUp() override { Grundzustand(); }
    void TearDown() override { WarteAufSuche(); }
};

TEST_F(DlgZiehe, EndsWithOkAndRunsTheCompletionOnce) {
    TDlgZiehen dlg;
    TTestEngine e("Test");
    e.AntwortZug = ZugAuf(Punkt(3, 3));
    int abschluesse = 0;
    dlg.Starte(&e, [&](TDlgZiehen* d) {
        ++abschluesse;
        EXPECT_EQ(d, &dlg);
    });
    EXPECT_EQ(abschluesse, 1);
    EXPECT_EQ(dlg.Ergebnis, TDlgZiehen::ErgebnisOK);
    EXPECT_EQ(dlg.result(), TDlgZiehen::ErgebnisOK);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(e.ErgebnisZug.Feld, Punkt(3, 3));
    EXPECT_EQ(dlg.windowTitle(), "Bitte warten, Zug wird berechnet");
    EXPECT_EQ(dlg.CancelButton->text(), "Abbrechen");
}

TEST_F(DlgZiehe, CancelAtOnceGivesTwoAndIsReusable) {
    TDlgZiehen dlg;
    TTestEngine e("Test");
    e.BisAbbruch = true;
    QTimer::singleShot(0, &dlg, [&] { dlg.CancelButton->click(); });
    int abschluesse = 0;
    dlg.Starte(&e, [&](TDlgZiehen*) { ++abschluesse; });
    EXPECT_EQ(abschluesse, 1);
    EXPECT_EQ(dlg.Ergebnis, TDlgZiehen::ErgebnisAbbruch);
    EXPECT_FALSE(dlg.CancelButton->isEnabled());

    // The next start enables the button again and ends normally.
    e.BisAbbruch = false;
    dlg.Starte(&e, [&](TDlgZiehen*) { ++abschluesse; });
    EXPECT_EQ(abschluesse, 2);
    EXPECT_EQ(dlg.Ergebnis, TDlgZiehen::ErgebnisOK);
    EXPECT_TRUE(dlg.CancelButton->isEnabled());
}

TEST_F(DlgZiehe, WithoutEngineOnlyTheMessage) {
    TDlgZiehen dlg;
    int abschluesse = 0;
    dlg.Starte(nullptr, [&](TDlgZiehen*) { ++abschluesse; });
    EXPECT_EQ(abschluesse, 0);
    EXPECT_EQ(dlg.Ergebnis, 0);
    EXPECT_TRUE(Gefangen().Enthaelt("Keine Engine"));
    dlg.CancelButtonClick();
    EXPECT_EQ(Gefangen().Boxen.size(), 2u);
}

TEST_F(DlgZiehe, AFinishedGameStartsNothingAndDoesNotHang) {
    Spiele(-1);
    Spiele(-1);
    TDlgZiehen dlg;
    TTestEngine e("Test");
    int abschluesse = 0;
    dlg.Starte(&e, [&](TDlgZiehen*) { ++abschluesse; });
    EXPECT_EQ(e.Aufrufe, 0);
    EXPECT_EQ(abschluesse, 0);
    EXPECT_FALSE(dlg.isVisible());
}

} // namespace
