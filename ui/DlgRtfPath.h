#pragma once
// Dialog for the program that opens text files. There is no registry here: the default comes
// from the desktop's default application for text/plain, or stays empty.
#include <QDialog>

class QLineEdit;
class QDialogButtonBox;

// The command line (Exec entry) of the desktop's default application for text/plain, the
// desktop entry's name when its file is not found, "" when the desktop cannot tell.
// Runs xdg-mime with a time limit; nothing from its answer is ever run through a shell.
QString StandardTextBetrachter(int wartezeitMs = 2000);
// The Exec value of the [Desktop Entry] group of a desktop file's text, "" if none.
QString ExecAusDesktopEintrag(const QString &inhalt);

class TRicheditPathDlg : public QDialog {
    Q_OBJECT
public:
    explicit TRicheditPathDlg(QWidget *parent = nullptr);

    // The command line found on creation.
    QString Befehlszeile() const { return FBefehlszeile; }
    // What the text box holds now.
    QString Pfad() const;

    QLineEdit *Edit;
    QDialogButtonBox *Knoepfe;

protected:
    void showEvent(QShowEvent *e) override;

private:
    QString FBefehlszeile;
};
