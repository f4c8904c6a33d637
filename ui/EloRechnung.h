#pragma once
// Tournament evaluation on the texts of the two tables: points, new ratings, rating check and
// the normalising of entered results. Standard C++ only, so it runs without a display.
#include <cstdint>
#include <string>
#include <vector>

// A table of texts, addressed like the grids: (column, row), row 0 and for the cross table
// column 0 are the header. Reading outside the table gives "", writing outside does nothing.
struct TGitter {
    int Spalten = 0;
    int Zeilen = 0;
    std::vector<std::string> Zellen; // row by row

    TGitter() = default;
    TGitter(int spalten, int zeilen);

    const std::string &Text(int spalte, int zeile) const;
    void Setze(int spalte, int zeile, const std::string &text);
    bool Enthaelt(int spalte, int zeile) const {
        return spalte >= 0 && zeile >= 0 && spalte < Spalten && zeile < Zeilen;
    }
    // Keeps the texts at their (column, row); new cells are empty.
    void Groesse(int spalten, int zeilen);
    void ZeileEinfuegen(int zeile);
    void ZeileLoeschen(int zeile);
    void SpalteEinfuegen(int spalte);
    void SpalteLoeschen(int spalte);
};

// Columns of the player table.
constexpr int SpalteName = 0;
constexpr int SpaltePunkte = 1;
constexpr int SpalteEloAlt = 2;
constexpr int SpalteEloNeu = 3;

enum class TErgebnisArt { Keins, Sieg, Niederlage, Remis, Unbekannt };

std::string Trimmen(const std::string &s);
TErgebnisArt ErgebnisLesen(const std::string &text);
// Points of a result; an unknown text counts as a draw.
double ErgebnisPunkte(TErgebnisArt art);
// Shortest decimal form: 2.5, 3, 2009.8.
std::string ZahlText(double wert);
// Integer value of a rating text; vorgabe when it is not a whole 32-bit number.
std::int32_t EloZahl(const std::string &text, std::int32_t vorgabe);

// Lowest rating difference for an expected score of (50 + k) %.
int EloDifferenz(int k);
// Rating after n games with w points against opponents of average a (already clipped).
double NeueElo(std::int32_t r0, const std::vector<std::int32_t> &gegner, double w);

// Points of player row `zeile` from its row of the cross table into column 1.
void ZeilePkteAuswerten(TGitter &spieler, const TGitter &ergebnisse, int zeile);
// New rating of player row `zeile` into column 3.
void ZeileEloAuswerten(TGitter &spieler, const TGitter &ergebnisse, int zeile);

inline const std::string MeldungNurZiffern = "Bitte nur Ziffern in der Elo benutzen!";
inline const std::string MeldungEloBereich = "Bitte Elo zwischen 100 und 5000 eingeben!";
// Checks the rating column; returns the message of the first bad entry, "" if all are fine.
std::string EloPruefen(const TGitter &spieler);

inline const std::string MeldungErgebnis =
    "In dieser Tabelle dürfen nur die Werte \"1-0\", \"0-1\" oder \"1/2-1/2\" stehen. \r\n"
    "Die Eingabe kann durch \"1\", \"0\" oder \"1/2\"  abgekürzt werden.";

enum class TPruefung { Leer, Erkannt, Fehler };
// Normalises the result at (x, y) and writes its mirror at (y, x); keeps the cross table
// square enough to hold the mirror. Does not recompute points or ratings.
TPruefung ErgebnisNormalisieren(TGitter &ergebnisse, int x, int y);

// The names of the players into row 0 and column 0 of the cross table, which grows to the
// number of player rows.
void TabellenKopf(const TGitter &spieler, TGitter &ergebnisse);
