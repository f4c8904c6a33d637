#include "support/StoppUhr.h"

#include <gtest/gtest.h>

namespace {
double Jetzt = 0;
double TestUhr() { return Jetzt; }

struct StoppUhrTest : ::testing::Test {
    void SetUp() override {
        Jetzt = 1000;
        SetzeUhrQuelle(TestUhr);
    }
    void TearDown() override { SetzeUhrQuelle(nullptr); }
};
} // namespace

TEST_F(StoppUhrTest, LaeuftHaeltAnUndSetztFort) {
    TStoppUhr u;
    EXPECT_TRUE(u.Gestoppt);
    EXPECT_EQ(u.Vergangen(), 0);
    u.Neustart();
    Jetzt = 1002.5;
    EXPECT_DOUBLE_EQ(u.Vergangen(), 2.5);
    u.Stopp();
    Jetzt = 2000;
    EXPECT_DOUBLE_EQ(u.Vergangen(), 2.5);
    u.Weiter();
    Jetzt = 2005;
    EXPECT_DOUBLE_EQ(u.Vergangen(), 7.5);
    // Resuming a running watch does not move its start.
    u.Weiter();
    Jetzt = 2006;
    EXPECT_DOUBLE_EQ(u.Vergangen(), 8.5);
    u.Neustart();
    EXPECT_DOUBLE_EQ(u.Vergangen(), 0);
    Jetzt = 2010;
    u.Ruecksetzen();
    EXPECT_TRUE(u.Gestoppt);
    Jetzt = 3000;
    EXPECT_EQ(u.Vergangen(), 0);
}

TEST_F(StoppUhrTest, UeberMitternacht) {
    Jetzt = 86399;
    TStoppUhr u;
    u.Neustart();
    Jetzt = 1.5;
    EXPECT_DOUBLE_EQ(u.Vergangen(), 2.5);
    u.Stopp();
    EXPECT_DOUBLE_EQ(u.Summe, 2.5);
}

TEST(StoppUhrText, StundenMinutenSekundenZehntel) {
    EXPECT_EQ(ZeitText(0), "00:00:00.0");
    EXPECT_EQ(ZeitText(0.3), "00:00:00.3");
    EXPECT_EQ(ZeitText(0.7), "00:00:00.7");
    EXPECT_EQ(ZeitText(59.99), "00:00:59.9");
    EXPECT_EQ(ZeitText(3723.45), "01:02:03.4");
    EXPECT_EQ(ZeitText(360000), "100:00:00.0");
    EXPECT_EQ(ZeitText(-5), "00:00:00.0");
    Jetzt = 50;
    SetzeUhrQuelle(TestUhr);
    TStoppUhr u;
    u.Neustart();
    Jetzt = 111.25;
    EXPECT_EQ(u.Text(), "00:01:01.2");
    SetzeUhrQuelle(nullptr);
}
