#include "support/StoppUhr.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace {
double Systemuhr() {
    using namespace std::chrono;
    const auto jetzt = system_clock::now();
    const std::time_t t = system_clock::to_time_t(jetzt);
    std::tm lokal{};
#if defined(_WIN32)
    localtime_s(&lokal, &t);
#else
    localtime_r(&t, &lokal);
#endif
    const double bruch = duration<double>(jetzt.time_since_epoch()).count() -
                         std::floor(duration<double>(jetzt.time_since_epoch()).count());
    return lokal.tm_hour * 3600.0 + lokal.tm_min * 60.0 + lokal.tm_sec + bruch;
}

double (*Quelle)() = Systemuhr;
} // namespace

double SekundenSeitMitternacht() { return Quelle(); }

void SetzeUhrQuelle(double (*quelle)()) { Quelle = quelle ? quelle : Systemuhr; }

void TStoppUhr::Neustart() {
    Summe = 0;
    Start = SekundenSeitMitternacht();
    Gestoppt = 0;
}

void TStoppUhr::Weiter() {
    if (Gestoppt) {
        Start = SekundenSeitMitternacht();
        Gestoppt = 0;
    }
}

double TStoppUhr::Vergangen() const {
    if (Gestoppt) return Summe;
    double jetzt = SekundenSeitMitternacht();
    // The clock of the day starts again at midnight.
    if (jetzt < Start) jetzt += 86400.0;
    return jetzt - Start + Summe;
}

void TStoppUhr::Stopp() {
    Summe = Vergangen();
    Gestoppt = 1;
}

void TStoppUhr::Ruecksetzen() {
    Summe = 0;
    Gestoppt = 1;
}

std::string TStoppUhr::Text() const { return ZeitText(Vergangen()); }

std::string ZeitText(double sekunden) {
    if (!(sekunden > 0)) sekunden = 0; // also NaN
    if (sekunden > 1e12) sekunden = 1e12;
    // The small addition keeps 0.3 s from showing as 0.2 after the multiplication.
    const long long zehntel = static_cast<long long>(std::floor(sekunden * 10.0 + 1e-6));
    const long long s = zehntel / 10;
    char puffer[48];
    std::snprintf(puffer, sizeof puffer, "%02lld:%02lld:%02lld.%lld", s / 3600, (s / 60) % 60, s % 60,
                  zehntel % 10);
    return puffer;
}
