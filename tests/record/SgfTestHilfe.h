#pragma once
// The SGF tests: a temporary folder, a rules engine that follows the game, the message channel
// captured, random games through the controller and a picture of the whole game to compare.
#include "ControllerTestHilfe.h"

#include "record/SgfDoc.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

// Everything a read may change: start, tree with cursor, rules state, the engine's board.
struct TSpielBild {
    std::vector<TZug> Tokens;
    int Cursor = 0, Tiefe = 0, Zugnummer = 0, AmZug = 0;
    TStellung Start;
    TBrett Brett{}, EngineBrett{};
    bool operator==(const TSpielBild& b) const {
        return Tokens == b.Tokens && Cursor == b.Cursor && Tiefe == b.Tiefe && Zugnummer == b.Zugnummer &&
               AmZug == b.AmZug && Start.Halbzug == b.Start.Halbzug && Start.Brett == b.Start.Brett &&
               Brett == b.Brett && EngineBrett == b.EngineBrett;
    }
};

struct SgfUmgebung : ::testing::Test {
    std::filesystem::path Tmp;
    std::vector<std::string> Boxen; // boxes: errors of the controller or the rules
    TRegelEngine A{"A"};

    void SetUp() override {
        Tmp = std::filesystem::temp_directory_path() /
              ("kiboru_sgf_" + std::to_string(getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(Tmp);
        std::filesystem::create_directories(Tmp);
        MeldungenZuruecksetzen();
        TMeldeAusgaben a;
        a.Box = [this](const std::string& t) { Boxen.push_back(t); };
        SetzeMeldeAusgaben(a);
        RegistriereLogMemo([](const std::string&) {});
        EngineListe = {&A};
        NeuesSpiel();
    }
    void TearDown() override {
        EngineListe.clear();
        NeuesSpiel();
        MeldungenZuruecksetzen();
        std::error_code ec;
        std::filesystem::remove_all(Tmp, ec);
    }

    std::string N(const std::string& name) const { return (Tmp / name).string(); }
    void Schreibe(const std::string& name, const std::string& text) const {
        std::ofstream(N(name), std::ios::binary) << text;
    }
    static std::string Lies(const std::string& pfad) {
        std::ifstream ein(pfad, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(ein), {});
    }

    TSpielBild Bild() const {
        TSpielBild b;
        for (int i = 0; i <= Baum.Letzter; ++i)
            b.Tokens.push_back((*Baum.Tokens)[i]);
        b.Cursor = Baum.Cursor;
        b.Tiefe = Baum.Tiefe;
        b.Zugnummer = Regeln.Zugnummer;
        b.AmZug = Regeln.AmZug;
        b.Start = Startstellung();
        b.Brett = Regeln.Brett;
        b.EngineBrett = A.R.Brett;
        return b;
    }

    // A game taken over holds together: a well-formed tree of legal moves whose path to the cursor
    // is the rules state's line, and the engine in step.
    void PruefeStimmig(const std::string& was) const {
        std::vector<TZug> offen;
        TZugGenerator r;
        r.SetzeStellung(Startstellung());
        for (int i = 0; i <= Baum.Letzter; ++i) {
            TZug t = (*Baum.Tokens)[i];
            if (IstVorwaerts(t)) {
                ASSERT_TRUE(r.IstErlaubt(t)) << was << ": Token " << i;
                r.Ziehe(t);
                offen.push_back(t);
                if (i + 1 == Baum.Cursor) {
                    ASSERT_EQ(r.Zugnummer, Regeln.Zugnummer) << was;
                    ASSERT_TRUE(GleichesBrett(r.Brett, Regeln.Brett)) << was;
                }
                continue;
            }
            SetzeVorwaerts(t, true);
            ASSERT_FALSE(offen.empty()) << was;
            ASSERT_EQ(offen.back(), t) << was;
            offen.pop_back();
            r.Zuruecknehmen();
        }
        ASSERT_TRUE(offen.empty()) << was;
        if (Baum.Cursor == 0) ASSERT_EQ(Regeln.Zugnummer, 1) << was;
        ASSERT_EQ(static_cast<int>(Regeln.Stellungen.size()), Regeln.Zugnummer) << was;
        ASSERT_EQ(Baum.Tiefe, Regeln.Zugnummer - 1) << was;
        ASSERT_TRUE(GleichesBrett(A.R.Brett, Regeln.Brett)) << was;
        ASSERT_EQ(A.R.AmZug, Regeln.AmZug) << was;
    }
};

// A random game through the controller: sometimes from a set-up position, moves and passes,
// take-backs that make variations, a change of variation now and then, sometimes to the end.
inline void ZufallsPartie(std::mt19937& rnd) {
    if (rnd() % 3 == 0) {
        TStellung st;
        for (int i = static_cast<int>(rnd() % 9); i > 0; --i)
            st.Brett[Punkt(static_cast<int>(rnd() % 7), static_cast<int>(rnd() % 7))] =
                rnd() % 2 ? Schwarz : Weiss;
        st.Halbzug = rnd() % 2 ? 1 : 2;
        NeueStellung(st);
    } else {
        NeuesSpiel();
    }
    const int n = static_cast<int>(rnd() % 60);
    for (int i = 0; i < n; ++i) {
        const unsigned art = rnd() % 12;
        if (art < 2 || Regeln.BeidePassen()) {
            ZurueckMitUhr();
        } else if (art == 2) {
            rnd() % 2 ? NaechsteVariante() : VorherigeVariante();
        } else {
            std::vector<TZug> legal;
            for (int k = 1; k <= Regeln.Kandidaten(); ++k)
                if (Regeln.IstErlaubt(Regeln.Zugliste[k])) legal.push_back(Regeln.Zugliste[k]);
            ZieheMitUhr(legal[art == 3 ? 0 : rnd() % legal.size()]); // entry 0 is the pass
        }
    }
    if (rnd() % 4 == 0)
        while (!Regeln.BeidePassen())
            ZieheMitUhr(Passzug());
}

inline int Runden(int n) { return std::getenv("KIBORU_TEST_KURZ") ? n / 10 : n; }
