#include "engine/engineDefault.h"

#include "engine/BasisBrett.h"
#include "engine/BuchDflt.h"
#include "engine/SWertDflt.h"
#include "engine/SuchParameter.h"
#include "engine/ZSucheDflt.h"
#include "engine/ziehenDflt.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>

namespace {
std::atomic<int> maxTiefe{4};

TBuchZeit buchZeit;

std::int32_t Zaehler32(std::int64_t n) {
    return static_cast<std::int32_t>(std::min<std::int64_t>(n, std::numeric_limits<std::int32_t>::max()));
}
} // namespace

// Levels up to 8 are a time budget that doubles per level, from 0.01 s at level 1 to 1.28 s
// at level 8, scaled by the empty points; the search stops sooner when its choice is unlikely
// to change, and goes on longer when it is unclear (SuchParameter.h). Higher levels
// (and "Maximal") search until their main line is as deep as the level or the user stops them.
double ZeitBudget(int level) { return level <= 8 ? 0.01 * std::ldexp(1.0, std::max(level, 1) - 1) : 0.0; }
int SuchTiefe(int level) { return level <= 8 ? MaxKnoten : level; }

double ZeitBudget(int level, const TEngineZustand& e) {
    const double leer = SuchParameter().ZeitLeer;
    if (leer <= 0) return ZeitBudget(level);
    int n = 0;
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x)
            n += e.Brett[Punkt(x, y)] == Leer;
    const TSuchParameter& par = SuchParameter();
    // The opening can get ZeitAnfang times that from ZeitAnfangAb empty points on, rising over
    // the ten points below. Off by default: after a random opening most of a game's moves are
    // such moves, and the median time of a move rises with them.
    const double anfang = 1 + (par.ZeitAnfang - 1) * std::clamp((n - par.ZeitAnfangAb + 10) / 10.0, 0.0, 1.0);
    return ZeitBudget(level) * std::clamp(n / leer, std::min(par.ZeitMin, 1.0), 2.0) * std::max(anfang, 0.1);
}

bool TBuchZeit::Gleiche(const TEngineZustand& e) const {
    if (verlauf_.empty() || e.Zugnummer < static_cast<int>(verlauf_.size())) return false;
    for (std::size_t i = 0; i < verlauf_.size(); ++i)
        if (e.Hashes[static_cast<int>(i)] != verlauf_[i]) return false;
    return true;
}

void TBuchZeit::Buchzug(const TEngineZustand& e, double budget) {
    if (!Gleiche(e)) guthaben_ = 0;
    verlauf_.clear();
    for (int i = 0; i < e.Zugnummer; ++i)
        verlauf_.push_back(e.Hashes[i]);
    guthaben_ += budget * std::max(SuchParameter().BuchZeit, 0.0);
}

double TBuchZeit::Suche(const TEngineZustand& e, double budget) {
    if (!Gleiche(e)) {
        verlauf_.clear();
        guthaben_ = 0;
        return budget;
    }
    const double dazu = std::min(guthaben_, budget);
    guthaben_ -= dazu;
    return budget + dazu;
}

const char* DefaultName() { return "Default"; }

void DefaultSetzeMeldeProc(TMeldeProc p) { SetzeEngineMeldeProc(p); }

bool DefaultSetzeLevel(int engineNr, int level) {
    if (engineNr != 1) return false;
    maxTiefe = std::clamp(level, 1, 999);
    return true;
}

bool DefaultSpielNeu() {
    EngineBrett.Neustart();
    return true;
}

bool DefaultZiehe(int feld) {
    if (feld < 0)
        feld = -1;
    else
        Bereich<BrettVon, BrettBis>(feld);
    return EngineBrett.ZieheWennErlaubt(feld);
}

bool DefaultZurueck() {
    if (EngineBrett.Zugnummer <= 1) return false;
    EngineBrett.Zuruecknehmen(true);
    return true;
}

bool DefaultSetzeStein(int feld, int wert) {
    EngineBrett.SetzeStein(static_cast<int>(Bereich<BrettVon, BrettBis>(feld)), wert);
    return true;
}

bool DefaultBerechne(int& feld, int& wert, TZaehler& zaehler, const std::atomic<std::uint8_t>* stopp) {
    SuchInfoZuruecksetzen();
    feld = -2;
    zaehler[0] = 0;
    zaehler[1] = 0;
    if (!BereiteBewertungVor()) return false;
    const int level = maxTiefe.load();
    // Every level but the first plays the opening book where it knows the position.
    int buchWert = 0, buchTiefe = 0;
    if (level >= 2 && BuchZug(EingebautesBuch(), EngineBrett, feld, buchWert, buchTiefe)) {
        wert = buchWert;
        TSuchInfo i;
        i.Tiefe = buchTiefe;
        i.AktuellerZug = i.BesterZug = feld;
        i.AktuellerWert = i.BesterWert = buchWert;
        i.Zeit = "00:00:00.0";
        i.Grund = "maximale Analysetiefe erreicht";
        SetzeSuchInfo(i);
        Melde("Eröffnungsbuch: " + Feldname(feld) + " (Analysetiefe " + std::to_string(buchTiefe) + ")",
              false);
        Melde(i.Grund, false);
        buchZeit.Buchzug(EngineBrett, ZeitBudget(level, EngineBrett));
        return true;
    }
    const TSuchErgebnis erg = SucheZug(EngineBrett, SuchTiefe(level), -2147483647.0, 2147483647.0, stopp,
                                       buchZeit.Suche(EngineBrett, ZeitBudget(level, EngineBrett)));
    feld = erg.Feld;
    const double gerundet = std::round(erg.Wert);
    if (!(gerundet >= -2147483648.0 && gerundet <= 2147483647.0))
        RangeFehler(0, -2147483647L - 1, 2147483647L);
    wert = static_cast<int>(gerundet);
    zaehler[0] = Zaehler32(erg.Stellungen);
    zaehler[1] = Zaehler32(erg.Bewertungen);
    return feld >= -1 && EngineBrett.IstErlaubt(feld);
}

void DefaultVorausdenken(const std::atomic<std::uint8_t>* stopp) {
    if (ZeitBudget(maxTiefe.load()) <= 0 || EngineBrett.Zugnummer < 1) return;
    Vorausdenken(EngineBrett, stopp);
}

const TEngineEintraege& DefaultEintraege() {
    static const TEngineEintraege e = [] {
        TEngineEintraege t;
        t.Name = DefaultName;
        t.SetzeMeldeProc = DefaultSetzeMeldeProc;
        t.SpielNeu = DefaultSpielNeu;
        t.Berechne = DefaultBerechne;
        t.Reserviert = nullptr;
        t.SetzeLevel = DefaultSetzeLevel;
        t.SetzeStein = DefaultSetzeStein;
        t.Zurueck = DefaultZurueck;
        t.Ziehe = DefaultZiehe;
        return t;
    }();
    return e;
}
