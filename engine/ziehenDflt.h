#pragma once
// The engine's own copy of the game: board, candidate moves, moves with captures, take-back
// through an undo stack of single-cell changes, legality with positional repetition over the
// whole history, and the area score. The search plays millions of moves on it, so the board
// keeps a Zobrist hash of itself up to date and the history keeps the hash of every board:
// repetition is a scan of hashes with a board compare only on a hit.
#include "rules/Basis.h"
#include "rules/Kapazitaet.h"
#include "rules/Laeufer.h"

#include <cstdint>

// One changed cell on the undo stack.
#pragma pack(push, 1)
struct TAktion {
    std::int16_t Feld = -1; // -1: a pass, no cell changed
    TFarbe Alt = 0;
    TFarbe Neu = 0;
    std::uint8_t Seite = 0; // AmZug when the change was made
};
#pragma pack(pop)
static_assert(sizeof(TAktion) == 5, "TAktion is a 5-byte record");

// Last index of the move list; the same limit as the rules' (move n is stored at index n).
constexpr int MaxZugIndex = MaxHalbzuege;

using TSpielListe = TArray<std::int16_t, 0, MaxZugIndex>;
using TAktionsliste = TArray<TAktion, 0, MaxAktionen - 1>;
using TKandidatenListe = TArray<std::int16_t, 1, MaxKandidaten>;
using TKettenMarken = TArray<std::int16_t, BrettVon, BrettBis>;
using THashListe = TArray<std::uint64_t, 0, MaxZugIndex>;

// Zobrist key of a cell holding a value (0 for empty and border).
std::uint64_t ZobristSchluessel(int feld, TFarbe wert);
// Hash of a whole board, as TEngineZustand::Hash keeps it.
std::uint64_t BrettHash(const TBrett& b);

struct TEngineZustand {
    TBrett Brett = MacheVorlage(Leer);
    std::int32_t Zugnummer = 1;
    std::int32_t FarbMaske = 0;
    std::uint8_t AmZug = 1;
    TSpielListe Zugfolge{};
    TAktionsliste Aktionen{};
    std::int32_t AktionenAnzahl = 0;
    TBrettliste Stellungen; // capacity for a full game is reserved once
    TKandidatenListe Zugliste{};
    std::int32_t Zuganzahl = 0;
    // Invariants: Hash = BrettHash(Brett); Hashes[i] = BrettHash(Stellungen[i]);
    // Stellungen.size() = Zugnummer and Stellungen.back() = Brett.
    std::uint64_t Hash = 0;
    THashListe Hashes{};

    TEngineZustand();

    void Neustart();
    void Ruecksetzen();
    // A point outside the 49 is left alone (it is border for good); -1 on a point empties it.
    void SetzeStein(int feld, int wert);
    void ErzeugeZuege();
    bool IstKandidat(int feld) const;
    void SetzeFeld(int feld, TFarbe wert);
    void NimmAktionZurueck();
    int EntferneKette(int feld, TFarbe farbe);
    void Ziehe(int feld);
    // Does nothing at the first position of the history.
    void Zuruecknehmen(bool neuAufbauen);
    bool IstErlaubt(int feld);
    // Plays the move when it is legal (as IstErlaubt) and says so; otherwise nothing changes.
    bool ZieheWennErlaubt(int feld);
    bool Wiederholung() const;
    bool BeidePassen() const;
    int Spielstand() const;
    double Endwert() const;
    int KettenGroesse(int feld, TFarbe farbe, int marke, TKettenMarken& marken) const;
    int KettenFreiheiten(int feld) const;

    TFarbe Mover() const { return ZuFarbe(FarbMaske ^ 1); }
    // Room for one more move with its captures: the rules' limit of half-moves. The undo stack
    // cannot fill before the half-moves do (see MaxAktionen).
    bool HatPlatz() const { return Zugnummer <= MaxHalbzuege; }
    // Whether the last move was a pass (part of the transposition key of the search).
    bool LetzterZugPass() const { return Zugnummer > 1 && Zugfolge[Zugnummer - 1] < 0; }
    // Whether the chain through the stone has at least one liberty.
    bool HatFreiheit(int feld) const;

private:
    void Schreibe(int feld, TFarbe wert);
    void Push(const TAktion& a);
    mutable TLaeufer laeufer_;
};

// The engine's one board, used by the entry points and the search.
extern TEngineZustand EngineBrett;
