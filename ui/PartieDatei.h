#pragma once
// The main window's file handling: the game's file name, the changed flag, the recent list,
// the questions before changes are lost, and which game is shown at start. Games are read and
// written through the record layer; questions and dialogs go through TDateiDialoge, which the
// window implements (and tests replace).
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

class TPartieDatei : public QObject {
    Q_OBJECT
public:
    static const QString Unbenannt;
    using TLetzte = std::array<QString, 20>;

    explicit TPartieDatei(TDateiDialoge& dialoge, QObject* parent = nullptr);

    QString Dateiname = Unbenannt;
    bool Geaendert = false;
    TLetzte Letzte; // index 0 the most recent

    // Stores the name; an existing file moves to the front of the recent list.
    void SetFileName(const QString& name);
    // Asks before the changes would be lost; false: do not go on.
    bool SpeichernAbfragen(const QString& frage = {});
    bool Neu(); // after the question: untitled and unchanged; the caller starts the new game
    void Oeffnen();
    bool DateiOeffnen(const QString& pfad); // reads .go or .pgn; false on failure
    void Speichern();
    void SpeichernUnter();
    void DateiLaden(int index); // a recent entry
    bool SchliessenAbfragen();  // the close query
    // The game named on the command line, else the last file, else the autosave.
    bool SpielZeigen(const QString& argumentDatei);
    void LetzteLesen();
    void KonfigSpeichern();

    static QString AutosaveDatei();
    static bool IstPgn(const QString& pfad);
    // The recent list with name at its front: the entries before its old place (or all but the
    // last) move one place back.
    static void NachVorn(TLetzte& letzte, const QString& name);

signals:
    void NameGesetzt(const QString& name, bool vorhanden);
    void SpielGeladen(); // a game was read or replaced: show it

private:
    bool SpielLesen(const QString& pfad, bool meldungen);
    bool Aendern(const QString& text); // the Yes/No/Cancel question of a changed game
    TDateiDialoge& Dialoge;
};
