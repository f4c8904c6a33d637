#pragma once
// Search of the built-in engine: a tree of moves grown by games played to the end from its
// leaves (Monte Carlo tree search with all-moves-as-first statistics), on a bitboard copy of
// the engine board. Every finished game is counted exactly, and bounds of the final count are
// carried up the tree, so that a proven result rests on counts only.
#include "engine/BitBewertung.h"
#include "engine/ziehenDflt.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// What the engine information view shows of the running or last search. The search keeps a
// copy of it up to date under a lock; HoleSuchInfo hands out a consistent copy.
struct TSuchInfo {
    int Tiefe = 0;
    int AktuellerZug = -2; // point, -1 pass, -2 none yet
    double AktuellerWert = 0;
    int BesterZug = -2;
    double BesterWert = 0;
    std::int64_t Stellungen = 0;
    std::string Zeit; // stopwatch text "00:00:01.2"
    std::int64_t ProSekunde = 0;
    std::string Grund; // reason the search stopped, empty while it runs
    bool Laeuft = false;
};

TSuchInfo HoleSuchInfo();
// Fills in the view for a move that was not searched (a move of the opening book).
void SetzeSuchInfo(const TSuchInfo& i);

// Nodes of the trees (28 bytes each), allocated once; when a tree's part is used up it stops
// growing and the search goes on with the tree it has.
constexpr int MaxKnoten = 1 << 22;

// Values the search reports: a proven result is EndWertVon(count) (BitBewertung.h); an
// unproven one the expected margin in points times PunktWert, within ±EvalGrenze.
struct TSuchErgebnis {
    int Feld = -2;                // -1 pass, -2 none
    double Wert = 0;              // for the side to move
    double Marge = 0;             // expected final margin of the move for the side to move (points)
    int Tiefe = 0;                // depth of the main line
    std::string Grund;            // one of the stop reasons
    std::int64_t Stellungen = 0;  // moves played in the tree and in the games from its leaves
    std::int64_t Bewertungen = 0; // evaluations of the values file
    std::int64_t Partien = 0;     // games played to the end
    bool Bewiesen = false;        // Wert and Marge are the count of the game under best play
    bool Behalten = false;        // the search went on with the tree of the search before
    // The moves of the root (point, -1 pass) with the games played through each, most first.
    std::vector<std::pair<int, double>> Wurzel;
};

// Searches e (left as it was found) until the main line of the tree is maxTiefe moves deep,
// the budget (seconds, > 0) is spent or the best move leads too far to change within it, the
// result is proven, or *stopp is set. Reports each new depth of the main line and the stop
// reason. alpha and beta are accepted for the interface and play no part. Points in ohne are
// not played at the root (unless nothing else is legal). A quiet search (the game analysis)
// sends no messages.
TSuchErgebnis SucheZug(TEngineZustand& e, int maxTiefe, double alpha, double beta,
                       const std::atomic<std::uint8_t>* stopp, double budget = 0,
                       const std::vector<int>* ohne = nullptr, bool still = false);
// Thinks on the opponent's time: grows the tree of e (the position after the engine's own
// move, left as it was found) on one thread until *stopp is set, the result is proven or the
// tree fills three quarters of its part, and leaves it to the next search of the game, which
// goes on from the opponent's move. Nothing with a fixed number of games per move.
void Vorausdenken(TEngineZustand& e, const std::atomic<std::uint8_t>* stopp);
// Clears the statistics before a compute.
void SuchInfoZuruecksetzen();
