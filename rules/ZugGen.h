#pragma once
// The rules state of the game the user sees: board, side to move, moves played, the undo
// stack of every board change, the candidate moves and the history of all boards.
#include "rules/Basis.h"
#include "rules/Kapazitaet.h"
#include "rules/Laeufer.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Answers of PruefeZug.
enum : int {
    ZugLegal = 0,
    ZugKeinKandidat = 1,
    ZugKeinPlatz = 2, // the game's record is full (MaxHalbzuege half-moves played)
    ZugWiederholung = 3,
    ZugSelbstmord = 4,
};

struct TZugGenerator {
    TBrett Brett = MacheVorlage(Leer);
    std::uint8_t AmZug = 1;
    std::int32_t Zugnummer = 1;
    TArray<TZug, 0, MaxHalbzuege> Zugfolge{};
    TArray<TZug, 0, MaxAktionen - 1> Aktionen{};
    std::int32_t AktionenAnzahl = 0;
    std::int32_t FarbMaske = 0;
    TArray<std::int32_t, 0, 1> Zuganzahl{};
    TArray<TZug, 0, MaxRegelKandidaten> Zugliste{};
    TBrettliste Stellungen;

    TZugGenerator() { Grundstellung(); }

    void Grundstellung();
    bool SetzeStellung(const TStellung& st);
    TStellung HoleStellung() const;
    void ErzeugeZuege();
    int Kandidaten() const { return Zuganzahl[AmZug]; }
    bool IstKandidat(const TZug& z) const;
    bool ZugZuFeld(TZug& z) const;
    // Candidates on the point (a tagged record names only the target); z gets the last one.
    int ZaehleZuegeAufFeld(int feld, TZug& z) const;
    void Ziehe(const TZug& z);
    void Zuruecknehmen();
    int PruefeZug(const TZug& z);
    bool IstErlaubt(const TZug& z) { return PruefeZug(z) == ZugLegal; }
    bool Wiederholung() const;
    bool BeidePassen() const;
    void Zaehle(int& schwarz, int& weiss) const;
    std::string Spielstand() const;
    TFarbe Mover() const { return ZuFarbe(FarbMaske ^ 1); }

    // Whether the record has room for this move and everything it would capture.
    bool HatPlatzFuer(const TZug& z) const;

private:
    int EntferneKette(int punkt, TLaeufer& laeufer);
    void SetzeFeld(int punkt, TFarbe wert);
    void Push(const TZug& a);
};

// "25:24 Schwarz ist am Zug." / "25:24 Schwarz hat gewonnen!" ...: the one text of the game's
// state that every front end shows.
std::string SpielZustandText(const TZugGenerator& z);
// The part after the score: "Schwarz ist am Zug.", "Weiß hat gewonnen!", ...
std::string SpielZustandMeldung(const TZugGenerator& z);
