#pragma once
// The play flow over the game controller, without widgets: who moves after the user's move,
// what becomes of a computed move, and the steps through the game. The window's handlers call
// these, open the compute dialog and redraw.
#include "rules/Basis.h"

#include <string>

class TEngine;

// Plays the user's move; true when the computer is to answer now.
bool SpielerZieht(const TZug& z);
// The engine of the side to move, or nullptr.
TEngine* EngineAmZug();
// Why no move can be computed now (no engine, game over); empty when the compute dialog may open.
std::string BerechnenHindernis(const TEngine* e);
// The compute dialog has ended. A cancelled search, or a move the rules refuse (then the
// computer resigns: its clocks stop and meldung says so), leaves the side to move with the user.
// True when a move went into the game.
bool ComputerzugUebernehmen(bool abgebrochen, TZug z, std::string& meldung);
// One ply back (nothing at the start) and forward (true when it moved).
void EinenZugZurueck();
bool EinenZugVor();
