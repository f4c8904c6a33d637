#pragma once
// Reading the fight around one chain on the two bitboards of the search: can the attacker take
// it by force, and which moves of the defender save it. The attacker's moves are the chain's
// liberties; the defender extends or takes an attacking chain next to it (in a race of two
// liberties also ataris one). The reading is held to a number of positions; what it could not
// read to the end counts as not taken, so that a move is only ever credited with a capture the
// reading proved.
#include "engine/BitBrett.h"

struct TTaktik {
    int Rest = 128; // positions left to read

    // The attacker is to move and kette, a chain of verteidiger, has at most two liberties: the
    // liberty that takes it by force, or KeinBit.
    int FangZug(TBits angreifer, TBits verteidiger, TBits kette);
    // The defender is to move and kette has one or two liberties: the moves after which the
    // attacker cannot take it.
    TBits RettendeZuege(TBits angreifer, TBits verteidiger, TBits kette);

private:
    // ko: the point that may not be played at once (a single stone just taken by a single
    // stone), or 0. breit: the first moves of a reading, which also try the moves of a race
    // (the defender's atari on an attacking chain of two liberties, the attacker's rescue of
    // one in atari); further down only the ladder and its captures are read.
    int Fang(TBits a, TBits v, TBits kette, TBits ko, bool breit);
    bool Rettet(TBits a, TBits v, TBits kette, int zug, bool breit);
    bool Entkommt(TBits a, TBits v, TBits kette, TBits ko, bool breit);
};
