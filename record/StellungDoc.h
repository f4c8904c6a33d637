#pragma once
// The game file (".go"): the game tree behind a magic word, the board format and the tree's
// four counters, as 4-byte records.
#include <filesystem>
#include <string>
#include <string_view>

struct TIOErgebnis {
    int Code = 0;
    std::string Meldung;
};

TIOErgebnis SpeichereSpiel(const std::string& name);
bool SpeichereSpielMitMeldung(const std::string& name);
TIOErgebnis LeseSpiel(const std::string& name);
// 0 success, an I/O code, or -1 for a format error.
int LadeSpiel(const std::string& name, bool meldungen, bool anlegen);

// The path of a file name in UTF-8.
std::filesystem::path DateiPfad(const std::string& name);
// Writes a whole file through a temporary file beside it that replaces the old file only when
// complete, so a failed save never costs the previous one. Code 0 or the I/O code with the
// message to show ("%" stands for the code's text), as SpeichereSpiel reports.
TIOErgebnis SpeichereDatei(const std::string& name, std::string_view inhalt);
