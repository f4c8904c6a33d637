// After a message box closes, the main window has the keyboard again and the move field takes
// the typing; the boxes open over the main window.
#include "MainVwUmgebung.h"

#include "ui/NotationAnsicht.h"

#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace testui;

namespace {

struct TBox {
    QWidget* Eltern = nullptr;
    QPoint Mitte;
    QString Text;
};

// Closes the next box that opens (with Enter, as a user would) and remembers where it stood.
void SchliesseNaechsteBox(std::vector<TBox>& boxen, int versuche = 500) {
    QTimer::singleShot(5, [&boxen, versuche] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            if (versuche > 0) SchliesseNaechsteBox(boxen, versuche - 1);
            return;
        }
        boxen.push_back({box->parentWidget(), box->geometry().center(), box->text()});
        QTest::keyClick(box, Qt::Key_Return);
    });
}

TEST(FokusRueckgabe, AfterAMessageBoxTheMoveFieldHasTheKeyboard) {
    Grundzustand();
    TTestForm form;
    InstalliereQtMeldeAusgaben({}, [&form]() -> QWidget* { return &form; });
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    Spiele(Punkt(3, 3));
    form.NachZugAktualisieren();
    ASSERT_TRUE(form.EditZug->hasFocus());

    std::vector<TBox> boxen;
    SchliesseNaechsteBox(boxen);
    QTest::keyClicks(form.EditZug, "d4"); // occupied
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].Text, "Bitte ein leeres Feld angeben!");
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &form);
    EXPECT_EQ(QApplication::focusWidget(), form.EditZug);
    QTest::keyClicks(QApplication::focusWidget(), "e5"); // typing goes on where it left off
    EXPECT_EQ(Regeln.Brett[Punkt(4, 4)], Weiss);

    // Two boxes in a row, the second while no window is active: both over the main window.
    SchliesseNaechsteBox(boxen);
    Meldung("Erste Meldung", true);
    SchliesseNaechsteBox(boxen);
    Meldung("Zweite Meldung", true);
    ASSERT_EQ(boxen.size(), 3u);
    for (const TBox& b : boxen) {
        EXPECT_EQ(b.Eltern, &form) << b.Text.toStdString();
        EXPECT_LE((b.Mitte - form.geometry().center()).manhattanLength(), 4) << b.Text.toStdString();
    }
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), form.EditZug);
    WarteAufSuche();
    KanalAbfangen();
    NeuesSpiel();
}

} // namespace
