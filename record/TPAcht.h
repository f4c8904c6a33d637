#pragma once
// The game controller: owns the one game and keeps the rules state, the game tree and every
// registered engine in step (always in that order), with two stopwatches per side.
#include "record/Baum.h"
#include "rules/ZugGen.h"
#include "support/StoppUhr.h"

#include <cstdint>

extern TZugGenerator Regeln;
extern TBaum Baum;
extern std::uint8_t Spielerfarbe;   // side the user plays: 1 black, 0 white
extern bool FesteFarbe;             // while false take-back and replay hand the side to move to the user
extern bool Autospiel;
extern TArray<TStoppUhr, 0, 1> ZugUhr;
extern TArray<TStoppUhr, 0, 1> GesamtUhr;

void PAchtStart();          // start-up: built-in engine in both slots, levels 4 and 4, new game
void NeuesSpiel();
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
