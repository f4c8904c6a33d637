#include "support/HilfsFkt.h"
#include "support/StringsV5.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
// Sets or removes an environment variable for one test and restores it afterwards.
class TUmgebung {
public:
    TUmgebung(const char* name, const std::optional<std::string>& wert) : Name(name) {
        if (const char* alt = std::getenv(name)) Alt = alt;
        if (wert)
            setenv(name, wert->c_str(), 1);
        else
            unsetenv(name);
    }
    ~TUmgebung() {
        if (Alt)
            setenv(Name.c_str(), Alt->c_str(), 1);
        else
            unsetenv(Name.c_str());
    }

private:
    std::string Name;
    std::optional<std::string> Alt;
};

struct HilfsFktTest : ::testing::Test {
    fs::path Tmp;
    std::vector<std::string> Boxen;
    std::vector<std::string> FehlerBoxen;

    void SetUp() override {
        Tmp = fs::temp_directory_path() / ("kiboru_hilfsfkt_" + std::to_string(getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(Tmp);
        fs::create_directories(Tmp);
        HilfsFktZuruecksetzen();
        MeldungenZuruecksetzen();
        TMeldeAusgaben a;
        a.Box = [this](const std::string& t) { Boxen.push_back(t); };
        SetzeMeldeAusgaben(a);
        SetzeFehlerBox([this](const std::string& t) { FehlerBoxen.push_back(t); });
    }
    void TearDown() override {
        SetzeFehlerBox(nullptr);
        SetzeProgrammName("");
        MeldungenZuruecksetzen();
        HilfsFktZuruecksetzen();
        std::error_code ec;
        fs::permissions(Tmp, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(Tmp, ec);
    }
    std::string P(const std::string& rel) const { return (Tmp / rel).string(); }
};

std::string Inhalt(const std::string& datei) {
    std::ifstream ein(datei, std::ios::binary);
    std::stringstream s;
    s << ein.rdbuf();
    return s.str();
}
} // namespace

TEST(HilfsFktPfade, PfadVerbindenUndNamen) {
    EXPECT_EQ(PfadVerbinden("/a/b", "c.txt"), "/a/b/c.txt");
    EXPECT_EQ(PfadVerbinden("/a/b/", "c.txt"), "/a/b/c.txt");
    EXPECT_EQ(NameOhneOrdnerUndEndung("/x/y/Kiboru.exe"), "Kiboru");
    EXPECT_EQ(NameOhneOrdnerUndEndung("spiel.v2.go"), "spiel.v2");
    EXPECT_EQ(KonfigNameAus("Kiboru.exe"), "Kiboru.ini");
    EXPECT_EQ(KonfigNameAus("abcde"), "abini");
    EXPECT_EQ(KonfigNameAus("a.ex"), "config.ini");
    EXPECT_EQ(RegistryLesen("HKCU", "Software", "Personal", "vorgabe"), "vorgabe");
}

TEST_F(HilfsFktTest, DatenordnerUnterAppData) {
    TUmgebung a("AppData", Tmp.string());
    TUmgebung x("XDG_DATA_HOME", P("xdg"));
    const std::string d = DatenVerzeichnis();
    EXPECT_EQ(d, P("Quennel/tests_support"));
    EXPECT_TRUE(fs::is_directory(d));
    EXPECT_FALSE(fs::exists(P("xdg")));
    EXPECT_EQ(Konfigdatei(), P("Quennel/tests_support/tests_support.ini"));
    EXPECT_EQ(fs::path(Hilfedatei()).filename(), "tests_support.htm");
    // Cached: a removed folder does not change the answer.
    fs::remove_all(P("Quennel"));
    EXPECT_EQ(DatenVerzeichnis(), d);
}

// The installed binary is named in lower case: the program's spelling stays in every derived name.
TEST_F(HilfsFktTest, ProgrammnameInAndererSchreibweiseGibtDieGleichenDateinamen) {
    TUmgebung a("AppData", Tmp.string());
    SetzeProgrammName("TESTS_Support");
    EXPECT_EQ(DatenVerzeichnis(), P("Quennel/TESTS_Support"));
    EXPECT_EQ(Konfigdatei(), P("Quennel/TESTS_Support/TESTS_Support.ini"));
    EXPECT_EQ(fs::path(Hilfedatei()).filename(), "TESTS_Support.htm");
    // Another name altogether is not this program's: the executable's name stands.
    SetzeProgrammName("Kiboru");
    EXPECT_EQ(Konfigdatei(), P("Quennel/tests_support/tests_support.ini"));
}

TEST_F(HilfsFktTest, OhneAppDataDerXdgOrdnerUndHome) {
    {
        // AppData naming no existing folder is ignored; the XDG root is created as needed.
        TUmgebung a("AppData", P("gibtsnicht"));
        TUmgebung x("XDG_DATA_HOME", P("xdg/tief"));
        EXPECT_EQ(DatenVerzeichnis(), P("xdg/tief/Quennel/tests_support"));
        EXPECT_TRUE(fs::is_directory(P("xdg/tief/Quennel/tests_support")));
    }
    HilfsFktZuruecksetzen();
    {
        TUmgebung a("AppData", std::nullopt);
        TUmgebung x("XDG_DATA_HOME", "");
        TUmgebung h("HOME", P("heim"));
        EXPECT_EQ(DatenVerzeichnis(), P("heim/.local/share/Quennel/tests_support"));
    }
}

TEST_F(HilfsFktTest, OhneJedenDatenordnerDerOrdnerHomeBeimProgramm) {
    TUmgebung a("AppData", std::nullopt);
    TUmgebung x("XDG_DATA_HOME", std::nullopt);
    TUmgebung h("HOME", std::nullopt);
    const std::string home = PfadVerbinden(ProgrammVerzeichnis(), "home");
    const bool gabEs = fs::exists(home);
    const std::string d = DatenVerzeichnis();
    EXPECT_TRUE(d == home || d == ProgrammVerzeichnis());
    EXPECT_TRUE(fs::is_directory(d));
    if (!gabEs) fs::remove(home);
}

TEST_F(HilfsFktTest, DateiSicherstellenSchreibtLaedtUndMeldet) {
    std::vector<std::string> zeilen{"Werte", "1 2 3", "End Werte"};
    const std::string datei = P("werte.cfg");
    ASSERT_TRUE(DateiSicherstellen(datei, zeilen, true));
    EXPECT_EQ(Inhalt(datei), "Werte\n1 2 3\nEnd Werte\n");

    // An existing file is never overwritten; with laden its lines replace the built-in ones.
    {
        std::ofstream aus(datei, std::ios::binary);
        aus << "eigene\r\nWerte";
    }
    std::vector<std::string> z2{"vorgabe"};
    ASSERT_TRUE(DateiSicherstellen(datei, z2, false));
    EXPECT_EQ(z2, std::vector<std::string>{"vorgabe"});
    ASSERT_TRUE(DateiSicherstellen(datei, z2, true));
    EXPECT_EQ(z2, (std::vector<std::string>{"eigene", "Werte"}));
    EXPECT_EQ(Inhalt(datei), "eigene\r\nWerte");
    EXPECT_TRUE(FehlerBoxen.empty());

    // A name that cannot be read keeps the built-in text and reports it.
    fs::create_directory(P("ordner.cfg"));
    std::vector<std::string> z3{"eingebaut"};
    EXPECT_TRUE(DateiSicherstellen(P("ordner.cfg"), z3, true));
    EXPECT_EQ(z3, std::vector<std::string>{"eingebaut"});
    ASSERT_EQ(FehlerBoxen.size(), 1u);
    EXPECT_EQ(FehlerBoxen[0], "Fehler beim Einlesen der Datei \"" + P("ordner.cfg") + "\".");

    // A file that cannot be written: the caller ends the program.
    const std::string unmoeglich = P("fehlt/werte.cfg");
    EXPECT_FALSE(DateiSicherstellen(unmoeglich, z3, true));
    ASSERT_EQ(FehlerBoxen.size(), 2u);
    EXPECT_EQ(FehlerBoxen[1], "Fehler bei der Installation. Datei konnte nicht angelegt werden: " +
                                  unmoeglich + "\r\nAnwendung wird beendet.");
    EXPECT_FALSE(fs::exists(unmoeglich));
}

TEST_F(HilfsFktTest, AusfuehrenOhneDateiMeldetDenFehler) {
    EXPECT_FALSE(Ausfuehren(P("gibtsnicht.htm"), ""));
    EXPECT_FALSE(Ausfuehren(P("kein_programm"), "datei.txt"));
    ASSERT_EQ(Boxen.size(), 2u);
    EXPECT_EQ(Boxen[0],
              "Fehler beim Aufruf von <" + P("gibtsnicht.htm") + ">\r\nmit Argument: <>\r\nFehlercode: 0.");
    EXPECT_EQ(Boxen[1], "Fehler beim Aufruf von <" + P("kein_programm") +
                            ">\r\nmit Argument: <datei.txt>\r\nFehlercode: 0.");
}

TEST_F(HilfsFktTest, KonfigurationImIniFormat) {
    TUmgebung a("AppData", Tmp.string());
    EXPECT_EQ(KonfigLesen("Datei", "recent", "Unbenannt"), "Unbenannt");
    KonfigSchreiben("Datei", "recent", "/home/ich/Partien/Übung 1.go");
    KonfigSchreiben("recent", "0", "a.go");
    KonfigSchreiben("recent", "19", "b.go");
    EXPECT_EQ(KonfigLesen("Datei", "recent", "Unbenannt"), "/home/ich/Partien/Übung 1.go");
    EXPECT_EQ(KonfigLesen("recent", "0", ""), "a.go");
    EXPECT_EQ(KonfigLesen("recent", "19", ""), "b.go");
    EXPECT_EQ(KonfigLesen("recent", "5", ""), "");
    const std::string text = Inhalt(Konfigdatei());
    EXPECT_NE(text.find("[Datei]"), std::string::npos);
    EXPECT_NE(text.find("[recent]"), std::string::npos);
    EXPECT_NE(text.find("0=a.go"), std::string::npos);
}
