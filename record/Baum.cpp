#include "record/Baum.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace {
TZug RueckToken(TZug z) {
    SetzeVorwaerts(z, false);
    return z;
}
TZug VorToken(TZug z) {
    SetzeVorwaerts(z, true);
    return z;
}
} // namespace

TBaum::TBaum() {
    // TArray is an aggregate of plain bytes: calloc's zeroed storage is a valid, empty array.
    void *p = std::calloc(1, sizeof(TTokens));
    if (!p) throw std::bad_alloc();
    Eigene.reset(static_cast<TTokens *>(p));
    Tokens = Eigene.get();
}

void TBaum::TFreigabe::operator()(TTokens *t) const { std::free(t); }

void TBaum::Init(int basis) {
    Letzter = -1;
    Basis = basis;
    Cursor = 0;
    Tiefe = 0;
}

void TBaum::ZurWurzel() {
    Cursor = 0;
    Tiefe = 0;
}

void TBaum::SchrittRechts() {
    if (Cursor > Letzter) RangeFehler(Cursor, 0, Letzter);
    if (IstVorwaerts((*Tokens)[Cursor]))
        ++Tiefe;
    else
        --Tiefe;
    ++Cursor;
}

void TBaum::SchrittLinks() {
    if (Cursor <= 0) RangeFehler(Cursor, 1, Letzter + 1);
    --Cursor;
    if (IstVorwaerts((*Tokens)[Cursor]))
        --Tiefe;
    else
        ++Tiefe;
}

bool TBaum::Vor(TZug &z) {
    if (Cursor > Letzter || !IstVorwaerts((*Tokens)[Cursor])) return false;
    z = (*Tokens)[Cursor];
    ++Tiefe;
    ++Cursor;
    return true;
}

bool TBaum::Zurueck() {
    const int c0 = Cursor, d0 = Tiefe;
    while (Cursor > 0 && Tiefe >= d0)
        SchrittLinks();
    if (Tiefe == d0 - 1) return true;
    Cursor = c0;
    Tiefe = d0;
    return false;
}

bool TBaum::NaechsteVariante(TZug &z) {
    const int c0 = Cursor, d0 = Tiefe;
    while (Cursor <= Letzter && Tiefe >= d0)
        SchrittRechts();
    if (Tiefe == d0 - 1 && Vor(z)) return true;
    Cursor = c0;
    Tiefe = d0;
    return false;
}

bool TBaum::VorherigeVariante(TZug &z) {
    const int c0 = Cursor, d0 = Tiefe;
    while (Cursor > 0 && Tiefe != d0 - 1)
        SchrittLinks();
    if (Cursor > 0) {
        SchrittLinks();
        // Only the back token of an earlier sibling brings the depth back to d0.
        if (Tiefe == d0) {
            z = VorToken((*Tokens)[Cursor]);
            return true;
        }
    }
    Cursor = c0;
    Tiefe = d0;
    return false;
}

void TBaum::Einfuegen(int zugnummer, const TZug &z) {
    const int ziel = zugnummer - Basis;
    while (Tiefe > ziel)
        if (!Zurueck()) break;
    TTokens &t = *Tokens;
    while (Cursor <= Letzter && Tiefe >= ziel) {
        if (Tiefe == ziel && IstVorwaerts(t[Cursor]) && GleicherZug(t[Cursor], z)) {
            TZug dummy;
            Vor(dummy);
            return;
        }
        if (Tiefe == ziel && !IstVorwaerts(t[Cursor])) {
            // The end of the continuations here: the move becomes the last variation.
            if (Letzter + 2 > MaxToken) RangeFehler(Letzter + 2, 0, MaxToken);
            std::copy_backward(t.begin() + Cursor, t.begin() + Letzter + 1, t.begin() + Letzter + 3);
            Letzter += 2;
            t[Cursor] = VorToken(z);
            ++Cursor;
            ++Tiefe;
            t[Cursor] = RueckToken(z);
            return;
        }
        SchrittRechts();
    }
    if (Cursor <= Letzter) return; // the tree is shallower than the move number says
    // A full array must not leave a forward token without its back token (nor move the
    // cursor onto an old token): the move is refused as a whole.
    if (Cursor + 1 > MaxToken) RangeFehler(Cursor + 1, 0, MaxToken);
    Letzter = Cursor;
    t[Cursor] = VorToken(z);
    ++Cursor;
    ++Tiefe;
    Letzter = Cursor;
    t[Cursor] = RueckToken(z);
}

void TBaum::KopiereKopf(TBaum &ziel, const TBaum &quelle) {
    ziel.Cursor = quelle.Cursor;
    ziel.Letzter = quelle.Letzter;
    ziel.Basis = quelle.Basis;
    ziel.Tiefe = quelle.Tiefe;
    ziel.Tokens = quelle.Tokens;
}

void TBaum::TiefeKopie(TBaum &ziel, const TBaum &quelle) {
    if (&ziel == &quelle) return;
    ziel.Tokens = ziel.Eigene.get();
    if (quelle.Letzter >= 0 && ziel.Tokens != quelle.Tokens)
        std::copy(quelle.Tokens->begin(), quelle.Tokens->begin() + quelle.Letzter + 1, ziel.Tokens->begin());
    ziel.Cursor = quelle.Cursor;
    ziel.Letzter = quelle.Letzter;
    ziel.Basis = quelle.Basis;
    ziel.Tiefe = quelle.Tiefe;
}

std::vector<TZug> Fortsetzung(const TBaum& baum, std::size_t hoechstens) {
    std::vector<TZug> weiter;
    // The tree's forward tokens from the cursor on are the line's next moves, one after another.
    for (int i = baum.Cursor; i <= baum.Letzter && weiter.size() < hoechstens; ++i) {
        const TZug& z = (*baum.Tokens)[i];
        if (!IstVorwaerts(z)) break;
        weiter.push_back(z);
    }
    return weiter;
}
