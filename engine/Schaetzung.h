#pragma once
// A position's value for the game analysis: the best move and the expected final margin.
#include "engine/ziehenDflt.h"

#include <atomic>
#include <cstdint>

// Best move and the expected final area margin (points, komi 0) for the side to move of e,
// searched for at most `sekunden` (or until *stopp is set). Leaves e and the global engine
// board as they were; runs on the search thread, never at the same time as a compute.
struct TStellungsSchaetzung {
    int Feld = -2;         // -1 pass, -2 none (the game is over or nothing was searched)
    double Marge = 0;      // points for the side to move
    bool Bewiesen = false; // Marge is the count of the finished game under best play
};
TStellungsSchaetzung SchaetzeStellung(const TEngineZustand& e, double sekunden,
                                      const std::atomic<std::uint8_t>* stopp);
