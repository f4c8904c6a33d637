#pragma once
// German texts of the run time's I/O result codes, and their display.
#include <string>

std::string IOFehlerText(int code);
// The message ZeigeIOFehler shows: "%" replaced by the code's text, "DOS-Fehler: ..." for an empty text.
std::string IOFehlerMeldung(int code, const std::string &text);
void ZeigeIOFehler(int code, const std::string &text);
// errno -> I/O result code (2 not found, 5 access denied, 101 write error, ...). An errno without
// a code of its own becomes IOCodeErrnoBasis + errno, shown as "Fehler " + errno.
constexpr int IOCodeErrnoBasis = 100000;
int IOCodeAusErrno(int err, bool schreiben);
