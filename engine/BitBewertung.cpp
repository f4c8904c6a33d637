#include "engine/BitBewertung.h"

#include <algorithm>
#include <cmath>

void TBitBewertung::Laden(const TBewertungsKonstanten& k) {
    for (int g = 0; g <= MaxKette; ++g)
        for (int f = 0; f <= MaxKette; ++f)
            kette_[g][f] = k.Kettenwerte[g][f][0];
    position_ = {};
    for (int amZug = 0; amZug <= 1; ++amZug)
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 7; ++x) {
                position_[amZug][1][x + 8 * y] = k.Positionswerte[amZug][Schwarz][y][x];
                position_[amZug][0][x + 8 * y] = k.Positionswerte[amZug][Weiss][y][x];
            }
    punkt_ = PunktWert(k);
}

int PunktWert(const TBewertungsKonstanten& k) {
    const double stein = k.Kettenwerte[1][1][0];
    return stein >= 1 && stein <= 10000 ? static_cast<int>(std::lround(stein)) : 100;
}

double TBitBewertung::Ketten(const TKettenBits& k, TBits leer) const {
    double v = 0;
    for (int i = 0; i < k.Anzahl; ++i)
        v += kette_[Anzahl(k.Kette[i])][Anzahl(Nachbarn(k.Kette[i]) & leer)];
    return v;
}

double TBitBewertung::Grundwert(const TBitBrett& b, const TKettenBits& eigene,
                                const TKettenBits& fremde) const {
    double v = Ketten(eigene, b.Leer()) - Ketten(fremde, b.Leer());
    const auto& pw = position_[b.AmZug];
    for (int seite = 0; seite <= 1; ++seite)
        for (TBits s = b.Steine[seite]; s; s &= s - 1)
            v += pw[seite][ErstesBit(s)];
    return v;
}

double TBitBewertung::Grundwert(const TBitBrett& b) const {
    TKettenBits eigene, fremde;
    FindeKettenBits(b.Eigene(), eigene);
    FindeKettenBits(b.Fremde(), fremde);
    return Grundwert(b, eigene, fremde);
}
