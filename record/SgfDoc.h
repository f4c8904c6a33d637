#pragma once
// SGF files (FF[4]): the first game of a collection becomes the program's one game (its moves
// with all variations, a set-up start), and the game is written out with its whole tree.
#include "record/StellungDoc.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// ---- the file as read, before anything is checked ------------------------------------------

struct TSgfEigenschaft {
    std::string Name;               // the upper-case letters of the identifier
    std::vector<std::string> Werte; // between the brackets as written (escapes kept), in UTF-8
    std::int32_t Zeile = 0, Spalte = 0;
};

struct TSgfKnoten {
    std::vector<TSgfEigenschaft> Eigenschaften;
    std::vector<std::int32_t> Kinder;   // indices into the game's nodes; the first is the main line
    std::int32_t Zeile = 0, Spalte = 0; // of its ";"
    // The first property of that name, nullptr if there is none.
    const TSgfEigenschaft* Finde(std::string_view name) const;
};

struct TSgfSpiel {
    std::vector<TSgfKnoten> Knoten; // [0] is the root
};

struct TSgfSammlung {
    std::vector<TSgfSpiel> Spiele;
};

// Parses a whole collection. false on the first fault, with fehler "Zeile L, Spalte C: ...";
// true means at least one game. The values of each game are converted to UTF-8 by its root's CA
// (UTF-8 or Latin-1; without CA, a text that is not UTF-8 is taken as Latin-1).
bool ParseSgf(std::string_view bytes, TSgfSammlung& sammlung, std::string& fehler);
// A Text value: escapes resolved, soft line breaks removed, every line break "\n", other white
// space a blank. A SimpleText value: the same, with line breaks as blanks too.
std::string SgfText(std::string_view roh);
std::string SgfEinfacherText(std::string_view roh);

// ---- the game ------------------------------------------------------------------------------

struct TSgfErgebnis {
    int Code = 0;               // I/O result code; Meldung then holds the text with "%" for it
    std::string Meldung;        // German; empty when the whole game was taken over
    bool Uebernommen = false;   // the game is now the file's (all of it, or up to the move Meldung names)
    std::optional<double> Komi; // KM of the file; the program's own count has none
};

// Reads the first game of the file into the program's game through the controller. A broken file,
// another board size or an unreadable file leave the game as it was. A move the rules refuse ends
// the reading: the game holds everything before it. The position afterwards: vorZug 0 the end of
// the main line; N >= 1 the position before the main line's move N (or its end, if shorter).
TSgfErgebnis LeseSgf(const std::string& name, int vorZug = 0);
// The same for the bytes of a file; name is only used in the messages.
TSgfErgebnis LeseSgfText(std::string_view bytes, const std::string& name, int vorZug = 0);

// The program's game as an SGF file: header, set-up start, the whole tree, the result when the
// main line ended with two passes.
std::string PartieAlsSgf();
// Saves PartieAlsSgf through the game file's atomic write (same codes and messages).
TIOErgebnis SpeichereSgf(const std::string& name);
