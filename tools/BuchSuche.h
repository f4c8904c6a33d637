#pragma once
// The long search of the book builder: a tree of moves grown by random games played to the
// end (upper confidence bounds with all-moves-as-first statistics). It needs no evaluation:
// every random game ends in an area count, so it judges life and territory as the end of the
// game does, which the short searches of the engine cannot. The tree keeps the rules in full
// (repetition included); the random games only refuse suicide and filling an own eye.
#include "engine/ziehenDflt.h"

#include <cstdint>
#include <string>

struct TBaumErgebnis {
    int Feld = -2;              // -1 pass
    double Anteil = 0;          // mean reward of the move for the side to move (0..1)
    std::int64_t Spiele = 0;    // random games played
    int Tiefe = 0;              // depth of the most visited line
    std::string Hauptvariante;  // that line
};

// Searches the engine board for the given seconds (seeded for reproducible books).
TBaumErgebnis BaumSuche(const TEngineZustand& e, double sekunden, std::uint64_t saat);
