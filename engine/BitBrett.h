#pragma once
// The board the search plays on: one 64-bit word per colour, bit x + 8*y for column x and row y
// (column 7 of every row stays empty, so shifts by one never wrap into the next row). Moves,
// captures, take-back and positional repetition work on whole words; the engine board stays
// the interface, the search copies it in once per compute. Every board carries its Zobrist
// hash under all eight symmetries of the square, so that the search can key its table by the
// smallest of them.
#include "engine/ziehenDflt.h"

#include <bit>
#include <cstdint>

using TBits = std::uint64_t;

constexpr TBits AllePunkte = 0x007F7F7F7F7F7F7Full;
constexpr int KeinBit = -1; // a pass

constexpr int BitVonFeld(int feld) { return (feld & 15) + 8 * (feld >> 4); }
constexpr int FeldVonBit(int bit) { return bit < 0 ? -1 : (bit & 7) + 16 * (bit >> 3); }
constexpr TBits Bit(int bit) { return TBits{1} << bit; }
constexpr TBits Nachbarn(TBits b) { return ((b << 1) | (b >> 1) | (b << 8) | (b >> 8)) & AllePunkte; }
inline int Anzahl(TBits b) { return std::popcount(b); }
inline int ErstesBit(TBits b) { return std::countr_zero(b); }

// The connected part of menge that contains the bits of start.
inline TBits Flut(TBits menge, TBits start) {
    TBits k = start & menge, vorher;
    do {
        vorher = k;
        k |= Nachbarn(k) & menge;
    } while (k != vorher);
    return k;
}

// Opponent stones taken by a stone just placed (eigene holds it already).
inline TBits Gefangen(TBits eigene, TBits fremde, TBits stein) {
    const TBits leer = AllePunkte & ~(eigene | fremde);
    TBits geschlagen = 0;
    for (TBits n = Nachbarn(stein) & fremde; n; n &= n - 1) {
        const TBits q = n & (~n + 1);
        if ((q & geschlagen) || (Nachbarn(q) & leer)) continue; // taken already, or a liberty of its own
        const TBits kette = Flut(fremde, q);
        if (!(Nachbarn(kette) & leer)) geschlagen |= kette;
    }
    return geschlagen;
}

// Empty points of regions that touch stones of only one colour.
inline void LeereGebieteVon(TBits schwarz, TBits weiss, TBits& gebietS, TBits& gebietW) {
    gebietS = gebietW = 0;
    for (TBits rest = AllePunkte & ~(schwarz | weiss); rest;) {
        const TBits g = Flut(rest, rest & (~rest + 1));
        rest &= ~g;
        const TBits rand = Nachbarn(g);
        const bool s = (rand & schwarz) != 0, w = (rand & weiss) != 0;
        if (s && !w) gebietS |= g;
        if (w && !s) gebietW |= g;
    }
}

// The stones of one colour of an engine board.
TBits BitsVonBrett(const TBrett& b, TFarbe farbe);

// Symmetry s (0..7) of the square: bit -> bit, and its inverse.
int SymBit(int s, int bit);
int SymBitZurueck(int s, int bit);
TBits SymBits(int s, TBits b);

class TBitBrett {
public:
    static constexpr int MaxVerlauf = MaxZugIndex + 320; // the game plus the deepest search path

    // Stones per side byte: [1] black, [0] white.
    TArray<TBits, 0, 1> Steine{};
    std::uint8_t AmZug = 1;
    int Passe = 0; // passes in a row at the end of the history (2: the game is over)

    // The engine board with its whole history since the last reset.
    void Uebernehmen(const TEngineZustand& e);

    TBits Leer() const { return AllePunkte & ~(Steine[0] | Steine[1]); }
    TBits Eigene() const { return Steine[AmZug]; }
    TBits Fremde() const { return Steine[AmZug ^ 1]; }
    bool BeidePassen() const { return Passe >= 2; }
    bool LetzterZugPass() const { return Passe > 0; }
    bool HatPlatz() const { return verlaufAnzahl_ < MaxVerlauf; }
    int Verlauf() const { return verlaufAnzahl_; }
    // Whether a stone was ever removed in the history: until then no board can repeat.
    bool JeGeschlagen() const { return fangGrenze_ > 0; }

    std::uint64_t Hash(int s = 0) const { return hash_[s]; }
    // Smallest hash over the symmetries and the symmetry that gives it.
    std::uint64_t SymHash(int& sym) const {
        sym = 0;
        std::uint64_t m = hash_[0];
        for (int s = 1; s < 8; ++s)
            if (hash_[s] < m) {
                m = hash_[s];
                sym = s;
            }
        return m;
    }

    // Plays bit (KeinBit: pass) when it is legal: an empty point, no suicide, no earlier
    // board again. Returns whether it played; an illegal move leaves everything as it was.
    bool Ziehe(int bit);
    // Takes back the last move played through Ziehe.
    void Zurueck();
    // The last move (KeinBit: a pass, or none since the last reset) and the stones it removed,
    // the last move of the engine board's history included.
    int LetzterZug() const { return rueck_[rueckAnzahl_ - 1].Bit; }
    TBits ZuletztGeschlagen() const { return rueck_[rueckAnzahl_ - 1].Geschlagen; }
    bool Erlaubt(int bit) {
        if (!Ziehe(bit)) return false;
        Zurueck();
        return true;
    }
    // Empty points of regions that touch stones of only one colour.
    void LeereGebiete(TBits& schwarz, TBits& weiss) const {
        LeereGebieteVon(Steine[1], Steine[0], schwarz, weiss);
    }
    // Area count as the board stands, from the view of the side to move.
    int Spielstand() const;

private:
    struct TStand {
        TBits Schwarz = 0, Weiss = 0;
        TBits Steine(int seite) const { return seite ? Schwarz : Weiss; }
    };
    struct TRueck {
        std::int8_t Bit = KeinBit;
        std::int8_t PasseVorher = 0;
        std::int16_t FangGrenzeVorher = 0;
        TBits Geschlagen = 0;
    };
    void Kippe(int seite, TBits steine);
    bool Wiederholung(int bis) const;

    TArray<std::uint64_t, 0, 7> hash_{};
    TArray<TStand, 0, MaxVerlauf> verlauf_{};
    int verlaufAnzahl_ = 0;
    // Boards from this index on came after the last capture: all of them have fewer stones
    // than the board after a move that captures nothing.
    int fangGrenze_ = 0;
    // Entry 0 stands for the last move of the engine board, which is never taken back here.
    TArray<TRueck, 0, MaxVerlauf + 1> rueck_{};
    int rueckAnzahl_ = 1;
};
