#pragma once
// Fixed mid-game positions of the engine benchmarks (reproducible random games).
#include "engine/ziehenDflt.h"

#include <sstream>
#include <string>
#include <vector>

inline const std::vector<std::string> &MittelspielFolgen() {
    static const std::vector<std::string> f = {
        "b5 c3 g4 d5 d6 d1 e1 e3 e2 b1 b6 a7 a3 f6 g7 e4",
        "a5 a6 f6 c5 b3 b2 d4 e4 f2 a1 e7 a2 c1 c4 d3 a3 c7 f7",
        "d5 b1 c1 b7 f3 c3 b4 b5 g5 f2 g2 e4 a7 e3 a1 g4 g1 d1 g6 c7",
        "g3 f1 e1 e3 a4 a5 e2 f2 c6 f5 d3 g1 g7 d7 b5 d1 a3 b4 f4 a7 c5 f3",
        "a2 b5 e5 f7 g1 a7 c4 a5 a6 g5 g6 d3 e2 a1 d4",
    };
    return f;
}

// Plays the moves from a new game; "--" is a pass.
inline void SpieleFolge(TEngineZustand &e, const std::string &folge) {
    e.Neustart();
    std::istringstream in(folge);
    std::string z;
    while (in >> z)
        e.Ziehe(z == "--" ? -1 : FeldAusText(z));
}
