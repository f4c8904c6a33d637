#pragma once
// The opening book: positions the engine analysed at length beforehand (tools/BuchBauen), each
// with the move its search found best. A position is found in any of the eight symmetries of
// the board. The book of the program is compiled in from engine/Eroeffnungsbuch.txt.
//
// One line per position: the 49 points a1..g1, a2..g2, ..., a7..g7 ('S' black, 'W' white,
// '.' empty), the side to move (S or W), the move ("d4", "--" for a pass), its value and the
// depth of the search that found it. Empty lines and lines starting with '#' are skipped.
#include "engine/BitBrett.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct TBuchEintrag {
    TBits Schwarz = 0, Weiss = 0;
    std::uint8_t AmZug = 1;
    int Bit = KeinBit; // the move, in the orientation of the stored board
    int Wert = 0;
    int Tiefe = 0;
};

class TBuch {
public:
    // Reads the text; a line that is not an entry throws std::runtime_error with its number.
    void Lesen(std::string_view text);
    // The entry of the board in any symmetry; move is the move on the board as given (bit).
    bool Finde(TBits schwarz, TBits weiss, int amZug, TBuchEintrag& eintrag, int& zug) const;
    // Adds the board unless it is there already (in any symmetry).
    bool Eintragen(const TBuchEintrag& e);
    // Takes the board out (in any symmetry); false when it was not there.
    bool Entfernen(TBits schwarz, TBits weiss, int amZug);
    std::size_t Groesse() const { return eintraege_.size(); }
    const std::vector<TBuchEintrag>& Eintraege() const { return eintraege_; }

    static std::string Zeile(const TBuchEintrag& e);

private:
    struct TSchluesselHash {
        std::size_t operator()(const std::pair<TBits, TBits>& k) const {
            return static_cast<std::size_t>((k.first * 0x9E3779B97F4A7C15ull) ^
                                            (k.second + 0x632BE59BD9B4E019ull));
        }
    };
    // Index into eintraege_ per side to move.
    std::unordered_map<std::pair<TBits, TBits>, std::size_t, TSchluesselHash> index_[2];
    std::vector<TBuchEintrag> eintraege_;
};

// The book compiled into the program.
const TBuch& EingebautesBuch();

// The book's move for the engine board (a point, -1 pass) when the board is in the book and
// the move is legal there, repetition included.
bool BuchZug(const TBuch& buch, TEngineZustand& e, int& feld, int& wert, int& tiefe);
