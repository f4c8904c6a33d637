#include "ui/EngineInfoFrm.h"
#include "ui/EngineInfoVw.h"

#include <QApplication>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

TEST(EngineInfo, WerteInDerReihenfolgeDerNamen) {
    TSuchInfo i;
    i.Tiefe = 7;
    i.AktuellerZug = 16 * 2 + 3; // d3
    i.AktuellerWert = -12.5;     // halves to even
    i.BesterZug = -1;            // pass
    i.BesterWert = 13.5;
    i.Stellungen = 5'000'000'000LL; // beyond 32 bits
    i.Zeit = "00:00:03.4";
    i.ProSekunde = 3'000'000'000LL;
    i.Grund = "Abbruch durch Benutzer";
    EXPECT_EQ(TFrameEngineInfo::Werte(i), QStringList({"7", "d3 -12", "-- 14", "5000000000", "00:00:03.4",
                                                       "3000000000", "Abbruch durch Benutzer"}));
    // Before the first move there is nothing to show, and odd values do not break the view.
    TSuchInfo leer;
    leer.BesterZug = 0;
    leer.BesterWert = 1e300;
    const QStringList w = TFrameEngineInfo::Werte(leer);
    EXPECT_EQ(w[1], "");
    EXPECT_TRUE(w[2].startsWith("a1 9"));
}

TEST(EngineInfo, FensterUndListe) {
    TFormInfo f;
    EXPECT_EQ(f.windowTitle(), "Info");
    EXPECT_FALSE(f.isModal());
    EXPECT_TRUE(f.isWindow());
    QTreeWidget *l = f.FrameEngineInfo1->ValueListEditor;
    ASSERT_EQ(l->topLevelItemCount(), 7);
    EXPECT_EQ(l->topLevelItem(0)->text(0), "Suchtiefe");
    EXPECT_EQ(l->topLevelItem(6)->text(0), "Grund für die Beendigung der Zugsuche");
    EXPECT_EQ(l->topLevelItem(6)->toolTip(0), l->topLevelItem(6)->text(0));
    EXPECT_EQ(l->columnWidth(0), 200);
    EXPECT_EQ(l->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(f.FrameEngineInfo1->Timer1->interval(), 200);
    EXPECT_FALSE(f.FrameEngineInfo1->Timer1->isActive());
    f.show();
    EXPECT_TRUE(f.FrameEngineInfo1->Timer1->isActive());
    f.hide();
    EXPECT_FALSE(f.FrameEngineInfo1->Timer1->isActive());
}

} // namespace
