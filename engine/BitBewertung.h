#pragma once
// The evaluation of the values file (chain and position values, exactly as Bewertung computes
// them) on the search's boards, and the scale of the values the search reports.
#include "engine/GebietDflt.h"
#include "engine/SWertDflt.h"

// Values of finished games: the count ± GewinnWert (0 for equal), above and below every value
// that is not proven, which stays within ±EvalGrenze.
constexpr int EvalGrenze = 31000;
constexpr int GewinnWert = 32000;
constexpr int EndWertVon(int stand) {
    return stand > 0 ? stand + GewinnWert : stand < 0 ? stand - GewinnWert : 0;
}

// Value of one point of area in the units of the evaluation: a lone stone's chain value.
int PunktWert(const TBewertungsKonstanten& k);

class TBitBewertung {
public:
    void Laden(const TBewertungsKonstanten& k);
    // The evaluation of the values file for the board, from the side to move's view.
    double Grundwert(const TBitBrett& b) const;
    int Punktwert() const { return punkt_; }

private:
    double Ketten(const TKettenBits& k, TBits leer) const;
    double Grundwert(const TBitBrett& b, const TKettenBits& eigene, const TKettenBits& fremde) const;

    TArray<TArray<double, 0, MaxKette>, 0, MaxKette> kette_{};     // [size][liberties]
    TArray<TArray<TArray<double, 0, 63>, 0, 1>, 0, 1> position_{}; // [side to move][side of stone][bit]
    int punkt_ = 100;
};
