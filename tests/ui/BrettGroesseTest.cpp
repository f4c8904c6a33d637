// The board at every window size: the stones and the last-move ring are drawn centred on their
// grid crossings and keep their size in proportion to the grid, measured on the drawn pixels.
#include "MainVwUmgebung.h"

#include "ui/BrettAnsicht.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cmath>

using namespace testui;

namespace {

struct TKasten {
    double MitteX, MitteY, Durchmesser;
};

// The dark pixels (stone rim, ring) within half a grid spacing of a crossing.
TKasten DunklerKasten(const QImage& bild, double x, double y, double abstand) {
    const int x0 = static_cast<int>(x - abstand / 2), x1 = static_cast<int>(x + abstand / 2);
    const int y0 = static_cast<int>(y - abstand / 2), y1 = static_cast<int>(y + abstand / 2);
    int l = x1, r = x0, o = y1, u = y0;
    for (int j = y0; j <= y1; ++j)
        for (int i = x0; i <= x1; ++i)
            if (bild.valid(i, j) && qGray(bild.pixel(i, j)) < 40) {
                l = std::min(l, i);
                r = std::max(r, i);
                o = std::min(o, j);
                u = std::max(u, j);
            }
    return {(l + r + 1) / 2.0, (o + u + 1) / 2.0, double(r - l + 1)};
}

TEST(BrettGroesse, StonesAndRingSitOnTheirCrossingsAndGrowWithTheGrid) {
    Grundzustand();
    Spiele(Punkt(0, 6)); // a7, black, in the corner
    Spiele(Punkt(3, 3)); // d4, white
    Spiele(Punkt(6, 0)); // g1, black
    Spiele(Punkt(2, 4)); // c5, white: the last move, ringed
    TTestForm form;
    form.show();
    double steinAnteil = 0, ringAnteil = 0, ersterAbstand = 0;
    for (QSize fenster : {QSize(370, 256), QSize(560, 540), QSize(1600, 1150)}) {
        form.resize(fenster);
        form.BrettZeichnen();
        QApplication::processEvents();
        const QImage bild = form.ImageBrett->grab().toImage();
        const double seite = form.ImageBrett->width();
        ASSERT_EQ(form.ImageBrett->height(), seite);
        const double abstand = seite * 45 / 358; // the design grid: 42 + 45 j on 358
        auto kreuzung = [&](int spalte, int reihe) {
            return QPointF(seite * (42 + 45 * spalte) / 358, seite * (42 + 45 * (7 - reihe)) / 358);
        };
        SCOPED_TRACE(testing::Message() << "board " << seite);
        if (ersterAbstand == 0) ersterAbstand = abstand;
        struct TFall {
            int Spalte, Reihe;
            bool Ring;
        };
        for (TFall f : {TFall{0, 7, false}, TFall{6, 1, false}, TFall{2, 5, true}}) {
            const QPointF k = kreuzung(f.Spalte, f.Reihe);
            const TKasten kasten = DunklerKasten(bild, k.x(), k.y(), abstand);
            EXPECT_NEAR(kasten.MitteX, k.x(), 1.0) << f.Spalte << "," << f.Reihe;
            EXPECT_NEAR(kasten.MitteY, k.y(), 1.0) << f.Spalte << "," << f.Reihe;
            double& anteil = f.Ring ? ringAnteil : steinAnteil;
            const double jetzt = kasten.Durchmesser / abstand;
            if (anteil == 0)
                anteil = jetzt;
            else // the same share of the grid at every size, up to the smallest board's rounding
                EXPECT_NEAR(jetzt, anteil, 2.5 / ersterAbstand) << f.Spalte << "," << f.Reihe;
        }
    }
    EXPECT_GT(steinAnteil, 0.6); // a stone fills most of its spacing
    EXPECT_LT(ringAnteil, steinAnteil);
    NeuesSpiel();
}

} // namespace
