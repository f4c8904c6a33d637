#include "ui/ZugEingabe.h"

#include "rules/ZugGen.h"

#include <algorithm>

namespace {
constexpr char32_t Rueck = U'\b';
constexpr char32_t Escape = 27;

char32_t Klein(char32_t c) { return (c >= U'A' && c <= U'Z') ? c - U'A' + U'a' : c; }

// The answer of a step, then that of the check of a complete input which follows every step.
TEingabeAntwort ZusammenMit(TEingabeAntwort vorher, TEingabeAntwort danach) {
    vorher.Meldungen.insert(vorher.Meldungen.end(), danach.Meldungen.begin(), danach.Meldungen.end());
    if (danach.Ziehen) {
        vorher.Ziehen = true;
        vorher.Zug = danach.Zug;
    }
    return vorher;
}
} // namespace

TEingabeAntwort TZugEingabe::Zeichen(char32_t c, TZugGenerator& r) {
    TEingabeAntwort a;
    const bool leer = Leerlauf();
    if (leer && c != Rueck) {
        EingabePos = 0;
        EingabeLaenge = 0;
    }
    const char32_t klein = Klein(c);
    if (c == Rueck) {
        if (leer) {
            EingabePos = 0;
            EingabeLaenge = 0;
        } else if (EingabePos > 0) {
            --EingabePos;
            EingabeLaenge = EingabePos;
        }
    } else if (c == Escape) {
        Ruhe();
    } else if (c == U'-') {
        a = Passen(r);
    } else if (klein >= U'a' && klein <= U'g') {
        // A column is expected at 0 only (2 is the transient complete state).
        if (EingabePos == 0 && !r.BeidePassen()) {
            const int reihe = EingabeZug.Feld >= 0 ? EingabeZug.Feld / 16 : 0;
            EingabeZug.Feld = static_cast<std::int8_t>(static_cast<int>(klein - U'a') + 16 * reihe);
            ++EingabePos;
            EingabeLaenge = std::max(EingabeLaenge, EingabePos);
        }
    } else if (c >= U'1' && c <= U'7') {
        if (EingabePos == 1) {
            const int spalte = EingabeZug.Feld >= 0 ? EingabeZug.Feld % 16 : 0;
            EingabeZug.Feld = static_cast<std::int8_t>(spalte + 16 * static_cast<int>(c - U'1'));
            ++EingabePos;
            EingabeLaenge = std::max(EingabeLaenge, EingabePos);
            if (r.Brett[EingabeZug.Feld] != Leer) {
                a.Meldungen.push_back("Bitte ein leeres Feld angeben!");
                EingabePos = 0;
            }
        }
    }
    return ZusammenMit(std::move(a), Ausfuehren(r));
}

TEingabeAntwort TZugEingabe::Passen(TZugGenerator& r) {
    EingabeZug = Passzug();
    return FeldGewaehlt(-1, r);
}

TEingabeAntwort TZugEingabe::FeldGewaehlt(int feld, TZugGenerator& r) {
    TEingabeAntwort a;
    if (r.BeidePassen()) return a;
    EingabePos = 0;
    const bool punkt = feld >= 0;
    if (punkt && r.Brett[feld] != Leer) {
        const TFarbe stein = r.Brett[feld];
        const TFarbe eigene = FarbeVonSeite(r.AmZug);
        if (stein == eigene)
            a.Meldungen.push_back("Das ist dein Stein. Bitte liegen lassen!");
        else if (stein == Gegner(eigene))
            a.Meldungen.push_back("Das ist nicht dein Stein. Bitte nicht berühren");
    } else {
        EingabeZug.Feld = static_cast<std::int8_t>(punkt ? feld : -1);
        TZug z = EingabeZug;
        const bool gefunden = r.ZugZuFeld(z);
        EingabeZug = z;
        const int grund = gefunden ? r.PruefeZug(EingabeZug) : ZugLegal;
        if (grund == ZugLegal) {
            EingabePos = 2;
        } else if (grund == ZugWiederholung) {
            a.Wiederholung = true;
            a.Zug = EingabeZug;
            a.Meldungen.push_back(
                "Dieser Zug ist nicht erlaubt, weil er zu einer Stellungswiederholung führt.");
        } else if (grund == ZugSelbstmord) {
            a.Meldungen.push_back("Das wäre Selbstmord!");
        } else {
            a.Meldungen.push_back("Dieser Zug ist nicht erlaubt.");
        }
    }
    EingabeLaenge = std::max(EingabeLaenge, EingabePos);
    return ZusammenMit(std::move(a), Ausfuehren(r));
}

TEingabeAntwort TZugEingabe::Ausfuehren(TZugGenerator& r) {
    TEingabeAntwort a;
    if (EingabePos != 2) return a;
    TZug z = EingabeZug;
    r.ZugZuFeld(z);
    EingabeZug = z;
    if (!r.IstErlaubt(z)) {
        a.Meldungen.push_back(" Verbotener Zug !");
        EingabePos = 0;
        return a;
    }
    Ruhe();
    a.Ziehen = true;
    a.Zug = z;
    return a;
}

bool TZugEingabe::Taste(TEingabeTaste t) {
    switch (t) {
    case TEingabeTaste::Pos1:
        EingabePos = 0;
        return true;
    case TEingabeTaste::Ende:
        EingabePos = EingabeLaenge;
        return true;
    case TEingabeTaste::Rechts:
        if (Leerlauf()) return false;
        if (EingabePos < EingabeLaenge) ++EingabePos;
        return true;
    case TEingabeTaste::Links:
        if (Leerlauf() && EingabeLaenge > 0)
            EingabePos = EingabeLaenge - 1;
        else if (EingabePos > 0)
            --EingabePos;
        else
            return false;
        return true;
    }
    return false;
}

bool TZugEingabe::Klick(int caret) {
    if (EingabeLaenge <= 0 && Leerlauf()) return false;
    const int pos = caret > 1 ? caret - 1 : caret;
    EingabePos = std::min(pos, EingabeLaenge);
    return true;
}

void TZugEingabe::Entfernen() {
    if (Leerlauf()) EingabePos = 0;
    EingabeLaenge = EingabePos;
}

void TZugEingabe::Ruhe() {
    EingabePos = -1;
    EingabeLaenge = 0;
}

void TZugEingabe::Vorschlagen(const TZug* weiter) {
    if (!Leerlauf()) return;
    Vorschlagstext.clear();
    if (!weiter) return;
    EingabeZug = *weiter;
    Vorschlagstext = Feldname(weiter->Feld);
    EingabeLaenge = 2;
}

std::string TZugEingabe::Text() const {
    if (Leerlauf()) return Vorschlagstext;
    return Feldname(EingabeZug.Feld).substr(0, static_cast<std::size_t>(std::max(0, EingabeLaenge)));
}

int TZugEingabe::Caret() const { return EingabePos > 1 ? EingabePos + 1 : EingabePos; }
