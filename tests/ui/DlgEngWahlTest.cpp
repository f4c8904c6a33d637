// The engine choice: lists from the registry, one engine for both, different engines per colour.
#include "MainVwUmgebung.h"

#include "ui/DlgEngWahl.h"

#include <QComboBox>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace testui;

namespace {

class DlgEngWahl : public ::testing::Test {
protected:
    void SetUp() override { Grundzustand(); }
};

TEST_F(DlgEngWahl, OneEngineFillsBothListsAndIsCheckedForBoth) {
    TEngWahlDlg dlg;
    dlg.Fuellen();
    EXPECT_EQ(dlg.windowTitle(), "Engines wählen");
    ASSERT_EQ(dlg.ComboBoxWeiss->count(), 1);
    EXPECT_EQ(dlg.ComboBoxSchwarz->count(), 1);
    EXPECT_EQ(dlg.ComboBoxWeiss->itemText(0), "Default");
    EXPECT_TRUE(dlg.RadioButtonEineEngine->isChecked());
    EXPECT_FALSE(dlg.ComboBoxSchwarz->isEnabled());
}

TEST_F(DlgEngWahl, DifferentEnginesTakeOverTheSlotsLevels) {
    TTestEngine zweite("Zweite");
    EngineListe.push_back(&zweite);
    SetzeLevelVonSlot(1, 6);
    TEngine* alt = EngineSlots[1];
    {
        TEngWahlDlg dlg;
        dlg.Fuellen();
        ASSERT_EQ(dlg.ComboBoxSchwarz->count(), 2);
        dlg.RadioButtonSchwarz->click();
        EXPECT_TRUE(dlg.ComboBoxSchwarz->isEnabled());
        dlg.ComboBoxSchwarz->setCurrentIndex(1);
        dlg.Uebernehmen();
    }
    EXPECT_EQ(EngineSlots[1], &zweite);
    EXPECT_EQ(EngineSlots[0], alt);
    EXPECT_EQ(zweite.Level, 6);
    {
        TEngWahlDlg dlg;
        dlg.Fuellen();
        EXPECT_TRUE(dlg.RadioButtonSchwarz->isChecked());
        EXPECT_EQ(dlg.ComboBoxSchwarz->currentIndex(), 1);
        // One engine for both: black follows white's list.
        dlg.RadioButtonEineEngine->click();
        EXPECT_EQ(dlg.ComboBoxSchwarz->currentIndex(), 0);
        EXPECT_FALSE(dlg.ComboBoxSchwarz->isEnabled());
        dlg.Uebernehmen();
    }
    EXPECT_EQ(EngineSlots[1], alt);
    EngineListe.pop_back();
}

} // namespace
