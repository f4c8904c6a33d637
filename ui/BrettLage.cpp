#include "ui/BrettLage.h"

#include "rules/ZugGen.h"

TBrettLage BrettLage(const TZugGenerator& r, bool nummern, int tipp) {
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
    if (IstPunkt(tipp) && lage[tipp].Stein == Leer) lage[tipp].Tipp = FarbeVonSeite(r.AmZug);
    return lage;
}
