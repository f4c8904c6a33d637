#pragma once
// The table of entry points through which an engine is driven (see Engines.h).
#include "rules/Checked.h"

#include <atomic>
#include <cstdint>

using TMeldeProc = void (*)(const char *text, int flag);
using TZaehler = TArray<std::int32_t, 0, 1>;

struct TEngineEintraege {
    const char *(*Name)() = nullptr;
    void (*SetzeMeldeProc)(TMeldeProc) = nullptr;
    // Stored by TEngineWrap in this order:
    bool (*SpielNeu)() = nullptr;
    // out point, in/out value, out counters, stop flag polled by the search
    bool (*Berechne)(int &feld, int &wert, TZaehler &zaehler,
                     const std::atomic<std::uint8_t> *stopp) = nullptr;
    void *Reserviert = nullptr;
    bool (*SetzeLevel)(int engineNr, int level) = nullptr;
    bool (*SetzeStein)(int feld, int wert) = nullptr;
    bool (*Zurueck)() = nullptr;
    bool (*Ziehe)(int feld) = nullptr;
};
