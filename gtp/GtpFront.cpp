// The GTP front end. It runs on one thread, which plays the role of the program's main thread:
// the controller, the rules state and the file operations are called from here only, and the
// search thread's hand-overs are run here while genmove waits for the search to end.
#include "gtp/GtpFront.h"

#include "engine/Engines.h"
#include "engine/SWertDflt.h"
#include "engine/engineDefault.h"
#include "record/Analyse.h"
#include "record/PgnDoc.h"
#include "record/SgfDoc.h"
#include "record/SpielAblauf.h"
#include "record/StellungDoc.h"
#include "record/TPAcht.h"
#include "rules/ZugGen.h"
#include "support/HilfsFkt.h"
#include "support/Prioritaet.h"
#include "support/StringsV5.h"
#include "support/TP2Win.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <charconv>
#include <condition_variable>
#include <csignal>
#include <deque>
#include <exception>
#include <filesystem>
#include <functional>
#include <iostream>
#include <mutex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

constexpr int LevelVorgabe = 4;

// A refusal that becomes the "? ..." answer of the command.
struct EGtpFehler : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void Ablehnen(const std::string& text) { throw EGtpFehler(text); }

std::string Klein(std::string s) {
    for (auto& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::vector<std::string> Woerter(const std::string& s) {
    std::vector<std::string> w;
    std::istringstream ein(s);
    for (std::string t; ein >> t;)
        w.push_back(t);
    return w;
}

bool GanzeZahl(const std::string& s, long& wert) {
    const char* e = s.data() + s.size();
    auto r = std::from_chars(s.data(), e, wert);
    return r.ec == std::errc() && r.ptr == e;
}

bool Kommazahl(const std::string& s, double& wert) {
    const char* a = s.data();
    const char* e = a + s.size();
    if (a != e && *a == '+') ++a; // from_chars refuses the plus sign that some controllers send
    auto r = std::from_chars(a, e, wert, std::chars_format::general);
    return r.ec == std::errc() && r.ptr == e;
}

std::string ZahlText(double v) {
    char puffer[64];
    auto r = std::to_chars(puffer, puffer + sizeof puffer, v);
    return std::string(puffer, r.ptr);
}

// Side byte (1 black, 0 white) of a GTP colour.
int Seite(const std::string& text) {
    const std::string s = Klein(text);
    if (s == "b" || s == "black") return 1;
    if (s == "w" || s == "white") return 0;
    Ablehnen("syntax error");
}

// An answer must not contain an empty line: that would end it early for the controller.
std::string AlsAntwort(const std::string& text) {
    std::string aus;
    std::string zeile;
    auto anhaengen = [&] {
        if (zeile.find_first_not_of(' ') == std::string::npos) {
            zeile.clear();
            return;
        }
        if (!aus.empty()) aus += '\n';
        aus += zeile;
        zeile.clear();
    };
    for (char c : text) {
        if (c == '\r') continue;
        if (c == '\n')
            anhaengen();
        else
            zeile += c;
    }
    anhaengen();
    // a multi-line answer may start on the line after "= " (showboard)
    if (!text.empty() && text[0] == '\n' && !aus.empty()) aus.insert(aus.begin(), '\n');
    return aus;
}

// The search thread's hand-overs, run on the GTP thread while genmove pumps.
class TGtpHost final : public TSucheHost {
public:
    TGtpHost() : Haupt(std::this_thread::get_id()) {}

    void ImHauptthreadWarten(const std::function<void()>& f) override {
        if (std::this_thread::get_id() == Haupt) {
            f();
            return;
        }
        bool erledigt = false;
        std::unique_lock<std::mutex> lk(M);
        Auftraege.push_back({f, &erledigt});
        Cv.notify_all();
        Cv.wait(lk, [&] { return erledigt; });
    }

    void ImHauptthreadSpaeter(std::function<void()> f) override {
        std::lock_guard<std::mutex> lk(M);
        Auftraege.push_back({std::move(f), nullptr});
        Cv.notify_all();
    }

    // Runs what is queued now, without waiting for more.
    void Abarbeiten() override {
        for (;;) {
            TAuftrag a;
            {
                std::lock_guard<std::mutex> lk(M);
                if (Auftraege.empty()) return;
                a = std::move(Auftraege.front());
                Auftraege.pop_front();
            }
            Ausfuehren(a);
        }
    }

    // Runs the hand-overs until one of them has set ende.
    void Pumpen(const bool& ende) {
        while (!ende) {
            TAuftrag a;
            {
                std::unique_lock<std::mutex> lk(M);
                Cv.wait(lk, [&] { return !Auftraege.empty(); });
                a = std::move(Auftraege.front());
                Auftraege.pop_front();
            }
            Ausfuehren(a);
        }
    }

    std::function<void(const std::string&)> Fehlerausgabe;

private:
    struct TAuftrag {
        std::function<void()> F;
        bool* Erledigt = nullptr; // set when a search thread waits for this one
    };

    void Ausfuehren(TAuftrag& a) {
        // a failing hand-over must still release the search thread that waits for it
        try {
            a.F();
        } catch (const std::exception& e) {
            if (Fehlerausgabe) Fehlerausgabe(e.what());
        } catch (...) {
            if (Fehlerausgabe) Fehlerausgabe("Unbekannte Ausnahme");
        }
        if (a.Erledigt) {
            std::lock_guard<std::mutex> lk(M);
            *a.Erledigt = true;
            Cv.notify_all();
        }
    }
    std::thread::id Haupt;
    std::mutex M;
    std::condition_variable Cv;
    std::deque<TAuftrag> Auftraege;
};

class TGtpSitzung {
public:
    TGtpSitzung(std::ostream& aus, std::ostream& fehler, int level, bool vorausdenken)
        : Aus(aus), Fehl(fehler), Level(level), VorausdenkenErlaubt(vorausdenken) {}

    // The installation steps of the program's start that the engine needs: the engines folder
    // and the values file in the user data folder. false: the program cannot go on.
    bool Installieren() {
        const std::string engines = PfadVerbinden(DatenVerzeichnis(), "Engines");
        std::error_code ec;
        std::filesystem::create_directories(engines, ec);
        if (!std::filesystem::is_directory(engines, ec))
            Schreiben("Installation gescheitert. Verzeichnis für Engines konnte nicht angelegt werden: " +
                      engines);
        SetzeEngineOrdner(engines);
        std::vector<std::string> zeilen;
        std::istringstream text(StandardWerteText());
        for (std::string z; std::getline(text, z);) {
            if (!z.empty() && z.back() == '\r') z.pop_back();
            zeilen.push_back(z);
        }
        return DateiSicherstellen(WerteDateiName(), zeilen, false);
    }

    bool Starten() {
        TMeldeAusgaben a;
        a.Box = [this](const std::string& t) { Melden(t); };
        a.InfoBox = [this](const std::string& t) { Melden(t); };
        a.Piep = [] {};
        a.Auffrischen = [] {};
        SetzeMeldeAusgaben(a);
        RegistriereLogMemo([this](const std::string& t) { Schreiben(t); });
        SetzeFehlerBox([this](const std::string& t) { Schreiben(t); });
        if (!Installieren()) return false;
        Host.Fehlerausgabe = [this](const std::string& t) { Schreiben(t); };
        SetzeSucheHost(&Host);
        PAchtStart(); // registers the built-in engine once; a new game every time
        LevelSetzen(Level);
        return true;
    }

    void Beenden() {
        VorausdenkenBeenden();
        WarteAufSuche();
        SetzeSucheHost(nullptr);
        SetzeFehlerBox(nullptr);
        MeldungenZuruecksetzen();
    }

    // false after quit.
    bool Zeile(const std::string& roh) {
        // Every command finds the engine as the last one left it: thinking ahead ends first.
        VorausdenkenBeenden();
        const std::string zeile = GtpZeileBereinigen(roh);
        if (zeile.empty()) return true;
        std::size_t pos = 0;
        std::string id;
        std::string kommando = NaechstesWort(zeile, pos);
        if (!kommando.empty() && std::all_of(kommando.begin(), kommando.end(),
                                             [](unsigned char c) { return std::isdigit(c) != 0; })) {
            id = kommando;
            kommando = NaechstesWort(zeile, pos);
        }
        const std::string rest = Getrimmt(zeile.substr(std::min(pos, zeile.size())));
        bool weiter = true;
        bool ok = true;
        std::string text;
        try {
            if (kommando.empty()) Ablehnen("syntax error");
            text = Ausfuehren(kommando, rest, weiter);
        } catch (const EGtpFehler& e) {
            ok = false;
            text = e.what();
        } catch (const std::exception& e) {
            ok = false;
            text = std::string("internal error: ") + e.what();
        } catch (...) {
            ok = false;
            text = "internal error";
        }
        Aus << (ok ? '=' : '?') << id << ' ' << AlsAntwort(text) << "\n\n" << std::flush;
        if (ok && weiter && std::exchange(Vorausdenken, false)) VorausdenkenStarten();
        return weiter && static_cast<bool>(Aus);
    }

private:
    std::ostream& Aus;
    std::ostream& Fehl;
    int Level;
    double Komi = 0;
    TGtpHost Host;
    // Thinking on the opponent's time after the built-in engine's move, until the next command.
    // Off unless asked for: on a machine shared with the opponent it takes that engine's time.
    bool VorausdenkenErlaubt;
    bool Vorausdenken = false;
    std::atomic<std::uint8_t> DenkStopp{0};
    std::thread Denker;

    void VorausdenkenStarten() {
        DenkStopp = 0;
        Denker = std::thread([this] {
            NiedrigePrioritaet();
            try {
                DefaultVorausdenken(&DenkStopp);
            } catch (...) {
                // Only the next search is the poorer for it: it starts afresh.
            }
        });
    }

    void VorausdenkenBeenden() {
        if (!Denker.joinable()) return;
        DenkStopp = 1;
        Denker.join();
    }
    std::vector<std::string>* Fang = nullptr; // what the boxes would show while a file command runs

    static std::string NaechstesWort(const std::string& s, std::size_t& pos) {
        while (pos < s.size() && s[pos] == ' ')
            ++pos;
        const std::size_t a = pos;
        while (pos < s.size() && s[pos] != ' ')
            ++pos;
        return s.substr(a, pos - a);
    }

    static std::string Getrimmt(const std::string& s) {
        const auto a = s.find_first_not_of(' ');
        if (a == std::string::npos) return {};
        return s.substr(a, s.find_last_not_of(' ') - a + 1);
    }

    void Schreiben(const std::string& t) {
        std::string s;
        for (char c : t)
            if (c != '\r') s += c;
        while (!s.empty() && s.back() == '\n')
            s.pop_back();
        Fehl << s << '\n' << std::flush;
    }

    void Melden(const std::string& t) {
        if (Fang)
            Fang->push_back(t);
        else
            Schreiben(t);
    }

    void LevelSetzen(int level) {
        Level = level;
        SetzeLevelVonSlot(1, level);
        SetzeLevelVonSlot(0, level);
    }

    // One command line, split: its words and the text after the command as it stands.
    struct TAufruf {
        const std::vector<std::string>& Woerter;
        const std::string& Rest;
        bool& Weiter; // false: the loop ends after the answer
    };
    using THandler = std::string (TGtpSitzung::*)(const TAufruf&);

public:
    // The commands: list_commands and known_command answer from this table, in its order.
    struct TKommando {
        const char* Name;
        int Woerter; // the number of arguments; -1 when the handler reads the rest itself
        THandler Handler;
        const char* Hilfe;
    };
    static const std::vector<TKommando>& Kommandos();

private:
    std::string Ausfuehren(const std::string& kommando, const std::string& rest, bool& weiter) {
        const auto a = Woerter(rest);
        for (const TKommando& k : Kommandos()) {
            if (kommando != k.Name) continue;
            if (k.Woerter >= 0 && a.size() != static_cast<std::size_t>(k.Woerter)) Ablehnen("syntax error");
            return (this->*k.Handler)(TAufruf{a, rest, weiter});
        }
        Ablehnen("unknown command");
    }

    std::string ProtokollVersion(const TAufruf&) { return "2"; }
    std::string Name(const TAufruf&) { return "Kiboru"; }
    std::string Version(const TAufruf&) { return "1.0"; }

    std::string Bekannt(const TAufruf& a) {
        for (const TKommando& k : Kommandos())
            if (a.Woerter[0] == k.Name) return "true";
        return "false";
    }

    std::string Liste(const TAufruf&) {
        std::string s;
        for (const TKommando& k : Kommandos())
            s += (s.empty() ? "" : "\n") + std::string(k.Name);
        return s;
    }

    std::string Ende(const TAufruf& a) {
        a.Weiter = false;
        return {};
    }

    std::string Brettgroesse(const TAufruf& a) {
        long n = 0;
        if (!GanzeZahl(a.Woerter[0], n)) Ablehnen("syntax error");
        if (n != 7) Ablehnen("unacceptable size");
        NeuesSpiel();
        return {};
    }

    std::string BrettLeeren(const TAufruf&) {
        NeuesSpiel();
        return {};
    }

    std::string KomiSetzen(const TAufruf& a) {
        double k = 0;
        if (!Kommazahl(a.Woerter[0], k)) Ablehnen("syntax error");
        Komi = k;
        return {};
    }

    std::string Zurueck(const TAufruf&) {
        if (Regeln.Zugnummer <= 1) Ablehnen("cannot undo");
        ZurueckMitUhr();
        return {};
    }

    std::string Brett(const TAufruf&) { return "\n" + Brettbild(); }
    std::string Endstand(const TAufruf&) { return Endstand(); }

    // The controller's clocks are the program's own: times are checked and otherwise ignored.
    std::string Bedenkzeit(const TAufruf& a) {
        long n = 0;
        for (const auto& w : a.Woerter)
            if (!GanzeZahl(w, n) || n < 0) Ablehnen("syntax error");
        return {};
    }

    std::string Restzeit(const TAufruf& a) {
        Seite(a.Woerter[0]);
        long n = 0;
        if (!GanzeZahl(a.Woerter[1], n) || !GanzeZahl(a.Woerter[2], n)) Ablehnen("syntax error");
        return {};
    }

    std::string Stufe(const TAufruf& a) {
        long n = 0;
        if (!GanzeZahl(a.Woerter[0], n)) Ablehnen("syntax error");
        if (n < 1 || n > 999) Ablehnen("level out of range 1..999");
        LevelSetzen(static_cast<int>(n));
        return {};
    }

    std::string Stand(const TAufruf&) { return Regeln.Spielstand(); }
    std::string Zustand(const TAufruf&) { return SpielZustandText(Regeln); }
    std::string SgfLaden(const TAufruf& a) { return SgfLaden(a.Rest); }

    std::string SgfAusgeben(const TAufruf& a) {
        return a.Rest.empty() || a.Rest == "-" ? PartieAlsSgf() : Speichern(a.Rest, SpeichereSgf);
    }

    std::string Oeffnen(const TAufruf& a) { return Oeffnen(a.Rest); }
    std::string Sichern(const TAufruf& a) { return Speichern(a.Rest, SpeichereSpiel); }
    std::string Spielen(const TAufruf& a) { return Spielen(a.Woerter[0], a.Woerter[1]); }
    std::string Berechnen(const TAufruf& a) { return Berechnen(a.Woerter[0]); }

    std::string Spielen(const std::string& farbe, const std::string& vertex) {
        const int seite = Seite(farbe);
        const int punkt = GtpVertex(vertex);
        if (punkt == GtpKeinVertex) Ablehnen("syntax error");
        if (punkt == GtpAusserhalb || seite != Regeln.AmZug) Ablehnen("illegal move");
        TZug z = KeinZug;
        z.Feld = static_cast<std::int8_t>(punkt);
        if (!Regeln.ZugZuFeld(z) || !Regeln.IstErlaubt(z)) Ablehnen("illegal move");
        const int vorher = Regeln.Zugnummer;
        ZieheMitUhr(z);
        if (Regeln.Zugnummer == vorher) Ablehnen("illegal move");
        return {};
    }

    std::string Berechnen(const std::string& farbe) {
        const int seite = Seite(farbe);
        if (seite != Regeln.AmZug)
            Ablehnen(std::string("wrong colour: ") + (Regeln.AmZug ? "black" : "white") + " is to move");
        TEngine* e = EngineAmZug();
        if (const std::string hindernis = BerechnenHindernis(e); !hindernis.empty()) Ablehnen(hindernis);
        AufSuchthread(e, StarteSuche);

        // the program's own road: a move the rules refuse makes the computer resign
        const TZug z = e->ErgebnisZug;
        std::string meldung;
        if (!ComputerzugUebernehmen(false, z, meldung)) {
            Meldung(meldung, true);
            return "resign";
        }
        const auto* eingebaut = dynamic_cast<const TEngineWrap*>(e);
        Vorausdenken = VorausdenkenErlaubt && eingebaut && eingebaut->Eintraege.Berechne == DefaultEintraege().Berechne;
        return IstPass(z) ? "pass" : GtpVertexText(z.Feld);
    }

    // Runs e on the search thread (starte: StarteSuche or StarteAuftrag) and runs the thread's
    // hand-overs here until it has ended. No other search can be running: every one is awaited.
    void AufSuchthread(TEngine* e, void (*starte)(TEngine*, std::function<void()>)) {
        WarteAufSuche();
        SetzeRegelnFuerSuche(&Regeln);
        bool ende = false;
        starte(e, [&ende] { ende = true; });
        Host.Pumpen(ende);
        WarteAufSuche();
    }

    std::string Analysieren(const TAufruf&) {
        const TPartieLinie l = AktuelleLinie();
        if (l.Zuege.empty()) return {};
        TAnalyseAuftrag a("Analyse");
        a.Vorbereiten(l, OhneWert(TStellungsWerte(l.Zuege.size() + 1)), AnalyseSekunden(AnalyseLevel()));
        AufSuchthread(&a, StarteAuftrag);
        std::string s;
        for (const THalbzugWert& h : HalbzugWerte(l, a.Werte()))
            s += (s.empty() ? "" : "\n") + HalbzugText(h);
        return s;
    }

    // The engine's move for the side to move, valued on a copy: game, tree and engine board stay.
    std::string Tipp(const TAufruf&) {
        TAnalyseAuftrag a("Tipp");
        if (const std::string hindernis = BerechnenHindernis(&a); !hindernis.empty()) Ablehnen(hindernis);
        const TPartieLinie l = AktuelleLinie();
        a.Vorbereiten(l, {l.Aktuell}, TippSekunden(AnalyseLevel()));
        AufSuchthread(&a, StarteSuche);
        const auto w = a.Werte()[l.Aktuell];
        if (!w || w->Feld == -2) Ablehnen("Die Stellung konnte nicht bewertet werden.");
        return GtpVertexText(w->Feld);
    }

    std::string Brettbild() const {
        std::string s = "   A B C D E F G\n";
        for (int y = 6; y >= 0; --y) {
            const char zeile = static_cast<char>('1' + y);
            s += ' ';
            s += zeile;
            s += ' ';
            for (int x = 0; x < 7; ++x) {
                const TFarbe v = Regeln.Brett[Punkt(x, y)];
                s += v == Schwarz ? 'X' : v == Weiss ? 'O' : '.';
                s += ' ';
            }
            s += zeile;
            s += '\n';
        }
        s += "   A B C D E F G\n";
        s += SpielZustandText(Regeln);
        return s;
    }

    std::string Endstand() const {
        int schwarz = 0;
        int weiss = 0;
        Regeln.Zaehle(schwarz, weiss);
        const double d = schwarz - weiss - Komi;
        if (d > 0) return "B+" + ZahlText(d);
        if (d < 0) return "W+" + ZahlText(-d);
        return "0";
    }

    // Runs a file operation with the boxes it would show collected instead of printed.
    template <class F> std::vector<std::string> MitFang(F&& f) {
        std::vector<std::string> gefangen;
        Fang = &gefangen;
        try {
            f();
        } catch (...) {
            Fang = nullptr;
            throw;
        }
        Fang = nullptr;
        return gefangen;
    }

    static std::string Zusammen(const std::vector<std::string>& teile) {
        std::string s;
        for (const auto& t : teile)
            s += (s.empty() ? "" : "\n") + t;
        return s;
    }

    std::string Oeffnen(const std::string& name) {
        if (name.empty()) Ablehnen("syntax error");
        const auto punkt = name.rfind('.');
        const bool pgn = punkt != std::string::npos && Klein(name.substr(punkt)) == ".pgn";
        int ergebnis = 0;
        std::string fehlertext;
        auto meldungen = MitFang([&] {
            if (pgn) {
                ergebnis = ReadPgnFile(PgnSpiele, name, fehlertext);
                if (ergebnis == 0 && PgnSpiele.Count >= 1) {
                    PgnSpielUebernehmen(PgnSpiele[0]);
                    // the window shows the start with the moves ahead; a controller wants the
                    // position after them, as after opening a game file
                    LetzterZug();
                }
            } else {
                ergebnis = LadeSpiel(name, true, false);
            }
        });
        if (!fehlertext.empty()) meldungen.push_back(fehlertext);
        const std::string text = Zusammen(meldungen);
        if (ergebnis != 0) Ablehnen(text.empty() ? "cannot open " + name : text);
        return text;
    }

    // loadsgf FILE [MOVE]: the position before the main line's move MOVE, else its end. A refusal
    // is the protocol's "cannot load file"; the program's messages go to standard error.
    std::string SgfLaden(const std::string& rest) {
        const auto a = Woerter(rest);
        if (a.empty()) Ablehnen("syntax error");
        std::string name = rest;
        int vorZug = 0;
        long n = 0;
        if (a.size() >= 2 && GanzeZahl(a.back(), n)) {
            if (n < 1) Ablehnen("syntax error");
            vorZug = static_cast<int>(std::min<long>(n, MaxHalbzuege + 1));
            name = Getrimmt(rest.substr(0, rest.size() - a.back().size()));
        }
        TSgfErgebnis e;
        auto meldungen = MitFang([&] { e = LeseSgf(name, vorZug); });
        if (!e.Meldung.empty()) meldungen.push_back(e.Code ? IOFehlerMeldung(e.Code, e.Meldung) : e.Meldung);
        for (const auto& m : meldungen)
            Schreiben(m);
        if (!e.Uebernommen) Ablehnen("cannot load file");
        if (e.Komi) Komi = *e.Komi;
        return {};
    }

    std::string Speichern(const std::string& name, TIOErgebnis (*speichere)(const std::string&)) {
        if (name.empty()) Ablehnen("syntax error");
        TIOErgebnis r;
        auto meldungen = MitFang([&] { r = speichere(name); });
        if (r.Code != 0) meldungen.push_back(IOFehlerMeldung(r.Code, r.Meldung));
        const std::string text = Zusammen(meldungen);
        if (r.Code != 0) Ablehnen(text);
        return text;
    }
};

const std::vector<TGtpSitzung::TKommando>& TGtpSitzung::Kommandos() {
    static const std::vector<TKommando> k = {
        {"protocol_version", 0, &TGtpSitzung::ProtokollVersion,
         "protocol_version: die Version des Protokolls (2)"},
        {"name", 0, &TGtpSitzung::Name, "name: der Name des Programms"},
        {"version", 0, &TGtpSitzung::Version, "version: die Version des Programms"},
        {"known_command", 1, &TGtpSitzung::Bekannt, "known_command BEFEHL: true, wenn es den Befehl gibt"},
        {"list_commands", 0, &TGtpSitzung::Liste, "list_commands: alle Befehle, einer je Zeile"},
        {"quit", 0, &TGtpSitzung::Ende, "quit: beendet den GTP-Modus"},
        {"boardsize", 1, &TGtpSitzung::Brettgroesse, "boardsize 7: eine neue Partie (nur 7x7)"},
        {"clear_board", 0, &TGtpSitzung::BrettLeeren, "clear_board: eine neue Partie"},
        {"komi", 1, &TGtpSitzung::KomiSetzen, "komi ZAHL: Komi für final_score"},
        {"play", 2, &TGtpSitzung::Spielen, "play FARBE PUNKT: spielt den Zug der Seite am Zug"},
        {"genmove", 1, &TGtpSitzung::Berechnen, "genmove FARBE: der Computer zieht (oder gibt auf)"},
        {"undo", 0, &TGtpSitzung::Zurueck, "undo: nimmt den letzten Zug zurück"},
        {"showboard", 0, &TGtpSitzung::Brett, "showboard: das Brett und der Stand"},
        {"final_score", 0, &TGtpSitzung::Endstand, "final_score: das Ergebnis der Gebietszählung mit Komi"},
        {"time_settings", 3, &TGtpSitzung::Bedenkzeit,
         "time_settings GRUND BYO STEINE: wird geprüft, sonst übergangen"},
        {"time_left", 3, &TGtpSitzung::Restzeit,
         "time_left FARBE ZEIT STEINE: wird geprüft, sonst übergangen"},
        {"loadsgf", -1, &TGtpSitzung::SgfLaden,
         "loadsgf DATEI [N]: die Partie der SGF-Datei bis vor ihren Zug N"},
        {"printsgf", -1, &TGtpSitzung::SgfAusgeben,
         "printsgf [DATEI]: die Partie als SGF, oder in die Datei"},
        {"kiboru-level", 1, &TGtpSitzung::Stufe, "kiboru-level N: die Spielstufe 1 bis 999"},
        {"kiboru-score", 0, &TGtpSitzung::Stand, "kiboru-score: der Stand, Schwarz:Weiß"},
        {"kiboru-status", 0, &TGtpSitzung::Zustand,
         "kiboru-status: der Stand und wer am Zug ist oder gewonnen hat"},
        {"kiboru-open", -1, &TGtpSitzung::Oeffnen, "kiboru-open DATEI: öffnet eine Partie (.go oder .pgn)"},
        {"kiboru-save", -1, &TGtpSitzung::Sichern, "kiboru-save DATEI: speichert die Partie als .go"},
        {"kiboru-analyse", 0, &TGtpSitzung::Analysieren,
         "kiboru-analyse: je Halbzug N ZUG MARGE VERLUST (Vorsprung von Schwarz danach, Verlust gegen den "
         "besten Zug)"},
        {"kiboru-hint", 0, &TGtpSitzung::Tipp,
         "kiboru-hint: der Zug, den die Engine für die Seite am Zug spielen würde, ohne ihn zu spielen"},
    };
    return k;
}

} // namespace

const std::vector<std::string>& GtpKommandos() {
    static const std::vector<std::string> k = [] {
        std::vector<std::string> namen;
        for (const auto& kommando : TGtpSitzung::Kommandos())
            namen.emplace_back(kommando.Name);
        return namen;
    }();
    return k;
}

std::string GtpZeileBereinigen(const std::string& zeile) {
    std::string s;
    s.reserve(zeile.size());
    for (char c : zeile) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '#') break;
        if (c == '\t')
            s += ' ';
        else if (u >= 32 && u != 127)
            s += c;
    }
    const auto a = s.find_first_not_of(' ');
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

int GtpVertex(const std::string& text) {
    const std::string s = Klein(text);
    if (s == "pass") return -1;
    if (s.size() < 2 || s[0] < 'a' || s[0] > 'z' || s[0] == 'i') return GtpKeinVertex;
    long zeile = 0;
    if (!std::isdigit(static_cast<unsigned char>(s[1])) || !GanzeZahl(s.substr(1), zeile))
        return GtpKeinVertex;
    const int spalte = s[0] - 'a';
    if (spalte > 6 || zeile < 1 || zeile > 7) return GtpAusserhalb;
    return Punkt(spalte, static_cast<int>(zeile) - 1);
}

std::string GtpVertexText(int punkt) {
    if (punkt < 0) return "pass";
    std::string s(1, static_cast<char>('A' + (punkt & 15)));
    s += std::to_string(punkt / 16 + 1);
    return s;
}

int GtpSchleife(std::istream& ein, std::ostream& aus, std::ostream& fehler, int level, bool vorausdenken) {
    TGtpSitzung sitzung(aus, fehler, level, vorausdenken);
    struct TAufraeumen {
        TGtpSitzung& S;
        ~TAufraeumen() { S.Beenden(); }
    } aufraeumen{sitzung};
    try {
        if (!sitzung.Starten()) return 1; // the message of the failed installation is out
    } catch (const std::exception& e) {
        fehler << "Start des GTP-Modus fehlgeschlagen: " << e.what() << '\n';
        return 1;
    }
    for (std::string zeile; std::getline(ein, zeile);)
        if (!sitzung.Zeile(zeile)) break;
    return 0;
}

int GtpHaupt(int argc, char** argv) {
    int level = LevelVorgabe;
    bool vorausdenken = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--gtp") continue;
        if (arg == "--vorausdenken") {
            vorausdenken = true;
            continue;
        }
        std::string wert;
        if (arg == "--level") {
            if (i + 1 >= argc) {
                std::cerr << "Nach --level fehlt die Spielstufe (1 bis 999).\n";
                return 2;
            }
            wert = argv[++i];
        } else if (arg.rfind("--level=", 0) == 0) {
            wert = arg.substr(8);
        } else {
            std::cerr << "Unbekanntes Argument im GTP-Modus: " << arg
                      << "\nAufruf: Kiboru --gtp [--level N] [--vorausdenken]\n";
            return 2;
        }
        long n = 0;
        if (!GanzeZahl(wert, n) || n < 1 || n > 999) {
            std::cerr << "Ungültige Spielstufe \"" << wert
                      << "\": erlaubt sind ganze Zahlen von 1 bis 999.\n";
            return 2;
        }
        level = static_cast<int>(n);
    }
#ifdef SIGPIPE
    // A controller that goes away must end the loop through a failed write, not kill us.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    return GtpSchleife(std::cin, std::cout, std::cerr, level, vorausdenken);
}
