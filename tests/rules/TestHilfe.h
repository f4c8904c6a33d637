#pragma once
#include "rules/ZugGen.h"

#include <cstdlib>
#include <string>

// Fewer iterations for the slow sanitizer run.
inline int Runden(int n) {
    const char* k = std::getenv("KIBORU_TEST_KURZ");
    return (k && *k && std::string(k) != "0") ? (n / 10 > 0 ? n / 10 : 1) : n;
}

// Plays the point (text like "c3" or "--") for the side to move; returns PruefeZug's code.
inline int Spiele(TZugGenerator& g, const std::string& feld) {
    TZug z;
    z.Feld = static_cast<std::int8_t>(feld == "--" ? -1 : FeldAusText(feld));
    g.ZugZuFeld(z);
    const int code = g.PruefeZug(z);
    if (code == ZugLegal) g.Ziehe(z);
    return code;
}

// Board from seven lines, row 7 first: 'S' black, 'W' white, '.' empty.
inline TBrett BrettAus(const char* const zeilen[7]) {
    TBrett b = MacheVorlage(Leer);
    for (int r = 0; r < 7; ++r)
        for (int x = 0; x < 7; ++x) {
            const char c = zeilen[r][x];
            b[Punkt(x, 6 - r)] = c == 'S' ? Schwarz : c == 'W' ? Weiss : Leer;
        }
    return b;
}
