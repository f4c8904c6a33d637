#include "record/TPAcht.h"

#include "engine/Engines.h"
#include "support/StringsV5.h"

TZugGenerator Regeln;
TBaum Baum;
std::uint8_t Spielerfarbe = 1;
bool FesteFarbe = false;
bool Autospiel = false;
TArray<TStoppUhr, 0, 1> ZugUhr{};
TArray<TStoppUhr, 0, 1> GesamtUhr{};

namespace {

// The list may change while an engine is called (it cannot today, but a copy costs nothing).
std::vector<TEngine*> Engines() { return EngineListe; }
} // namespace

void SpielerAmZug() { Spielerfarbe = Regeln.AmZug; }

void SpielerfarbeTauschen() { Spielerfarbe = Spielerfarbe ? 0 : 1; }

void PAchtStart() {
    Autospiel = false;
    RegistriereDefaultEngine();
    SetzeRegelnFuerSuche(&Regeln);
    SetzeLevelVonSlot(1, 4);
    SetzeLevelVonSlot(0, LevelVonSlot(1));
    NeuesSpiel();
}

void NeuesSpiel() {
    Regeln.Grundstellung();
    SpielerAmZug();
    FesteFarbe = false;
    Baum.Init(1);
    for (int s = 0; s <= 1; ++s) {
        GesamtUhr[s].Ruecksetzen();
        ZugUhr[s].Ruecksetzen();
    }
    for (TEngine* e : Engines()) {
        if (!e) continue;
        Protokoll(KuerzeText(e->Name + ".SpielNeu", 29));
        e->SpielNeu();
    }
}

void NeueStellung(const TStellung& st) {
    NeuesSpiel();
    Regeln.SetzeStellung(st);
    SpielerAmZug();
    for (TEngine* e : Engines()) {
        if (!e) continue;
        // Engines know no side to move of their own: a pass hands the move to white. Setting the
        // stones afterwards starts the engine's history anew, so that pass is not remembered as
        // the first of two.
        if (Regeln.AmZug == 0) e->Ziehe(-1);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 7; ++x)
                e->SetzeStein(Punkt(x, y), Regeln.Brett[Punkt(x, y)]);
    }
}

TStellung Startstellung() {
    TStellung st;
    st.Brett = Regeln.Stellungen.front();
    const int amZugAnfangs = Regeln.AmZug ^ ((Regeln.Zugnummer - 1) & 1);
    st.Halbzug = amZugAnfangs ? 1 : 2;
    return st;
}

bool IstAufgebaut() {
    const TStellung st = Startstellung();
    return st.Halbzug != 1 || !GleichesBrett(st.Brett, Startbrett);
}

void ZieheInsert(TZug z) {
    Regeln.ZugZuFeld(z);
    if (!Regeln.IstErlaubt(z)) {
        Fehler("Unerlaubter Zug in ZieheInsert: " + ZugText(z));
        return;
    }
    Baum.Einfuegen(Regeln.Zugnummer, z);
    Regeln.Ziehe(z);
    for (TEngine* e : Engines()) {
        if (!e) continue;
        Protokoll(KuerzeText(e->Name + ".Ziehe:", 27) + ZugText(z));
        if (!e->Ziehe(z.Feld))
            Fehler(KuerzeText(KuerzeText("TPAcht: Engine \"" + e->Name, 36) +
                                  "\" hat folgenden Zug nicht ausgeführt:",
                              73) +
                   ZugText(z));
    }
}

void ZugZurueck() {
    if (Regeln.Zugnummer <= 1) return;
    if (!Baum.Zurueck()) Fehler("Konnte im Analysebaum nicht den Zug zurücknehmen.");
    const TZug z = Regeln.Zugfolge[Regeln.Zugnummer - 1];
    Regeln.Zuruecknehmen();
    for (TEngine* e : Engines()) {
        if (!e) continue;
        Protokoll(KuerzeText(e->Name + ".Zurueck:", 29) + ZugText(z));
        if (!e->Zurueck())
            Fehler(
                KuerzeText(KuerzeText("Zug konnte nicht zurückgenommen werden für Engine \"" + e->Name, 71) +
                               "\":",
                           73) +
                ZugText(z));
    }
}

void ZieheMitUhr(TZug z) {
    if (!Regeln.IstErlaubt(z)) {
        SpielerAmZug();
        return;
    }
    int s = Regeln.AmZug;
    ZugUhr[s].Stopp();
    GesamtUhr[s].Stopp();
    ZieheInsert(z);
    if (Regeln.BeidePassen()) return; // the game is over: both clocks stand still
    s = Regeln.AmZug;
    GesamtUhr[s].Weiter();
    ZugUhr[s].Neustart();
}

void ZurueckMitUhr() {
    if (Regeln.Zugnummer <= 1) return;
    int s = Regeln.AmZug;
    ZugUhr[s].Stopp();
    GesamtUhr[s].Stopp();
    ZugZurueck();
    if (!FesteFarbe) SpielerAmZug();
    s = Regeln.AmZug;
    GesamtUhr[s].Weiter();
    ZugUhr[s].Neustart();
}

void ZweiZurueck() {
    if (Regeln.Zugnummer > 2) {
        ZurueckMitUhr();
        ZurueckMitUhr();
    }
}

bool VorAusBaum() {
    TZug z;
    if (!Baum.Vor(z)) return false;
    Baum.Zurueck(); // back onto that move, so that Einfuegen follows it instead of adding a variation
    const bool erlaubt = Regeln.IstErlaubt(z);
    ZieheMitUhr(z);
    if (!FesteFarbe) SpielerAmZug();
    return erlaubt;
}

void ZweiVor() {
    if (VorAusBaum() && !VorAusBaum()) ZurueckMitUhr();
}

void NaechsteVariante() {
    TZug z;
    if (!Baum.Vor(z)) return;
    Baum.NaechsteVariante(z);
    Baum.Zurueck();
}

void VorherigeVariante() {
    TZug z;
    if (!Baum.Vor(z)) return;
    Baum.VorherigeVariante(z);
    Baum.Zurueck();
}

void ErsterZug() {
    while (Regeln.Zugnummer > 1)
        ZurueckMitUhr();
}

void LetzterZug() {
    while (VorAusBaum()) {
    }
}
