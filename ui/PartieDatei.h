#pragma once
// The main window's file handling: the game's file name, the changed flag, the recent list and
// its menu entries, the file dialogs with their filters, the questions before changes are lost,
// and which game is shown at start. Games are read and written through the record layer, as game
// files, SGF files or tagged records (read only); questions and dialogs go through TDateiDialoge,
// which the window implements (and tests replace).
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <array>

class QFileDialog;
class QWidget;

class TDateiDialoge {
public:
    virtual ~TDateiDialoge() = default;
    virtual QMessageBox::StandardButton Frage(const QString& text) = 0; // Yes, No, Cancel
    virtual QString OeffnenDialogAusfuehren() = 0;                      // empty: cancelled
    virtual QString SpeichernDialogAusfuehren() = 0;
    virtual int PgnLesen(const QString& pfad) = 0; // tagged records; 0 when taken over
};

// How a file is read and written.
enum class TDateiArt { Spiel, Sgf, Pgn };

class TPartieDatei : public QObject {
    Q_OBJECT
public:
    static const QString Unbenannt;
    using TLetzte = std::array<QString, 20>;

    // The file dialogs belong to the window: they open over it.
    TPartieDatei(TDateiDialoge& dialoge, QWidget* fenster);

    QString Dateiname = Unbenannt;
    bool Geaendert = false;
    TLetzte Letzte;                   // index 0 the most recent
    TDateiArt Art = TDateiArt::Spiel; // of the current file: saving keeps it

    // Stores the name; an existing file moves to the front of the recent list.
    void SetFileName(const QString& name);
    // Asks before the changes would be lost; false: do not go on.
    bool SpeichernAbfragen(const QString& frage = {});
    void Neu(); // after the question: a new game, untitled and unchanged
    // A move went into the game; a set-up position replaced it (untitled now).
    void SpielVeraendert() { Geaendert = true; }
    void StellungAufgebaut();
    void Oeffnen();
    bool DateiOeffnen(const QString& pfad); // reads a game, SGF or tagged-record file; false on failure
    void Speichern();
    void SpeichernUnter();
    void DateiLaden(int index); // a recent entry
    bool SchliessenAbfragen();  // the close query
    // The game named on the command line, else the last file, else the autosave.
    bool SpielZeigen(const QString& argumentDatei);
    void LetzteLesen();
    void KonfigSpeichern();

    // The file dialogs, started at the current file; empty when cancelled.
    QString OeffnenDialogZeigen();
    QString SpeichernDialogZeigen();          // offers the current file's format
    void DialogOrdner(const QString& ordner); // where both start while the game is untitled

    // Recent entry i (0..3) as the "Datei" menu offers it.
    struct TMenueEintrag {
        bool Sichtbar = false, Aktiv = false;
        QString Text, Hinweis;
    };
    TMenueEintrag LetzterEintrag(int i) const;

    static QString AutosaveDatei();
    // ".pgn" and ".sgf" by their extension; any other file by its content, so an SGF file
    // under another name is read as one.
    static TDateiArt DateiArt(const QString& pfad);
    // The recent list with name at its front: the entries before its old place (or all but the
    // last) move one place back.
    static void NachVorn(TLetzte& letzte, const QString& name);

signals:
    void NameGesetzt(const QString& name, bool vorhanden);
    void SpielGeladen(); // a game was read or replaced: show it
    void Gespeichert();  // the game is in its file now

private:
    // Gelesen: the file's game is shown; Fehler: a new game stands in for it; Unveraendert: the
    // file was refused and the game is as it was (an SGF file is taken over whole or not at all).
    enum class TLesen { Gelesen, Fehler, Unveraendert };
    TLesen SpielLesen(const QString& pfad, bool meldungen);
    bool Schreiben(const QString& pfad, TDateiArt art);
    bool Aendern(const QString& text); // the Yes/No/Cancel question of a changed game
    void DialogVorbereiten(QFileDialog* d) const;
    TDateiDialoge& Dialoge;
    QFileDialog* OpenDialog1;
    QFileDialog* SaveDialog1;
};
