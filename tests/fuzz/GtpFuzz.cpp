// The GTP front end fed a command stream: GtpSchleife on the input, its answers caught. Every
// command line (one that is not empty or only a comment) gets exactly one answer: "=" or "?",
// the command's id, a blank, a text without an empty line, and the empty line that ends it; the
// loop ends only at quit or at the end of the input; the program's game stays whole.
// Limits keep a run quick and harmless: levels above 2 are not set (the level is the search
// depth and time), at most 2 moves are computed (genmove, kiboru-hint), the analysis values at
// most 8 positions in all (a line is never longer than the moves played so far), and file
// commands name files of the working folder only.
#include "FuzzHilfe.h"

#include "gtp/GtpFront.h"
#include "support/HilfsFkt.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <sstream>

using namespace fuzz;

namespace {

constexpr int HoechsteStufe = 2;
constexpr int HoechstensBerechnet = 2;
constexpr int HoechstensBewertet = 8;

struct TKommando {
    std::string Id, Name;
    std::vector<std::string> Argumente;
    std::string Rest; // everything after the name, as the file commands take it
};

TKommando Zerlegen(const std::string& zeile) {
    TKommando k;
    std::istringstream ein(zeile);
    std::vector<std::string> w;
    for (std::string t; ein >> t;)
        w.push_back(t);
    std::size_t i = 0;
    if (w[0].find_first_not_of("0123456789") == std::string::npos) k.Id = w[i++];
    if (i < w.size()) k.Name = w[i++];
    k.Argumente.assign(w.begin() + static_cast<long>(i), w.end());
    const std::size_t name = k.Name.empty() ? std::string::npos : zeile.find(k.Name, k.Id.size());
    if (name != std::string::npos) k.Rest = zeile.substr(name + k.Name.size());
    return k;
}

bool ZuTeuerOderDraussen(const TKommando& k) {
    if (k.Name == "kiboru-level" && k.Argumente.size() == 1) {
        const std::string& a = k.Argumente[0];
        long n = 0;
        const auto r = std::from_chars(a.data(), a.data() + a.size(), n);
        return r.ec == std::errc() && r.ptr == a.data() + a.size() && n > HoechsteStufe && n <= 999;
    }
    for (const char* datei : {"kiboru-open", "kiboru-save", "loadsgf", "printsgf"})
        if (k.Name == datei) return k.Rest.find_first_of("/\\") != std::string::npos;
    return false;
}

void PruefeAntworten(const std::string& aus, const std::vector<std::string>& ids) {
    std::size_t pos = 0;
    for (const std::string& id : ids) {
        const std::size_t ende = aus.find("\n\n", pos);
        Pruefe(ende != std::string::npos, "Kommando ohne Antwort");
        const std::string block = aus.substr(pos, ende - pos);
        pos = ende + 2;
        Pruefe(!block.empty() && (block[0] == '=' || block[0] == '?'), "Antwort beginnt nicht mit = oder ?");
        Pruefe(block.compare(1, id.size(), id) == 0 && block.size() > id.size() + 1 &&
                   block[id.size() + 1] == ' ',
               "Antwort trägt nicht die Nummer ihres Kommandos");
    }
    Pruefe(pos == aus.size(), "mehr Antworten als Kommandos");
}

void Einrichten() {
    const fs::path daten = Ordner() / "daten";
    fs::create_directories(daten);
    ::setenv("XDG_DATA_HOME", daten.c_str(), 1);
    ::setenv("AppData", daten.c_str(), 1);
    HilfsFktZuruecksetzen();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n) {
    static const bool eingerichtet = (Einrichten(), true);
    (void)eingerichtet;
    const std::string eingabe(reinterpret_cast<const char*>(daten), n);

    // The commands the loop must answer, up to quit.
    std::vector<std::string> ids;
    int berechnet = 0;
    int gezogen = 0; // play and genmove so far: a bound of the line's length
    int bewertet = 0;
    {
        std::istringstream zeilen(eingabe);
        for (std::string zeile; std::getline(zeilen, zeile);) {
            const std::string sauber = GtpZeileBereinigen(zeile);
            if (sauber.empty()) continue;
            const TKommando k = Zerlegen(sauber);
            if (ZuTeuerOderDraussen(k)) return -1;
            if ((k.Name == "genmove" || k.Name == "kiboru-hint") && ++berechnet > HoechstensBerechnet)
                return -1;
            if (k.Name == "kiboru-analyse" && (bewertet += gezogen + 1) > HoechstensBewertet) return -1;
            if (k.Name == "play" || k.Name == "genmove") ++gezogen;
            ids.push_back(k.Id);
            if (k.Name == "quit" && k.Argumente.empty()) break;
        }
    }

    // Relative file names land in a fresh working folder; the fuzzer's own folder comes back after.
    const fs::path arbeit = Ordner() / "arbeit";
    std::error_code ec;
    fs::remove_all(arbeit, ec);
    fs::create_directories(arbeit);
    const fs::path vorher = fs::current_path();
    fs::current_path(arbeit);

    std::istringstream ein(eingabe);
    std::ostringstream aus, fehler;
    const int code = GtpSchleife(ein, aus, fehler, 1);
    fs::current_path(vorher);
    Pruefe(code == 0, "GTP-Schleife endet mit Fehler");
    PruefeAntworten(aus.str(), ids);
    PruefeSpiel();
    return 0;
}
