#pragma once
// The engine's side of the message channel: texts go to the procedure the host registered
// (the engine registry's thread-aware output), errors open a box only the first time.
#include "engine/EngineEintraege.h"

#include <string>

// Board format written into game files.
inline constexpr char BrettFormat[] = "7x7 ";

void SetzeEngineMeldeProc(TMeldeProc p);
TMeldeProc EngineMeldeProc();
// Hands the text with the "show" flag to the registered procedure; without one a box tells so.
void Melde(const std::string& text, bool zeigen);
// Only the first error of a run is shown, later ones are logged.
void MeldeFehler(const std::string& text);
bool EngineFehlerGemeldet();
// Tests: forget the procedure and the first-error flag.
void EngineMeldungenZuruecksetzen();
