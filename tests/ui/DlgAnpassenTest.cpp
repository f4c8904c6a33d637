#include "ui/AnpassenDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

TEST(DlgAnpassen, TexteUndAnfangszustand) {
    TDlgAnpassen d;
    EXPECT_EQ(d.windowTitle(), "Werkzeugleiste anpassen");
    EXPECT_EQ(d.CheckHinweise->text(), "&Hinweise anzeigen");
    EXPECT_EQ(d.CheckSymboltitel->text(), "Symbol&titel anzeigen");
    EXPECT_EQ(d.CheckMenue->text(), "&Menü anzeigen");
    EXPECT_FALSE(d.MenueAnzeigen());
    ASSERT_EQ(d.ListeSymbolleisten->count(), 3);
    EXPECT_EQ(d.ListeSymbolleisten->item(0)->text(), "Datei");
    EXPECT_EQ(d.ListeSymbolleisten->item(1)->text(), "Zug");
    EXPECT_EQ(d.ListeSymbolleisten->item(2)->text(), "Hilfe");
    auto *gruppe = d.findChild<QGroupBox *>();
    ASSERT_NE(gruppe, nullptr);
    EXPECT_EQ(gruppe->title(), "Symbolleisten");
    EXPECT_EQ(d.Knoepfe->button(QDialogButtonBox::Cancel)->text(), "Abbrechen");
}

TEST(DlgAnpassen, EinstellungenUnabhaengigUndOkSchliesst) {
    TDlgAnpassen d;
    // Each setting on its own, so a mixed-up getter shows.
    for (int i = 0; i < 6; ++i) {
        d.SetHinweiseAnzeigen(i == 0);
        d.SetSymboltitelAnzeigen(i == 1);
        d.SetMenueAnzeigen(i == 2);
        d.SetDatei(i == 3);
        d.SetZug(i == 4);
        d.SetHilfe(i == 5);
        EXPECT_EQ(d.HinweiseAnzeigen(), i == 0);
        EXPECT_EQ(d.SymboltitelAnzeigen(), i == 1);
        EXPECT_EQ(d.MenueAnzeigen(), i == 2);
        EXPECT_EQ(d.Datei(), i == 3);
        EXPECT_EQ(d.Zug(), i == 4);
        EXPECT_EQ(d.Hilfe(), i == 5);
    }
    // A click into the list changes what the getter reports.
    d.ListeSymbolleisten->item(1)->setCheckState(Qt::Checked);
    EXPECT_TRUE(d.Zug());
    d.show();
    d.Knoepfe->button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    d.show();
    d.Knoepfe->button(QDialogButtonBox::Cancel)->click();
    EXPECT_EQ(d.result(), QDialog::Rejected);
}

} // namespace
