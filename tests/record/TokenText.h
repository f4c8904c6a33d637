#pragma once
// "a1+ a2- ..." for the used tokens of a tree: the form tests compare shapes in.
#include "record/Baum.h"

#include <string>

inline std::string Form(const TBaum& b) {
    std::string s;
    for (int i = 0; i <= b.Letzter; ++i) {
        const TZug& t = (*b.Tokens)[i];
        if (!s.empty()) s += ' ';
        s += Feldname(t.Feld) + (IstVorwaerts(t) ? "+" : "-");
    }
    return s;
}
