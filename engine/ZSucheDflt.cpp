#include "engine/ZSucheDflt.h"

#include "engine/BasisBrett.h"
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
    std::int8_t Zug = -2;
    std::uint8_t Art = 0;
    std::uint8_t Alter = 0;
};
static_assert(sizeof(TTEintrag) == 16);

enum : std::uint8_t { ArtLeer = 0, ArtExakt = 1, ArtUnten = 2, ArtOben = 3, ArtMaske = 3, Vollstaendig = 4 };

// 16 MB, zero in the program image until the first search touches it.
TArray<TTEintrag, 0, TTGroesse - 1> TT;
std::uint8_t ttAlter = 0;

// The board hash ignores the side to move (repetition is positional); the table does not.
constexpr std::uint64_t SeitenSchluessel = 0x9AE16A3B2F90404Full;
constexpr std::uint64_t PassSchluessel = 0xC3A5C85C97CB3127ull;

constexpr int Unendlich = 1000000000;
// A pass that does not end the game gives away a tempo; without this the engine would pass
// whenever its moves look slightly worse than the opponent's.
constexpr int PassStrafe = 30;
constexpr int Nachbarn[4] = {-1, 1, -16, 16};
// Captures followed beyond the depth limit.
constexpr int MaxRuhetiefe = 8;
// Plies a path may grow by tactical extensions (at most the iteration depth).
constexpr int MaxVerlaengerung = 4;

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

using TZugListe = TArray<std::int16_t, 0, 63>;
using TZugPunkte = TArray<std::int32_t, 0, 63>;

// Selection sort one step at a time: after a cut the rest of the list is never sorted.
inline void NaechsterBester(TZugListe& zuege, TZugPunkte& punkte, int i, int n) {
    int m = i;
    for (int j = i + 1; j < n; ++j)
        if (punkte[j] > punkte[m]) m = j;
    std::swap(zuege[i], zuege[m]);
    std::swap(punkte[i], punkte[m]);
}

class TSuche {
public:
    TSuche(TEngineZustand& e, const std::atomic<std::uint8_t>* stopp) : e_(e), stopp_(stopp) {}

    TSuchErgebnis Lauf(int maxTiefe, int alpha, int beta);

private:
    TEngineZustand& e_;
    const std::atomic<std::uint8_t>* stopp_;
    bool abgebrochen_ = false;
    std::int64_t knoten_ = 0;
    std::int64_t bewertungen_ = 0;
    std::int64_t horizont_ = 0; // nodes cut by the depth limit (or resting on such a result)
    TArray<TArray<std::int16_t, 0, 1>, 0, MaxZugIndex> killer_{};
    TArray<TArray<std::int32_t, -1, LetzterPunkt>, 0, 1> historie_{};
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();

    std::uint64_t Schluessel() const {
        return e_.Hash ^ (e_.AmZug ? SeitenSchluessel : 0) ^ (e_.LetzterZugPass() ? PassSchluessel : 0);
    }
    int Statisch() {
        TKettenListe kl;
        FindeKetten(e_.Brett, kl);
        return Statisch(kl);
    }
    int Statisch(const TKettenListe& kl) {
        ++bewertungen_;
        double v = Bewertung(e_, kl, Konstanten);
        v = std::clamp(v, -static_cast<double>(EvalGrenze), static_cast<double>(EvalGrenze));
        return static_cast<int>(std::lround(v));
    }
    int EndwertInt() const { return static_cast<int>(e_.Endwert()); }
    int Ordne(TZugListe& zuege, TZugPunkte& punkte, int ttZug, int ply) const;
    int Suche(int tiefe, int ply, int alpha, int beta);
    int Ruhesuche(int ply, int qtiefe, int alpha, int beta);
    int SucheKind(int feld, int tiefe, int ply, int alpha, int beta, bool erster);
    bool Taktisch(int feld, int aktionenVorher) const;
    int iterTiefe_ = 1;
    void Pruefen();
    void InfoAuffrischen(bool alles);
};

void TSuche::Pruefen() {
    if (stopp_ && stopp_->load(std::memory_order_relaxed)) abgebrochen_ = true;
    InfoAuffrischen(false);
}

void TSuche::InfoAuffrischen(bool) {
    double sek = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    std::lock_guard<std::mutex> sperre(infoMutex);
    info.Stellungen = knoten_;
    info.Zeit = ZeitAlsText(sek);
    info.ProSekunde = sek > 0 ? static_cast<std::int64_t>(static_cast<double>(knoten_) / sek) : 0;
}

// Candidate moves in the order worth trying: the remembered best move, captures, rescues of
// own chains in atari, killers, then by history. Filling an own eye is left out unless it
// rescues a chain in atari. Returns the number of moves.
int TSuche::Ordne(TZugListe& zuege, TZugPunkte& punkte, int ttZug, int ply) const {
    TKettenListe kl;
    FindeKetten(e_.Brett, kl);
    const TFarbe eigene = e_.Mover();
    const int seite = e_.AmZug;
    int n = 0;
    for (int i = 1; i <= e_.Zuganzahl; ++i) {
        const int p = e_.Zugliste[i];
        int s;
        if (p < 0) {
            s = e_.LetzterZugPass() ? 2000000000 : -100000000;
        } else {
            s = historie_[seite][p];
            bool auge = true, rettet = false;
            for (int off : Nachbarn) {
                const int q = p + off;
                const TFarbe v = e_.Brett[q];
                if (v == Rand) continue;
                if (v == Leer) {
                    auge = false;
                    continue;
                }
                const TKette& k = kl.Ketten[kl.Marken[q]];
                if (v == eigene) {
                    if (k.Freiheiten == 1) {
                        s += 500000 + 1000 * k.Groesse;
                        rettet = true;
                    }
                } else {
                    auge = false;
                    if (k.Freiheiten == 1) s += 1000000 + 1000 * k.Groesse;
                }
            }
            if (auge && !rettet) continue;
            if (p == killer_[ply][0])
                s += 400000;
            else if (p == killer_[ply][1])
                s += 300000;
        }
        if (p == ttZug) s = 1999999999;
        zuege[n] = static_cast<std::int16_t>(p);
        punkte[n] = s;
        ++n;
    }
    return n;
}

// Plays feld (known legal), searches the child with a null window first unless it is the first
// move, and takes the move back.
int TSuche::SucheKind(int feld, int tiefe, int ply, int alpha, int beta, bool erster) {
    const int strafe = (feld < 0 && !e_.BeidePassen()) ? PassStrafe : 0;
    // The tempo only counts against values of the evaluation; a finished game keeps its score.
    auto wert = [&](int kind) { return -kind - (std::abs(kind) < GewinnWert ? strafe : 0); };
    int v;
    if (erster) {
        v = wert(Suche(tiefe - 1, ply + 1, -(beta + strafe), -(alpha + strafe)));
    } else {
        v = wert(Suche(tiefe - 1, ply + 1, -(alpha + strafe) - 1, -(alpha + strafe)));
        if (v > alpha && v < beta && !abgebrochen_)
            v = wert(Suche(tiefe - 1, ply + 1, -(beta + strafe), -(alpha + strafe)));
    }
    return v;
}

// Beyond the depth limit only captures are played, so that the evaluation does not stop in
// the middle of an exchange; the side to move may always stand on the static value.
int TSuche::Ruhesuche(int ply, int qtiefe, int alpha, int beta) {
    if (qtiefe > 0 && (++knoten_ & 2047) == 0) Pruefen();
    if (abgebrochen_) return 0;
    TKettenListe kl;
    FindeKetten(e_.Brett, kl);
    int best = Statisch(kl);
    if (best >= beta || qtiefe >= MaxRuhetiefe || !e_.HatPlatz() || ply >= MaxZugIndex) return best;
    if (best > alpha) alpha = best;
    const TFarbe gegner = Gegner(e_.Mover());
    TZugListe zuege;
    TZugPunkte punkte;
    int n = 0;
    for (int i = 0; i < kl.Anzahl; ++i) {
        const TKette& k = kl.Ketten[i];
        if (k.Freiheiten != 1 || e_.Brett[k.Punkt] != gegner) continue;
        int j = 0;
        while (j < n && zuege[j] != k.Freiheit)
            ++j;
        if (j == n) {
            zuege[n] = k.Freiheit;
            punkte[n] = 0;
            ++n;
        }
        punkte[j] += k.Groesse;
    }
    for (int i = 0; i < n; ++i) {
        NaechsterBester(zuege, punkte, i, n);
        if (!e_.ZieheWennErlaubt(zuege[i])) continue;
        const int v = -Ruhesuche(ply + 1, qtiefe + 1, -beta, -alpha);
        e_.Zuruecknehmen(true);
        if (abgebrochen_) return 0;
        if (v > best) best = v;
        if (v > alpha) alpha = v;
        if (alpha >= beta) break;
    }
    return best;
}

// The move just played captured, or left an adjacent chain of the opponent in atari.
bool TSuche::Taktisch(int feld, int aktionenVorher) const {
    if (feld < 0) return false;
    if (e_.AktionenAnzahl - aktionenVorher > 1) return true;
    const TFarbe gegner = e_.Mover(); // the opponent of the side that moved
    for (int off : Nachbarn)
        if (e_.Brett[feld + off] == gegner && e_.KettenFreiheiten(feld + off) == 1) return true;
    return false;
}

int TSuche::Suche(int tiefe, int ply, int alpha, int beta) {
    if ((++knoten_ & 2047) == 0) Pruefen();
    if (abgebrochen_) return 0;
    if (e_.BeidePassen()) return EndwertInt();
    if (!e_.HatPlatz() || ply >= MaxZugIndex) {
        ++horizont_;
        return Statisch();
    }
    if (tiefe <= 0) {
        ++horizont_;
        return Ruhesuche(ply, 0, alpha, beta);
    }
    const std::uint64_t schl = Schluessel();
    TTEintrag& t = TT[static_cast<long>(schl & (TTGroesse - 1))];
    int ttZug = -2;
    if (t.Schluessel == schl && (t.Art & ArtMaske) != ArtLeer) {
        ttZug = t.Zug;
        const bool voll = (t.Art & Vollstaendig) != 0;
        if (voll || t.Tiefe >= std::min(tiefe, 127)) {
            const int art = t.Art & ArtMaske;
            const int w = t.Wert;
            if (art == ArtExakt || (art == ArtUnten && w >= beta) || (art == ArtOben && w <= alpha)) {
                if (!voll) ++horizont_;
                return w;
            }
        }
    }
    const std::int64_t horizontVorher = horizont_;
    TZugListe zuege;
    TZugPunkte punkte;
    const int n = Ordne(zuege, punkte, ttZug, ply);
    const int alphaAnfang = alpha;
    int best = -Unendlich, bestZug = -2, gespielt = 0;
    for (int i = 0; i < n; ++i) {
        NaechsterBester(zuege, punkte, i, n);
        const int p = zuege[i];
        const int aktionenVorher = e_.AktionenAnzahl;
        if (!e_.ZieheWennErlaubt(p)) continue;
        // Captures and ataris are read one move further, within a budget of extra plies per path.
        const int mehr =
            (ply + tiefe < iterTiefe_ + std::min(iterTiefe_, MaxVerlaengerung) && Taktisch(p, aktionenVorher))
                ? 1
                : 0;
        const int v = SucheKind(p, tiefe + mehr, ply, alpha, beta, gespielt == 0);
        e_.Zuruecknehmen(true);
        ++gespielt;
        if (abgebrochen_) return 0;
        if (v > best) {
            best = v;
            bestZug = p;
        }
        if (v > alpha) alpha = v;
        if (alpha >= beta) {
            if (p >= 0 && punkte[i] < 500000) {
                if (killer_[ply][0] != p) {
                    killer_[ply][1] = killer_[ply][0];
                    killer_[ply][0] = static_cast<std::int16_t>(p);
                }
                std::int32_t& h = historie_[e_.AmZug][p];
                h = std::min(h + tiefe * tiefe, 200000);
            }
            break;
        }
    }
    if (gespielt == 0) { // cannot happen while a pass is possible; value the board as it stands
        ++horizont_;
        return Statisch();
    }
    std::uint8_t art = best <= alphaAnfang ? ArtOben : best >= beta ? ArtUnten : ArtExakt;
    if (horizont_ == horizontVorher) art |= Vollstaendig;
    if (t.Schluessel != schl || t.Alter != ttAlter || t.Tiefe <= tiefe || (art & Vollstaendig)) {
        t.Schluessel = schl;
        t.Wert = best;
        t.Tiefe = static_cast<std::int8_t>(std::min(tiefe, 127));
        t.Zug = static_cast<std::int8_t>(bestZug);
        t.Art = art;
        t.Alter = ttAlter;
    }
    return best;
}

TSuchErgebnis TSuche::Lauf(int maxTiefe, int alpha, int beta) {
    TSuchErgebnis erg;
    start_ = std::chrono::steady_clock::now();
    ++ttAlter;
    const std::uint64_t hashVorher = e_.Hash;
    const int zugnummerVorher = e_.Zugnummer;
    const int aktionenVorher = e_.AktionenAnzahl;

    // Root moves: legal ones only, ordered once by the node heuristics.
    TZugListe zuege;
    TZugPunkte punkte;
    int n = Ordne(zuege, punkte, -2, 0);
    {
        int k = 0;
        for (int i = 0; i < n; ++i)
            if (e_.IstErlaubt(zuege[i])) {
                zuege[k] = zuege[i];
                punkte[k] = punkte[i];
                ++k;
            }
        n = k;
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j)
                if (punkte[j] > punkte[i]) {
                    std::swap(zuege[i], zuege[j]);
                    std::swap(punkte[i], punkte[j]);
                }
    }
    if (n == 0) {
        erg.Grund = "Stellung vollständig analysiert";
    } else {
        erg.Feld = zuege[0];
    }
    TZugPunkte werte;
    for (int tiefe = 1; n > 0 && tiefe <= maxTiefe; ++tiefe) {
        Pruefen();
        if (abgebrochen_) break;
        horizont_ = 0;
        iterTiefe_ = tiefe;
        int a = alpha, best = -Unendlich, bestIndex = -1;
        for (int i = 0; i < n; ++i) {
            const int p = zuege[i];
            {
                std::lock_guard<std::mutex> sperre(infoMutex);
                info.AktuellerZug = p;
            }
            e_.Ziehe(p);
            const int v = SucheKind(p, tiefe, 0, a, beta, i == 0);
            e_.Zuruecknehmen(true);
            if (abgebrochen_) break;
            werte[i] = v;
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
        if (abgebrochen_) break;
        // The best move leads the next iteration; the others keep their order.
        for (int i = bestIndex; i > 0; --i) {
            std::swap(zuege[i], zuege[i - 1]);
            std::swap(werte[i], werte[i - 1]);
        }
        erg.Feld = zuege[0];
        erg.Wert = best;
        erg.Tiefe = tiefe;
        {
            std::lock_guard<std::mutex> sperre(infoMutex);
            info.Tiefe = tiefe;
            info.BesterZug = erg.Feld;
            info.BesterWert = best;
        }
        InfoAuffrischen(true);
        Melde("Analysetiefe : " + std::to_string(tiefe), false);
        bool andereVerlieren = n > 1;
        for (int i = 1; i < n; ++i)
            if (werte[i] > -GewinnWert) andereVerlieren = false;
        if (horizont_ == 0)
            erg.Grund = "Stellung vollständig analysiert";
        else if (best >= GewinnWert)
            erg.Grund = "Gewinnzug gefunden";
        else if (andereVerlieren)
            erg.Grund = "alle anderen Züge verlieren";
        else if (tiefe == maxTiefe)
            erg.Grund = "maximale Analysetiefe erreicht";
        if (!erg.Grund.empty()) break;
    }
    if (abgebrochen_) erg.Grund = "Abbruch durch Benutzer";
    if (erg.Grund.empty()) erg.Grund = "maximale Analysetiefe erreicht";
    // The board must be as it was, and the move one it accepts.
    if (e_.Hash != hashVorher || e_.Zugnummer != zugnummerVorher || e_.AktionenAnzahl != aktionenVorher ||
        (erg.Feld != -2 && !e_.IstErlaubt(erg.Feld)))
        erg.Grund = "Das kann doch gar nicht sein???";
    erg.Stellungen = knoten_;
    erg.Bewertungen = bewertungen_;
    InfoAuffrischen(true);
    {
        std::lock_guard<std::mutex> sperre(infoMutex);
        info.Grund = erg.Grund;
        info.Laeuft = false;
    }
    Melde(erg.Grund, false);
    return erg;
}

} // namespace

TSuchInfo HoleSuchInfo() {
    std::lock_guard<std::mutex> sperre(infoMutex);
    return info;
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
                       const std::atomic<std::uint8_t>* stopp) {
    {
        std::lock_guard<std::mutex> sperre(infoMutex);
        info.Laeuft = true;
        info.Grund.clear();
    }
    const int a = static_cast<int>(std::max(alpha, -static_cast<double>(Unendlich)));
    const int b = static_cast<int>(std::min(beta, static_cast<double>(Unendlich)));
    // The search object is large (killers, history): keep it off the caller's stack.
    auto suche = std::make_unique<TSuche>(e, stopp);
    // An exception deep in the search would leave the moves of its path on the board; the
    // caller reports it, and the engine must still know the game.
    auto sicherung = std::make_unique<TEngineZustand>(e);
    try {
        return suche->Lauf(std::max(1, maxTiefe), a, b);
    } catch (...) {
        e = *sicherung;
        {
            std::lock_guard<std::mutex> sperre(infoMutex);
            info.Laeuft = false;
        }
        throw;
    }
}
