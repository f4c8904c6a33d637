#pragma once
// Shared helpers of the engine tests.
#include "engine/ziehenDflt.h"

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

// Iterations shrink to a tenth in the sanitizer run.
inline int Runden(int n) {
    const char* k = std::getenv("KIBORU_TEST_KURZ");
    return (k && std::string(k) == "1") ? (n + 9) / 10 : n;
}

// Builds a position from seven rows written top (row 7) to bottom: 'S' black, 'W' white,
// '.' empty; then starts a new history with the given side to move.
inline void Aufbauen(TEngineZustand& e, const std::vector<std::string>& zeilen, int amZug = 1) {
    e.Neustart();
    e.AmZug = static_cast<std::uint8_t>(amZug);
    for (int r = 0; r < 7; ++r)
        for (int x = 0; x < 7; ++x) {
            char c = zeilen[static_cast<std::size_t>(r)][static_cast<std::size_t>(x)];
            int y = 6 - r;
            e.Brett[Punkt(x, y)] = c == 'S' ? Schwarz : c == 'W' ? Weiss : Leer;
        }
    e.Ruecksetzen();
}

// Plays a random legal game prefix of up to n moves (no passes), with a fixed generator.
inline void ZufallsStellung(TEngineZustand& e, std::mt19937& rng, int n) {
    e.Neustart();
    for (int i = 0; i < n; ++i) {
        std::vector<int> zuege;
        for (int k = 2; k <= e.Zuganzahl; ++k)
            if (e.IstErlaubt(e.Zugliste[k])) zuege.push_back(e.Zugliste[k]);
        if (zuege.empty()) break;
        e.Ziehe(zuege[std::uniform_int_distribution<std::size_t>(0, zuege.size() - 1)(rng)]);
    }
}
