#pragma once
// Setting up a position by hand: palette, clickable board, the position as editable text and
// the side to move.
#include "rules/Basis.h"

#include <QDialog>
#include <QPixmap>
#include <optional>

class QButtonGroup;
class QPlainTextEdit;
class QRadioButton;
class QToolButton;

class TStellungDlg : public QDialog {
    Q_OBJECT
public:
    explicit TStellungDlg(QWidget* parent = nullptr);

    // Opens modally with a copy of the board and side to move (1 black, 0 white).
    // 1: accepted and handed to the game; 2: cancelled, nothing changed.
    int Ausfuehren(const TBrett& brett, int amZug);
    // Prepares the dialog without showing it (Ausfuehren and tests).
    void Vorbereiten(const TBrett& brett, int amZug);
    // Checks the text and the stones; false after a message.
    bool Pruefen();

    void FeldGeklickt(int punkt);
    void BrettLeerenClick();
    void GrundstellungClick();

    // " W: a1 b2\n S: c3": white stones, then black, column by column from a1.
    static QString StellungsText(const TBrett& brett);
    // Parses such a text; an empty result after a message on stderr-free failure: fehler gets the text.
    static std::optional<TBrett> TextLesen(const QString& text, QString& fehler);

    virtual bool Frage(const QString& text);

    TBrett Brett{};
    int AmZug = 1;
    QPlainTextEdit* MemoStellung = nullptr;
    QRadioButton* RadioWeiss = nullptr;
    QRadioButton* RadioSchwarz = nullptr;
    QButtonGroup* Palette = nullptr; // ids: stone codes 0 ImageLeer, -2 ImageWB, 1 ImageSB
    QWidget* BrettFlaeche = nullptr;

protected:
    void accept() override;

private:
    void TextAktualisieren();
    bool TextAendertSich = false;
};

// Hands a set-up position to the game: rules state, tree and every engine start from it.
void StellungUebernehmen(const TBrett& brett, int amZug);
