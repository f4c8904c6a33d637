#pragma once
// Entry points of the built-in engine "Default", working on the engine board with the
// evaluation and the search of this folder.
#include "engine/EngineEintraege.h"
#include "engine/ziehenDflt.h"

#include <cstdint>
#include <vector>

const TEngineEintraege& DefaultEintraege();

// Seconds of search per move at a level (0: no limit) and the depth of the main line that
// ends the search.
double ZeitBudget(int level);
int SuchTiefe(int level);
// The budget of a level for the board to move on.
double ZeitBudget(int level, const TEngineZustand& e);

// Time the opening book saved in a game: each book move banks the budget its search would have
// had, and the searches that follow in the same game spend it, each at most doubling its own
// budget. Those are the first moves no preparation helps with; from a position the book does
// not know, nothing changes. Another game, an undo to before the last book move or a set-up
// position empties the bank.
class TBuchZeit {
public:
    void Buchzug(const TEngineZustand& e, double budget);
    // The budget of a search of e, with what is banked for its game.
    double Suche(const TEngineZustand& e, double budget);

private:
    std::vector<std::uint64_t> verlauf_; // the positions of the game up to its last book move
    double guthaben_ = 0;
    bool Gleiche(const TEngineZustand& e) const;
};

const char* DefaultName();
void DefaultSetzeMeldeProc(TMeldeProc p);
bool DefaultSetzeLevel(int engineNr, int level);
bool DefaultSpielNeu();
bool DefaultZiehe(int feld);
bool DefaultZurueck();
bool DefaultSetzeStein(int feld, int wert);
bool DefaultBerechne(int& feld, int& wert, TZaehler& zaehler, const std::atomic<std::uint8_t>* stopp);
// Thinks on the opponent's time about the engine board (after the engine's own move) until
// *stopp is set, for the next compute of the game; only at the timed levels (up to 8). Nothing
// else may touch the engine board while it runs.
void DefaultVorausdenken(const std::atomic<std::uint8_t>* stopp);
