#pragma once
// What the harnesses share: a private folder for the files they hand to the readers, files in
// and out, the message channel caught, and the checks on the program's one game.
#include "engine/BasisBrett.h"
#include "engine/Engines.h"
#include "engine/ziehenDflt.h"
#include "record/TPAcht.h"
#include "support/StringsV5.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace fuzz {

namespace fs = std::filesystem;

// A broken promise of a reader: libFuzzer keeps the input as a crash file.
[[noreturn]] inline void Fehlschlag(const std::string& was) {
    std::fprintf(stderr, "\n*** Fuzz-Prüfung verletzt: %s\n", was.c_str());
    std::abort();
}

inline void Pruefe(bool gut, const char* was) {
    if (!gut) Fehlschlag(was);
}

// The process's own folder, removed at exit: in memory where the system has one, since the
// readers' files are written and renamed thousands of times a second.
inline const fs::path& Ordner() {
    static const fs::path* o = [] {
        std::error_code ec;
        const fs::path wurzel =
            fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
        auto* p = new fs::path(wurzel / ("kiboru-fuzz-" + std::to_string(::getpid())));
        fs::remove_all(*p, ec);
        fs::create_directories(*p);
        std::atexit([] {
            std::error_code e;
            fs::remove_all(Ordner(), e);
        });
        return p;
    }();
    return *o;
}

inline void Schreibe(const fs::path& p, const std::string& inhalt) {
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    f.write(inhalt.data(), static_cast<std::streamsize>(inhalt.size()));
    Pruefe(static_cast<bool>(f.flush()), "Datei für den Leser nicht geschrieben");
}

inline std::string Lies(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// Every box, information box and log line of the program, and the engine's messages.
struct TMeldungen {
    std::vector<std::string> Boxen, Log;
    void Leeren() {
        Boxen.clear();
        Log.clear();
        EngineMeldungenZuruecksetzen();
        SetzeEngineMeldeProc([](const char* t, int) { Meldungen().Boxen.push_back(t); });
    }
    static TMeldungen& Meldungen() {
        static TMeldungen* m = [] {
            auto* n = new TMeldungen;
            TMeldeAusgaben a;
            a.Box = [n](const std::string& t) { n->Boxen.push_back(t); };
            a.InfoBox = a.Box;
            a.Piep = [] {};
            a.Auffrischen = [] {};
            SetzeMeldeAusgaben(a);
            RegistriereLogMemo([n](const std::string& t) { n->Log.push_back(t); });
            return n;
        }();
        return *m;
    }
};
inline TMeldungen& Meldungen() { return TMeldungen::Meldungen(); }

// How every input on the program's game begins: the built-in engine registered once, the
// messages cleared, a new game (with one move when mitZug is set, so that a read that changes
// nothing is seen), the input written as the file name in the private folder. Returns its path.
inline std::string SpielUndDatei(const std::uint8_t* daten, std::size_t n, const char* name, bool mitZug) {
    static const bool gestartet = (PAchtStart(), true);
    (void)gestartet;
    Meldungen().Leeren();
    NeuesSpiel();
    if (mitZug) ZieheInsert(MacheZug(Regeln.Brett, Punkt(3, 3), Regeln.Mover()));
    const std::string datei = (Ordner() / name).string();
    Schreibe(datei, std::string(reinterpret_cast<const char*>(daten), n));
    return datei;
}

// The moves from the root to the cursor; false when the tokens are no depth-first walk of a tree
// (a back token that closes another move, a move left open) or the cursor lies outside.
inline bool PfadZumCursor(const TBaum& b, std::vector<TZug>& pfad) {
    pfad.clear();
    if (b.Cursor < 0 || b.Cursor > b.Letzter + 1) return false;
    std::vector<TZug> offen;
    for (int i = 0; i <= b.Letzter; ++i) {
        TZug t = (*b.Tokens)[i];
        if (IstVorwaerts(t)) {
            offen.push_back(t);
        } else {
            SetzeVorwaerts(t, true);
            if (offen.empty() || !GleicherZug(offen.back(), t)) return false;
            offen.pop_back();
        }
        if (i + 1 == b.Cursor) pfad = offen;
    }
    return offen.empty() && static_cast<int>(pfad.size()) == b.Tiefe;
}

// The program's game is whole: a well-formed tree, the rules state is the legal replay of the
// tree's path to its cursor from the game's start position, and the built-in engine stands on
// the same board with the same side to move.
inline void PruefeSpiel() {
    std::vector<TZug> pfad;
    Pruefe(PfadZumCursor(Baum, pfad), "Zugbaum des Spiels nicht wohlgeformt");
    TZugGenerator r;
    r.SetzeStellung(Startstellung());
    for (const TZug& z : pfad) {
        Pruefe(r.PruefeZug(z) == ZugLegal, "Zug im Zugbaum ist nicht erlaubt");
        r.Ziehe(z);
    }
    Pruefe(r.Zugnummer == Regeln.Zugnummer && r.AmZug == Regeln.AmZug && GleichesBrett(r.Brett, Regeln.Brett),
           "Regelstand ist nicht der Weg des Zugbaums zum Cursor");
    if (!EngineListe.empty()) {
        Pruefe(EngineBrett.AmZug == Regeln.AmZug, "Engine hat eine andere Seite am Zug");
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 7; ++x)
                Pruefe(EngineBrett.Brett[Punkt(x, y)] == Regeln.Brett[Punkt(x, y)],
                       "Engine steht auf einem anderen Brett");
    }
}

// The program's game is a new game from the empty board.
inline void PruefeNeuesSpiel() {
    Pruefe(Baum.Letzter == -1 && Baum.Cursor == 0 && Regeln.Zugnummer == 1 && Regeln.AmZug == 1 &&
               GleichesBrett(Regeln.Brett, Startbrett),
           "kein neues Spiel");
    PruefeSpiel();
}

} // namespace fuzz
