// Games that start from a set-up position: handed to the engines, saved and reopened.
#include "EngineUmgebung.h"

#include "engine/ziehenDflt.h"
#include "record/StellungDoc.h"
#include "record/TPAcht.h"
#include "support/StringsV5.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
struct AufbauTest : TEngineUmgebung {
    void SetUp() override {
        TEngineUmgebung::SetUp();
        PAchtStart();
        SetzeLevelVonSlot(1, 2);
        SetzeLevelVonSlot(0, 2);
    }

    // White stones on the c column, black on e, white to move.
    static TStellung Aufbau() {
        TStellung st;
        for (int y = 0; y < 7; ++y) {
            st.Brett[Punkt(2, y)] = Weiss;
            st.Brett[Punkt(4, y)] = Schwarz;
        }
        st.Brett[Punkt(2, 3)] = Leer;
        st.Halbzug = 2;
        return st;
    }
};

TZug Punktzug(const std::string& feld) {
    TZug z{};
    z.Feld = feld == "--" ? -1 : static_cast<std::int8_t>(FeldAusText(feld));
    Regeln.ZugZuFeld(z);
    return z;
}

std::vector<unsigned char> Bytes(const fs::path& p) {
    std::ifstream ein(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(ein), {}};
}
} // namespace

TEST_F(AufbauTest, EnginesFolgenDerAufgebautenStellungMitWeissAmZug) {
    NeueStellung(Aufbau());
    EXPECT_EQ(Regeln.AmZug, 0);
    EXPECT_EQ(Spielerfarbe, 0);
    EXPECT_TRUE(IstAufgebaut());
    // the engine board holds the same stones, white to move, and no pass in its history
    EXPECT_TRUE(GleichesBrett(EngineBrett.Brett, Regeln.Brett));
    EXPECT_EQ(EngineBrett.AmZug, 0);
    EXPECT_EQ(EngineBrett.Zugnummer, 1);
    // white passes: for the engine this is one pass, not the second of two
    ZieheMitUhr(Punktzug("--"));
    EXPECT_FALSE(EngineBrett.BeidePassen());
    const TZug antwort = Rechne();
    EXPECT_TRUE(Regeln.IstErlaubt(antwort)) << ZugText(antwort);
    EXPECT_TRUE(Boxen.empty()) << Boxen.front();
}

TEST_F(AufbauTest, AufgebautePartieUeberlebtSpeichernUndOeffnen) {
    NeueStellung(Aufbau());
    ZieheMitUhr(Punktzug("a1"));
    ZieheMitUhr(Punktzug("g7"));
    ZieheMitUhr(Punktzug("a2"));
    ZurueckMitUhr();
    ZieheMitUhr(Punktzug("a3")); // a variation at the third half-move
    const TBrett brett = Regeln.Brett;
    const int zugnummer = Regeln.Zugnummer;
    const TStellung start = Startstellung();
    const fs::path datei = Tmp / "aufbau.go";
    ASSERT_TRUE(SpeichereSpielMitMeldung(datei.string()));

    // 13 stones in setup records before the tokens, base record 2 (white to move)
    const auto bytes = Bytes(datei);
    ASSERT_EQ(bytes.size(), 4u * (6 + 13 + Baum.Letzter + 1));
    EXPECT_EQ(bytes[16], 2);
    EXPECT_EQ(bytes[24 + 3], 2); // first setup record: flag bit value 2
    EXPECT_EQ(static_cast<signed char>(bytes[24]), Weiss);

    NeuesSpiel();
    ASSERT_EQ(LadeSpiel(datei.string(), true, false), 0);
    EXPECT_TRUE(Infos.empty()) << Infos.front();
    EXPECT_TRUE(GleichesBrett(Regeln.Brett, brett));
    EXPECT_EQ(Regeln.Zugnummer, zugnummer);
    EXPECT_EQ(Startstellung().Halbzug, 2);
    EXPECT_TRUE(GleichesBrett(Startstellung().Brett, start.Brett));
    EXPECT_TRUE(GleichesBrett(EngineBrett.Brett, Regeln.Brett));
    EXPECT_EQ(EngineBrett.AmZug, Regeln.AmZug);

    // the loaded game keeps the line to the current position: saved again, it reads back to the
    // same bytes
    const fs::path zweite = Tmp / "zweite.go";
    ASSERT_TRUE(SpeichereSpielMitMeldung(zweite.string()));
    ASSERT_EQ(LadeSpiel(zweite.string(), true, false), 0);
    const fs::path dritte = Tmp / "dritte.go";
    ASSERT_TRUE(SpeichereSpielMitMeldung(dritte.string()));
    EXPECT_EQ(Bytes(dritte), Bytes(zweite));
    EXPECT_EQ(Bytes(zweite)[16], 2);

    // and the computer moves from it
    const TZug zug = Rechne();
    ASSERT_TRUE(Regeln.IstErlaubt(zug)) << ZugText(zug);
    ZieheMitUhr(zug);
    EXPECT_TRUE(GleichesBrett(EngineBrett.Brett, Regeln.Brett));
    EXPECT_TRUE(Boxen.empty()) << Boxen.front();
}

TEST_F(AufbauTest, PartieVomLeerenBrettSchreibtKeineAufstellung) {
    ZieheMitUhr(Punktzug("d4"));
    EXPECT_FALSE(IstAufgebaut());
    const fs::path datei = Tmp / "normal.go";
    ASSERT_TRUE(SpeichereSpielMitMeldung(datei.string()));
    const auto bytes = Bytes(datei);
    EXPECT_EQ(bytes.size(), 4u * (6 + 2));
    EXPECT_EQ(bytes[16], 1);
}
