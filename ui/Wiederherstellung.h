#pragma once
// The recovery copy. While the program runs, the window's game is written after every change to
// "wiederherstellen.go" in the data folder, with the name of its file in "wiederherstellen.ini"
// beside it, so that a crash, a power cut or a kill costs no move. A clean close and a save leave
// no copy behind; a copy found at start belongs to a run that ended unexpectedly and is offered
// back.
//
// Two programs on one data folder never share a copy: each run holds a lock file for its copy
// ("wiederherstellen.lock" with its process id, then "wiederherstellen-2.lock" and so on for a
// second, third program). A lock whose process has gone is stale: the next start takes it over
// with the copy beside it.
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

class QLockFile;
class TPartieDatei;

constexpr int RettungsPlaetze = 9; // programs at once on one data folder that keep a copy

struct TRettungsDateien {
    std::string Kopie, Info, Sperre; // the game, its file name, the lock
};
// The files of place 1..RettungsPlaetze in a folder.
TRettungsDateien RettungsDateien(const std::string& ordner, int platz);

// The text of the ".ini" beside the copy, and the file name read back from it ("Unbenannt" when
// the text names none).
std::string RettungsInfoText(const std::string& dateiname);
std::string RettungsDateiname(const std::string& infoText);

// The question at start, naming the game's file (or the untitled game).
std::string RettungsFrage(const std::string& dateiname);

// Where a copy that was not restored is kept: "wiederherstellen-" + time, "-2", "-3" ... added
// for the n-th try, so an older one is never overwritten.
std::string BeiseiteName(const std::string& zeit, int versuch);

class TWiederherstellung : public QObject {
    Q_OBJECT
public:
    // Claims the first place of the folder (the data folder when empty) that no running program
    // holds. dateiname tells whose game is written ("Unbenannt" for none).
    TWiederherstellung(QObject* parent, std::function<QString()> dateiname, const QString& ordner = {});
    // Releases the lock and leaves the copy: only a clean close removes it.
    ~TWiederherstellung() override;

    // The Ja/Nein question at start; true: restore. Tests replace it.
    std::function<bool(const QString&)> Fragen;

    // After a change of the game: written once the change is shown, several changes at once.
    void Vormerken();
    // Writes now; false when the copy could not be written (reported once per run).
    bool Schreiben();
    // The game is in its file now: no copy.
    void Entfernen();
    // A clean close: the copy goes, nothing is written any more.
    void Beenden();

    // Whether this run's place holds the copy of a run that ended unexpectedly, not yet dealt with.
    bool Verwaist() const { return VerwaisteKopie; }
    // At start, for a copy left behind: asks; "Ja" reads it back as a changed game under its old
    // name, "Nein" (or a copy that cannot be read) puts it aside. True when the game was restored.
    bool Anbieten(TPartieDatei& datei);

    int Platz() const { return MeinPlatz; } // 0: none
    TRettungsDateien Dateien() const { return RettungsDateien(Ordner, MeinPlatz); }

private:
    bool PlatzBelegen(bool verwaisteNehmen);
    bool Fehlschlag(const std::string& text);
    void BeiseiteLegen();

    std::string Ordner;
    std::function<QString()> Dateiname;
    int MeinPlatz = 0;
    int SperrCode = 0; // I/O code of a lock that could not be made; 0: every place is held
    std::unique_ptr<QLockFile> Sperre;
    bool VerwaisteKopie = false;
    bool FehlerGemeldet = false;
    bool LetzterFehlgeschlagen = false;
    bool Aus = false;
    bool Schreibt = false;
    std::string InfoAufPlatte; // text of the .ini as written this run; empty: none
    QTimer Takt;
};
