#pragma once
// Values of the search's boards: the evaluation of the values file (chain and position values,
// exactly as Bewertung computes them) plus what the search knows about area on top of it:
// settled territory with its dead stones, empty regions that touch one colour only, and the
// exact count at the end of a game. One point of area is worth as much as a lone stone in the
// values file.
#include "engine/GebietDflt.h"
#include "engine/SWertDflt.h"

// Value of one point of area in the units of the evaluation: a lone stone's chain value.
int PunktWert(const TBewertungsKonstanten& k);

struct TBlattWert {
    int Wert = 0;       // for the side to move
    bool Exakt = false; // the board is settled everywhere (or the game is over): Stand is final
    int Stand = 0;      // area count from the side to move's view when Exakt
};

class TBitBewertung {
public:
    // Scores stay within ±Grenze.
    static constexpr int Grenze = 31000;

    void Laden(const TBewertungsKonstanten& k);
    // The evaluation of the values file for the board, from the side to move's view.
    double Grundwert(const TBitBrett& b) const;
    // The value at the end of a search path.
    TBlattWert Blatt(const TBitBrett& b) const;
    // The value of a finished game (two passes): the count as the board stands.
    TBlattWert Ende(const TBitBrett& b) const;
    int Punktwert() const { return punkt_; }

private:
    double Ketten(const TKettenBits& k, TBits leer) const;
    double Grundwert(const TBitBrett& b, const TKettenBits& eigene, const TKettenBits& fremde) const;
    int Runden(double v) const;

    TArray<TArray<double, 0, MaxKette>, 0, MaxKette> kette_{};     // [size][liberties]
    TArray<TArray<TArray<double, 0, 63>, 0, 1>, 0, 1> position_{}; // [side to move][side of stone][bit]
    int punkt_ = 100;
};
