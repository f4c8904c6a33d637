#include "ui/BrettLage.h"

#include "rules/ZugGen.h"

#include <cstdint>

TBesitz Besitzverteilung(const TBrett& b) {
    // Which colours each empty point reaches through empty points (bit 1 black, bit 2 white):
    // first its own neighbours, then spread over the empty region until nothing changes.
    constexpr std::uint8_t BitSchwarz = 1, BitWeiss = 2;
    TArray<std::uint8_t, 0, LetzterPunkt> reicht{};
    const int richtungen[4] = {-1, 1, -16, 16};
    for (int p = 0; p <= LetzterPunkt; ++p) {
        if (!IstPunkt(p) || b[p] != Leer) continue;
        for (int d : richtungen) {
            if (b[p + d] == Schwarz) reicht[p] |= BitSchwarz;
            if (b[p + d] == Weiss) reicht[p] |= BitWeiss;
        }
    }
    for (bool geaendert = true; geaendert;) {
        geaendert = false;
        for (int p = 0; p <= LetzterPunkt; ++p) {
            if (!IstPunkt(p) || b[p] != Leer) continue;
            for (int d : richtungen) {
                const int q = p + d;
                if (!IstPunkt(q) || b[q] != Leer || (reicht[q] | reicht[p]) == reicht[p]) continue;
                reicht[p] |= reicht[q];
                geaendert = true;
            }
        }
    }
    TBesitz besitz{};
    for (int p = 0; p <= LetzterPunkt; ++p) {
        if (!IstPunkt(p)) continue;
        if (b[p] != Leer)
            besitz[p] = b[p];
        else if (reicht[p] == BitSchwarz)
            besitz[p] = Schwarz;
        else if (reicht[p] == BitWeiss)
            besitz[p] = Weiss;
    }
    return besitz;
}

TBrettLage BrettLage(const TZugGenerator& r, bool nummern) {
    TBrettLage lage{};
    for (int p = 0; p <= LetzterPunkt; ++p)
        if (IstPunkt(p)) lage[p].Stein = r.Brett[p];
    // Later moves on a point (after a capture) overwrite earlier numbers.
    if (nummern)
        for (int i = 1; i < r.Zugnummer; ++i) {
            const int p = r.Zugfolge[i].Feld;
            if (p >= 0 && lage[p].Stein != Leer) lage[p].Nummer = i;
        }
    if (r.Zugnummer > 1) {
        const int p = r.Zugfolge[r.Zugnummer - 1].Feld;
        if (p >= 0 && lage[p].Stein != Leer) lage[p].Letzter = true;
    }
    if (r.BeidePassen()) {
        const TBesitz besitz = Besitzverteilung(r.Brett);
        for (int p = 0; p <= LetzterPunkt; ++p)
            if (IstPunkt(p) && lage[p].Stein == Leer) lage[p].Gezaehlt = besitz[p];
    }
    return lage;
}
