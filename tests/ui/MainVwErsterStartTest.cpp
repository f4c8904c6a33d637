// The first start in an empty data folder, the autosave round, and a program folder that
// cannot be written.
#include "MainVwUmgebung.h"

#include "engine/SWertDflt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <unistd.h>

using namespace testui;

TEST(MainVwErsterStart, LegtAllesAnZeigtEinLeeresSpielUndMerktSichEsBeimSchliessen) {
    Grundzustand();
    TFrischerDatenordner frisch;
    ASSERT_FALSE(QFileInfo::exists(frisch.Daten()));
    {
        TTestForm form;
        ASSERT_TRUE(form.InstallationOk());
        EXPECT_TRUE(QFileInfo(frisch.Daten()).isDir());
        EXPECT_TRUE(QFileInfo(QDir(frisch.Daten()).filePath("Engines")).isDir());
        const QString werte = QDir(frisch.Daten()).filePath("Engines/Default7x7.werte.cfg");
        ASSERT_TRUE(QFileInfo::exists(werte));
        QFile w(werte);
        ASSERT_TRUE(w.open(QIODevice::ReadOnly));
        EXPECT_EQ(w.readAll().toStdString(), StandardWerteText());
        EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(Hilfedatei())));
        form.SpielZeigen(QString());
        EXPECT_EQ(form.GetFileName(), TPartieDatei::Unbenannt);
        EXPECT_EQ(Regeln.Zugnummer, 1);
        EXPECT_FALSE(form.Datei->Geaendert);
        Spiele(Punkt(3, 3));
        Spiele(Punkt(2, 4));
        form.Datei->Geaendert = true;
        form.close(); // untitled: saved as autosave.go without a question
        EXPECT_TRUE(form.Fragen.empty());
    }
    const QString autosave = QDir(frisch.Daten()).filePath("autosave.go");
    ASSERT_TRUE(QFileInfo::exists(autosave));
    EXPECT_EQ(QFileInfo(autosave).size(), 4 * (6 + 4));

    NeuesSpiel();
    TTestForm zweite;
    zweite.SpielZeigen(QString());
    EXPECT_EQ(Regeln.Zugnummer, 3);
    EXPECT_EQ(Regeln.Brett[Punkt(3, 3)], Schwarz);
    EXPECT_EQ(Regeln.Brett[Punkt(2, 4)], Weiss);
    EXPECT_EQ(zweite.GetFileName(), TPartieDatei::Unbenannt);
    EXPECT_TRUE(zweite.Datei->Geaendert);
    WarteAufSuche();
    NeuesSpiel();
}

// A program installed where it may not write: the help page goes to the data folder and the
// program runs. Root may write anywhere, so the program runs as an unprivileged user then.
TEST(MainVwErsterStart, ProgrammordnerOhneSchreibrechtLegtDieHilfeInDenDatenordner) {
    QTemporaryDir wurzel;
    ASSERT_TRUE(wurzel.isValid());
    const QString prog = QDir(wurzel.path()).filePath("prog");
    const QString daten = QDir(wurzel.path()).filePath("daten");
    ASSERT_TRUE(QDir().mkpath(prog) && QDir().mkpath(daten));
    const QString exe = QDir(prog).filePath("Kiboru");
    ASSERT_TRUE(QFile::copy(QStringLiteral(KIBORU_EXE), exe));
    QFile::setPermissions(daten, QFileDevice::Permissions(0x7777));
    QFile::setPermissions(wurzel.path(), QFileDevice::Permissions(0x7755));
    QFile::setPermissions(prog, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                    QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther);

    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_DATA_HOME", daten);
    env.insert("HOME", daten);
    env.remove("AppData");
    p.setProcessEnvironment(env);
    if (geteuid() == 0) {
        if (!QFileInfo::exists("/usr/bin/setpriv"))
            GTEST_SKIP() << "setpriv fehlt: als root ist jeder Ordner beschreibbar";
        p.start("/usr/bin/setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", exe});
    } else {
        p.start(exe, {});
    }
    ASSERT_TRUE(p.waitForStarted(30000));
    const QString hilfe = QDir(daten).filePath("Quennel/Kiboru/Kiboru.htm");
    const QString werte = QDir(daten).filePath("Quennel/Kiboru/Engines/Default7x7.werte.cfg");
    // The window is up once both files exist; the process must still be running then.
    for (int i = 0; i < 600 && !(QFileInfo::exists(hilfe) && QFileInfo::exists(werte)); ++i)
        if (!p.waitForFinished(100) && p.state() == QProcess::NotRunning) break;
    const bool laeuft = p.state() == QProcess::Running;
    p.kill();
    p.waitForFinished(30000);
    if (geteuid() == 0 && !QFileInfo::exists(werte) && p.readAllStandardError().contains("setpriv"))
        GTEST_SKIP() << "setpriv darf hier die Benutzerkennung nicht wechseln";
    EXPECT_TRUE(QFileInfo::exists(hilfe)) << p.readAllStandardError().toStdString();
    EXPECT_TRUE(QFileInfo::exists(werte));
    EXPECT_FALSE(QFileInfo::exists(QDir(prog).filePath("Kiboru.htm")));
    EXPECT_TRUE(laeuft);
}
