#include "ui/PgnForm.h"
#include "record/TokenText.h"

#include "record/PgnDoc.h"
#include "record/TPAcht.h"
#include "support/StringsV5.h"

#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

struct PgnFormTest : ::testing::Test {
    std::filesystem::path ordner;
    std::vector<std::string> boxen;

    void SetUp() override {
        ordner = std::filesystem::path(::testing::TempDir()) / ("kiboru_pgnform-" + std::to_string(::getpid()));
        std::filesystem::create_directories(ordner);
        MeldungenZuruecksetzen();
        TMeldeAusgaben a;
        a.Box = [this](const std::string &t) { boxen.push_back(t); };
        SetzeMeldeAusgaben(a);
        // the document holds a game of its own: a1
        Regeln.Grundstellung();
        Baum.Init(1);
        TZug z;
        z.Feld = 0;
        Regeln.ZugZuFeld(z);
        Baum.Einfuegen(Regeln.Zugnummer, z);
        Regeln.Ziehe(z);
    }
    void TearDown() override {
        MeldungenZuruecksetzen();
        std::filesystem::remove_all(ordner);
    }
    QString Datei(const std::string &name, const std::string &inhalt) {
        const auto pfad = ordner / name;
        std::ofstream(pfad, std::ios::binary) << inhalt;
        return QString::fromStdString(pfad.string());
    }
    // Runs the modal dialog; pruefe sees it open and closes it.
    int Zeige(TFormPGN &d, const QString &datei, std::function<void()> pruefe) {
        QTimer::singleShot(0, &d, pruefe);
        return d.ShowPgnFile(datei);
    }
};

TEST_F(PgnFormTest, NeunTagsUndOkUebernimmtDieZuege) {
    std::string text;
    for (const char *n : {"Event", "Site", "Date", "Round", "White", "Black", "Result", "Zeit", "Brett"})
        text += std::string("[") + n + " \"" + n + "-Wert\"]\n";
    text += "\n1. c3 d4 2. cd9 *\n";
    const QString datei = Datei("neun.pgn", text);
    TFormPGN d;
    const int r = Zeige(d, datei, [&] {
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.windowTitle(), "Partie-Eigenschaften");
        EXPECT_EQ(d.StringGrid1->rowCount(), 9);
        EXPECT_EQ(d.StringGrid1->Text(0, 0), "Event");
        EXPECT_EQ(d.StringGrid1->Text(8, 1), "Brett-Wert");
        EXPECT_EQ(d.MemoFehler->toPlainText(),
                  "1..8 am Zugende erwartet, aber gefunden: 9\n"
                  "Zug \"cd\" ist in dieser Position nicht erlaubt (ZugNr: 2 von Schwarz).\n");
        EXPECT_TRUE(d.MemoPartie->toPlainText().startsWith("[Event \"Event-Wert\"]\n[Site"));
        EXPECT_TRUE(d.Memo1->isReadOnly());
        EXPECT_TRUE(d.Memo1->toPlainText().isEmpty());
        d.StringGrid1->SetzeText(0, 1, "geändert");
        d.BtnOk->click();
    });
    EXPECT_EQ(r, 0);
    EXPECT_EQ(Form(Baum), "c3+ d4+ d4- c3-");
    EXPECT_EQ(Baum.Cursor, 0);
    EXPECT_EQ(Baum.Tiefe, 0);
    EXPECT_NE(Baum.Tokens, PgnSpiele[0].Moves.Tokens);
    EXPECT_EQ(Regeln.Zugnummer, 1);
    EXPECT_TRUE(GleichesBrett(Regeln.Brett, Startbrett));
    EXPECT_EQ(PgnSpiele[0].Tags[0].Value, "Event-Wert"); // the grid is not taken over
    EXPECT_TRUE(boxen.empty());
}

TEST_F(PgnFormTest, OhneTagsSiebenLeereZeilenUndAbbrechenLaesstAlles) {
    const QString datei = Datei("leer.pgn", "1. e5 *");
    TFormPGN d;
    const int r = Zeige(d, datei, [&] {
        EXPECT_EQ(d.StringGrid1->rowCount(), 7);
        for (int z = 0; z < 7; ++z)
            for (int s = 0; s < 2; ++s)
                EXPECT_TRUE(d.StringGrid1->Text(z, s).isEmpty());
        EXPECT_TRUE(d.MemoFehler->toPlainText().isEmpty());
        d.BtnAbbrechen->click();
    });
    EXPECT_EQ(r, -1);
    EXPECT_EQ(Form(Baum), "a1+ a1-");
    EXPECT_EQ(Regeln.Brett[0], Schwarz);
}

TEST_F(PgnFormTest, NichtLesbareDateiZeigtMeldungUndLeeresSpiel) {
    const QString datei = QString::fromStdString((ordner / "fehlt.pgn").string());
    TFormPGN d;
    const int r = Zeige(d, datei, [&] {
        EXPECT_EQ(boxen.size(), 1u); // before the dialog
        EXPECT_EQ(d.StringGrid1->rowCount(), 7);
        d.BtnOk->click();
    });
    EXPECT_EQ(r, 0);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0], "Fehler beim Lesen der PGN-Datei \"" + datei.toStdString() + "\"");
    EXPECT_EQ(Baum.Letzter, -1); // an empty game went over
}

struct PgnGridTest : PgnFormTest {
    TFormPGN *d = nullptr;
    TPgnGrid *g = nullptr;
    void SetUp() override {
        PgnFormTest::SetUp();
        d = new TFormPGN;
        g = d->StringGrid1;
        d->show();
        for (int z = 0; z < 7; ++z)
            g->SetzeText(z, 0, QString("n%1").arg(z));
    }
    void TearDown() override {
        delete d;
        PgnFormTest::TearDown();
    }
    QWidget *Editor() {
        QWidget *e = g->Editor();
        EXPECT_NE(e, nullptr);
        return e;
    }
    void Loeschen(bool ja) {
        QTimer::singleShot(0, d, [ja] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->text(), "Soll die gewählte Zeile gelöscht werden?");
            box->button(ja ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        d->BtnLoeschen->click();
    }
};

TEST_F(PgnGridTest, NeuFuegtLeereZeileEinUndOeffnetEditor) {
    g->setCurrentCell(2, 1);
    d->BtnNeu->click();
    EXPECT_EQ(g->rowCount(), 8);
    EXPECT_EQ(g->currentRow(), 2);
    EXPECT_EQ(g->currentColumn(), 0);
    EXPECT_TRUE(g->Text(2, 0).isEmpty());
    EXPECT_EQ(g->Text(3, 0), "n2");
    EXPECT_EQ(g->Text(7, 0), "n6");
    EXPECT_TRUE(g->EditorOffen());
    d->BtnBearbeiten->click();
    EXPECT_FALSE(g->EditorOffen());
    d->BtnBearbeiten->click();
    EXPECT_TRUE(g->EditorOffen());
}

TEST_F(PgnGridTest, BearbeitenUebernimmtTextUndEscapeStelltIhnWiederHer) {
    g->setCurrentCell(1, 0);
    d->BtnBearbeiten->click();
    ASSERT_TRUE(g->EditorOffen());
    QTest::keyClick(Editor(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(Editor(), "Neu");
    d->BtnBearbeiten->click(); // closes and keeps the text
    EXPECT_FALSE(g->EditorOffen());
    EXPECT_EQ(g->Text(1, 0), "Neu");
    QTest::keyClick(g, Qt::Key_Escape);
    EXPECT_EQ(g->Text(1, 0), "n1");
    EXPECT_FALSE(d->isHidden()); // this Escape did not close the dialog

    // an Escape in the open editor drops the typing
    d->BtnBearbeiten->click();
    QTest::keyClicks(Editor(), "xyz");
    QTest::keyClick(Editor(), Qt::Key_Escape);
    EXPECT_FALSE(g->EditorOffen());
    EXPECT_EQ(g->Text(1, 0), "n1");
    // nothing left to undo: Escape cancels the dialog
    QTest::keyClick(g, Qt::Key_Escape);
    EXPECT_TRUE(d->isHidden());
    EXPECT_EQ(d->result(), QDialog::Rejected);
}

TEST_F(PgnGridTest, EntfLeertDieZelleAusserInZeileNull) {
    g->setCurrentCell(3, 0);
    QTest::keyClick(g, Qt::Key_Delete);
    EXPECT_TRUE(g->Text(3, 0).isEmpty());
    g->setCurrentCell(0, 0);
    QTest::keyClick(g, Qt::Key_Delete);
    EXPECT_EQ(g->Text(0, 0), "n0");
    g->setCurrentCell(4, 0);
    QTest::keyClick(g, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(g->Text(4, 0), "n4");
}

TEST_F(PgnGridTest, TextInDerLetztenZeileHaengtZeileAn) {
    g->setCurrentCell(6, 1);
    d->BtnBearbeiten->click();
    QTest::keyClicks(Editor(), "Wert");
    d->BtnBearbeiten->click();
    EXPECT_EQ(g->rowCount(), 8);
    EXPECT_EQ(g->Text(6, 1), "Wert");
    g->SetzeText(3, 1, "mitten");
    EXPECT_EQ(g->rowCount(), 8);
}

TEST_F(PgnGridTest, LoeschenFragtUndRueckt) {
    g->setCurrentCell(2, 1);
    Loeschen(false);
    EXPECT_EQ(g->rowCount(), 7);
    Loeschen(true);
    EXPECT_EQ(g->rowCount(), 6);
    EXPECT_EQ(g->Text(2, 0), "n3");
    EXPECT_EQ(g->currentRow(), 2);
    EXPECT_EQ(g->currentColumn(), 0);
    // the last row is only emptied, and the cursor goes up
    g->setCurrentCell(5, 1);
    Loeschen(true);
    EXPECT_EQ(g->rowCount(), 6);
    EXPECT_TRUE(g->Text(5, 0).isEmpty());
    EXPECT_EQ(g->currentRow(), 4);
}

TEST(PgnAnzeige, Zeichensaetze) {
    EXPECT_EQ(PgnAnzeigeText("a\r\nb"), "a\nb");
    EXPECT_EQ(PgnAnzeigeText("Wei\xc3\x9f"), QString::fromUtf8("Weiß"));
    EXPECT_EQ(PgnAnzeigeText("Wei\xdf!"), QString::fromUtf8("Weiß!")); // Latin-1
    EXPECT_EQ(PgnAnzeigeText(std::string("a\0b", 3)), "a b");
    EXPECT_EQ(PgnAnzeigeText("\xe4\xc3\xa4"), QString::fromUtf8("ää"));
}

} // namespace
