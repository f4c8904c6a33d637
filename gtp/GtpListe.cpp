#include "gtp/GtpListe.h"

#include "support/StringsV5.h"

#include <cstdlib>
#include <filesystem>

namespace {
std::string Getrimmt(const std::string& s) {
    const auto a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(" \t\r\n") - a + 1);
}

bool IstProgramm(const std::filesystem::path& p) {
    std::error_code ec;
    return std::filesystem::is_regular_file(p, ec) &&
           (std::filesystem::status(p, ec).permissions() & std::filesystem::perms::others_exec) !=
               std::filesystem::perms::none;
}

std::string Sekunden(std::chrono::milliseconds d) {
    const auto s = std::chrono::duration_cast<std::chrono::seconds>(d).count();
    if (s >= 1) return std::to_string(s) + (s == 1 ? " Sekunde" : " Sekunden");
    return std::to_string(d.count()) + " Millisekunden";
}
} // namespace

std::optional<TGtpEintrag> GtpEintragAusText(const std::string& text) {
    const auto strich = text.find('|');
    if (strich == std::string::npos) return std::nullopt;
    const TGtpEintrag e = GtpEintragGetrimmt({text.substr(0, strich), text.substr(strich + 1)});
    if (e.Name.empty() || e.Befehlszeile.empty()) return std::nullopt;
    return e;
}

std::string GtpEintragText(const TGtpEintrag& e) { return e.Name + "|" + e.Befehlszeile; }

TGtpEintrag GtpEintragGetrimmt(const TGtpEintrag& e) { return {Getrimmt(e.Name), Getrimmt(e.Befehlszeile)}; }

std::string GtpEintragPruefen(const TGtpEintrag& e, const std::vector<std::string>& vorhandene) {
    const std::string& name = e.Name;
    if (name.empty()) return "Bitte einen Namen für die Engine angeben.";
    if (name.find('|') != std::string::npos) return "Der Name einer Engine darf kein \"|\" enthalten.";
    if (KuerzeText(name, 20) != name) return "Der Name einer Engine darf höchstens 20 Zeichen lang sein.";
    for (const std::string& v : vorhandene)
        if (v == name) return "Es gibt schon eine Engine namens \"" + name + "\".";
    std::vector<std::string> teile;
    std::string fehler;
    if (!ZerlegeBefehlszeile(e.Befehlszeile, teile, fehler)) return fehler;
    return {};
}

std::optional<TGtpEintrag> GnuGoVorschlag() {
    bool aufPfad = false;
    if (const char* pfad = std::getenv("PATH")) {
        const std::string p = pfad;
        for (std::size_t a = 0; a <= p.size() && !aufPfad;) {
            const auto b = std::min(p.find(':', a), p.size());
            const std::string ordner = p.substr(a, b - a);
            if (!ordner.empty()) aufPfad = IstProgramm(std::filesystem::path(ordner) / "gnugo");
            a = b + 1;
        }
    }
    // Debian's folder of games is not on every PATH (a desktop session's often lacks it).
    const char* programm = aufPfad ? "gnugo" : IstProgramm("/usr/games/gnugo") ? "/usr/games/gnugo" : nullptr;
    if (!programm) return std::nullopt;
    return TGtpEintrag{"GNU Go", std::string(programm) +
                                     " --mode gtp --boardsize 7 --chinese-rules --komi 0 --level 10"};
}

std::string GtpFehlerText(const TGtpAntwort& a, const std::string& befehl, std::chrono::milliseconds frist,
                          const std::string& fehlerzeile) {
    switch (a.Art) {
    case TGtpAntwort::Erfolg:
    case TGtpAntwort::Abgebrochen:
        return {};
    case TGtpAntwort::Fehler:
        return "meldet auf \"" + befehl + "\" den Fehler \"" + KuerzeText(a.Text, 200) + "\"";
    case TGtpAntwort::Frist:
        return "hat auf \"" + befehl + "\" nicht innerhalb von " + Sekunden(frist) + " geantwortet";
    case TGtpAntwort::Beendet:
        break;
    }
    std::string t = "hat sich unerwartet beendet (bei \"" + befehl + "\")";
    if (!fehlerzeile.empty()) t += "; ihre letzte Meldung: \"" + KuerzeText(fehlerzeile, 200) + "\"";
    return t;
}

TGtpProbe GtpEngineProbieren(const std::string& befehlszeile, TProzessFabrik fabrik,
                             std::chrono::milliseconds frist, const std::atomic<std::uint8_t>* stopp) {
    TGtpProbe p;
    TGtpKlient k(std::move(fabrik));
    if (!k.Starte(befehlszeile, p.Fehler)) {
        p.Fehler = "Die Engine konnte nicht gestartet werden: " + p.Fehler;
        return p;
    }
    for (const char* befehl : {"name", "version", "boardsize 7"}) {
        const TGtpAntwort a = k.Befehl(befehl, frist, stopp);
        if (a.Art == TGtpAntwort::Abgebrochen) {
            p.Fehler = "Der Test wurde abgebrochen.";
            return p;
        }
        if (!a.Ok()) {
            p.Fehler = "Die Engine " + GtpFehlerText(a, befehl, frist, k.LetzteFehlerzeile()) + ".";
            return p;
        }
        if (befehl[0] == 'n') p.Name = a.Text;
        if (befehl[0] == 'v') p.Version = a.Text;
    }
    p.Ok = true;
    return p;
}
