#include "record/Analyse.h"

#include "engine/engineDefault.h"
#include "record/TPAcht.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

TPartieLinie AktuelleLinie() {
    TPartieLinie l;
    l.Start = Startstellung();
    for (int i = 1; i < Regeln.Zugnummer; ++i)
        l.Zuege.push_back(Regeln.Zugfolge[i]);
    l.Aktuell = l.Zuege.size();
    const std::size_t platz = static_cast<std::size_t>(MaxHalbzuege) - l.Zuege.size();
    for (const TZug& z : Fortsetzung(Baum, platz))
        l.Zuege.push_back(z);
    return l;
}

std::size_t GemeinsameStellungen(const TPartieLinie& a, const TPartieLinie& b) {
    if ((a.Start.Halbzug & 1) != (b.Start.Halbzug & 1) || !GleichesBrett(a.Start.Brett, b.Start.Brett))
        return 0;
    std::size_t n = 0;
    // After the same start and the same points before, the same point is the same move.
    while (n < a.Zuege.size() && n < b.Zuege.size() && a.Zuege[n].Feld == b.Zuege[n].Feld)
        ++n;
    return n + 1;
}

bool GleicheStellung(const TPartieLinie& a, const TPartieLinie& b) {
    return a.Aktuell == b.Aktuell && GemeinsameStellungen(a, b) > a.Aktuell;
}

int SeiteAmZug(const TPartieLinie& l, std::size_t n) {
    return static_cast<int>((static_cast<std::size_t>(l.Start.Halbzug & 1) ^ (n & 1)) & 1);
}

TStellungsWerte WerteUebertragen(const TPartieLinie& alt, const TStellungsWerte& werte,
                                 const TPartieLinie& neu) {
    TStellungsWerte w(neu.Zuege.size() + 1);
    const std::size_t gemeinsam = std::min(GemeinsameStellungen(alt, neu), werte.size());
    std::copy(werte.begin(), werte.begin() + static_cast<std::ptrdiff_t>(gemeinsam), w.begin());
    return w;
}

void WerteErgaenzen(TStellungsWerte& werte, const TPartieLinie& linie, const TPartieLinie& von,
                    const TStellungsWerte& gefunden) {
    werte.resize(linie.Zuege.size() + 1);
    const TStellungsWerte dazu = WerteUebertragen(von, gefunden, linie);
    for (std::size_t n = 0; n < werte.size(); ++n)
        if (dazu[n]) werte[n] = dazu[n];
}

std::vector<std::size_t> OhneWert(const TStellungsWerte& werte) {
    std::vector<std::size_t> n;
    for (std::size_t i = 0; i < werte.size(); ++i)
        if (!werte[i]) n.push_back(i);
    return n;
}

double MargeFuerSchwarz(double marge, int amZug) { return amZug == 1 ? marge : -marge; }

double ZugVerlust(double margeVorher, double margeDanachGegner, bool besterZug) {
    if (besterZug) return 0;
    return std::max(0.0, margeVorher + margeDanachGegner);
}

std::vector<std::optional<double>> MargenSchwarz(const TPartieLinie& l, const TStellungsWerte& werte) {
    std::vector<std::optional<double>> m(l.Zuege.size() + 1);
    for (std::size_t n = 0; n < m.size() && n < werte.size(); ++n)
        if (werte[n]) m[n] = MargeFuerSchwarz(werte[n]->Marge, SeiteAmZug(l, n));
    return m;
}

std::vector<THalbzugWert> HalbzugWerte(const TPartieLinie& l, const TStellungsWerte& werte) {
    const auto margen = MargenSchwarz(l, werte);
    std::vector<THalbzugWert> h;
    for (std::size_t n = 1; n <= l.Zuege.size(); ++n) {
        THalbzugWert z;
        z.Nummer = n;
        z.Zug = l.Zuege[n - 1];
        z.Seite = SeiteAmZug(l, n - 1);
        z.MargeSchwarz = margen[n];
        const auto& vorher = n - 1 < werte.size() ? werte[n - 1] : std::nullopt;
        const auto& danach = n < werte.size() ? werte[n] : std::nullopt;
        if (vorher && danach)
            z.Verlust = ZugVerlust(vorher->Marge, danach->Marge, vorher->Feld == z.Zug.Feld);
        h.push_back(z);
    }
    return h;
}

std::size_t StellungBeiX(double x, std::size_t zuege) {
    if (!(x > 0)) return 0; // also NaN
    return std::min(zuege, static_cast<std::size_t>(std::lround(std::min(x, double(zuege)))));
}

std::vector<THalbzugWert> GrobeFehler(const std::vector<THalbzugWert>& zuege, double grenze) {
    std::vector<THalbzugWert> f;
    for (const THalbzugWert& z : zuege)
        if (z.Verlust && *z.Verlust >= grenze) f.push_back(z);
    return f;
}

namespace {
// One decimal; what rounds to zero is written without a minus sign.
std::string Zehntel(double v, bool vorzeichen) {
    double r = std::round(v * 10) / 10;
    if (r == 0) r = 0;
    char puffer[32];
    std::snprintf(puffer, sizeof puffer, vorzeichen ? "%+.1f" : "%.1f", r);
    return puffer;
}
} // namespace

std::string HalbzugText(const THalbzugWert& h) {
    std::string s =
        std::to_string(h.Nummer) + " " + (IstPass(h.Zug) ? std::string("pass") : Feldname(h.Zug.Feld));
    s += " " + (h.MargeSchwarz ? Zehntel(*h.MargeSchwarz, true) : std::string("?"));
    s += " " + (h.Verlust ? Zehntel(*h.Verlust, false) : std::string("?"));
    return s;
}

double TippSekunden(int level) {
    const double budget = ZeitBudget(std::clamp(level, 1, 999));
    return budget > 0 ? budget : ZeitBudget(8);
}

double AnalyseSekunden(int level) { return std::min(TippSekunden(level), TippSekunden(4)); }

int AnalyseLevel() {
    for (TEngine* e : EngineListe)
        if (dynamic_cast<TEngineWrap*>(e)) return e->Level;
    return 4;
}

// ---------------------------------------------------------------------------------------------

TAnalyseAuftrag::TAnalyseAuftrag(const std::string& name) {
    Magic = MagicWert;
    Name = name;
}

void TAnalyseAuftrag::Vorbereiten(const TPartieLinie& linie, std::vector<std::size_t> stellungen,
                                  double sekunden) {
    DieLinie = linie;
    std::sort(stellungen.begin(), stellungen.end());
    stellungen.erase(std::unique(stellungen.begin(), stellungen.end()), stellungen.end());
    while (!stellungen.empty() && stellungen.back() > linie.Zuege.size())
        stellungen.pop_back();
    Stellungen = std::move(stellungen);
    Sekunden = sekunden;
    Erledigt = 0;
    std::lock_guard<std::mutex> sperre(WerteMutex);
    Gefunden.assign(linie.Zuege.size() + 1, std::nullopt);
}

bool TAnalyseAuftrag::Berechne(TZug& zug, std::int32_t& wert) {
    zug = NochKeinZug;
    wert = 0;
    Knoten[0] = 0;
    Knoten[1] = 0;
    // The start as the controller gives it to an engine: a pass hands the move to white, the
    // stones then begin the history anew.
    auto e = std::make_unique<TEngineZustand>();
    e->Neustart();
    const TStellung& start = DieLinie.Start;
    if ((start.Halbzug & 1) == 0 || !GleichesBrett(start.Brett, Startbrett)) {
        if ((start.Halbzug & 1) == 0) e->ZieheWennErlaubt(-1);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 7; ++x)
                e->SetzeStein(Punkt(x, y), start.Brett[Punkt(x, y)]);
    }
    std::size_t bei = 0;
    for (const std::size_t n : Stellungen) {
        for (; bei < n; ++bei)
            if (!e->ZieheWennErlaubt(DieLinie.Zuege[bei].Feld)) return false;
        if (Stopp) break;
        const TStellungsSchaetzung s = SchaetzeStellung(*e, Sekunden, &Stopp);
        if (Stopp) break;                 // a search cut short is no value
        if (s.Feld != -2 || s.Bewiesen) { // else nothing was searched (no evaluation)
            std::lock_guard<std::mutex> sperre(WerteMutex);
            Gefunden[n] = s;
        }
        ++Erledigt;
    }
    return true;
}

TStellungsWerte TAnalyseAuftrag::Werte() const {
    std::lock_guard<std::mutex> sperre(WerteMutex);
    return Gefunden;
}
