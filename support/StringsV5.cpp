#include "support/StringsV5.h"

#include <iostream>
#include <mutex>

namespace {
TMeldeAusgaben Ausgaben;
std::function<void(const std::string&)> LogMemo;
std::function<void(const std::string&, bool)> ThreadAusgabe;
std::string Anstehend;
bool ErsterFehler = false;

void Auffrischen() {
    if (Ausgaben.Auffrischen) Ausgaben.Auffrischen();
}
void Box(const std::string& text) {
    if (Ausgaben.Box)
        Ausgaben.Box(text);
    else
        std::cerr << text << '\n';
}
} // namespace

std::string KuerzeText(const std::string& s, std::size_t n) {
    std::size_t zeichen = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            if (zeichen == n) return s.substr(0, i);
            ++zeichen;
        }
    }
    return s;
}

void SetzeMeldeAusgaben(TMeldeAusgaben a) { Ausgaben = std::move(a); }

void RegistriereLogMemo(std::function<void(const std::string&)> zeile) { LogMemo = std::move(zeile); }

void LogAusgebenAnstehend() {
    if (!LogMemo || Anstehend.empty()) return;
    // The pane takes the buffered lines in one piece; drop the final line break, the pane adds its own.
    std::string t = Anstehend;
    Anstehend.clear();
    if (t.size() >= 2 && t.compare(t.size() - 2, 2, "\r\n") == 0) t.resize(t.size() - 2);
    LogMemo(t);
}

void SetzeThreadAusgabe(std::function<void(const std::string&, bool)> f) { ThreadAusgabe = std::move(f); }

void Meldung(const std::string& text, bool zeigen) {
    if (zeigen && !text.empty() && text[0] == '#') {
        Fehler(text.substr(1));
        return;
    }
    Auffrischen();
    if (zeigen) {
        Box(text);
    } else if (LogMemo) {
        LogAusgebenAnstehend();
        LogMemo(text);
    } else {
        Anstehend += text + "\r\n";
    }
}

void Protokoll(const std::string& text) { Meldung(text, false); }

void Fehler(const std::string& text) {
    bool erster = !ErsterFehler;
    if (ThreadAusgabe)
        ThreadAusgabe(text, erster);
    else
        Meldung(text, erster);
    if (erster) {
        if (Ausgaben.Piep) {
            Ausgaben.Piep();
            Ausgaben.Piep();
        }
        Auffrischen();
    }
    ErsterFehler = true;
}

void ZeigeInfo(const std::string& text) {
    if (Ausgaben.InfoBox)
        Ausgaben.InfoBox(text);
    else
        Box(text);
}

void MeldungenZuruecksetzen() {
    Ausgaben = {};
    LogMemo = nullptr;
    ThreadAusgabe = nullptr;
    Anstehend.clear();
    ErsterFehler = false;
}

bool ErsterFehlerGezeigt() { return ErsterFehler; }
const std::string& AnstehenderText() { return Anstehend; }
