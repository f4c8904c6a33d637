#include "record/SgfDoc.h"

#include "record/TPAcht.h"
#include "support/StringsV5.h"

#include <charconv>
#include <memory>

#ifndef KIBORU_VERSION
#error "KIBORU_VERSION must name the program's version"
#endif

namespace {

// More is no 7x7 game: the tree holds 200001 tokens, and every node costs memory before it is
// checked.
constexpr std::size_t MaxElemente = 500000;

bool IstUmbruch(char c) { return c == '\r' || c == '\n'; }
bool IstLeerraum(char c) { return static_cast<unsigned char>(c) <= 32; }
bool IstGross(char c) { return c >= 'A' && c <= 'Z'; }
bool IstKlein(char c) { return c >= 'a' && c <= 'z'; }
bool IstFolgebyte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Length of the UTF-8 sequence starting at s[i], 0 if none starts there.
std::size_t Utf8Laenge(std::string_view s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n = 0;
    std::uint32_t cp = 0;
    if (b < 0x80) return 1;
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2;
        cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        cp = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        cp = b & 0x07;
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if (!IstFolgebyte(s[i + k])) return 0;
        cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    }
    const bool zuKurz = (n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000);
    if (zuKurz || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

bool IstUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = Utf8Laenge(s, i);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

std::string Latin1NachUtf8(std::string_view s) {
    std::string aus;
    aus.reserve(s.size());
    for (char c : s) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            aus += c;
        } else {
            aus += static_cast<char>(0xC0 | (b >> 6));
            aus += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return aus;
}

// Invalid sequences of a text declared as UTF-8 become "?".
std::string Utf8Bereinigt(std::string_view s) {
    std::string aus;
    aus.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = Utf8Laenge(s, i);
        if (n == 0) {
            aus += '?';
            ++i;
        } else {
            aus.append(s.substr(i, n));
            i += n;
        }
    }
    return aus;
}

std::string Getrimmt(const std::string& s) {
    const auto a = s.find_first_not_of(' ');
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

std::string Klein(std::string s) {
    for (char& c : s)
        if (IstGross(c)) c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string Stelle(std::int32_t zeile, std::int32_t spalte) {
    return "Zeile " + std::to_string(zeile) + ", Spalte " + std::to_string(spalte) + ": ";
}

// ---- parser ----------------------------------------------------------------------------------

class TSgfParser {
public:
    TSgfParser(std::string_view t, TSgfSammlung& s) : T(t), S(s), Utf8(IstUtf8(t)) {}

    // false with Fehler set.
    bool Lies() {
        S.Spiele.clear();
        // Whatever stands before the first game (a mail header, a title) is not read.
        while (!AmEnde() && Peek() != '(')
            Weiter();
        for (;;) {
            UeberspringeLeerraum();
            if (AmEnde()) break;
            if (Peek() != '(') {
                if (S.Spiele.empty()) return Falsch("die Datei enthält keine SGF-Partie.");
                return Falsch("nach dem Ende der Partie steht noch " + Gefunden() + ".");
            }
            S.Spiele.emplace_back();
            if (!Spielbaum(S.Spiele.back())) return false;
        }
        if (S.Spiele.empty()) return Falsch("die Datei enthält keine SGF-Partie.");
        for (TSgfSpiel& spiel : S.Spiele)
            Umkodieren(spiel);
        return true;
    }

    std::string Fehler;

private:
    std::string_view T;
    TSgfSammlung& S;
    bool Utf8;
    std::size_t Pos = 0;
    std::int32_t Zeile = 1, Spalte = 1;
    char OffenerUmbruch = 0; // the first character of a line break that may be a pair
    std::size_t Elemente = 0;

    bool AmEnde() const { return Pos >= T.size(); }
    char Peek() const { return AmEnde() ? '\0' : T[Pos]; }

    // One byte on; CR LF and LF CR count as one line break, and a column is a character.
    void Weiter() {
        const char c = T[Pos++];
        if (IstUmbruch(c)) {
            if (OffenerUmbruch && OffenerUmbruch != c) {
                OffenerUmbruch = 0;
                return;
            }
            OffenerUmbruch = c;
            ++Zeile;
            Spalte = 1;
            return;
        }
        OffenerUmbruch = 0;
        if (!Utf8 || !IstFolgebyte(c)) ++Spalte;
    }

    void UeberspringeLeerraum() {
        while (!AmEnde() && IstLeerraum(Peek()))
            Weiter();
    }

    std::string Gefunden() const {
        if (AmEnde()) return "das Dateiende";
        const char c = Peek();
        const auto b = static_cast<unsigned char>(c);
        if (b > 32 && b < 127) return "\"" + std::string(1, c) + "\"";
        if (Utf8 && b >= 0x80) return "\"" + std::string(T.substr(Pos, Utf8Laenge(T, Pos))) + "\"";
        return "das Zeichen #" + std::to_string(b);
    }

    bool Falsch(const std::string& text) { return Falsch(Zeile, Spalte, text); }
    bool Falsch(std::int32_t zeile, std::int32_t spalte, const std::string& text) {
        Fehler = Stelle(zeile, spalte) + text;
        return false;
    }

    bool Zaehle() {
        if (++Elemente <= MaxElemente) return true;
        return Falsch("die Datei hat mehr als " + std::to_string(MaxElemente) +
                      " Knoten und Werte; so groß ist keine Partie auf dem 7x7-Brett.");
    }

    // "(" Sequence GameTree* ")", without recursion: the nesting may be as deep as the file is long.
    bool Spielbaum(TSgfSpiel& spiel) {
        Weiter();                            // "("
        std::vector<std::int32_t> offen{-1}; // per open "(": the node its variation hangs on
        std::int32_t letzter = -1;           // the node the next ";" hangs on
        bool knotenFehlt = true;             // right after "(" a node must follow
        bool nachVariante = false;           // after ")" only "(" or ")" may follow
        while (!offen.empty()) {
            UeberspringeLeerraum();
            const char c = Peek();
            if (c == ';' && !nachVariante) {
                if (!Zaehle()) return false;
                TSgfKnoten k;
                k.Zeile = Zeile;
                k.Spalte = Spalte;
                Weiter();
                const auto nr = static_cast<std::int32_t>(spiel.Knoten.size());
                spiel.Knoten.push_back(std::move(k));
                if (letzter >= 0) spiel.Knoten[static_cast<std::size_t>(letzter)].Kinder.push_back(nr);
                letzter = nr;
                knotenFehlt = false;
                if (!Eigenschaften(spiel.Knoten.back())) return false;
            } else if (c == '(' && !knotenFehlt) {
                Weiter();
                offen.push_back(letzter);
                knotenFehlt = true;
                nachVariante = false;
            } else if (c == ')' && !knotenFehlt) {
                Weiter();
                letzter = offen.back();
                offen.pop_back();
                nachVariante = true;
            } else if (AmEnde()) {
                return Falsch("die Datei endet, bevor die Partie mit \")\" geschlossen ist.");
            } else if (knotenFehlt) {
                return Falsch("\";\" erwartet, aber " + Gefunden() + " gefunden.");
            } else if (nachVariante) {
                return Falsch("nach einer Variante darf nur \"(\" oder \")\" folgen, aber " + Gefunden() +
                              " gefunden.");
            } else {
                return Falsch("\";\", \"(\" oder \")\" erwartet, aber " + Gefunden() + " gefunden.");
            }
        }
        return true;
    }

    bool Eigenschaften(TSgfKnoten& k) {
        for (;;) {
            UeberspringeLeerraum();
            if (!IstGross(Peek()) && !IstKlein(Peek())) return true;
            TSgfEigenschaft e;
            e.Zeile = Zeile;
            e.Spalte = Spalte;
            std::string geschrieben;
            // Old files mix lower-case letters into the identifiers; only the capitals count.
            while (IstGross(Peek()) || IstKlein(Peek())) {
                geschrieben += Peek();
                if (IstGross(Peek())) e.Name += Peek();
                Weiter();
            }
            if (e.Name.empty())
                return Falsch(e.Zeile, e.Spalte,
                              "die Eigenschaft \"" + KuerzeText(geschrieben, 20) +
                                  "\" hat keinen Großbuchstaben.");
            UeberspringeLeerraum();
            if (Peek() != '[')
                return Falsch("\"[\" nach " + e.Name + " erwartet, aber " + Gefunden() + " gefunden.");
            while (Peek() == '[') {
                if (!Zaehle()) return false;
                const std::int32_t zeile = Zeile, spalte = Spalte;
                Weiter();
                const std::size_t anfang = Pos;
                while (!AmEnde() && Peek() != ']') {
                    if (Peek() == '\\') Weiter();
                    if (!AmEnde()) Weiter();
                }
                if (AmEnde())
                    return Falsch(zeile, spalte,
                                  "der Wert von " + e.Name +
                                      " endet nicht mit \"]\" (die Datei endet vorher).");
                e.Werte.emplace_back(T.substr(anfang, Pos - anfang));
                Weiter(); // "]"
                UeberspringeLeerraum();
            }
            k.Eigenschaften.push_back(std::move(e));
        }
    }

    static void Umkodieren(TSgfSpiel& spiel) {
        const TSgfEigenschaft* ca = spiel.Knoten.front().Finde("CA");
        std::string satz;
        if (ca && !ca->Werte.empty())
            for (char c : Klein(SgfEinfacherText(ca->Werte[0])))
                if (c != '-' && c != '_' && c != ' ') satz += c;
        bool latin1 = satz == "iso88591" || satz == "latin1" || satz == "l1" || satz == "isolatin1";
        const bool utf8 = satz == "utf8";
        if (!latin1 && !utf8) {
            // No (or an unknown) character set: a text that is not UTF-8 is the format's Latin-1.
            for (const TSgfKnoten& k : spiel.Knoten)
                for (const TSgfEigenschaft& e : k.Eigenschaften)
                    for (const std::string& w : e.Werte)
                        if (!latin1 && !IstUtf8(w)) latin1 = true;
        }
        for (TSgfKnoten& k : spiel.Knoten)
            for (TSgfEigenschaft& e : k.Eigenschaften)
                for (std::string& w : e.Werte)
                    w = latin1 ? Latin1NachUtf8(w) : Utf8Bereinigt(w);
    }
};

std::string Dekodiere(std::string_view roh, bool einfach) {
    std::string aus;
    aus.reserve(roh.size());
    // After a line break character: its partner is part of the same break.
    const auto umbruchEnde = [&](std::size_t i) {
        if (i + 1 < roh.size() && IstUmbruch(roh[i + 1]) && roh[i + 1] != roh[i]) return i + 1;
        return i;
    };
    for (std::size_t i = 0; i < roh.size(); ++i) {
        char c = roh[i];
        if (c == '\\' && i + 1 < roh.size()) {
            c = roh[++i];
            if (IstUmbruch(c)) { // a soft line break
                i = umbruchEnde(i);
                continue;
            }
            aus += IstLeerraum(c) ? ' ' : c;
        } else if (IstUmbruch(c)) {
            i = umbruchEnde(i);
            aus += einfach ? ' ' : '\n';
        } else {
            aus += IstLeerraum(c) ? ' ' : c;
        }
    }
    return aus;
}

// ---- checking and building the game ------------------------------------------------------------

// The game as it is to become: start position, rules state and tree, all of its own.
struct TNeuesSpiel {
    TStellung Start;
    TZugGenerator Regeln;
    TBaum Baum;
    std::optional<double> Komi;
};

std::string Beschaedigt(const std::string& name, const std::string& was) {
    return "Die Datei " + name + " ist beschädigt: " + was;
}

// "B[cc]" for a message.
std::string Zitat(const TSgfEigenschaft& e) {
    std::string s = e.Name;
    for (const std::string& w : e.Werte)
        s += "[" + KuerzeText(SgfEinfacherText(w), 12) + "]";
    return KuerzeText(s, 40);
}

// A point "cd" of the 7x7 board (row "a" at the top); -1 when it is none.
int PunktAus(const std::string& w) {
    if (w.size() != 2 || w[0] < 'a' || w[0] > 'g' || w[1] < 'a' || w[1] > 'g') return -1;
    return Punkt(w[0] - 'a', 6 - (w[1] - 'a'));
}

std::string PunktText(int p) {
    std::string s(1, static_cast<char>('a' + (p & 15)));
    s += static_cast<char>('a' + 6 - p / 16);
    return s;
}

// The nodes before the first move, as long as there is no variation: their set-up is the start.
std::vector<std::int32_t> Startkette(const TSgfSpiel& spiel) {
    std::vector<std::int32_t> kette{0};
    for (;;) {
        const TSgfKnoten& k = spiel.Knoten[static_cast<std::size_t>(kette.back())];
        if (k.Finde("B") || k.Finde("W") || k.Kinder.size() != 1) return kette;
        kette.push_back(k.Kinder.front());
    }
}

// Board size, game type and the start; a message when the game cannot be taken over at all.
std::string PruefeStart(const TSgfSpiel& spiel, const std::vector<std::int32_t>& kette,
                        const std::string& name, TNeuesSpiel& neu) {
    const TSgfKnoten& wurzel = spiel.Knoten.front();
    if (const TSgfEigenschaft* gm = wurzel.Finde("GM"); gm && !gm->Werte.empty()) {
        if (Getrimmt(SgfEinfacherText(gm->Werte[0])) != "1")
            return "Die Datei " + name + " enthält keine Go-Partie (" + Zitat(*gm) + ").";
    }
    std::string format = "19x19"; // the format's size when none is given
    if (const TSgfEigenschaft* sz = wurzel.Finde("SZ"); sz && !sz->Werte.empty()) {
        const std::string w = Getrimmt(SgfEinfacherText(sz->Werte[0]));
        const auto doppelpunkt = w.find(':');
        const std::string a = Getrimmt(w.substr(0, doppelpunkt));
        const std::string b = doppelpunkt == std::string::npos ? a : Getrimmt(w.substr(doppelpunkt + 1));
        long x = 0, y = 0;
        const auto zahl = [](const std::string& s, long& v) {
            const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
            return r.ec == std::errc() && r.ptr == s.data() + s.size() && v >= 1 && v <= 52;
        };
        if (!zahl(a, x) || !zahl(b, y))
            return Beschaedigt(name, Stelle(sz->Zeile, sz->Spalte) + Zitat(*sz) + " ist keine Brettgröße.");
        format = std::to_string(x) + "x" + std::to_string(y);
    }
    if (format != "7x7")
        return "Die Datei " + name + " enthält eine Go-Partie auf einem " + format +
               " großen Brett. Dieses Programm ist jedoch für ein Spielfeld im Format 7x7 gedacht.";

    neu.Start.NeuesSpiel();
    int amZug = -1;
    for (std::int32_t nr : kette) {
        const TSgfKnoten& k = spiel.Knoten[static_cast<std::size_t>(nr)];
        for (const TSgfEigenschaft& e : k.Eigenschaften) {
            const bool ab = e.Name == "AB", aw = e.Name == "AW", ae = e.Name == "AE";
            if (ab || aw || ae) {
                const TFarbe farbe = ab ? Schwarz : aw ? Weiss : Leer;
                for (const std::string& roh : e.Werte) {
                    // a single point or a rectangle "aa:cc" of points
                    const std::string w = Getrimmt(SgfEinfacherText(roh));
                    const auto doppelpunkt = w.find(':');
                    const int p = PunktAus(w.substr(0, doppelpunkt));
                    const int q = doppelpunkt == std::string::npos ? p : PunktAus(w.substr(doppelpunkt + 1));
                    if (p < 0 || q < 0)
                        return Beschaedigt(name, Stelle(e.Zeile, e.Spalte) + e.Name + "[" +
                                                     KuerzeText(w, 12) + "] ist kein Punkt des 7x7-Bretts.");
                    for (int x = std::min(p & 15, q & 15); x <= std::max(p & 15, q & 15); ++x)
                        for (int y = std::min(p / 16, q / 16); y <= std::max(p / 16, q / 16); ++y)
                            neu.Start.Brett[Punkt(x, y)] = farbe;
                }
            } else if (e.Name == "PL") {
                const std::string w = Klein(Getrimmt(e.Werte.empty() ? "" : SgfEinfacherText(e.Werte[0])));
                if (w != "b" && w != "w")
                    return Beschaedigt(name, Stelle(e.Zeile, e.Spalte) + Zitat(e) +
                                                 " nennt keine Farbe (erwartet: PL[B] oder PL[W]).");
                amZug = w == "b" ? 1 : 0;
            } else if (e.Name == "KM" && !e.Werte.empty()) {
                const std::string w = Getrimmt(SgfEinfacherText(e.Werte[0]));
                double komi = 0;
                const auto r = std::from_chars(w.data(), w.data() + w.size(), komi);
                if (r.ec == std::errc() && r.ptr == w.data() + w.size()) neu.Komi = komi;
            }
        }
    }
    if (amZug < 0) {
        // Without PL the first move of the main line tells who begins (handicap games: white).
        amZug = 1;
        for (std::int32_t nr = kette.back();;) {
            const TSgfKnoten& k = spiel.Knoten[static_cast<std::size_t>(nr)];
            if (k.Finde("B") || k.Finde("W")) {
                amZug = k.Finde("B") ? 1 : 0;
                break;
            }
            if (k.Kinder.empty()) break;
            nr = k.Kinder.front();
        }
    }
    neu.Start.Halbzug = amZug ? 1 : 2;
    neu.Regeln.SetzeStellung(neu.Start);
    neu.Baum.Init(1);
    return {};
}

// Plays the node's move on the new game; a message (what is wrong) when the reading stops here.
std::string SpieleKnoten(const TSgfKnoten& k, bool inStartkette, TNeuesSpiel& neu, bool& gezogen) {
    gezogen = false;
    TZugGenerator& r = neu.Regeln;
    if (!inStartkette)
        for (const TSgfEigenschaft& e : k.Eigenschaften) {
            if (e.Name == "AB" || e.Name == "AW" || e.Name == "AE")
                return Stelle(e.Zeile, e.Spalte) + "eine Aufstellung mitten im Spiel (" + Zitat(e) +
                       ") kann dieses Programm nicht übernehmen.";
            if (e.Name == "PL" && !e.Werte.empty()) {
                const std::string w = Klein(Getrimmt(SgfEinfacherText(e.Werte[0])));
                if ((w == "b" && r.AmZug != 1) || (w == "w" && r.AmZug != 0))
                    return Stelle(e.Zeile, e.Spalte) + "ein Wechsel der Seite am Zug mitten im Spiel (" +
                           Zitat(e) + ") kann dieses Programm nicht übernehmen.";
            }
        }
    const TSgfEigenschaft* b = k.Finde("B");
    const TSgfEigenschaft* w = k.Finde("W");
    if (!b && !w) return {};
    const TSgfEigenschaft& e = b ? *b : *w;
    const std::string zug =
        Stelle(e.Zeile, e.Spalte) + "der " + std::to_string(r.Zugnummer) + ". Zug " + Zitat(e);
    if (b && w) return zug + " steht im selben Knoten wie " + Zitat(*w) + ".";
    if (e.Werte.size() != 1) return zug + " hat mehr als einen Wert.";
    const std::string wert = Getrimmt(SgfEinfacherText(e.Werte[0]));
    const bool pass = wert.empty() || wert == "tt";
    const int feld = pass ? -1 : PunktAus(wert);
    if (!pass && feld < 0) return zug + " liegt nicht auf dem 7x7-Brett.";
    if (r.BeidePassen()) return zug + " ist nicht erlaubt: die Partie ist nach zwei Pässen zu Ende.";
    if ((b ? 1 : 0) != r.AmZug)
        return zug + " ist nicht erlaubt: " + (r.AmZug ? "Schwarz" : "Weiß") + " ist am Zug.";
    TZug z = KeinZug;
    z.Feld = static_cast<std::int8_t>(feld);
    if (!r.ZugZuFeld(z)) return zug + " ist nicht erlaubt: der Punkt ist besetzt.";
    switch (r.PruefeZug(z)) {
    case ZugLegal:
        break;
    case ZugSelbstmord:
        return zug + " ist nicht erlaubt: Selbstmord.";
    case ZugWiederholung:
        return zug + " ist nicht erlaubt: er wiederholt eine frühere Stellung.";
    case ZugKeinPlatz:
        return zug + " passt nicht mehr in die Partie (höchstens " + std::to_string(MaxHalbzuege) +
               " Halbzüge).";
    default:
        return zug + " ist nicht erlaubt.";
    }
    if (neu.Baum.Letzter + 2 > TBaum::MaxToken)
        return zug + " passt nicht mehr in den Zugbaum (höchstens " + std::to_string(TBaum::MaxToken + 1) +
               " Einträge).";
    neu.Baum.Einfuegen(r.Zugnummer, z);
    r.Ziehe(z);
    gezogen = true;
    return {};
}

// Walks the whole game depth-first on the new game's rules state and tree; the message of the
// move where it stopped, or empty.
std::string SpieleBaum(const TSgfSpiel& spiel, const std::vector<std::int32_t>& kette, TNeuesSpiel& neu) {
    std::vector<char> inKette(spiel.Knoten.size(), 0);
    for (std::int32_t nr : kette)
        inKette[static_cast<std::size_t>(nr)] = 1;
    struct TRahmen {
        std::int32_t Knoten;
        bool Gezogen;
        std::size_t NaechstesKind = 0;
    };
    std::vector<TRahmen> stapel;
    const auto betrete = [&](std::int32_t nr) {
        bool gezogen = false;
        std::string halt = SpieleKnoten(spiel.Knoten[static_cast<std::size_t>(nr)],
                                        inKette[static_cast<std::size_t>(nr)] != 0, neu, gezogen);
        if (halt.empty()) stapel.push_back({nr, gezogen});
        return halt;
    };
    std::string halt = betrete(0);
    while (halt.empty() && !stapel.empty()) {
        TRahmen& r = stapel.back();
        const std::vector<std::int32_t>& kinder = spiel.Knoten[static_cast<std::size_t>(r.Knoten)].Kinder;
        if (r.NaechstesKind < kinder.size()) {
            const std::int32_t kind = kinder[r.NaechstesKind++];
            halt = betrete(kind);
            continue;
        }
        if (r.Gezogen) neu.Regeln.Zuruecknehmen();
        stapel.pop_back();
    }
    return halt;
}

// The new game replaces the program's game on the controller's roads: the set-up start, the
// tree, then the moves up to the position wanted, so that every engine follows.
void Uebernimm(const TNeuesSpiel& neu, int vorZug) {
    const bool aufgebaut = neu.Start.Halbzug != 1 || !GleichesBrett(neu.Start.Brett, Startbrett);
    if (aufgebaut)
        NeueStellung(neu.Start);
    else
        NeuesSpiel();
    TBaum::TiefeKopie(Baum, neu.Baum);
    Baum.ZurWurzel();
    if (vorZug <= 0)
        LetzterZug();
    else
        for (int i = 1; i < vorZug && VorAusBaum(); ++i) {
        }
}

// ---- writing ---------------------------------------------------------------------------------

struct TSchreibKnoten {
    TZug Zug;
    int Tiefe = 0;
    std::vector<int> Kinder;
};

// The tree's tokens as nodes; [0] is the start position.
std::vector<TSchreibKnoten> KnotenAusBaum() {
    std::vector<TSchreibKnoten> k(1);
    std::vector<int> offen{0};
    for (int i = 0; i <= Baum.Letzter; ++i) {
        const TZug& t = (*Baum.Tokens)[i];
        if (!IstVorwaerts(t)) {
            if (offen.size() > 1) offen.pop_back();
            continue;
        }
        const int nr = static_cast<int>(k.size());
        TSchreibKnoten n;
        n.Zug = t;
        n.Tiefe = k[static_cast<std::size_t>(offen.back())].Tiefe + 1;
        k.push_back(n);
        k[static_cast<std::size_t>(offen.back())].Kinder.push_back(nr);
        offen.push_back(nr);
    }
    return k;
}

// RE of the main line when it ends the game: B+n, W+n or 0 by the area count.
std::string Ergebnis(const std::vector<TSchreibKnoten>& k, const TStellung& start) {
    auto r = std::make_unique<TZugGenerator>();
    r->SetzeStellung(start);
    for (std::size_t n = 0; !k[n].Kinder.empty();) {
        n = static_cast<std::size_t>(k[n].Kinder.front());
        TZug z = k[n].Zug;
        SetzeVorwaerts(z, true);
        r->Ziehe(z);
    }
    if (!r->BeidePassen()) return {};
    int schwarz = 0, weiss = 0;
    r->Zaehle(schwarz, weiss);
    if (schwarz == weiss) return "RE[0]";
    return schwarz > weiss ? "RE[B+" + std::to_string(schwarz - weiss) + "]"
                           : "RE[W+" + std::to_string(weiss - schwarz) + "]";
}

} // namespace

const TSgfEigenschaft* TSgfKnoten::Finde(std::string_view name) const {
    for (const TSgfEigenschaft& e : Eigenschaften)
        if (e.Name == name) return &e;
    return nullptr;
}

bool ParseSgf(std::string_view bytes, TSgfSammlung& sammlung, std::string& fehler) {
    TSgfParser p(bytes, sammlung);
    const bool ok = p.Lies();
    fehler = p.Fehler;
    if (!ok) sammlung.Spiele.clear();
    return ok;
}

std::string SgfText(std::string_view roh) { return Dekodiere(roh, false); }
std::string SgfEinfacherText(std::string_view roh) { return Dekodiere(roh, true); }

TSgfErgebnis LeseSgfText(std::string_view bytes, const std::string& name, int vorZug) {
    TSgfErgebnis erg;
    try {
        TSgfSammlung sammlung;
        std::string fehler;
        if (!ParseSgf(bytes, sammlung, fehler)) {
            erg.Meldung = Beschaedigt(name, fehler);
            return erg;
        }
        const TSgfSpiel& spiel = sammlung.Spiele.front();
        auto neu = std::make_unique<TNeuesSpiel>();
        const std::vector<std::int32_t> kette = Startkette(spiel);
        erg.Meldung = PruefeStart(spiel, kette, name, *neu);
        if (!erg.Meldung.empty()) return erg;
        const std::string halt = SpieleBaum(spiel, kette, *neu);
        if (!halt.empty())
            erg.Meldung =
                "Die Datei " + name + ": " + halt + " Die Partie wurde bis vor diese Stelle übernommen.";
        erg.Komi = neu->Komi;
        sammlung.Spiele.clear(); // the file's text is not needed any more
        try {
            Uebernimm(*neu, vorZug);
        } catch (...) {
            NeuesSpiel(); // never half a game
            throw;
        }
        erg.Uebernommen = true;
    } catch (const std::exception& e) {
        erg.Meldung = "Die Datei " + name + " konnte nicht eingelesen werden: " + e.what();
    }
    return erg;
}

TSgfErgebnis LeseSgf(const std::string& name, int vorZug) {
    TSgfErgebnis erg;
    const TDateiInhalt datei = LiesDatei(name, MaxDateiGroesse);
    if (datei.Code) {
        erg.Code = datei.Code;
        erg.Meldung = "Datei " + name + " konnte nicht eingelesen werden (%).";
        return erg;
    }
    if (datei.ZuGross) {
        erg.Meldung = "Die Datei " + name + " ist mit mehr als " + std::to_string(MaxDateiGroesse >> 20) +
                      " MB zu groß für eine Partie auf dem 7x7-Brett.";
        return erg;
    }
    return LeseSgfText(datei.Bytes, name, vorZug);
}

std::string PartieAlsSgf() {
    const TStellung start = Startstellung();
    const std::vector<TSchreibKnoten> knoten = KnotenAusBaum();
    std::string s = "(;GM[1]FF[4]CA[UTF-8]SZ[7]KM[0]RU[Chinese]AP[Kiboru:" KIBORU_VERSION "]";
    if (IstAufgebaut()) {
        s += start.AmZug() ? "PL[B]" : "PL[W]";
        for (const TFarbe farbe : {Schwarz, Weiss}) {
            std::string punkte;
            for (int y = 6; y >= 0; --y)
                for (int x = 0; x < 7; ++x)
                    if (start.Brett[Punkt(x, y)] == farbe) punkte += "[" + PunktText(Punkt(x, y)) + "]";
            if (!punkte.empty()) s += (farbe == Schwarz ? "AB" : "AW") + punkte;
        }
    }
    s += Ergebnis(knoten, start);

    // Lines of about 72 characters; every variation starts on a line of its own.
    std::size_t zeilenAnfang = s.size();
    const auto zug = [&](const TSchreibKnoten& n) {
        if (s.size() - zeilenAnfang > 72) {
            s += '\n';
            zeilenAnfang = s.size();
        }
        // Black moves at odd depths of a game that black begins.
        const bool schwarz = (n.Tiefe & 1) == start.AmZug();
        s += schwarz ? ";B[" : ";W[";
        if (!IstPass(n.Zug)) s += PunktText(n.Zug.Feld);
        s += ']';
    };
    // Work to do, last first: -1 closes a variation, n >= 0 writes what follows node n, and
    // -2 - n opens a variation with node n.
    std::vector<int> arbeit{0};
    while (!arbeit.empty()) {
        const int a = arbeit.back();
        arbeit.pop_back();
        if (a == -1) {
            s += ')';
            continue;
        }
        if (a <= -2) {
            s += '\n';
            zeilenAnfang = s.size();
            s += '(';
            zug(knoten[static_cast<std::size_t>(-2 - a)]);
            arbeit.push_back(-2 - a);
            continue;
        }
        const std::vector<int>& kinder = knoten[static_cast<std::size_t>(a)].Kinder;
        if (kinder.size() == 1) {
            zug(knoten[static_cast<std::size_t>(kinder.front())]);
            arbeit.push_back(kinder.front());
        } else {
            for (auto i = kinder.rbegin(); i != kinder.rend(); ++i) {
                arbeit.push_back(-1);
                arbeit.push_back(-2 - *i);
            }
        }
    }
    return s + ")\n";
}

TIOErgebnis SpeichereSgf(const std::string& name) { return SpeichereDatei(name, PartieAlsSgf()); }
