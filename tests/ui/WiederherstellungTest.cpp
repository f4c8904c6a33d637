// The recovery copy: a killed program's game comes back at the next start, a clean close leaves
// nothing behind, a copy not taken back is kept aside, two programs keep two copies, and a data
// folder that cannot be written costs one message and no move.
#include "MainVwUmgebung.h"

#include "record/StellungDoc.h"
#include "ui/Wiederherstellung.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

using namespace testui;

namespace {

// A data folder of its own for one test, shared with real runs of the program: the program keeps
// its files in Quennel/Kiboru, this test executable in Quennel/tests_ui, which points there.
struct TEigenerDatenordner : TFrischerDatenordner {
    TEigenerDatenordner() {
        QDir().mkpath(Programm());
        QFile::link(Programm(), TFrischerDatenordner::Daten());
    }
    ~TEigenerDatenordner() { NeuesSpiel(); }
    QString Programm() const { return QDir(Dir.path()).filePath(QStringLiteral("Quennel/Kiboru")); }
    QString Datei(const QString& name) const { return QDir(Programm()).filePath(name); }
    // A game file of one move in the folder; the current game goes on from it.
    QString Partie(const QString& name, int feld) const {
        const QString pfad = Datei(name);
        Spiele(feld);
        EXPECT_TRUE(SpeichereSpielMitMeldung(pfad.toStdString()));
        return pfad;
    }
};

// The built program on the offscreen platform with this data folder, typing the given characters.
struct TProgramm {
    QProcess P;
    TProgramm(const TEigenerDatenordner& d, const QString& eingabe) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_DATA_HOME", d.Dir.path());
        env.insert("HOME", d.Dir.path());
        env.remove("AppData");
        env.insert("KIBORU_TESTEINGABE", eingabe);
        P.setProcessEnvironment(env);
        P.start(QStringLiteral(KIBORU_EXE), {});
    }
    ~TProgramm() {
        if (P.state() != QProcess::NotRunning) {
            P.kill();
            P.waitForFinished(30000);
        }
    }
};

// Waits until the copy holds the given number of half-moves; the moves then, empty on time-out.
std::vector<TZug> WarteAufKopie(TProgramm& prog, const QString& kopie, int halbzuege) {
    for (int i = 0; i < 1200 && prog.P.state() == QProcess::Running; ++i) {
        if (QFileInfo::exists(kopie) && LeseSpiel(kopie.toStdString()).Code == 0 &&
            Regeln.Zugnummer == halbzuege + 1) {
            std::vector<TZug> zuege;
            for (int z = 1; z < Regeln.Zugnummer; ++z)
                zuege.push_back(Regeln.Zugfolge[z]);
            NeuesSpiel();
            return zuege;
        }
        QThread::msleep(50);
    }
    ADD_FAILURE() << "keine Kopie mit " << halbzuege
                  << " Halbzügen: " << prog.P.readAllStandardError().toStdString();
    return {};
}

TEST(Wiederherstellung, AKilledProgramsGameComesBackWithEveryMove) {
    Grundzustand();
    TEigenerDatenordner d;
    const QString kopie = d.Datei(QStringLiteral("wiederherstellen.go"));
    std::vector<TZug> zuege;
    {
        TProgramm prog(d, QStringLiteral("d4-")); // d4, the answer, a pass, the answer
        ASSERT_TRUE(prog.P.waitForStarted(30000));
        zuege = WarteAufKopie(prog, kopie, 4);
        ASSERT_EQ(zuege.size(), 4u);
        ::kill(static_cast<pid_t>(prog.P.processId()), SIGKILL);
        ASSERT_TRUE(prog.P.waitForFinished(30000));
    }
    EXPECT_EQ(zuege[0].Feld, Punkt(3, 3));
    EXPECT_TRUE(IstPass(zuege[2]));
    ASSERT_TRUE(QFileInfo::exists(kopie));
    EXPECT_TRUE(QFileInfo::exists(d.Datei(QStringLiteral("wiederherstellen.lock")))); // a dead process's

    // The next start, as the program main runs it.
    TTestForm form;
    ASSERT_TRUE(form.Rettung->Verwaist());
    std::vector<QString> fragen;
    form.Rettung->Fragen = [&](const QString& f) {
        fragen.push_back(f);
        return true; // "Ja"
    };
    form.show();
    ASSERT_TRUE(form.Rettung->Anbieten(*form.Datei));
    ASSERT_EQ(fragen.size(), 1u);
    EXPECT_TRUE(fragen[0].contains("nicht ordnungsgemäß beendet")) << fragen[0].toStdString();
    EXPECT_TRUE(fragen[0].contains("die unbenannte Partie")) << fragen[0].toStdString();
    ASSERT_EQ(Regeln.Zugnummer, 5);
    for (int z = 1; z <= 4; ++z) {
        EXPECT_EQ(Regeln.Zugfolge[z].Feld, zuege[z - 1].Feld) << z;
        EXPECT_EQ(Regeln.Zugfolge[z].Farbe, zuege[z - 1].Farbe) << z;
    }
    EXPECT_EQ(form.GetFileName(), TPartieDatei::Unbenannt);
    EXPECT_TRUE(form.Datei->Geaendert);
    EXPECT_TRUE(form.isWindowModified());
    EXPECT_EQ(form.windowTitle(), "Unbenannt[*] - Kiboru");
    EXPECT_TRUE(form.Fragen.empty());
    QApplication::processEvents(); // the restored game is this run's copy now
    EXPECT_TRUE(QFileInfo::exists(kopie));
    form.close(); // clean: the game goes to autosave.go, the copy goes
    EXPECT_FALSE(QFileInfo::exists(kopie));
    EXPECT_TRUE(QFileInfo::exists(d.Datei(QStringLiteral("autosave.go"))));
}

TEST(Wiederherstellung, ACleanCloseOfTheProgramLeavesNoCopy) {
    Grundzustand();
    TEigenerDatenordner d;
    TProgramm prog(d, QStringLiteral("d4"));
    ASSERT_TRUE(prog.P.waitForStarted(30000));
    ASSERT_EQ(WarteAufKopie(prog, d.Datei(QStringLiteral("wiederherstellen.go")), 2).size(), 2u);
    prog.P.terminate(); // SIGTERM closes the window as the user would
    ASSERT_TRUE(prog.P.waitForFinished(30000));
    EXPECT_EQ(prog.P.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(prog.P.exitCode(), 0);
    for (const char* rest : {"wiederherstellen.go", "wiederherstellen.ini", "wiederherstellen.lock"})
        EXPECT_FALSE(QFileInfo::exists(d.Datei(QString::fromLatin1(rest)))) << rest;
    ASSERT_EQ(LeseSpiel(d.Datei(QStringLiteral("autosave.go")).toStdString()).Code, 0);
    EXPECT_EQ(Regeln.Zugnummer, 3);
}

TEST(Wiederherstellung, NeinKeepsTheCopyAsideWithoutOverwritingAnOlderOne) {
    Grundzustand();
    TEigenerDatenordner d;
    const QString partie = d.Partie(QStringLiteral("partie.go"), Punkt(3, 3));
    Spiele(Punkt(2, 2));
    const QString kopie = d.Datei(QStringLiteral("wiederherstellen.go"));
    ASSERT_TRUE(SpeichereSpielMitMeldung(kopie.toStdString()));
    {
        QFile ini(d.Datei(QStringLiteral("wiederherstellen.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(RettungsInfoText(partie.toStdString()).c_str());
    }
    NeuesSpiel();
    const QString zeit = QFileInfo(kopie).lastModified().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    const QString aelter = d.Datei(QStringLiteral("wiederherstellen-") + zeit + QStringLiteral(".go"));
    {
        QFile f(aelter);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("eine ältere Kopie");
    }

    TTestForm form;
    QString frage;
    form.Rettung->Fragen = [&](const QString& f) {
        frage = f;
        return false; // "Nein"
    };
    EXPECT_FALSE(form.Rettung->Anbieten(*form.Datei));
    EXPECT_TRUE(frage.contains("die Partie \"" + partie + "\"")) << frage.toStdString();
    EXPECT_FALSE(QFileInfo::exists(kopie));
    const QString beiseite = d.Datei(QStringLiteral("wiederherstellen-") + zeit + QStringLiteral("-2.go"));
    ASSERT_EQ(LeseSpiel(beiseite.toStdString()).Code, 0);
    EXPECT_EQ(Regeln.Zugnummer, 3); // the whole game, kept
    EXPECT_TRUE(
        QFileInfo::exists(d.Datei(QStringLiteral("wiederherstellen-") + zeit + QStringLiteral("-2.ini"))));
    QFile f(aelter);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("eine ältere Kopie"));
}

TEST(Wiederherstellung, ARestoredNamedGameKeepsItsNameAndAStaleNameNeverStandsBesideAnotherGame) {
    Grundzustand();
    TEigenerDatenordner d;
    const QString partie = d.Partie(QStringLiteral("benannt.go"), Punkt(1, 1));
    NeuesSpiel();
    int zugnummer = 0;
    {
        TTestForm erster;
        ASSERT_TRUE(erster.Datei->DateiOeffnen(partie));
        erster.FeldGewaehlt(Punkt(5, 5));
        QApplication::processEvents();
        zugnummer = Regeln.Zugnummer;
        ASSERT_GE(zugnummer, 3);
        // The window goes without closing, as in a crash.
    }
    ASSERT_EQ(RettungsDateiname([&] {
                  QFile f(d.Datei(QStringLiteral("wiederherstellen.ini")));
                  EXPECT_TRUE(f.open(QIODevice::ReadOnly));
                  return f.readAll().toStdString();
              }()),
              partie.toStdString());
    NeuesSpiel();
    TTestForm form;
    form.Rettung->Fragen = [](const QString&) { return true; };
    ASSERT_TRUE(form.Rettung->Anbieten(*form.Datei));
    EXPECT_EQ(form.GetFileName(), partie);
    EXPECT_EQ(form.Datei->Letzte[0], partie);
    EXPECT_EQ(Regeln.Zugnummer, zugnummer);
    EXPECT_EQ(Regeln.Brett[Punkt(5, 5)], Weiss);
    EXPECT_TRUE(form.Datei->Geaendert);
    EXPECT_EQ(form.windowTitle(), "benannt.go[*] - Kiboru");

    // Saving: the file holds the game, no copy stays, the mark goes.
    form.FileSave1Execute();
    EXPECT_FALSE(form.isWindowModified());
    EXPECT_FALSE(QFileInfo::exists(d.Datei(QStringLiteral("wiederherstellen.go"))));
    // A new untitled game with a move: the copy is written beside the new name only.
    form.FileNew1Execute();
    form.FeldGewaehlt(Punkt(3, 3));
    QApplication::processEvents();
    QFile ini(d.Datei(QStringLiteral("wiederherstellen.ini")));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_EQ(RettungsDateiname(ini.readAll().toStdString()), "Unbenannt");
}

TEST(Wiederherstellung, TwoProgramsAtOnceKeepTwoCopies) {
    Grundzustand();
    TEigenerDatenordner d;
    auto a = std::make_unique<TTestForm>();
    TTestForm b;
    EXPECT_EQ(a->Rettung->Platz(), 1);
    EXPECT_EQ(b.Rettung->Platz(), 2);
    a->FeldGewaehlt(Punkt(3, 3));
    b.NachZugAktualisieren(); // one game in this process: the second window is told too
    QApplication::processEvents();
    EXPECT_TRUE(QFileInfo::exists(d.Datei(QStringLiteral("wiederherstellen.go"))));
    EXPECT_TRUE(QFileInfo::exists(d.Datei(QStringLiteral("wiederherstellen-2.go"))));
    a->close(); // the first one ends cleanly: its copy goes, the other's stays
    a.reset();
    EXPECT_FALSE(QFileInfo::exists(d.Datei(QStringLiteral("wiederherstellen.go"))));
    EXPECT_TRUE(QFileInfo::exists(d.Datei(QStringLiteral("wiederherstellen-2.go"))));
    // A third start while the second runs takes the free first place and leaves the second alone.
    TTestForm c;
    EXPECT_EQ(c.Rettung->Platz(), 1);
    EXPECT_FALSE(c.Rettung->Verwaist());
}

TEST(Wiederherstellung, FileNamesWithLineBreaksSurviveTheIni) {
    for (const std::string name : {"/a/b.go", "/x\\y\nz\r.go", "Unbenannt", ""}) {
        const std::string zurueck = RettungsDateiname(RettungsInfoText(name));
        EXPECT_EQ(zurueck, name.empty() ? "Unbenannt" : name);
    }
    EXPECT_EQ(RettungsDateiname("[Wiederherstellung]\r\nDatei=/p/q.go\r\n"), "/p/q.go");
    EXPECT_EQ(RettungsDateiname("kaputt"), "Unbenannt");
}

// Root writes into any folder: then this test runs again as an unprivileged user.
TEST(Wiederherstellung, AReadOnlyDataFolderGivesOneMessageAndPlayGoesOn) {
    if (geteuid() == 0) {
        if (!QFileInfo::exists("/usr/bin/setpriv")) GTEST_SKIP() << "setpriv fehlt";
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start("/usr/bin/setpriv",
                {"--reuid=65534", "--regid=65534", "--clear-groups", QCoreApplication::applicationFilePath(),
                 "--gtest_filter=Wiederherstellung.AReadOnlyDataFolderGivesOneMessageAndPlayGoesOn"});
        ASSERT_TRUE(p.waitForStarted(30000));
        ASSERT_TRUE(p.waitForFinished(300000));
        const QString aus = QString::fromLocal8Bit(p.readAll());
        if (p.exitCode() != 0 && aus.contains("setpriv")) GTEST_SKIP() << "setpriv darf hier nicht wechseln";
        EXPECT_EQ(p.exitCode(), 0) << aus.toStdString();
        EXPECT_TRUE(aus.contains("[  PASSED  ] 1 test")) << aus.toStdString();
        return;
    }
    Grundzustand();
    TEigenerDatenordner d;
    { TTestForm einrichten; } // the installation's files
    ASSERT_TRUE(QFile::setPermissions(d.Programm(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    {
        TTestForm form;
        form.show();
        KanalAbfangen();
        form.FeldGewaehlt(Punkt(3, 3)); // the move and the computer's answer
        QApplication::processEvents();
        ASSERT_EQ(Regeln.Zugnummer, 3);
        form.Passen();
        QApplication::processEvents();
        EXPECT_EQ(Regeln.Zugnummer, 5); // play goes on
        ASSERT_EQ(Gefangen().Boxen.size(), 1u);
        EXPECT_NE(Gefangen().Boxen[0].find("Wiederherstellungskopie"), std::string::npos)
            << Gefangen().Boxen[0];
        EXPECT_NE(Gefangen().Boxen[0].find("Zugriff verweigert"), std::string::npos) << Gefangen().Boxen[0];
        EXPECT_NE(Gefangen().Boxen[0].find("Das Spiel geht weiter"), std::string::npos);
    }
    QFile::setPermissions(d.Programm(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace
