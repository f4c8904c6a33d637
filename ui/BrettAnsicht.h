#pragma once
// The board widget: the wooden picture with its grid and coordinates scaled to its size, one cell
// per point that draws the stone it remembers with the marks of BrettLage, and a signal for a
// clicked point. It knows nothing of the game: the window hands it what to show.
#include "ui/BrettLage.h"

#include <QIcon>
#include <QPixmap>
#include <QPointF>
#include <QWidget>

// Where the parts of the board stand at any size, in pixels of a board of the given width and
// height (the design picture is 358 x 358 with its grid from 42 to 312 in steps of 45). Lines,
// stones and marks are all measured from here, so they grow together and meet on the crossings.
struct TBrettMass {
    double Breite, Hoehe;
    double Abstand() const;     // between two neighbouring lines
    double X(int spalte) const; // the line of column 0..6
    double Y(int reihe) const;  // the line of row 1..7, row 1 at the bottom
    double Linie() const;       // width of a grid line
    double Steinradius() const;
    double RingRadius() const; // the ring on the last move
    double RingBreite() const;
    double ZaehlKante() const; // side of the square on a counted point
    double TippRadius() const; // the hint's ring on an empty point
    double TippBreite() const;
    int Schrift(int stellen) const; // pixel size of a move number with so many digits
    int Koordinaten() const;        // pixel size of the letters and digits in the margin
};

// One board point: draws the stone of the code it remembers and the point's marks, centred on
// its crossing.
class TFeldBild : public QWidget {
    Q_OBJECT
public:
    TFeldBild(QWidget* parent, int spalte, int reihe);
    static constexpr int KeinCode = 127;
    int Code = KeinCode;       // stone code shown, KeinCode before the first drawing
    TFeldLage Lage;            // last move, number, counted point as shown
    int Spalte, Reihe;         // 0..6 for "a".."g", 1..7
    QPointF Mitte;             // the crossing in the cell's own pixels
    TBrettMass Mass{358, 358}; // of the board the cell stands on

signals:
    void Geklickt(int spalte, int reihe);

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
};

class TBrettAnsicht : public QWidget {
    Q_OBJECT
public:
    static constexpr int BrettDesign = 358; // the picture's design size
    static constexpr int MinBrett = 128;

    explicit TBrettAnsicht(QWidget* parent);

    // Shows the position; only cells whose look changed are repainted.
    void Zeichnen(const TBrettLage& lage);
    // A cell (column 0..6, row 1..7) of a board standing at brett: one grid spacing around its
    // crossing, so that neighbouring cells meet and a click near a point hits it.
    static QRect ZellRechteck(int spalte, int reihe, const QRect& brett);

    TArray<TArray<TFeldBild*, 1, 7>, 0, 6> Feldbilder{};
    int NeuGezeichnet = 0; // cells repainted by the last drawing

signals:
    void FeldGeklickt(int feld);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    QPixmap BrettBild;
};

// The pass command's symbol: a curved arrow that hops over a stone.
QIcon PassenSymbol();
