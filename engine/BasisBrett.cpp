#include "engine/BasisBrett.h"

#include "support/StringsV5.h"

#include <atomic>

namespace {
// Written by the main thread, read by the search thread.
std::atomic<TMeldeProc> meldeProc{nullptr};
std::atomic<bool> fehlerGemeldet{false};
} // namespace

void SetzeEngineMeldeProc(TMeldeProc p) { meldeProc.store(p); }
TMeldeProc EngineMeldeProc() { return meldeProc.load(); }

void Melde(const std::string& text, bool zeigen) {
    TMeldeProc p = meldeProc.load();
    if (p)
        p(text.c_str(), zeigen ? 1 : 0);
    else
        Meldung("Meldeprozedur nicht gesetzt. Meldung: " + text, true);
}

void MeldeFehler(const std::string& text) {
    bool schon = fehlerGemeldet.exchange(true);
    Melde(text, !schon);
}

bool EngineFehlerGemeldet() { return fehlerGemeldet.load(); }

void EngineMeldungenZuruecksetzen() {
    meldeProc.store(nullptr);
    fehlerGemeldet.store(false);
}
