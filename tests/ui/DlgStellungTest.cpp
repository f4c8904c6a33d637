#include "ui/DlgStellung.h"

#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {
struct Dialog {
    TStellungDlg dlg;
    QStringList fragen, hinweise;
    bool antwort = true;
    Dialog() {
        dlg.Frage = [this](const QString &t) {
            fragen << t;
            return antwort;
        };
        dlg.Hinweis = [this](const QString &t) { hinweise << t; };
    }
};
} // namespace

TEST(DlgStellung, KlicksSetzenDieGewaehlteFarbeUndDerTextFolgt) {
    Dialog d;
    d.dlg.Setze(Startbrett, 1);
    d.dlg.show();
    d.dlg.ImageWB->click();
    d.dlg.FeldGeklickt(Punkt(0, 0));
    d.dlg.ImageSB->click();
    d.dlg.FeldGeklickt(Punkt(3, 3));
    EXPECT_EQ(d.dlg.EditStellung->toPlainText(), QString(" W: a1\n S: d4"));
    d.dlg.ImageLeer->click();
    d.dlg.FeldGeklickt(Punkt(0, 0));
    EXPECT_EQ(d.dlg.Brett()[0], Leer);
    // a real mouse click on the board widget lands on the point under it
    d.dlg.ImageWB->click();
    QWidget *brett = reinterpret_cast<QWidget *>(d.dlg.BrettView);
    const int s = std::min(brett->width(), brett->height());
    const QPoint ecke((brett->width() - s) / 2 + s / 14, (brett->height() + s) / 2 - s / 14); // a1
    QTest::mouseClick(brett, Qt::LeftButton, {}, ecke);
    EXPECT_EQ(d.dlg.Brett()[0], Weiss);
}

TEST(DlgStellung, FragenVorDemLeerenUndDerGrundstellung) {
    Dialog d;
    TBrett b = Startbrett;
    b[5] = Schwarz;
    d.dlg.Setze(b, 0);
    d.antwort = false;
    d.dlg.BrettLeerenClick();
    EXPECT_EQ(d.dlg.Brett()[5], Schwarz);
    d.antwort = true;
    d.dlg.BrettLeerenClick();
    EXPECT_EQ(d.dlg.Brett()[5], Leer);
    d.dlg.GrundstellungClick();
    EXPECT_EQ(d.fragen, (QStringList{"Brett leeren ?", "Brett leeren ?", "Grundstellung aufbauen ?"}));
    EXPECT_EQ(d.dlg.AmZug(), 1);
}

TEST(DlgStellung, TextWirdGeprueftUndOkUebernimmt) {
    Dialog d;
    d.dlg.Setze(Startbrett, 1);
    d.dlg.show();
    d.dlg.accept();
    EXPECT_TRUE(d.dlg.isVisible());
    EXPECT_EQ(d.hinweise, QStringList{"Keine Steine auf dem Brett."});
    d.dlg.EditStellung->setPlainText(" W: c3 \n S: x1");
    d.dlg.accept();
    EXPECT_EQ(d.hinweise.back(), "\"x1\" ist kein Feld des Bretts (a1 bis g7).");
    d.dlg.EditStellung->setPlainText(" W: c3 \n S: d4 e5");
    EXPECT_EQ(d.dlg.Brett()[Punkt(2, 2)], Weiss); // the board follows a text that reads
    d.dlg.RadioWeiss->setChecked(true);
    d.dlg.accept();
    EXPECT_EQ(d.dlg.result(), QDialog::Accepted);
    const TStellung st = d.dlg.Stellung();
    EXPECT_EQ(st.AmZug(), 0);
    EXPECT_EQ(st.Brett[Punkt(3, 3)], Schwarz);
    EXPECT_EQ(st.Brett[Punkt(4, 4)], Schwarz);
}
