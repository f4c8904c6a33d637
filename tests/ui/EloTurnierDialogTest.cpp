#include "ui/DlgEloTurnier.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class EloTurnierDialog : public ::testing::Test {
protected:
    void SetUp() override {
        altMeldung = TFormEloTurnier::Meldung;
        TFormEloTurnier::Meldung = [this](QWidget *, const QString &text, bool) {
            meldungen << text;
            return antwort;
        };
        dlg = std::make_unique<TFormEloTurnier>();
    }
    void TearDown() override {
        dlg.reset();
        TFormEloTurnier::Meldung = altMeldung;
    }
    QString T1(int z, int s) const { return dlg->StringGrid1->ZellText(z, s); }
    QString T2(int z, int s) const { return dlg->StringGrid2->ZellText(z, s); }
    QString Kopf2(int s) const { return dlg->StringGrid2->horizontalHeaderItem(s)->text(); }
    void Spieler(int z, const QString &name, const QString &elo) {
        dlg->StringGrid1->SetzeZellText(z, SpalteName, name);
        dlg->StringGrid1->SetzeZellText(z, SpalteEloAlt, elo);
    }
    // Types a result as the user would: into the cell, then away from it.
    void Eingeben(int z, int s, const QString &text) {
        dlg->StringGrid2->setCurrentCell(z, s);
        dlg->StringGrid2->SetzeZellText(z, s, text);
        dlg->StringGrid2->setCurrentCell(z == 0 ? 1 : 0, 0);
        QCoreApplication::processEvents();
    }

    std::function<bool(QWidget *, const QString &, bool)> altMeldung;
    std::unique_ptr<TFormEloTurnier> dlg;
    QStringList meldungen;
    bool antwort = true;
};

TEST_F(EloTurnierDialog, AufbauDerTabellen) {
    EXPECT_EQ(dlg->windowTitle(), "Turnier-Auswertung");
    EXPECT_TRUE(dlg->isModal());
    auto *g1 = dlg->StringGrid1;
    ASSERT_EQ(g1->columnCount(), 4);
    EXPECT_EQ(g1->rowCount() + 1, 11);
    EXPECT_EQ(g1->horizontalHeaderItem(3)->text(), "Elo - neu");
    EXPECT_EQ(dlg->Spieler().Text(1, 0), "Ergebnis");
    EXPECT_EQ(dlg->StringGrid2->rowCount() + 1, 11);
    EXPECT_EQ(dlg->StringGrid2->columnCount() + 1, 11);
    QStringList knoepfe;
    for (QPushButton *b : {dlg->BtnNeu, dlg->BtnBearbeiten, dlg->BtnLoeschen, dlg->BtnAuswerten, dlg->BtnOK,
                           dlg->BtnAbbrechen})
        knoepfe << b->text();
    EXPECT_EQ(knoepfe.join('|'), "&Zeile einfügen|Bearbeiten|&Löschen...|&Auswerten|&OK|Abbrechen");
    // Names go into both headers of the cross table.
    Spieler(1, "Berta", "1900");
    EXPECT_EQ(Kopf2(1), "Berta");
    EXPECT_EQ(dlg->StringGrid2->verticalHeaderItem(1)->text(), "Berta");
}

TEST_F(EloTurnierDialog, ErgebnisBeimVerlassenDerZelleMitSpiegel) {
    Spieler(0, "Anna", "2000");
    Spieler(1, "Bert", "2000");
    Eingeben(0, 1, "1");
    EXPECT_EQ(T2(0, 1), "1-0");
    EXPECT_EQ(T2(1, 0), "0-1");
    // Both players' rows follow at once.
    EXPECT_EQ(T1(0, SpaltePunkte), "1");
    EXPECT_EQ(T1(1, SpaltePunkte), "0");
    EXPECT_EQ(T1(0, SpalteEloNeu), "2009.8");
    EXPECT_EQ(T1(1, SpalteEloNeu), "1990.2");
    Eingeben(1, 0, "½");
    EXPECT_EQ(T2(1, 0), "1/2-1/2");
    EXPECT_EQ(T2(0, 1), "1/2-1/2");
    EXPECT_EQ(T1(0, SpaltePunkte), "0.5");
    EXPECT_TRUE(meldungen.isEmpty());
}

TEST_F(EloTurnierDialog, FalschesErgebnisOeffnetDenEditorWieder) {
    Eingeben(2, 3, "2-0");
    ASSERT_EQ(meldungen.size(), 1);
    EXPECT_EQ(meldungen[0].toStdString(), MeldungErgebnis);
    EXPECT_EQ(T2(2, 3), "2-0");
    EXPECT_EQ(T2(3, 2), "");
    EXPECT_EQ(dlg->StringGrid2->currentRow(), 2);
    EXPECT_EQ(dlg->StringGrid2->currentColumn(), 3);
    EXPECT_TRUE(dlg->StringGrid2->Bearbeitet());
}

TEST_F(EloTurnierDialog, AuswertenPrueftElo) {
    Spieler(0, "Anna", "2000");
    Spieler(1, "Bert", "20a0");
    dlg->BtnAuswerten->click();
    ASSERT_EQ(meldungen.size(), 1);
    EXPECT_EQ(meldungen[0], "Bitte nur Ziffern in der Elo benutzen!");
    dlg->StringGrid1->SetzeZellText(1, SpalteEloAlt, "99");
    dlg->BtnAuswerten->click();
    EXPECT_EQ(meldungen.value(1), "Bitte Elo zwischen 100 und 5000 eingeben!");
    EXPECT_EQ(T1(0, SpalteEloNeu), "");

    // The example: 2 of 3 against three players of 2000.
    for (int z = 1; z < 4; ++z)
        Spieler(z, QString("S%1").arg(z), "2000");
    dlg->StringGrid2->SetzeZellText(0, 1, "1-0");
    dlg->StringGrid2->SetzeZellText(0, 2, "1-0");
    dlg->StringGrid2->SetzeZellText(0, 3, "0-1");
    dlg->BtnAuswerten->click();
    EXPECT_EQ(meldungen.size(), 2);
    EXPECT_EQ(T1(0, SpaltePunkte), "2");
    EXPECT_EQ(T1(0, SpalteEloNeu), "2009.8");
    // Rows without results keep their rating; an empty row stays empty.
    EXPECT_EQ(T1(1, SpalteEloNeu), "2000");
    EXPECT_EQ(T1(5, SpalteEloNeu), "");
}

TEST_F(EloTurnierDialog, ZeileEinfuegenVerschiebtKreuztabelle) {
    Spieler(0, "A", "2000");
    Spieler(1, "B", "2000");
    Eingeben(0, 1, "1");
    dlg->StringGrid1->setCurrentCell(1, 0);
    dlg->BtnNeu->click();
    EXPECT_EQ(dlg->StringGrid1->rowCount(), 11);
    EXPECT_EQ(T1(1, SpalteName), "");
    EXPECT_EQ(T1(2, SpalteName), "B");
    EXPECT_TRUE(dlg->StringGrid1->Bearbeitet());
    EXPECT_EQ(dlg->StringGrid1->currentRow(), 1);
    // A's win against B moved with B to column 2, B's row to 2.
    EXPECT_EQ(dlg->StringGrid2->rowCount(), 11);
    EXPECT_EQ(dlg->StringGrid2->columnCount(), 11);
    EXPECT_EQ(T2(0, 1), "");
    EXPECT_EQ(T2(0, 2), "1-0");
    EXPECT_EQ(T2(2, 0), "0-1");
    EXPECT_EQ(Kopf2(2), "B");
}

TEST_F(EloTurnierDialog, LoeschenFragtUndNimmtErgebnisseMit) {
    Spieler(0, "A", "2000");
    Spieler(1, "B", "2000");
    Spieler(2, "C", "2000");
    Eingeben(0, 1, "1");
    Eingeben(0, 2, "0");
    dlg->StringGrid1->setCurrentCell(1, 0);
    antwort = false;
    dlg->BtnLoeschen->click();
    ASSERT_EQ(meldungen.size(), 1);
    EXPECT_EQ(meldungen[0], "Soll die gewählte Zeile gelöscht werden?");
    EXPECT_EQ(T1(1, SpalteName), "B");
    antwort = true;
    dlg->BtnLoeschen->click();
    EXPECT_EQ(dlg->StringGrid1->rowCount(), 9);
    EXPECT_EQ(T1(1, SpalteName), "C");
    EXPECT_EQ(Kopf2(1), "C");
    // A's result against C is now in C's column; the one against B is gone.
    EXPECT_EQ(T2(0, 1), "0-1");
    EXPECT_EQ(T2(1, 0), "1-0");
    dlg->BtnAuswerten->click();
    EXPECT_EQ(T1(0, SpaltePunkte), "0");
}

TEST_F(EloTurnierDialog, TastenEntfernenEscapeUndLetzteZeile) {
    auto *g = dlg->StringGrid1;
    Spieler(0, "Anna", "2000");
    g->setCurrentCell(0, SpalteEloAlt);
    QTest::keyClick(g, Qt::Key_Delete);
    EXPECT_EQ(T1(0, SpalteEloAlt), "");

    // Edit "Anna" to "Otto", commit, then Escape brings "Anna" back.
    g->setCurrentCell(0, SpalteName);
    g->edit(g->currentIndex());
    ASSERT_TRUE(g->Bearbeitet());
    auto *editor = qobject_cast<QLineEdit *>(g->indexWidget(g->currentIndex()));
    ASSERT_NE(editor, nullptr);
    editor->setText("Otto");
    g->EditorSchliessen();
    EXPECT_EQ(T1(0, SpalteName), "Otto");
    EXPECT_EQ(Kopf2(0), "Otto");
    dlg->show();
    QTest::keyClick(g, Qt::Key_Escape);
    EXPECT_EQ(T1(0, SpalteName), "Anna");
    EXPECT_EQ(Kopf2(0), "Anna");
    EXPECT_TRUE(dlg->isVisible());

    // Opening the editor on the last row adds an empty row below.
    const int zeilen = g->rowCount();
    g->setCurrentCell(zeilen - 1, SpalteName);
    dlg->BtnBearbeiten->click();
    EXPECT_TRUE(g->Bearbeitet());
    EXPECT_EQ(g->rowCount(), zeilen + 1);
    EXPECT_EQ(dlg->StringGrid2->rowCount(), zeilen + 1);
    dlg->BtnBearbeiten->click();
    EXPECT_FALSE(g->Bearbeitet());
}

TEST_F(EloTurnierDialog, VerlassenDerTabellePrueftDieZelle) {
    dlg->show();
    dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    dlg->StringGrid2->setFocus();
    dlg->StringGrid2->setCurrentCell(3, 4);
    QCoreApplication::processEvents();
    dlg->StringGrid2->SetzeZellText(3, 4, "1/2");
    dlg->BtnAuswerten->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(T2(3, 4), "1/2-1/2");
    EXPECT_EQ(T2(4, 3), "1/2-1/2");
}

} // namespace
