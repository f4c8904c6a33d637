#include "ui/SpielAblauf.h"

#include "engine/Engines.h"
#include "record/TPAcht.h"

bool SpielerZieht(const TZug& z) {
    ZieheMitUhr(z);
    return !Regeln.BeidePassen() && Regeln.AmZug != Spielerfarbe;
}

TEngine* EngineAmZug() { return EngineSlots[Regeln.AmZug]; }

std::string BerechnenHindernis(const TEngine* e) {
    if (!e) return "Keine Engine zum Berechnen vorhanden";
    if (Regeln.BeidePassen()) return "Das Spiel ist aus.";
    return {};
}

bool ComputerzugUebernehmen(bool abgebrochen, TZug z, std::string& meldung) {
    meldung.clear();
    if (abgebrochen) {
        Spielerfarbe = Regeln.AmZug;
        return false;
    }
    if (z.Farbe == -1) z = KeinZug;
    if (!Regeln.IstErlaubt(z)) {
        const int seite = Regeln.AmZug;
        ZugUhr[seite].Stopp();
        GesamtUhr[seite].Stopp();
        meldung = "Computer gibt auf !";
        // Nothing is played: the null record names a point and must not reach the controller.
        Spielerfarbe = Regeln.AmZug;
        return false;
    }
    ZieheMitUhr(z);
    return true;
}

void EinenZugZurueck() {
    if (Regeln.Zugnummer >= 2) ZurueckMitUhr();
}

bool EinenZugVor() {
    const int vorher = Regeln.Zugnummer;
    VorAusBaum();
    return Regeln.Zugnummer != vorher;
}
