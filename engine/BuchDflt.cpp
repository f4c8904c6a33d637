#include "engine/BuchDflt.h"

#include <sstream>
#include <stdexcept>

// engine/Eroeffnungsbuch.txt, built into BuchText.cpp by engine/CMakeLists.txt.
extern const std::string_view BuchText;

namespace {

[[noreturn]] void Fehler(int zeile, const std::string& was) {
    throw std::runtime_error("Eröffnungsbuch, Zeile " + std::to_string(zeile) + ": " + was);
}

int ZahlAus(const std::string& w, int zeile) {
    std::size_t ende = 0;
    int v = 0;
    try {
        v = std::stoi(w, &ende);
    } catch (const std::exception&) {
        Fehler(zeile, "keine Zahl: " + w);
    }
    if (ende != w.size()) Fehler(zeile, "keine Zahl: " + w);
    return v;
}

} // namespace

void TBuch::Lesen(std::string_view text) {
    std::istringstream ein{std::string(text)};
    std::string zeile;
    for (int nr = 1; std::getline(ein, zeile); ++nr) {
        if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
        if (zeile.empty() || zeile[0] == '#') continue;
        std::istringstream w(zeile);
        std::string brett, seite, zug, wert, tiefe, rest;
        if (!(w >> brett >> seite >> zug >> wert >> tiefe) || (w >> rest)) Fehler(nr, "fünf Felder erwartet");
        if (brett.size() != 49) Fehler(nr, "49 Punkte erwartet");
        TBuchEintrag e;
        for (int i = 0; i < 49; ++i) {
            const TBits b = Bit(i % 7 + 8 * (i / 7));
            if (brett[static_cast<std::size_t>(i)] == 'S')
                e.Schwarz |= b;
            else if (brett[static_cast<std::size_t>(i)] == 'W')
                e.Weiss |= b;
            else if (brett[static_cast<std::size_t>(i)] != '.')
                Fehler(nr, "unbekannter Stein");
        }
        if (seite != "S" && seite != "W") Fehler(nr, "Seite S oder W erwartet");
        e.AmZug = seite == "S" ? 1 : 0;
        if (zug == "--") {
            e.Bit = KeinBit;
        } else {
            if (zug.size() != 2 || zug[0] < 'a' || zug[0] > 'g' || zug[1] < '1' || zug[1] > '7')
                Fehler(nr, "Zug erwartet: " + zug);
            e.Bit = (zug[0] - 'a') + 8 * (zug[1] - '1');
        }
        e.Wert = ZahlAus(wert, nr);
        e.Tiefe = ZahlAus(tiefe, nr);
        if (!Eintragen(e)) Fehler(nr, "Stellung doppelt");
    }
}

bool TBuch::Finde(TBits schwarz, TBits weiss, int amZug, TBuchEintrag& eintrag, int& zug) const {
    const auto& index = index_[amZug ? 1 : 0];
    if (index.empty()) return false;
    for (int s = 0; s < 8; ++s) {
        const auto it = index.find({SymBits(s, schwarz), SymBits(s, weiss)});
        if (it == index.end()) continue;
        eintrag = eintraege_[it->second];
        zug = SymBitZurueck(s, eintrag.Bit);
        return true;
    }
    return false;
}

bool TBuch::Eintragen(const TBuchEintrag& e) {
    TBuchEintrag schon;
    int zug;
    if (Finde(e.Schwarz, e.Weiss, e.AmZug, schon, zug)) return false;
    index_[e.AmZug ? 1 : 0][{e.Schwarz, e.Weiss}] = eintraege_.size();
    eintraege_.push_back(e);
    return true;
}

bool TBuch::Entfernen(TBits schwarz, TBits weiss, int amZug) {
    TBuchEintrag weg;
    int zug;
    if (!Finde(schwarz, weiss, amZug, weg, zug)) return false;
    std::vector<TBuchEintrag> rest;
    for (const TBuchEintrag& e : eintraege_)
        if (e.AmZug != weg.AmZug || e.Schwarz != weg.Schwarz || e.Weiss != weg.Weiss) rest.push_back(e);
    eintraege_.clear();
    index_[0].clear();
    index_[1].clear();
    for (const TBuchEintrag& e : rest)
        Eintragen(e);
    return true;
}

std::string TBuch::Zeile(const TBuchEintrag& e) {
    std::string z;
    for (int i = 0; i < 49; ++i) {
        const TBits b = Bit(i % 7 + 8 * (i / 7));
        z += (e.Schwarz & b) ? 'S' : (e.Weiss & b) ? 'W' : '.';
    }
    z += e.AmZug ? " S " : " W ";
    z += e.Bit < 0 ? std::string("--") : Feldname(FeldVonBit(e.Bit));
    z += ' ' + std::to_string(e.Wert) + ' ' + std::to_string(e.Tiefe);
    return z;
}

const TBuch& EingebautesBuch() {
    static const TBuch buch = [] {
        TBuch b;
        b.Lesen(BuchText);
        return b;
    }();
    return buch;
}

bool BuchZug(const TBuch& buch, TEngineZustand& e, int& feld, int& wert, int& tiefe) {
    TBuchEintrag eintrag;
    int zug;
    if (!buch.Finde(BitsVonBrett(e.Brett, Schwarz), BitsVonBrett(e.Brett, Weiss), e.AmZug, eintrag, zug))
        return false;
    const int p = FeldVonBit(zug);
    if (!e.IstErlaubt(p)) return false;
    feld = p;
    wert = eintrag.Wert;
    tiefe = eintrag.Tiefe;
    return true;
}
