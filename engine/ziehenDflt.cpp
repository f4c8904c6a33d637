#include "engine/ziehenDflt.h"

#include <cassert>

namespace {
constexpr std::uint64_t SplitMix(std::uint64_t& s) {
    std::uint64_t z = (s += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

struct TZobrist {
    TArray<std::uint64_t, BrettVon, BrettBis> Schwarz{};
    TArray<std::uint64_t, BrettVon, BrettBis> Weiss{};
};

constexpr TZobrist MacheZobrist() {
    TZobrist z{};
    std::uint64_t s = 0x4B69626F7275ull;
    for (int p = 0; p <= LetzterPunkt; ++p) {
        if (!IstPunkt(p)) continue;
        z.Schwarz[p] = SplitMix(s);
        z.Weiss[p] = SplitMix(s);
    }
    return z;
}
constexpr TZobrist Zobrist = MacheZobrist();
} // namespace

std::uint64_t ZobristSchluessel(int feld, TFarbe wert) {
    if (wert == ::Schwarz) return Zobrist.Schwarz[feld];
    if (wert == ::Weiss) return Zobrist.Weiss[feld];
    return 0;
}

std::uint64_t BrettHash(const TBrett& b) {
    std::uint64_t h = 0;
    for (int p = BrettVon; p <= BrettBis; ++p)
        h ^= ZobristSchluessel(p, b[p]);
    return h;
}

TEngineZustand EngineBrett;

TEngineZustand::TEngineZustand() {
    Stellungen.reserve(MaxZugIndex + 2);
    Neustart();
}

void TEngineZustand::Schreibe(int feld, TFarbe wert) {
    TFarbe alt = Brett[feld];
    Hash ^= ZobristSchluessel(feld, alt) ^ ZobristSchluessel(feld, wert);
    Brett[feld] = wert;
}

void TEngineZustand::Push(const TAktion& a) { Aktionen[AktionenAnzahl++] = a; }

void TEngineZustand::Neustart() {
    Brett = Startbrett;
    AmZug = 1;
    Ruecksetzen();
}

void TEngineZustand::Ruecksetzen() {
    Zugnummer = 1;
    AktionenAnzahl = 0;
    FarbMaske = AmZug == 1 ? 0 : -1;
    Hash = BrettHash(Brett);
    Stellungen.clear();
    Stellungen.push_back(Brett);
    Hashes[0] = Hash;
    ErzeugeZuege();
}

void TEngineZustand::SetzeStein(int feld, int wert) {
    Bereich<BrettVon, BrettBis>(feld);
    TFarbe v = ZuFarbe(wert);
    if (!IstPunkt(feld)) return;
    if (v == Rand) v = Leer;
    Schreibe(feld, v);
    Ruecksetzen();
}

void TEngineZustand::ErzeugeZuege() {
    Zuganzahl = 1;
    Zugliste[1] = -1;
    for (int x = 0; x < 7; ++x)
        for (int y = 0; y < 7; ++y) {
            int p = Punkt(x, y);
            if (Brett[p] == Leer) Zugliste[++Zuganzahl] = static_cast<std::int16_t>(p);
        }
}

bool TEngineZustand::IstKandidat(int feld) const {
    for (int i = 1; i <= Zuganzahl; ++i)
        if (Zugliste[i] == feld) return true;
    return false;
}

void TEngineZustand::SetzeFeld(int feld, TFarbe wert) {
    if (feld < 0) {
        Push(TAktion{-1, 0, 0, AmZug});
        return;
    }
    Push(TAktion{static_cast<std::int16_t>(feld), Brett[feld], wert, AmZug});
    Schreibe(feld, wert);
}

void TEngineZustand::NimmAktionZurueck() {
    if (AktionenAnzahl <= 0) return;
    const TAktion& a = Aktionen[--AktionenAnzahl];
    if (a.Feld >= 0) Schreibe(a.Feld, ZuFarbe(a.Alt));
}

int TEngineZustand::EntferneKette(int feld, TFarbe farbe) {
    if (Brett[feld] != farbe || farbe == Leer) return 0;
    return laeufer_.Flaeche(Brett, feld, [&](int p) { SetzeFeld(p, Leer); });
}

bool TEngineZustand::HatFreiheit(int feld) const { return laeufer_.HatFreiheit(Brett, feld); }

void TEngineZustand::Ziehe(int feld) {
    TFarbe c = Mover();
    if (feld < 0) {
        feld = -1;
        Push(TAktion{-1, 0, 0, AmZug});
    } else {
        if (!IstPunkt(feld)) RangeFehler(feld, 0, LetzterPunkt);
        SetzeFeld(feld, c);
        laeufer_.Schlage(Brett, feld, [&](int q) { EntferneKette(q, Brett[q]); });
    }
    Zugfolge[Zugnummer] = static_cast<std::int16_t>(feld);
    Hashes[Zugnummer] = Hash;
    ++Zugnummer;
    Stellungen.push_back(Brett);
    AmZug ^= 1;
    FarbMaske = ~FarbMaske;
    ErzeugeZuege();
}

void TEngineZustand::Zuruecknehmen(bool neuAufbauen) {
    if (Zugnummer <= 1) return;
    --Zugnummer;
    Stellungen.pop_back();
    AmZug ^= 1;
    FarbMaske = ~FarbMaske;
    while (AktionenAnzahl > 0 && Aktionen[AktionenAnzahl - 1].Seite == AmZug)
        NimmAktionZurueck();
    assert(Hash == Hashes[Zugnummer - 1]);
    if (neuAufbauen) ErzeugeZuege();
}

bool TEngineZustand::Wiederholung() const {
    int n = static_cast<int>(Stellungen.size());
    for (int i = 0; i + 1 < n; ++i)
        if (Hashes[i] == Hash && GleichesBrett(Stellungen[static_cast<std::size_t>(i)], Brett)) return true;
    return false;
}

bool TEngineZustand::ZieheWennErlaubt(int feld) {
    if (!HatPlatz()) return false;
    if (feld == -1) {
        if (!IstKandidat(-1)) return false;
        Ziehe(-1);
        return true;
    }
    // A candidate is exactly an empty point while the list describes the board.
    if (!IstPunkt(feld) || Brett[feld] != Leer || !IstKandidat(feld)) return false;
    Ziehe(feld);
    if (Brett[feld] == Leer || Wiederholung()) {
        Zuruecknehmen(true);
        return false;
    }
    return true;
}

bool TEngineZustand::IstErlaubt(int feld) {
    if (!ZieheWennErlaubt(feld)) return false;
    Zuruecknehmen(true);
    return true;
}

bool TEngineZustand::BeidePassen() const {
    return Zugnummer > 2 && Zugfolge[Zugnummer - 1] < 0 && Zugfolge[Zugnummer - 2] < 0;
}

int TEngineZustand::Spielstand() const {
    int schwarz = 0, weiss = 0;
    TArray<bool, 0, LetzterPunkt> gezaehlt{};
    for (int p = 0; p <= LetzterPunkt; ++p) {
        TFarbe v = Brett[p];
        if (v == ::Schwarz)
            ++schwarz;
        else if (v == ::Weiss)
            ++weiss;
        else if (v == Leer && !gezaehlt[p]) {
            int groesse = 0;
            bool anSchwarz = false, anWeiss = false;
            laeufer_.Gebiet(
                Brett, p,
                [&](int d) {
                    gezaehlt[d] = true;
                    ++groesse;
                },
                [&](int, TFarbe w) { (w == ::Schwarz ? anSchwarz : anWeiss) = true; });
            if (anSchwarz && !anWeiss)
                schwarz += groesse;
            else if (anWeiss && !anSchwarz)
                weiss += groesse;
        }
    }
    return AmZug == 1 ? schwarz - weiss : weiss - schwarz;
}

double TEngineZustand::Endwert() const {
    int s = Spielstand();
    if (s < 0) return s - 32000.0;
    if (s > 0) return s + 32000.0;
    return 0.0;
}

int TEngineZustand::KettenGroesse(int feld, TFarbe farbe, int marke, TKettenMarken& marken) const {
    if (Brett[feld] != farbe || marken[feld] == marke) return 0;
    return laeufer_.Flaeche(Brett, feld, [&](int p) { marken[p] = static_cast<std::int16_t>(marke); });
}

int TEngineZustand::KettenFreiheiten(int feld) const {
    TFarbe c = Brett[feld];
    if (c == Rand) return -1;
    if (c == Leer) return 1;
    return laeufer_.Freiheiten(Brett, feld);
}
