#pragma once
// Tool-bar customise dialog. The main window fills it from the tool bar before showing it and
// applies the choices itself after OK.
#include <QDialog>

class QCheckBox;
class QListWidget;
class QListWidgetItem;
class QDialogButtonBox;

class TDlgAnpassen : public QDialog {
    Q_OBJECT
public:
    explicit TDlgAnpassen(QWidget *parent = nullptr);

    bool HinweiseAnzeigen() const;
    void SetHinweiseAnzeigen(bool an);
    bool SymboltitelAnzeigen() const;
    void SetSymboltitelAnzeigen(bool an);
    bool MenueAnzeigen() const;
    void SetMenueAnzeigen(bool an);
    // Entries of the check list "Symbolleisten".
    bool Datei() const;
    void SetDatei(bool an);
    bool Zug() const;
    void SetZug(bool an);
    bool Hilfe() const;
    void SetHilfe(bool an);

    QCheckBox *CheckHinweise;
    QCheckBox *CheckSymboltitel;
    QCheckBox *CheckMenue;
    QListWidget *ListeSymbolleisten;
    QDialogButtonBox *Knoepfe;

protected:
    void showEvent(QShowEvent *e) override;

private:
    QListWidgetItem *Eintrag(int i) const;
};
