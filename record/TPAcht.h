#pragma once
// The game controller: owns the one game and keeps the rules state, the game tree and every
// registered engine in step (always in that order), with two stopwatches per side.
#include "record/Baum.h"
#include "rules/ZugGen.h"
#include "support/StoppUhr.h"

#include <cstdint>

extern TZugGenerator Regeln;
extern TBaum Baum;
extern std::uint8_t Spielerfarbe; // side the user plays: 1 black, 0 white
extern bool FesteFarbe;           // while false take-back and replay hand the side to move to the user
extern bool Autospiel;
extern TArray<TStoppUhr, 0, 1> ZugUhr;
extern TArray<TStoppUhr, 0, 1> GesamtUhr;

// The user's colour: the controller is the one that sets it.
void SpielerAmZug();         // the user continues with the side to move
void SpielerfarbeTauschen(); // the user takes the other colour

void PAchtStart(); // start-up: built-in engine in both slots, levels 4 and 4, new game
void NeuesSpiel();
// A new game from a set-up position: rules, tree, clocks and every engine start from it.
void NeueStellung(const TStellung& st);
// The position the current game started from (the board of its root and the side to move there).
TStellung Startstellung();
// Whether the game started from anything but the empty board with black to move.
bool IstAufgebaut();
void ZieheInsert(TZug z);
void ZugZurueck();
void ZieheMitUhr(TZug z);
void ZurueckMitUhr();
void ZweiZurueck();
bool VorAusBaum();
void ZweiVor();
void NaechsteVariante();
void VorherigeVariante();
void ErsterZug();
void LetzterZug();
