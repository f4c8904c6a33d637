#pragma once
// The notation's layout as plain data: where each text of the game record stands, whether it
// belongs to the continuation (drawn in blue), and where the move field goes. Computed when the
// game or the input changes; painting only paints it.
#include "rules/Basis.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

struct TNotationText {
    int X = 0, Y = 0; // pen position of the text's top left, the first line at 0
    std::string Text;
    bool Fortsetzung = false;
};

struct TNotationSatz {
    std::vector<TNotationText> Texte;
    int FeldX = 0, FeldY = 0; // where the next move is written: the move field's place
};

using TTextBreite = std::function<int(const std::string&)>;

// gespielt: the moves played, ply 1 first; weiter: the continuation written after the field.
// Two plies share a line: the number right-aligned in four places, ". ", the black move, three
// blanks, two blanks, the white move, three blanks.
TNotationSatz NotationAnordnen(const std::vector<TZug>& gespielt, const std::vector<TZug>& weiter,
                               int zeilenhoehe, const TTextBreite& breite);

// Scrolling, in pixels: the notation's range for the position zugnummer, and the scroll position
// that brings the line of the move field into view. The game is shown from its start while
// everything up to the field fits; otherwise the position moves no further than it must.
int NotationMaximum(int zugnummer, int zeilenhoehe);
int FeldZeileZeigen(int position, int zugnummer, int zeilenhoehe, int sichtHoehe, int feldHoehe);
