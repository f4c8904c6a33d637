#pragma once
// The board widget: the wooden picture with its coordinates scaled to its size, one cell per
// point that shows the stone it remembers with the marks of BrettLage, and a signal for a
// clicked point. It knows nothing of the game: the window hands it what to show.
#include "ui/BrettLage.h"

#include <QPixmap>
#include <QWidget>

// One board point: shows the stone bitmap of the code it remembers and the point's marks.
class TFeldBild : public QWidget {
    Q_OBJECT
public:
    TFeldBild(QWidget* parent, int spalte, int reihe);
    static constexpr int KeinCode = 127;
    int Code = KeinCode; // stone code shown, KeinCode before the first drawing
    TFeldLage Lage;      // last move, number, counted point as shown
    int Spalte, Reihe;   // 0..6 for "a".."g", 1..7
    const QPixmap* Bild = nullptr;

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
    static constexpr int ZellDesign = 32;   // stone bitmaps
    static constexpr int MinBrett = 128;

    explicit TBrettAnsicht(QWidget* parent);

    // Shows the position; only cells whose look changed are repainted.
    void Zeichnen(const TBrettLage& lage);
    // Geometry of a cell (column 0..6, row 1..7) for a board standing at brett.
    static QRect ZellRechteck(int spalte, int reihe, const QRect& brett);

    TArray<TArray<TFeldBild*, 1, 7>, 0, 6> Feldbilder{};
    int NeuGezeichnet = 0; // cells repainted by the last drawing

signals:
    void FeldGeklickt(int feld);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    TArray<QPixmap, -2, 1> Steinbilder{};
    QPixmap BrettBild;
};
