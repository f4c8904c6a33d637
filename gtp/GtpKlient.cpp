#include "gtp/GtpKlient.h"

#include "rules/Basis.h"

#include <cctype>

bool TGtpKlient::Starte(const std::string& befehlszeile, std::string& fehler) {
    Beende();
    std::vector<std::string> teile;
    if (!ZerlegeBefehlszeile(befehlszeile, teile, fehler)) return false;
    auto p = Fabrik ? Fabrik() : nullptr;
    if (!p) {
        fehler = "Programme können hier nicht gestartet werden.";
        return false;
    }
    const std::string programm = teile.front();
    teile.erase(teile.begin());
    if (!p->Starte(programm, teile, fehler)) return false;
    P = std::move(p);
    return true;
}

bool TGtpKlient::Laeuft() const { return P && P->Laeuft(); }

void TGtpKlient::Beende() {
    if (P) P->Beende();
    P.reset();
    Offen = 0;
}

std::string TGtpKlient::LetzteFehlerzeile() const { return P ? P->LetzteFehlerzeile() : std::string(); }
std::int64_t TGtpKlient::Kennung() const { return P ? P->Kennung() : 0; }

namespace {
// An answer line begins with '=' or '?' and an optional id of digits.
bool IstAntwortAnfang(const std::string& z, int& id, std::string& rest) {
    if (z.empty() || (z[0] != '=' && z[0] != '?')) return false;
    std::size_t i = 1;
    id = -1;
    if (i < z.size() && std::isdigit(static_cast<unsigned char>(z[i]))) {
        id = 0;
        for (; i < z.size() && std::isdigit(static_cast<unsigned char>(z[i])); ++i)
            id = (id % 100000000) * 10 + (z[i] - '0');
    }
    while (i < z.size() && (z[i] == ' ' || z[i] == '\t'))
        ++i;
    rest = z.substr(i);
    return true;
}

bool IstLeerzeile(const std::string& z) { return z.find_first_not_of(" \t") == std::string::npos; }
} // namespace

TGtpAntwort TGtpKlient::Befehl(const std::string& befehl, std::chrono::milliseconds frist,
                               const std::atomic<std::uint8_t>* stopp, const std::function<void()>& warten) {
    TGtpAntwort a;
    if (!Laeuft()) return a;
    const int id = NaechsteId++;
    if (!P->SchreibeZeile(std::to_string(id) + " " + befehl)) return a;
    const TUhr::time_point ende = TUhr::now() + frist;
    // The answer ends with an empty line; lines outside an answer are not ours to read.
    bool inAntwort = false, unsere = false;
    for (;;) {
        const TUhr::time_point bis = std::min(ende, TUhr::now() + std::chrono::milliseconds(200));
        std::string z;
        const TProzess::TLesen l = P->LiesZeile(z, bis, stopp);
        if (l == TProzess::TLesen::Stopp || l == TProzess::TLesen::Ende ||
            (l == TProzess::TLesen::Frist && TUhr::now() >= ende)) {
            if (inAntwort && unsere && l == TProzess::TLesen::Ende) return a; // cut off by the end
            ++Offen;
            a.Art = l == TProzess::TLesen::Stopp   ? TGtpAntwort::Abgebrochen
                    : l == TProzess::TLesen::Frist ? TGtpAntwort::Frist
                                                   : TGtpAntwort::Beendet;
            a.Text.clear();
            return a;
        }
        if (l == TProzess::TLesen::Frist) {
            if (warten) warten();
            continue;
        }
        if (!z.empty() && z.back() == '\r') z.pop_back();
        if (inAntwort) {
            if (IstLeerzeile(z)) {
                inAntwort = false;
                if (unsere) return a;
                continue;
            }
            if (unsere) a.Text += "\n" + z;
            continue;
        }
        int zid = -1;
        std::string rest;
        if (!IstAntwortAnfang(z, zid, rest)) continue;
        inAntwort = true;
        // An answer without id is taken for the oldest one still owed.
        unsere = zid == id || (zid < 0 && Offen == 0);
        if (!unsere) {
            if (Offen > 0) --Offen;
            continue;
        }
        a.Art = z[0] == '=' ? TGtpAntwort::Erfolg : TGtpAntwort::Fehler;
        a.Text = rest;
    }
}

int GtpPunkt(const std::string& text) {
    std::string s;
    for (char c : text)
        s += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (s == "pass") return -1;
    if (s.size() != 2 || s[0] < 'a' || s[0] > 'g' || s[1] < '1' || s[1] > '7') return GtpKeinPunkt;
    return Punkt(s[0] - 'a', s[1] - '1');
}

std::string GtpPunktText(int punkt) {
    if (punkt < 0) return "pass";
    return std::string(1, static_cast<char>('A' + punkt % 16)) + static_cast<char>('1' + punkt / 16);
}
