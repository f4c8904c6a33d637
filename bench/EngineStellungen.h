#pragma once
// Fixed positions of the engine benchmarks. Mid-game: a few opening moves, then the engine's
// own play at depth 3. Late: games against GNU Go, cut where the borders are nearly drawn.
#include "engine/ziehenDflt.h"

#include <sstream>
#include <string>
#include <vector>

inline const std::vector<std::string>& MittelspielFolgen() {
    static const std::vector<std::string> f = {
        "b5 c3 g4 d3 b4 e3 b3 e4 b2 e5 c2 e6 b6 d2 c6",
        "a5 a6 f6 c5 b5 b6 b4 c4 b3 c6 c3 d4 d3 e4 e3 f4 f3 g4",
        "d5 b1 c1 b2 c2 c3 d2 d3 e2 b3 e3 b4 e4 b5 d4 d6 e5 c6 e6",
        "g3 f1 e1 e3 e2 f2 d2 d3 c2 f3 c3 f4 c4 f5 c5 f6 c6 f7 d6 d4 b6 e7",
        "a2 b5 e5 f7 d5 b3 f5 b2 f6 b4 e6 b6 d4 c2 d3 d2 e2 c6 e3 d6 e1 e7 d1 d7",
    };
    return f;
}

inline const std::vector<std::string>& SpaetFolgen() {
    static const std::vector<std::string> f = {
        "d4 c4 d5 d3 c5 b4 e3 b5 c3 b3 d2 b6 b2 c6 d6 a2 c7 b7 a3 a4 a6 d7 b1 a5 e6 f4 f5 a7 e7 f3",
        "d4 d3 c4 e3 f5 e4 e5 c3 b3 b4 b5 b2 a4 a2 g2 c2 e2 d2 f2 c6 d6 f4 g4 g6 b6 g5 g3 a3 e1 b4 a5 f6",
    };
    return f;
}

// Plays the moves from a new game; "--" is a pass.
inline void SpieleFolge(TEngineZustand& e, const std::string& folge) {
    e.Neustart();
    std::istringstream in(folge);
    std::string z;
    while (in >> z)
        e.Ziehe(z == "--" ? -1 : FeldAusText(z));
}
