#include "rules/ZugGen.h"

#include "support/StringsV5.h"

void TZugGenerator::Grundstellung() {
    Brett = Startbrett;
    AmZug = 1;
    FarbMaske = 0;
    Zugnummer = 1;
    AktionenAnzahl = 0;
    Stellungen.assign(1, Brett);
    ErzeugeZuege();
}

bool TZugGenerator::SetzeStellung(const TStellung& st) {
    Brett = st.Brett;
    AmZug = static_cast<std::uint8_t>(st.Halbzug & 1);
    FarbMaske = AmZug == 1 ? 0 : -1;
    Zugnummer = 1;
    // A new history starts here: change records of the game before must never be popped again.
    AktionenAnzahl = 0;
    Stellungen.assign(1, Brett);
    ErzeugeZuege();
    return true;
}

TStellung TZugGenerator::HoleStellung() const {
    TStellung st;
    st.Brett = Brett;
    st.Halbzug = Zugnummer;
    return st;
}

void TZugGenerator::ErzeugeZuege() {
    std::int32_t& n = Zuganzahl[AmZug];
    n = 1;
    Zugliste[1] = Passzug();
    const TFarbe c = FarbeVonSeite(AmZug);
    for (int x = 0; x < 7; ++x)
        for (int y = 0; y < 7; ++y) {
            const int p = Punkt(x, y);
            if (Brett[p] == Leer) {
                ++n;
                Zugliste[n] = MacheZug(Brett, p, c);
            }
        }
}

bool TZugGenerator::IstKandidat(const TZug& z) const {
    const int n = Zuganzahl[AmZug];
    for (int i = 1; i <= n; ++i)
        if (GleicherZug(Zugliste[i], z)) return true;
    return false;
}

bool TZugGenerator::ZugZuFeld(TZug& z) const {
    const int n = Zuganzahl[AmZug];
    for (int i = 1; i <= n; ++i)
        if (Zugliste[i].Feld == z.Feld) {
            z = Zugliste[i];
            return true;
        }
    z = MacheZug(Brett, z.Feld, Mover());
    return false;
}

int TZugGenerator::ZaehleZuegeAufFeld(int feld, TZug& z) const {
    const int n = Zuganzahl[AmZug];
    int anzahl = 0;
    z = KeinZug;
    for (int i = 1; i <= n; ++i)
        if (Zugliste[i].Feld == feld) {
            ++anzahl;
            z = Zugliste[i];
        }
    return anzahl;
}

void TZugGenerator::Push(const TZug& a) {
    Aktionen[AktionenAnzahl] = a;
    ++AktionenAnzahl;
}

void TZugGenerator::SetzeFeld(int punkt, TFarbe wert) {
    TZug a{wert, static_cast<std::int8_t>(Bereich<-128, 127>(punkt)), Brett[punkt], 0};
    SetzeSeiteBit(a, AmZug != 0);
    Push(a);
    Brett[punkt] = wert;
}

int TZugGenerator::EntferneKette(int punkt, TLaeufer& laeufer) {
    if (Brett[punkt] == Leer) return 0;
    return laeufer.Flaeche(Brett, punkt, [&](int p) { SetzeFeld(p, Leer); });
}

namespace {
// Number of stones the move would take off the board (captures, or the own chain in a suicide).
int Entfernte(TBrett b, int p, TFarbe c) {
    b[p] = c;
    int n = 0;
    TLaeufer laeufer;
    laeufer.Schlage(b, p, [&](int q) { n += laeufer.Flaeche(b, q, [&](int s) { b[s] = Leer; }); });
    return n;
}
} // namespace

bool TZugGenerator::HatPlatzFuer(const TZug& z) const {
    if (Zugnummer > MaxHalbzuege) return false;
    if (AktionenAnzahl + 1 > MaxAktionen) return false;
    if (z.Feld < 0) return true;
    if (AktionenAnzahl + 1 + MaxGeschlagen <= MaxAktionen) return true;
    return AktionenAnzahl + 1 + Entfernte(Brett, z.Feld, Mover()) <= MaxAktionen;
}

void TZugGenerator::Ziehe(const TZug& zug) {
    const TZug z = zug; // see PruefeZug
    // Refuse before touching anything: a half-played move would leave the record inconsistent.
    if (!HatPlatzFuer(z)) throw ERangeError("Partie voll");
    const TFarbe c = Mover();
    TZug a = z;
    SetzeSeiteBit(a, AmZug != 0);
    Push(a);
    if (z.Feld >= 0) {
        const int p = z.Feld;
        if (Brett[p] != z.Schlag) Fehler("ZugGen.Ziehe: zug.Schlag inkonsistent");
        Brett[p] = c;
        TLaeufer laeufer;
        laeufer.Schlage(Brett, p, [&](int q) { EntferneKette(q, laeufer); });
    }
    Zugfolge[Zugnummer] = z;
    ++Zugnummer;
    Stellungen.push_back(Brett);
    AmZug ^= 1;
    FarbMaske = ~FarbMaske;
    ErzeugeZuege();
}

void TZugGenerator::Zuruecknehmen() {
    if (Zugnummer <= 1) return;
    --Zugnummer;
    Stellungen.pop_back();
    AmZug ^= 1;
    FarbMaske = ~FarbMaske;
    while (AktionenAnzahl > 0 && SeiteBit(Aktionen[AktionenAnzahl - 1]) == (AmZug != 0)) {
        const TZug a = Aktionen[AktionenAnzahl - 1];
        --AktionenAnzahl;
        if (a.Feld >= 0) Brett[a.Feld] = ZuFarbe(a.Schlag);
    }
    ErzeugeZuege();
}

int TZugGenerator::PruefeZug(const TZug& zug) {
    const TZug z = zug; // the caller may hand an entry of Zugliste, which Ziehe rebuilds
    if (!IstKandidat(z)) return ZugKeinKandidat;
    if (!HatPlatzFuer(z)) return ZugKeinPlatz;
    if (z.Feld < 0) return ZugLegal;
    Ziehe(z);
    int code = ZugLegal;
    if (Brett[z.Feld] == Leer)
        code = ZugSelbstmord;
    else if (Wiederholung())
        code = ZugWiederholung;
    Zuruecknehmen();
    return code;
}

bool TZugGenerator::Wiederholung() const {
    const std::size_t n = Stellungen.size();
    if (n < 2) return false;
    for (std::size_t i = 0; i + 1 < n; ++i)
        if (GleichesBrett(Brett, Stellungen[i])) return true;
    return false;
}

bool TZugGenerator::BeidePassen() const {
    return Zugnummer > 2 && Zugfolge[Zugnummer - 1].Feld < 0 && Zugfolge[Zugnummer - 2].Feld < 0;
}

void TZugGenerator::Zaehle(int& schwarz, int& weiss) const {
    schwarz = 0;
    weiss = 0;
    for (const TFarbe f : Besitzverteilung(Brett)) {
        schwarz += f == Schwarz;
        weiss += f == Weiss;
    }
}

std::string TZugGenerator::Spielstand() const {
    int s, w;
    Zaehle(s, w);
    return std::to_string(s) + ":" + std::to_string(w);
}

std::string SpielZustandMeldung(const TZugGenerator& z) {
    if (!z.BeidePassen()) return z.AmZug ? "Schwarz ist am Zug." : "Weiß ist am Zug.";
    int s, w;
    z.Zaehle(s, w);
    if (s > w) return "Schwarz hat gewonnen!";
    if (w > s) return "Weiß hat gewonnen!";
    return "Beide haben gewonnen!";
}

std::string SpielZustandText(const TZugGenerator& z) { return z.Spielstand() + " " + SpielZustandMeldung(z); }
