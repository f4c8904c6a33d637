#pragma once
// Stopwatch of the per-side clocks: seconds since midnight, 17 bytes.
#include <cstdint>
#include <string>

#pragma pack(push, 1)
struct TStoppUhr {
    double Start = 0;        // seconds since midnight when last (re)started
    double Summe = 0;        // accumulated seconds
    std::uint8_t Gestoppt = 1;

    void Neustart();
    void Weiter();
    double Vergangen() const;
    void Stopp();
    void Ruecksetzen();
    std::string Text() const; // "hh:mm:ss.t"
};
#pragma pack(pop)
static_assert(sizeof(TStoppUhr) == 17);

// Seconds since midnight of the clock of the day; tests may replace the clock.
double SekundenSeitMitternacht();
void SetzeUhrQuelle(double (*quelle)());
std::string ZeitText(double sekunden);
