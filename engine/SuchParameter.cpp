#include "engine/SuchParameter.h"

#include <cstdlib>
#include <sstream>
#include <string>

TSuchParameter LiesSuchParameter(const char* text) {
    TSuchParameter p;
    if (!text) return p;
    struct TName {
        const char* Name;
        double TSuchParameter::*Wert;
    };
    static constexpr TName Namen[] = {
        {"SiegGewicht", &TSuchParameter::SiegGewicht},
        {"MargenSkala", &TSuchParameter::MargenSkala},
        {"RaveGleich", &TSuchParameter::RaveGleich},
        {"Erkunden", &TSuchParameter::Erkunden},
        {"PriorSpiele", &TSuchParameter::PriorSpiele},
        {"AusbauAb", &TSuchParameter::AusbauAb},
        {"HauptlinieAb", &TSuchParameter::HauptlinieAb},
        {"ZeitLeer", &TSuchParameter::ZeitLeer},
        {"Partien", &TSuchParameter::Partien},
        {"Verlaengern", &TSuchParameter::Verlaengern},
        {"BuchZeit", &TSuchParameter::BuchZeit},
        {"KlarAb", &TSuchParameter::KlarAb},
        {"ZeitMin", &TSuchParameter::ZeitMin},
        {"ZeitAnfang", &TSuchParameter::ZeitAnfang},
        {"ZeitAnfangAb", &TSuchParameter::ZeitAnfangAb},
        {"Ueberholen", &TSuchParameter::Ueberholen},
        {"Faeden", &TSuchParameter::Faeden},
        {"NeuMitte", &TSuchParameter::NeuMitte},
    };
    std::istringstream ein(text);
    for (std::string teil; std::getline(ein, teil, ',');) {
        const auto gleich = teil.find('=');
        if (gleich == std::string::npos) continue;
        const std::string name = teil.substr(0, gleich), wert = teil.substr(gleich + 1);
        char* ende = nullptr;
        const double v = std::strtod(wert.c_str(), &ende);
        if (wert.empty() || *ende != '\0') continue;
        for (const TName& n : Namen)
            if (name == n.Name) p.*n.Wert = v;
        if (name == "GlobalAtari") p.GlobalAtari = v != 0;
        if (name == "Leiter") p.Leiter = v != 0;
        if (name == "Nakade") p.Nakade = v != 0;
        if (name == "Rennen") p.Rennen = v != 0;
        if (name == "BaumLeiter") p.BaumLeiter = v != 0;
        if (name == "Taktik") p.Taktik = v != 0;
        if (name == "Protokoll") p.Protokoll = v != 0;
        if (name == "Behalten") p.Behalten = v != 0;
    }
    return p;
}

const TSuchParameter& SuchParameter() {
    static const TSuchParameter p = LiesSuchParameter(std::getenv("KIBORU_SUCHE"));
    return p;
}
