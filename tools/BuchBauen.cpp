// Builds the opening book of the built-in engine by playing: a small GTP engine that answers
// every position of the opening it does not know yet with a long search and appends the
// result to the book file; positions it knows it plays from the book. Let it play against the
// opponents the book is for, e.g. with tools/match:
//
//   tools/match --engine-a "build/engine/kiboru-buchbau --buch engine/Eroeffnungsbuch.txt"
//               --engine-b "/usr/games/gnugo --mode gtp --chinese-rules --komi 0 --seed {saat}"
//               --saat 1000 --spiele 100
//
// Options: --buch FILE (the book, extended in place), --zeit S (seconds per new position, 30),
// --tiefe N (deepest depth, 40), --bis N (positions up to this half-move number go into the
// book, 24), --level L (depth of the play after that, 4).
#include "engine/BasisBrett.h"
#include "engine/BuchDflt.h"
#include "engine/SWertDflt.h"
#include "engine/ZSucheDflt.h"

#include <cctype>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

struct TOptionen {
    std::string Buch;
    double Zeit = 30;
    int Tiefe = 40;
    int Bis = 24;
    int Level = 4;
};

void Protokoll(const char* text, int) { std::cerr << text << '\n'; }

std::string Vertex(int feld) {
    if (feld < 0) return "pass";
    std::string v = Feldname(feld);
    v[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(v[0])));
    return v;
}

// A vertex A1..G7 (either case) or pass; -2 for anything else.
int AusVertex(std::string v) {
    for (auto& c : v)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (v == "pass") return -1;
    if (v.size() != 2 || v[0] < 'a' || v[0] > 'g' || v[1] < '1' || v[1] > '7') return -2;
    return FeldAusText(v);
}

int Seite(const std::string& farbe) {
    if (farbe == "b" || farbe == "B" || farbe == "black" || farbe == "Black") return 1;
    if (farbe == "w" || farbe == "W" || farbe == "white" || farbe == "White") return 0;
    return -1;
}

class TBauer {
public:
    explicit TBauer(TOptionen o) : opt_(std::move(o)) {
        std::ifstream ein(opt_.Buch, std::ios::binary);
        std::stringstream text;
        text << ein.rdbuf();
        buch_.Lesen(text.str());
        std::cerr << "Buch " << opt_.Buch << ": " << buch_.Groesse() << " Stellungen\n";
        e_.Neustart();
    }

    // One GTP command; false for quit.
    bool Befehl(const std::string& zeile, std::ostream& aus) {
        std::istringstream w(zeile);
        std::string id, kommando;
        w >> kommando;
        if (!kommando.empty() && std::isdigit(static_cast<unsigned char>(kommando[0]))) {
            id = kommando;
            w >> kommando;
        }
        std::string a, b;
        w >> a >> b;
        bool ok = true;
        std::string antwort;
        if (kommando == "protocol_version")
            antwort = "2";
        else if (kommando == "name")
            antwort = "Kiboru-Buch";
        else if (kommando == "version")
            antwort = "1.0";
        else if (kommando == "known_command")
            antwort = Bekannt(a) ? "true" : "false";
        else if (kommando == "list_commands")
            antwort = "protocol_version\nname\nversion\nknown_command\nlist_commands\nquit\nboardsize\nclear_"
                      "board\nkomi\nplay\ngenmove";
        else if (kommando == "boardsize") {
            ok = a == "7";
            if (!ok) antwort = "unacceptable size";
        } else if (kommando == "clear_board")
            e_.Neustart();
        else if (kommando == "komi") {
        } else if (kommando == "play") {
            const int feld = AusVertex(b);
            ok = Seite(a) == e_.AmZug && feld >= -1 && e_.ZieheWennErlaubt(feld);
            if (!ok) antwort = "illegal move";
        } else if (kommando == "genmove") {
            ok = Seite(a) == e_.AmZug && !e_.BeidePassen();
            if (ok)
                antwort = Vertex(Ziehen());
            else
                antwort = "wrong colour or game over";
        } else if (kommando == "quit") {
        } else {
            ok = false;
            antwort = "unknown command";
        }
        aus << (ok ? '=' : '?') << id << (antwort.empty() ? "" : " ") << antwort << "\n\n" << std::flush;
        return kommando != "quit";
    }

private:
    static bool Bekannt(const std::string& k) {
        for (const char* n : {"protocol_version", "name", "version", "known_command", "list_commands", "quit",
                              "boardsize", "clear_board", "komi", "play", "genmove"})
            if (k == n) return true;
        return false;
    }

    int Ziehen() {
        const TBits s = BitsVonBrett(e_.Brett, Schwarz), w = BitsVonBrett(e_.Brett, Weiss);
        int feld = -2, wert, tiefe;
        if (BuchZug(buch_, e_, feld, wert, tiefe)) {
            std::cerr << "Buch: " << Feldname(feld) << '\n';
        } else if (e_.Zugnummer <= opt_.Bis) {
            // The first moves decide the most; they get three times the time.
            const double zeit = opt_.Zeit * (e_.Zugnummer <= 4 ? 3 : 1);
            const TSuchErgebnis r = SucheZug(e_, opt_.Tiefe, -2147483647.0, 2147483647.0, nullptr, zeit);
            feld = r.Feld;
            if (feld >= -1) {
                TBuchEintrag neu{
                    s, w, e_.AmZug, feld < 0 ? KeinBit : BitVonFeld(feld), static_cast<int>(r.Wert), r.Tiefe};
                if (buch_.Eintragen(neu)) {
                    std::ofstream(opt_.Buch, std::ios::app | std::ios::binary) << TBuch::Zeile(neu) << '\n';
                    std::cerr << "neu im Buch: " << TBuch::Zeile(neu) << '\n';
                }
            }
        } else {
            feld = SucheZug(e_, opt_.Level, -2147483647.0, 2147483647.0, nullptr).Feld;
        }
        if (feld < -1 || !e_.ZieheWennErlaubt(feld)) {
            feld = -1;
            e_.Ziehe(-1);
        }
        return feld;
    }

    TOptionen opt_;
    TBuch buch_;
    TEngineZustand e_;
};

} // namespace

int main(int argc, char** argv) {
    TOptionen o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i], v = argv[i + 1];
        if (a == "--buch")
            o.Buch = v;
        else if (a == "--zeit")
            o.Zeit = std::stod(v);
        else if (a == "--tiefe")
            o.Tiefe = std::stoi(v);
        else if (a == "--bis")
            o.Bis = std::stoi(v);
        else if (a == "--level")
            o.Level = std::stoi(v);
        else {
            std::cerr << "Unbekannte Option " << a << '\n';
            return 2;
        }
    }
    if (o.Buch.empty()) {
        std::cerr << "Aufruf: kiboru-buchbau --buch DATEI [--zeit S] [--tiefe N] [--bis N] [--level L]\n";
        return 2;
    }
    SetzeEngineMeldeProc(Protokoll);
    LeseWerteText(StandardWerteText(), Konstanten);
    try {
        TBauer bauer(o);
        std::string zeile;
        while (std::getline(std::cin, zeile)) {
            if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
            if (zeile.empty() || zeile[0] == '#') continue;
            if (!bauer.Befehl(zeile, std::cout)) break;
        }
    } catch (const std::exception& ex) {
        std::cerr << ex.what() << '\n';
        return 1;
    }
    return 0;
}
