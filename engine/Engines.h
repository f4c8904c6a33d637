#pragma once
// Engine objects, the registry with one engine per colour, and the search thread.
#include "engine/EngineEintraege.h"
#include "rules/ZugGen.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TThreadZugSuche;

class TEngine {
public:
    static constexpr std::int32_t MagicWert = 1464;

    std::int32_t Magic = 0;
    std::int32_t Level = 0;
    std::string Name; // at most 20 characters
    TZug ErgebnisZug = NochKeinZug;
    std::int32_t Wert = 0;
    TZaehler Knoten{};
    std::atomic<std::uint8_t> Stopp{0};
    std::atomic<TThreadZugSuche *> LaufenderThread{nullptr};

    virtual ~TEngine() = default;
    // Virtual operations in slot order.
    virtual std::string HoleName(); // first 8 characters; "Engine nicht initialisiert." box
    virtual bool SetzeLevel(int level);
    virtual bool SpielNeu() { return false; }
    virtual bool Ziehe(int feld) {
        (void)feld;
        return false;
    }
    virtual bool Zurueck() { return false; }
    virtual bool SetzeStein(int feld, int wert) {
        (void)feld;
        (void)wert;
        return false;
    }
    virtual bool Berechne(TZug &zug, std::int32_t &wert) {
        (void)zug;
        (void)wert;
        return false;
    }
};

class TEngineWrap : public TEngine {
public:
    explicit TEngineWrap(const TEngineEintraege &e);
    TEngineEintraege Eintraege;

    bool SetzeLevel(int level) override;
    bool SpielNeu() override;
    bool Ziehe(int feld) override;
    bool Zurueck() override;
    bool SetzeStein(int feld, int wert) override;
    bool Berechne(TZug &zug, std::int32_t &wert) override;
};

// How the search thread reaches the main thread. The Qt program implements it with queued
// calls; tests with a queue they pump themselves.
struct TSucheHost {
    virtual ~TSucheHost() = default;
    // Runs f on the main thread and waits until it has run.
    virtual void ImHauptthreadWarten(const std::function<void()> &f) = 0;
    // Runs f on the main thread later.
    virtual void ImHauptthreadSpaeter(std::function<void()> f) = 0;
    // Runs the calls queued so far (WarteAufSuche uses it while a search waits for a hand-over).
    virtual void Abarbeiten() {}
};
// Without a host the calls run directly on the calling thread.
void SetzeSucheHost(TSucheHost *host);

// Registry
extern std::vector<TEngine *> EngineListe;
extern TArray<TEngine *, 0, 1> EngineSlots; // indexed by the side-to-move byte: 1 black, 0 white

void RegistriereDefaultEngine(); // once at start-up; puts it into both slots
void EnginesFreigeben();         // at program end
// Another engine object joins the list (after those there) and the registry owns it; with the
// rules state of SetzeRegelnFuerSuche it is told the game in progress first. Into no slot.
TEngine *RegistriereEngine(std::unique_ptr<TEngine> e);
// Removes e from the list and destroys it (so an external program ends). A slot that held it
// gets the list's first engine with the slot's level. false while a search runs, and for the
// built-in engine or an engine the registry does not own.
bool EntferneEngine(TEngine *e);
int LevelVonSlot(int seite);
void SetzeLevelVonSlot(int seite, int level);
void EnginesAbhaengen();
void EnginesAnhaengen();
// The rules state whose candidates complete a computed move and whose game-over state
// stops a search from starting (the controller's rules state).
void SetzeRegelnFuerSuche(const TZugGenerator *regeln);
// Starts the search of e on a worker thread; ende runs on the main thread when it has ended.
void StarteSuche(TEngine *e, std::function<void()> ende);
// The same for a job that is no move of the game (the game analysis): it may run after the end.
void StarteAuftrag(TEngine *e, std::function<void()> ende);
bool SucheLaeuft();
// Waits until no search thread is left (shutdown, tests).
void WarteAufSuche();
// The thread-aware message: through the running search thread to the main thread, else
// directly to the message channel.
void ThreadMeldung(const std::string &text, int flag);
