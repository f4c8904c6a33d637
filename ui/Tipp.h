#pragma once
// The hint: the built-in engine values the current position on the search thread, and its best
// move for the side to move is shown on the board until the position changes. The game is not
// touched: the engine values a copy.
#include "record/Analyse.h"

#include <QObject>

class TTipp : public QObject {
    Q_OBJECT
public:
    explicit TTipp(QObject* parent);
    ~TTipp() override;

    // Asks for the hint of the current position. While another search runs, the registry
    // refuses with its message; after the end of the game the play flow's message comes.
    void Anfordern();
    // After every change of the game: a hint for another position goes.
    void SpielGeaendert();
    // Asks a running search of the hint to stop; true when one ran.
    bool Anhalten();
    bool Laeuft() const { return Wartet; }
    // The point of the hint, -1 for a pass, -2 for none.
    int Feld() const { return TippFeld; }

signals:
    void Geaendert(); // the mark came or went

private:
    void Ende();
    void Setzen(int feld);

    TAnalyseAuftrag Auftrag{"Tipp"};
    TPartieLinie Fuer; // the position the hint belongs to
    bool Wartet = false;
    int TippFeld = -2;
};
