#pragma once
// What the board shows of a position, as plain data: the stone on each point, the last move,
// the move numbers on the stones, and after the end of the game the points counted for each
// side. Computed from the rules state; the board widget only draws it.
#include "rules/Basis.h"

struct TZugGenerator;

struct TFeldLage {
    TFarbe Stein = Leer;
    bool Letzter = false;   // the stone of the last move played
    int Nummer = 0;         // half-move that put the stone there; 0 none or not shown
    TFarbe Gezaehlt = Leer; // after the end: an empty point counted for black or white
    TFarbe Tipp = Leer;     // the hint: the side to move would play here
    bool operator==(const TFeldLage&) const = default;
};

using TBrettLage = TArray<TFeldLage, 0, LetzterPunkt>;

// The counted points come from the rules' one area count (Besitzverteilung). tipp: the point
// of the hint for the side to move (nothing is marked for a pass or an occupied point).
TBrettLage BrettLage(const TZugGenerator& r, bool nummern, int tipp = -2);
