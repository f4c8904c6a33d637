#include "rules/Basis.h"

#include "rules/Laeufer.h"

#include <cctype>

std::string Feldname(long p) {
    if (p < 0) return "--";
    std::string s;
    s += static_cast<char>('a' + p % 16);
    s += static_cast<char>('0' + p / 16 + 1);
    return s;
}

std::int16_t FeldAusText(const std::string& s) {
    if (s.empty()) return 0;
    long spalte = std::toupper(static_cast<unsigned char>(s[0])) - 'A';
    long p = spalte;
    if (s.size() > 1) p = (static_cast<unsigned char>(s[1]) - '1') * 16L + spalte;
    return static_cast<std::int16_t>(Bereich<BrettVon, BrettBis>(p));
}

char SteinBuchstabe(TFarbe v) {
    static const char tabelle[] = "dktslW? SLSTKD";
    // 1-based position value + 8 of the table
    long i = Bereich<-7, 6>(v) + 8;
    return tabelle[i - 1];
}

TFarbe SteinAusBuchstabe(char c) {
    switch (std::toupper(static_cast<unsigned char>(c))) {
    case ' ':
        return Leer;
    case 'S':
        return Schwarz;
    case 'W':
        return Weiss;
    default:
        return Rand;
    }
}

TFarbe SteinAusFigur(char c) {
    switch (c) {
    case ' ':
        return Leer;
    case 'P':
        return Schwarz;
    case 'p':
        return Weiss;
    default:
        return Rand;
    }
}

TZug Passzug() { return TZug{0, -1, 0, 0}; }

TZug MacheZug(const TBrett& b, long p, TFarbe farbe) {
    if (p < 0) return Passzug();
    return TZug{farbe, static_cast<std::int8_t>(Bereich<-128, 127>(p)), b[p], 0};
}

bool GleichesBrett(const TBrett& a, const TBrett& b) {
    for (int i = 0; i <= BrettBis; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

std::string ZugText(const TZug& z) { return Feldname(z.Feld); }

bool FremdOderLeer(bool seite, int wert) { return seite ? wert <= 0 : wert >= 0; }

int Freiheiten(const TBrett& b, int punkt) {
    const TFarbe c = b[punkt];
    if (c == Rand) return -1;
    if (c == Leer) return 1;
    return TLaeufer{}.Freiheiten(b, punkt);
}

int Gebiet(const TBrett& b, int start, TBrett& ergebnis, TGebietAnzahl& anzahl) {
    ergebnis = Brettvorlagen[Rand];
    int groesse = 0;
    // A stone as the start is recorded but not entered.
    if (b[start] != Leer)
        ergebnis[start] = b[start];
    else
        TLaeufer{}.Gebiet(
            b, start,
            [&](int p) {
                ergebnis[p] = Leer;
                ++groesse;
            },
            [&](int q, TFarbe farbe) { ergebnis[q] = farbe; });
    anzahl.Fuelle(0);
    for (int i = 0; i <= LetzterPunkt; ++i)
        ++anzahl[ergebnis[i]];
    return groesse;
}

TFarbe Besitzer(const TGebietAnzahl& anzahl) {
    if (anzahl[Schwarz] > 0 && anzahl[Weiss] == 0) return Schwarz;
    if (anzahl[Weiss] > 0 && anzahl[Schwarz] == 0) return Weiss;
    return Rand;
}

TBesitz Besitzverteilung(const TBrett& b) {
    TBesitz besitz{};
    TArray<bool, 0, LetzterPunkt> gezaehlt{};
    TBrett gebiet;
    TGebietAnzahl anzahl;
    for (int p = 0; p <= LetzterPunkt; ++p) {
        if (!IstPunkt(p) || gezaehlt[p]) continue;
        if (b[p] != Leer) {
            besitz[p] = b[p];
            continue;
        }
        Gebiet(b, p, gebiet, anzahl);
        const TFarbe besitzer = Besitzer(anzahl);
        // The region's points all lie from p on: p is the first one the loop meets.
        for (int q = p; q <= LetzterPunkt; ++q)
            if (gebiet[q] == Leer) {
                gezaehlt[q] = true;
                if (besitzer != Rand) besitz[q] = besitzer;
            }
    }
    return besitz;
}
