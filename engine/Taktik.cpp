#include "engine/Taktik.h"

namespace {

TBits Frei(TBits a, TBits v) { return AllePunkte & ~(a | v); }

// The liberties of the chains of a next to kette that have at most bis liberties.
TBits FreiheitenDerNachbarn(TBits a, TBits leer, TBits kette, int bis) {
    TBits k = 0;
    for (TBits n = Nachbarn(kette) & a; n;) {
        const TBits c = Flut(a, n & (~n + 1));
        n &= ~c;
        const TBits cf = Nachbarn(c) & leer;
        if (Anzahl(cf) <= bis) k |= cf;
    }
    return k;
}

// Defender's candidates: the chain's liberties, and the liberties of the attacking chains next
// to it that are in atari (to take them) or, when breit and the chain has two liberties itself,
// down to two as well (to atari them first).
TBits Kandidaten(TBits a, TBits v, TBits kette, bool breit) {
    const TBits leer = Frei(a, v);
    const TBits frei = Nachbarn(kette) & leer;
    return frei | FreiheitenDerNachbarn(a, leer, kette, breit && Anzahl(frei) == 2 ? 2 : 1);
}

// The ko point after a stone on stein of the side with stones eigene took geschlagen: the one
// stone taken, when the new stone stands alone with it as its only liberty.
TBits KoPunkt(TBits eigene, TBits fremde, TBits stein, TBits geschlagen) {
    if (Anzahl(geschlagen) != 1 || (Nachbarn(stein) & eigene)) return 0;
    return (Nachbarn(stein) & Frei(eigene, fremde)) == geschlagen ? geschlagen : 0;
}

} // namespace

int TTaktik::FangZug(TBits a, TBits v, TBits kette) { return Fang(a, v, kette, 0, true); }

int TTaktik::Fang(TBits a, TBits v, TBits kette, TBits ko, bool breit) {
    const TBits leer = Frei(a, v);
    const TBits frei = Nachbarn(kette) & leer;
    const int n = Anzahl(frei);
    // A chain in atari is taken, unless its liberty is the ko point.
    if (n == 1) return (frei & ~ko) ? ErstesBit(frei) : KeinBit;
    if (n != 2 || --Rest < 0) return KeinBit;
    // The attacker presses on the chain's liberties, or (breit) first gets an attacking chain
    // next to it out of atari.
    const TBits zuege = breit ? frei | FreiheitenDerNachbarn(a, leer, kette, 1) : frei;
    for (TBits f = zuege & ~ko; f; f &= f - 1) {
        const TBits stein = f & (~f + 1);
        const TBits a2 = a | stein;
        const TBits weg = Gefangen(a2, v, stein);
        const TBits v2 = v & ~weg;
        // No suicide of the attacking stone.
        if (!(Nachbarn(Flut(a2, stein)) & Frei(a2, v2))) continue;
        if (!Entkommt(a2, v2, kette, KoPunkt(a2, v2, stein, weg), false)) return ErstesBit(stein);
    }
    return KeinBit;
}

// The defender is to move: true when some move of it saves kette.
bool TTaktik::Entkommt(TBits a, TBits v, TBits kette, TBits ko, bool breit) {
    if (--Rest < 0) return true;
    for (TBits k = Kandidaten(a, v, kette, breit) & ~ko; k; k &= k - 1)
        if (Rettet(a, v, kette, ErstesBit(k), breit)) return true;
    return false;
}

// The defender plays zug: true when kette cannot be taken after it.
bool TTaktik::Rettet(TBits a, TBits v, TBits kette, int zug, bool breit) {
    const TBits stein = Bit(zug);
    const TBits v2 = v | stein;
    const TBits weg = Gefangen(v2, a, stein);
    const TBits a2 = a & ~weg;
    const TBits leer = Frei(a2, v2);
    const TBits eigen = Flut(v2, stein);
    if (!(Nachbarn(eigen) & leer)) return false; // suicide
    const TBits neu = (eigen & kette) ? eigen : kette;
    const int n = Anzahl(Nachbarn(neu) & leer);
    if (n >= 3) return true;
    return Fang(a2, v2, neu, KoPunkt(v2, a2, stein, weg), breit) == KeinBit;
}

TBits TTaktik::RettendeZuege(TBits a, TBits v, TBits kette) {
    TBits r = 0;
    for (TBits k = Kandidaten(a, v, kette, true); k; k &= k - 1)
        if (Rettet(a, v, kette, ErstesBit(k), true)) r |= k & (~k + 1);
    return r;
}
