#pragma once
// Position setup: a palette (empty point, white stone, black stone), a board to click on, the
// position as editable text, and the side to move.
#include "rules/Basis.h"

#include <QDialog>
#include <functional>

class QButtonGroup;
class QPlainTextEdit;
class QRadioButton;
class QToolButton;
class TStellungsBrett;

class TStellungDlg : public QDialog {
    Q_OBJECT
public:
    explicit TStellungDlg(QWidget *parent = nullptr);

    // Fills the dialog with a board and the side to move (1 black, 0 white).
    void Setze(const TBrett &b, int amZug);
    TStellung Stellung() const;
    const TBrett &Brett() const { return brett; }
    int AmZug() const;

    // Questions and messages go through these, so tests can answer them.
    std::function<bool(const QString &)> Frage;
    std::function<void(const QString &)> Hinweis;

    // Palette entries: ImageLeer, ImageWB, ImageSB.
    QToolButton *ImageLeer = nullptr;
    QToolButton *ImageWB = nullptr;
    QToolButton *ImageSB = nullptr;
    QPlainTextEdit *EditStellung = nullptr;
    QRadioButton *RadioWeiss = nullptr;
    QRadioButton *RadioSchwarz = nullptr;
    TStellungsBrett *BrettView = nullptr;

    void FeldGeklickt(int punkt);
    void BrettLeerenClick();
    void GrundstellungClick();
    void accept() override;

private:
    void TextAusBrett();
    void TextGeaendert();
    TFarbe Gewaehlt() const;

    TBrett brett = MacheVorlage(Leer);
    QButtonGroup *palette = nullptr;
    bool schreibeText = false;
};
