#pragma once
// The position of the setup dialog as editable text:
//  " W: a1 c3" line break " S: d4 e5"   (stones column by column from a1)
#include "rules/Basis.h"

#include <string>

std::string StellungAlsText(const TBrett &b);

// Reads the text into b. Returns an empty string on success, else the German message
// (b is then unchanged). An empty board or a side without stones is refused.
std::string StellungAusText(const std::string &text, TBrett &b);
// Only the stone checks of an accepted board ("Keine Steine auf dem Brett.", ...); empty if fine.
std::string PruefeSteine(const TBrett &b);
