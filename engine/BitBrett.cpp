#include "engine/BitBrett.h"

#include <algorithm>

namespace {

constexpr int SymInvers[8] = {0, 1, 2, 3, 4, 6, 5, 7};

constexpr int SymXY(int s, int x, int y) {
    int nx = x, ny = y;
    switch (s) {
    case 1:
        nx = 6 - x;
        break;
    case 2:
        ny = 6 - y;
        break;
    case 3:
        nx = 6 - x, ny = 6 - y;
        break;
    case 4:
        nx = y, ny = x;
        break;
    case 5:
        nx = 6 - y, ny = x;
        break;
    case 6:
        nx = y, ny = 6 - x;
        break;
    case 7:
        nx = 6 - y, ny = 6 - x;
        break;
    default:
        break;
    }
    return nx + 8 * ny;
}

struct TSymTafeln {
    TArray<TArray<std::int8_t, 0, 63>, 0, 7> Bild{};
    // Zobrist key of a stone of side c on bit b, seen through symmetry s: [s][c][b].
    TArray<TArray<TArray<std::uint64_t, 0, 63>, 0, 1>, 0, 7> Schluessel{};
};

constexpr TSymTafeln MacheTafeln() {
    TSymTafeln t{};
    for (int s = 0; s < 8; ++s)
        for (int b = 0; b < 64; ++b)
            t.Bild[s][b] = static_cast<std::int8_t>((Bit(b) & AllePunkte) ? SymXY(s, b & 7, b >> 3) : b);
    std::uint64_t z = 0x5A17B0C7E2D94F31ull;
    TArray<TArray<std::uint64_t, 0, 63>, 0, 1> basis{};
    for (int c = 0; c < 2; ++c)
        for (int b = 0; b < 64; ++b) {
            z += 0x9E3779B97F4A7C15ull;
            std::uint64_t x = z;
            x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
            x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
            basis[c][b] = (Bit(b) & AllePunkte) ? x ^ (x >> 31) : 0;
        }
    for (int s = 0; s < 8; ++s)
        for (int c = 0; c < 2; ++c)
            for (int b = 0; b < 64; ++b)
                t.Schluessel[s][c][b] = basis[c][t.Bild[s][b]];
    return t;
}
constexpr TSymTafeln Tafeln = MacheTafeln();

} // namespace

TBits BitsVonBrett(const TBrett& b, TFarbe farbe) {
    TBits r = 0;
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x)
            if (b[Punkt(x, y)] == farbe) r |= Bit(x + 8 * y);
    return r;
}

int SymBit(int s, int bit) { return bit < 0 ? bit : Tafeln.Bild[s][bit]; }
int SymBitZurueck(int s, int bit) { return bit < 0 ? bit : Tafeln.Bild[SymInvers[Bereich<0, 7>(s)]][bit]; }
TBits SymBits(int s, TBits b) {
    TBits r = 0;
    for (; b; b &= b - 1)
        r |= Bit(Tafeln.Bild[s][ErstesBit(b)]);
    return r;
}

void TBitBrett::Kippe(int seite, TBits steine) {
    Steine[seite] ^= steine;
    for (; steine; steine &= steine - 1) {
        const int b = ErstesBit(steine);
        for (int s = 0; s < 8; ++s)
            hash_[s] ^= Tafeln.Schluessel[s][seite][b];
    }
}

void TBitBrett::Uebernehmen(const TEngineZustand& e) {
    Steine = {};
    hash_ = {};
    Kippe(1, BitsVonBrett(e.Brett, Schwarz));
    Kippe(0, BitsVonBrett(e.Brett, Weiss));
    AmZug = e.AmZug;
    Passe = 0;
    for (int n = e.Zugnummer - 1; n >= 1 && Passe < 2 && e.Zugfolge[n] < 0; --n)
        ++Passe;
    verlaufAnzahl_ = 0;
    fangGrenze_ = 0;
    int steineVorher = 0;
    for (std::size_t i = 0; i < e.Stellungen.size(); ++i) {
        const TBrett& b = e.Stellungen[i];
        TStand st{BitsVonBrett(b, Schwarz), BitsVonBrett(b, Weiss)};
        const int steine = Anzahl(st.Schwarz | st.Weiss);
        if (i > 0 && e.Zugfolge[static_cast<long>(i)] >= 0 && steine != steineVorher + 1)
            fangGrenze_ = static_cast<int>(i);
        steineVorher = steine;
        verlauf_[verlaufAnzahl_++] = st;
    }
    TRueck letzter;
    const int n = static_cast<int>(e.Stellungen.size());
    if (e.Zugnummer > 1 && n >= 2) {
        letzter.Bit = static_cast<std::int8_t>(
            e.Zugfolge[e.Zugnummer - 1] < 0 ? KeinBit : BitVonFeld(e.Zugfolge[e.Zugnummer - 1]));
        letzter.Geschlagen = verlauf_[n - 2].Steine(AmZug) & ~verlauf_[n - 1].Steine(AmZug);
    }
    rueck_[0] = letzter;
    rueckAnzahl_ = 1;
}

bool TBitBrett::Wiederholung(int bis) const {
    const TBits s = Steine[1], w = Steine[0];
    for (int i = 0; i < bis; ++i)
        if (verlauf_[i].Schwarz == s && verlauf_[i].Weiss == w) return true;
    return false;
}

bool TBitBrett::Ziehe(int bit) {
    if (!HatPlatz()) return false;
    TRueck r;
    r.PasseVorher = static_cast<std::int8_t>(Passe);
    r.FangGrenzeVorher = static_cast<std::int16_t>(fangGrenze_);
    if (bit == KeinBit) {
        Passe = std::min(Passe + 1, 2);
    } else {
        const TBits stein = Bit(Bereich<0, 55>(bit));
        if (!(stein & Leer())) return false;
        const int ich = AmZug, du = AmZug ^ 1;
        Kippe(ich, stein);
        const TBits geschlagen = Gefangen(Steine[ich], Steine[du], stein);
        if (geschlagen) Kippe(du, geschlagen);
        const bool frei = (Nachbarn(stein) & Leer()) || (Nachbarn(Flut(Steine[ich], stein)) & Leer());
        if (!frei || Wiederholung(geschlagen ? verlaufAnzahl_ : fangGrenze_)) {
            if (geschlagen) Kippe(du, geschlagen);
            Kippe(ich, stein);
            return false;
        }
        r.Bit = static_cast<std::int8_t>(bit);
        r.Geschlagen = geschlagen;
        if (geschlagen) fangGrenze_ = verlaufAnzahl_;
        Passe = 0;
    }
    verlauf_[verlaufAnzahl_++] = TStand{Steine[1], Steine[0]};
    rueck_[rueckAnzahl_++] = r;
    AmZug ^= 1;
    return true;
}

void TBitBrett::Zurueck() {
    const TRueck r = rueck_[--rueckAnzahl_];
    --verlaufAnzahl_;
    AmZug ^= 1;
    if (r.Bit != KeinBit) {
        if (r.Geschlagen) Kippe(AmZug ^ 1, r.Geschlagen);
        Kippe(AmZug, Bit(r.Bit));
    }
    Passe = r.PasseVorher;
    fangGrenze_ = r.FangGrenzeVorher;
}

int TBitBrett::Spielstand() const {
    TBits s, w;
    LeereGebiete(s, w);
    const int schwarz = Anzahl(Steine[1] | s), weiss = Anzahl(Steine[0] | w);
    return AmZug == 1 ? schwarz - weiss : weiss - schwarz;
}
