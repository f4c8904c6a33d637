#pragma once
// Kiboru as an engine of the Go Text Protocol (version 2): commands on standard input,
// answers on standard output, every message of the program on standard error. No window,
// no toolkit: the same controller, rules and engine registry as the program.
#include <iosfwd>
#include <string>
#include <vector>

// Program main of "--gtp [--level N] [--vorausdenken]"; exit code 2 for bad arguments.
int GtpHaupt(int argc, char** argv);

// Protocol loop until "quit" or the end of the input. Starts a new game at the given level;
// with vorausdenken the built-in engine thinks on the opponent's time after each of its moves.
int GtpSchleife(std::istream& ein, std::ostream& aus, std::ostream& fehler, int level, bool vorausdenken = false);

// One input line as the protocol wants it: control characters gone (tab becomes a blank),
// the comment after '#' dropped, blanks at both ends trimmed.
std::string GtpZeileBereinigen(const std::string& zeile);

// "C4" / "c4" -> point (column + 16 * (row - 1)), "pass" -> -1; -2 when it names no vertex,
// -3 for a well-formed vertex off the 7x7 board.
constexpr int GtpKeinVertex = -2;
constexpr int GtpAusserhalb = -3;
int GtpVertex(const std::string& text);
// Point -> "C4", negative -> "pass".
std::string GtpVertexText(int punkt);

// The commands the front end knows, in the order list_commands gives them.
const std::vector<std::string>& GtpKommandos();
