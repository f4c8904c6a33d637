// The reader of tagged game records as the window uses it: ReadPgnFile on a file in a private
// folder, then the first game taken over as the dialog's OK does it. The reading ends with 0, or
// with -1 and the box only at its one hard stop (a row character off the board's range); every
// game read is whole (a well-formed tree, the rules board the legal replay of its moves); the
// game taken over plays to the end of its line in the program and keeps that position through
// the game file.
#include "FuzzHilfe.h"

#include "record/PgnDoc.h"
#include "record/StellungDoc.h"

#include <cstddef>
#include <cstdint>

using namespace fuzz;

namespace {

bool EndetMit(const std::string& s, const std::string& ende) {
    return s.size() >= ende.size() && s.compare(s.size() - ende.size(), ende.size(), ende) == 0;
}

void PruefePgnSpiel(const TPgnGame& g) {
    std::vector<TZug> pfad;
    Pruefe(PfadZumCursor(g.Moves, pfad), "Zugbaum einer gelesenen Partie nicht wohlgeformt");
    // The board may stand behind the cursor (a move number that went back), never ahead of it.
    const int gespielt = g.Rules.Zugnummer - 1;
    Pruefe(gespielt >= 0 && gespielt <= static_cast<int>(pfad.size()), "Regelbrett vor dem Zugbaum");
    TZugGenerator r;
    r.SetzeStellung(g.StartPosition);
    for (int i = 0; i < gespielt; ++i) {
        Pruefe(r.PruefeZug(pfad[static_cast<std::size_t>(i)]) == ZugLegal, "gelesener Zug ist nicht erlaubt");
        r.Ziehe(pfad[static_cast<std::size_t>(i)]);
    }
    Pruefe(r.AmZug == g.Rules.AmZug && GleichesBrett(r.Brett, g.Rules.Brett),
           "Regelbrett einer Partie ist nicht der Weg ihres Zugbaums");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n) {
    const std::string datei = SpielUndDatei(daten, n, "partie.pgn", false);

    std::string fehler;
    const int code = ReadPgnFile(PgnSpiele, datei, fehler);
    Pruefe(fehler == PgnParser.Errors && (fehler.empty() || EndetMit(fehler, "\r\n")),
           "Fehlertext nicht Zeile für Zeile");
    if (code == 0) {
        Pruefe(Meldungen().Boxen.empty(), "Meldung, obwohl das Lesen gelang");
    } else {
        Pruefe(code == -1 && Meldungen().Boxen.size() == 1, "Abbruch ohne seine eine Meldung");
        const std::string marke = "1..8 am Zugende erwartet, aber gefunden: ";
        const std::size_t letzte = fehler.rfind(marke);
        Pruefe(letzte != std::string::npos && fehler.size() == letzte + marke.size() + 3,
               "Lesen brach ab, aber nicht an der Zeile außerhalb des Bretts");
    }
    Pruefe(PgnSpiele.Count >= 1 && PgnSpiele.Current >= 0 && PgnSpiele.Current < PgnSpiele.Count,
           "Spieleliste ohne Partie");
    for (int i = 0; i < PgnSpiele.Count; ++i)
        PruefePgnSpiel(PgnSpiele[i]);

    // OK in the dialog, then to the end of the line: every move the reader accepted is played.
    NeueStellung(PgnSpiele[0].StartPosition);
    UebernimmPgnSpiel(PgnSpiele[0], Regeln, Baum);
    PruefeSpiel();
    LetzterZug();
    PruefeSpiel();
    TZug weiter;
    Pruefe(!Baum.Vor(weiter), "ein gelesener Zug wird im Spiel nicht gespielt");

    const std::string go = (Ordner() / "partie.go").string();
    const TStellung vorher = Regeln.HoleStellung();
    const int zugnummer = Regeln.Zugnummer;
    Pruefe(SpeichereSpiel(go).Code == 0, "Speichern gescheitert");
    Pruefe(LadeSpiel(go, true, false) == 0 && Meldungen().Boxen.size() == (code == 0 ? 0u : 1u),
           "übernommene Partie als Spieldatei nicht lesbar");
    PruefeSpiel();
    Pruefe(Regeln.Zugnummer == zugnummer && GleichesBrett(Regeln.Brett, vorher.Brett),
           "übernommene Partie liest sich als eine andere Stellung");
    return 0;
}
