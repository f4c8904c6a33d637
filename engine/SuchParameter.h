#pragma once
// Constants of the search that self-play tunes. The environment variable KIBORU_SUCHE
// ("Name=Wert,Name=Wert", e.g. "Erkunden=0.05,PriorSpiele=30") overrides them for one process,
// so that two settings can play each other without a rebuild; unknown names and unreadable
// values are left out.
struct TSuchParameter {
    // Utility of a game: SiegGewicht for the win, the rest by the margin around the expected
    // one, on a logistic scale of MargenSkala points. A small weight for the win keeps the engine
    // from risking a group for a slim chance of winning when it is behind.
    double SiegGewicht = 0.2;
    double MargenSkala = 4.0;
    // All-moves-as-first statistics weigh like a move's own games until about 1/RaveGleich of
    // them (200 games: a move that is good only now, an atari or a cut, soon counts by its own
    // games); Erkunden is the exploration term's weight.
    double RaveGleich = 0.005;
    double Erkunden = 0.05;
    // Prior knowledge counts as this many all-moves-as-first games.
    double PriorSpiele = 20;
    // A leaf grows its children once this many games went through it.
    double AusbauAb = 1;
    // A move belongs to the main line from this many games on.
    double HauptlinieAb = 50;
    // The games from the leaves save and take chains in atari anywhere, not only next to the
    // last move.
    bool GlobalAtari = true;
    // The games from the leaves read ladders: a chain in atari that a ladder would take is not
    // extended.
    bool Leiter = true;
    // The games from the leaves play the middle of an empty space of three points that only one
    // side surrounds: the owner makes two eyes there, the opponent leaves one.
    bool Nakade = true;
    // The games from the leaves play out races: an own chain next to the last move that is down
    // to two liberties puts a neighbour of two liberties in atari, or else gets a third liberty.
    bool Rennen = true;
    // The tree's prior reads ladders too: no bonus for running into one, a bonus for the atari
    // that starts one.
    bool BaumLeiter = true;
    // The tree's prior reads the fights around chains of one and two liberties (ladders,
    // taking an attacker to get out, races of two liberties): a bonus for the move that takes
    // a chain by force and for the moves that save one.
    bool Taktik = true;
    // Share of a level's time budget by the empty points of the board: ZeitLeer points would
    // give the full budget, more give more (up to twice), fewer less (down to ZeitMin of it).
    // Above the board's 49 points, so that even the empty board takes less than the budget.
    double ZeitLeer = 70;
    double ZeitMin = 0.25;
    // The opening's moves (ZeitAnfangAb empty points and more) get ZeitAnfang times that share.
    double ZeitAnfang = 1;
    double ZeitAnfangAb = 40;
    // The share of the budget of each move from the opening book that the moves after the book
    // get on top of their own (engineDefault.cpp).
    double BuchZeit = 1;
    // An unclear choice at the end of the budget (the most played move not the best valued,
    // or played less than KlarAb times as often as the second) may take up to Verlaengern
    // times the budget.
    double Verlaengern = 5;
    double KlarAb = 1.5;
    // The search stops sooner when the most played move leads the second by more than this
    // share of the games the time left would play (1: only when it can no longer be overtaken).
    double Ueberholen = 0.5;
    // Threads of a timed search (at most the machine's cores, and four), each growing a tree
    // of its own; their root moves' games are added up for the choice.
    double Faeden = 2;
    // Games per move instead of the time budget (0: by time), so that two settings can be
    // compared on a loaded machine.
    double Partien = 0;
    // The tree of the search before is kept for the next move of the same game, unless the
    // side to move now expects a margin more than NeuMitte points below the margin its utility
    // centres on: there the curve no longer tells its outcomes apart (losing by 15 or by 25),
    // so the search starts afresh around the margin it has now. Ahead of the centre the tree is
    // kept, and the winner stays careful.
    bool Behalten = true;
    double NeuMitte = 4;
    // Root statistics to standard error after each search.
    bool Protokoll = false;
};

const TSuchParameter& SuchParameter();
// Reads a setting of the form of KIBORU_SUCHE over the defaults (tests).
TSuchParameter LiesSuchParameter(const char* text);
