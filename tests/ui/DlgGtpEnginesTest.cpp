// The dialog of the user's GTP engines against the scripted engine: an entry checked as it is
// typed, the trial run on a thread of its own (its answers, an engine that dies, a cancel), the
// entry in the list and in "Engines wählen" after "Default", and its removal.
#include "MainVwUmgebung.h"

#include "gtp/GtpEngine.h"
#include "ui/DlgEngWahl.h"
#include "ui/DlgGtpEngines.h"
#include "ui/GtpEngineListe.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#ifndef SKRIPT_ENGINE
#error "SKRIPT_ENGINE must name the scripted engine"
#endif

using namespace testui;

namespace {

class DlgGtpEngines : public ::testing::Test {
protected:
    void SetUp() override { Grundzustand(); }
    void TearDown() override {
        // An engine a failed test left behind must not reach the other tests.
        for (TEngine* e : std::vector<TEngine*>(EngineListe))
            if (dynamic_cast<TGtpEngine*>(e)) EntferneEngine(e);
    }
    static bool TestAbwarten(TDlgGtpEngines& d) {
        return QTest::qWaitFor([&] { return !d.TestLaeuft(); }, 60000);
    }
};

TEST_F(DlgGtpEngines, AddTestAndRemoveTheScriptedEngine) {
    TFrischerDatenordner daten;
    const QString skript = QStringLiteral("'%1' --zuege C3").arg(QStringLiteral(SKRIPT_ENGINE));
    TDlgGtpEngines dlg(nullptr);
    dlg.Fuellen();
    const int vorher = dlg.Liste->count(); // GNU Go, when it is installed
    EXPECT_EQ(vorher, GnuGoVorschlag() ? 1 : 0);

    // Checked while it is typed.
    dlg.EditName->setText(QStringLiteral("Skript|1"));
    dlg.EditBefehl->setText(skript);
    EXPECT_EQ(dlg.Pruefung->text(), QStringLiteral("Der Name einer Engine darf kein \"|\" enthalten."));
    EXPECT_FALSE(dlg.KnopfHinzufuegen->isEnabled());
    dlg.EditName->setText(QStringLiteral("Default"));
    EXPECT_EQ(dlg.Pruefung->text(), QStringLiteral("Es gibt schon eine Engine namens \"Default\"."));
    dlg.EditName->setText(QStringLiteral("Skript mit Namen"));
    EXPECT_EQ(dlg.Pruefung->text(), QString());
    EXPECT_TRUE(dlg.KnopfHinzufuegen->isEnabled());

    // The trial run leaves the dialog free while it waits, then shows the answers.
    QTest::mouseClick(dlg.KnopfTesten, Qt::LeftButton);
    EXPECT_TRUE(dlg.TestLaeuft());
    EXPECT_FALSE(dlg.KnopfTesten->isEnabled());
    EXPECT_TRUE(dlg.KnopfTestAbbrechen->isEnabled());
    ASSERT_TRUE(TestAbwarten(dlg));
    EXPECT_EQ(
        dlg.Ergebnis->text(),
        QStringLiteral("Die Engine antwortet.\nname: Skriptengine\nversion: 1.0\nboardsize 7: angenommen"));

    // Added: in the list, in the registry, and after "Default" in the engine choice, whole.
    QTest::mouseClick(dlg.KnopfHinzufuegen, Qt::LeftButton);
    ASSERT_EQ(dlg.Liste->count(), vorher + 1);
    EXPECT_TRUE(dlg.Liste->item(vorher)->text().startsWith(QStringLiteral("Skript mit Namen")));
    ASSERT_NE(GtpEngineVon("Skript mit Namen"), nullptr);
    EXPECT_FALSE(dlg.KnopfHinzufuegen->isEnabled()); // the name is taken now
    {
        TEngWahlDlg wahl;
        wahl.Fuellen();
        ASSERT_GE(wahl.ComboBoxWeiss->count(), 2);
        EXPECT_EQ(wahl.ComboBoxWeiss->itemText(0), QStringLiteral("Default"));
        EXPECT_EQ(wahl.ComboBoxWeiss->itemText(wahl.ComboBoxWeiss->count() - 1),
                  QStringLiteral("Skript mit Namen"));
    }

    // An engine that dies gives the German reason; one that never answers can be cancelled.
    dlg.EditBefehl->setText(skript + QStringLiteral(" --absturz-bei version"));
    QTest::mouseClick(dlg.KnopfTesten, Qt::LeftButton);
    ASSERT_TRUE(TestAbwarten(dlg));
    EXPECT_TRUE(dlg.Ergebnis->text().startsWith(
        QStringLiteral("Die Engine hat sich unerwartet beendet (bei \"version\")")))
        << dlg.Ergebnis->text().toStdString();
    dlg.EditBefehl->setText(QStringLiteral("sleep 600"));
    QTest::mouseClick(dlg.KnopfTesten, Qt::LeftButton);
    QTest::qWait(50);
    EXPECT_TRUE(dlg.TestLaeuft());
    QTest::mouseClick(dlg.KnopfTestAbbrechen, Qt::LeftButton);
    ASSERT_TRUE(TestAbwarten(dlg));
    EXPECT_EQ(dlg.Ergebnis->text(), QStringLiteral("Der Test wurde abgebrochen."));

    // Removed: from the list, the file and the registry.
    dlg.Liste->setCurrentRow(vorher);
    QTest::mouseClick(dlg.KnopfEntfernen, Qt::LeftButton);
    EXPECT_EQ(dlg.Liste->count(), vorher);
    EXPECT_EQ(GtpEngineVon("Skript mit Namen"), nullptr);
    EXPECT_EQ(GtpEnginesLesen().size(), std::size_t(vorher));
    EXPECT_TRUE(Gefangen().Boxen.empty());
}

} // namespace
