#pragma once
// The program's message channel. Log lines go to the message pane, errors are shown once and
// then logged. The outputs are procedures the host (window, GTP front end, tests) registers.
#include <cstddef>
#include <functional>
#include <string>

struct TMeldeAusgaben {
    std::function<void(const std::string&)> Box;     // plain message box
    std::function<void(const std::string&)> InfoBox; // information box with OK (I/O errors)
    std::function<void()> Piep;                      // the computer beeps
    std::function<void()> Auffrischen;               // refresh the main window
};

// Registers the outputs; missing ones fall back to standard error (boxes) or nothing.
void SetzeMeldeAusgaben(TMeldeAusgaben a);
// Registers the log pane; lines logged before are handed over in one piece with the next line.
void RegistriereLogMemo(std::function<void(const std::string&)> zeile);
// Sends pending lines to the registered pane now.
void LogAusgebenAnstehend();
// The thread-aware output (owned by the engine registry): text and "show" flag.
void SetzeThreadAusgabe(std::function<void(const std::string&, bool)> f);

// Cuts a UTF-8 text after n characters (not bytes), so an umlaut is never split.
std::string KuerzeText(const std::string& s, std::size_t n);

void Meldung(const std::string& text, bool zeigen);
void Protokoll(const std::string& text);
void Fehler(const std::string& text);
// Shows a text in the information box (used by ZeigeIOFehler).
void ZeigeInfo(const std::string& text);

// For tests and for a new host: forget outputs, the pane, pending lines and the first error.
void MeldungenZuruecksetzen();
bool ErsterFehlerGezeigt();
const std::string& AnstehenderText();
