#include "engine/BitBewertung.h"

#include <algorithm>
#include <cmath>

namespace {
// A chain needs room for two eyes before it can be settled, and on a board this empty nothing is.
constexpr int MinLebend = 7;
constexpr int MinSteine = 22;
// Open regions count from this many stones on, fully with GebietVollSteine more.
constexpr int GebietAbSteinen = 10;
constexpr int GebietVollSteine = 15;
// Dead stones still on the board cost a little, so that of two equal lines the one that
// takes them off comes first.
constexpr int ToteSteinStrafe = 4;
constexpr int ToteFreiheitStrafe = 2;
} // namespace

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

int TBitBewertung::Runden(double v) const {
    return static_cast<int>(
        std::lround(std::clamp(v, -static_cast<double>(Grenze), static_cast<double>(Grenze))));
}

TBlattWert TBitBewertung::Blatt(const TBitBrett& b) const {
    const TBits ich = b.Eigene(), du = b.Fremde(), leer = b.Leer();
    TKettenBits eigene, fremde;
    FindeKettenBits(ich, eigene);
    FindeKettenBits(du, fremde);
    double v = Grundwert(b, eigene, fremde);
    const bool voll = Anzahl(ich | du) >= MinSteine;
    const TSicher meins = voll && Anzahl(ich) >= MinLebend ? SicheresGebiet(ich, du, eigene) : TSicher{};
    const TSicher deins = voll && Anzahl(du) >= MinLebend ? SicheresGebiet(du, ich, fremde) : TSicher{};
    // Empty regions that touch one colour only are the area count's; early in the game they are
    // small and far from safe, so they count for more as the board fills.
    TBits s, w;
    b.LeereGebiete(s, w);
    const TBits sicher = meins.Gebiet | deins.Gebiet;
    const TBits leerIch = (b.AmZug ? s : w) & ~sicher, leerDu = (b.AmZug ? w : s) & ~sicher;
    const int gewicht = std::clamp(Anzahl(ich | du) - GebietAbSteinen, 0, GebietVollSteine);
    v += punkt_ * (Anzahl(meins.Gebiet & leer) - Anzahl(deins.Gebiet & leer));
    v += static_cast<double>(punkt_ * gewicht * (Anzahl(leerIch) - Anzahl(leerDu))) / GebietVollSteine;
    // Dead chains: their value leaves the board and their points go to the owner of the area.
    auto tote = [&](const TKettenBits& k, TBits gebiet) {
        double t = 0;
        for (int i = 0; i < k.Anzahl; ++i) {
            const TBits kette = k.Kette[i];
            if ((kette & gebiet) != kette) continue;
            const int g = Anzahl(kette), f = Anzahl(Nachbarn(kette) & leer);
            t += kette_[g][f] + punkt_ * g - ToteSteinStrafe * g - ToteFreiheitStrafe * f;
        }
        return t;
    };
    if (meins.Gebiet) v += tote(fremde, meins.Gebiet);
    if (deins.Gebiet) v -= tote(eigene, deins.Gebiet);
    TBlattWert r;
    r.Wert = Runden(v);
    if ((meins.Gebiet | deins.Gebiet) == AllePunkte) {
        r.Exakt = true;
        r.Stand = Anzahl(meins.Gebiet) - Anzahl(deins.Gebiet);
    }
    return r;
}

TBlattWert TBitBewertung::Ende(const TBitBrett& b) const {
    TBits s, w;
    b.LeereGebiete(s, w);
    const int gebiet = Anzahl(s) - Anzahl(w);
    TBlattWert r;
    r.Exakt = true;
    r.Stand = b.Spielstand();
    r.Wert = Runden(Grundwert(b) + punkt_ * (b.AmZug ? gebiet : -gebiet));
    return r;
}
