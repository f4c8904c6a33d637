#pragma once
// The play flow over the game controller: who moves after the user's move, what becomes of a
// computed move (the computer resigns when the rules refuse it), the compute command's change of
// colours, the steps through the game and the stop of a running search. The window and the GTP
// front end both take this road.
#include "rules/Basis.h"

#include <cstddef>
#include <string>

class TEngine;

// Plays the user's move; true when the computer is to answer now.
bool SpielerZieht(const TZug& z);
// The compute command: the user hands the side to move to the computer and takes the other colour.
void FarbeAbgeben();
// The engine of the side to move, or nullptr.
TEngine* EngineAmZug();
// Why no move can be computed now (no engine, game over); empty when the search may start.
std::string BerechnenHindernis(const TEngine* e);
// The search has ended. A cancelled search, or a move the rules refuse (then the computer
// resigns: its clocks stop and meldung says so), leaves the side to move with the user.
// True when a move went into the game.
bool ComputerzugUebernehmen(bool abgebrochen, TZug z, std::string& meldung);
// One ply back (nothing at the start) and forward (true when it moved).
void EinenZugZurueck();
bool EinenZugVor();
// Back or forward along the line until n moves are played (forward as far as the line goes).
void ZurStellung(std::size_t n);
// Two plies back (from the third position on) and forward (both or none).
void ZweiZuegeZurueck();
void ZweiZuegeVor();
// While a search runs it is asked to stop (true); its end comes later, as always.
bool SucheAnhalten();
