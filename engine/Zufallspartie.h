#pragma once
// The games the tree search plays from its leaves to the end. Not at random: the side to move
// takes a chain that the last move left in atari, saves its own chains that the last move put
// in atari (unless a ladder would take them all the same), plays the race next to the last move
// (an atari on a neighbour of two liberties, or a third liberty), takes the vital point of a
// three-point eye space, answers the last move with a good local shape, and otherwise plays any
// point that is no true eye of its own, no suicide and no self-atari of a chain of two stones or
// more. Two passes end the game (when nothing but own eyes is left, a side passes), and the area
// is counted as the board then stands, which is exact: no dead stone is left inside an area.
// Repetition is refused only as a direct ko recapture: the tree keeps the full rules.
#include "engine/BitBrett.h"

struct TZufall {
    std::uint64_t s;
    explicit TZufall(std::uint64_t saat = 0x2545F4914F6CDD1Dull) : s(saat | 1) {}
    std::uint64_t Naechste() {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return s;
    }
    // 0..n-1
    int Unter(int n) { return static_cast<int>(((Naechste() >> 32) * static_cast<std::uint64_t>(n)) >> 32); }
};

// One of the bits of m (not 0), chosen at random.
int ZufallsBit(TBits m, TZufall& z);

// Points diagonally next to the points of b.
constexpr TBits Diagonalen(TBits b) { return ((b << 9) | (b << 7) | (b >> 7) | (b >> 9)) & AllePunkte; }

// The empty points that are true eyes of the stones eigene against fremde: every neighbour an
// own stone, and of the diagonal points at most one held by the opponent (none at the edge).
TBits Augen(TBits eigene, TBits fremde);

// Ladders, read on whole words. The attacker (stones angreifer) is to move and the chain kette
// of the stones verteidiger has two liberties: the atari that takes it in a ladder, or KeinBit.
// The chain gets out when it reaches three liberties or takes stones, and when reading the
// ladder would take more than 64 positions.
int LeiterFaengt(TBits angreifer, TBits verteidiger, TBits kette);

class TZufallspartie {
public:
    static constexpr int MaxZuege = 160;

    TArray<TBits, 0, 1> Steine{}; // [1] black, [0] white
    int AmZug = 1;
    int Passe = 0;
    int Ko = KeinBit;             // the point the side to move may not retake at once
    int Letzter = KeinBit;        // the last move, KeinBit after a pass
    int Zuege = 0;                // moves played by this game
    TArray<TBits, 0, 1> Erster{}; // the points each side played first in this game

    // Starts from the search's board as it stands.
    void Von(const TBitBrett& b);
    // The move the policy chooses (KeinBit: pass); it is legal.
    int Waehle(TZufall& z) const;
    // Plays a legal move (KeinBit: pass).
    void Spiele(int bit);
    // Plays to the end and returns black's area lead.
    int BisZumEnde(TZufall& z);
    // Black's area lead as the board stands.
    int Vorsprung() const;

private:
    // The chains on the board, kept up to date move by move: each under the number of one of its
    // stones, with its empty neighbours.
    struct TKette {
        TBits Steine = 0, Frei = 0;
    };
    TArray<TKette, 0, 63> Ketten_{};
    TArray<std::int8_t, 0, 63> Nummer_{}; // the chain of each stone
    TArray<TBits, 0, 1> Nummern_{};       // the chains' numbers, per colour

    const TKette& KetteAn(int bit) const { return Ketten_[Nummer_[bit]]; }
    // The chain the side to move would make with a stone on the empty point stein, before any
    // capture: the stone, the own chains it touches, and their liberties but stein.
    TKette Verbunden(TBits stein) const;
    // The liberties of the chains of one colour that are in atari.
    TBits AtariPunkte(int farbe) const;
    // Legal for the side to move and no self-atari of a chain of two or more stones.
    bool Gut(int bit) const;
    // A point of punkte chosen at random among those Gut accepts, or KeinBit.
    int GuterAus(TBits punkte, TZufall& z) const;
    // A point where the side to move answers the last move by shape, or KeinBit.
    int Form(TZufall& z) const;
    // The middle of a space of three empty points next to the last move that stones of only
    // one colour surround, when it may be played; or KeinBit.
    int Nakade() const;
    // A move of a race next to the last move (see TSuchParameter::Rennen), or KeinBit.
    int Rennen(TZufall& z) const;
    // A move that saves the own chain kette in atari (liberty frei), or KeinBit.
    int Retten(TBits kette, TBits frei) const;
};
