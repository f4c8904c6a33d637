// Builds the opening book of the built-in engine from its own searches alone: from the empty
// board, every position of the opening is searched at length, its best move goes into the book,
// and the tree goes on along the moves the search itself found worth the most games, so that
// the book knows the replies the engine expects of a good opponent. No other engine plays a
// move here: what the book knows comes from the program's search and nothing else.
//
//   build/engine/kiboru-buchbau --buch engine/Eroeffnungsbuch.txt --zeit 2 --bis 12
//                               --breite 1,6,3,2,2,2,1,1,1,1,1,1 --anteil 0.03
//
// (the book of the repository, written anew into an empty file: about four minutes with the
// search of that time on one thread).
//
// Options: --buch FILE (written anew; positions already in it keep their move and are searched
// again only for the lines that go on from them),
// --zeit S (seconds per position, 4), --bis N (positions with fewer than N moves played go into
// the book, 6), --breite K0,K1,... (the lines followed from a position with i moves played: its
// K_i most searched moves, each with at least --anteil A of the best one's games, 0.05).
#include "engine/BasisBrett.h"
#include "engine/BuchDflt.h"
#include "engine/SWertDflt.h"
#include "engine/ZSucheDflt.h"

#include <chrono>
#include <cstdio>
#include <cmath>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
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
      << o.Zeit << " s,\n# and the lines followed are the most searched moves of each search (";
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

    // Depth first from the position of e, which has `zuege` moves played.
    void Baue(TEngineZustand& e, int zuege) {
        if (zuege >= opt_.Bis || e.BeidePassen()) return;
        const TBits s = BitsVonBrett(e.Brett, Schwarz), w = BitsVonBrett(e.Brett, Weiss);
        // A position is searched once, whatever order or symmetry leads to it.
        TBuchEintrag schon;
        int zug = 0;
        if (besucht_.Finde(s, w, e.AmZug, schon, zug)) return;
        besucht_.Eintragen({s, w, static_cast<std::uint8_t>(e.AmZug), KeinBit, 0, 0});
        const auto start = std::chrono::steady_clock::now();
        const TSuchErgebnis r = SucheZug(e, MaxKnoten, -2147483647.0, 2147483647.0, nullptr, opt_.Zeit, nullptr, true);
        if (r.Feld < -1 || r.Wurzel.empty()) return;
        // A proven count is kept on the scale of the evaluation, a hundred per point.
        const int wert = !r.Bewiesen ? static_cast<int>(std::lround(r.Wert))
                                     : static_cast<int>(std::lround(100 * r.Marge));
        if (!buch_.Finde(s, w, e.AmZug, schon, zug)) {
            buch_.Eintragen({s, w, static_cast<std::uint8_t>(e.AmZug), r.Feld < 0 ? KeinBit : BitVonFeld(r.Feld),
                             wert, r.Tiefe});
            Schreiben();
        }
        ++gesucht_;
        std::cerr << gesucht_ << ". Zug " << zuege + 1 << ": " << Feldname(r.Feld) << " (" << r.Partien
                  << " Spiele, Marge " << r.Marge << ", "
                  << std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() << " s)\n";
        const int breite = zuege < static_cast<int>(opt_.Breite.size()) ? opt_.Breite[zuege] : 1;
        const double bestSpiele = r.Wurzel.front().second;
        // Moves that lead to the same position in another symmetry count once.
        TBuch folgen;
        int gefolgt = 0;
        for (const auto& [feld, spiele] : r.Wurzel) {
            if (gefolgt >= breite || (gefolgt > 0 && (feld < 0 || spiele < opt_.Anteil * bestSpiele))) break;
            if (!e.ZieheWennErlaubt(feld)) continue;
            const TBits s2 = BitsVonBrett(e.Brett, Schwarz), w2 = BitsVonBrett(e.Brett, Weiss);
            if (folgen.Eintragen({s2, w2, static_cast<std::uint8_t>(e.AmZug), KeinBit, 0, 0})) {
                ++gefolgt;
                Baue(e, zuege + 1);
            }
            e.Zuruecknehmen(true);
        }
    }

private:
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
    TBuch besucht_; // positions this run has searched or passed through
    int gesucht_ = 0;
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
        std::cerr << "Aufruf: kiboru-buchbau --buch DATEI [--zeit S] [--bis N] [--breite K0,K1,...] [--anteil A]\n";
        return 2;
    }
    SetzeEngineMeldeProc(Still);
    LeseWerteText(StandardWerteText(), Konstanten);
    try {
        TBauer bauer(o);
        TEngineZustand e;
        e.Neustart();
        bauer.Baue(e, 0);
    } catch (const std::exception& ex) {
        std::cerr << ex.what() << '\n';
        return 1;
    }
    return 0;
}
