// The main window: typed and clicked moves, refusals, the end of the game, the computer's
// turn, status line, recent files, the close query and the board's geometry.
#include "MainVwUmgebung.h"

#include "record/StellungDoc.h"
#include "rules/ZugGen.h"
#include "ui/BrettAnsicht.h"
#include "ui/DlgZiehe.h"
#include "ui/NotationAnsicht.h"

#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace testui;

namespace {

class MainVw : public ::testing::Test {
protected:
    void SetUp() override {
        Grundzustand();
        form = std::make_unique<TTestForm>();
        form->show();
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get())); // shortcuts need the active window
        Gefangen().Boxen.clear();
    }
    void TearDown() override {
        WarteAufSuche();
        form.reset();
    }
    void Tippe(const char* zeichen) {
        for (const char* c = zeichen; *c; ++c)
            QTest::keyClick(form->EditZug, *c);
    }
    void Klicke(int spalte, int reihe) {
        QTest::mouseClick(form->ImageBrett->Feldbilder[spalte][reihe], Qt::LeftButton);
    }
    std::string Status() const { return form->StatusText->text().toStdString(); }

    std::unique_ptr<TTestForm> form;
};

TEST_F(MainVw, TypedMovePlaysAndTheComputerAnswers) {
    ASSERT_EQ(Regeln.Zugnummer, 1);
    EXPECT_EQ(Status(), "0:0 Schwarz ist am Zug.");
    Tippe("d4"); // returns once the compute dialog has closed again
    ASSERT_EQ(Regeln.Zugnummer, 3);
    EXPECT_EQ(Regeln.Zugfolge[1].Feld, Punkt(3, 3));
    EXPECT_EQ(Regeln.Zugfolge[2].Farbe, Weiss);
    EXPECT_EQ(Regeln.AmZug, 1);
    EXPECT_EQ(Spielerfarbe, 1);
    EXPECT_TRUE(form->Datei->Geaendert);
    EXPECT_EQ(form->ImageBrett->Feldbilder[3][4]->Code, Schwarz);
    EXPECT_EQ(form->Eingabe.EingabePos, -1);
    EXPECT_FALSE(form->DlgZiehen->isVisible());
    EXPECT_EQ(form->DlgZiehen->Ergebnis, TDlgZiehen::ErgebnisOK);
    for (const auto& b : Gefangen().Boxen)
        ADD_FAILURE() << b;
    EXPECT_NE(Status().find("Schwarz ist am Zug."), std::string::npos);
}

TEST_F(MainVw, TypingRulesOfTheMoveField) {
    Tippe("4h8"); // a digit first, a column beyond g and a row beyond 7 do nothing
    EXPECT_EQ(form->Eingabe.EingabePos, 0);
    EXPECT_EQ(form->EditZug->text(), "");
    Tippe("c");
    EXPECT_EQ(form->Eingabe.EingabePos, 1);
    EXPECT_EQ(form->EditZug->text(), "c");
    QTest::keyClick(form->EditZug, Qt::Key_Backspace);
    EXPECT_EQ(form->Eingabe.EingabePos, 0);
    EXPECT_EQ(form->EditZug->text(), "");
    Tippe("e");
    QTest::keyClick(form->EditZug, Qt::Key_Escape);
    EXPECT_EQ(form->Eingabe.EingabePos, -1);
    EXPECT_EQ(Regeln.Zugnummer, 1);
    EXPECT_TRUE(Gefangen().Boxen.empty());
}

TEST_F(MainVw, TypedMoveOnAnOccupiedPointWaitsForANewColumn) {
    Spiele(Punkt(3, 3));
    Spiele(Punkt(2, 2));
    form->NachZugAktualisieren();
    form->BrettZeichnen();
    Tippe("c3");
    EXPECT_TRUE(Gefangen().Enthaelt("Bitte ein leeres Feld angeben!"));
    EXPECT_EQ(Regeln.Zugnummer, 3);
    EXPECT_EQ(form->Eingabe.EingabePos, 0);
    EXPECT_EQ(form->EditZug->text(), "c3");
    EXPECT_EQ(form->EditZug->cursorPosition(), 0);
}

TEST_F(MainVw, ClicksOnStonesAreRefusedWithTheirMessages) {
    Spiele(Punkt(3, 3)); // black d4
    Spiele(Punkt(2, 2)); // white c3, black to move
    form->NachZugAktualisieren();
    form->BrettZeichnen();
    Klicke(3, 4);
    Klicke(2, 3);
    ASSERT_EQ(Gefangen().Boxen.size(), 2u);
    EXPECT_EQ(Gefangen().Boxen[0], "Das ist dein Stein. Bitte liegen lassen!");
    EXPECT_EQ(Gefangen().Boxen[1], "Das ist nicht dein Stein. Bitte nicht berühren");
    EXPECT_EQ(Regeln.Zugnummer, 3);
    EXPECT_EQ(form->ImageBrett->Feldbilder[3][4]->Code, Schwarz);
    EXPECT_EQ(form->ImageBrett->Feldbilder[2][3]->Code, Weiss);
}

TEST_F(MainVw, SuicideAndRepetitionLeaveTheBoardAsItWas) {
    // Suicide: black into a1 between white a2 and b1.
    Spiele(Punkt(6, 6));
    Spiele(Punkt(0, 1));
    Spiele(Punkt(6, 5));
    Spiele(Punkt(1, 0));
    form->NachZugAktualisieren();
    form->BrettZeichnen();
    const TBrett vorher = Regeln.Brett;
    Klicke(0, 1);
    EXPECT_TRUE(Gefangen().Enthaelt("Das wäre Selbstmord!"));
    EXPECT_EQ(Regeln.Brett, vorher);
    EXPECT_EQ(form->ImageBrett->Feldbilder[0][1]->Code, Leer);

    // Ko: white retaking at b1 would recreate an earlier board.
    NeuesSpiel();
    for (int p : {Punkt(0, 0), Punkt(1, 0), Punkt(1, 1), Punkt(2, 1), Punkt(6, 6), Punkt(3, 0), Punkt(2, 0)})
        Spiele(p);
    ASSERT_EQ(Regeln.Brett[Punkt(1, 0)], Leer); // black c1 took b1
    form->NachZugAktualisieren();
    form->BrettZeichnen();
    KanalAbfangen();
    const TBrett koVorher = Regeln.Brett;
    const int zn = Regeln.Zugnummer;
    Spielerfarbe = 1;
    Klicke(1, 1);
    EXPECT_TRUE(
        Gefangen().Enthaelt("Dieser Zug ist nicht erlaubt, weil er zu einer Stellungswiederholung führt."));
    EXPECT_EQ(Regeln.Brett, koVorher);
    EXPECT_EQ(Regeln.Zugnummer, zn);
    EXPECT_EQ(Spielerfarbe, 0); // the user keeps the side to move
    EXPECT_EQ(form->ImageBrett->Feldbilder[1][1]->Code, Leer);
}

TEST_F(MainVw, TwoPassesEndTheGameAndInputStops) {
    Spiele(-1); // black passes
    Spielerfarbe = 0;
    form->NachZugAktualisieren();
    Tippe("-"); // white passes: over, nobody computes
    ASSERT_TRUE(Regeln.BeidePassen());
    EXPECT_EQ(Regeln.Zugnummer, 3);
    EXPECT_FALSE(form->EditZug->isEnabled());
    EXPECT_FALSE(form->ActionZugBerechnen->isEnabled());
    EXPECT_EQ(Status(), "0:0 Beide haben gewonnen!");
    Klicke(3, 4);
    form->Passen();
    EXPECT_EQ(Regeln.Zugnummer, 3);
    EXPECT_TRUE(Gefangen().Boxen.empty());
    form->ZugBerechnenClick();
    EXPECT_TRUE(Gefangen().Enthaelt("Das Spiel ist aus."));
    // Taking back the pass opens the game again.
    form->Zurueck1Click();
    EXPECT_TRUE(form->EditZug->isEnabled());
    EXPECT_TRUE(form->ActionZugBerechnen->isEnabled());
}

TEST_F(MainVw, IdleFieldOffersTheContinuationInBlue) {
    for (int p : {Punkt(3, 3), Punkt(2, 2), Punkt(4, 4)})
        Spiele(p);
    form->NachZugAktualisieren();
    form->Zurueck1Click();
    form->Zurueck1Click();
    ASSERT_EQ(Regeln.Zugnummer, 2);
    EXPECT_EQ(form->Eingabe.EingabePos, -1);
    EXPECT_EQ(form->Eingabe.Vorschlagstext, "c3");
    EXPECT_EQ(form->EditZug->text(), "c3");
    EXPECT_EQ(form->EditZug->selectedText(), "c3");
    // The continuation is drawn in blue; nothing is blue at the end of the line.
    auto blaue = [this] {
        const QImage bild = form->PartieView->grab().toImage();
        int n = 0;
        for (int y = 0; y < bild.height(); ++y)
            for (int x = 0; x < bild.width(); ++x) {
                const QColor c = bild.pixelColor(x, y);
                n += c.blue() > 150 && c.red() < 100 && c.green() < 100;
            }
        return n;
    };
    EXPECT_GT(blaue(), 0);
    // The tree keeps its cursor: forward replays exactly the offered move.
    form->Vor1Click();
    EXPECT_EQ(Regeln.Zugfolge[2].Feld, Punkt(2, 2));
    form->LetzterZug1Click();
    EXPECT_EQ(Regeln.Zugnummer, 4);
    EXPECT_EQ(form->EditZug->text(), "");
    EXPECT_EQ(blaue(), 0);
    // Typing over the suggestion replaces it.
    form->ErsterZug1Click();
    EXPECT_EQ(form->EditZug->text(), "d4");
    Tippe("e");
    EXPECT_EQ(form->EditZug->text(), "e");
}

TEST_F(MainVw, F9HandsTheSideToMoveToTheComputer) {
    ASSERT_EQ(Spielerfarbe, 1);
    QTest::keyClick(form.get(), Qt::Key_F9);
    ASSERT_EQ(Regeln.Zugnummer, 2);
    EXPECT_EQ(Regeln.Zugfolge[1].Farbe, Schwarz);
    EXPECT_EQ(Spielerfarbe, 0);
    EXPECT_EQ(Regeln.AmZug, 0);
    EXPECT_NE(Status().find("Weiß ist am Zug."), std::string::npos);
}

TEST_F(MainVw, CancelLeavesPositionAndTurnWithTheUser) {
    TTestEngine warten("Warten");
    warten.BisAbbruch = true;
    EngineSlots[1] = &warten;
    QTimer::singleShot(0, form->DlgZiehen, [this] { form->DlgZiehen->CancelButton->click(); });
    form->ZugBerechnenClick();
    EXPECT_EQ(warten.Aufrufe, 1);
    EXPECT_EQ(form->DlgZiehen->Ergebnis, TDlgZiehen::ErgebnisAbbruch);
    EXPECT_EQ(Regeln.Zugnummer, 1);
    EXPECT_EQ(Spielerfarbe, 1);
    EXPECT_FALSE(form->Datei->Geaendert);
}

TEST_F(MainVw, ARefusedComputerMoveResignsAndNothingIsPlayed) {
    Spiele(Punkt(0, 0)); // black a1
    TTestEngine falsch("Falsch");
    falsch.AntwortZug = ZugAuf(Punkt(0, 0)); // white onto the black stone
    falsch.AntwortZug.Feld = Punkt(0, 0);
    EngineSlots[0] = &falsch;
    Spielerfarbe = 0;
    form->ZugBerechnenClick();
    EXPECT_TRUE(Gefangen().Enthaelt("Computer gibt auf !"));
    EXPECT_EQ(Regeln.Zugnummer, 2);
    EXPECT_EQ(Regeln.Brett[Punkt(0, 0)], Schwarz);
    EXPECT_EQ(Spielerfarbe, Regeln.AmZug);

    // The no-move marker counts as a refusal too, not as a move on a1.
    NeuesSpiel();
    falsch.AntwortZug = NochKeinZug;
    EngineSlots[1] = &falsch;
    KanalAbfangen();
    form->ZugBerechnenClick();
    EXPECT_TRUE(Gefangen().Enthaelt("Computer gibt auf !"));
    EXPECT_EQ(Regeln.Zugnummer, 1);
    EXPECT_EQ(Regeln.Brett[Punkt(0, 0)], Leer);
}

TEST_F(MainVw, NoEngineForTheSideToMove) {
    EngineSlots[1] = nullptr;
    form->ZugBerechnenClick();
    EXPECT_TRUE(Gefangen().Enthaelt("Keine Engine zum Berechnen vorhanden"));
    EXPECT_EQ(Regeln.Zugnummer, 1);
}

TEST_F(MainVw, AfterAComputedMoveTheWindowIsActiveAndTheFieldHasTheFocus) {
    Tippe("d4"); // the compute dialog opens and closes again
    ASSERT_EQ(Regeln.Zugnummer, 3);
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_EQ(QApplication::activeWindow(), form.get());
    ASSERT_EQ(QApplication::focusWidget(), form->EditZug);
    QTest::keyClicks(QApplication::focusWidget(), "e5"); // typing goes on where the focus is
    EXPECT_EQ(Regeln.Zugnummer, 5);
}

TEST_F(MainVw, TheEndOfTheGameMarksTheCountedPointsUntilTheTakeBack) {
    Spiele(Punkt(3, 3));
    Spiele(-1);
    Spiele(-1);
    form->NachZugAktualisieren();
    form->BrettZeichnen();
    EXPECT_EQ(form->ImageBrett->Feldbilder[0][1]->Lage.Gezaehlt, Schwarz);
    EXPECT_EQ(Status(), "49:0 Schwarz hat gewonnen!");
    form->Zurueck1Click();
    EXPECT_EQ(form->ImageBrett->Feldbilder[0][1]->Lage.Gezaehlt, Leer);
    EXPECT_FALSE(form->ImageBrett->Feldbilder[3][4]->Lage.Letzter); // the last move is a pass again
}

TEST_F(MainVw, MoveNumbersAreAMenuChoiceKeptInTheConfiguration) {
    Spiele(Punkt(3, 3));
    form->BrettZeichnen();
    EXPECT_TRUE(form->ImageBrett->Feldbilder[3][4]->Lage.Letzter);
    EXPECT_EQ(form->ImageBrett->Feldbilder[3][4]->Lage.Nummer, 0);
    ASSERT_TRUE(form->MenuAnsicht->actions().contains(form->ActionZugnummern));
    form->ActionZugnummern->trigger();
    EXPECT_EQ(form->ImageBrett->Feldbilder[3][4]->Lage.Nummer, 1);
    EXPECT_EQ(KonfigLesen("Ansicht", "Zugnummern", ""), "1");
    {
        TTestForm zweite;
        EXPECT_TRUE(zweite.ActionZugnummern->isChecked());
        EXPECT_EQ(zweite.ImageBrett->Feldbilder[3][4]->Lage.Nummer, 1);
    }
    form->ActionZugnummern->trigger();
    EXPECT_EQ(KonfigLesen("Ansicht", "Zugnummern", ""), "0");
    EXPECT_EQ(form->ImageBrett->Feldbilder[3][4]->Lage.Nummer, 0);
}

TEST_F(MainVw, StatusLineShowsHintsAndFallsBack) {
    EXPECT_EQ(Status(), "0:0 Schwarz ist am Zug.");
    QStatusTipEvent tip(QStringLiteral("Neue, leere Datei erzeugen"));
    QApplication::sendEvent(form.get(), &tip);
    EXPECT_EQ(Status(), "Neue, leere Datei erzeugen");
    QStatusTipEvent leer{QString()};
    QApplication::sendEvent(form.get(), &leer);
    EXPECT_EQ(Status(), "0:0 Schwarz ist am Zug.");
    EXPECT_EQ(form->FileNew1->statusTip(), "Neue, leere Datei erzeugen");
    EXPECT_EQ(form->FileNew1->toolTip(), "Neu");
    Spiele(Punkt(3, 3));
    form->BrettZeichnen();
    EXPECT_EQ(Status(), "49:0 Weiß ist am Zug."); // one stone owns the empty board
}

TEST_F(MainVw, TheMessagePaneShowsItsNewestLineFromTheStart) {
    // Lines logged before the window has its size, as at every start.
    form.reset();
    form = std::make_unique<TTestForm>();
    for (int i = 0; i < 40; ++i)
        Protokoll("Zeile " + std::to_string(i));
    form->show();
    const QScrollBar* leiste = form->MsgText->verticalScrollBar();
    (void)QTest::qWaitFor([&] { return leiste->maximum() > 0 && leiste->value() == leiste->maximum(); },
                          5000);
    EXPECT_GT(leiste->maximum(), 0);
    EXPECT_EQ(leiste->value(), leiste->maximum());
}

TEST_F(MainVw, OnlyChangedCellsAreRepainted) {
    form->BrettZeichnen();
    EXPECT_EQ(form->ImageBrett->NeuGezeichnet, 0);
    Spiele(Punkt(3, 3));
    form->BrettZeichnen();
    EXPECT_EQ(form->ImageBrett->NeuGezeichnet, 1);
    form->BrettZeichnen();
    EXPECT_EQ(form->ImageBrett->NeuGezeichnet, 0);
}

QString LegeDateiAn(const QString& name) {
    const QString pfad = QDir(DatenOrdner()).filePath(name);
    QFile f(pfad);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("kein Spiel, nur Text");
    return pfad;
}

TEST_F(MainVw, RecentListKeepsTwentyAndMovesReopenedFilesToTheFront) {
    std::vector<QString> dateien;
    for (int i = 0; i < 21; ++i)
        dateien.push_back(LegeDateiAn(QStringLiteral("zuletzt%1.go").arg(i)));
    for (const auto& d : dateien)
        form->SetFileName(d);
    EXPECT_EQ(form->Datei->Letzte[0], dateien[20]);
    EXPECT_EQ(form->Datei->Letzte[19], dateien[1]); // the first one fell out
    EXPECT_EQ(std::count(form->Datei->Letzte.begin(), form->Datei->Letzte.end(), dateien[0]), 0);

    form->SetFileName(dateien[10]);
    EXPECT_EQ(form->Datei->Letzte[0], dateien[10]);
    EXPECT_EQ(form->Datei->Letzte[1], dateien[20]);
    EXPECT_EQ(std::count(form->Datei->Letzte.begin(), form->Datei->Letzte.end(), dateien[10]), 1);
    EXPECT_EQ(form->Datei->Letzte[19], dateien[1]);
    EXPECT_EQ(form->windowTitle(), "zuletzt10.go[*] - Kiboru");

    QFile::remove(dateien[20]);
    form->LetzteDateienAktualisieren();
    EXPECT_TRUE(form->ActionDatei[1]->isEnabled());
    EXPECT_EQ(form->ActionDatei[1]->statusTip(), "Diese Datei erneut öffnen");
    EXPECT_EQ(form->ActionDatei[1]->text(), "&1. " + dateien[10]);
    EXPECT_FALSE(form->ActionDatei[2]->isEnabled());
    EXPECT_EQ(form->ActionDatei[2]->statusTip(), "Diese Datei wurde verschoben, umbenannt oder gelöscht.");

    // A name that does not exist leaves the list alone.
    form->SetFileName(TPartieDatei::Unbenannt);
    EXPECT_EQ(form->Datei->Letzte[0], dateien[10]);
    EXPECT_EQ(form->windowTitle(), "Unbenannt[*] - Kiboru");
}

TEST_F(MainVw, CloseQueryAutosavesUntitledAndAsksForChangedNamedGames) {
    QFile::remove(TPartieDatei::AutosaveDatei());
    Spiele(Punkt(3, 3));
    form->Datei->Geaendert = true;
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(form->Fragen.empty());
    EXPECT_TRUE(QFile::exists(TPartieDatei::AutosaveDatei()));
    EXPECT_EQ(KonfigLesen("Datei", "recent", ""), "Unbenannt");

    const QString pfad = QDir(DatenOrdner()).filePath(QStringLiteral("benannt.go"));
    ASSERT_TRUE(SpeichereSpielMitMeldung(pfad.toStdString()));
    form = std::make_unique<TTestForm>();
    form->show();
    form->SetFileName(pfad);
    form->Datei->Geaendert = true;
    form->Antworten = {QMessageBox::Cancel};
    EXPECT_FALSE(form->close());
    ASSERT_EQ(form->Fragen.size(), 1u);
    EXPECT_EQ(form->Fragen[0], "Die Datei \"" + pfad + "\" wurde geändert. Soll sie gespeichert werden?");
    EXPECT_TRUE(form->isVisible());

    Spiele(Punkt(2, 2));
    form->Antworten = {QMessageBox::Yes};
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->Datei->Geaendert);
    EXPECT_EQ(KonfigLesen("Datei", "recent", ""), pfad.toStdString());
    EXPECT_EQ(KonfigLesen("recent", "0", ""), pfad.toStdString());
    // What was saved comes back.
    NeuesSpiel();
    ASSERT_EQ(LadeSpiel(pfad.toStdString(), true, false), 0);
    EXPECT_EQ(Regeln.Zugnummer, 3);
}

TEST_F(MainVw, NewGameAsksOnlyWhenChanged) {
    Spiele(Punkt(3, 3));
    form->Datei->Geaendert = true;
    form->Antworten = {QMessageBox::Cancel};
    form->FileNew1Execute();
    ASSERT_EQ(form->Fragen.size(), 1u);
    EXPECT_EQ(form->Fragen[0], "Soll die Partie gespeichert werden ?");
    EXPECT_EQ(Regeln.Zugnummer, 2);
    form->Antworten = {QMessageBox::No};
    form->FileNew1Execute();
    EXPECT_EQ(Regeln.Zugnummer, 1);
    EXPECT_FALSE(form->Datei->Geaendert);
    EXPECT_EQ(form->ImageBrett->Feldbilder[3][4]->Code, Leer);
}

TEST_F(MainVw, OpeningABrokenFileLeavesTheGameUntitled) {
    const QString pfad = LegeDateiAn(QStringLiteral("kaputt.go"));
    form->OeffnenPfad = pfad;
    form->FileOpen1Execute();
    EXPECT_EQ(form->GetFileName(), TPartieDatei::Unbenannt);
    EXPECT_FALSE(Gefangen().Boxen.empty()); // the reader said why
    EXPECT_FALSE(form->Datei->Geaendert);
}

TEST_F(MainVw, BoardStaysSquareCentredAndAtLeast128) {
    struct Fall {
        int b, h;
    };
    for (Fall f : {Fall{560, 540}, Fall{1000, 520}, Fall{560, 900}, Fall{370, 256}}) {
        form->resize(f.b, f.h);
        QApplication::processEvents();
        const QRect brett = form->ImageBrett->geometry();
        const int links = form->ScrollBar1->geometry().right() + 2;
        const int W = form->Flaeche->width() - links - 2;
        const int H = form->Flaeche->height();
        SCOPED_TRACE(testing::Message() << f.b << "x" << f.h << " W=" << W << " H=" << H);
        EXPECT_EQ(brett.width(), brett.height());
        EXPECT_GE(brett.width(), 128);
        if (std::max(std::min(W, H), 128) == brett.width()) {
            if (H < W) {
                EXPECT_EQ(brett.left(), links + (W - H) / 2);
                EXPECT_EQ(brett.top(), 0);
            } else {
                EXPECT_EQ(brett.left(), links);
                EXPECT_EQ(brett.top(), (H - W) / 2);
            }
        } else {
            ADD_FAILURE() << "board size " << brett.width();
        }
        for (int j = 0; j <= 6; ++j)
            for (int k = 1; k <= 7; ++k)
                EXPECT_EQ(form->ImageBrett->Feldbilder[j][k]->geometry().translated(brett.topLeft()),
                          TBrettAnsicht::ZellRechteck(j, k, brett));
    }
    // At design size a cell is one grid spacing (45) square around its crossing (42 + 45 j).
    const QRect c = TBrettAnsicht::ZellRechteck(0, 7, QRect(0, 0, 358, 358));
    EXPECT_EQ(c, QRect(20, 20, 45, 45));
    EXPECT_EQ(TBrettAnsicht::ZellRechteck(1, 7, QRect(0, 0, 358, 358)).left(), c.right() + 1); // they meet
    EXPECT_EQ(TBrettAnsicht::ZellRechteck(6, 1, QRect(0, 0, 358, 358)), QRect(290, 290, 45, 45));
    EXPECT_EQ(TBrettAnsicht::ZellRechteck(3, 4, QRect(10, 20, 179, 179)), QRect(87, 97, 23, 23));
}

TEST_F(MainVw, KeysOfTheWindowNavigate) {
    for (int p : {Punkt(3, 3), Punkt(2, 2), Punkt(4, 4), Punkt(4, 2)})
        Spiele(p);
    form->NachZugAktualisieren();
    QTest::keyClick(form->EditZug, Qt::Key_Up);
    EXPECT_EQ(Regeln.Zugnummer, 3);
    QTest::keyClick(form->EditZug, Qt::Key_Right); // idle: one ply forward
    EXPECT_EQ(Regeln.Zugnummer, 4);
    QTest::keyClick(form->EditZug, Qt::Key_Down); // only one ply left: nothing
    EXPECT_EQ(Regeln.Zugnummer, 4);
    QTest::keyClick(form.get(), Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(Regeln.Zugnummer, 1);
    QTest::keyClick(form.get(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(Regeln.Zugnummer, 5);
    QTest::keyClick(form->EditZug, Qt::Key_Up, Qt::ShiftModifier); // a modifier: nothing
    EXPECT_EQ(Regeln.Zugnummer, 5);
}

TEST_F(MainVw, ExceptionsInEventHandlersBecomeMessages) {
    std::vector<QString> gezeigt;
    TKiboruApp::SetzeAusnahmeAnzeige([&](const QString& t) { gezeigt.push_back(t); });
    EXPECT_FALSE(TKiboruApp::Abfangen([] {
        TBrett b{};
        (void)b[500];
        return true;
    }));
    EXPECT_FALSE(TKiboruApp::Abfangen([]() -> bool { throw std::runtime_error("Kaputt"); }));
    EXPECT_FALSE(TKiboruApp::Abfangen([]() -> bool { throw 42; }));
    EXPECT_TRUE(TKiboruApp::Abfangen([] { return true; }));
    TKiboruApp::SetzeAusnahmeAnzeige(nullptr);
    ASSERT_EQ(gezeigt.size(), 3u);
    EXPECT_EQ(gezeigt[0], "Range check error");
    EXPECT_EQ(gezeigt[1], "Kaputt");
    EXPECT_EQ(gezeigt[2], "Unbekannter Fehler");
}

} // namespace
