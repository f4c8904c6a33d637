#include "gtp/Prozess.h"

#include <cstdlib>

bool ZerlegeBefehlszeile(const std::string& zeile, std::vector<std::string>& teile, std::string& fehler) {
    teile.clear();
    fehler.clear();
    std::string wort;
    bool imWort = false;
    // Only an unquoted ~ at the very start of a word is the home folder.
    bool wortAnfang = true;
    for (std::size_t i = 0; i < zeile.size(); ++i) {
        const char c = zeile[i];
        const bool anfang = wortAnfang;
        wortAnfang = false;
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            if (imWort) teile.push_back(wort);
            wort.clear();
            imWort = false;
            wortAnfang = true;
            continue;
        }
        imWort = true;
        if (c == '\\') {
            if (i + 1 < zeile.size()) wort += zeile[++i];
            continue;
        }
        if (c == '\'') {
            const auto ende = zeile.find('\'', i + 1);
            if (ende == std::string::npos) {
                fehler = "In der Befehlszeile fehlt das schließende Hochkomma (').";
                return false;
            }
            wort += zeile.substr(i + 1, ende - i - 1);
            i = ende;
            continue;
        }
        if (c == '"') {
            std::size_t j = i + 1;
            for (; j < zeile.size() && zeile[j] != '"'; ++j) {
                if (zeile[j] == '\\' && j + 1 < zeile.size() &&
                    std::string("\"\\$`").find(zeile[j + 1]) != std::string::npos)
                    ++j;
                wort += zeile[j];
            }
            if (j >= zeile.size()) {
                fehler = "In der Befehlszeile fehlt das schließende Anführungszeichen (\").";
                return false;
            }
            i = j;
            continue;
        }
        if (c == '~' && anfang && (i + 1 == zeile.size() || zeile[i + 1] == '/' || zeile[i + 1] == ' ')) {
            const char* home = std::getenv("HOME");
            wort += home && *home ? home : "~";
            continue;
        }
        wort += c;
    }
    if (imWort) teile.push_back(wort);
    if (teile.empty()) {
        fehler = "Die Befehlszeile ist leer.";
        return false;
    }
    return true;
}
