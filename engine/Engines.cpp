#include "engine/Engines.h"

#include "engine/engineDefault.h"
#include "support/StringsV5.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>


// ---------------------------------------------------------------------------------------------
// TEngine, TEngineWrap

std::string TEngine::HoleName() {
    if (Magic != MagicWert) {
        Meldung("Engine nicht initialisiert.", true);
        return "";
    }
    return KuerzeText(Name, 8);
}

bool TEngine::SetzeLevel(int level) {
    Level = level;
    return true;
}

static const TZugGenerator *RegelnFuerSuche = nullptr;

void SetzeRegelnFuerSuche(const TZugGenerator *regeln) { RegelnFuerSuche = regeln; }

TEngineWrap::TEngineWrap(const TEngineEintraege &e) : Eintraege(e) {}

bool TEngineWrap::SetzeLevel(int level) {
    Level = level;
    if (!Eintraege.SetzeLevel) return false;
    return Eintraege.SetzeLevel(1, level);
}

bool TEngineWrap::SpielNeu() { return Eintraege.SpielNeu ? Eintraege.SpielNeu() : false; }
bool TEngineWrap::Ziehe(int feld) { return Eintraege.Ziehe ? Eintraege.Ziehe(feld) : false; }
bool TEngineWrap::Zurueck() { return Eintraege.Zurueck ? Eintraege.Zurueck() : false; }
bool TEngineWrap::SetzeStein(int feld, int wert) {
    return Eintraege.SetzeStein ? Eintraege.SetzeStein(feld, wert) : false;
}

bool TEngineWrap::Berechne(TZug &zug, std::int32_t &wert) {
    zug = NochKeinZug;
    wert = 0;
    Knoten[0] = 0;
    Knoten[1] = 0;
    if (!Eintraege.Berechne) return false;
    int feld = -2;
    int w = wert;
    bool ok = Eintraege.Berechne(feld, w, Knoten, &Stopp);
    wert = w;
    if (!ok) return false;
    TZug z{};
    z.Feld = static_cast<std::int8_t>(Bereich<-128, 127>(Bereich<BrettVon, BrettBis>(feld)));
    if (RegelnFuerSuche)
        RegelnFuerSuche->ZugZuFeld(z);
    else if (z.Feld < 0)
        z = Passzug();
    zug = z;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Search thread

class TThreadZugSuche {
public:
    TThreadZugSuche(TEngine *e, std::function<void()> ende) : E(e), Ende(std::move(ende)) {}
    void Ausfuehren();

    TEngine *E;
    std::function<void()> Ende;
    std::thread Faden;
};

namespace {
TSucheHost *Host = nullptr;

// The thread whose search runs now (at most one); cleared before its end notification.
std::atomic<TThreadZugSuche *> Aktuell{nullptr};
// Every started thread until it has been joined.
std::mutex ThreadsMutex;
std::vector<std::unique_ptr<TThreadZugSuche>> Threads;
// At program end no std::thread may be left joinable. A search still running then may be
// waiting for a main thread that no longer pumps: it is let go instead of waited for.
struct TThreadsAufraeumen {
    ~TThreadsAufraeumen() {
        std::vector<std::unique_ptr<TThreadZugSuche>> alle;
        {
            std::lock_guard<std::mutex> lock(ThreadsMutex);
            alle.swap(Threads);
        }
        TThreadZugSuche *laufend = Aktuell.load();
        if (laufend) laufend->E->Stopp = 1;
        for (auto &t : alle) {
            if (!t->Faden.joinable()) continue;
            if (t.get() == laufend) {
                t->Faden.detach();
                (void)t.release(); // the detached thread still uses its object
            } else {
                t->Faden.join();
            }
        }
    }
};
// Set on a search thread for its lifetime, so messages know where they come from.
thread_local TThreadZugSuche *DieserThread = nullptr;
// Without a host the search thread writes to the channel itself; one at a time.
std::mutex MeldeMutex;

std::vector<std::unique_ptr<TEngine>> EigeneEngines;
TEngine *DefaultEngine = nullptr;
std::vector<TEngine *> GespeicherteListe;
TArray<TEngine *, 0, 1> GespeicherteSlots{};
bool Abgehaengt = false;

void ImHauptthreadSpaeter(std::function<void()> f) {
    if (Host)
        Host->ImHauptthreadSpaeter(std::move(f));
    else if (f)
        f();
}

void ThreadAusgabe(const std::string &text, bool zeigen) { ThreadMeldung(text, zeigen ? 1 : 0); }

void MeldeProcThread(const char *text, int flag) { ThreadMeldung(text ? text : "", flag); }

void AusgabeInstallieren() { SetzeThreadAusgabe(ThreadAusgabe); }

// Joins every finished thread except the calling one (a notification run without a host
// executes on the search thread itself).
void BeendeteEinsammeln() {
    std::vector<std::unique_ptr<TThreadZugSuche>> fertig;
    {
        std::lock_guard<std::mutex> lock(ThreadsMutex);
        TThreadZugSuche *laufend = Aktuell.load();
        for (auto it = Threads.begin(); it != Threads.end();) {
            if (it->get() != laufend && it->get() != DieserThread) {
                fertig.push_back(std::move(*it));
                it = Threads.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (auto &t : fertig)
        if (t->Faden.joinable()) t->Faden.join();
}
} // namespace

void TThreadZugSuche::Ausfuehren() {
    DieserThread = this;
    E->LaufenderThread = this;
    try {
        E->Berechne(E->ErgebnisZug, E->Wert);
    } catch (...) {
        // Nothing may leave a thread's body: that would end the program.
        try {
            ThreadMeldung("Zugsuche abgebrochen wegen Ausnahme.", 1);
        } catch (...) {
        }
    }
    // Cleared before the notification, so the notification may start the next search.
    E->LaufenderThread = nullptr;
    Aktuell = nullptr;
    try {
        std::function<void()> ende = std::move(Ende);
        ImHauptthreadSpaeter(std::move(ende));
    } catch (...) {
    }
}

void SetzeSucheHost(TSucheHost *host) { Host = host; }

bool SucheLaeuft() { return Aktuell.load() != nullptr; }

void StarteSuche(TEngine *e, std::function<void()> ende) {
    if (RegelnFuerSuche && RegelnFuerSuche->BeidePassen()) return;
    StarteAuftrag(e, std::move(ende));
}

void StarteAuftrag(TEngine *e, std::function<void()> ende) {
    if (!e) return;
    AusgabeInstallieren();
    // Checked before the engine is touched: the running search may be this engine's.
    if (TThreadZugSuche *t = Aktuell.load()) {
        Meldung("Es läuft gerade eine Berechnung von engine " + KuerzeText(t->E->Name, 63) +
                    ". Erst wenn diese Berechnung beendet ist, " + "kann ein weiterer Zug berechnet werden.",
                true);
        return;
    }
    e->ErgebnisZug = NochKeinZug;
    e->Wert = 0;
    e->Knoten[0] = -1;
    e->Knoten[1] = -1;
    e->Stopp = 0;
    BeendeteEinsammeln();
    auto t = std::make_unique<TThreadZugSuche>(e, std::move(ende));
    TThreadZugSuche *roh = t.get();
    std::lock_guard<std::mutex> lock(ThreadsMutex);
    Aktuell = roh;
    Threads.push_back(std::move(t));
    roh->Faden = std::thread([roh] { roh->Ausfuehren(); });
}

void WarteAufSuche() {
    // A search waiting for a message hand-over needs the main thread's queue to move on.
    while (TThreadZugSuche *t = Aktuell.load()) {
        if (t == DieserThread) break;
        if (Host) Host->Abarbeiten();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    BeendeteEinsammeln();
}

void ThreadMeldung(const std::string &text, int flag) {
    if (DieserThread != nullptr && DieserThread == Aktuell.load()) {
        if (Host) {
            Host->ImHauptthreadWarten([&text, flag] { Meldung(text, flag != 0); });
        } else {
            std::lock_guard<std::mutex> lock(MeldeMutex);
            Meldung(text, flag != 0);
        }
        return;
    }
    Meldung(text, flag != 0);
}

// ---------------------------------------------------------------------------------------------
// Registry

std::vector<TEngine *> EngineListe;
TArray<TEngine *, 0, 1> EngineSlots{};

void RegistriereDefaultEngine() {
    if (DefaultEngine) return; // one engine board behind it: a second object would fall out of step
    AusgabeInstallieren();
    const TEngineEintraege &ein = DefaultEintraege();
    auto e = std::make_unique<TEngineWrap>(ein);
    e->Name = KuerzeText(ein.Name ? ein.Name() : "", 20);
    e->Magic = TEngine::MagicWert;
    if (ein.SetzeMeldeProc) ein.SetzeMeldeProc(MeldeProcThread);
    DefaultEngine = e.get();
    EngineListe.push_back(e.get());
    EngineSlots[0] = e.get();
    EngineSlots[1] = e.get();
    EigeneEngines.push_back(std::move(e));
}

void EnginesFreigeben() {
    if (TThreadZugSuche *t = Aktuell.load()) t->E->Stopp = 1;
    WarteAufSuche();
    EngineListe.clear();
    GespeicherteListe.clear();
    EngineSlots.Fuelle(nullptr);
    GespeicherteSlots.Fuelle(nullptr);
    Abgehaengt = false;
    DefaultEngine = nullptr;
    EigeneEngines.clear();
}

namespace {
// Tells e the game of the rules state: its start (set up stone by stone, as the controller does)
// and every move since.
void SpielNachspielen(TEngine *e, const TZugGenerator &r) {
    e->SpielNeu();
    const TBrett &start = r.Stellungen.front();
    const int startSeite = r.AmZug ^ ((r.Zugnummer - 1) & 1);
    if (startSeite != 1 || !GleichesBrett(start, Startbrett)) {
        if (startSeite == 0) e->Ziehe(-1);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 7; ++x)
                e->SetzeStein(Punkt(x, y), start[Punkt(x, y)]);
    }
    for (int i = 1; i < r.Zugnummer; ++i)
        e->Ziehe(r.Zugfolge[i].Feld);
}
} // namespace

TEngine *RegistriereEngine(std::unique_ptr<TEngine> e) {
    if (!e) return nullptr;
    if (RegelnFuerSuche) SpielNachspielen(e.get(), *RegelnFuerSuche);
    TEngine *roh = e.get();
    (Abgehaengt ? GespeicherteListe : EngineListe).push_back(roh);
    EigeneEngines.push_back(std::move(e));
    return roh;
}

bool EntferneEngine(TEngine *e) {
    if (!e || e == DefaultEngine || SucheLaeuft()) return false;
    const auto eigen = std::find_if(EigeneEngines.begin(), EigeneEngines.end(),
                                    [e](const std::unique_ptr<TEngine> &p) { return p.get() == e; });
    if (eigen == EigeneEngines.end()) return false;
    for (std::vector<TEngine *> *liste : {&EngineListe, &GespeicherteListe})
        liste->erase(std::remove(liste->begin(), liste->end(), e), liste->end());
    // A slot it held goes to the first engine of its list, which keeps the slot's level.
    const auto ersetzen = [e](TArray<TEngine *, 0, 1> &slots, const std::vector<TEngine *> &liste) {
        for (int s = 0; s <= 1; ++s) {
            if (slots[s] != e) continue;
            slots[s] = liste.empty() ? nullptr : liste.front();
            if (slots[s]) slots[s]->SetzeLevel(e->Level);
        }
    };
    ersetzen(EngineSlots, EngineListe);
    ersetzen(GespeicherteSlots, GespeicherteListe);
    BeendeteEinsammeln(); // no finished thread may still point to it
    EigeneEngines.erase(eigen);
    return true;
}

int LevelVonSlot(int seite) {
    TEngine *e = EngineSlots[seite];
    return e ? e->Level : 0;
}

void SetzeLevelVonSlot(int seite, int level) {
    if (TEngine *e = EngineSlots[seite]) e->SetzeLevel(level);
}

void EnginesAbhaengen() {
    if (Abgehaengt) return; // a second detach would lose the saved list
    GespeicherteListe = EngineListe;
    EngineListe.clear();
    GespeicherteSlots = EngineSlots;
    EngineSlots.Fuelle(nullptr);
    Abgehaengt = true;
}

void EnginesAnhaengen() {
    if (!Abgehaengt) return;
    EngineListe = GespeicherteListe;
    GespeicherteListe.clear();
    EngineSlots = GespeicherteSlots;
    GespeicherteSlots.Fuelle(nullptr);
    Abgehaengt = false;
}

namespace {
// Last of the file's objects, so it goes first at program end, while the engines still exist.
TThreadsAufraeumen ThreadsAufraeumenBeimEnde;
} // namespace
