#pragma once
// The game analysis: the built-in engine values every position of the game's line, and from
// these values follow, for each half-move, the margin for Black after it and what the move cost
// its mover against the engine's best move. The values are found on the search thread by a job
// that the registry runs like a compute, so that a compute and an analysis never meet.
#include "engine/Engines.h"
#include "engine/Schaetzung.h"

#include <atomic>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// The game's line: its start, the moves played up to the current position and the continuation
// that stepping forward replays.
struct TPartieLinie {
    TStellung Start;         // board and side to move (Halbzug 1: black, 2: white)
    std::vector<TZug> Zuege; // half-move n is Zuege[n - 1]; position n stands after it
    std::size_t Aktuell = 0; // the current position: the number of moves played
};

// The controller's game as a line.
TPartieLinie AktuelleLinie();
// How many positions, counted from the start, the two lines share (0: different starts).
std::size_t GemeinsameStellungen(const TPartieLinie& a, const TPartieLinie& b);
// Whether both lines stand at the same position, reached by the same moves.
bool GleicheStellung(const TPartieLinie& a, const TPartieLinie& b);
// Side to move in position n of the line: 1 black, 0 white.
int SeiteAmZug(const TPartieLinie& l, std::size_t n);

// The values of positions 0 .. Zuege.size() of a line; nullopt: not valued (yet).
using TStellungsWerte = std::vector<std::optional<TStellungsSchaetzung>>;
// The values of line alt for line neu: the positions both share keep theirs, the others have none.
TStellungsWerte WerteUebertragen(const TPartieLinie& alt, const TStellungsWerte& werte,
                                 const TPartieLinie& neu);
// What a job found for line von goes into werte of line linie, where the two share the position.
void WerteErgaenzen(TStellungsWerte& werte, const TPartieLinie& linie, const TPartieLinie& von,
                    const TStellungsWerte& gefunden);
// The positions of the line that have no value yet.
std::vector<std::size_t> OhneWert(const TStellungsWerte& werte);

// A margin of the side to move seen from Black (positive: Black ahead).
double MargeFuerSchwarz(double marge, int amZug);
// What a move cost its mover: the margin the best move promised (before, for the mover) against
// the margin after the move (for the opponent, who is to move then). 0 for the best move itself,
// never negative: a move that turns out better than the engine's choice lost nothing.
double ZugVerlust(double margeVorher, double margeDanachGegner, bool besterZug);

struct THalbzugWert {
    std::size_t Nummer = 0; // 1 for the first move of the line
    TZug Zug{};
    int Seite = 1;                      // the mover: 1 black, 0 white
    std::optional<double> MargeSchwarz; // after the move
    std::optional<double> Verlust;      // needs the values of the positions before and after
};
// Black's margin in every position 0 .. Zuege.size(), where valued.
std::vector<std::optional<double>> MargenSchwarz(const TPartieLinie& l, const TStellungsWerte& werte);
std::vector<THalbzugWert> HalbzugWerte(const TPartieLinie& l, const TStellungsWerte& werte);

// The position a point of the graph at x stands for: the nearest of 0 .. zuege.
std::size_t StellungBeiX(double x, std::size_t zuege);

// A move that loses this much is listed and marked.
constexpr double FehlerGrenze = 3.0;
// The half-moves that lost at least grenze points, in the game's order.
std::vector<THalbzugWert> GrobeFehler(const std::vector<THalbzugWert>& zuege, double grenze = FehlerGrenze);
// "7 c3 +4.0 0.0": number, move ("pass" for a pass), Black's margin after it, its loss; "?"
// for a value that is missing.
std::string HalbzugText(const THalbzugWert& h);

// Seconds of search for the hint at an engine level: the level's time for a move (that of
// level 8 from level 9 on, where a move has no time limit).
double TippSekunden(int level);
// Seconds per position of the analysis: the hint's, at most that of level 4 (the level the
// program starts with), so that a game of 60 half-moves takes about 20 s.
double AnalyseSekunden(int level);
// The level of the built-in engine (4 when it is not registered).
int AnalyseLevel();

// A job of the search thread that values positions of a line. The registry runs it like a
// compute (StarteAuftrag): one search at a time, and its stop flag cancels it.
class TAnalyseAuftrag : public TEngine {
public:
    explicit TAnalyseAuftrag(const std::string& name);

    // On the main thread before the start: the line, the positions to value, the time for each.
    void Vorbereiten(const TPartieLinie& linie, std::vector<std::size_t> stellungen, double sekunden);
    // Search thread: values the positions one after another, until the stop flag is set.
    bool Berechne(TZug& zug, std::int32_t& wert) override;

    std::size_t Fertig() const { return Erledigt.load(); }
    std::size_t Gesamt() const { return Stellungen.size(); }
    const TPartieLinie& Linie() const { return DieLinie; }
    // What was found (after a cancel: the positions valued before it).
    TStellungsWerte Werte() const;

private:
    TPartieLinie DieLinie;
    std::vector<std::size_t> Stellungen;
    double Sekunden = 0;
    std::atomic<std::size_t> Erledigt{0};
    mutable std::mutex WerteMutex;
    TStellungsWerte Gefunden;
};
