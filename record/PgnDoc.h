#pragma once
// Reader of tagged game-record files (".pgn"): the text becomes a list of games with their
// tag pairs, start position, moves as a game tree and result. Every move is matched against
// the rules while it is read; whatever does not fit is collected in one error text.
#include "record/Baum.h"
#include "rules/ZugGen.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

// Scanner over the prepared text (line breaks CR LF, sixteen blanks appended).
class TPgnParser {
public:
    // The value of digits too many for a 32-bit number.
    static constexpr std::int32_t KeineZahl = std::numeric_limits<std::int32_t>::min();

    std::string Text;   // the prepared text; the dialog shows it
    std::string Errors; // every message followed by CR LF

    // Prepares the bytes of a file and sets the position, the line and Errors back.
    void Vorbereiten(const std::string& bytes);
    void Fehler(const std::string& meldung);

    // Scanner primitives. Past the end Peek gives NUL; a NUL inside the text reads as a blank.
    char Peek() const;
    char Next();
    bool AmEnde() const;
    // Up to n characters from the position on, as Peek reads them, without consuming them.
    std::string Vorschau(int n) const;
    bool Match(const std::string& literal);
    void SkipWhitespace();
    // The digits at the position, consumed; wert gets their value, or KeineZahl.
    std::string ReadDigits(std::int32_t* wert = nullptr);
    std::int32_t Stelle() const { return Pos; }
    std::int32_t Zeile() const { return Line; }

    // Token readers.
    std::string ReadSymbol();
    std::string ReadString();
    void ReadBraceComment();
    void ReadLineComment();

private:
    std::int32_t Pos = 1;  // 1-based index of the next character
    std::int32_t Line = 1; // raised by every line feed consumed
};

// Move read from a tagged game record; only the target point and the numbering take part in
// matching. 17 bytes with the target point at offset 8 and the move text at offset 11.
#pragma pack(push, 1)
struct TSanZug {
    std::int16_t Zugnummer = 1;  // move number of the pair
    std::uint8_t ErsterZug = 1;  // first move of the pair (black)
    std::int8_t Figur = 0;       // piece code: 1 pawn, -1 other
    std::int16_t VonFeld = 119;  // column + 16 * row, 7 for a part not given
    std::int8_t Umwandlung = 0;  // promotion code
    std::uint8_t Zeichen = 0;    // bit 1 check, bit 2 mate
    std::int16_t NachFeld = 119; // target point
    std::uint8_t Reserve = 0;
    char Text[6] = {}; // length byte and up to five characters of the move as written
};
#pragma pack(pop)
static_assert(sizeof(TSanZug) == 17);
static_assert(offsetof(TSanZug, NachFeld) == 8);
static_assert(offsetof(TSanZug, Text) == 11);

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

    TPgnGame& operator[](int i) { return *Games.at(static_cast<size_t>(i)); }
    const TPgnGame& operator[](int i) const { return *Games.at(static_cast<size_t>(i)); }
    void Zuruecksetzen();
    // Starts the next game: reuses an element from an earlier read or adds one.
    TPgnGame& NeuesSpiel();
};

// The program's reader and its game list.
extern TPgnParser PgnParser;
extern TPgnGameList PgnSpiele;

// How the reading of a move ended.
enum class TPgnZugLesen {
    Gelesen,   // the record is filled
    Verworfen, // a message failed the move; reading goes on
    Abbruch,   // the row found puts the target point off the board's range: the reading stops
};
// Reads one move at the parser's position (the characters from its first letter on) into
// the record's piece, points, promotion and marks; text gets every character consumed.
TPgnZugLesen LiesPgnZug(TPgnParser& parser, TSanZug& zug, std::string& text);
// Parses the bytes of a file into the list. Errors of the text go into parser.Errors. false when
// the reading stopped at a move's row (the games read so far stay).
bool ParsePgnText(TPgnParser& parser, TPgnGameList& liste, const std::string& bytes);
// ParsePgnText with the file's failure handling: a stop, or a fault of the program while reading,
// gives the message box and -1.
int ReadPgnText(TPgnParser& parser, TPgnGameList& liste, const std::string& bytes, const std::string& datei,
                std::string& fehler);
// 0 when the text was read, -1 when the file cannot be read or the reading stopped on an
// exception (then the message box "Fehler beim Lesen der PGN-Datei "<name>"" was shown).
// fehler receives the parser's Errors in any case.
int ReadPgnFile(TPgnParser& parser, TPgnGameList& liste, const std::string& datei, std::string& fehler);
int ReadPgnFile(TPgnGameList& liste, const std::string& datei, std::string& fehler);

// Hands a game read to a game document: the rules board starts from the game's start position
// and the tree becomes a copy of the game's tree with its cursor at the start.
void UebernimmPgnSpiel(const TPgnGame& spiel, TZugGenerator& regeln, TBaum& baum);
// The game read becomes the program's game, through the controller, so that the engines leave
// the old game too and follow every move of the record from its start position.
void PgnSpielUebernehmen(const TPgnGame& spiel);
