// Position setup: the text form, its checks, and the position handed to the game.
#include "MainVwUmgebung.h"

#include "rules/ZugGen.h"
#include "ui/DlgStellung.h"

#include <QButtonGroup>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace testui;

namespace {

class TTestStellungDlg : public TStellungDlg {
public:
    bool Antwort = true;
    std::vector<QString> Fragen;
    bool Frage(const QString& t) override {
        Fragen.push_back(t);
        return Antwort;
    }
};

class MainVwStellung : public ::testing::Test {
protected:
    void SetUp() override { Grundzustand(); }
};

TEST_F(MainVwStellung, TextListsWhiteThenBlackColumnByColumn) {
    TBrett b = Brettvorlagen[Leer];
    b[Punkt(1, 0)] = Weiss;
    b[Punkt(0, 6)] = Weiss;
    b[Punkt(2, 2)] = Schwarz;
    EXPECT_EQ(TStellungDlg::StellungsText(b), " W: a7 b1\n S: c3");
    QString fehler;
    auto zurueck = TStellungDlg::TextLesen(TStellungDlg::StellungsText(b), fehler);
    ASSERT_TRUE(zurueck.has_value());
    EXPECT_EQ(*zurueck, b);
    EXPECT_FALSE(TStellungDlg::TextLesen(" W: a8", fehler).has_value());
    EXPECT_FALSE(TStellungDlg::TextLesen("c3", fehler).has_value());
    EXPECT_FALSE(TStellungDlg::TextLesen(" W: c3\n S: c3", fehler).has_value());
}

TEST_F(MainVwStellung, ASideWithoutStonesIsRefused) {
    TTestStellungDlg dlg;
    dlg.Vorbereiten(Regeln.Brett, 1);
    EXPECT_FALSE(dlg.Pruefen());
    EXPECT_TRUE(Gefangen().Enthaelt("Keine Steine auf dem Brett."));
    dlg.MemoStellung->setPlainText(" W:\n S: d4");
    EXPECT_FALSE(dlg.Pruefen());
    EXPECT_TRUE(Gefangen().Enthaelt("Weiß hat keine Steine."));
    dlg.MemoStellung->setPlainText(" W: d4\n S:");
    EXPECT_FALSE(dlg.Pruefen());
    EXPECT_TRUE(Gefangen().Enthaelt("Schwarz hat keine Steine."));
}

TEST_F(MainVwStellung, ClicksPlaceThePaletteStoneAndClearingAsksFirst) {
    TTestStellungDlg dlg;
    dlg.Vorbereiten(Regeln.Brett, 1);
    dlg.Palette->button(Weiss)->click();
    dlg.FeldGeklickt(Punkt(3, 3));
    dlg.Palette->button(Schwarz)->click();
    dlg.FeldGeklickt(Punkt(0, 0));
    EXPECT_EQ(dlg.MemoStellung->toPlainText(), " W: d4\n S: a1");
    dlg.Antwort = false;
    dlg.BrettLeerenClick();
    EXPECT_EQ(dlg.Fragen.back(), "Brett leeren ?");
    EXPECT_EQ(dlg.Brett[Punkt(3, 3)], Weiss);
    dlg.Antwort = true;
    dlg.GrundstellungClick();
    EXPECT_EQ(dlg.Fragen.back(), "Grundstellung aufbauen ?");
    EXPECT_EQ(dlg.Brett[Punkt(3, 3)], Leer);
}

TEST_F(MainVwStellung, AcceptedPositionStartsTheGameWithTheChosenSide) {
    TTestStellungDlg dlg;
    dlg.Vorbereiten(Regeln.Brett, 1);
    dlg.MemoStellung->setPlainText(" W: c3 e5\n S: d4");
    dlg.RadioWeiss->setChecked(true);
    ASSERT_TRUE(dlg.Pruefen());
    StellungUebernehmen(dlg.Brett, dlg.AmZug);
    EXPECT_EQ(Regeln.AmZug, 0);
    EXPECT_EQ(Regeln.Brett[Punkt(2, 2)], Weiss);
    EXPECT_EQ(Regeln.Brett[Punkt(3, 3)], Schwarz);
    EXPECT_EQ(Spielerfarbe, 0);
    // White plays on; the computer for black answers from the same position.
    Spiele(Punkt(0, 0));
    EXPECT_EQ(Regeln.Brett[Punkt(0, 0)], Weiss);
    EXPECT_TRUE(Gefangen().Boxen.empty()); // no engine refused the move
}

} // namespace
