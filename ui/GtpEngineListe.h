#pragma once
// The user's GTP engines: the list in the configuration file (section "GTP-Engines", keys 1, 2,
// ... with "Name|command line"), kept in step with the engine registry. Plain functions for the
// dialog that edits the list; no widgets.
#include "gtp/GtpListe.h"

#include <vector>

class TGtpEngine;

inline constexpr const char* AbschnittGtpEngines = "GTP-Engines";

// The entries of the configuration file in their order. The first time GNU Go is found on the
// machine it is added by itself, once: an entry the user removed does not come back.
std::vector<TGtpEintrag> GtpEnginesLesen();
// Start-up: every entry becomes an engine object of the registry, after "Default". The programs
// start only when they are first asked for a move.
void GtpEnginesRegistrieren();
// Why the entry (trimmed) cannot join the list (as GtpEnginesLesen gave it) and the registry,
// in German; empty when it can. For the dialog, while the entry is typed.
std::string GtpEintragFehler(const TGtpEintrag& e, const std::vector<TGtpEintrag>& liste);
// Adds the entry to the file and to the registry. Empty on success, else why not (German).
std::string GtpEngineHinzufuegen(const TGtpEintrag& e);
// Removes the entry at index (0-based, in the order of GtpEnginesLesen) from the file and from
// the registry; its program ends, a slot that held it gets "Default". Empty on success, else why
// not (German).
std::string GtpEngineEntfernen(std::size_t index);
// Starts the command line, asks name, version and boardsize 7 (at most 20 s each) and ends it.
TGtpProbe GtpEngineTesten(const std::string& befehlszeile);
// The registry's engine object of the entry with that name, or nullptr.
TGtpEngine* GtpEngineVon(const std::string& name);
