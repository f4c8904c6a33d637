#pragma once
// Reader of tagged game-record files (".pgn"): the text becomes a list of games with their
// tag pairs, start position, moves as a game tree and result. Every move is matched against
// the rules while it is read; whatever does not fit is collected in one error text.
#include "record/Baum.h"
#include "rules/ZugGen.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

// Scanner state over the prepared text (line breaks CR LF, sixteen blanks appended).
struct TPgnParser {
    static constexpr std::int32_t KeineZahl = std::numeric_limits<std::int32_t>::min();

    std::int32_t Pos = 1; // 1-based index of the next character
    std::string Text;
    std::int32_t Line = 1;
    std::string Errors; // every message followed by CR LF
    std::string TokenRaw;
    std::string TokenValue;
    std::int32_t Number = KeineZahl;

    // Prepares the bytes of a file and sets Pos, Line and Errors back.
    void Vorbereiten(const std::string &bytes);
    void Fehler(const std::string &meldung);

    // Scanner primitives. Past the end Peek gives NUL; a NUL inside the text reads as a blank.
    char Peek() const;
    char Next();
    bool AmEnde() const;
    bool Match(const std::string &literal);
    void SkipWhitespace();
    std::string ReadDigits();
    std::string LookDigits();

    // Token readers.
    std::string ReadSymbol();
    std::string ReadString();
    void ReadBraceComment();
    void ReadLineComment();
};

struct TPgnTag {
    std::string Name; // as written
    std::string Value;
};

struct TPgnGame {
    std::vector<TPgnTag> Tags;
    TStellung StartPosition;
    TZugGenerator Rules; // the game's own rules board, started from StartPosition
    TBaum Moves;
    std::string Result;

    // Empty game on the initial position.
    void Neu();
};

enum class TPgnState : std::uint8_t { InMoves = 0, InTags = 1, Ended = 2 };

struct TPgnGameList {
    // Each game holds its own token array, so the games stay where they are.
    std::vector<std::unique_ptr<TPgnGame>> Games;
    std::int32_t Count = 0;
    std::int32_t Current = -1;
    TPgnState State = TPgnState::Ended;
    std::int32_t MoveNumber = 1;
    bool FirstOfPair = true;

    TPgnGame &operator[](int i) { return *Games.at(static_cast<size_t>(i)); }
    const TPgnGame &operator[](int i) const { return *Games.at(static_cast<size_t>(i)); }
    void Zuruecksetzen();
    // Starts the next game: reuses an element from an earlier read or adds one.
    TPgnGame &NeuesSpiel();
};

// The program's reader and its game list.
extern TPgnParser PgnParser;
extern TPgnGameList PgnSpiele;

// Reads one move at the parser's position (the characters from its first letter on) into
// the record's piece, points, promotion and marks; text gets every character consumed.
// false when a message failed the move. A point off the board's range raises ERangeError.
bool LiesPgnZug(TPgnParser &parser, TSanZug &zug, std::string &text);
// Parses the bytes of a file into the list. Errors of the text go into parser.Errors; an
// exception that stops the reading propagates (the games read so far stay).
void ParsePgnText(TPgnParser &parser, TPgnGameList &liste, const std::string &bytes);
// ParsePgnText with the file's failure handling: an exception gives the message box and -1.
int ReadPgnText(TPgnParser &parser, TPgnGameList &liste, const std::string &bytes, const std::string &datei,
                std::string &fehler);
// 0 when the text was read, -1 when the file cannot be read or the reading stopped on an
// exception (then the message box "Fehler beim Lesen der PGN-Datei "<name>"" was shown).
// fehler receives the parser's Errors in any case.
int ReadPgnFile(TPgnParser &parser, TPgnGameList &liste, const std::string &datei, std::string &fehler);
int ReadPgnFile(TPgnGameList &liste, const std::string &datei, std::string &fehler);

// Hands a game read to a game document: the rules board starts from the game's start position
// and the tree becomes a copy of the game's tree with its cursor at the start.
void UebernimmPgnSpiel(const TPgnGame &spiel, TZugGenerator &regeln, TBaum &baum);
