#pragma once
// The client side of the Go Text Protocol: commands with ids to an engine process, its answers
// read with a deadline and a stop flag.
#include "gtp/Prozess.h"

struct TGtpAntwort {
    enum TArt {
        Erfolg,      // "= text"
        Fehler,      // "? text"
        Frist,       // no answer before the deadline
        Abgebrochen, // the stop flag ended the wait
        Beendet,     // the process has ended (or could not take the command)
    };
    TArt Art = Beendet;
    std::string Text; // the answer without "=id"; the lines of a longer answer joined by '\n'
    bool Ok() const { return Art == Erfolg; }
};

class TGtpKlient {
public:
    explicit TGtpKlient(TProzessFabrik fabrik) : Fabrik(std::move(fabrik)) {}
    ~TGtpKlient() { Beende(); }

    // Starts the command line (a running process is ended first). false with a German reason.
    bool Starte(const std::string& befehlszeile, std::string& fehler);
    bool Laeuft() const;
    void Beende();

    // Sends the command and waits for its answer. warten (may be empty) is called about five
    // times a second while the answer is awaited. After Frist or Abgebrochen the answer may
    // still come: it is skipped when the next command reads.
    TGtpAntwort Befehl(const std::string& befehl, std::chrono::milliseconds frist,
                       const std::atomic<std::uint8_t>* stopp = nullptr,
                       const std::function<void()>& warten = {});
    std::string LetzteFehlerzeile() const;
    std::int64_t Kennung() const;

private:
    TProzessFabrik Fabrik;
    std::unique_ptr<TProzess> P;
    int NaechsteId = 1;
    // Commands whose answer was not read (deadline, stop): their answers come first.
    int Offen = 0;
};

// A vertex of the 7x7 board as the protocol writes it ("C4", any case) -> point; "pass" -> -1.
// GtpKeinPunkt for anything else (also "resign", which the caller looks at first).
constexpr int GtpKeinPunkt = -2;
int GtpPunkt(const std::string& text);
// Point -> "C4"; a negative point -> "pass".
std::string GtpPunktText(int punkt);
