#pragma once
// The main window's file handling: the game's file name, the changed flag, the recent list,
// the questions before changes are lost, and which game is shown at start. Games are read and
// written through the record layer, as game files, SGF files or tagged records (read only);
// questions and dialogs go through TDateiDialoge, which the window implements (and tests replace).
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <array>

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

    explicit TPartieDatei(TDateiDialoge& dialoge, QObject* parent = nullptr);

    QString Dateiname = Unbenannt;
    bool Geaendert = false;
    TLetzte Letzte;                   // index 0 the most recent
    TDateiArt Art = TDateiArt::Spiel; // of the current file: saving keeps it

    // Stores the name; an existing file moves to the front of the recent list.
    void SetFileName(const QString& name);
    // Asks before the changes would be lost; false: do not go on.
    bool SpeichernAbfragen(const QString& frage = {});
    bool Neu(); // after the question: untitled and unchanged; the caller starts the new game
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
    TDateiDialoge& Dialoge;
};
