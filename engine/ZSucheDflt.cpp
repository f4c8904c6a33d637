#include "engine/ZSucheDflt.h"

#include "engine/BasisBrett.h"
#include "engine/GebietDflt.h"
#include "engine/SWertDflt.h"
#include "engine/SuchParameter.h"
#include "engine/Taktik.h"
#include "engine/Zufallspartie.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <exception>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <utility>

namespace {

// One move of the tree. Counts are kept from the view of the side that played Zug (the
// mover); Unten..Oben bound the final count from the same view, equal when it is proven. No
// member initialisers, so that the pool below is all zero bits; a node is made from
// NeuerKnoten.
struct TKnoten {
    std::int32_t Kinder; // first child, -1 while the node has not grown
    std::uint8_t Anzahl; // children
    std::int8_t Zug;
    std::int8_t Unten, Oben;
    float N;  // games through the node
    float W;  // their utility for the mover
    float S;  // their final margin for the mover
    float RN; // games in which the mover played Zug later on, with the prior's games
    float RW; // their utility
};
constexpr TKnoten NeuerKnoten{-1, 0, KeinBit, -AnzahlPunkte, AnzahlPunkte, 0, 0, 0, 0, 0};
static_assert(sizeof(TKnoten) == 28);

// 112 MB of zeros, touched only as far as the trees grow. A timed search plays its games on
// several threads, each with a tree of its own in an equal part of the pool.
TArray<TKnoten, 0, MaxKnoten - 1> Knoten;
constexpr int MaxFaeden = 4;

// Games played at the start to find the expected margin.
constexpr int VorSpiele = 32;
// Below this many stones no area is settled yet.
constexpr int SicherAbSteinen = 20;
constexpr int MaxPfad = 400;

using TUhr = std::chrono::steady_clock;

// "hh:mm:ss.t" of the search's own monotonic clock (the wall clock may jump or wrap at midnight).
std::string ZeitAlsText(double sek) {
    const long zehntel = static_cast<long>(sek * 10);
    char puffer[32];
    std::snprintf(puffer, sizeof puffer, "%02ld:%02ld:%02ld.%ld", zehntel / 36000, zehntel / 600 % 60,
                  zehntel / 10 % 60, zehntel % 10);
    return puffer;
}

std::mutex infoMutex;
TSuchInfo info;

// What a search leaves to the next one of the same game: its trees stay in the pool, and the
// next search starts from the node of its own position when that is the old root or lies one
// or two moves below it. A tree was grown under the history of the old root, which is the new root's
// history too, so its proven results hold; the values and the utility of the games must be the
// same as well. One per part of the pool; they hold only while the pool is split the same way.
struct TVorrat {
    bool Gueltig = false;
    std::vector<std::uint64_t> Verlauf; // hashes of the root's history, position by position
    std::uint64_t Werte = 0;            // WerteKennung of the tree's priors
    int Wurzel = 0, Anzahl = 0;
    TArray<TArray<float, 0, 2 * AnzahlPunkte>, 0, 1> Nutzen{};
    double Mitte = 0; // the margin for black the utility centres on
};
std::array<TVorrat, MaxFaeden> vorraete;
int vorratTeile = 1;

// Threads of a timed search: as set, no more than the machine has.
int Faeden() {
    const int maschine = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    const double hoechstens = std::min(MaxFaeden, maschine);
    return static_cast<int>(std::clamp(std::round(SuchParameter().Faeden), 1.0, hoechstens));
}

class TSuche {
public:
    TSuche(const std::atomic<std::uint8_t>* stopp, double budget, const std::vector<int>* ohne, bool still,
           bool nachdenken = false)
        : stopp_(stopp), budget_(budget), ohne_(ohne), still_(still), nachdenken_(nachdenken) {}

    TSuchErgebnis Lauf(TEngineZustand& e, int maxTiefe);
    void Helfen(const std::atomic<bool>& fertig);

private:
    // A helper's slot for a root move: its games, shared with the search that decides.
    static int Platz(int zug) { return zug + 1; }
    const TSuchParameter& par_ = SuchParameter();
    TBitBrett b_;
    TBitBewertung bew_;
    TZufall z_;
    TZufallspartie partie_;
    const std::atomic<std::uint8_t>* stopp_;
    double budget_;
    const std::vector<int>* ohne_;
    bool still_;
    bool nachdenken_; // on the opponent's time: one thread, until stopped or the part is three quarters full
    bool abgebrochen_ = false;
    int teil_ = 0;                // part of the pool
    int beginn_ = 0, ende_ = 0;   // its nodes
    int anzahl_ = 0;              // end of the nodes in use
    int wurzel_ = 0;              // the root node: beginn_, or the node of a tree kept from the search before
    TBits wurzelErlaubt_ = 0;     // points the engine board accepts at the root
    bool wurzelPass_ = false;     // and the pass
    int wurzelSeite_ = 1; // side to move at the root
    std::int64_t stellungen_ = 0, bewertungen_ = 0, partien_ = 0;
    int aktuell_ = -1; // root child of the last game
    TArray<int, 0, MaxPfad> pfad_{};
    // Utility of a final margin for black [margin + 49] and for white [margin + 49] (both
    // from their own view).
    TArray<TArray<float, 0, 2 * AnzahlPunkte>, 0, 1> nutzen_{};
    double mitte_ = 0; // its centre, a margin for black
    TUhr::time_point start_ = TUhr::now();
    TUhr::time_point letzteInfo_ = start_;
    // The helpers of the deciding search, and what a helper shares while it plays.
    std::vector<TSuche*> helfer_;
    std::array<std::atomic<float>, 65> geteiltN_{};
    std::atomic<std::int64_t> geteiltRunden_{0}, geteiltStellungen_{0};
    std::atomic<bool> geloest_{false};

    void Teil(int teil, int teile);
    void NeueWurzel();
    bool Weiter(const TEngineZustand& e);
    int Verdichten(int k);
    void Aufheben(const TEngineZustand& e);
    void Teilen(std::int64_t runden);
    void Uebernimm(const TSuche& h);
    double GesamtN(const TKnoten& kind) const;
    std::string BeweisGrund() const;
    double Sekunden() const { return std::chrono::duration<double>(TUhr::now() - start_).count(); }
    float Nutzen(int seite, int marge) const { return nutzen_[seite][marge + AnzahlPunkte]; }
    int Mover(int tiefe) const { return (tiefe & 1) ? wurzelSeite_ : wurzelSeite_ ^ 1; }
    bool Exakt(const TKnoten& n) const { return n.Unten == n.Oben; }
    bool Ausgeschlossen(const TKnoten& eltern, const TKnoten& kind) const;
    bool Ausbauen(int k, bool wurzel);
    bool GrenzenNeu(int k);
    int Waehle(int k) const;
    float Schaetzung(const TKnoten& kind, int seite) const;
    // The mean final margin of a node's games for its mover, within its bounds.
    static double Marge(const TKnoten& k) {
        return std::clamp(k.N > 0 ? static_cast<double>(k.S / k.N) : 0.0, static_cast<double>(k.Unten),
                          static_cast<double>(k.Oben));
    }
    void Spiel();
    int Hauptlinie(bool& zuEnde) const;
    int Bester() const;
    void InfoAuffrischen(bool besterAuch);
};

// The search works in part teil of teile equal parts of the pool.
void TSuche::Teil(int teil, int teile) {
    teil_ = teil;
    beginn_ = MaxKnoten / teile * teil;
    ende_ = beginn_ + MaxKnoten / teile;
    wurzel_ = beginn_;
    anzahl_ = beginn_;
}

// A root of its own at the start of the search's part, grown.
void TSuche::NeueWurzel() {
    Knoten[beginn_] = NeuerKnoten;
    wurzel_ = beginn_;
    anzahl_ = beginn_ + 1;
    pfad_[0] = wurzel_;
    Ausbauen(wurzel_, true);
    GrenzenNeu(wurzel_);
}

// Takes over the tree of the search before when the board of e is its root or lies one or two
// moves below it, with the same values; false when the search must start afresh.
bool TSuche::Weiter(const TEngineZustand& e) {
    TVorrat& vorrat = vorraete.at(static_cast<std::size_t>(teil_));
    const int alt = static_cast<int>(vorrat.Verlauf.size()), neu = e.Zugnummer;
    if (!vorrat.Gueltig || ohne_ || !par_.Behalten || neu < alt || neu - alt > 2 ||
        vorrat.Werte != WerteKennung())
        return false;
    for (int i = 0; i < alt; ++i)
        if (e.Hashes[i] != vorrat.Verlauf[static_cast<std::size_t>(i)]) return false;
    int k = vorrat.Wurzel;
    for (int n = alt; n < neu; ++n) {
        const int zug = e.Zugfolge[n] < 0 ? KeinBit : BitVonFeld(e.Zugfolge[n]);
        const TKnoten& knoten = Knoten[k];
        int kind = -1;
        for (int c = 0; c < knoten.Anzahl && knoten.Kinder >= 0; ++c)
            if (Knoten[knoten.Kinder + c].Zug == zug) kind = knoten.Kinder + c;
        if (kind < 0) return false;
        k = kind;
    }
    const TKnoten& w = Knoten[k];
    if (w.Kinder < 0) return false;
    // The node's margin is its mover's, the side to move now has the opposite one.
    const double mitte = wurzelSeite_ == 1 ? vorrat.Mitte : -vorrat.Mitte;
    const double marge = -Marge(w);
    if (marge < mitte - par_.NeuMitte) {
        if (par_.Protokoll && teil_ == 0)
            std::fprintf(stderr, "tree dropped: margin %.2f, centre %.2f\n", marge, mitte);
        return false;
    }
    for (int c = 0; c < w.Anzahl; ++c) {
        const int zug = Knoten[w.Kinder + c].Zug;
        if (zug == KeinBit ? !wurzelPass_ : !(wurzelErlaubt_ & Bit(zug))) return false;
    }
    anzahl_ = vorrat.Anzahl;
    // More than half of the part in use: the new root's tree moves to the part's start, so
    // that it has room to grow (and nothing when it is too large itself).
    if (anzahl_ - beginn_ > (ende_ - beginn_) / 2 && (k = Verdichten(k)) < 0) return false;
    wurzel_ = k;
    nutzen_ = vorrat.Nutzen;
    mitte_ = vorrat.Mitte;
    pfad_[0] = k;
    return true;
}

// Copies the tree below node k to the start of the part, level by level so that every node's
// children stay side by side; the part then holds nothing else. Its new root, or -1 (and
// nothing moved) when that tree takes more than half of the part.
int TSuche::Verdichten(int k) {
    std::vector<TKnoten> baum{Knoten[k]};
    const std::size_t grenze = static_cast<std::size_t>(ende_ - beginn_) / 2;
    for (std::size_t i = 0; i < baum.size(); ++i) {
        const TKnoten n = baum[i];
        if (n.Kinder < 0) continue;
        if (baum.size() + n.Anzahl > grenze) return -1;
        baum[i].Kinder = beginn_ + static_cast<int>(baum.size());
        for (int c = 0; c < n.Anzahl; ++c)
            baum.push_back(Knoten[n.Kinder + c]);
    }
    for (std::size_t i = 0; i < baum.size(); ++i)
        Knoten[beginn_ + static_cast<int>(i)] = baum[i];
    anzahl_ = beginn_ + static_cast<int>(baum.size());
    return beginn_;
}

// A child that cannot do better than a sibling proven already is left alone.
bool TSuche::Ausgeschlossen(const TKnoten& eltern, const TKnoten& kind) const {
    const int unten = -eltern.Oben; // what the side to move has for sure
    return kind.Oben < unten || (kind.Oben == unten && kind.Unten < kind.Oben);
}

// Grows the children of node k (the board stands at k): every legal move but the filling of
// a true eye of one's own (unless it saves a chain in atari) and points of settled areas that
// change nothing, and the pass. The prior of a move is the values file's evaluation after it,
// against its siblings, with captures, rescues (not into a ladder) and the atari that starts a
// ladder on top and self-atari below. Below the root
// a finished game or a board settled everywhere is proven instead. At the root (wurzel set)
// only moves the engine board accepts are grown, and those of ohne_ only when nothing else is
// legal. False when the nodes of the search's part are used up.
bool TSuche::Ausbauen(int k, bool wurzel) {
    TKnoten& n = Knoten[k];
    if (b_.BeidePassen()) {
        n.Unten = n.Oben = static_cast<std::int8_t>(-b_.Spielstand());
        return true;
    }
    const TBits ich = b_.Eigene(), du = b_.Fremde(), leer = b_.Leer();
    TKettenBits eigene, fremde;
    FindeKettenBits(ich, eigene);
    FindeKettenBits(du, fremde);
    TBits kandidaten = leer;
    if (Anzahl(ich | du) >= SicherAbSteinen) {
        const TSicher meins = SicheresGebiet(ich, du, eigene);
        const TSicher deins = SicheresGebiet(du, ich, fremde);
        if (!wurzel && (meins.Gebiet | deins.Gebiet) == AllePunkte) {
            n.Unten = n.Oben = static_cast<std::int8_t>(Anzahl(deins.Gebiet) - Anzahl(meins.Gebiet));
            return true;
        }
        kandidaten &= ~deins.Gebiet & ~(meins.Gebiet & ~Nachbarn(du & meins.Gebiet));
    }
    // Liberties of chains in atari: own ones to save, the opponent's to take.
    TBits retten = 0, schlagen = 0, leiter = 0;
    // With the reading of fights: the moves that save an own chain in atari, or one of two
    // stones or more and two liberties that the opponent could take by force. (Saving single
    // stones of two liberties too keeps the search on stones that are better given up.)
    TBits gerettet = 0;
    for (int i = 0; i < eigene.Anzahl; ++i) {
        const TBits kette = eigene.Kette[i];
        const TBits frei = Nachbarn(kette) & leer;
        if (Anzahl(frei) == 1) retten |= frei;
        if (par_.Taktik && Anzahl(frei) <= 2) {
            TTaktik t;
            if (Anzahl(frei) == 1 || (Anzahl(kette) >= 2 && t.FangZug(du, ich, kette) != KeinBit))
                gerettet |= t.RettendeZuege(du, ich, kette);
        }
    }
    for (int i = 0; i < fremde.Anzahl; ++i) {
        const TBits frei = Nachbarn(fremde.Kette[i]) & leer;
        if (Anzahl(frei) == 1) schlagen |= frei;
        // The atari that takes a chain of two liberties by force (in a ladder, or reading
        // the fight).
        if (par_.Taktik && Anzahl(frei) == 2) {
            TTaktik t;
            const int p = t.FangZug(ich, du, fremde.Kette[i]);
            if (p != KeinBit) leiter |= Bit(p);
        } else if (par_.BaumLeiter && Anzahl(frei) == 2) {
            const int p = LeiterFaengt(ich, du, fremde.Kette[i]);
            if (p != KeinBit) leiter |= Bit(p);
        }
    }
    kandidaten &= ~(Augen(ich, du) & ~retten);
    if (anzahl_ + Anzahl(kandidaten) + 1 > ende_) return false;
    // The moves and their evaluation; the pass last.
    TArray<std::int8_t, 0, 63> zuege{};
    TArray<double, 0, 63> wert{};
    int m = 0;
    double summe = 0;
    for (TBits r = kandidaten; r; r &= r - 1) {
        const int p = ErstesBit(r);
        if (wurzel && !(wurzelErlaubt_ & Bit(p))) continue;
        if (!b_.Ziehe(p)) continue;
        ++bewertungen_;
        wert[m] = -bew_.Grundwert(b_);
        b_.Zurueck();
        summe += wert[m];
        zuege[m++] = static_cast<std::int8_t>(p);
    }
    const double mittel = m ? summe / m : 0;
    zuege[m++] = KeinBit;
    if (wurzel && ohne_) {
        auto ausgelassen = [&](int bit) {
            return std::find(ohne_->begin(), ohne_->end(), FeldVonBit(bit)) != ohne_->end();
        };
        int j = 0;
        for (int i = 0; i < m; ++i)
            if (!ausgelassen(zuege[i])) {
                zuege[j] = zuege[i];
                wert[j++] = wert[i];
            }
        if (j > 0) m = j;
    }
    const double skala = 0.05 * bew_.Punktwert();
    const TBits nahe =
        b_.LetzterZug() >= 0 ? Nachbarn(Bit(b_.LetzterZug())) | Diagonalen(Bit(b_.LetzterZug())) : 0;
    const int erstes = anzahl_;
    for (int i = 0; i < m; ++i) {
        TKnoten& kind = Knoten[erstes + i];
        kind = NeuerKnoten;
        const int p = zuege[i];
        kind.Zug = static_cast<std::int8_t>(p);
        double prior;
        if (p == KeinBit) {
            // The pass ends the game after the opponent's pass (proven then); otherwise it
            // gives away a move, which is rarely right while points are open.
            if (b_.LetzterZugPass()) {
                kind.Unten = kind.Oben = static_cast<std::int8_t>(b_.Spielstand());
                continue;
            }
            prior = 0.1;
        } else {
            prior = 0.5 + 0.25 * std::tanh((wert[i] - mittel) / skala);
            const TBits neu = Flut(ich | Bit(p), Bit(p));
            const TBits frei = Nachbarn(neu) & leer & ~Bit(p);
            if (schlagen & Bit(p)) prior += 0.2;
            // Running out of atari into a ladder saves nothing.
            if (par_.Taktik) {
                if (gerettet & Bit(p)) prior += 0.15;
            } else if ((retten & Bit(p)) &&
                !(par_.BaumLeiter && !(schlagen & Bit(p)) && Anzahl(frei) == 2 &&
                  LeiterFaengt(du, ich | Bit(p), neu) != KeinBit))
                prior += 0.15;
            if (leiter & Bit(p)) prior += 0.15;
            if (nahe & Bit(p)) prior += 0.05;
            // Self-atari of a chain of two stones or more that takes nothing.
            if (Anzahl(neu) >= 2 && Anzahl(frei) <= 1 && !(schlagen & Bit(p))) prior -= 0.3;
        }
        kind.RN = par_.PriorSpiele;
        kind.RW = static_cast<float>(par_.PriorSpiele * std::clamp(prior, 0.02, 0.98));
    }
    n.Kinder = erstes;
    n.Anzahl = static_cast<std::uint8_t>(m);
    anzahl_ += m;
    return true;
}

// Bounds of node k from those of its children; true when they changed.
bool TSuche::GrenzenNeu(int k) {
    TKnoten& n = Knoten[k];
    if (n.Kinder < 0) return false;
    int unten = -AnzahlPunkte, oben = -AnzahlPunkte;
    for (int c = 0; c < n.Anzahl; ++c) {
        const TKnoten& kind = Knoten[n.Kinder + c];
        unten = std::max<int>(unten, kind.Unten);
        oben = std::max<int>(oben, kind.Oben);
    }
    const auto u = static_cast<std::int8_t>(-oben), o = static_cast<std::int8_t>(-unten);
    if (u == n.Unten && o == n.Oben) return false;
    n.Unten = u;
    n.Oben = o;
    return true;
}

// The child to follow: by its utility, from its own games and from those in which it was
// played later (held within the utilities of its bounds; a proven child's is exact), plus a
// little exploration for the open ones. Following a proven child again teaches nothing: when
// one is best, every eighth game still goes to the best open child, which may beat it.
int TSuche::Waehle(int k) const {
    const TKnoten& n = Knoten[k];
    const float logN = std::log(n.N + 1);
    const int seite = b_.AmZug;
    int best = -1, bestOffen = -1;
    float bestWert = -1e30f, offenWert = -1e30f;
    for (int c = 0; c < n.Anzahl; ++c) {
        const TKnoten& kind = Knoten[n.Kinder + c];
        if (Ausgeschlossen(n, kind)) continue;
        float v = Schaetzung(kind, seite);
        if (!Exakt(kind)) {
            v += par_.Erkunden * std::sqrt(logN / (kind.N + 1));
            if (v > offenWert) {
                offenWert = v;
                bestOffen = n.Kinder + c;
            }
        }
        if (v > bestWert) {
            bestWert = v;
            best = n.Kinder + c;
        }
    }
    if (best >= 0 && Exakt(Knoten[best]) && bestOffen >= 0 && (static_cast<int>(n.N) & 7) == 7)
        return bestOffen;
    return best;
}

float TSuche::Schaetzung(const TKnoten& kind, int seite) const {
    if (Exakt(kind)) return Nutzen(seite, kind.Unten);
    const float beta = kind.RN / (kind.RN + kind.N + kind.RN * kind.N * par_.RaveGleich);
    const float q = kind.N > 0 ? kind.W / kind.N : 0.5f;
    const float rq = kind.RN > 0 ? kind.RW / kind.RN : 0.5f;
    return std::clamp((1 - beta) * q + beta * rq, Nutzen(seite, kind.Unten), Nutzen(seite, kind.Oben));
}

// One game: down the tree to a leaf, grow it, play to the end from there, and carry the
// result back up.
void TSuche::Spiel() {
    int laenge = 0;
    int k = wurzel_;
    bool exakt = false;
    int ausgebaut = -1; // path index of the node grown by this game
    while (true) {
        if (Exakt(Knoten[k])) {
            exakt = true;
            break;
        }
        if (Knoten[k].Kinder < 0) {
            if (Knoten[k].N < par_.AusbauAb || !b_.HatPlatz() || laenge >= MaxPfad - 1 ||
                !Ausbauen(k, false))
                break;
            ausgebaut = laenge;
            if (Exakt(Knoten[k]) || GrenzenNeu(k)) {
                exakt = Exakt(Knoten[k]);
                if (exakt) break;
            }
        }
        const int c = Waehle(k);
        if (c < 0) break;
        if (!b_.Ziehe(Knoten[c].Zug)) throw std::logic_error("Zug des Suchbaums nicht erlaubt");
        pfad_[++laenge] = c;
        k = c;
        if (laenge == 1) aktuell_ = c;
    }
    bool neueGrenzen = false;
    int schwarz; // black's final margin
    TArray<TBits, 0, 1> erster{};
    if (exakt) {
        const int m = Knoten[k].Unten; // for the mover of k
        schwarz = Mover(laenge) == 1 ? m : -m;
    } else {
        partie_.Von(b_);
        schwarz = partie_.BisZumEnde(z_);
        erster = partie_.Erster;
        stellungen_ += partie_.Zuege;
        ++partien_;
    }
    stellungen_ += laenge;
    for (int i = laenge; i >= 0; --i) {
        TKnoten& n = Knoten[pfad_[i]];
        const int mover = Mover(i);
        n.N += 1;
        n.W += Nutzen(mover, mover == 1 ? schwarz : -schwarz);
        n.S += static_cast<float>(mover == 1 ? schwarz : -schwarz);
        if (n.Kinder >= 0) {
            const int amZug = mover ^ 1;
            if (i < laenge) {
                const int zug = Knoten[pfad_[i + 1]].Zug;
                if (zug >= 0) {
                    erster[amZug] |= Bit(zug);
                    erster[mover] &= ~Bit(zug);
                }
            }
            const float u = Nutzen(amZug, amZug == 1 ? schwarz : -schwarz);
            const TBits gespielt = erster[amZug];
            if (!exakt || i < laenge)
                for (int c = 0; c < n.Anzahl; ++c) {
                    TKnoten& kind = Knoten[n.Kinder + c];
                    if (kind.Zug >= 0 && (gespielt & Bit(kind.Zug))) {
                        kind.RN += 1;
                        kind.RW += u;
                    }
                }
        }
        // Bounds change from the node grown by this game up, as far as they change.
        if (i == ausgebaut) {
            GrenzenNeu(pfad_[i]);
            neueGrenzen = true;
        } else if (neueGrenzen) {
            neueGrenzen = GrenzenNeu(pfad_[i]);
        }
    }
    for (int i = 0; i < laenge; ++i)
        b_.Zurueck();
}

// Depth of the line of most played moves, as far as they have been played often enough.
// zuEnde: the line ends in a proven result, it cannot grow any more.
int TSuche::Hauptlinie(bool& zuEnde) const {
    int k = wurzel_, tiefe = 0;
    zuEnde = false;
    while (true) {
        if (tiefe > 0 && Exakt(Knoten[k])) {
            zuEnde = true;
            break;
        }
        if (Knoten[k].Kinder < 0) break;
        const TKnoten& n = Knoten[k];
        int best = -1;
        for (int c = 0; c < n.Anzahl; ++c)
            if (best < 0 || Knoten[n.Kinder + c].N > Knoten[best].N) best = n.Kinder + c;
        if (best < 0 || (Knoten[best].N < par_.HauptlinieAb && !Exakt(Knoten[best]))) break;
        ++tiefe;
        k = best;
    }
    return tiefe;
}

// The reason to stop that the root's proven moves give: everything proven, the best margin of
// a won game, or a loss of every other move; empty when they give none.
std::string TSuche::BeweisGrund() const {
    const TKnoten& w = Knoten[wurzel_];
    int offen = 0, nichtVerloren = 0;
    for (int c = 0; c < w.Anzahl; ++c) {
        const TKnoten& kind = Knoten[w.Kinder + c];
        offen += !Exakt(kind);
        nichtVerloren += kind.Oben >= 0;
    }
    if (offen == 0) return "Stellung vollständig analysiert";
    if (Exakt(w) && -w.Unten > 0) return "Gewinnzug gefunden";
    // The one move left is played whatever it brings.
    if (w.Anzahl > 1 && nichtVerloren == 1) return "alle anderen Züge verlieren";
    if (Exakt(w)) return "Stellung vollständig analysiert";
    return {};
}

// Games through a root child, the helpers' included.
double TSuche::GesamtN(const TKnoten& kind) const {
    double n = kind.N;
    for (const TSuche* h : helfer_)
        n += h->geteiltN_.at(static_cast<std::size_t>(Platz(kind.Zug))).load(std::memory_order_relaxed);
    return n;
}

// A helper's share: the games of its root moves and how far it got.
void TSuche::Teilen(std::int64_t runden) {
    const TKnoten& w = Knoten[wurzel_];
    for (int c = 0; c < w.Anzahl && w.Kinder >= 0; ++c) {
        const TKnoten& kind = Knoten[w.Kinder + c];
        geteiltN_.at(static_cast<std::size_t>(Platz(kind.Zug))).store(kind.N, std::memory_order_relaxed);
    }
    geteiltRunden_.store(runden, std::memory_order_relaxed);
    geteiltStellungen_.store(stellungen_, std::memory_order_relaxed);
}

// A helper plays games in its own tree until the deciding search is done, the user stops, or
// its root is proven.
void TSuche::Helfen(const std::atomic<bool>& fertig) {
    std::int64_t runden = 0;
    while (!fertig.load(std::memory_order_acquire) && !(stopp_ && stopp_->load(std::memory_order_relaxed))) {
        if (Exakt(Knoten[wurzel_])) {
            geloest_.store(true, std::memory_order_relaxed);
            break;
        }
        Spiel();
        if ((++runden & 15) == 0) Teilen(runden);
    }
    Teilen(runden);
}

// Adds a finished helper's root statistics to this tree's root moves: games, utility and
// margin summed, bounds narrowed to both trees' (each is sound under the same history).
void TSuche::Uebernimm(const TSuche& h) {
    const TKnoten& hw = Knoten[h.wurzel_];
    TKnoten& w = Knoten[wurzel_];
    for (int c = 0; c < w.Anzahl; ++c) {
        TKnoten& kind = Knoten[w.Kinder + c];
        for (int d = 0; d < hw.Anzahl && hw.Kinder >= 0; ++d) {
            const TKnoten& ihr = Knoten[hw.Kinder + d];
            if (ihr.Zug != kind.Zug) continue;
            kind.N += ihr.N;
            kind.W += ihr.W;
            kind.S += ihr.S;
            const std::int8_t unten = std::max(kind.Unten, ihr.Unten), oben = std::min(kind.Oben, ihr.Oben);
            if (unten > oben) throw std::logic_error("Suchbäume widersprechen sich");
            kind.Unten = unten;
            kind.Oben = oben;
        }
    }
    w.N += hw.N;
    GrenzenNeu(wurzel_);
    stellungen_ += h.stellungen_;
    bewertungen_ += h.bewertungen_;
    partien_ += h.partien_;
}

// Leaves the tree to the next search of the same game.
void TSuche::Aufheben(const TEngineZustand& e) {
    TVorrat& vorrat = vorraete.at(static_cast<std::size_t>(teil_));
    vorrat.Verlauf.clear();
    for (int i = 0; i < e.Zugnummer; ++i)
        vorrat.Verlauf.push_back(e.Hashes[i]);
    vorrat.Werte = WerteKennung();
    vorrat.Wurzel = wurzel_;
    vorrat.Anzahl = anzahl_;
    vorrat.Nutzen = nutzen_;
    vorrat.Mitte = mitte_;
    vorrat.Gueltig = true;
}

// The root child to play: the most played one that a proven sibling does not exclude, the
// better estimate among equals.
int TSuche::Bester() const {
    const TKnoten& w = Knoten[wurzel_];
    int best = -1;
    double nBest = 0;
    for (int c = 0; c < w.Anzahl; ++c) {
        const int i = w.Kinder + c;
        const TKnoten& kind = Knoten[i];
        if (Ausgeschlossen(w, kind)) continue;
        const double n = GesamtN(kind);
        if (best < 0 || n > nBest ||
            (n == nBest && Schaetzung(kind, wurzelSeite_) > Schaetzung(Knoten[best], wurzelSeite_))) {
            best = i;
            nBest = n;
        }
    }
    return best;
}

void TSuche::InfoAuffrischen(bool besterAuch) {
    letzteInfo_ = TUhr::now();
    const double sek = Sekunden();
    std::lock_guard<std::mutex> sperre(infoMutex);
    std::int64_t stellungen = stellungen_;
    for (const TSuche* h : helfer_)
        stellungen += h->geteiltStellungen_.load(std::memory_order_relaxed);
    info.Stellungen = stellungen;
    info.Zeit = ZeitAlsText(sek);
    info.ProSekunde = sek > 0 ? static_cast<std::int64_t>(static_cast<double>(stellungen) / sek) : 0;
    auto wert = [&](const TKnoten& k) {
        if (Exakt(k)) return static_cast<double>(EndWertVon(k.Unten));
        const double marge = Marge(k);
        return std::clamp(marge * bew_.Punktwert(), -static_cast<double>(EvalGrenze),
                          static_cast<double>(EvalGrenze));
    };
    if (aktuell_ >= 0) {
        info.AktuellerZug = FeldVonBit(Knoten[aktuell_].Zug);
        info.AktuellerWert = wert(Knoten[aktuell_]);
    }
    if (besterAuch) {
        const int b = Bester();
        if (b >= 0) {
            info.BesterZug = FeldVonBit(Knoten[b].Zug);
            info.BesterWert = wert(Knoten[b]);
        }
    }
}

// Runs the helpers' games on threads of their own; the destructor ends and joins them, also
// when the deciding search leaves by an exception. A helper whose thread cannot be started is
// left out of helfer.
class THelferLauf {
public:
    explicit THelferLauf(std::vector<TSuche*>& helfer) {
        fehler_.resize(helfer.size());
        std::size_t gestartet = 0;
        try {
            for (; gestartet < helfer.size(); ++gestartet) {
                TSuche* h = helfer[gestartet];
                std::exception_ptr* fehler = &fehler_[gestartet];
                faeden_.emplace_back([this, h, fehler] {
                    try {
                        h->Helfen(fertig_);
                    } catch (...) {
                        *fehler = std::current_exception();
                    }
                });
            }
        } catch (const std::system_error&) {
            helfer.resize(gestartet);
        }
    }
    ~THelferLauf() { Anhalten(); }
    THelferLauf(const THelferLauf&) = delete;
    THelferLauf& operator=(const THelferLauf&) = delete;
    // Ends the helpers' games and passes on the first exception one of them left with.
    void Ende() {
        Anhalten();
        std::exception_ptr erste;
        for (std::exception_ptr& f : fehler_)
            if (!erste) erste = std::exchange(f, nullptr);
        fehler_.clear();
        if (erste) std::rethrow_exception(erste);
    }

private:
    std::atomic<bool> fertig_{false};
    std::vector<std::thread> faeden_;
    std::vector<std::exception_ptr> fehler_;

    void Anhalten() noexcept {
        fertig_.store(true, std::memory_order_release);
        for (std::thread& t : faeden_)
            if (t.joinable()) t.join();
    }
};

TSuchErgebnis TSuche::Lauf(TEngineZustand& e, int maxTiefe) {
    TSuchErgebnis erg;
    start_ = TUhr::now();
    // A timed search plays on several threads; one with a fixed number of games or without a
    // budget stays on one, so that it plays the same games every time.
    // Thinking on the opponent's time continues the timed search's parts (on one thread).
    const int teile = (budget_ > 0 || nachdenken_) && par_.Partien <= 0 ? Faeden() : 1;
    if (teile != vorratTeile)
        for (TVorrat& v : vorraete)
            v.Gueltig = false;
    vorratTeile = teile;
    Teil(0, teile);
    b_.Uebernehmen(e);
    bew_.Laden(Konstanten);
    wurzelSeite_ = b_.AmZug;
    z_ = TZufall(e.Hash ^ 0x6A09E667F3BCC909ull);
    const std::uint64_t hashVorher = b_.Hash();
    const int verlaufVorher = b_.Verlauf();
    for (TBits r = b_.Leer(); r; r &= r - 1)
        if (e.IstErlaubt(FeldVonBit(ErstesBit(r)))) wurzelErlaubt_ |= r & (~r + 1);
    wurzelPass_ = e.IstErlaubt(-1);
    const bool weiter = !b_.BeidePassen() && Weiter(e);
    vorraete[0].Gueltig = false;
    erg.Behalten = weiter;
    if (b_.BeidePassen()) {
        erg.Grund = "Stellung vollständig analysiert";
        erg.Bewiesen = true;
        erg.Marge = b_.Spielstand();
        erg.Wert = EndWertVon(b_.Spielstand());
    } else if (!weiter) {
        // The margin the utility centres on: the mean of a few games from the root.
        double summe = 0;
        for (int i = 0; i < VorSpiele; ++i) {
            partie_.Von(b_);
            summe += partie_.BisZumEnde(z_);
            stellungen_ += partie_.Zuege;
        }
        const double mitte = summe / VorSpiele; // for black
        mitte_ = mitte;
        if (par_.Protokoll) std::fprintf(stderr, "expected margin for black %.2f\n", mitte);
        for (int seite = 0; seite <= 1; ++seite)
            for (int m = -AnzahlPunkte; m <= AnzahlPunkte; ++m) {
                const double sieg = m > 0 ? 1 : m == 0 ? 0.5 : 0;
                const double erwartet = seite == 1 ? mitte : -mitte;
                nutzen_[seite][m + AnzahlPunkte] = static_cast<float>(
                    par_.SiegGewicht * sieg +
                    (1 - par_.SiegGewicht) / (1 + std::exp(-(m - erwartet) / par_.MargenSkala)));
            }
        NeueWurzel();
    }
    int gemeldet = 0;
    const bool gewachsen = Knoten[wurzel_].Kinder >= 0 && !erg.Bewiesen;
    // The helpers, each in its part of the pool with the same root moves and utility. They go on
    // with their own trees when this one does.
    std::vector<std::unique_ptr<TSuche>> helfer;
    for (int t = 1; gewachsen && !nachdenken_ && t < teile; ++t) {
        auto h = std::make_unique<TSuche>(stopp_, budget_, ohne_, true);
        h->Teil(t, teile);
        h->b_.Uebernehmen(e);
        h->bew_.Laden(Konstanten);
        h->wurzelSeite_ = wurzelSeite_;
        h->z_ = TZufall(e.Hash ^ 0x6A09E667F3BCC909ull ^ (0x9E3779B97F4A7C15ull * static_cast<unsigned>(t)));
        h->wurzelErlaubt_ = wurzelErlaubt_;
        h->wurzelPass_ = wurzelPass_;
        if (!(weiter && h->Weiter(e))) h->NeueWurzel();
        h->nutzen_ = nutzen_;
        h->mitte_ = mitte_;
        vorraete.at(static_cast<std::size_t>(t)).Gueltig = false;
        if (Knoten[h->wurzel_].Kinder >= 0) helfer_.push_back(h.get());
        helfer.push_back(std::move(h));
    }
    THelferLauf helferLauf(helfer_);
    for (int runde = 0; gewachsen; ++runde) {
        if (stopp_ && stopp_->load(std::memory_order_relaxed)) {
            abgebrochen_ = true;
            break;
        }
        const TKnoten& w = Knoten[wurzel_];
        erg.Grund = BeweisGrund();
        for (const TSuche* h : helfer_)
            if (erg.Grund.empty() && h->geloest_.load(std::memory_order_relaxed))
                erg.Grund = "Stellung vollständig analysiert";
        if (runde % 16 == 0 || !erg.Grund.empty()) {
            bool zuEnde = false;
            const int tiefe = std::max(1, Hauptlinie(zuEnde));
            for (; gemeldet < std::min(tiefe, maxTiefe); ++gemeldet) {
                erg.Tiefe = gemeldet + 1;
                {
                    std::lock_guard<std::mutex> sperre(infoMutex);
                    info.Tiefe = erg.Tiefe;
                }
                if (!still_) Melde("Analysetiefe : " + std::to_string(erg.Tiefe), false);
            }
            // Without a budget a main line read to its end is as deep as it gets.
            if (erg.Grund.empty() && (tiefe >= maxTiefe || (zuEnde && budget_ <= 0 && !nachdenken_)))
                erg.Grund = "maximale Analysetiefe erreicht";
            // Thinking ahead leaves a quarter of the part to the search that follows.
            if (erg.Grund.empty() && nachdenken_ && anzahl_ - beginn_ > (ende_ - beginn_) / 4 * 3)
                erg.Grund = "maximale Analysetiefe erreicht";
            const double sek = Sekunden();
            if (erg.Grund.empty() && (budget_ > 0 || par_.Partien > 0)) {
                // Stop when the budget (time or number of games) is up and the choice is clear,
                // when the longer budget for an unclear choice is up too, or when the second
                // move would need more than the share Ueberholen of the games left to overtake.
                // Games count on all threads.
                const bool nachZahl = par_.Partien > 0;
                double runden = runde;
                for (const TSuche* h : helfer_)
                    runden += static_cast<double>(h->geteiltRunden_.load(std::memory_order_relaxed));
                const double gespielt = nachZahl ? runde : sek;
                const double grenze = nachZahl ? par_.Partien : budget_;
                const double proEinheit = nachZahl ? 1 : sek > 0 ? runden / sek : 0;
                int erste = -1, zweite = -1, wertBester = -1;
                double nErste = 0, nZweite = 0;
                for (int c = 0; c < w.Anzahl; ++c) {
                    const int i = w.Kinder + c;
                    if (Ausgeschlossen(w, Knoten[i])) continue;
                    const double n = GesamtN(Knoten[i]);
                    if (erste < 0 || n > nErste) {
                        zweite = erste;
                        nZweite = nErste;
                        erste = i;
                        nErste = n;
                    } else if (zweite < 0 || n > nZweite) {
                        zweite = i;
                        nZweite = n;
                    }
                    if (wertBester < 0 ||
                        Schaetzung(Knoten[i], wurzelSeite_) > Schaetzung(Knoten[wertBester], wurzelSeite_))
                        wertBester = i;
                }
                const double vorsprung = erste < 0 ? 0 : nErste - nZweite;
                // Unclear: the most played move is not the best valued one, or the second is
                // close behind it.
                const bool klar =
                    erste < 0 || zweite < 0 || (erste == wertBester && nErste >= par_.KlarAb * nZweite);
                const double ende = klar ? grenze : grenze * std::max(1.0, par_.Verlaengern);
                if (gespielt >= ende ||
                    (runde >= 64 && vorsprung > par_.Ueberholen * (ende - gespielt) * proEinheit))
                    erg.Grund = "maximale Analysetiefe erreicht";
            }
            if (TUhr::now() - letzteInfo_ > std::chrono::milliseconds(50)) InfoAuffrischen(true);
        }
        if (!erg.Grund.empty()) break;
        Spiel();
    }
    if (abgebrochen_) erg.Grund = "Abbruch durch Benutzer";
    helferLauf.Ende();
    bool helferInOrdnung = true;
    for (const TSuche* h : helfer_) {
        helferInOrdnung = helferInOrdnung && h->b_.Hash() == hashVorher && h->b_.Verlauf() == verlaufVorher;
        Uebernimm(*h);
    }
    const std::vector<TSuche*> geholfen = std::exchange(helfer_, {});
    // A proof may rest on the helpers' trees: its reason from the joined root.
    if (!geholfen.empty() && !abgebrochen_ && erg.Grund != "maximale Analysetiefe erreicht")
        erg.Grund = BeweisGrund();
    if (gewachsen) {
        const int b = Bester();
        if (b >= 0) {
            const TKnoten& k = Knoten[b];
            erg.Feld = FeldVonBit(k.Zug);
            erg.Bewiesen = Exakt(k);
            erg.Marge = Marge(k);
            erg.Wert = erg.Bewiesen
                           ? EndWertVon(k.Unten)
                           : std::clamp(erg.Marge * bew_.Punktwert(), -static_cast<double>(EvalGrenze),
                                        static_cast<double>(EvalGrenze));
            if (erg.Grund == "maximale Analysetiefe erreicht" && erg.Bewiesen && k.Unten > 0)
                erg.Grund = "Gewinnzug gefunden";
        }
        const TKnoten& w = Knoten[wurzel_];
        for (int c = 0; c < w.Anzahl; ++c)
            erg.Wurzel.emplace_back(FeldVonBit(Knoten[w.Kinder + c].Zug), Knoten[w.Kinder + c].N);
        std::stable_sort(erg.Wurzel.begin(), erg.Wurzel.end(),
                         [](const auto& a, const auto& b) { return a.second > b.second; });
        erg.Tiefe = std::max(erg.Tiefe, 1);
    }
    if (erg.Grund.empty()) erg.Grund = "maximale Analysetiefe erreicht";
    if (gewachsen) {
        Aufheben(e);
        for (TSuche* h : geholfen)
            h->Aufheben(e);
    }
    // The board must be as it was, and the move one the engine board accepts.
    if (b_.Hash() != hashVorher || b_.Verlauf() != verlaufVorher || !helferInOrdnung ||
        (erg.Feld != -2 && !e.IstErlaubt(erg.Feld)))
        erg.Grund = "Das kann doch gar nicht sein???";
    erg.Stellungen = stellungen_;
    erg.Bewertungen = bewertungen_;
    erg.Partien = partien_;
    InfoAuffrischen(true);
    {
        std::lock_guard<std::mutex> sperre(infoMutex);
        info.Tiefe = erg.Tiefe;
        info.Grund = erg.Grund;
        info.Laeuft = false;
    }
    if (!still_) Melde(erg.Grund, false);
    if (par_.Protokoll) {
        const TKnoten& w = Knoten[wurzel_];
        std::fprintf(stderr, "root N=%.0f bounds %d..%d nodes %d partien %ld t=%.3f%s\n", w.N, w.Unten,
                     w.Oben, anzahl_, (long)partien_, Sekunden(), weiter ? " (tree kept)" : "");
        if (!geholfen.empty()) std::fprintf(stderr, "  on %zu threads\n", geholfen.size() + 1);
        for (int c = 0; c < w.Anzahl; ++c) {
            const TKnoten& k = Knoten[w.Kinder + c];
            std::fprintf(stderr, "  %s N=%.0f Q=%.3f RN=%.0f RQ=%.3f S=%.2f [%d,%d]\n",
                         Feldname(FeldVonBit(k.Zug)).c_str(), k.N, k.N ? k.W / k.N : 0, k.RN,
                         k.RN ? k.RW / k.RN : 0, k.N ? k.S / k.N : 0, k.Unten, k.Oben);
        }
    }
    return erg;
}

} // namespace

TSuchInfo HoleSuchInfo() {
    std::lock_guard<std::mutex> sperre(infoMutex);
    return info;
}

void SetzeSuchInfo(const TSuchInfo& i) {
    std::lock_guard<std::mutex> sperre(infoMutex);
    info = i;
}

void SuchInfoZuruecksetzen() {
    std::lock_guard<std::mutex> sperre(infoMutex);
    info = TSuchInfo{};
}

void Vorausdenken(TEngineZustand& e, const std::atomic<std::uint8_t>* stopp) {
    if (SuchParameter().Partien > 0) return;
    auto suche = std::make_unique<TSuche>(stopp, 0.0, nullptr, true, true);
    suche->Lauf(e, MaxKnoten);
}

TSuchErgebnis SucheZug(TEngineZustand& e, int maxTiefe, double, double,
                       const std::atomic<std::uint8_t>* stopp, double budget, const std::vector<int>* ohne,
                       bool still) {
    {
        std::lock_guard<std::mutex> sperre(infoMutex);
        info.Laeuft = true;
        info.Grund.clear();
    }
    // The search object is large (its board with the history): keep it off the caller's stack.
    auto suche = std::make_unique<TSuche>(stopp, budget, ohne, still);
    try {
        return suche->Lauf(e, std::max(1, maxTiefe));
    } catch (...) {
        {
            std::lock_guard<std::mutex> sperre(infoMutex);
            info.Laeuft = false;
        }
        throw;
    }
}
