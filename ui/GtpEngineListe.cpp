#include "ui/GtpEngineListe.h"

#include "engine/Engines.h"
#include "gtp/GtpEngine.h"
#include "support/HilfsFkt.h"
#include "support/QtProzess.h"
#include "support/StringsV5.h"

#include <algorithm>

namespace {
// Keys 1..MaxEintraege are read; gaps a hand edit left are skipped.
constexpr int MaxEintraege = 99;
constexpr const char* SchluesselAngeboten = "GnuGoAngeboten";

std::vector<TGtpEintrag> EintraegeImFile(int& hoechster) {
    std::vector<TGtpEintrag> liste;
    hoechster = 0;
    for (int i = 1; i <= MaxEintraege; ++i) {
        const std::string text = KonfigLesen(AbschnittGtpEngines, std::to_string(i), "");
        if (text.empty()) continue;
        hoechster = i;
        const auto e = GtpEintragAusText(text);
        const bool doppelt = e && std::any_of(liste.begin(), liste.end(),
                                              [&](const TGtpEintrag& x) { return x.Name == e->Name; });
        if (!e || doppelt) {
            Protokoll("Kiboru.ini, [GTP-Engines] " + std::to_string(i) + ": Eintrag \"" + text +
                      "\" übergangen.");
            continue;
        }
        liste.push_back(*e);
    }
    return liste;
}

// Writes the list as keys 1..n; keys behind it that held entries are emptied.
void Schreiben(const std::vector<TGtpEintrag>& liste, int hoechster) {
    const int n = static_cast<int>(liste.size());
    for (int i = 1; i <= std::max(n, hoechster); ++i)
        KonfigSchreiben(AbschnittGtpEngines, std::to_string(i),
                        i <= n ? GtpEintragText(liste[static_cast<std::size_t>(i - 1)]) : "");
}

std::vector<std::string> Namen() {
    std::vector<std::string> n;
    for (TEngine* e : EngineListe)
        if (e) n.push_back(e->Name);
    return n;
}

void Registrieren(const TGtpEintrag& e) {
    RegistriereEngine(std::make_unique<TGtpEngine>(e.Name, e.Befehlszeile, NeuerQtProzess));
}
} // namespace

std::vector<TGtpEintrag> GtpEnginesLesen() {
    int hoechster = 0;
    std::vector<TGtpEintrag> liste = EintraegeImFile(hoechster);
    if (KonfigLesen(AbschnittGtpEngines, SchluesselAngeboten, "").empty()) {
        if (const auto gnugo = GnuGoVorschlag()) {
            if (std::none_of(liste.begin(), liste.end(),
                             [&](const TGtpEintrag& x) { return x.Name == gnugo->Name; })) {
                liste.push_back(*gnugo);
                Schreiben(liste, hoechster);
            }
            KonfigSchreiben(AbschnittGtpEngines, SchluesselAngeboten, "1");
        }
    }
    return liste;
}

void GtpEnginesRegistrieren() {
    const std::vector<std::string> vorhanden = Namen();
    for (const TGtpEintrag& e : GtpEnginesLesen())
        if (std::find(vorhanden.begin(), vorhanden.end(), e.Name) == vorhanden.end()) Registrieren(e);
}

std::string GtpEintragFehler(const TGtpEintrag& eintrag, const std::vector<TGtpEintrag>& liste) {
    const TGtpEintrag e = GtpEintragGetrimmt(eintrag);
    std::vector<std::string> namen = Namen();
    for (const TGtpEintrag& x : liste)
        namen.push_back(x.Name);
    if (std::string grund = GtpEintragPruefen(e, namen); !grund.empty()) return grund;
    if (static_cast<int>(liste.size()) >= MaxEintraege)
        return "Es können höchstens " + std::to_string(MaxEintraege) + " GTP-Engines eingetragen werden.";
    return {};
}

std::string GtpEngineHinzufuegen(const TGtpEintrag& eintrag) {
    const TGtpEintrag e = GtpEintragGetrimmt(eintrag);
    int hoechster = 0;
    std::vector<TGtpEintrag> liste = EintraegeImFile(hoechster);
    if (std::string grund = GtpEintragFehler(e, liste); !grund.empty()) return grund;
    liste.push_back(e);
    Schreiben(liste, hoechster);
    Registrieren(e);
    return {};
}

std::string GtpEngineEntfernen(std::size_t index) {
    int hoechster = 0;
    std::vector<TGtpEintrag> liste = EintraegeImFile(hoechster);
    if (index >= liste.size()) return "Diese GTP-Engine steht nicht in der Liste.";
    if (SucheLaeuft()) return "Während ein Zug berechnet wird, kann keine Engine entfernt werden.";
    if (TGtpEngine* e = GtpEngineVon(liste[index].Name); e && !EntferneEngine(e))
        return "Die GTP-Engine \"" + liste[index].Name + "\" kann gerade nicht entfernt werden.";
    liste.erase(liste.begin() + static_cast<std::ptrdiff_t>(index));
    Schreiben(liste, hoechster);
    return {};
}

TGtpProbe GtpEngineTesten(const std::string& befehlszeile) {
    return GtpEngineProbieren(befehlszeile, NeuerQtProzess);
}

TGtpEngine* GtpEngineVon(const std::string& name) {
    for (TEngine* e : EngineListe)
        if (auto* g = dynamic_cast<TGtpEngine*>(e); g && g->Name == name) return g;
    return nullptr;
}
