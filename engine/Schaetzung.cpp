#include "engine/Schaetzung.h"

#include "engine/BitBewertung.h"
#include "engine/SWertDflt.h"
#include "engine/ZSucheDflt.h"

#include <algorithm>
#include <memory>

TStellungsSchaetzung SchaetzeStellung(const TEngineZustand& e, double sekunden,
                                      const std::atomic<std::uint8_t>* stopp) {
    TStellungsSchaetzung s;
    // The search plays on its own copy, so that e (it may be the engine board) is not touched.
    auto kopie = std::make_unique<TEngineZustand>(e);
    if (kopie->BeidePassen()) {
        s.Marge = kopie->Spielstand();
        s.Bewiesen = true;
        return s;
    }
    if (!BereiteBewertungVor()) return s;
    // A budget of 0 would mean no limit.
    const double budget = std::max(sekunden, 0.001);
    const TSuchErgebnis r = SucheZug(*kopie, 999, -2147483647.0, 2147483647.0, stopp, budget, nullptr, true);
    s.Feld = r.Feld;
    s.Bewiesen = r.Bewiesen;
    if (r.Bewiesen)
        s.Marge = r.Wert > 0 ? r.Wert - GewinnWert : r.Wert < 0 ? r.Wert + GewinnWert : 0.0;
    else
        s.Marge = std::clamp(r.Wert / PunktWert(Konstanten), -49.0, 49.0);
    return s;
}
