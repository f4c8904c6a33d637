#pragma once
// An engine object that drives an external GTP program. It follows the game on a rules state of
// its own (main thread, no waiting) and brings the program in step only when it is to move, on
// the search thread: boardsize 7, clear_board, komi 0, the set-up through loadsgf, the moves with
// play, take-backs with undo (or a replay where undo is refused), the level where the program
// knows a command for it, then genmove.
#include "engine/Engines.h"
#include "gtp/GtpKlient.h"

#include <map>
#include <mutex>
#include <optional>

class TGtpEngine : public TEngine {
public:
    TGtpEngine(const std::string& name, std::string befehlszeile, TProzessFabrik fabrik);
    ~TGtpEngine() override;

    bool SetzeLevel(int level) override; // stored; sent before the next move
    bool SpielNeu() override;
    bool Ziehe(int feld) override;
    bool Zurueck() override;
    bool SetzeStein(int feld, int wert) override;
    // On the search thread. A failure (no start, an error, garbage or an illegal move, no answer
    // in time, a crash) is reported naming the engine, ends the process and sets the stop flag,
    // so the move stays with the user; "resign" answers false with the flag clear: the computer
    // resigns.
    bool Berechne(TZug& zug, std::int32_t& wert) override;

    // Ends the process; the next compute starts it again.
    void Beende();
    // False after a failure until the process has been started again; Stoerung says why.
    bool Verfuegbar() const;
    std::string Stoerung() const;
    // The process id while the program runs, else 0.
    std::int64_t Kennung() const;

    const std::string Befehlszeile;
    std::chrono::milliseconds FristZug{std::chrono::seconds(60)};
    std::chrono::milliseconds FristBefehl{std::chrono::seconds(20)};

private:
    struct TStand {
        bool Bekannt = false; // false: the program's board is unknown, it starts from clear_board
        TBrett Start{};
        int StartSeite = 1;
        std::vector<int> Zuege;
    };
    bool Gestartet();
    bool InSchritt();
    bool Zuruecksetzen(const TBrett& start, int startSeite);
    bool LevelSenden();
    // Sends and checks the answer; nullptr after a cancel or a reported failure. With
    // fehlerErlaubt a "?" answer comes back instead of counting as a failure.
    const TGtpAntwort* Frage(const std::string& befehl, std::chrono::milliseconds frist,
                             bool fehlerErlaubt = false);
    // "known_command": true, false, or nullopt after a cancel or a reported failure.
    std::optional<bool> Kennt(const std::string& kommando);
    bool Fehlschlag(const std::string& was);
    // A refusal that leaves the program running: the message, and the move stays with the user.
    bool Aussetzen(const std::string& text);
    std::string Wer() const;
    void InfoZeit();
    double Sekunden() const; // since the compute began

    TZugGenerator Spiegel; // the game as the controller has told it
    TStand Gesendet;       // what the program has been told
    TGtpKlient Klient;
    TGtpAntwort Letzte;
    int GesendeterLevel = 0;
    std::map<std::string, bool> Bekannt; // answers of known_command while the process runs
    std::string EndGrund;                // why the last compute ended without a move
    TUhr::time_point SucheStart;
    mutable std::mutex StoerungMutex;
    std::string StoerungText;
};
