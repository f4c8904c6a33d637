#include "BuchSuche.h"

#include "engine/BitBrett.h"
#include "engine/GebietDflt.h"

#include <chrono>
#include <cmath>
#include <memory>
#include <vector>

namespace {

// How much a random game counts: mostly who won, a quarter by how much.
constexpr double SiegAnteil = 0.75;
// Weight of the all-moves-as-first statistics while a move has few visits of its own.
constexpr double RaveK = 1000;
constexpr double Erkunden = 0.2;
// A leaf grows children from its second visit on.
constexpr int AusbauAb = 2;
constexpr std::size_t MaxKnoten = 6'000'000;
constexpr int MaxZufallsZuege = 200;

struct TZufall {
    std::uint64_t s;
    std::uint64_t Naechste() {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return s;
    }
    int Unter(int n) { return static_cast<int>((Naechste() >> 33) % static_cast<std::uint64_t>(n)); }
};

int ZufallsBit(TBits m, TZufall& z) {
    for (int k = z.Unter(Anzahl(m)); k > 0; --k)
        m &= m - 1;
    return ErstesBit(m);
}

struct TKnoten {
    std::int32_t Kinder = -1; // first child, -1 while not grown
    std::int16_t Anzahl = 0;
    std::int8_t Zug = KeinBit;
    std::uint8_t Seite = 0; // side that played Zug
    std::int32_t N = 0;
    float W = 0; // reward sum for Seite
    std::int32_t RN = 0;
    float RW = 0;
};

// First side to play each point in this game: 0 nobody, else side + 1.
using TErster = TArray<std::uint8_t, 0, 63>;

class TBaum {
public:
    TBaum(const TEngineZustand& e, std::uint64_t saat) : z_{saat | 1} {
        b_.Uebernehmen(e);
        k_.reserve(1 << 20);
        k_.push_back(TKnoten{});
        k_[0].Seite = static_cast<std::uint8_t>(b_.AmZug ^ 1);
        Ausbauen(0);
    }

    void Lauf() {
        std::vector<int> pfad;
        pfad.push_back(0);
        TErster erster{};
        int knoten = 0, gezogen = 0;
        while (k_[knoten].Kinder >= 0 && !b_.BeidePassen()) {
            knoten = Waehle(knoten);
            Spiele(k_[knoten], erster);
            ++gezogen;
            pfad.push_back(knoten);
            if (k_[knoten].N + 1 >= AusbauAb && k_[knoten].Kinder < 0 && !b_.BeidePassen() &&
                k_.size() < MaxKnoten)
                Ausbauen(knoten);
        }
        const int vorsprung = b_.BeidePassen() ? Schwarzvorsprung() : Zufallsspiel(erster);
        const double schwarz = Lohn(vorsprung);
        for (std::size_t i = 0; i < pfad.size(); ++i) {
            TKnoten& n = k_[static_cast<std::size_t>(pfad[i])];
            ++n.N;
            n.W += static_cast<float>(n.Seite == 1 ? schwarz : 1 - schwarz);
            if (n.Kinder < 0) continue;
            const int amZug = n.Seite ^ 1;
            for (int c = 0; c < n.Anzahl; ++c) {
                TKnoten& kind = k_[static_cast<std::size_t>(n.Kinder + c)];
                if (kind.Zug >= 0 && erster[kind.Zug] == amZug + 1) {
                    ++kind.RN;
                    kind.RW += static_cast<float>(amZug == 1 ? schwarz : 1 - schwarz);
                }
            }
        }
        while (gezogen-- > 0)
            b_.Zurueck();
        ++spiele_;
    }

    TBaumErgebnis Ergebnis() const {
        TBaumErgebnis r;
        r.Spiele = spiele_;
        int knoten = 0;
        while (k_[static_cast<std::size_t>(knoten)].Kinder >= 0) {
            const TKnoten& n = k_[static_cast<std::size_t>(knoten)];
            int best = -1;
            for (int c = 0; c < n.Anzahl; ++c)
                if (best < 0 || k_[static_cast<std::size_t>(n.Kinder + c)].N > k_[static_cast<std::size_t>(best)].N)
                    best = n.Kinder + c;
            if (best < 0 || k_[static_cast<std::size_t>(best)].N == 0) break;
            const TKnoten& kind = k_[static_cast<std::size_t>(best)];
            if (knoten == 0) {
                r.Feld = FeldVonBit(kind.Zug);
                r.Anteil = kind.W / kind.N;
            }
            r.Hauptvariante += (r.Hauptvariante.empty() ? "" : " ") + Feldname(FeldVonBit(kind.Zug));
            ++r.Tiefe;
            knoten = best;
        }
        return r;
    }

private:
    double Lohn(int vorsprung) const {
        const double sieg = vorsprung > 0 ? 1 : vorsprung == 0 ? 0.5 : 0;
        return SiegAnteil * sieg + (1 - SiegAnteil) * (vorsprung + 49) / 98.0;
    }

    int Schwarzvorsprung() const { return b_.AmZug ? b_.Spielstand() : -b_.Spielstand(); }

    void Spiele(const TKnoten& n, TErster& erster) {
        b_.Ziehe(n.Zug);
        if (n.Zug >= 0 && !erster[n.Zug]) erster[n.Zug] = static_cast<std::uint8_t>(n.Seite + 1);
    }

    // Children: every legal move but the filling of an own eye and points of settled areas
    // that change nothing; the pass always.
    void Ausbauen(int knoten) {
        const TBits ich = b_.Eigene(), du = b_.Fremde(), leer = b_.Leer();
        TBits kandidaten = leer & ~(leer & ~Nachbarn(AllePunkte & ~ich));
        if (Anzahl(ich | du) >= 18) {
            TKettenBits ki, kd;
            FindeKettenBits(ich, ki);
            FindeKettenBits(du, kd);
            const TSicher meins = SicheresGebiet(ich, du, ki), deins = SicheresGebiet(du, ich, kd);
            kandidaten &= ~deins.Gebiet & ~(meins.Gebiet & ~Nachbarn(du & meins.Gebiet));
        }
        const auto erstes = static_cast<std::int32_t>(k_.size());
        const auto seite = static_cast<std::uint8_t>(b_.AmZug);
        for (TBits k = kandidaten; k; k &= k - 1) {
            const int p = ErstesBit(k);
            if (!b_.Erlaubt(p)) continue;
            TKnoten n;
            n.Zug = static_cast<std::int8_t>(p);
            n.Seite = seite;
            k_.push_back(n);
        }
        TKnoten pass;
        pass.Seite = seite;
        k_.push_back(pass);
        k_[static_cast<std::size_t>(knoten)].Kinder = erstes;
        k_[static_cast<std::size_t>(knoten)].Anzahl = static_cast<std::int16_t>(k_.size() - static_cast<std::size_t>(erstes));
    }

    int Waehle(int knoten) {
        const TKnoten& n = k_[static_cast<std::size_t>(knoten)];
        const double beta = std::sqrt(RaveK / (3.0 * n.N + RaveK));
        const double log = std::log(n.N + 1.0);
        int best = n.Kinder;
        double bestWert = -1;
        for (int c = 0; c < n.Anzahl; ++c) {
            const TKnoten& k = k_[static_cast<std::size_t>(n.Kinder + c)];
            const double q = k.N ? k.W / k.N : 0.5;
            const double qr = k.RN ? k.RW / k.RN : 0.5;
            double wert = (1 - beta) * q + beta * qr + Erkunden * std::sqrt(log / (k.N + 1));
            if (k.Zug < 0 && !b_.LetzterZugPass()) wert -= 0.1; // a pass gives away a move
            if (wert > bestWert) {
                bestWert = wert;
                best = n.Kinder + c;
            }
        }
        return best;
    }

    // Plays random moves to the end (two passes): a stone next to the last move takes a chain
    // it left in atari, or saves an own chain it put there; otherwise any point that is no own
    // eye and no suicide. Returns black's lead of the count.
    int Zufallsspiel(TErster& erster) {
        TArray<TBits, 0, 1> st = b_.Steine;
        int amZug = b_.AmZug, passe = b_.Passe;
        int letzter = -1;
        for (int zug = 0; zug < MaxZufallsZuege && passe < 2; ++zug) {
            const TBits eigene = st[amZug], fremde = st[amZug ^ 1];
            const TBits leer = AllePunkte & ~(eigene | fremde);
            int wahl = -1;
            if (letzter >= 0) {
                const TBits l = Bit(letzter);
                if (fremde & l) {
                    const TBits frei = Nachbarn(Flut(fremde, l)) & leer;
                    if (Anzahl(frei) == 1) wahl = ErstesBit(frei);
                }
                for (TBits n = Nachbarn(l) & eigene; wahl < 0 && n; n &= n - 1) {
                    const TBits frei = Nachbarn(Flut(eigene, n & (~n + 1))) & leer;
                    if (Anzahl(frei) == 1) wahl = ErstesBit(frei);
                }
            }
            TBits kandidaten = leer & ~(leer & ~Nachbarn(AllePunkte & ~eigene));
            bool gezogen = false;
            while (!gezogen && (wahl >= 0 || kandidaten)) {
                const int p = wahl >= 0 ? wahl : ZufallsBit(kandidaten, z_);
                wahl = -1;
                kandidaten &= ~Bit(p);
                const TBits stein = Bit(p), neu = eigene | stein;
                const TBits rest = fremde & ~Gefangen(neu, fremde, stein);
                const TBits frei = AllePunkte & ~(neu | rest);
                if (!(Nachbarn(stein) & frei) && !(Nachbarn(Flut(neu, stein)) & frei)) continue;
                st[amZug] = neu;
                st[amZug ^ 1] = rest;
                if (!erster[p]) erster[p] = static_cast<std::uint8_t>(amZug + 1);
                letzter = p;
                gezogen = true;
            }
            if (!gezogen) letzter = -1;
            passe = gezogen ? 0 : passe + 1;
            amZug ^= 1;
        }
        TBits gs, gw;
        LeereGebieteVon(st[1], st[0], gs, gw);
        return Anzahl(st[1] | gs) - Anzahl(st[0] | gw);
    }

    TBitBrett b_;
    std::vector<TKnoten> k_;
    TZufall z_;
    std::int64_t spiele_ = 0;
};

} // namespace

TBaumErgebnis BaumSuche(const TEngineZustand& e, double sekunden, std::uint64_t saat) {
    auto baum = std::make_unique<TBaum>(e, saat);
    const auto ende = std::chrono::steady_clock::now() + std::chrono::duration<double>(sekunden);
    do {
        for (int i = 0; i < 256; ++i)
            baum->Lauf();
    } while (std::chrono::steady_clock::now() < ende);
    return baum->Ergebnis();
}
