#pragma once
// Search of the built-in engine: iterative deepening alpha-beta over the engine board.
#include <cstdint>
#include <string>

// What the engine information view shows of the running or last search. The search keeps a
// copy of it up to date under a lock; HoleSuchInfo hands out a consistent copy.
struct TSuchInfo {
    int Tiefe = 0;
    int AktuellerZug = -2; // point, -1 pass, -2 none yet
    double AktuellerWert = 0;
    int BesterZug = -2;
    double BesterWert = 0;
    std::int64_t Stellungen = 0;
    std::string Zeit; // stopwatch text "00:00:01.2"
    std::int64_t ProSekunde = 0;
    std::string Grund; // reason the search stopped, empty while it runs
    bool Laeuft = false;
};

TSuchInfo HoleSuchInfo();

#include "engine/ziehenDflt.h"

#include <atomic>

// Entries of the transposition table (16 bytes each); fixed, allocated once.
constexpr int TTBits = 20;
constexpr int TTGroesse = 1 << TTBits;

// Scores inside the search: the static evaluation is rounded and kept within ±EvalGrenze, so
// anything at or beyond ±GewinnWert comes from a finished game (Endwert).
constexpr int EvalGrenze = 31000;
constexpr int GewinnWert = 32000;

struct TSuchErgebnis {
    int Feld = -2;     // -1 pass, -2 none
    double Wert = 0;   // for the side to move
    int Tiefe = 0;     // last finished depth
    std::string Grund; // one of the stop reasons
    std::int64_t Stellungen = 0;
    std::int64_t Bewertungen = 0;
};

// Iterative deepening up to maxTiefe over e (left as it was found). The window is clamped to
// the range of the search's scores. Reports each finished depth and the stop reason.
TSuchErgebnis SucheZug(TEngineZustand& e, int maxTiefe, double alpha, double beta,
                       const std::atomic<std::uint8_t>* stopp);
// Clears the statistics before a compute.
void SuchInfoZuruecksetzen();
// Forgets everything the transposition table holds (tests that compare searches).
void LeereTranspositionstabelle();
