#pragma once
// The user's GTP engines as plain data: an entry "Name|command line", the suggestion of GNU Go
// when it is installed, and a trial run of a command line.
#include "gtp/GtpKlient.h"

#include <optional>

struct TGtpEintrag {
    std::string Name; // at most 20 characters, no '|'
    std::string Befehlszeile;
    bool operator==(const TGtpEintrag&) const = default;
};

// "Name|command line" -> entry (name and line trimmed); nullopt for an empty name or line or a
// missing '|'. The line may contain '|' itself.
std::optional<TGtpEintrag> GtpEintragAusText(const std::string& text);
std::string GtpEintragText(const TGtpEintrag& e);
// Name and line without blanks at their ends.
TGtpEintrag GtpEintragGetrimmt(const TGtpEintrag& e);
// Why the (trimmed) entry cannot join the list (German), empty when it can. vorhandene: the
// names the registry and the list already have.
std::string GtpEintragPruefen(const TGtpEintrag& e, const std::vector<std::string>& vorhandene);

// GNU Go when /usr/games/gnugo or gnugo on the PATH exists.
std::optional<TGtpEintrag> GnuGoVorschlag();

// What a failed answer means, as the end of a German sentence about the engine: "hat auf "name"
// nicht innerhalb von 20 Sekunden geantwortet", ... (empty for an answer that did not fail).
std::string GtpFehlerText(const TGtpAntwort& a, const std::string& befehl, std::chrono::milliseconds frist,
                          const std::string& fehlerzeile);

struct TGtpProbe {
    bool Ok = false;
    std::string Name, Version; // the program's answers
    std::string Fehler;        // German, when not Ok
};
// Starts the command line, asks name, version and boardsize 7, and ends the program again.
TGtpProbe GtpEngineProbieren(const std::string& befehlszeile, TProzessFabrik fabrik,
                             std::chrono::milliseconds frist = std::chrono::seconds(20),
                             const std::atomic<std::uint8_t>* stopp = nullptr);
