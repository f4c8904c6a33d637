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
    std::string Zeit;      // stopwatch text "00:00:01.2"
    std::int64_t ProSekunde = 0;
    std::string Grund;     // reason the search stopped, empty while it runs
    bool Laeuft = false;
};

TSuchInfo HoleSuchInfo();
