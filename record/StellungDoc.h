#pragma once
// The game file (".go"): the game tree behind a magic word, the board format and the tree's
// four counters, as 4-byte records.
#include "record/Datei.h"

#include <string>

TIOErgebnis SpeichereSpiel(const std::string& name);
bool SpeichereSpielMitMeldung(const std::string& name);
TIOErgebnis LeseSpiel(const std::string& name);
// 0 success, an I/O code, or -1 for a format error.
int LadeSpiel(const std::string& name, bool meldungen, bool anlegen);
