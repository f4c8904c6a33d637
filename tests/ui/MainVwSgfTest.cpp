// SGF files through the window: open, save in the format the file came in, save as, the recent
// entry, the command line deciding by content, and refused files that change nothing.
#include "MainVwUmgebung.h"

#include "record/SgfDoc.h"
#include "record/StellungDoc.h"
#include "rules/ZugGen.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace testui;

namespace {

class MainVwSgf : public ::testing::Test {
protected:
    void SetUp() override { Grundzustand(); }
    void TearDown() override { WarteAufSuche(); }

    static QString Datei(const QString& name, const QByteArray& inhalt) {
        const QString pfad = QDir(DatenOrdner()).filePath(name);
        QFile f(pfad);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(inhalt);
        return pfad;
    }
    static QByteArray Inhalt(const QString& pfad) {
        QFile f(pfad);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }
};

TEST_F(MainVwSgf, OpenedSgfIsSavedAsSgfAndComesBackAsTheSameTree) {
    const QString pfad =
        Datei(QStringLiteral("partie.sgf"), "(;GM[1]FF[4]SZ[7];B[dd];W[cc](;B[ee])(;B[bb]))");
    TTestForm form;
    form.OeffnenPfad = pfad;
    form.FileOpen1Execute();
    EXPECT_TRUE(Gefangen().Boxen.empty());
    ASSERT_EQ(Regeln.Zugnummer, 4); // the end of the main line
    EXPECT_EQ(form.GetFileName(), pfad);
    EXPECT_EQ(form.windowTitle(), "partie.sgf[*] - Kiboru");
    EXPECT_EQ(form.Datei->Letzte[0], pfad);
    EXPECT_FALSE(form.Datei->Geaendert);

    Spiele(Punkt(6, 6));
    form.Datei->Geaendert = true;
    form.FileSave1Execute(); // Ctrl+S keeps the file an SGF file
    EXPECT_FALSE(form.Datei->Geaendert);
    EXPECT_TRUE(Inhalt(pfad).startsWith("(;GM[1]FF[4]CA[UTF-8]SZ[7]"));
    const std::string gespeichert = PartieAlsSgf();

    NeuesSpiel();
    form.DateiLaden(0);
    EXPECT_EQ(Regeln.Zugnummer, 5);
    EXPECT_EQ(PartieAlsSgf(), gespeichert); // with the variation
}

TEST_F(MainVwSgf, SaveAsBySgfNameAndTheCommandLineDecidesByContent) {
    TTestForm form;
    for (int p : {Punkt(3, 3), Punkt(2, 2), -1})
        Spiele(p);
    form.Datei->Geaendert = true;
    form.SpeichernPfad = QDir(DatenOrdner()).filePath(QStringLiteral("neu.sgf"));
    QFile::remove(form.SpeichernPfad);
    form.FileSaveAs1Execute();
    EXPECT_EQ(form.GetFileName(), form.SpeichernPfad);
    EXPECT_TRUE(Inhalt(form.SpeichernPfad).startsWith("(;GM[1]"));
    EXPECT_EQ(form.Datei->Art, TDateiArt::Sgf);

    // The same text under another name is still read as SGF; a game file is not taken for one.
    const QString ohne =
        Datei(QStringLiteral("ohne-endung.txt"), "\xEF\xBB\xBF\n " + Inhalt(form.SpeichernPfad));
    NeuesSpiel();
    TTestForm zweite;
    EXPECT_TRUE(zweite.SpielZeigen(ohne));
    EXPECT_EQ(Regeln.Zugnummer, 4);
    EXPECT_EQ(zweite.GetFileName(), ohne);
    EXPECT_EQ(zweite.Datei->Art, TDateiArt::Sgf);
    const QString spiel = QDir(DatenOrdner()).filePath(QStringLiteral("spiel.go"));
    ASSERT_TRUE(SpeichereSpielMitMeldung(spiel.toStdString()));
    EXPECT_EQ(TPartieDatei::DateiArt(spiel), TDateiArt::Spiel);
}

TEST_F(MainVwSgf, ARefusedSgfFileChangesNothing) {
    const QString benannt = QDir(DatenOrdner()).filePath(QStringLiteral("benannt.go"));
    ASSERT_TRUE(SpeichereSpielMitMeldung(benannt.toStdString()));
    TTestForm form;
    form.SetFileName(benannt);
    Spiele(Punkt(3, 3));
    form.Datei->Geaendert = true;
    const TBrett brett = Regeln.Brett;
    const auto pruefe = [&](const char* wo) {
        SCOPED_TRACE(wo);
        ASSERT_FALSE(Gefangen().Boxen.empty()); // the reader said why
        EXPECT_EQ(form.GetFileName(), benannt);
        EXPECT_TRUE(form.Datei->Geaendert);
        EXPECT_EQ(form.Datei->Letzte[0], benannt);
        EXPECT_EQ(Regeln.Zugnummer, 2);
        EXPECT_EQ(Regeln.Brett, brett);
        Gefangen().Boxen.clear();
    };

    form.OeffnenPfad = Datei(QStringLiteral("neun.sgf"), "(;GM[1]FF[4]SZ[9];B[ee])");
    form.Antworten = {QMessageBox::No}; // do not save the changed game first
    form.FileOpen1Execute();
    pruefe("9x9");

    const QString kaputt = Datei(QStringLiteral("kaputt.sgf"), "(;GM[1]FF[4]SZ[7]\n;B[dd");
    form.Datei->Letzte[1] = kaputt;
    const auto liste = form.Datei->Letzte;
    form.Antworten = {QMessageBox::No};
    form.DateiLaden(1);
    EXPECT_TRUE(!Gefangen().Boxen.empty() &&
                QString::fromStdString(Gefangen().Boxen.back()).contains("Zeile 2"));
    pruefe("kaputt");
    EXPECT_EQ(form.Datei->Letzte, liste);
}

} // namespace
