// The level dialog: selection from the slots, the same-level box, Maximal, separate levels.
#include "MainVwUmgebung.h"

#include "ui/DlgLV.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <gtest/gtest.h>

using namespace testui;

namespace {

class DlgLV : public ::testing::Test {
protected:
    void SetUp() override { Grundzustand(); }
    void TearDown() override {
        SetzeLevelVonSlot(1, 2);
        SetzeLevelVonSlot(0, 2);
    }
};

TEST_F(DlgLV, SameLevelShowsOneGroupAndMaximalStores999) {
    SetzeLevelVonSlot(1, 5);
    SetzeLevelVonSlot(0, 5);
    TFormLV dlg;
    dlg.Vorbereiten();
    EXPECT_EQ(dlg.windowTitle(), "Spielstufen");
    EXPECT_EQ(TFormLV::Auswahl(dlg.Gruppe1), 4);
    EXPECT_EQ(dlg.Gruppe1->button(4)->text(), "Level &5");
    EXPECT_TRUE(dlg.CheckGleicherLv->isChecked());
    EXPECT_FALSE(dlg.RadioGroupSpieler2->isEnabled());
    EXPECT_EQ(dlg.RadioGroupSpieler1->title(), "&Level");

    dlg.Gruppe1->button(8)->click(); // "Ma&ximal"
    EXPECT_EQ(TFormLV::Auswahl(dlg.Gruppe2), 8);
    dlg.Uebernehmen();
    EXPECT_EQ(LevelVonSlot(1), 999);
    EXPECT_EQ(LevelVonSlot(0), 999);

    // Anything above 9 shows as "Maximal".
    dlg.Vorbereiten();
    EXPECT_EQ(TFormLV::Auswahl(dlg.Gruppe1), 8);
}

TEST_F(DlgLV, SeparateLevelsPerColourAndTheBoxStaysCleared) {
    // Levels live in the engine objects: separate levels need separate engines.
    TTestEngine weiss("Weiss");
    TEngine* alt = EngineSlots[0];
    EngineSlots[0] = &weiss;
    SetzeLevelVonSlot(1, 3);
    SetzeLevelVonSlot(0, 3);
    TFormLV dlg;
    dlg.Vorbereiten();
    dlg.CheckGleicherLv->click();
    EXPECT_FALSE(dlg.CheckGleicherLv->isChecked());
    EXPECT_TRUE(dlg.RadioGroupSpieler2->isEnabled());
    EXPECT_EQ(dlg.RadioGroupSpieler1->title(), "Level von &Schwarz");
    dlg.Gruppe1->button(1)->click();
    dlg.Gruppe2->button(6)->click();
    dlg.Uebernehmen();
    EXPECT_EQ(LevelVonSlot(1), 2);
    EXPECT_EQ(LevelVonSlot(0), 7);

    TFormLV neu;
    neu.Vorbereiten();
    EXPECT_FALSE(neu.CheckGleicherLv->isChecked());
    EXPECT_EQ(TFormLV::Auswahl(neu.Gruppe1), 1);
    EXPECT_EQ(TFormLV::Auswahl(neu.Gruppe2), 6);

    // Checking the box again makes white follow black.
    neu.CheckGleicherLv->click();
    EXPECT_EQ(TFormLV::Auswahl(neu.Gruppe2), 1);
    neu.Uebernehmen();
    EXPECT_EQ(LevelVonSlot(0), 2);
    EngineSlots[0] = alt;
}

TEST_F(DlgLV, AnEmptySlotSetsNothing) {
    TEngine* schwarz = EngineSlots[1];
    EngineSlots[1] = nullptr;
    TFormLV dlg;
    dlg.Vorbereiten();
    EXPECT_EQ(TFormLV::Auswahl(dlg.Gruppe1), -1);
    dlg.Uebernehmen();
    EngineSlots[1] = schwarz;
    EXPECT_EQ(LevelVonSlot(0), 2);
}

} // namespace
