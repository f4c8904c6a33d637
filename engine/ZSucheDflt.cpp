#include "engine/ZSucheDflt.h"

#include "engine/BasisBrett.h"
#include "engine/BitBewertung.h"
#include "engine/SWertDflt.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <mutex>

namespace {

struct TTEintrag {
    std::uint64_t Schluessel = 0;
    std::int32_t Wert = 0;
    std::int8_t Tiefe = 0;
    std::int8_t Zug = 0;   // bit as seen through the symmetry of the key, -1 pass (only when Art is set)
    std::uint8_t Art = 0;  // kind (bits 0-1), proven (bit 2), age (bits 3-7)
    std::int8_t Stand = 0; // the count of a proven result
};
static_assert(sizeof(TTEintrag) == 16);

enum : std::uint8_t { ArtLeer = 0, ArtExakt = 1, ArtUnten = 2, ArtOben = 3, ArtMaske = 3, Vollstaendig = 4 };

// 16 MB of zeros: an empty entry is all zero bits, so the table takes no room in the program
// file and no memory until the search touches it.
TArray<TTEintrag, 0, TTGroesse - 1> TT;
std::uint8_t ttAlter = 0; // 0..31

// The board hash ignores the side to move (repetition is positional); the table does not.
constexpr std::uint64_t SeitenSchluessel = 0x9AE16A3B2F90404Full;
constexpr std::uint64_t PassSchluessel = 0xC3A5C85C97CB3127ull;

constexpr int Unendlich = 1000000000;
// A pass that does not end the game gives away a tempo; without this the engine would pass
// whenever its moves look slightly worse than the opponent's.
constexpr int PassStrafe = 30;
// Captures followed beyond the depth limit.
constexpr int MaxRuhetiefe = 8;
// Plies a path may grow by tactical extensions (at most the iteration depth).
constexpr int MaxVerlaengerung = 4;
// Longest path of the search; deeper nodes are valued as they stand.
constexpr int MaxPly = 240;
// Below this many stones no area is settled yet; the move lists skip the test.
constexpr int SicherAbSteinen = 16;
// How often (in positions) the search looks at the stop flag and the clock.
constexpr int PruefIntervall = 1023;

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

using TZugListe = TArray<std::int8_t, 0, 63>;
using TZugPunkte = TArray<std::int32_t, 0, 63>;

// Selection sort one step at a time: after a cut the rest of the list is never sorted.
inline void NaechsterBester(TZugListe& zuege, TZugPunkte& punkte, int i, int n) {
    int m = i;
    for (int j = i + 1; j < n; ++j)
        if (punkte[j] > punkte[m]) m = j;
    std::swap(zuege[i], zuege[m]);
    std::swap(punkte[i], punkte[m]);
}

// Value of a proven count as the engine reports it.
double Endwert(int stand) { return stand > 0 ? stand + GewinnWert : stand < 0 ? stand - GewinnWert : 0.0; }

class TSuche {
public:
    TSuche(const std::atomic<std::uint8_t>* stopp, double budget, const std::vector<int>* ohne, bool still)
        : stopp_(stopp), budget_(budget), ohne_(ohne), still_(still) {}

    TSuchErgebnis Lauf(TEngineZustand& e, int maxTiefe, int alpha, int beta);

private:
    struct TWurzel {
        int Wert = 0;
        int Stand = 0;
        bool Bewiesen = false; // no value of the depth limit went into it
        bool Exakt = false;    // a value, not a bound
    };

    TBitBrett b_;
    TBitBewertung bew_;
    const std::atomic<std::uint8_t>* stopp_;
    double budget_;
    const std::vector<int>* ohne_;
    bool still_;
    bool abgebrochen_ = false;
    bool zeitAus_ = false;
    std::int64_t knoten_ = 0;
    std::int64_t bewertungen_ = 0;
    std::int64_t horizont_ = 0; // nodes cut by the depth limit (or resting on such a result)
    int stand_ = 0;             // count of the line behind the last value returned, when proven
    int iterTiefe_ = 1;
    TArray<TArray<std::int8_t, 0, 1>, 0, MaxPly> killer_{};
    TArray<TArray<std::int32_t, 0, 63>, 0, 1> historie_{};
    TUhr::time_point start_ = TUhr::now();
    TUhr::time_point letzteInfo_ = start_;

    double Sekunden() const { return std::chrono::duration<double>(TUhr::now() - start_).count(); }
    std::uint64_t Schluessel(int& sym) const {
        return b_.SymHash(sym) ^ (b_.AmZug ? SeitenSchluessel : 0) ^
               (b_.LetzterZugPass() ? PassSchluessel : 0);
    }
    TBlattWert Blatt() {
        ++bewertungen_;
        return bew_.Blatt(b_);
    }
    int Ordne(TZugListe& zuege, TZugPunkte& punkte, int ttZug, int ply) const;
    int Suche(int tiefe, int ply, int alpha, int beta);
    int Ruhesuche(int ply, int qtiefe, int alpha, int beta, int standWert);
    int SucheKind(int bit, int tiefe, int ply, int alpha, int beta, bool erster);
    bool Taktisch(int bit) const;
    void Pruefen();
    void InfoAuffrischen();
    void Wurzel(const TZugListe& zuege, int i, int tiefe, int alpha, int beta, TWurzel& w);
};

void TSuche::Pruefen() {
    if (stopp_ && stopp_->load(std::memory_order_relaxed)) abgebrochen_ = true;
    const auto jetzt = TUhr::now();
    if (budget_ > 0 && std::chrono::duration<double>(jetzt - start_).count() > budget_) {
        abgebrochen_ = true;
        zeitAus_ = true;
    }
    if (jetzt - letzteInfo_ > std::chrono::milliseconds(50)) InfoAuffrischen();
}

void TSuche::InfoAuffrischen() {
    letzteInfo_ = TUhr::now();
    const double sek = Sekunden();
    std::lock_guard<std::mutex> sperre(infoMutex);
    info.Stellungen = knoten_;
    info.Zeit = ZeitAlsText(sek);
    info.ProSekunde = sek > 0 ? static_cast<std::int64_t>(static_cast<double>(knoten_) / sek) : 0;
}

// Candidate moves in the order worth trying: the remembered best move, captures, rescues of
// own chains in atari, killers, then by history. Left out: filling an own eye unless it rescues
// a chain in atari, points of the opponent's settled area, points of the own settled area that
// touch no dead stone, and on a symmetric board every move but one of each symmetric set.
// Returns the number of moves.
int TSuche::Ordne(TZugListe& zuege, TZugPunkte& punkte, int ttZug, int ply) const {
    const TBits ich = b_.Eigene(), du = b_.Fremde(), leer = b_.Leer();
    TKettenBits eigene, fremde;
    FindeKettenBits(ich, eigene);
    FindeKettenBits(du, fremde);
    TArray<std::int32_t, 0, 63> bonus{};
    TBits rettet = 0;
    for (int i = 0; i < fremde.Anzahl; ++i) {
        const TBits frei = Nachbarn(fremde.Kette[i]) & leer;
        if (Anzahl(frei) == 1) bonus[ErstesBit(frei)] += 1000000 + 1000 * Anzahl(fremde.Kette[i]);
    }
    for (int i = 0; i < eigene.Anzahl; ++i) {
        const TBits frei = Nachbarn(eigene.Kette[i]) & leer;
        if (Anzahl(frei) == 1) {
            bonus[ErstesBit(frei)] += 500000 + 1000 * Anzahl(eigene.Kette[i]);
            rettet |= frei;
        }
    }
    const TBits augen = leer & ~Nachbarn(AllePunkte & ~ich);
    TBits kandidaten = leer & ~(augen & ~rettet);
    if (Anzahl(ich | du) >= SicherAbSteinen) {
        const TSicher meins = SicheresGebiet(ich, du, eigene);
        const TSicher deins = SicheresGebiet(du, ich, fremde);
        kandidaten &= ~deins.Gebiet;
        kandidaten &= ~(meins.Gebiet & ~Nachbarn(du & meins.Gebiet));
    }
    // Symmetries that leave the board as it is; without a capture in the history two
    // symmetric moves are equally legal, so one of each set is enough.
    std::uint8_t sym = 0;
    if (!b_.JeGeschlagen())
        for (int s = 1; s < 8; ++s)
            if (b_.Hash(s) == b_.Hash(0)) sym |= static_cast<std::uint8_t>(1u << s);
    auto vertreter = [&](int p) {
        int m = p;
        for (int s = 1; s < 8; ++s)
            if (sym >> s & 1) m = std::min(m, SymBit(s, p));
        return m;
    };
    if (sym && ttZug >= 0) ttZug = vertreter(ttZug);
    int n = 0;
    zuege[n] = KeinBit;
    punkte[n] = ttZug == KeinBit ? 1999999999 : b_.LetzterZugPass() ? 2000000000 : -100000000;
    ++n;
    for (TBits k = kandidaten; k; k &= k - 1) {
        const int p = ErstesBit(k);
        if (sym && vertreter(p) != p) continue;
        int s = historie_[b_.AmZug][p] + bonus[p];
        if (p == killer_[ply][0])
            s += 400000;
        else if (p == killer_[ply][1])
            s += 300000;
        if (p == ttZug) s = 1999999999;
        zuege[n] = static_cast<std::int8_t>(p);
        punkte[n] = s;
        ++n;
    }
    return n;
}

// Plays bit (known legal), searches the child with a null window first unless it is the first
// move, and takes the move back.
int TSuche::SucheKind(int bit, int tiefe, int ply, int alpha, int beta, bool erster) {
    const int strafe = (bit < 0 && !b_.BeidePassen()) ? PassStrafe : 0;
    int v;
    if (erster) {
        v = -Suche(tiefe - 1, ply + 1, -(beta + strafe), -(alpha + strafe)) - strafe;
    } else {
        v = -Suche(tiefe - 1, ply + 1, -(alpha + strafe) - 1, -(alpha + strafe)) - strafe;
        if (v > alpha && v < beta && !abgebrochen_)
            v = -Suche(tiefe - 1, ply + 1, -(beta + strafe), -(alpha + strafe)) - strafe;
    }
    return v;
}

// Beyond the depth limit only captures are played, so that the evaluation does not stop in
// the middle of an exchange; the side to move may always stand on the static value.
int TSuche::Ruhesuche(int ply, int qtiefe, int alpha, int beta, int standWert) {
    int best = standWert;
    if (best >= beta || qtiefe >= MaxRuhetiefe || !b_.HatPlatz() || ply >= MaxPly) return best;
    if (best > alpha) alpha = best;
    const TBits leer = b_.Leer();
    TKettenBits fremde;
    FindeKettenBits(b_.Fremde(), fremde);
    TZugListe zuege;
    TZugPunkte punkte;
    int n = 0;
    for (int i = 0; i < fremde.Anzahl; ++i) {
        const TBits frei = Nachbarn(fremde.Kette[i]) & leer;
        if (Anzahl(frei) != 1) continue;
        const int p = ErstesBit(frei);
        int j = 0;
        while (j < n && zuege[j] != p)
            ++j;
        if (j == n) {
            zuege[n] = static_cast<std::int8_t>(p);
            punkte[n] = 0;
            ++n;
        }
        punkte[j] += Anzahl(fremde.Kette[i]);
    }
    for (int i = 0; i < n; ++i) {
        NaechsterBester(zuege, punkte, i, n);
        if (!b_.Ziehe(zuege[i])) continue;
        if ((++knoten_ & PruefIntervall) == 0) Pruefen();
        const TBlattWert w = Blatt();
        const int v = w.Exakt ? -w.Wert : -Ruhesuche(ply + 1, qtiefe + 1, -beta, -alpha, w.Wert);
        b_.Zurueck();
        if (abgebrochen_) return 0;
        if (v > best) best = v;
        if (v > alpha) alpha = v;
        if (alpha >= beta) break;
    }
    return best;
}

// The move just played captured, or left an adjacent chain of the opponent in atari.
bool TSuche::Taktisch(int bit) const {
    if (bit < 0) return false;
    if (b_.ZuletztGeschlagen()) return true;
    const TBits gegner = b_.Eigene(); // the side to move is the opponent of the one that moved
    const TBits leer = b_.Leer();
    for (TBits n = Nachbarn(Bit(bit)) & gegner; n; n &= n - 1)
        if (Anzahl(Nachbarn(Flut(gegner, n & (~n + 1))) & leer) == 1) return true;
    return false;
}

int TSuche::Suche(int tiefe, int ply, int alpha, int beta) {
    if ((++knoten_ & PruefIntervall) == 0) Pruefen();
    if (abgebrochen_) return 0;
    if (b_.BeidePassen()) {
        ++bewertungen_;
        const TBlattWert w = bew_.Ende(b_);
        stand_ = w.Stand;
        return w.Wert;
    }
    if (tiefe <= 0 || !b_.HatPlatz() || ply >= MaxPly) {
        const TBlattWert w = Blatt();
        stand_ = w.Stand;
        if (w.Exakt) return w.Wert;
        ++horizont_;
        return tiefe <= 0 ? Ruhesuche(ply, 0, alpha, beta, w.Wert) : w.Wert;
    }
    int sym = 0;
    const std::uint64_t schl = Schluessel(sym);
    TTEintrag& t = TT[static_cast<long>(schl & (TTGroesse - 1))];
    int ttZug = -2;
    if (t.Schluessel == schl && (t.Art & ArtMaske) != ArtLeer) {
        ttZug = SymBitZurueck(sym, t.Zug);
        const bool voll = (t.Art & Vollstaendig) != 0;
        if (voll || t.Tiefe >= std::min(tiefe, 127)) {
            const int art = t.Art & ArtMaske;
            const int w = t.Wert;
            if (art == ArtExakt || (art == ArtUnten && w >= beta) || (art == ArtOben && w <= alpha)) {
                if (!voll) ++horizont_;
                stand_ = t.Stand;
                return w;
            }
        }
    }
    const std::int64_t horizontVorher = horizont_;
    TZugListe zuege;
    TZugPunkte punkte;
    const int n = Ordne(zuege, punkte, ttZug, ply);
    const int alphaAnfang = alpha;
    int best = -Unendlich, bestZug = -2, bestStand = 0, gespielt = 0;
    for (int i = 0; i < n; ++i) {
        NaechsterBester(zuege, punkte, i, n);
        const int p = zuege[i];
        if (!b_.Ziehe(p)) continue;
        // Captures and ataris are read one move further, within a budget of extra plies per path.
        const bool taktisch = Taktisch(p);
        const int mehr =
            (ply + tiefe < iterTiefe_ + std::min(iterTiefe_, MaxVerlaengerung) && taktisch) ? 1 : 0;
        const int v = SucheKind(p, tiefe + mehr, ply, alpha, beta, gespielt == 0);
        b_.Zurueck();
        ++gespielt;
        if (abgebrochen_) return 0;
        if (v > best) {
            best = v;
            bestZug = p;
            bestStand = -stand_;
        }
        if (v > alpha) alpha = v;
        if (alpha >= beta) {
            if (p >= 0 && punkte[i] < 500000) {
                if (killer_[ply][0] != p) {
                    killer_[ply][1] = killer_[ply][0];
                    killer_[ply][0] = static_cast<std::int8_t>(p);
                }
                std::int32_t& h = historie_[b_.AmZug][p];
                h = std::min(h + tiefe * tiefe, 200000);
            }
            break;
        }
    }
    if (gespielt == 0) { // cannot happen while a pass is possible; value the board as it stands
        ++horizont_;
        const TBlattWert w = Blatt();
        stand_ = w.Stand;
        return w.Wert;
    }
    std::uint8_t art = best <= alphaAnfang ? ArtOben : best >= beta ? ArtUnten : ArtExakt;
    if (horizont_ == horizontVorher) art |= Vollstaendig;
    const std::uint8_t alter = static_cast<std::uint8_t>(ttAlter << 3);
    if (t.Schluessel != schl || (t.Art & 0xF8) != alter || t.Tiefe <= tiefe || (art & Vollstaendig)) {
        t.Schluessel = schl;
        t.Wert = best;
        t.Tiefe = static_cast<std::int8_t>(std::min(tiefe, 127));
        t.Zug = static_cast<std::int8_t>(SymBit(sym, bestZug));
        t.Art = static_cast<std::uint8_t>(art | alter);
        t.Stand = static_cast<std::int8_t>(std::clamp(bestStand, -49, 49));
    }
    stand_ = bestStand;
    return best;
}

// One root move at one depth; w keeps what the stop reasons need.
void TSuche::Wurzel(const TZugListe& zuege, int i, int tiefe, int alpha, int beta, TWurzel& w) {
    const int p = zuege[i];
    const std::int64_t hv = horizont_;
    b_.Ziehe(p);
    const int v = SucheKind(p, tiefe, 0, alpha, beta, i == 0 || alpha <= -Unendlich);
    b_.Zurueck();
    w.Wert = v;
    w.Stand = -stand_;
    w.Bewiesen = horizont_ == hv;
    w.Exakt = i == 0 || alpha <= -Unendlich || v > alpha;
}

TSuchErgebnis TSuche::Lauf(TEngineZustand& e, int maxTiefe, int alpha, int beta) {
    TSuchErgebnis erg;
    start_ = TUhr::now();
    ttAlter = static_cast<std::uint8_t>((ttAlter + 1) & 31);
    b_.Uebernehmen(e);
    bew_.Laden(Konstanten);
    const std::uint64_t hashVorher = b_.Hash();
    const int verlaufVorher = b_.Verlauf();

    // Root moves: legal ones only, ordered once by the node heuristics.
    TZugListe zuege;
    TZugPunkte punkte;
    int n = Ordne(zuege, punkte, -2, 0);
    {
        auto ausgelassen = [&](int bit) {
            return ohne_ && std::find(ohne_->begin(), ohne_->end(), FeldVonBit(bit)) != ohne_->end();
        };
        int k = 0, ohne = 0;
        for (int i = 0; i < n; ++i)
            if (e.IstErlaubt(FeldVonBit(zuege[i])) && b_.Erlaubt(zuege[i])) {
                // Left out moves wait at the end of the list and go when something else is legal.
                if (ausgelassen(zuege[i])) {
                    punkte[i] = -2000000000;
                    ++ohne;
                }
                zuege[k] = zuege[i];
                punkte[k] = punkte[i];
                ++k;
            }
        n = k;
        for (int i = 0; i < n; ++i)
            NaechsterBester(zuege, punkte, i, n);
        if (ohne < n) n -= ohne;
    }
    int bestBit = -2;
    if (n == 0)
        erg.Grund = "Stellung vollständig analysiert";
    else
        bestBit = zuege[0];
    TArray<TWurzel, 0, 63> wurzel{};
    double zeitVorher = 0, dauerVorher = 0;
    for (int tiefe = 1; n > 0 && tiefe <= maxTiefe; ++tiefe) {
        Pruefen();
        if (abgebrochen_) break;
        // A new depth costs a few times the last one; begin it only if it can end in time.
        const double jetzt = Sekunden();
        const double dauer = jetzt - zeitVorher;
        if (budget_ > 0 && tiefe > 2) {
            const double faktor = std::clamp(dauerVorher > 0.001 ? dauer / dauerVorher : 4.0, 2.0, 8.0);
            if (jetzt + dauer * faktor > budget_) break;
        }
        dauerVorher = dauer;
        zeitVorher = jetzt;
        horizont_ = 0;
        iterTiefe_ = tiefe;
        int a = alpha, best = -Unendlich, bestIndex = -1;
        for (int i = 0; i < n; ++i) {
            {
                std::lock_guard<std::mutex> sperre(infoMutex);
                info.AktuellerZug = FeldVonBit(zuege[i]);
            }
            Wurzel(zuege, i, tiefe, a, beta, wurzel[i]);
            if (abgebrochen_) break;
            const int v = wurzel[i].Wert;
            {
                std::lock_guard<std::mutex> sperre(infoMutex);
                info.AktuellerWert = v;
            }
            if (v > best) {
                best = v;
                bestIndex = i;
            }
            if (v > a) a = v;
            if (a >= beta) break;
        }
        if (abgebrochen_) {
            // A move that beat the old best one in the unfinished depth is the better guess.
            if (bestIndex > 0) {
                bestBit = zuege[bestIndex];
                erg.Wert = best;
            }
            break;
        }
        // The best move leads the next iteration; the others keep their order.
        for (int i = bestIndex; i > 0; --i) {
            std::swap(zuege[i], zuege[i - 1]);
            std::swap(wurzel[i], wurzel[i - 1]);
        }
        bestBit = zuege[0];
        erg.Bewiesen = wurzel[0].Bewiesen && wurzel[0].Exakt;
        erg.Wert = erg.Bewiesen ? Endwert(wurzel[0].Stand) : best;
        erg.Tiefe = tiefe;
        {
            std::lock_guard<std::mutex> sperre(infoMutex);
            info.Tiefe = tiefe;
            info.BesterZug = FeldVonBit(bestBit);
            info.BesterWert = erg.Wert;
        }
        InfoAuffrischen();
        if (!still_) Melde("Analysetiefe : " + std::to_string(tiefe), false);
        // Every other move lost: proven, and a proven bound is made a value first.
        bool andereVerlieren = n > 1;
        for (int i = 1; i < n && andereVerlieren; ++i) {
            TWurzel& w = wurzel[i];
            if (w.Bewiesen && !w.Exakt) Wurzel(zuege, i, tiefe, -Unendlich, Unendlich, w);
            andereVerlieren = !abgebrochen_ && w.Bewiesen && w.Exakt && w.Stand < 0;
        }
        if (abgebrochen_) break;
        if (andereVerlieren)
            erg.Grund = "alle anderen Züge verlieren";
        else if (horizont_ == 0)
            erg.Grund = "Stellung vollständig analysiert";
        else if (erg.Bewiesen && wurzel[0].Stand > 0)
            erg.Grund = "Gewinnzug gefunden";
        else if (tiefe == maxTiefe)
            erg.Grund = "maximale Analysetiefe erreicht";
        if (!erg.Grund.empty()) break;
    }
    if (abgebrochen_ && !zeitAus_) erg.Grund = "Abbruch durch Benutzer";
    if (erg.Grund.empty()) erg.Grund = "maximale Analysetiefe erreicht";
    erg.Feld = FeldVonBit(bestBit);
    if (bestBit == -2) erg.Feld = -2;
    // The board must be as it was, and the move one the engine board accepts.
    if (b_.Hash() != hashVorher || b_.Verlauf() != verlaufVorher ||
        (erg.Feld != -2 && !e.IstErlaubt(erg.Feld)))
        erg.Grund = "Das kann doch gar nicht sein???";
    erg.Stellungen = knoten_;
    erg.Bewertungen = bewertungen_;
    InfoAuffrischen();
    {
        std::lock_guard<std::mutex> sperre(infoMutex);
        info.Grund = erg.Grund;
        info.Laeuft = false;
    }
    if (!still_) Melde(erg.Grund, false);
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

void LeereTranspositionstabelle() {
    for (auto& t : TT)
        t = TTEintrag{};
}

TSuchErgebnis SucheZug(TEngineZustand& e, int maxTiefe, double alpha, double beta,
                       const std::atomic<std::uint8_t>* stopp, double budget, const std::vector<int>* ohne,
                       bool still) {
    {
        std::lock_guard<std::mutex> sperre(infoMutex);
        info.Laeuft = true;
        info.Grund.clear();
    }
    const int a = static_cast<int>(std::max(alpha, -static_cast<double>(Unendlich)));
    const int b = static_cast<int>(std::min(beta, static_cast<double>(Unendlich)));
    // The search object is large (its board with the history, killers, history table): keep
    // it off the caller's stack.
    auto suche = std::make_unique<TSuche>(stopp, budget, ohne, still);
    try {
        return suche->Lauf(e, std::max(1, maxTiefe), a, b);
    } catch (...) {
        {
            std::lock_guard<std::mutex> sperre(infoMutex);
            info.Laeuft = false;
        }
        throw;
    }
}
