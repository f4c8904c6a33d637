#include "ui/StellungText.h"

#include <cctype>
#include <sstream>

namespace {
std::string Steine(const TBrett &b, TFarbe farbe) {
    std::string s;
    for (int x = 0; x < 7; ++x)
        for (int y = 0; y < 7; ++y)
            if (b[Punkt(x, y)] == farbe) s += " " + Feldname(Punkt(x, y));
    return s;
}
} // namespace

std::string StellungAlsText(const TBrett &b) {
    return " W:" + Steine(b, Weiss) + "\r\n S:" + Steine(b, Schwarz);
}

std::string PruefeSteine(const TBrett &b) {
    int schwarz = 0, weiss = 0;
    for (int x = 0; x < 7; ++x)
        for (int y = 0; y < 7; ++y) {
            schwarz += b[Punkt(x, y)] == Schwarz;
            weiss += b[Punkt(x, y)] == Weiss;
        }
    if (schwarz == 0 && weiss == 0) return "Keine Steine auf dem Brett.";
    if (weiss == 0) return "Weiß hat keine Steine.";
    if (schwarz == 0) return "Schwarz hat keine Steine.";
    return {};
}

std::string StellungAusText(const std::string &text, TBrett &b) {
    TBrett neu = Brettvorlagen[Leer];
    bool weissGesehen = false, schwarzGesehen = false;
    TFarbe farbe = Rand; // no colour named yet
    std::istringstream ein(text);
    std::string wort;
    while (ein >> wort) {
        // a colour mark may stand alone ("W:") or be glued to the first point ("W:a1")
        if (wort.size() >= 2 && wort[1] == ':' &&
            (std::toupper(wort[0]) == 'W' || std::toupper(wort[0]) == 'S')) {
            farbe = std::toupper(wort[0]) == 'W' ? Weiss : Schwarz;
            bool &gesehen = farbe == Weiss ? weissGesehen : schwarzGesehen;
            if (gesehen)
                return std::string("Die Steine von ") + (farbe == Weiss ? "Weiß" : "Schwarz") +
                       " sind zweimal angegeben.";
            gesehen = true;
            wort = wort.substr(2);
            if (wort.empty()) continue;
        }
        if (farbe == Rand)
            return "Die Stellung muss mit \"W:\" oder \"S:\" beginnen, gefunden: \"" + wort + "\".";
        const bool gueltig = wort.size() == 2 && std::tolower(wort[0]) >= 'a' &&
                             std::tolower(wort[0]) <= 'g' && wort[1] >= '1' && wort[1] <= '7';
        if (!gueltig) return "\"" + wort + "\" ist kein Feld des Bretts (a1 bis g7).";
        const int p = FeldAusText(wort);
        if (neu[p] != Leer) return "Das Feld " + Feldname(p) + " ist zweimal angegeben.";
        neu[p] = farbe;
    }
    const std::string steine = PruefeSteine(neu);
    if (!steine.empty()) return steine;
    b = neu;
    return {};
}
