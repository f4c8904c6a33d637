// The SGF reader as loadsgf calls it: LeseSgf on a file in a private folder, the built-in engine
// attached, no box shown. A file it does not take over must leave the game exactly as it was and
// say why; a game taken over is whole and stands at the end of its main line, and the program's
// own SGF of it reads back to the same game (tree, start and position) and the same text.
#include "FuzzHilfe.h"

#include "record/SgfDoc.h"
#include "record/StellungDoc.h"

#include <cstddef>
#include <cstdint>

using namespace fuzz;

namespace {

// The whole game (start, tree, cursor) as the game file writes it.
std::string SpielBytes() {
    const fs::path p = Ordner() / "spiel.go";
    Pruefe(SpeichereSpiel(p.string()).Code == 0, "Speichern gescheitert");
    return Lies(p);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n) {
    const std::string datei = SpielUndDatei(daten, n, "partie.sgf", true);
    const std::string vorher = SpielBytes();

    const TSgfErgebnis e = LeseSgf(datei);
    Pruefe(Meldungen().Boxen.empty(), "Box beim Lesen");
    PruefeSpiel();
    if (!e.Uebernommen) {
        Pruefe(!e.Meldung.empty(), "nicht übernommen, ohne zu sagen warum");
        Pruefe(SpielBytes() == vorher, "nicht übernommene Datei hat das Spiel verändert");
        return 0;
    }
    TZug weiter;
    Pruefe(!Baum.Vor(weiter), "Spiel steht nicht am Ende der Hauptlinie");

    const std::string spiel = SpielBytes();
    const std::string eins = (Ordner() / "eins.sgf").string();
    const std::string zwei = (Ordner() / "zwei.sgf").string();
    Pruefe(SpeichereSgf(eins).Code == 0, "SGF-Speichern gescheitert");
    const TSgfErgebnis wieder = LeseSgf(eins);
    Pruefe(wieder.Uebernommen && wieder.Meldung.empty() && Meldungen().Boxen.empty(),
           "eigene SGF-Datei nicht ganz lesbar");
    PruefeSpiel();
    Pruefe(SpielBytes() == spiel, "eigene SGF-Datei liest sich als ein anderes Spiel");
    Pruefe(SpeichereSgf(zwei).Code == 0 && Lies(eins) == Lies(zwei),
           "eigene SGF-Datei speichert sich anders");
    return 0;
}
