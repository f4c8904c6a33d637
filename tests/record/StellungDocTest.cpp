#include "ControllerTestHilfe.h"

#include "record/StellungDoc.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
using TBytes = std::vector<unsigned char>;

TBytes Lies(const fs::path &p) {
    std::ifstream ein(p, std::ios::binary);
    return TBytes(std::istreambuf_iterator<char>(ein), {});
}
void Schreibe(const fs::path &p, const TBytes &b) {
    std::ofstream aus(p, std::ios::binary | std::ios::trunc);
    aus.write(reinterpret_cast<const char *>(b.data()), static_cast<std::streamsize>(b.size()));
}
void Int(TBytes &b, std::int32_t v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<unsigned char>(static_cast<std::uint32_t>(v) >> (8 * i)));
}
TBytes Kopf(const char *magic, const char *format, std::int32_t cursor, std::int32_t letzter) {
    TBytes b;
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<unsigned char>(magic[i]));
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<unsigned char>(format[i]));
    Int(b, cursor);
    Int(b, letzter);
    Int(b, 1);
    Int(b, 0);
    return b;
}
void Token(TBytes &b, TZug z) {
    b.push_back(static_cast<unsigned char>(z.Farbe));
    b.push_back(static_cast<unsigned char>(z.Feld));
    b.push_back(static_cast<unsigned char>(z.Schlag));
    b.push_back(z.Flags);
}
TZug Zurueck(TZug z) {
    SetzeVorwaerts(z, false);
    return z;
}

struct StellungDocTest : ::testing::Test {
    fs::path Tmp;
    std::vector<std::string> Spur, Boxen, Infos, Log;
    TRegelEngine A{"A", &Spur};

    void SetUp() override {
        Tmp = fs::temp_directory_path() /
              ("kiboru_stellungdoc_" + std::to_string(getpid()) + "_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(Tmp);
        fs::create_directories(Tmp);
        MeldungenZuruecksetzen();
        TMeldeAusgaben a;
        a.Box = [this](const std::string &t) { Boxen.push_back(t); };
        a.InfoBox = [this](const std::string &t) { Infos.push_back(t); };
        SetzeMeldeAusgaben(a);
        RegistriereLogMemo([this](const std::string &t) { Log.push_back(t); });
        EngineListe = {&A};
        NeuesSpiel();
    }
    void TearDown() override {
        EngineListe.clear();
        NeuesSpiel();
        MeldungenZuruecksetzen();
        std::error_code ec;
        fs::remove_all(Tmp, ec);
    }
    std::string N(const std::string &name) const { return (Tmp / name).string(); }

    // a1 b1 c1 d1 with g7 instead of b1 and f6 instead of c1; the current position after b1.
    void SpielMitVarianten() {
        for (const char *z : {"a1", "b1", "c1", "d1"})
            ZieheMitUhr(P(z));
        ZweiZurueck();
        ZieheMitUhr(P("f6"));
        ZurueckMitUhr();
        ZurueckMitUhr();
        ZieheMitUhr(P("g7"));
        ZurueckMitUhr();
        VorherigeVariante(); // from g7 back to b1
        ASSERT_TRUE(VorAusBaum());
    }
    std::vector<TZug> Linie() const {
        std::vector<TZug> l;
        for (int i = 1; i < Regeln.Zugnummer; ++i)
            l.push_back(Regeln.Zugfolge[i]);
        return l;
    }
    bool IstNeuesSpiel() const { return Regeln.Zugnummer == 1 && Baum.Letzter == -1 && A.R.Zugnummer == 1; }

    // The game after a load holds together: the rules state replays from its first board, the
    // tree holds exactly that line, and the engine is in step.
    void PruefeStimmig() const {
        ASSERT_EQ(static_cast<int>(Regeln.Stellungen.size()), Regeln.Zugnummer);
        ASSERT_TRUE(GleichesBrett(Regeln.Stellungen.back(), Regeln.Brett));
        TZugGenerator g;
        TStellung st;
        st.Brett = Regeln.Stellungen[0];
        st.Halbzug = 1;
        g.SetzeStellung(st);
        for (int i = 1; i < Regeln.Zugnummer; ++i) {
            ASSERT_TRUE(g.IstErlaubt(Regeln.Zugfolge[i])) << i;
            g.Ziehe(Regeln.Zugfolge[i]);
        }
        ASSERT_TRUE(GleichesBrett(g.Brett, Regeln.Brett));
        ASSERT_EQ(Baum.Letzter, 2 * (Regeln.Zugnummer - 1) - 1);
        ASSERT_EQ(Baum.Tiefe, Regeln.Zugnummer - 1);
        ASSERT_TRUE(GleichesBrett(A.R.Brett, Regeln.Brett));
        ASSERT_EQ(A.R.Zugnummer, Regeln.Zugnummer);
    }
};
} // namespace

TEST_F(StellungDocTest, LeeresSpielSindSechsRecords) {
    const TIOErgebnis e = SpeichereSpiel(N("leer.go"));
    EXPECT_EQ(e.Code, 0);
    const TBytes erwartet = Kopf("goV1", "7x7 ", 0, -1);
    EXPECT_EQ(Lies(N("leer.go")), erwartet);
    EXPECT_EQ(erwartet.size(), 24u);
    EXPECT_EQ(LadeSpiel(N("leer.go"), true, false), 0);
    EXPECT_TRUE(IstNeuesSpiel());
    EXPECT_TRUE(Infos.empty());
    // An empty file is a new game, without a word.
    Schreibe(N("null.go"), {});
    Spur.clear();
    EXPECT_EQ(LadeSpiel(N("null.go"), true, false), 0);
    EXPECT_TRUE(Infos.empty());
    EXPECT_EQ(Spur, std::vector<std::string>{"A neu"});
}

TEST_F(StellungDocTest, RundreiseMitVarianten) {
    SpielMitVarianten();
    const auto linie = Linie();
    const TBrett brett = Regeln.Brett;
    ASSERT_EQ(linie.size(), 2u);
    ASSERT_EQ(SpeichereSpiel(N("var.go")).Code, 0);
    EXPECT_EQ(Lies(N("var.go")).size(), 4u * (7 + Baum.Letzter));

    Spur.clear();
    EXPECT_EQ(LadeSpiel(N("var.go"), true, false), 0);
    EXPECT_TRUE(Infos.empty());
    EXPECT_EQ(Linie(), linie);
    EXPECT_TRUE(GleichesBrett(Regeln.Brett, brett));
    PruefeStimmig();
    // The engines are told the new game and the line only, not the walk through the file.
    EXPECT_EQ(Spur, (std::vector<std::string>{"A neu", "A zieht a1", "A zieht b1"}));

    ASSERT_TRUE(SpeichereSpielMitMeldung(N("b.go")));
    ASSERT_EQ(LadeSpiel(N("b.go"), true, false), 0);
    ASSERT_TRUE(SpeichereSpielMitMeldung(N("c.go")));
    EXPECT_EQ(Lies(N("b.go")), Lies(N("c.go")));
    EXPECT_EQ(Linie(), linie);

    // A plain line saved at its end comes back byte for byte.
    NeuesSpiel();
    for (const char *z : {"c3", "e5", "--", "d4"})
        ZieheMitUhr(P(z));
    ASSERT_EQ(SpeichereSpiel(N("d.go")).Code, 0);
    ASSERT_EQ(LadeSpiel(N("d"), true, false), 0); // ".go" is added
    ASSERT_EQ(SpeichereSpiel(N("e.go")).Code, 0);
    EXPECT_EQ(Lies(N("d.go")), Lies(N("e.go")));
    EXPECT_EQ(Regeln.Zugnummer, 5);
}

TEST_F(StellungDocTest, KopfMeldungenWoertlich) {
    const std::string v = N("v2.go");
    Schreibe(v, Kopf("goV2", "7x7 ", 0, -1));
    EXPECT_EQ(LadeSpiel(v, true, false), -1);
    EXPECT_EQ(Infos, std::vector<std::string>{"Die Datei " + v + " Benötigt mindestens Programmversion 2."});

    const std::string f = N("fremd.go");
    Schreibe(f, Kopf("abcd", "7x7 ", 0, -1));
    EXPECT_EQ(LeseSpiel(f).Meldung,
              "Die Datei " + f + " hat ein falsches Format.\r\nErwartet: goV1\r\nGefunden: abcd");

    ZieheMitUhr(P("c4"));
    const std::string g = N("gross.go");
    TBytes b = Kopf("goV1", "9x9 ", 0, 1);
    Token(b, TZug{Schwarz, 0, 0, 0});
    Token(b, Zurueck(TZug{Schwarz, 0, 0, 0}));
    Schreibe(g, b);
    const TIOErgebnis e = LeseSpiel(g);
    EXPECT_EQ(e.Code, 0);
    EXPECT_EQ(e.Meldung,
              "Die Datei enthält eine Go-Partie auf einem 9x9 großen Brett. Dieses Programm ist jedoch "
              "für ein Spielfeld im Format 7x7 gedacht.");
    EXPECT_TRUE(IstNeuesSpiel());

    const std::string h = N("halb.go");
    b = Kopf("goV1", "7x7 ", 0, 5);
    Token(b, TZug{Schwarz, 0, 0, 0});
    Token(b, Zurueck(TZug{Schwarz, 0, 0, 0}));
    Schreibe(h, b);
    EXPECT_EQ(LeseSpiel(h).Meldung, "Datei " + h + ": 6 Halbzüge erwartet, jedoch 2 gefunden.");
    // A partial record at the end is no record.
    b = Kopf("goV1", "7x7 ", 2, 1);
    Token(b, TZug{Schwarz, 0, 0, 0});
    Token(b, Zurueck(TZug{Schwarz, 0, 0, 0}));
    b.push_back(7);
    Schreibe(h, b);
    EXPECT_EQ(LeseSpiel(h).Meldung, "");
    EXPECT_EQ(Regeln.Zugnummer, 1); // the stored cursor 2 is behind the move: back at the start
    Schreibe(h, TBytes(b.begin(), b.begin() + 6));
    EXPECT_NE(LeseSpiel(h).Meldung, "");
}

TEST_F(StellungDocTest, FehlendeDateiUndAnlegen) {
    ZieheMitUhr(P("c4"));
    EXPECT_EQ(LadeSpiel(N("fehlt"), true, false), 2);
    EXPECT_EQ(Infos, std::vector<std::string>{"Datei " + N("fehlt.go") +
                                              " konnte nicht eingelesen werden (Datei nicht gefunden) "});
    EXPECT_TRUE(IstNeuesSpiel());
    EXPECT_EQ(LadeSpiel(N("neu"), false, true), 0);
    EXPECT_TRUE(fs::exists(N("neu.go")));
    EXPECT_EQ(LadeSpiel("", true, true), 0);
    // A dot in a folder name does not count as the file's extension.
    fs::create_directory(N("ordner.x"));
    EXPECT_EQ(LadeSpiel(N("ordner.x/partie"), false, true), 0);
    EXPECT_TRUE(fs::exists(N("ordner.x/partie.go")));
}

TEST_F(StellungDocTest, AufstellungsRecords) {
    const TZug b1{Schwarz, 1, 0, 0};
    TBytes b = Kopf("goV1", "7x7 ", 1, 1);
    Token(b, TZug{Schwarz, 0, 0, FlagSetup});  // a1 black
    Token(b, TZug{Schwarz, 16, 0, FlagSetup}); // a2 black
    Token(b, TZug{Rand, 7, 0, FlagSetup});     // border on border: nothing
    Token(b, b1);
    Token(b, Zurueck(b1));
    Schreibe(N("auf.go"), b);
    const TIOErgebnis e = LeseSpiel(N("auf.go"));
    ASSERT_EQ(e.Meldung, "");
    EXPECT_EQ(Regeln.Zugnummer, 2);
    EXPECT_EQ(Regeln.Zugfolge[1], b1);
    EXPECT_EQ(Regeln.Brett[0], Schwarz);
    EXPECT_EQ(Regeln.Brett[16], Schwarz);
    EXPECT_EQ(Regeln.Brett[1], Schwarz);
    EXPECT_EQ(Regeln.AmZug, 0);
    PruefeStimmig();

    for (const TZug &schlecht : {TZug{5, 0, 0, FlagSetup}, TZug{Schwarz, 7, 0, FlagSetup},
                                 TZug{Rand, 0, 0, FlagSetup}, TZug{Schwarz, -40, 0, FlagSetup}}) {
        TBytes c = Kopf("goV1", "7x7 ", 0, -1);
        Token(c, schlecht);
        Schreibe(N("schlecht.go"), c);
        const TIOErgebnis f = LeseSpiel(N("schlecht.go"));
        EXPECT_NE(f.Meldung.find("ist beschädigt: eine Aufstellung setzt den Wert"), std::string::npos)
            << f.Meldung;
        EXPECT_TRUE(IstNeuesSpiel());
    }
}

// Found by fuzzing: a set-up game on an empty board (white to move) was saved without a setup
// record and so reopened as a new game with black to move.
TEST_F(StellungDocTest, LeeresAufgebautesBrettBehaeltWeissAmZug) {
    TBytes b = Kopf("goV1", "7x7 ", 0, -1);
    b[16] = 2;                            // base record even: white to move
    Token(b, TZug{Rand, -1, Rand, 0xFF}); // the fuzzer's record: border on a border cell
    Schreibe(N("weiss.go"), b);
    ASSERT_EQ(LeseSpiel(N("weiss.go")).Meldung, "");
    ASSERT_EQ(Regeln.AmZug, 0);
    ASSERT_EQ(SpeichereSpiel(N("eins.go")).Code, 0);
    ASSERT_EQ(LeseSpiel(N("eins.go")).Meldung, "");
    EXPECT_EQ(Regeln.AmZug, 0);
    EXPECT_TRUE(IstAufgebaut());
    ASSERT_EQ(SpeichereSpiel(N("zwei.go")).Code, 0);
    EXPECT_EQ(Lies(N("zwei.go")), Lies(N("eins.go")));
}

TEST_F(StellungDocTest, KaputterZugbaumWirdAbgewiesen) {
    const TZug a1{Schwarz, 0, 0, 0}, b1{Weiss, 1, 0, 0};
    struct TFall {
        std::vector<TZug> Tokens;
        std::string Teil;
    };
    const std::vector<TFall> faelle{
        {{TZug{Schwarz, 7, 0, 0}, Zurueck(TZug{Schwarz, 7, 0, 0})}, "außerhalb des Spielfelds (Feld 7)"},
        {{a1, b1, Zurueck(a1), Zurueck(b1)}, "keinen gültigen Zugbaum (Eintrag 3)"},
        {{a1, b1, Zurueck(b1)}, "nicht vollständig"},
        {{Zurueck(a1), a1}, "keinen gültigen Zugbaum (Eintrag 1)"},
        {{TZug{Schwarz, 0, 0, 8}, TZug{Schwarz, 0, 0, 12}}, "Eintrag 1 ist kein gültiger Zug"},
        {{a1, TZug{Weiss, 0, 0, 0}, Zurueck(TZug{Weiss, 0, 0, 0}), Zurueck(a1)},
         "der 2. Halbzug (a1) ist nach den Regeln nicht erlaubt"},
    };
    for (const auto &fall : faelle) {
        ZieheMitUhr(P("c4"));
        TBytes b = Kopf("goV1", "7x7 ", static_cast<std::int32_t>(fall.Tokens.size()),
                        static_cast<std::int32_t>(fall.Tokens.size()) - 1);
        for (const TZug &z : fall.Tokens)
            Token(b, z);
        Schreibe(N("kaputt.go"), b);
        Infos.clear();
        EXPECT_EQ(LadeSpiel(N("kaputt.go"), true, false), -1) << fall.Teil;
        ASSERT_EQ(Infos.size(), 1u);
        EXPECT_EQ(Infos[0].rfind("Die Datei " + N("kaputt.go") + " ist beschädigt: ", 0), 0u) << Infos[0];
        EXPECT_NE(Infos[0].find(fall.Teil), std::string::npos) << Infos[0];
        EXPECT_TRUE(IstNeuesSpiel());
    }
    EXPECT_TRUE(Boxen.empty());
}

TEST_F(StellungDocTest, SpeichernZerstoertNieDieAlteDatei) {
    const std::string f = N("alt.go");
    ASSERT_EQ(SpeichereSpiel(f).Code, 0);
    const TBytes alt = Lies(f);
    SpielMitVarianten();

    // The file system refuses to write more than 30 bytes.
    rlimit vorher{};
    getrlimit(RLIMIT_FSIZE, &vorher);
    auto altesSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit eng = vorher;
    eng.rlim_cur = 30;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &eng), 0);
    const TIOErgebnis e = SpeichereSpiel(f);
    setrlimit(RLIMIT_FSIZE, &vorher);
    std::signal(SIGXFSZ, altesSignal);

    EXPECT_NE(e.Code, 0);
    EXPECT_EQ(e.Meldung, "Partie " + f + " konnte nicht vollständig gespeichert werden (%).");
    EXPECT_EQ(Lies(f), alt);
    EXPECT_EQ(std::distance(fs::directory_iterator(Tmp), fs::directory_iterator()), 1); // no leftovers

    // A folder that does not exist: nothing is created.
    const TIOErgebnis g = SpeichereSpiel(N("fehlt/x.go"));
    EXPECT_EQ(g.Code, 2);
    EXPECT_EQ(g.Meldung, "Datei " + N("fehlt/x.go") + " konnte nicht erzeugt werden (%).");
    EXPECT_FALSE(SpeichereSpielMitMeldung(N("fehlt/x.go")));
    ASSERT_EQ(Infos.size(), 1u);
    EXPECT_EQ(Infos[0], "Datei " + N("fehlt/x.go") + " konnte nicht erzeugt werden (Datei nicht gefunden).");

    // Saving over the old file replaces it completely.
    ASSERT_EQ(SpeichereSpiel(f).Code, 0);
    EXPECT_EQ(Lies(f).size(), 4u * (7 + Baum.Letzter));
}

TEST_F(StellungDocTest, JedeVerkuerzungUndJedesVeraenderteByte) {
    SpielMitVarianten();
    ASSERT_EQ(SpeichereSpiel(N("ganz.go")).Code, 0);
    const TBytes ganz = Lies(N("ganz.go"));
    const bool kurz = std::getenv("KIBORU_TEST_KURZ") != nullptr;
    const std::string d = N("d.go");
    int geladen = 0, abgewiesen = 0;

    auto pruefe = [&](const TBytes &b, const std::string &was) {
        fs::remove(d); // a fresh file: truncating one makes the file system flush every time
        Schreibe(d, b);
        Spur.clear();
        const TIOErgebnis e = LeseSpiel(d);
        if (e.Code != 0 || !e.Meldung.empty()) {
            ++abgewiesen;
            ASSERT_TRUE(IstNeuesSpiel()) << was;
        } else {
            ++geladen;
            PruefeStimmig();
            if (::testing::Test::HasFatalFailure()) FAIL() << was;
        }
        ASSERT_TRUE(Boxen.empty()) << was << ": " << Boxen[0];
    };
    for (std::size_t n = 0; n < ganz.size(); ++n)
        pruefe(TBytes(ganz.begin(), ganz.begin() + n), "Länge " + std::to_string(n));
    for (std::size_t i = 0; i < ganz.size(); ++i) {
        for (int w = 0; w < 256; w += kurz ? 17 : 1) {
            if (w == ganz[i]) continue;
            TBytes b = ganz;
            b[i] = static_cast<unsigned char>(w);
            pruefe(b, "Byte " + std::to_string(i) + " = " + std::to_string(w));
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
    EXPECT_GT(geladen, 0);
    EXPECT_GT(abgewiesen, 0);
}
