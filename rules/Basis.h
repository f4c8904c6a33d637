#pragma once
// Vocabulary shared by the rules core, the engine, the game record and the window:
// stone values, the padded board, the move record, the position record and small helpers.
#include "rules/Checked.h"

#include <cstdint>
#include <string>
#include <vector>

// Stone value -2..1: 1 black, -2 white, 0 empty, -1 border. The opponent of a colour is its
// bitwise complement (~1 = -2, ~0 = -1), so chain code never mistakes empty for a colour.
using TFarbe = std::int8_t;
constexpr TFarbe Schwarz = 1;
constexpr TFarbe Weiss = -2;
constexpr TFarbe Leer = 0;
constexpr TFarbe Rand = -1;

// Checked conversion of any integer into a stone value.
constexpr TFarbe ZuFarbe(long v) { return static_cast<TFarbe>(Bereich<-2, 1>(v)); }
constexpr TFarbe Gegner(TFarbe c) { return static_cast<TFarbe>(~c); }
// Side byte (1 black, 0 white) -> colour of its stones.
constexpr TFarbe FarbeVonSeite(int seite) { return seite ? Schwarz : Weiss; }

// Board: cells -33..160; the 49 points are x + 16*y (x, y = 0..6), all else is border.
constexpr int BrettVon = -33;
constexpr int BrettBis = 160;
constexpr int LetzterPunkt = 102;
using TBrett = TArray<TFarbe, BrettVon, BrettBis>;

constexpr int Punkt(int x, int y) { return x + 16 * y; }
constexpr bool IstPunkt(long p) { return p >= 0 && p <= LetzterPunkt && (p & 15) < 7; }

constexpr TBrett MacheVorlage(TFarbe v) {
    TBrett b{};
    b.Fuelle(Rand);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x)
            b[Punkt(x, y)] = v;
    return b;
}

// Template boards for the values -2..1 (every point v, border -1), built once.
inline constexpr TArray<TBrett, -2, 1> Brettvorlagen = {
    {MacheVorlage(-2), MacheVorlage(-1), MacheVorlage(0), MacheVorlage(1)}};
// Every new game starts from this board (the empty board).
inline TBrett Startbrett = MacheVorlage(Leer);

// The four constant colour sets, indexed by value -2..1: {1,-1}, {1,-2}, {0,-1}, {0,-2}.
// A set is a bit mask over the values -2..1 (bit v+2).
using TFarbMenge = std::uint8_t;
constexpr TFarbMenge FarbBit(TFarbe v) { return static_cast<TFarbMenge>(1u << (v + 2)); }
inline constexpr TArray<TFarbMenge, -2, 1> Farbmengen = {
    {static_cast<TFarbMenge>(FarbBit(1) | FarbBit(-1)), static_cast<TFarbMenge>(FarbBit(1) | FarbBit(-2)),
     static_cast<TFarbMenge>(FarbBit(0) | FarbBit(-1)), static_cast<TFarbMenge>(FarbBit(0) | FarbBit(-2))}};
constexpr bool InMenge(TFarbMenge m, TFarbe v) { return (m & FarbBit(v)) != 0; }

// Move record, 4 bytes, stored byte for byte in game files.
struct TZug {
    TFarbe Farbe = 0;       // colour placed; 0 in a pass
    std::int8_t Feld = 0;   // point; negative: no stone placed (-1 pass)
    TFarbe Schlag = 0;      // content of the point before the move
    std::uint8_t Flags = 0; // 2 setup record, 4 back token, 8 side of an undo record
};
static_assert(sizeof(TZug) == 4, "TZug is a stored 4-byte record");

constexpr std::uint8_t FlagSetup = 2;
constexpr std::uint8_t FlagZurueck = 4;
constexpr std::uint8_t FlagSeite = 8;

inline constexpr TZug KeinZug{};
// Marker of "no move computed": first byte -1.
inline constexpr TZug NochKeinZug{-1, 0, 0, 0};

constexpr bool IstPass(const TZug& z) { return z.Feld < 0; }
constexpr bool GleicherZug(const TZug& a, const TZug& b) {
    return a.Farbe == b.Farbe && a.Feld == b.Feld && a.Schlag == b.Schlag && a.Flags == b.Flags;
}
inline bool operator==(const TZug& a, const TZug& b) { return GleicherZug(a, b); }

// Flag accessors.
constexpr bool IstSetup(const TZug& z) { return (z.Flags & FlagSetup) != 0; }
constexpr void SetzeSetup(TZug& z, bool an) { z.Flags = an ? (z.Flags | FlagSetup) : (z.Flags & ~FlagSetup); }
constexpr bool IstVorwaerts(const TZug& z) { return (z.Flags & FlagZurueck) == 0; }
constexpr void SetzeVorwaerts(TZug& z, bool vor) {
    z.Flags = vor ? (z.Flags & ~FlagZurueck) : (z.Flags | FlagZurueck);
}
constexpr bool SeiteBit(const TZug& z) { return (z.Flags & FlagSeite) != 0; }
constexpr void SetzeSeiteBit(TZug& z, bool an) {
    z.Flags = an ? (z.Flags | FlagSeite) : (z.Flags & ~FlagSeite);
}

// Position: a board and the half-move number (odd: black to move).
struct TStellung {
    TBrett Brett = MacheVorlage(Leer);
    std::int32_t Halbzug = 1;
    void Loeschen() { Brett = Brettvorlagen[Leer]; }
    void NeuesSpiel() {
        Loeschen();
        Halbzug = 1;
    }
    int AmZug() const { return Halbzug & 1; }
};

using TBrettliste = std::vector<TBrett>;

// Helpers
std::string Feldname(long p); // "a1".."g7", "--" for negative points
std::int16_t FeldAusText(const std::string& s);
char SteinBuchstabe(TFarbe v);
TFarbe SteinAusBuchstabe(char c);
TFarbe SteinAusFigur(char c);
TZug Passzug();
TZug MacheZug(const TBrett& b, long p, TFarbe farbe);
bool GleichesBrett(const TBrett& a, const TBrett& b);
std::string ZugText(const TZug& z);
// The point is empty or holds a stone of the other side (side 1 black, 0 white).
bool FremdOderLeer(bool seite, int wert);

// Board-level functions shared by the rules core and the engine.
int Freiheiten(const TBrett& b, int punkt);
using TGebietAnzahl = TArray<int, -2, 1>;
int Gebiet(const TBrett& b, int start, TBrett& ergebnis, TGebietAnzahl& anzahl);
TFarbe Besitzer(const TGebietAnzahl& anzahl);

// The area count point by point: a stone counts for its colour, an empty point for the owner of
// its region (Besitzer), a point of a neutral region for nobody (Leer).
using TBesitz = TArray<TFarbe, 0, LetzterPunkt>;
TBesitz Besitzverteilung(const TBrett& b);
