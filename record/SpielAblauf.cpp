#include "record/SpielAblauf.h"

#include "engine/Engines.h"
#include "record/TPAcht.h"

bool SpielerZieht(const TZug& z) {
    ZieheMitUhr(z);
    return !Regeln.BeidePassen() && Regeln.AmZug != Spielerfarbe;
}

void FarbeAbgeben() { SpielerfarbeTauschen(); }

TEngine* EngineAmZug() { return EngineSlots[Regeln.AmZug]; }

std::string BerechnenHindernis(const TEngine* e) {
    if (!e) return "Keine Engine zum Berechnen vorhanden";
    if (Regeln.BeidePassen()) return "Das Spiel ist aus.";
    return {};
}

bool ComputerzugUebernehmen(bool abgebrochen, TZug z, std::string& meldung) {
    meldung.clear();
    if (abgebrochen) {
        SpielerAmZug();
        return false;
    }
    if (z.Farbe == NochKeinZug.Farbe) z = KeinZug;
    if (!Regeln.IstErlaubt(z)) {
        const int seite = Regeln.AmZug;
        ZugUhr[seite].Stopp();
        GesamtUhr[seite].Stopp();
        meldung = "Computer gibt auf !";
        // Nothing is played: the null record names a point and must not reach the controller.
        SpielerAmZug();
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

void ZurStellung(std::size_t n) {
    while (static_cast<std::size_t>(Regeln.Zugnummer - 1) > n && Regeln.Zugnummer >= 2)
        EinenZugZurueck();
    while (static_cast<std::size_t>(Regeln.Zugnummer - 1) < n && EinenZugVor()) {
    }
}

void ZweiZuegeZurueck() { ZweiZurueck(); }

void ZweiZuegeVor() { ZweiVor(); }

bool SucheAnhalten() {
    if (!SucheLaeuft()) return false;
    for (int s = 0; s <= 1; ++s)
        if (EngineSlots[s]) EngineSlots[s]->Stopp = 1;
    return true;
}
