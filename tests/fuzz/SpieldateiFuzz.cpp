// The game file reader as the window opens a file: LadeSpiel on a file in a private folder, the
// built-in engine attached. A failed read must leave a new game and say why; a successful one a
// whole game that saves, reads back to the same start and position and saves to the same bytes again.
#include "FuzzHilfe.h"

#include "record/StellungDoc.h"

#include <cstddef>
#include <cstdint>

using namespace fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n) {
    const std::string datei = SpielUndDatei(daten, n, "partie.go", true);

    if (LadeSpiel(datei, true, false) != 0) {
        Pruefe(!Meldungen().Boxen.empty(), "Lesefehler ohne Meldung");
        PruefeNeuesSpiel();
        return 0;
    }
    Pruefe(Meldungen().Boxen.empty(), "Meldung, obwohl das Lesen gelang");
    PruefeSpiel();

    const std::string eins = (Ordner() / "eins.go").string();
    const std::string zwei = (Ordner() / "zwei.go").string();
    Pruefe(SpeichereSpiel(eins).Code == 0, "Speichern gescheitert");
    const TStellung start = Startstellung();
    const TBrett brett = Regeln.Brett;
    const int zugnummer = Regeln.Zugnummer;
    Pruefe(LadeSpiel(eins, true, false) == 0 && Meldungen().Boxen.empty(),
           "gespeichertes Spiel nicht lesbar");
    PruefeSpiel();
    Pruefe(Regeln.Zugnummer == zugnummer && Startstellung().Halbzug == start.Halbzug &&
               GleichesBrett(Startstellung().Brett, start.Brett) && GleichesBrett(Regeln.Brett, brett),
           "gespeichertes Spiel liest sich als eine andere Partie");
    Pruefe(SpeichereSpiel(zwei).Code == 0 && Lies(eins) == Lies(zwei),
           "wieder gelesenes Spiel speichert sich anders");
    return 0;
}
