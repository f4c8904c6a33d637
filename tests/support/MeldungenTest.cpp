#include "support/StringsV5.h"
#include "support/TP2Win.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <vector>

namespace {
struct Mitschrift {
    std::vector<std::string> boxen, infos, log;
    int piepser = 0, auffrischen = 0;
    Mitschrift() {
        MeldungenZuruecksetzen();
        SetzeMeldeAusgaben({[this](const std::string &t) { boxen.push_back(t); },
                            [this](const std::string &t) { infos.push_back(t); }, [this] { ++piepser; },
                            [this] { ++auffrischen; }});
    }
    ~Mitschrift() { MeldungenZuruecksetzen(); }
};
} // namespace

TEST(IOFehler, TexteUndProzentzeichen) {
    Mitschrift m;
    ZeigeIOFehler(2, "Datei x.go konnte nicht eingelesen werden (%) ");
    ZeigeIOFehler(153, "");
    ZeigeIOFehler(5, "ohne Platzhalter");
    ZeigeIOFehler(101, "% und %");
    ASSERT_EQ(m.infos.size(), 4u);
    EXPECT_EQ(m.infos[0], "Datei x.go konnte nicht eingelesen werden (Datei nicht gefunden) ");
    EXPECT_EQ(m.infos[1], "DOS-Fehler: Fehler 153");
    EXPECT_EQ(m.infos[2], "ohne Platzhalter");
    EXPECT_EQ(m.infos[3], "Disk-Schreibfehler und Disk-Schreibfehler");
    EXPECT_EQ(IOFehlerText(0), "Kein Fehler");
    EXPECT_EQ(IOFehlerText(4), "Zu viele Dateien geöffnet");
    EXPECT_EQ(IOFehlerText(201), "Range check error");
    EXPECT_EQ(IOFehlerText(214), "Collection overflow error");
}

TEST(IOFehler, ErrnoWirdAufDieCodesAbgebildet) {
    EXPECT_EQ(IOCodeAusErrno(ENOENT, false), 2);
    EXPECT_EQ(IOCodeAusErrno(ENOTDIR, false), 3);
    EXPECT_EQ(IOCodeAusErrno(EACCES, true), 5);
    EXPECT_EQ(IOCodeAusErrno(EISDIR, false), 5);
    EXPECT_EQ(IOCodeAusErrno(EROFS, true), 150);
    EXPECT_EQ(IOCodeAusErrno(ENOSPC, true), 101);
    EXPECT_EQ(IOCodeAusErrno(EIO, false), 100);
    EXPECT_EQ(IOCodeAusErrno(EIO, true), 101);
    // errno without a code of its own: "Fehler " + errno, never the text of an unrelated code
    EXPECT_EQ(IOFehlerText(IOCodeAusErrno(EINTR, false)), "Fehler " + std::to_string(EINTR));
}

TEST(Meldungen, NurDerErsteFehlerZeigtEineBoxUndPiept) {
    Mitschrift m;
    std::vector<std::string> pane;
    RegistriereLogMemo([&](const std::string &t) { pane.push_back(t); });
    Fehler("erster");
    Fehler("zweiter");
    EXPECT_EQ(m.boxen, std::vector<std::string>{"erster"});
    EXPECT_EQ(m.piepser, 2);
    EXPECT_EQ(pane, std::vector<std::string>{"zweiter"});
    EXPECT_TRUE(ErsterFehlerGezeigt());
    // "#" with show: an error (now only logged)
    Meldung("#dritter", true);
    EXPECT_EQ(pane.back(), "dritter");
    Meldung("sichtbar", true);
    EXPECT_EQ(m.boxen.back(), "sichtbar");
    EXPECT_GT(m.auffrischen, 0);
}

TEST(Meldungen, ZeilenVorDemFensterKommenZuerstUndInEinemStueck) {
    Mitschrift m;
    Protokoll("eins");
    Protokoll("zwei");
    EXPECT_EQ(AnstehenderText(), "eins\r\nzwei\r\n");
    std::vector<std::string> pane;
    RegistriereLogMemo([&](const std::string &t) { pane.push_back(t); });
    EXPECT_TRUE(pane.empty());
    Protokoll("drei");
    ASSERT_EQ(pane.size(), 2u);
    EXPECT_EQ(pane[0], "eins\r\nzwei");
    EXPECT_EQ(pane[1], "drei");
    EXPECT_TRUE(AnstehenderText().empty());
}

TEST(Meldungen, ThreadAusgabeTraegtFehler) {
    Mitschrift m;
    std::vector<std::pair<std::string, bool>> weg;
    SetzeThreadAusgabe([&](const std::string &t, bool zeigen) { weg.emplace_back(t, zeigen); });
    Fehler("a");
    Fehler("b");
    ASSERT_EQ(weg.size(), 2u);
    EXPECT_TRUE(weg[0].second);
    EXPECT_FALSE(weg[1].second);
}
