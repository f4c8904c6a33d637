#include "ui/DlgRtfPath.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QVBoxLayout>

QString ExecAusDesktopEintrag(const QString &inhalt) {
    bool inEintrag = false;
    for (const QString &roh : inhalt.split('\n')) {
        const QString zeile = roh.trimmed();
        if (zeile.startsWith('[')) {
            inEintrag = zeile == "[Desktop Entry]";
            continue;
        }
        if (!inEintrag) continue;
        const qsizetype gleich = zeile.indexOf('=');
        if (gleich > 0 && zeile.left(gleich).trimmed() == "Exec") return zeile.mid(gleich + 1).trimmed();
    }
    return {};
}

QString StandardTextBetrachter(int wartezeitMs) {
    QProcess p;
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start("xdg-mime", {"query", "default", "text/plain"});
    if (!p.waitForStarted(wartezeitMs)) return {};
    if (!p.waitForFinished(wartezeitMs)) {
        p.kill();
        p.waitForFinished(wartezeitMs);
        return {};
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return {};
    const QString id = QString::fromLocal8Bit(p.readAllStandardOutput()).section('\n', 0, 0).trimmed();
    // A desktop entry name, nothing else: no path tricks out of the applications folders.
    if (id.isEmpty() || id.contains('/') || !id.endsWith(".desktop")) return {};
    QString datei = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, id);
    if (datei.isEmpty() && id.contains('-')) // "vendor-name.desktop" may live in "vendor/name.desktop"
        datei = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, QString(id).replace('-', '/'));
    QFile f(datei);
    if (datei.isEmpty() || !f.open(QIODevice::ReadOnly)) return id;
    const QString exec = ExecAusDesktopEintrag(QString::fromUtf8(f.read(1 << 20)));
    return exec.isEmpty() ? id : exec;
}

TRicheditPathDlg::TRicheditPathDlg(QWidget *parent) : QDialog(parent) {
    setWindowTitle("Druckprogramm festlegen");
    setModal(true);
    Edit = new QLineEdit(this);
    Edit->setMinimumWidth(360);
    Knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    Knoepfe->button(QDialogButtonBox::Ok)->setText("OK");
    Knoepfe->button(QDialogButtonBox::Cancel)->setText("Abbrechen");
    connect(Knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Edit);
    layout->addWidget(Knoepfe);

    FBefehlszeile = StandardTextBetrachter();
    Edit->setText(FBefehlszeile);
}

QString TRicheditPathDlg::Pfad() const { return Edit->text(); }

void TRicheditPathDlg::showEvent(QShowEvent *e) {
    adjustSize();
    if (const QScreen *s = screen()) move(s->availableGeometry().center() - rect().center());
    QDialog::showEvent(e);
}
