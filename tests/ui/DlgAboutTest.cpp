#include "ui/DlgAbout.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

class DlgAbout : public ::testing::Test {
protected:
    void SetUp() override {
        altOeffnen = TAboutBox::UrlOeffnen;
        altMeldung = TAboutBox::Meldung;
        TAboutBox::UrlOeffnen = [this](const QUrl &u) {
            geoeffnet << u.toString();
            return gelingt;
        };
        TAboutBox::Meldung = [this](QWidget *, const QString &t) { meldungen << t; };
    }
    void TearDown() override {
        TAboutBox::UrlOeffnen = altOeffnen;
        TAboutBox::Meldung = altMeldung;
    }
    std::function<bool(const QUrl &)> altOeffnen;
    std::function<void(QWidget *, const QString &)> altMeldung;
    QStringList geoeffnet, meldungen;
    bool gelingt = true;
};

TEST_F(DlgAbout, InhaltUndSymbol) {
    TAboutBox box;
    EXPECT_EQ(box.windowTitle(), "Info");
    EXPECT_TRUE(box.isModal());
    EXPECT_EQ(box.ProductName->text(), "Kiboru");
    EXPECT_EQ(box.Version->text(), "Version 1.0");
    EXPECT_EQ(box.OKButton->text(), "OK");
    // The icon shows a board colour around and a black stone in the middle.
    const QImage bild = ProgrammSymbol(64).toImage();
    EXPECT_EQ(bild.pixelColor(32, 32), QColor(Qt::black));
    EXPECT_GT(bild.pixelColor(6, 32).red(), 150);
    EXPECT_EQ(bild.pixelColor(47, 16), QColor(Qt::white));
}

TEST_F(DlgAbout, KlickOeffnetAdressen) {
    TAboutBox box;
    box.show();
    QTest::mouseClick(box.LabelMail, Qt::LeftButton);
    QTest::mouseClick(box.LabelWWW, Qt::LeftButton);
    EXPECT_EQ(geoeffnet, QStringList({"mailto:kiboru@example.org", "https://www.example.org/kiboru"}));
    EXPECT_TRUE(meldungen.isEmpty());
}

TEST_F(DlgAbout, FehlschlagMeldetFehlercodeNull) {
    gelingt = false;
    TAboutBox box;
    box.LabelMailClick();
    box.LabelWWWClick();
    ASSERT_EQ(meldungen.size(), 2);
    EXPECT_EQ(meldungen[0],
              "Fehler beim Aufruf des Mail-Programms mit der Mail-Adresse kiboru@example.org\rFehlercode: 0");
    EXPECT_EQ(
        meldungen[1],
        "Fehler beim Aufruf des Web-Browsers mit der Adresse https://www.example.org/kiboru\rFehlercode: 0");
}

} // namespace
