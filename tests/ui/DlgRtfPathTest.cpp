#include "ui/DlgRtfPath.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void Schreibe(const QString &datei, const QByteArray &inhalt, bool ausfuehrbar = false) {
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(inhalt);
    f.close();
    if (ausfuehrbar) f.setPermissions(f.permissions() | QFile::ExeOwner | QFile::ReadOwner);
}

// A fake desktop: PATH with a scripted xdg-mime, XDG_DATA_HOME with one application.
class DlgRtfPath : public ::testing::Test {
protected:
    void SetUp() override {
        altPath = qgetenv("PATH");
        altDaten = qgetenv("XDG_DATA_HOME");
        altDirs = qgetenv("XDG_DATA_DIRS");
        ASSERT_TRUE(tmp.isValid());
        QDir(tmp.path()).mkpath("bin");
        QDir(tmp.path()).mkpath("daten/applications");
        qputenv("PATH", (tmp.path() + "/bin:/usr/bin:/bin").toLocal8Bit());
        qputenv("XDG_DATA_HOME", (tmp.path() + "/daten").toLocal8Bit());
        qputenv("XDG_DATA_DIRS", (tmp.path() + "/leer").toLocal8Bit());
    }
    void TearDown() override {
        qputenv("PATH", altPath);
        qputenv("XDG_DATA_HOME", altDaten);
        qputenv("XDG_DATA_DIRS", altDirs);
    }
    void XdgMime(const QByteArray &skript) {
        Schreibe(tmp.path() + "/bin/xdg-mime", "#!/bin/sh\n" + skript, true);
    }
    QTemporaryDir tmp;
    QByteArray altPath, altDaten, altDirs;
};

TEST(DlgRtfPathText, ExecNurAusDemEintrag) {
    EXPECT_EQ(ExecAusDesktopEintrag("[Desktop Entry]\nName=Ed\nExec[de]=x\nExec = ed %f\n"), "ed %f");
    EXPECT_EQ(ExecAusDesktopEintrag("[Desktop Action neu]\nExec=falsch\n[Desktop Entry]\nName=Ed\n"), "");
    EXPECT_EQ(ExecAusDesktopEintrag(""), "");
}

TEST_F(DlgRtfPath, BefehlszeileDesStandardprogramms) {
    XdgMime("[ \"$3\" = text/plain ] && echo kiboru-ed.desktop\n");
    Schreibe(tmp.path() + "/daten/applications/kiboru-ed.desktop",
             "[Desktop Entry]\nType=Application\nName=Ed\nExec=/opt/ed/bin/ed --neu %F\n");
    TRicheditPathDlg d;
    EXPECT_EQ(d.windowTitle(), "Druckprogramm festlegen");
    EXPECT_EQ(d.Befehlszeile(), "/opt/ed/bin/ed --neu %F");
    EXPECT_EQ(d.Pfad(), "/opt/ed/bin/ed --neu %F");
    EXPECT_EQ(d.Knoepfe->button(QDialogButtonBox::Cancel)->text(), "Abbrechen");
    d.Edit->setText("anders");
    EXPECT_EQ(d.Pfad(), "anders");
}

TEST_F(DlgRtfPath, OhneDesktopBleibtEsLeer) {
    // No xdg-mime at all.
    qputenv("PATH", (tmp.path() + "/bin").toLocal8Bit());
    EXPECT_EQ(StandardTextBetrachter(), "");
    qputenv("PATH", (tmp.path() + "/bin:/usr/bin:/bin").toLocal8Bit());
    // An error, an odd answer, a path outside the applications folders.
    XdgMime("exit 3\n");
    EXPECT_EQ(StandardTextBetrachter(), "");
    XdgMime("echo\n");
    EXPECT_EQ(StandardTextBetrachter(), "");
    XdgMime("echo ../../etc/passwd.desktop\n");
    EXPECT_EQ(StandardTextBetrachter(), "");
    // An entry whose file is missing: its name is all there is.
    XdgMime("echo fehlt.desktop\n");
    EXPECT_EQ(StandardTextBetrachter(), "fehlt.desktop");
}

TEST_F(DlgRtfPath, HaengendesXdgMimeWirdAbgebrochen) {
    XdgMime("exec sleep 30\n");
    EXPECT_EQ(StandardTextBetrachter(300), "");
}

} // namespace
