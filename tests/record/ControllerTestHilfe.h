#pragma once
// Test engines for the controller and the game file: one that follows the game with its own
// rules state, one that only records and may refuse.
#include "engine/Engines.h"
#include "record/TPAcht.h"
#include "support/StringsV5.h"

#include <string>
#include <vector>

struct TRegelEngine : TEngine {
    TZugGenerator R;
    std::vector<std::string> *Spur = nullptr;
    explicit TRegelEngine(const std::string &name, std::vector<std::string> *spur = nullptr) : Spur(spur) {
        Name = name;
        Magic = MagicWert;
    }
    bool SpielNeu() override {
        if (Spur) Spur->push_back(Name + " neu");
        R.Grundstellung();
        return true;
    }
    bool Ziehe(int feld) override {
        if (Spur) Spur->push_back(Name + " zieht " + Feldname(feld));
        TZug z{};
        z.Feld = static_cast<std::int8_t>(feld);
        R.ZugZuFeld(z);
        if (!R.IstErlaubt(z)) return false;
        R.Ziehe(z);
        return true;
    }
    bool Zurueck() override {
        if (Spur) Spur->push_back(Name + " zurück");
        if (R.Zugnummer <= 1) return false;
        R.Zuruecknehmen();
        return true;
    }
    bool SetzeStein(int feld, int wert) override {
        TStellung st = R.HoleStellung();
        st.Brett[feld] = ZuFarbe(wert);
        st.Halbzug = R.AmZug ? 1 : 2; // a set stone keeps the side to move, as the engines do
        R.SetzeStellung(st);
        return true;
    }
};

struct TSturEngine : TEngine {
    std::vector<std::string> *Spur = nullptr;
    bool ZiehtNicht = true;
    bool NimmtNichtZurueck = true;
    int Zuege = 0;
    // What the engine saw when it was told: the tree and the rules state must be ahead of it.
    int ZugnummerBeimZug = 0;
    int LetzterTokenBeimZug = 0;
    explicit TSturEngine(const std::string &name, std::vector<std::string> *spur = nullptr) : Spur(spur) {
        Name = name;
        Magic = MagicWert;
    }
    bool SpielNeu() override {
        if (Spur) Spur->push_back(Name + " neu");
        return true;
    }
    bool Ziehe(int feld) override {
        if (Spur) Spur->push_back(Name + " zieht " + Feldname(feld));
        ZugnummerBeimZug = Regeln.Zugnummer;
        LetzterTokenBeimZug = Baum.Letzter;
        ++Zuege;
        return !ZiehtNicht;
    }
    bool Zurueck() override {
        if (Spur) Spur->push_back(Name + " zurück");
        return !NimmtNichtZurueck;
    }
};

// The candidate of the rules state for a point text ("--" a pass).
inline TZug P(const std::string &feld) {
    TZug z{};
    z.Feld = feld == "--" ? -1 : static_cast<std::int8_t>(FeldAusText(feld));
    Regeln.ZugZuFeld(z);
    return z;
}
