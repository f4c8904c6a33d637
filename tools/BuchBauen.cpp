// Builds the opening book of the built-in engine from its own searches alone. The book plays
// one side of a game, so it is grown as two trees, one for each side it may play: where that
// side is to move, the line goes on with the book's move only; where the other side is to move,
// it goes on with the replies the search itself found worth the most games, so that the book
// knows what a good opponent may answer. Both trees grow together, move number by move number,
// and a position reached in either is searched once. No other engine plays a move here: what
// the book knows comes from the program's search and nothing else.
//
//   KIBORU_SUCHE=Behalten=0 build/engine/kiboru-buchbau --buch engine/Eroeffnungsbuch.txt
//       --zeit 1.5 --bis 10 --breite 8,8,4,4,2,2,2,2,1,1 --anteil 0.01
//
// (the book of the repository, written anew into an empty file).
//
// Options: --buch FILE (written anew; positions already in it keep their move and are searched
// again only for the lines that go on from them),
// --zeit S (seconds per position, 4), --bis N (positions with fewer than N moves played go into
// the book, 6), --breite K0,K1,... (the replies followed from a position with i moves played
// where the side the book does not play is to move: its K_i most searched moves, each with at
// least --anteil A of the best one's games, 0.05).
#include "engine/BasisBrett.h"
#include "engine/BuchDflt.h"
#include "engine/SWertDflt.h"
#include "engine/ZSucheDflt.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct TOptionen {
    std::string Buch;
    double Zeit = 4;
    int Bis = 6;
    std::vector<int> Breite{3, 3, 3, 2, 2, 2};
    double Anteil = 0.05;
};

void Still(const char*, int) {}

std::string Kopf(const TOptionen& o) {
    std::ostringstream k;
    k << "# Opening book of the built-in engine, written by tools/BuchBauen (see engine/BuchDflt.h)\n"
         "# from the engine's own searches only: from the empty board every position was searched for "
      << o.Zeit
      << " s,\n# in two trees, one for each side the book plays: that side's line goes on with its book\n"
         "# move, the other side's with the most searched moves of the search (";
    for (std::size_t i = 0; i < o.Breite.size(); ++i)
        k << (i ? "," : "") << o.Breite[i];
    k << " per move number),\n# up to " << o.Bis << " moves played. No other engine's moves went into it.\n";
    return k.str();
}

class TBauer {
public:
    explicit TBauer(TOptionen o) : opt_(std::move(o)) {
        std::ifstream ein(opt_.Buch, std::ios::binary);
        if (ein) {
            std::stringstream text;
            text << ein.rdbuf();
            buch_.Lesen(text.str());
        }
        std::cerr << "Buch " << opt_.Buch << ": " << buch_.Groesse() << " Stellungen\n";
    }

    // Both trees from the empty board, one move number after the other.
    void Baue() {
        std::vector<TLinie> stufe{{{}, 1}, {{}, 0}};
        for (int zuege = 0; zuege < opt_.Bis && !stufe.empty(); ++zuege) {
            std::vector<TLinie> naechste;
            for (const TLinie& l : stufe)
                Folge(l, zuege, naechste);
            std::cerr << "Zug " << zuege + 1 << ": " << stufe.size() << " Stellungen, Buch "
                      << buch_.Groesse() << '\n';
            stufe = std::move(naechste);
        }
    }

private:
    // A line of one tree: the moves from the empty board and the side the book plays in it
    // (as the engine board's side to move: 1 Black, 0 White).
    struct TLinie {
        std::vector<int> Zuege;
        std::uint8_t Seite;
    };

    // Searches the end position of l (once, whichever tree reaches it first), enters its move
    // and adds the lines that go on from it to naechste.
    void Folge(const TLinie& l, int zuege, std::vector<TLinie>& naechste) {
        TEngineZustand e;
        e.Neustart();
        for (int z : l.Zuege)
            if (!e.ZieheWennErlaubt(z)) return;
        // The other side's move at the last move number leads nowhere in this tree.
        if (e.BeidePassen() || (e.AmZug != l.Seite && zuege + 1 >= opt_.Bis)) return;
        const TBits s = BitsVonBrett(e.Brett, Schwarz), w = BitsVonBrett(e.Brett, Weiss);
        // A position is followed once per tree, whatever order or symmetry leads to it.
        TBuchEintrag schon;
        int zug = 0;
        TBuch& besucht = besucht_[l.Seite];
        if (besucht.Finde(s, w, e.AmZug, schon, zug)) return;
        besucht.Eintragen({s, w, static_cast<std::uint8_t>(e.AmZug), KeinBit, 0, 0});
        const TWurzel& wurzel = Suche(e, s, w, zuege);
        if (wurzel.empty()) return;
        std::vector<int> folgen;
        if (e.AmZug == l.Seite) {
            // the book's own move, as the book has it
            if (buch_.Finde(s, w, e.AmZug, schon, zug))
                folgen.push_back(zug == KeinBit ? -1 : FeldVonBit(zug));
        } else {
            const int breite = zuege < static_cast<int>(opt_.Breite.size()) ? opt_.Breite[zuege] : 1;
            const double bestSpiele = wurzel.front().second;
            // Replies that lead to the same position in another symmetry count once.
            TBuch gleich;
            for (const auto& [feld, spiele] : wurzel) {
                if (static_cast<int>(folgen.size()) >= breite ||
                    (!folgen.empty() && (feld < 0 || spiele < opt_.Anteil * bestSpiele)))
                    break;
                if (!e.ZieheWennErlaubt(feld)) continue;
                if (gleich.Eintragen({BitsVonBrett(e.Brett, Schwarz), BitsVonBrett(e.Brett, Weiss),
                                      static_cast<std::uint8_t>(e.AmZug), KeinBit, 0, 0}))
                    folgen.push_back(feld);
                e.Zuruecknehmen(true);
            }
        }
        for (int feld : folgen) {
            TLinie weiter = l;
            weiter.Zuege.push_back(feld);
            naechste.push_back(std::move(weiter));
        }
    }

    // The root moves of a search with their games, most first.
    using TWurzel = std::vector<std::pair<int, double>>;

    // The search of the position of e (boards s, w, zuege moves played), done at most once a
    // run; its best move goes into the book unless the book has the position already.
    const TWurzel& Suche(TEngineZustand& e, TBits s, TBits w, int zuege) {
        const std::tuple<TBits, TBits, int> schluessel{s, w, e.AmZug};
        if (const auto it = gesucht_.find(schluessel); it != gesucht_.end()) return it->second;
        TWurzel& wurzel = gesucht_[schluessel];
        const auto start = std::chrono::steady_clock::now();
        const TSuchErgebnis r =
            SucheZug(e, MaxKnoten, -2147483647.0, 2147483647.0, nullptr, opt_.Zeit, nullptr, true);
        if (r.Feld < -1 || r.Wurzel.empty()) return wurzel;
        wurzel = r.Wurzel;
        // A proven count is kept on the scale of the evaluation, a hundred per point.
        const int wert = !r.Bewiesen ? static_cast<int>(std::lround(r.Wert))
                                     : static_cast<int>(std::lround(100 * r.Marge));
        TBuchEintrag schon;
        int zug = 0;
        if (!buch_.Finde(s, w, e.AmZug, schon, zug)) {
            buch_.Eintragen({s, w, static_cast<std::uint8_t>(e.AmZug),
                             r.Feld < 0 ? KeinBit : BitVonFeld(r.Feld), wert, r.Tiefe});
            Schreiben();
        }
        std::cerr << gesucht_.size() << ". Zug " << zuege + 1 << ": " << Feldname(r.Feld) << " (" << r.Partien
                  << " Spiele, Marge " << r.Marge << ", "
                  << std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()
                  << " s)\n";
        return wurzel;
    }

    void Schreiben() const {
        const std::string neu = opt_.Buch + ".neu";
        {
            std::ofstream aus(neu, std::ios::trunc | std::ios::binary);
            aus << Kopf(opt_);
            for (const TBuchEintrag& x : buch_.Eintraege())
                aus << TBuch::Zeile(x) << '\n';
        }
        std::rename(neu.c_str(), opt_.Buch.c_str());
    }

    TOptionen opt_;
    TBuch buch_;
    TBuch besucht_[2]; // positions each tree has followed (the book playing White, Black)
    std::map<std::tuple<TBits, TBits, int>, TWurzel> gesucht_;
};

std::vector<int> Breiten(const std::string& text) {
    std::vector<int> r;
    std::istringstream ein(text);
    for (std::string teil; std::getline(ein, teil, ',');)
        r.push_back(std::stoi(teil));
    return r;
}

} // namespace

int main(int argc, char** argv) {
    TOptionen o;
    try {
        for (int i = 1; i + 1 < argc; i += 2) {
            const std::string a = argv[i], v = argv[i + 1];
            if (a == "--buch")
                o.Buch = v;
            else if (a == "--zeit")
                o.Zeit = std::stod(v);
            else if (a == "--bis")
                o.Bis = std::stoi(v);
            else if (a == "--breite")
                o.Breite = Breiten(v);
            else if (a == "--anteil")
                o.Anteil = std::stod(v);
            else {
                std::cerr << "Unbekannte Option " << a << '\n';
                return 2;
            }
        }
    } catch (const std::exception&) {
        std::cerr << "Unlesbare Zahl in den Optionen\n";
        return 2;
    }
    if (o.Buch.empty() || o.Zeit <= 0) {
        std::cerr
            << "Aufruf: kiboru-buchbau --buch DATEI [--zeit S] [--bis N] [--breite K0,K1,...] [--anteil A]\n";
        return 2;
    }
    SetzeEngineMeldeProc(Still);
    LeseWerteText(StandardWerteText(), Konstanten);
    try {
        TBauer bauer(o);
        bauer.Baue();
    } catch (const std::exception& ex) {
        std::cerr << ex.what() << '\n';
        return 1;
    }
    return 0;
}
