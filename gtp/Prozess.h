#pragma once
// A child process spoken to line by line through its standard input and output. The GTP client
// needs no more; the program gives it a Qt implementation, the tests may give their own.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using TUhr = std::chrono::steady_clock;

class TProzess {
public:
    enum class TLesen { Zeile, Frist, Stopp, Ende };

    virtual ~TProzess() = default;
    // Starts the program (found on the PATH when it names no folder) with its arguments, never
    // through a shell. false with a German reason in fehler.
    virtual bool Starte(const std::string& programm, const std::vector<std::string>& argumente,
                        std::string& fehler) = 0;
    // One line to the standard input; the line break is added. false when the process is gone.
    virtual bool SchreibeZeile(const std::string& zeile) = 0;
    // The next line of the standard output without its line break. Waits until the deadline, or
    // until the stop flag (may be nullptr) is set; Ende when the process has ended and nothing
    // more is left to read.
    virtual TLesen LiesZeile(std::string& zeile, TUhr::time_point frist,
                             const std::atomic<std::uint8_t>* stopp) = 0;
    virtual bool Laeuft() = 0;
    // Ends the process (politely first, then by force) and waits for it: nothing is left behind.
    virtual void Beende() = 0;
    // The last line the process wrote to its standard error (for messages), empty if none.
    virtual std::string LetzteFehlerzeile() = 0;
    // The process id while it runs, else 0.
    virtual std::int64_t Kennung() = 0;
};

using TProzessFabrik = std::function<std::unique_ptr<TProzess>()>;

// Splits a command line into program and arguments as a shell user expects: blanks separate,
// '...' keeps everything literally, "..." keeps blanks and knows the escapes \" \\ \$ \`, a
// backslash outside quotes keeps the next character, a leading ~ or ~/ stands for $HOME. No
// variables, no globbing, no redirection. false with a German reason in fehler.
bool ZerlegeBefehlszeile(const std::string& zeile, std::vector<std::string>& teile, std::string& fehler);
