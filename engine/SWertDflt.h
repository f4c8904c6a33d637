#pragma once
// Static evaluation of the built-in engine: chain values by size and liberties plus position
// values per point, from the view of the side to move. The constants come from the values
// file of the engines folder; a built-in copy of its text is the default.
#include "engine/ziehenDflt.h"

#include <cstdint>
#include <string>

constexpr double WertMarke = -2147483647.0; // an entry not given yet
constexpr int MaxKette = 49;
constexpr int MaxAugen = 2;

using TPositionsTafel = TArray<TArray<double, 0, 6>, 0, 6>;           // [row][column]
using TPositionswerte = TArray<TArray<TPositionsTafel, -2, 1>, 0, 1>; // [side][colour]
using TKettenwerte =
    TArray<TArray<TArray<double, 0, MaxAugen>, 0, MaxKette>, 0, MaxKette>; // [size][lib][eyes]

struct TBewertungsKonstanten {
    TPositionswerte Positionswerte{};
    TKettenwerte Kettenwerte{};
    void AllesMarkieren();
};

// Chains of one board, found in ascending order of their first point.
struct TKette {
    std::int16_t Punkt = 0;
    std::int32_t Groesse = 0;
    std::int32_t Freiheiten = 0;
    std::int32_t Augen = 0;
    std::int16_t Freiheit = -1; // one of its liberties: the last one of a chain in atari
};
struct TKettenListe {
    TArray<TKette, 0, LetzterPunkt> Ketten{};
    int Anzahl = 0;
    TKettenMarken Marken{}; // chain number per point, -1 none
};
// Fills the list the way the evaluation sees the board (same sizes and liberties as
// KettenGroesse/KettenFreiheiten, in one sweep).
void FindeKetten(const TBrett& b, TKettenListe& l);

// The constants in use; the search reads them.
extern TBewertungsKonstanten Konstanten;

// Value of the position for the side to move.
double Bewertung(const TEngineZustand& e, const TBewertungsKonstanten& k = Konstanten);
// The same with the chains already found.
double Bewertung(const TEngineZustand& e, const TKettenListe& l, const TBewertungsKonstanten& k = Konstanten);

// Fills every entry still holding the marker (position values from black's table, white's
// view mirrored; chain values extrapolated, see the reader).
void ErgaenzeWerte(TBewertungsKonstanten& k);

// The built-in text of the values file.
const std::string& StandardWerteText();
// Reads the text; on success k holds the completed values. A failure throws
// std::runtime_error with the reader's message and leaves k undefined.
void LeseWerteText(const std::string& text, TBewertungsKonstanten& k);
// The text of the echo file for the values.
std::string WerteAlsText(const TBewertungsKonstanten& k);

// The engines folder (from the data folder); the current folder until it is set.
void SetzeEngineOrdner(std::string ordner);
std::string EngineOrdner();
std::string WerteDateiName(); // ".../Default7x7.werte.cfg"
std::string WerteEchoName();  // ".../Default7x7.werte.out"

// Reads the values file into k (the defaults after a read error, with a message), writes the
// echo file (a message if that fails). True when the values in k are usable.
bool LeseWerteDatei(TBewertungsKonstanten& k);

// Adds a random integer 0..n-1 to each of the 392 position values.
void ZufallsVariation(TBewertungsKonstanten& k, int n);
void SetzeZufallsSaat(std::uint32_t saat);

// What a compute does first: read, echo, vary with n = 5, into Konstanten.
bool BereiteBewertungVor();
// Identity of the values in Konstanten: the same for every compute from the same values file,
// whatever its random variation, and another one for other values.
std::uint64_t WerteKennung();
