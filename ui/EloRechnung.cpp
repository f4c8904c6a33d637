#include "ui/EloRechnung.h"

#include "rules/Checked.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

TGitter::TGitter(int spalten, int zeilen) { Groesse(spalten, zeilen); }

const std::string &TGitter::Text(int spalte, int zeile) const {
    static const std::string leer;
    if (!Enthaelt(spalte, zeile)) return leer;
    return Zellen[static_cast<std::size_t>(zeile) * Spalten + spalte];
}

void TGitter::Setze(int spalte, int zeile, const std::string &text) {
    if (Enthaelt(spalte, zeile)) Zellen[static_cast<std::size_t>(zeile) * Spalten + spalte] = text;
}

void TGitter::Groesse(int spalten, int zeilen) {
    spalten = std::max(spalten, 0);
    zeilen = std::max(zeilen, 0);
    std::vector<std::string> neu(static_cast<std::size_t>(spalten) * zeilen);
    for (int z = 0; z < std::min(zeilen, Zeilen); ++z)
        for (int s = 0; s < std::min(spalten, Spalten); ++s)
            neu[static_cast<std::size_t>(z) * spalten + s] =
                std::move(Zellen[static_cast<std::size_t>(z) * Spalten + s]);
    Zellen = std::move(neu);
    Spalten = spalten;
    Zeilen = zeilen;
}

void TGitter::ZeileEinfuegen(int zeile) {
    zeile = std::clamp(zeile, 0, Zeilen);
    Groesse(Spalten, Zeilen + 1);
    for (int z = Zeilen - 1; z > zeile; --z)
        for (int s = 0; s < Spalten; ++s)
            Setze(s, z, Text(s, z - 1));
    for (int s = 0; s < Spalten; ++s)
        Setze(s, zeile, "");
}

void TGitter::ZeileLoeschen(int zeile) {
    if (zeile < 0 || zeile >= Zeilen) return;
    for (int z = zeile; z + 1 < Zeilen; ++z)
        for (int s = 0; s < Spalten; ++s)
            Setze(s, z, Text(s, z + 1));
    Groesse(Spalten, Zeilen - 1);
}

void TGitter::SpalteEinfuegen(int spalte) {
    spalte = std::clamp(spalte, 0, Spalten);
    Groesse(Spalten + 1, Zeilen);
    for (int z = 0; z < Zeilen; ++z) {
        for (int s = Spalten - 1; s > spalte; --s)
            Setze(s, z, Text(s - 1, z));
        Setze(spalte, z, "");
    }
}

void TGitter::SpalteLoeschen(int spalte) {
    if (spalte < 0 || spalte >= Spalten) return;
    for (int z = 0; z < Zeilen; ++z)
        for (int s = spalte; s + 1 < Spalten; ++s)
            Setze(s, z, Text(s + 1, z));
    Groesse(Spalten - 1, Zeilen);
}

std::string Trimmen(const std::string &s) {
    // Blanks and control characters, as the grid's editor may leave them.
    auto aussen = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    std::size_t a = 0, e = s.size();
    while (a < e && aussen(s[a]))
        ++a;
    while (e > a && aussen(s[e - 1]))
        --e;
    return s.substr(a, e - a);
}

TErgebnisArt ErgebnisLesen(const std::string &text) {
    const std::string t = Trimmen(text);
    if (t.empty()) return TErgebnisArt::Keins;
    if (t[0] == '1' && (t.size() == 1 || t.back() == '0')) return TErgebnisArt::Sieg;
    if (t[0] == '0' && (t.size() == 1 || t.back() == '1')) return TErgebnisArt::Niederlage;
    // The one-half sign arrives as UTF-8 (U+00BD).
    if (t.compare(0, 3, "1/2") == 0 || t.compare(0, 2, "\xC2\xBD") == 0) return TErgebnisArt::Remis;
    return TErgebnisArt::Unbekannt;
}

double ErgebnisPunkte(TErgebnisArt art) {
    switch (art) {
    case TErgebnisArt::Sieg:
        return 1;
    case TErgebnisArt::Niederlage:
        return 0;
    default:
        return 0.5;
    }
}

std::string ZahlText(double wert) {
    char puffer[64];
    auto [ende, fehler] = std::to_chars(puffer, puffer + sizeof puffer, wert);
    if (fehler != std::errc()) return "0";
    return std::string(puffer, ende);
}

std::int32_t EloZahl(const std::string &text, std::int32_t vorgabe) {
    const std::string t = Trimmen(text);
    const char *a = t.data();
    const char *e = t.data() + t.size();
    if (a != e && *a == '+') ++a; // from_chars knows only the minus sign
    std::int32_t wert = 0;
    auto [p, fehler] = std::from_chars(a, e, wert);
    if (a == e || fehler != std::errc() || p != e) return vorgabe;
    return wert;
}

namespace {
constexpr TArray<int, 0, 40> Differenzen = {
    {0,   4,   11,  18,  26,  33,  40,  47,  54,  62,  69,  77,  84,  92,  99,  107, 114, 122, 130, 138, 146,
     154, 163, 171, 180, 189, 198, 207, 216, 226, 236, 246, 257, 268, 279, 291, 303, 316, 329, 345, 358}};
constexpr int Kappung = 350;
} // namespace

int EloDifferenz(int k) { return Differenzen[k]; }

double NeueElo(std::int32_t r0, const std::vector<std::int32_t> &gegner, double w) {
    const double n = static_cast<double>(gegner.size());
    if (gegner.empty()) return r0;
    // 64 bits: a rating near the end of the 32-bit range must not overflow when clipped.
    const std::int64_t r = r0;
    double summe = 0;
    for (std::int32_t g : gegner)
        summe += static_cast<double>(std::clamp<std::int64_t>(g, r - Kappung, r + Kappung));
    const double a = summe / n;
    const double d = std::fabs(static_cast<double>(r) - a);
    int k = 0;
    while (k + 1 <= Differenzen.High && Differenzen[k + 1] <= d)
        ++k;
    const double p = static_cast<double>(r) > a ? 50 + k : 50 - k;
    const double faktor = (3400.0 - r) * (3400.0 - r) / 100000.0;
    const double neu = r + faktor * (w - n * p / 100.0);
    return std::nearbyint(neu * 10.0) / 10.0; // the default rounding mode: halves to even
}

void ZeilePkteAuswerten(TGitter &spieler, const TGitter &ergebnisse, int zeile) {
    spieler.Setze(SpaltePunkte, zeile, "");
    double summe = 0;
    bool gezaehlt = false;
    for (int j = 1; j < ergebnisse.Spalten; ++j) {
        const TErgebnisArt art = ErgebnisLesen(ergebnisse.Text(j, zeile));
        if (art == TErgebnisArt::Keins) continue;
        summe += ErgebnisPunkte(art);
        gezaehlt = true;
    }
    if (gezaehlt) spieler.Setze(SpaltePunkte, zeile, ZahlText(summe));
}

void ZeileEloAuswerten(TGitter &spieler, const TGitter &ergebnisse, int zeile) {
    spieler.Setze(SpalteEloNeu, zeile, "");
    const std::int32_t r0 = EloZahl(spieler.Text(SpalteEloAlt, zeile), -1);
    if (r0 == -1) return;
    std::vector<std::int32_t> gegner;
    double w = 0;
    for (int j = 1; j < ergebnisse.Spalten; ++j) {
        const TErgebnisArt art = ErgebnisLesen(ergebnisse.Text(j, zeile));
        if (art == TErgebnisArt::Keins || Trimmen(spieler.Text(SpalteEloAlt, j)).empty()) continue;
        gegner.push_back(EloZahl(spieler.Text(SpalteEloAlt, j), 0));
        w += ErgebnisPunkte(art);
    }
    if (gegner.empty()) {
        spieler.Setze(SpalteEloNeu, zeile, spieler.Text(SpalteEloAlt, zeile));
        return;
    }
    spieler.Setze(SpalteEloNeu, zeile, ZahlText(NeueElo(r0, gegner, w)));
}

std::string EloPruefen(const TGitter &spieler) {
    for (int z = 1; z < spieler.Zeilen; ++z) {
        const std::string t = Trimmen(spieler.Text(SpalteEloAlt, z));
        if (t.empty()) continue;
        if (!std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return MeldungNurZiffern;
        // Long digit strings are out of range anyway; no need to convert them.
        const std::size_t erste = std::min(t.find_first_not_of('0'), t.size());
        const std::string ziffern = t.substr(erste);
        const long wert = ziffern.size() > 6 ? std::numeric_limits<long>::max()
                                             : (ziffern.empty() ? 0 : std::stol(ziffern));
        if (wert < 100 || wert > 5000) return MeldungEloBereich;
    }
    return "";
}

TPruefung ErgebnisNormalisieren(TGitter &ergebnisse, int x, int y) {
    if (x < 0 || y < 0) return TPruefung::Leer;
    int spalten = ergebnisse.Spalten, zeilen = ergebnisse.Zeilen;
    if (y >= spalten) spalten = y + 1;
    if (x >= zeilen) zeilen = x + 1;
    // The cell itself must exist as well, or there is nothing to read.
    spalten = std::max(spalten, x + 1);
    zeilen = std::max(zeilen, y + 1);
    ergebnisse.Groesse(spalten, zeilen);

    switch (ErgebnisLesen(ergebnisse.Text(x, y))) {
    case TErgebnisArt::Keins:
        return TPruefung::Leer;
    case TErgebnisArt::Sieg:
        ergebnisse.Setze(x, y, "1-0");
        ergebnisse.Setze(y, x, "0-1");
        return TPruefung::Erkannt;
    case TErgebnisArt::Niederlage:
        ergebnisse.Setze(x, y, "0-1");
        ergebnisse.Setze(y, x, "1-0");
        return TPruefung::Erkannt;
    case TErgebnisArt::Remis:
        ergebnisse.Setze(x, y, "1/2-1/2");
        ergebnisse.Setze(y, x, "1/2-1/2");
        return TPruefung::Erkannt;
    case TErgebnisArt::Unbekannt:
        break;
    }
    return TPruefung::Fehler;
}

void TabellenKopf(const TGitter &spieler, TGitter &ergebnisse) {
    ergebnisse.Groesse(std::max(ergebnisse.Spalten, spieler.Zeilen),
                       std::max(ergebnisse.Zeilen, spieler.Zeilen));
    for (int i = 1; i < spieler.Zeilen; ++i) {
        ergebnisse.Setze(i, 0, spieler.Text(SpalteName, i));
        ergebnisse.Setze(0, i, spieler.Text(SpalteName, i));
    }
}
