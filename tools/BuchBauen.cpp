// Builds the opening book of the built-in engine by playing: a small GTP engine that answers
// every position of the opening it does not know yet with a long search and appends the
// result to the book file; positions it knows it plays from the book. Let it play against the
// opponents the book is for, e.g. with tools/match:
//
//   tools/match --engine-a "build/engine/kiboru-buchbau --buch engine/Eroeffnungsbuch.txt --bis 200 --zeit 10"
//               --engine-b "/usr/games/gnugo --mode gtp --boardsize 7 --chinese-rules
//                           --positional-superko --komi 0 --level 10 --seed {saat}"
//               --saat 3000 --spiele 100 --zeit 400
//
// (--engine-a alternates the colours; --black or --white trains one of them.) Keep the seeds
// away from those of the matches that measure the engine, so that no match is played from
// lines learned against exactly that opponent.
// Options: --buch FILE (the book, extended in place), --zeit S (seconds per new position, 30),
// --tiefe N (deepest depth, 40), --bis N (positions up to this half-move number go into the
// book, 24), --level L (depth of the play after that, 4), --suche ab|baum (the engine's own
// search with the time and the depth given, or the tree of random games of BuchSuche.h).
// Learning (--lernen ja|nein): a game that ends below its aim (--ziel-schwarz 9 points ahead,
// --ziel-weiss 1) takes back the last own book move that still promised the aim; FILE.ohne keeps
// the moves taken back (at most four per board), and the next search of that board leaves
// them out.
#include "engine/BasisBrett.h"
#include "engine/BuchDflt.h"
#include "engine/SWertDflt.h"
#include "engine/ZSucheDflt.h"
#include "tools/BuchSuche.h"

#include <cctype>
#include <cmath>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

struct TOptionen {
    std::string Buch;
    double Zeit = 30;
    int Tiefe = 40;
    int Bis = 24;
    int Level = 4;
    bool Baum = false; // the tree of random games; false: the engine's own search
    bool Lernen = true;
    int ZielSchwarz = 9, ZielWeiss = 1;
    int MaxAusschluesse = 4;
};

void Protokoll(const char* text, int) { std::cerr << text << '\n'; }

std::string Vertex(int feld) {
    if (feld < 0) return "pass";
    std::string v = Feldname(feld);
    v[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(v[0])));
    return v;
}

// A vertex A1..G7 (either case) or pass; -2 for anything else.
int AusVertex(std::string v) {
    for (auto& c : v)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (v == "pass") return -1;
    if (v.size() != 2 || v[0] < 'a' || v[0] > 'g' || v[1] < '1' || v[1] > '7') return -2;
    return FeldAusText(v);
}

int Seite(const std::string& farbe) {
    if (farbe == "b" || farbe == "B" || farbe == "black" || farbe == "Black") return 1;
    if (farbe == "w" || farbe == "W" || farbe == "white" || farbe == "White") return 0;
    return -1;
}

class TBauer {
public:
    explicit TBauer(TOptionen o) : opt_(std::move(o)) {
        std::ifstream ein(opt_.Buch, std::ios::binary);
        std::stringstream text;
        text << ein.rdbuf();
        buch_.Lesen(text.str());
        // The comment lines at the top stay when the file is written anew.
        std::istringstream kopf(text.str());
        for (std::string z; std::getline(kopf, z) && (z.empty() || z[0] == '#');)
            if (!z.empty()) kopf_ += z + '\n';
        if (kopf_.empty())
            kopf_ = "# Opening book of the built-in engine, written by tools/BuchBauen (see "
                    "engine/BuchDflt.h).\n";
        std::ifstream ohne(opt_.Buch + ".ohne", std::ios::binary);
        std::stringstream ohneText;
        ohneText << ohne.rdbuf();
        std::istringstream zeilen(ohneText.str());
        for (std::string z; std::getline(zeilen, z);) {
            TBuch eins;
            eins.Lesen(z);
            if (eins.Groesse()) ohne_.push_back(eins.Eintraege()[0]);
        }
        std::cerr << "Buch " << opt_.Buch << ": " << buch_.Groesse() << " Stellungen\n";
        e_.Neustart();
    }

    // One GTP command; false for quit.
    bool Befehl(const std::string& zeile, std::ostream& aus) {
        std::istringstream w(zeile);
        std::string id, kommando;
        w >> kommando;
        if (!kommando.empty() && std::isdigit(static_cast<unsigned char>(kommando[0]))) {
            id = kommando;
            w >> kommando;
        }
        std::string a, b;
        w >> a >> b;
        bool ok = true;
        std::string antwort;
        if (kommando == "protocol_version")
            antwort = "2";
        else if (kommando == "name")
            antwort = "Kiboru-Buch";
        else if (kommando == "version")
            antwort = "1.0";
        else if (kommando == "known_command")
            antwort = Bekannt(a) ? "true" : "false";
        else if (kommando == "list_commands")
            antwort = "protocol_version\nname\nversion\nknown_command\nlist_commands\nquit\nboardsize\nclear_"
                      "board\nkomi\nplay\ngenmove";
        else if (kommando == "boardsize") {
            ok = a == "7";
            if (!ok) antwort = "unacceptable size";
        } else if (kommando == "clear_board") {
            e_.Neustart();
            partie_.clear();
            ich_ = -1;
        } else if (kommando == "komi") {
        } else if (kommando == "play") {
            const int feld = AusVertex(b);
            ok = Seite(a) == e_.AmZug && feld >= -1 && e_.ZieheWennErlaubt(feld);
            if (!ok) antwort = "illegal move";
            if (ok && e_.BeidePassen()) Auswerten();
        } else if (kommando == "genmove") {
            ok = Seite(a) == e_.AmZug && !e_.BeidePassen();
            if (ok) {
                ich_ = e_.AmZug;
                antwort = Vertex(Ziehen());
                if (e_.BeidePassen()) Auswerten();
            } else
                antwort = "wrong colour or game over";
        } else if (kommando == "quit") {
        } else {
            ok = false;
            antwort = "unknown command";
        }
        aus << (ok ? '=' : '?') << id << (antwort.empty() ? "" : " ") << antwort << "\n\n" << std::flush;
        return kommando != "quit";
    }

private:
    static bool Bekannt(const std::string& k) {
        for (const char* n : {"protocol_version", "name", "version", "known_command", "list_commands", "quit",
                              "boardsize", "clear_board", "komi", "play", "genmove"})
            if (k == n) return true;
        return false;
    }

    int Ziehen() {
        int feld = -2, wert = 0, tiefe = 0;
        const TBits s = BitsVonBrett(e_.Brett, Schwarz), w = BitsVonBrett(e_.Brett, Weiss);
        if (BuchZug(buch_, e_, feld, wert, tiefe)) {
            std::cerr << "Buch: " << Feldname(feld) << '\n';
            partie_.push_back({s, w, e_.AmZug, feld < 0 ? KeinBit : BitVonFeld(feld), wert, tiefe});
        } else if (e_.Zugnummer <= opt_.Bis) {
            // The first moves decide the most; they get three times the time.
            const double zeit = opt_.Zeit * (e_.Zugnummer <= 4 ? 3 : 1);
            if (opt_.Baum) {
                const TBaumErgebnis r = BaumSuche(e_, zeit, ++saat_);
                std::cerr << r.Spiele << " Spiele, " << Feldname(r.Feld) << " " << r.Anteil << ": "
                          << r.Hauptvariante << '\n';
                feld = r.Feld;
                wert = static_cast<int>(std::lround(r.Anteil * 1000));
                tiefe = r.Tiefe;
            } else {
                const std::vector<int> ohne = Ausgeschlossen();
                const TSuchErgebnis r =
                    SucheZug(e_, opt_.Tiefe, -2147483647.0, 2147483647.0, nullptr, zeit, &ohne);
                feld = r.Feld;
                // A proven count is kept on the scale of the evaluation, a hundred per point.
                wert = !r.Bewiesen  ? static_cast<int>(r.Wert)
                       : r.Wert > 0 ? static_cast<int>(100 * (r.Wert - GewinnWert))
                       : r.Wert < 0 ? static_cast<int>(100 * (r.Wert + GewinnWert))
                                    : 0;
                tiefe = r.Tiefe;
            }
            if (feld >= -1) {
                Eintragen(feld, wert, tiefe);
                partie_.push_back({s, w, e_.AmZug, feld < 0 ? KeinBit : BitVonFeld(feld), wert, tiefe});
            }
        } else {
            feld = SucheZug(e_, opt_.Level, -2147483647.0, 2147483647.0, nullptr).Feld;
        }
        if (feld < -1 || !e_.ZieheWennErlaubt(feld)) {
            feld = -1;
            e_.Ziehe(-1);
        }
        return feld;
    }

    // Moves taken back from this board earlier (every symmetric image of them).
    std::vector<int> Ausgeschlossen() const {
        const TBits s = BitsVonBrett(e_.Brett, Schwarz), w = BitsVonBrett(e_.Brett, Weiss);
        std::vector<int> r;
        for (const TBuchEintrag& x : ohne_)
            for (int sym = 0; sym < 8; ++sym)
                if (x.AmZug == e_.AmZug && SymBits(sym, s) == x.Schwarz && SymBits(sym, w) == x.Weiss)
                    r.push_back(FeldVonBit(SymBitZurueck(sym, x.Bit)));
        return r;
    }

    int Ausschluesse(const TBuchEintrag& e) const {
        int n = 0;
        for (const TBuchEintrag& x : ohne_)
            for (int sym = 0; sym < 8; ++sym)
                if (x.AmZug == e.AmZug && SymBits(sym, e.Schwarz) == x.Schwarz &&
                    SymBits(sym, e.Weiss) == x.Weiss) {
                    ++n;
                    break;
                }
        return n;
    }

    // A game below its aim (black: ahead by the aim, white: a win) takes back a book move, so that
    // its board is searched again without that move.
    void Auswerten() {
        if (ich_ < 0 || partie_.empty()) return;
        const int stand = e_.AmZug == ich_ ? e_.Spielstand() : -e_.Spielstand();
        const int ziel = ich_ == 1 ? opt_.ZielSchwarz : opt_.ZielWeiss;
        std::cerr << "Partie zu Ende: " << (ich_ ? "Schwarz " : "Weiß ") << stand << ", Ziel " << ziel
                  << '\n';
        const std::vector<TBuchEintrag> partie = partie_;
        partie_.clear();
        if (!opt_.Lernen || stand >= ziel) return;
        // The mistake is the last move after which the value still promised the aim: from the
        // reply on it never did again. Without such a move, the one after which it looked best.
        const double schwelle = 100.0 * ziel - 50;
        const int n = static_cast<int>(partie.size());
        int ab = n;
        while (ab > 0 && partie[static_cast<std::size_t>(ab - 1)].Wert < schwelle)
            --ab;
        int best = -1;
        int bestWert = -2147483647;
        for (int i = ab - 1; i >= 0 && best < 0; --i)
            if (Ausschluesse(partie[static_cast<std::size_t>(i)]) < opt_.MaxAusschluesse &&
                partie[static_cast<std::size_t>(i)].Bit != KeinBit)
                best = i;
        const bool gefunden = best >= 0;
        for (int i = 0; !gefunden && i < n; ++i)
            if (Ausschluesse(partie[static_cast<std::size_t>(i)]) < opt_.MaxAusschluesse &&
                partie[static_cast<std::size_t>(i)].Bit != KeinBit &&
                partie[static_cast<std::size_t>(i)].Wert >= bestWert) {
                bestWert = partie[static_cast<std::size_t>(i)].Wert;
                best = i;
            }
        if (best < 0) return;
        TBuchEintrag weg = partie[static_cast<std::size_t>(best)];
        buch_.Entfernen(weg.Schwarz, weg.Weiss, weg.AmZug);
        ohne_.push_back(weg);
        std::ofstream(opt_.Buch + ".ohne", std::ios::app | std::ios::binary) << TBuch::Zeile(weg) << '\n';
        std::ofstream aus(opt_.Buch, std::ios::trunc | std::ios::binary);
        aus << kopf_;
        for (const TBuchEintrag& x : buch_.Eintraege())
            aus << TBuch::Zeile(x) << '\n';
        std::cerr << "zurückgenommen: " << TBuch::Zeile(weg) << '\n';
    }

    void Eintragen(int feld, int wert, int tiefe) {
        const TBuchEintrag neu{BitsVonBrett(e_.Brett, Schwarz),
                               BitsVonBrett(e_.Brett, Weiss),
                               e_.AmZug,
                               feld < 0 ? KeinBit : BitVonFeld(feld),
                               wert,
                               tiefe};
        if (!buch_.Eintragen(neu)) return;
        std::ofstream(opt_.Buch, std::ios::app | std::ios::binary) << TBuch::Zeile(neu) << '\n';
        std::cerr << "neu im Buch: " << TBuch::Zeile(neu) << '\n';
    }

    TOptionen opt_;
    TBuch buch_;
    std::string kopf_;                 // comment lines at the top of the book file
    std::vector<TBuchEintrag> ohne_;   // moves taken back, per board
    std::vector<TBuchEintrag> partie_; // own moves of the game so far
    int ich_ = -1;                     // the side this builder plays in the game
    TEngineZustand e_;
    std::uint64_t saat_ = 0x4B69626F7275ull;
};

} // namespace

int main(int argc, char** argv) {
    TOptionen o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i], v = argv[i + 1];
        if (a == "--buch")
            o.Buch = v;
        else if (a == "--zeit")
            o.Zeit = std::stod(v);
        else if (a == "--tiefe")
            o.Tiefe = std::stoi(v);
        else if (a == "--bis")
            o.Bis = std::stoi(v);
        else if (a == "--level")
            o.Level = std::stoi(v);
        else if (a == "--suche")
            o.Baum = v == "baum";
        else if (a == "--lernen")
            o.Lernen = v != "nein";
        else if (a == "--ziel-schwarz")
            o.ZielSchwarz = std::stoi(v);
        else if (a == "--ziel-weiss")
            o.ZielWeiss = std::stoi(v);
        else {
            std::cerr << "Unbekannte Option " << a << '\n';
            return 2;
        }
    }
    if (o.Buch.empty()) {
        std::cerr << "Aufruf: kiboru-buchbau --buch DATEI [--zeit S] [--tiefe N] [--bis N] [--level L]\n";
        return 2;
    }
    SetzeEngineMeldeProc(Protokoll);
    LeseWerteText(StandardWerteText(), Konstanten);
    try {
        TBauer bauer(o);
        std::string zeile;
        while (std::getline(std::cin, zeile)) {
            if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
            if (zeile.empty() || zeile[0] == '#') continue;
            if (!bauer.Befehl(zeile, std::cout)) break;
        }
    } catch (const std::exception& ex) {
        std::cerr << ex.what() << '\n';
        return 1;
    }
    return 0;
}
