#pragma once
// Settled territory on the search's board: chains that stay alive whatever the opponent does
// (two regions each that are all liberties of the chain, enclosed only by such chains; the
// classical fixed point), and the regions they enclose in which the opponent cannot make two
// eyes. Opponent stones in such a region are dead: the owner can fill the region's empty points
// one by one without danger and captures them.
#include "engine/BitBrett.h"

// The chains of one colour.
struct TKettenBits {
    int Anzahl = 0;
    TArray<TBits, 0, 31> Kette{};
};
void FindeKettenBits(TBits steine, TKettenBits& k);

struct TSicher {
    TBits Lebend = 0; // stones of chains that cannot be captured
    TBits Gebiet = 0; // Lebend plus the enclosed regions (empty points and dead opponent stones)
};

// Settled area of the colour with stones eigene (chains in ketten) against fremde.
TSicher SicheresGebiet(TBits eigene, TBits fremde, const TKettenBits& ketten);
