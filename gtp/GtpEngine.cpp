#include "gtp/GtpEngine.h"

#include "engine/ZSucheDflt.h"
#include "gtp/GtpListe.h"
#include "support/StoppUhr.h"
#include "support/StringsV5.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {
std::string Farbe(int seite) { return seite ? "b" : "w"; }

// The set-up start as a game record the program can load: its stones and who is to move.
std::string AufbauAlsSgf(const TBrett& b, int seite) {
    std::string s = "(;GM[1]FF[4]CA[UTF-8]SZ[7]KM[0]";
    s += seite ? "PL[B]" : "PL[W]";
    for (const TFarbe farbe : {Schwarz, Weiss}) {
        std::string punkte;
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 7; ++x)
                if (b[Punkt(x, y)] == farbe) {
                    punkte += '[';
                    punkte += static_cast<char>('a' + x);
                    punkte += static_cast<char>('a' + 6 - y); // row "a" is the top
                    punkte += ']';
                }
        if (!punkte.empty()) s += (farbe == Schwarz ? "AB" : "AW") + punkte;
    }
    return s + ")\n";
}

int StartSeite(const TZugGenerator& r) { return r.AmZug ^ ((r.Zugnummer - 1) & 1); }
} // namespace

TGtpEngine::TGtpEngine(const std::string& name, std::string befehlszeile, TProzessFabrik fabrik)
    : Befehlszeile(std::move(befehlszeile)), Klient(std::move(fabrik)) {
    Name = KuerzeText(name, 20);
    Magic = MagicWert;
}

TGtpEngine::~TGtpEngine() { Beende(); }

bool TGtpEngine::SetzeLevel(int level) {
    Level = level;
    return true;
}

bool TGtpEngine::SpielNeu() {
    Spiegel.Grundstellung();
    return true;
}

bool TGtpEngine::Ziehe(int feld) {
    TZug z{};
    z.Feld = static_cast<std::int8_t>(feld < 0 ? -1 : Bereich<BrettVon, BrettBis>(feld));
    if (!Spiegel.ZugZuFeld(z) || !Spiegel.IstErlaubt(z)) return false;
    Spiegel.Ziehe(z);
    return true;
}

bool TGtpEngine::Zurueck() {
    if (Spiegel.Zugnummer <= 1) return false;
    Spiegel.Zuruecknehmen();
    return true;
}

bool TGtpEngine::SetzeStein(int feld, int wert) {
    Bereich<BrettVon, BrettBis>(feld);
    TFarbe v = ZuFarbe(wert);
    TStellung st = Spiegel.HoleStellung();
    if (IstPunkt(feld)) st.Brett[feld] = v == Rand ? Leer : v;
    // As the built-in engine does: the side to move stays, the history starts anew.
    st.Halbzug = Spiegel.AmZug ? 1 : 2;
    Spiegel.SetzeStellung(st);
    return true;
}

void TGtpEngine::Beende() {
    Klient.Beende();
    Gesendet = TStand{};
    GesendeterLevel = 0;
    Bekannt.clear();
}

bool TGtpEngine::Verfuegbar() const { return Stoerung().empty(); }

std::string TGtpEngine::Stoerung() const {
    std::lock_guard<std::mutex> l(StoerungMutex);
    return StoerungText;
}

std::int64_t TGtpEngine::Kennung() const { return Klient.Kennung(); }

std::string TGtpEngine::Wer() const { return "Die GTP-Engine \"" + Name + "\""; }

bool TGtpEngine::Fehlschlag(const std::string& was) {
    const std::string text = Wer() + " " + was + ".";
    {
        std::lock_guard<std::mutex> l(StoerungMutex);
        StoerungText = text;
    }
    Beende();
    EndGrund = "Fehler der GTP-Engine";
    return Aussetzen(text);
}

bool TGtpEngine::Aussetzen(const std::string& text) {
    if (EndGrund.empty()) EndGrund = "Die GTP-Engine setzt aus";
    // The flag makes the compute dialog end as cancelled: the move stays with the user.
    Stopp = 1;
    ThreadMeldung(text + " Sie sind am Zug.", 1);
    return false;
}

std::optional<bool> TGtpEngine::Kennt(const std::string& kommando) {
    if (auto it = Bekannt.find(kommando); it != Bekannt.end()) return it->second;
    const TGtpAntwort* a = Frage("known_command " + kommando, FristBefehl, true);
    if (!a) return std::nullopt;
    return Bekannt[kommando] = a->Ok() && a->Text == "true";
}

void TGtpEngine::InfoZeit() {
    TSuchInfo i = HoleSuchInfo();
    i.Zeit = ZeitText(Sekunden());
    SetzeSuchInfo(i);
}

double TGtpEngine::Sekunden() const {
    return std::chrono::duration<double>(TUhr::now() - SucheStart).count();
}

const TGtpAntwort* TGtpEngine::Frage(const std::string& befehl, std::chrono::milliseconds frist,
                                     bool fehlerErlaubt) {
    Letzte = Klient.Befehl(befehl, frist, &Stopp, [this] { InfoZeit(); });
    if (Letzte.Ok() || (fehlerErlaubt && Letzte.Art == TGtpAntwort::Fehler)) return &Letzte;
    if (Letzte.Art == TGtpAntwort::Abgebrochen) {
        // The answer comes later and changes the program's board: it starts afresh next time.
        Gesendet.Bekannt = false;
        return nullptr;
    }
    Fehlschlag(GtpFehlerText(Letzte, befehl, frist, Klient.LetzteFehlerzeile()));
    return nullptr;
}

bool TGtpEngine::Gestartet() {
    if (Klient.Laeuft()) return true;
    Beende();
    std::string fehler;
    if (!Klient.Starte(Befehlszeile, fehler)) return Fehlschlag("konnte nicht gestartet werden: " + fehler);
    {
        std::lock_guard<std::mutex> l(StoerungMutex);
        StoerungText.clear();
    }
    return true;
}

bool TGtpEngine::Zuruecksetzen(const TBrett& start, int startSeite) {
    Gesendet = TStand{};
    if (!Frage("boardsize 7", FristBefehl) || !Frage("clear_board", FristBefehl) ||
        !Frage("komi 0", FristBefehl, true))
        return false;
    const bool aufgebaut = startSeite != 1 || !GleichesBrett(start, Startbrett);
    if (aufgebaut) {
        const std::optional<bool> sgf = Kennt("loadsgf");
        if (!sgf) return false;
        if (!*sgf)
            return Aussetzen(Wer() + " kann einer aufgebauten Stellung nicht folgen (sie kennt \"loadsgf\" "
                                     "nicht) und setzt in dieser Partie aus.");
        namespace fs = std::filesystem;
        static std::atomic<int> nummer{0};
        std::error_code ec;
        const fs::path datei = fs::temp_directory_path(ec) / ("kiboru-gtp-" + std::to_string(::getpid()) +
                                                              "-" + std::to_string(++nummer) + ".sgf");
        {
            std::ofstream aus(datei, std::ios::binary);
            aus << AufbauAlsSgf(start, startSeite);
            if (!aus.flush()) {
                fs::remove(datei, ec);
                return Aussetzen("Die Stellung für die GTP-Engine \"" + Name + "\" konnte nicht in " +
                                 datei.string() + " geschrieben werden.");
            }
        }
        const TGtpAntwort* a = Frage("loadsgf " + datei.string(), FristBefehl);
        fs::remove(datei, ec);
        if (!a) return false;
    }
    Gesendet.Bekannt = true;
    Gesendet.Start = start;
    Gesendet.StartSeite = startSeite;
    return true;
}

bool TGtpEngine::LevelSenden() {
    if (Level < 1 || Level == GesendeterLevel) return true;
    // Our own command takes our levels; the common "level" counts 0..10, so "Maximal" is its 10.
    std::string befehl;
    const std::optional<bool> eigener = Kennt("kiboru-level");
    if (!eigener) return false;
    if (*eigener) {
        befehl = "kiboru-level " + std::to_string(std::min(Level, 999));
    } else {
        const std::optional<bool> gemein = Kennt("level");
        if (!gemein) return false;
        if (*gemein) befehl = "level " + std::to_string(std::min(Level, 10));
    }
    if (!befehl.empty()) {
        const TGtpAntwort* a = Frage(befehl, FristBefehl, true);
        if (!a) return false;
        if (!a->Ok()) Protokoll(Wer() + " nimmt \"" + befehl + "\" nicht an: " + a->Text);
    }
    GesendeterLevel = Level;
    return true;
}

bool TGtpEngine::InSchritt() {
    const TBrett& start = Spiegel.Stellungen.front();
    const int seite = StartSeite(Spiegel);
    std::vector<int> soll;
    for (int i = 1; i < Spiegel.Zugnummer; ++i)
        soll.push_back(Spiegel.Zugfolge[i].Feld);
    if (!Gesendet.Bekannt || Gesendet.StartSeite != seite || !GleichesBrett(Gesendet.Start, start))
        if (!Zuruecksetzen(start, seite)) return false;
    std::size_t gleich = 0;
    while (gleich < soll.size() && gleich < Gesendet.Zuege.size() && soll[gleich] == Gesendet.Zuege[gleich])
        ++gleich;
    while (Gesendet.Zuege.size() > gleich) {
        const TGtpAntwort* a = Frage("undo", FristBefehl, true);
        if (!a) return false;
        if (!a->Ok()) {
            // Refused: the whole game again from the start.
            if (!Zuruecksetzen(start, seite)) return false;
            gleich = 0;
            break;
        }
        Gesendet.Zuege.pop_back();
    }
    for (std::size_t i = gleich; i < soll.size(); ++i) {
        if (!Frage("play " + Farbe(seite ^ static_cast<int>(i & 1)) + " " + GtpPunktText(soll[i]),
                   FristBefehl))
            return false;
        Gesendet.Zuege.push_back(soll[i]);
    }
    return LevelSenden();
}

bool TGtpEngine::Berechne(TZug& zug, std::int32_t& wert) {
    zug = NochKeinZug;
    wert = 0;
    Knoten[0] = 0;
    Knoten[1] = 0;
    SucheStart = TUhr::now();
    TSuchInfo info;
    info.Laeuft = true;
    info.Zeit = ZeitText(0);
    SetzeSuchInfo(info);
    const auto ende = [this](const std::string& grund, int feld) {
        TSuchInfo i = HoleSuchInfo();
        i.Zeit = ZeitText(Sekunden());
        i.Grund = grund;
        i.BesterZug = feld;
        i.Laeuft = false;
        SetzeSuchInfo(i);
    };
    EndGrund.clear();
    const auto fehlschlag = [&] {
        ende(EndGrund.empty() ? "Abbruch durch Benutzer" : EndGrund, -2);
        return false;
    };

    if (!Gestartet() || !InSchritt()) return fehlschlag();
    const std::string befehl = "genmove " + Farbe(Spiegel.AmZug);
    const TGtpAntwort* a = Frage(befehl, FristZug);
    if (!a) return fehlschlag();
    std::string text;
    for (char c : a->Text)
        text += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (text == "resign") {
        ende("Aufgabe der GTP-Engine", -2);
        return false; // the computer resigns
    }
    TZug z{};
    const int feld = GtpPunkt(text);
    if (feld == GtpKeinPunkt) {
        Fehlschlag("hat auf \"" + befehl + "\" mit \"" + KuerzeText(a->Text, 40) +
                   "\" geantwortet; das ist kein Zug");
        return fehlschlag();
    }
    z.Feld = static_cast<std::int8_t>(feld);
    if (!Spiegel.ZugZuFeld(z) || !Spiegel.IstErlaubt(z)) {
        Fehlschlag("hat den unerlaubten Zug " + Feldname(feld) + " gespielt");
        return fehlschlag();
    }
    Gesendet.Zuege.push_back(feld);
    zug = z;
    ende("Zug der GTP-Engine", feld);
    return true;
}
