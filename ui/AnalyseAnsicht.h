#pragma once
// The game analysis beside the board: the margin graph over the half-moves with the current
// position and the costly moves marked, the list of those moves, and the progress of a running
// analysis with its "Abbrechen". It follows the game: values of positions the game no longer
// has are dropped, new moves stand as not valued yet. The arithmetic is record/Analyse's; the
// widgets only show it and report the position clicked.
#include "record/Analyse.h"

#include <QChartView>
#include <QDockWidget>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTimer;
class QLineSeries;
class QValueAxis;

// The graph: a click names the position (0 .. half-moves) nearest to it.
class TMargenGrafik : public QChartView {
    Q_OBJECT
public:
    explicit TMargenGrafik(QWidget* parent);
    // Shows the margins for Black of positions 0 .. n, the current position and the costly moves.
    void Zeigen(const std::vector<std::optional<double>>& margen, std::size_t aktuell,
                const std::vector<THalbzugWert>& fehler);
    // Where the point (position, margin) stands in the view's viewport (tests click there).
    QPoint PunktVon(double stellung, double marge) const;

    QLineSeries* Nulllinie = nullptr; // spans the x range; the other series share its axes
    QValueAxis* AchseX = nullptr;
    QValueAxis* AchseY = nullptr;
    std::size_t Stellungen = 1;

signals:
    void StellungGeklickt(std::size_t n);

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
};

class TAnalyseAnsicht : public QDockWidget {
    Q_OBJECT
public:
    explicit TAnalyseAnsicht(QWidget* parent);
    ~TAnalyseAnsicht() override;

    // "Partie analysieren": shows the view and values every position that has no value yet.
    void Starten();
    // After every change of the game.
    void SpielGeaendert();
    // Asks a running analysis to stop; true when one ran.
    bool Anhalten();
    bool Laeuft() const { return Wartet; }

    const TPartieLinie& Linie() const { return DieLinie; }
    const TStellungsWerte& Werte() const { return DieWerte; }

    TMargenGrafik* Grafik = nullptr;
    QListWidget* Fehlerliste = nullptr;
    QLabel* Stand = nullptr;
    QProgressBar* Fortschritt = nullptr;
    QPushButton* AbbrechenKnopf = nullptr;

signals:
    // The user chose a position: n moves of the line played.
    void StellungGewaehlt(std::size_t n);

protected:
    void showEvent(QShowEvent* e) override;

private:
    void Ende();
    void Uebernehmen(); // what the job has found so far goes into the values
    void Zeigen();

    TAnalyseAuftrag Auftrag{"Analyse"};
    TPartieLinie DieLinie;
    TStellungsWerte DieWerte{1};
    bool Wartet = false;
    QTimer* Takt = nullptr;
};
