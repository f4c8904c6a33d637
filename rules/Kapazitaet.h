#pragma once
// The capacities of the game's records, in one place, so that the rules state, the engine board
// and the game tree agree on them: the rules and every engine accept the same moves up to the
// same limit.

// Points of the 7x7 board.
constexpr int AnzahlPunkte = 49;

// Half-moves of one game, counted from the start or from a set-up position. Move n is stored at
// index n of the move lists (entry 0 is never written), so they run 0..MaxHalbzuege.
constexpr int MaxHalbzuege = 2047;

// Change records: one per half-move and one per removed stone. A stone is removed at most once
// after it was placed in this history or set up before it, so a game of MaxHalbzuege half-moves
// needs at most 2 * MaxHalbzuege + AnzahlPunkte of them: the half-moves always run out first.
constexpr int MaxAktionen = 2 * MaxHalbzuege + AnzahlPunkte;

// The most stones one move can take off the board (all but the one just placed).
constexpr int MaxGeschlagen = AnzahlPunkte - 1;

// Candidate moves (the pass and every empty point: at most 50). The lists keep the room of
// their data model: the rules' list runs 0..255, the engine's 1..127.
constexpr int MaxRegelKandidaten = 255;
constexpr int MaxKandidaten = 127;
static_assert(MaxKandidaten >= AnzahlPunkte + 1 && MaxRegelKandidaten >= AnzahlPunkte + 1);

// The stack of a chain or region walk: every cell of the area is pushed at most once.
constexpr int MaxStapel = AnzahlPunkte;

// Tokens of the game tree (a forward and a back token per move of every variation).
constexpr int MaxBaumToken = 200000;
