#include "ui/Wiederherstellung.h"

#include "record/StellungDoc.h"
#include "record/TPAcht.h"
#include "support/HilfsFkt.h"
#include "support/StringsV5.h"
#include "support/TP2Win.h"
#include "ui/PartieDatei.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMessageBox>
#include <QThread>
#include <QWidget>
#include <QWindow>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {
constexpr const char* Stamm = "wiederherstellen";
constexpr const char* DateiSchluessel = "Datei=";

QString Q(const std::string& s) { return QString::fromStdString(s); }

bool Vorhanden(const std::string& pfad) {
    std::error_code ec;
    return std::filesystem::exists(DateiPfad(pfad), ec);
}

void Loeschen(const std::string& pfad) {
    std::error_code ec;
    std::filesystem::remove(DateiPfad(pfad), ec);
}

std::string Lies(const std::string& pfad) {
    std::ifstream f(DateiPfad(pfad), std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

bool Unbenannt(const std::string& name) {
    return name.empty() || name == TPartieDatei::Unbenannt.toStdString();
}
} // namespace

TRettungsDateien RettungsDateien(const std::string& ordner, int platz) {
    const std::string basis = PfadVerbinden(
        ordner, platz <= 1 ? std::string(Stamm) : std::string(Stamm) + "-" + std::to_string(platz));
    return {basis + ".go", basis + ".ini", basis + ".lock"};
}

// One line per key: a line break or a backslash in a file name is written as an escape.
std::string RettungsInfoText(const std::string& dateiname) {
    std::string wert;
    for (char c : dateiname) {
        if (c == '\\')
            wert += "\\\\";
        else if (c == '\n')
            wert += "\\n";
        else if (c == '\r')
            wert += "\\r";
        else
            wert += c;
    }
    return "[Wiederherstellung]\n" + std::string(DateiSchluessel) + wert + "\n";
}

std::string RettungsDateiname(const std::string& infoText) {
    std::istringstream zeilen(infoText);
    for (std::string z; std::getline(zeilen, z);) {
        if (!z.empty() && z.back() == '\r') z.pop_back();
        if (z.rfind(DateiSchluessel, 0) != 0) continue;
        std::string name;
        for (std::size_t i = std::char_traits<char>::length(DateiSchluessel); i < z.size(); ++i) {
            if (z[i] == '\\' && i + 1 < z.size()) {
                const char n = z[++i];
                name += n == 'n' ? '\n' : n == 'r' ? '\r' : n;
            } else {
                name += z[i];
            }
        }
        return Unbenannt(name) ? TPartieDatei::Unbenannt.toStdString() : name;
    }
    return TPartieDatei::Unbenannt.toStdString();
}

std::string RettungsFrage(const std::string& dateiname) {
    const std::string partie =
        Unbenannt(dateiname) ? "die unbenannte Partie" : "die Partie \"" + dateiname + "\"";
    return "Kiboru wurde beim letzten Mal nicht ordnungsgemäß beendet. Soll " + partie +
           " so wiederhergestellt werden, wie sie zuletzt auf dem Brett stand?\n\n"
           "Bei \"Nein\" wird die Kopie im Datenordner beiseitegelegt, nicht gelöscht.";
}

std::string BeiseiteName(const std::string& zeit, int versuch) {
    return std::string(Stamm) + "-" + zeit + (versuch > 1 ? "-" + std::to_string(versuch) : std::string());
}

TWiederherstellung::TWiederherstellung(QObject* parent, std::function<QString()> dateiname,
                                       const QString& ordner)
    : QObject(parent), Ordner(ordner.isEmpty() ? DatenVerzeichnis() : ordner.toStdString()),
      Dateiname(std::move(dateiname)) {
    Fragen = [this](const QString& text) {
        return QMessageBox::question(qobject_cast<QWidget*>(this->parent()), QStringLiteral("Kiboru"), text,
                                     QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::Yes) == QMessageBox::Yes;
    };
    // A zero timer runs once the event loop has shown the change.
    Takt.setSingleShot(true);
    Takt.setInterval(0);
    connect(&Takt, &QTimer::timeout, this, [this] { Schreiben(); });
    PlatzBelegen(true);
}

TWiederherstellung::~TWiederherstellung() = default;

// The first place no running program holds; at start a place with a copy left behind counts
// (that copy is offered), later only an empty one.
bool TWiederherstellung::PlatzBelegen(bool verwaisteNehmen) {
    SperrCode = 0;
    for (int n = 1; n <= RettungsPlaetze; ++n) {
        const TRettungsDateien d = RettungsDateien(Ordner, n);
        auto sperre = std::make_unique<QLockFile>(Q(d.Sperre));
        sperre->setStaleLockTime(0); // a running program's lock never ages; only a dead process's is stale
        if (!sperre->tryLock(0)) {
            if (sperre->error() == QLockFile::PermissionError)
                SperrCode = 5;
            else if (sperre->error() != QLockFile::LockFailedError)
                SperrCode = 101;
            continue;
        }
        const bool kopie = Vorhanden(d.Kopie);
        if (kopie && !verwaisteNehmen) continue; // left for the next start
        MeinPlatz = n;
        Sperre = std::move(sperre);
        VerwaisteKopie = kopie;
        return true;
    }
    return false;
}

void TWiederherstellung::Vormerken() {
    if (!Aus) Takt.start();
}

bool TWiederherstellung::Fehlschlag(const std::string& text) {
    LetzterFehlgeschlagen = true;
    if (!FehlerGemeldet) {
        FehlerGemeldet = true; // before the box: its event loop may bring the next write
        Meldung(text + " Das Spiel geht weiter, doch nach einem Absturz wären die Züge seit dem letzten "
                       "Speichern verloren. Diese Meldung erscheint bis zum nächsten Start nicht wieder.",
                true);
    }
    return false;
}

bool TWiederherstellung::Schreiben() {
    if (Aus || VerwaisteKopie || Schreibt) return true;
    Schreibt = true;
    struct TEnde {
        bool& B;
        ~TEnde() { B = false; }
    } ende{Schreibt};

    if (Baum.Letzter < 0 && !IstAufgebaut()) { // nothing to lose
        Entfernen();
        return true;
    }
    if (!MeinPlatz && !PlatzBelegen(false)) {
        if (SperrCode == 0)
            return Fehlschlag("Alle " + std::to_string(RettungsPlaetze) +
                              " Wiederherstellungskopien im Datenordner sind belegt, von laufenden "
                              "Kiboru-Programmen oder für den nächsten Start; für dieses Programm wird "
                              "keine geschrieben.");
        return Fehlschlag("Die Wiederherstellungskopie " + RettungsDateien(Ordner, 1).Kopie +
                          " kann nicht angelegt werden (" + IOFehlerText(SperrCode) + ").");
    }
    const TRettungsDateien d = Dateien();
    const std::string info = RettungsInfoText(Dateiname ? Dateiname().toStdString() : std::string());
    if (info != InfoAufPlatte) {
        // Another file's game from now on: the old copy belonged to a game the user has let go
        // (saved, or not saved when asked), and a copy never stands beside another game's name.
        Loeschen(d.Kopie);
        InfoAufPlatte.clear();
        const TIOErgebnis r = SpeichereDatei(d.Info, info);
        if (r.Code != 0)
            return Fehlschlag("Die Wiederherstellungskopie " + d.Info + " kann nicht geschrieben werden (" +
                              IOFehlerText(r.Code) + ").");
        InfoAufPlatte = info;
    }
    const TIOErgebnis r = SpeichereSpiel(d.Kopie);
    if (r.Code != 0)
        return Fehlschlag("Die Wiederherstellungskopie " + d.Kopie + " kann nicht geschrieben werden (" +
                          IOFehlerText(r.Code) + ").");
    if (LetzterFehlgeschlagen) {
        LetzterFehlgeschlagen = false;
        Protokoll("Die Wiederherstellungskopie wird wieder geschrieben.");
    }
    return true;
}

void TWiederherstellung::Entfernen() {
    Takt.stop();
    if (!MeinPlatz || VerwaisteKopie) return;
    const TRettungsDateien d = Dateien();
    Loeschen(d.Kopie);
    Loeschen(d.Info);
    InfoAufPlatte.clear();
}

void TWiederherstellung::Beenden() {
    Entfernen();
    Aus = true;
    Sperre.reset();
}

bool TWiederherstellung::Anbieten(TPartieDatei& datei) {
    if (!VerwaisteKopie) return false;
    const TRettungsDateien d = Dateien();
    const std::string name =
        Vorhanden(d.Info) ? RettungsDateiname(Lies(d.Info)) : TPartieDatei::Unbenannt.toStdString();
    // The question opens centred over the window just shown, so the window must first stand
    // where the window system puts it.
    if (auto* w = qobject_cast<QWidget*>(parent()); w && w->isVisible() && w->windowHandle()) {
        QElapsedTimer uhr;
        uhr.start();
        while (!w->windowHandle()->isExposed() && uhr.elapsed() < 2000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            QThread::msleep(5);
        }
        QCoreApplication::processEvents();
    }
    if (Fragen(Q(RettungsFrage(name)))) {
        // A copy that cannot be read has been explained by the reader; it is put aside below.
        if (LadeSpiel(d.Kopie, true, false) == 0) {
            VerwaisteKopie = false;
            InfoAufPlatte.clear(); // written again with the restored game
            datei.SetFileName(Q(name));
            datei.Geaendert = true;
            emit datei.SpielGeladen();
            Protokoll("Die Partie aus der Wiederherstellungskopie ist wiederhergestellt.");
            return true;
        }
    }
    BeiseiteLegen();
    return false;
}

// Renamed, never copied over: an older copy put aside keeps its name.
void TWiederherstellung::BeiseiteLegen() {
    const TRettungsDateien d = Dateien();
    const std::string zeit =
        QFileInfo(Q(d.Kopie)).lastModified().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")).toStdString();
    for (int versuch = 1; versuch < 1000; ++versuch) {
        const std::string ziel = PfadVerbinden(Ordner, BeiseiteName(zeit, versuch));
        if (QFile::rename(Q(d.Kopie), Q(ziel + ".go"))) {
            if (Vorhanden(d.Info)) QFile::rename(Q(d.Info), Q(ziel + ".ini"));
            VerwaisteKopie = false;
            Protokoll("Die Wiederherstellungskopie liegt jetzt unter " + ziel + ".go.");
            return;
        }
        if (!Vorhanden(ziel + ".go")) break; // the name was free: the folder refuses
    }
    // It stays for the next start; this run looks for another place when it writes.
    Meldung("Die Wiederherstellungskopie " + d.Kopie +
                " konnte nicht beiseitegelegt werden. Sie bleibt, wo sie ist, und wird beim nächsten Start "
                "wieder angeboten.",
            true);
    VerwaisteKopie = false;
    Sperre.reset();
    MeinPlatz = 0;
}
