#include "rules/Basis.h"

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

namespace {
void Fluten(const TBrett& b, TBrett& s, int d, TFarbe c) {
    s[d] = c;
    const int nachbarn[4] = {d - 1, d + 1, d + 16, d - 16};
    for (int n : nachbarn) {
        if (b[n] == Leer)
            s[n] = Leer;
        else if (b[n] == c && s[n] != c)
            Fluten(b, s, n, c);
    }
}

void GebietFuellen(const TBrett& b, TBrett& e, int d, int& groesse) {
    if (e[d] != Rand) return;
    TFarbe v = b[d];
    if (v == Rand) return;
    e[d] = v;
    if (v != Leer) return;
    ++groesse;
    GebietFuellen(b, e, d - 1, groesse);
    GebietFuellen(b, e, d + 1, groesse);
    GebietFuellen(b, e, d - 16, groesse);
    GebietFuellen(b, e, d + 16, groesse);
}
} // namespace

int Freiheiten(const TBrett& b, int punkt) {
    TFarbe c = b[punkt];
    if (c == Rand) return -1;
    if (c == Leer) return 1;
    TBrett s = Brettvorlagen[Gegner(c)];
    Fluten(b, s, punkt, c);
    int n = 0;
    for (int i = 0; i <= LetzterPunkt; ++i)
        if (s[i] == Leer) ++n;
    return n;
}

int Gebiet(const TBrett& b, int start, TBrett& ergebnis, TGebietAnzahl& anzahl) {
    ergebnis = Brettvorlagen[Rand];
    int groesse = 0;
    GebietFuellen(b, ergebnis, start, groesse);
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
