#pragma once
// The capacities of the game's records, in one place.

// Points of the 7x7 board.
constexpr int AnzahlPunkte = 49;

// The stack of a chain or region walk: every cell of the area is pushed at most once.
constexpr int MaxStapel = AnzahlPunkte;
