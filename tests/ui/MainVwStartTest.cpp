// Start-up choices of the game to show, the recent entries as commands, variations and the
// menu button.
#include "MainVwUmgebung.h"

#include "record/StellungDoc.h"
#include "rules/ZugGen.h"

#include "ui/AnpassenDlg.h"
#include "ui/BrettAnsicht.h"
#include "ui/NotationAnsicht.h"
#include "ui/PgnForm.h"
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace testui;

namespace {

class MainVwStart : public ::testing::Test {
protected:
    void SetUp() override { Grundzustand(); }
    void TearDown() override { WarteAufSuche(); }

    // A game file with the given moves; the current game is new afterwards.
    static QString Partie(const QString& name, std::initializer_list<int> zuege) {
        NeuesSpiel();
        for (int p : zuege)
            Spiele(p);
        const QString pfad = QDir(DatenOrdner()).filePath(name);
        EXPECT_TRUE(SpeichereSpielMitMeldung(pfad.toStdString()));
        NeuesSpiel();
        return pfad;
    }
};

TEST_F(MainVwStart, TheArgumentOpensItsGameAndNamesTheWindow) {
    const QString pfad = Partie(QStringLiteral("argument.go"), {Punkt(3, 3), Punkt(2, 2)});
    TTestForm form;
    EXPECT_TRUE(form.SpielZeigen(pfad));
    EXPECT_EQ(Regeln.Zugnummer, 3);
    EXPECT_EQ(form.windowTitle(), "argument.go[*] - Kiboru");
    EXPECT_FALSE(form.Datei->Geaendert);
    EXPECT_EQ(form.ImageBrett->Feldbilder[2][3]->Code, Weiss);
    EXPECT_TRUE(form.MsgText->toPlainText().contains("Letzte Datei (" + pfad + ") geöffnet."));
}

TEST_F(MainVwStart, ABrokenArgumentFallsBackToTheLastGame) {
    const QString pfad = Partie(QStringLiteral("letzte.go"), {Punkt(1, 1)});
    KonfigSchreiben("Datei", "recent", pfad.toStdString());
    const QString kaputt = QDir(DatenOrdner()).filePath(QStringLiteral("kaputt-arg.go"));
    {
        QFile f(kaputt);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Dies ist keine Partie.");
    }
    TTestForm form;
    EXPECT_TRUE(form.SpielZeigen(kaputt));
    EXPECT_FALSE(Gefangen().Boxen.empty()); // the reader's message
    EXPECT_EQ(form.GetFileName(), pfad);
    EXPECT_EQ(Regeln.Zugnummer, 2);
}

TEST_F(MainVwStart, ADeletedLastFileFallsBackToTheAutosave) {
    const QString auto_ = TPartieDatei::AutosaveDatei();
    QFile::remove(auto_);
    NeuesSpiel();
    Spiele(Punkt(4, 4));
    ASSERT_TRUE(SpeichereSpielMitMeldung(auto_.toStdString()));
    NeuesSpiel();
    KonfigSchreiben("Datei", "recent", QDir(DatenOrdner()).filePath(QStringLiteral("weg.go")).toStdString());
    TTestForm form;
    EXPECT_TRUE(form.SpielZeigen(QString()));
    EXPECT_EQ(form.GetFileName(), TPartieDatei::Unbenannt);
    EXPECT_EQ(Regeln.Zugnummer, 2);
    EXPECT_TRUE(form.Datei->Geaendert); // the autosave holds moves
    EXPECT_EQ(form.windowTitle(), "Unbenannt[*] - Kiboru");
}

TEST_F(MainVwStart, RecentEntryReopensItsFile) {
    const QString a = Partie(QStringLiteral("eins.go"), {Punkt(0, 0)});
    const QString b = Partie(QStringLiteral("zwei.go"), {Punkt(6, 6), Punkt(5, 5)});
    TTestForm form;
    form.SetFileName(a);
    form.SetFileName(b);
    ASSERT_EQ(form.Datei->Letzte[1], a);
    form.ActionDatei[2]->trigger(); // Ctrl+2: the older file
    EXPECT_EQ(form.GetFileName(), a);
    EXPECT_EQ(form.Datei->Letzte[0], a);
    EXPECT_EQ(form.Datei->Letzte[1], b);
    EXPECT_EQ(Regeln.Zugnummer, 2);
    EXPECT_EQ(Regeln.Brett[Punkt(0, 0)], Schwarz);
    EXPECT_FALSE(form.Datei->Geaendert);
}

TEST_F(MainVwStart, VariationsSwitchByShortcut) {
    TTestForm form;
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form)); // shortcuts need the active window
    Spiele(Punkt(3, 3));
    Spiele(Punkt(2, 2));
    ZurueckMitUhr();
    Spiele(Punkt(4, 4)); // a second answer to d4
    ZurueckMitUhr();
    form.NachZugAktualisieren();
    EXPECT_EQ(form.Eingabe.Vorschlagstext, "e5"); // the line just left is offered again
    QTest::keyClick(&form, Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(form.Eingabe.Vorschlagstext, "c3");
    EXPECT_EQ(Regeln.Zugnummer, 2);                         // only the line changed
    QTest::keyClick(&form, Qt::Key_L, Qt::ControlModifier); // no earlier variation
    EXPECT_EQ(form.Eingabe.Vorschlagstext, "c3");
    QTest::keyClick(&form, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(form.Eingabe.Vorschlagstext, "e5");
    QTest::keyClick(&form, Qt::Key_Tab);
    EXPECT_EQ(Regeln.Brett[Punkt(4, 4)], Weiss);
}

TEST_F(MainVwStart, MenuButtonHoldsTheSevenMenusAndTheBarIsDetached) {
    TTestForm form;
    form.show();
    QApplication::processEvents();
    const auto eintraege = form.ToolButtonMenu->menu()->actions();
    ASSERT_EQ(eintraege.size(), 7);
    QStringList namen;
    for (QAction* a : eintraege)
        namen << a->text();
    EXPECT_EQ(namen, QStringList({"&Datei", "&Partie", "&Zug", "&Modus", "&Ansicht", "E&xtra", "&Hilfe"}));
    EXPECT_FALSE(eintraege[1]->isVisible());
    EXPECT_FALSE(eintraege[3]->isVisible());
    EXPECT_FALSE(form.menuBar()->isVisible());
    // Shortcuts still reach the commands.
    Spiele(Punkt(3, 3));
    form.NachZugAktualisieren();
    QTest::keyClick(&form, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(Regeln.Zugnummer, 1);
}

TEST_F(MainVwStart, CharactersTypedAtTheWindowGoToTheMoveField) {
    TTestForm form;
    form.show();
    QApplication::processEvents();
    QTest::keyClick(form.ImageBrett, Qt::Key_C, Qt::NoModifier); // focus elsewhere
    EXPECT_EQ(form.Eingabe.EingabePos, 1);
    EXPECT_EQ(form.EditZug->text(), "c");
    QTest::keyClick(form.EditZug, Qt::Key_Home);
    EXPECT_EQ(form.Eingabe.EingabePos, 0);
    QTest::keyClick(form.EditZug, Qt::Key_End);
    EXPECT_EQ(form.Eingabe.EingabePos, 1);
    QTest::keyClick(form.EditZug, Qt::Key_Delete); // cuts the input at the caret
    EXPECT_EQ(form.Eingabe.EingabeLaenge, 1);
    QTest::keyClick(form.EditZug, Qt::Key_Left);
    EXPECT_EQ(form.Eingabe.EingabePos, 0);
}

} // namespace

namespace {

TEST_F(MainVwStart, TaggedRecordsGoToTheirDialog) {
    const QString pfad = QDir(DatenOrdner()).filePath(QStringLiteral("turnier.PGN"));
    {
        QFile f(pfad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Event \"Test\"]\n\n1. d4 c3 *\n");
    }
    TTestForm form;
    form.show();
    form.OeffnenPfad = pfad;
    bool gezeigt = false;
    QTimer::singleShot(0, form.FormPGN, [&] {
        gezeigt = form.FormPGN->isVisible();
        form.FormPGN->reject();
    });
    form.FileOpen1Execute();
    EXPECT_TRUE(gezeigt);
    EXPECT_EQ(form.GetFileName(), TPartieDatei::Unbenannt); // cancelled: nothing taken over
    EXPECT_FALSE(form.Datei->Geaendert);

    // Saving under the record's name asks for a new name instead of overwriting it.
    form.SetFileName(pfad);
    form.SpeichernPfad.clear(); // the save dialog is cancelled
    form.FileSave1Execute();
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("[Event"));
}

} // namespace

namespace {

TEST_F(MainVwStart, CustomisingShowsAndHidesToolBarGroups) {
    TTestForm form;
    form.show();
    auto aufLeiste = [&](QAction* a) { return form.ToolBar1->actions().contains(a); };
    EXPECT_TRUE(aufLeiste(form.FileNew1));
    EXPECT_TRUE(aufLeiste(form.ActionZugVor));
    EXPECT_FALSE(aufLeiste(form.HelpHelp1));
    EXPECT_TRUE(form.ToolButtonSepDatei->isVisible());
    EXPECT_TRUE(form.ToolButtonSepZug->isVisible());
    EXPECT_FALSE(form.ToolButtonSepHilfe->isVisible());

    form.AnpassenUebernehmen(false, true, true, false, false, true);
    EXPECT_FALSE(aufLeiste(form.FileNew1));
    EXPECT_FALSE(aufLeiste(form.FileSave1));
    EXPECT_TRUE(aufLeiste(form.ActionPassen)); // belongs to no group
    EXPECT_TRUE(aufLeiste(form.HelpHelp1));
    EXPECT_EQ(form.ToolBar1->toolButtonStyle(), Qt::ToolButtonIconOnly);
    EXPECT_TRUE(form.menuBar()->isVisible());
    EXPECT_FALSE(form.WerkzeugHinweise);
    // Hidden from the tool bar only: the commands stay in the menus.
    EXPECT_TRUE(form.FileNew1->isVisible());

    form.AnpassenUebernehmen(true, false, false, true, true, false);
    EXPECT_TRUE(aufLeiste(form.FileNew1));
    EXPECT_FALSE(aufLeiste(form.ActionZugBerechnenMitMenu));
    EXPECT_FALSE(aufLeiste(form.HelpHelp1));
    EXPECT_EQ(form.ToolBar1->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_FALSE(form.menuBar()->isVisible());
    // The save button keeps its drop-down after the rebuild.
    auto* knopf = qobject_cast<QToolButton*>(form.ToolBar1->widgetForAction(form.FileSave1));
    ASSERT_NE(knopf, nullptr);
    EXPECT_EQ(knopf->popupMode(), QToolButton::MenuButtonPopup);
    EXPECT_TRUE(knopf->menu()->actions().contains(form.FileSaveAs1));
}

} // namespace

namespace {

TEST_F(MainVwStart, CustomiseDialogStartsFromTheToolBarAndAppliesOnOkOnly) {
    TTestForm form;
    form.show();
    bool geprueft = false;
    auto bedienen = [&](bool ok) {
        QTimer::singleShot(0, form.DlgAnpassen, [&, ok] {
            TDlgAnpassen* d = form.DlgAnpassen;
            geprueft = d->Datei() && d->Zug() && !d->Hilfe() && d->HinweiseAnzeigen() &&
                       d->SymboltitelAnzeigen() && !d->MenueAnzeigen();
            d->SetHilfe(true);
            d->SetDatei(false);
            if (ok)
                d->accept();
            else
                d->reject();
        });
    };
    bedienen(false);
    form.ActionAnpassen->trigger();
    EXPECT_TRUE(geprueft);
    EXPECT_TRUE(form.ToolBar1->actions().contains(form.FileNew1)); // cancelled: unchanged
    bedienen(true);
    form.ActionAnpassen->trigger();
    EXPECT_FALSE(form.ToolBar1->actions().contains(form.FileNew1));
    EXPECT_TRUE(form.ToolBar1->actions().contains(form.HelpAbout1));
}

} // namespace
