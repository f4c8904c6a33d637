#include "engine/SuchParameter.h"

#include <cstdlib>
#include <sstream>
#include <string>

TSuchParameter LiesSuchParameter(const char* text) {
    TSuchParameter p;
    if (!text) return p;
    std::istringstream ein(text);
    for (std::string teil; std::getline(ein, teil, ',');) {
        const auto gleich = teil.find('=');
        if (gleich == std::string::npos) continue;
        const std::string name = teil.substr(0, gleich), wert = teil.substr(gleich + 1);
        char* ende = nullptr;
        const double v = std::strtod(wert.c_str(), &ende);
        if (wert.empty() || *ende != '\0') continue;
        if (name == "SiegGewicht")
            p.SiegGewicht = v;
        else if (name == "MargenSkala")
            p.MargenSkala = v;
        else if (name == "RaveGleich")
            p.RaveGleich = v;
        else if (name == "Erkunden")
            p.Erkunden = v;
        else if (name == "PriorSpiele")
            p.PriorSpiele = v;
        else if (name == "HauptlinieAb")
            p.HauptlinieAb = v;
        else if (name == "GlobalAtari")
            p.GlobalAtari = v != 0;
        else if (name == "Protokoll")
            p.Protokoll = v != 0;
    }
    return p;
}

const TSuchParameter& SuchParameter() {
    static const TSuchParameter p = LiesSuchParameter(std::getenv("KIBORU_SUCHE"));
    return p;
}
