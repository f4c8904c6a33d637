// The values file. Every input is read as text (LeseWerteText: a failure is a runtime_error and
// nothing else); a text that reads goes the program's way through LeseWerteDatei in a private
// engines folder, must give the same values, all finite, and its echo file, read again, must give
// exactly these values back. The file way of a broken text (the defaults, never a mixture, and
// one message) does not depend on the text, and writing the full echo is the slow part of a run:
// it is taken for one broken input in sixteen, chosen by the input's bytes, so a finding repeats.
#include "FuzzHilfe.h"

#include "engine/SWertDflt.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>

using namespace fuzz;

namespace {

bool AllesEndlich(const TBewertungsKonstanten& k) {
    for (const auto& seite : k.Positionswerte)
        for (const auto& farbe : seite)
            for (const auto& zeile : farbe)
                for (double w : zeile)
                    if (!std::isfinite(w)) return false;
    for (const auto& g : k.Kettenwerte)
        for (const auto& f : g)
            for (double w : f)
                if (!std::isfinite(w)) return false;
    return true;
}

bool GleicheWerte(const TBewertungsKonstanten& a, const TBewertungsKonstanten& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

const TBewertungsKonstanten& Standard() {
    static const TBewertungsKonstanten* k = [] {
        auto* s = new TBewertungsKonstanten;
        LeseWerteText(StandardWerteText(), *s);
        return s;
    }();
    return *k;
}

bool DateiwegFuerDefekte(const std::uint8_t* d, std::size_t n) {
    std::uint32_t h = 2166136261u;
    for (std::size_t i = 0; i < n; ++i)
        h = (h ^ d[i]) * 16777619u;
    return h % 16 == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n) {
    static TBewertungsKonstanten* text = new TBewertungsKonstanten;
    static TBewertungsKonstanten* datei = new TBewertungsKonstanten;
    static TBewertungsKonstanten* echo = new TBewertungsKonstanten;
    const std::string eingabe(reinterpret_cast<const char*>(daten), n);
    bool gelesen = true;
    try {
        LeseWerteText(eingabe, *text);
    } catch (const std::runtime_error&) {
        gelesen = false;
    }
    if (!gelesen && !DateiwegFuerDefekte(daten, n)) return 0;

    SetzeEngineOrdner(Ordner().string());
    Meldungen().Leeren();
    Schreibe(WerteDateiName(), eingabe);
    Pruefe(LeseWerteDatei(*datei), "keine brauchbaren Werte");
    if (!gelesen) {
        Pruefe(Meldungen().Boxen.size() == 1 && Meldungen().Boxen[0].rfind("Die Eingabedatei ", 0) == 0,
               "Lesefehler nicht mit seiner einen Meldung");
        Pruefe(GleicheWerte(*datei, Standard()), "nach einem Lesefehler nicht genau die Standardwerte");
        return 0;
    }
    Pruefe(Meldungen().Boxen.empty(), "Meldung, obwohl der Text sich liest");
    Pruefe(GleicheWerte(*datei, *text), "Datei liest sich anders als ihr Text");
    Pruefe(AllesEndlich(*datei), "Werte nicht endlich");

    try {
        LeseWerteText(Lies(WerteEchoName()), *echo);
    } catch (const std::runtime_error& e) {
        Fehlschlag(std::string("Echo-Datei nicht lesbar: ") + e.what());
    }
    Pruefe(GleicheWerte(*echo, *datei), "Echo-Datei liest sich als andere Werte");
    return 0;
}
