#include "engine/GebietDflt.h"

namespace {
constexpr TBits Niedrigstes(TBits b) { return b & (~b + 1); }
constexpr bool Hoechstens1(std::uint64_t b) { return (b & (b - 1)) == 0; }
} // namespace

void FindeKettenBits(TBits steine, TKettenBits& k) {
    k.Anzahl = 0;
    for (TBits rest = steine; rest;) {
        const TBits kette = Flut(steine, Niedrigstes(rest));
        rest &= ~kette;
        k.Kette[k.Anzahl++] = kette;
    }
}

TSicher SicheresGebiet(TBits eigene, TBits fremde, const TKettenBits& ketten) {
    TSicher s;
    if (ketten.Anzahl == 0) return s;
    const TBits leer = AllePunkte & ~(eigene | fremde);
    // Regions: the connected parts of everything that is not an own stone.
    TArray<TBits, 0, 48> region{};
    int regionen = 0, moeglich = 0;
    const TBits amEigenen = Nachbarn(eigene);
    for (TBits rest = AllePunkte & ~eigene; rest;) {
        const TBits r = Flut(rest, Niedrigstes(rest));
        rest &= ~r;
        region[regionen++] = r;
        if (!(r & leer & ~amEigenen)) ++moeglich;
    }
    // Life needs two regions whose empty points all touch own stones.
    if (moeglich < 2) return s;
    // gesund[k]: regions whose empty points are all liberties of chain k.
    // anKetten[r]: chains that touch region r.
    TArray<std::uint64_t, 0, 31> gesund{};
    TArray<std::uint32_t, 0, 48> anKetten{};
    for (int k = 0; k < ketten.Anzahl; ++k) {
        const TBits freiheiten = Nachbarn(ketten.Kette[k]);
        for (int r = 0; r < regionen; ++r) {
            if (!(freiheiten & region[r])) continue;
            anKetten[r] |= 1u << k;
            if ((region[r] & leer & ~freiheiten) == 0) gesund[k] |= std::uint64_t{1} << r;
        }
    }
    std::uint32_t lebend = ketten.Anzahl == 32 ? ~0u : (1u << ketten.Anzahl) - 1;
    std::uint64_t umschlossen = regionen == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << regionen) - 1;
    for (bool weiter = true; weiter;) {
        weiter = false;
        for (int k = 0; k < ketten.Anzahl; ++k)
            if ((lebend >> k & 1) && Hoechstens1(gesund[k] & umschlossen)) {
                lebend &= ~(1u << k);
                weiter = true;
            }
        for (int r = 0; r < regionen; ++r)
            if ((umschlossen >> r & 1) && (anKetten[r] & ~lebend)) {
                umschlossen &= ~(std::uint64_t{1} << r);
                weiter = true;
            }
    }
    if (!lebend) return s;
    for (int k = 0; k < ketten.Anzahl; ++k)
        if (lebend >> k & 1) s.Lebend |= ketten.Kette[k];
    s.Gebiet = s.Lebend;
    // An eye needs a point without a neighbouring own stone; with all such points of a region
    // next to each other the opponent makes at most one eye there.
    const TBits amLeben = Nachbarn(s.Lebend);
    for (int r = 0; r < regionen; ++r) {
        if (!(umschlossen >> r & 1) || !anKetten[r]) continue;
        const TBits innen = region[r] & ~amLeben;
        const bool klein =
            Hoechstens1(innen) || (Anzahl(innen) == 2 && (Nachbarn(Niedrigstes(innen)) & innen) != 0);
        if (klein) s.Gebiet |= region[r];
    }
    return s;
}
