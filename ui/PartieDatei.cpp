#include "ui/PartieDatei.h"

#include "record/SgfDoc.h"
#include "record/StellungDoc.h"
#include "record/TPAcht.h"
#include "support/HilfsFkt.h"
#include "support/StringsV5.h"
#include "support/TP2Win.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <algorithm>

const QString TPartieDatei::Unbenannt = QStringLiteral("Unbenannt");

namespace {
QString AusStd(const std::string& s) { return QString::fromStdString(s); }
std::string ZuStd(const QString& s) { return s.toStdString(); }
} // namespace

namespace {
const QString GoFilter = QStringLiteral("Go Partien (*.go)");
const QString SgfFilter = QStringLiteral("SGF-Dateien (*.sgf)");
const QString AlleFilter = QStringLiteral("Alle Dateien (*)");
QString Endung(const QString& filter) {
    return filter == SgfFilter ? QStringLiteral("sgf") : QStringLiteral("go");
}
} // namespace

TPartieDatei::TPartieDatei(TDateiDialoge& dialoge, QWidget* fenster) : QObject(fenster), Dialoge(dialoge) {
    OpenDialog1 = new QFileDialog(fenster, QStringLiteral("Partie öffnen"));
    OpenDialog1->setNameFilters({QStringLiteral("Go-Dateien (*.go)"), SgfFilter, AlleFilter});
    OpenDialog1->setDefaultSuffix(QStringLiteral("go"));
    OpenDialog1->setFileMode(QFileDialog::ExistingFile);
    OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
    SaveDialog1 = new QFileDialog(fenster, QStringLiteral("Partie speichern"));
    SaveDialog1->setNameFilters({GoFilter, SgfFilter, AlleFilter});
    SaveDialog1->setDefaultSuffix(QStringLiteral("go"));
    SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog1->setOption(QFileDialog::DontConfirmOverwrite); // we ask ourselves
    // A name typed without extension gets the one of the chosen file type.
    connect(SaveDialog1, &QFileDialog::filterSelected, this,
            [this](const QString& filter) { SaveDialog1->setDefaultSuffix(Endung(filter)); });
}

void TPartieDatei::DialogVorbereiten(QFileDialog* d) const {
    if (Dateiname == Unbenannt) return;
    const QFileInfo fi(Dateiname);
    d->setDirectory(fi.absolutePath());
    d->selectFile(fi.fileName());
}

QString TPartieDatei::OeffnenDialogZeigen() {
    DialogVorbereiten(OpenDialog1);
    if (OpenDialog1->exec() != QDialog::Accepted) return {};
    return OpenDialog1->selectedFiles().value(0);
}

QString TPartieDatei::SpeichernDialogZeigen() {
    DialogVorbereiten(SaveDialog1);
    const QString filter = Art == TDateiArt::Sgf ? SgfFilter : GoFilter; // offered in the format it came in
    SaveDialog1->selectNameFilter(filter);
    SaveDialog1->setDefaultSuffix(Endung(filter));
    if (SaveDialog1->exec() != QDialog::Accepted) return {};
    return SaveDialog1->selectedFiles().value(0);
}

void TPartieDatei::DialogOrdner(const QString& ordner) {
    OpenDialog1->setDirectory(ordner);
    SaveDialog1->setDirectory(ordner);
}

TPartieDatei::TMenueEintrag TPartieDatei::LetzterEintrag(int i) const {
    TMenueEintrag e;
    const QString& pfad = Letzte[static_cast<std::size_t>(i)];
    e.Sichtbar = !pfad.isEmpty();
    e.Aktiv = !pfad.isEmpty() && QFileInfo::exists(pfad);
    e.Hinweis = e.Aktiv ? QStringLiteral("Diese Datei erneut öffnen")
                        : QStringLiteral("Diese Datei wurde verschoben, umbenannt oder gelöscht.");
    QString text = pfad;
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    e.Text = QStringLiteral("&%1. ").arg(i + 1) + text;
    return e;
}

QString TPartieDatei::AutosaveDatei() { return AusStd(PfadVerbinden(DatenVerzeichnis(), "autosave.go")); }

namespace {
// An SGF collection opens with "(" and ";" after white space (and a byte-order mark); a game
// file opens with its magic word.
bool SiehtAusWieSgf(const QByteArray& anfang) {
    int i = anfang.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    auto leer = [&] {
        while (i < anfang.size() && QChar::isSpace(static_cast<unsigned char>(anfang[i])))
            ++i;
    };
    leer();
    if (i >= anfang.size() || anfang[i] != '(') return false;
    ++i;
    leer();
    return i < anfang.size() && anfang[i] == ';';
}

// Written as SGF exactly when the name says so.
TDateiArt SchreibArt(const QString& pfad) {
    return QFileInfo(pfad).suffix().toLower() == QStringLiteral("sgf") ? TDateiArt::Sgf : TDateiArt::Spiel;
}
} // namespace

TDateiArt TPartieDatei::DateiArt(const QString& pfad) {
    const QString endung = QFileInfo(pfad).suffix().toLower();
    if (endung == QStringLiteral("pgn")) return TDateiArt::Pgn;
    if (endung == QStringLiteral("sgf")) return TDateiArt::Sgf;
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly)) return TDateiArt::Spiel;
    return SiehtAusWieSgf(f.read(256)) ? TDateiArt::Sgf : TDateiArt::Spiel;
}

void TPartieDatei::NachVorn(TLetzte& letzte, const QString& name) {
    auto it = std::find(letzte.begin(), letzte.end(), name);
    const std::size_t von =
        it == letzte.end() ? letzte.size() - 1 : static_cast<std::size_t>(it - letzte.begin());
    for (std::size_t i = von; i > 0; --i)
        letzte[i] = letzte[i - 1];
    letzte[0] = name;
}

void TPartieDatei::SetFileName(const QString& name) {
    QString n = name.isEmpty() ? Unbenannt : name;
    const bool vorhanden = n != Unbenannt && QFileInfo::exists(n);
    if (vorhanden) {
        n = QFileInfo(n).absoluteFilePath();
        NachVorn(Letzte, n);
    }
    Dateiname = n;
    Art = n == Unbenannt ? TDateiArt::Spiel : DateiArt(n);
    // Both dialogs start at a named file.
    const QFileInfo fi(n);
    for (QFileDialog* d : {OpenDialog1, SaveDialog1}) {
        if (vorhanden) d->setDirectory(fi.absolutePath());
        d->selectFile(vorhanden ? fi.fileName() : QString());
    }
    emit NameGesetzt(n, vorhanden);
}

bool TPartieDatei::Aendern(const QString& text) {
    switch (Dialoge.Frage(text)) {
    case QMessageBox::Yes:
        Speichern();
        return !Geaendert;
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

bool TPartieDatei::SpeichernAbfragen(const QString& frage) {
    if (!Geaendert) return true;
    QString text = frage;
    if (text.isEmpty())
        text = Dateiname == Unbenannt
                   ? QStringLiteral("Soll die Partie gespeichert werden ?")
                   : QStringLiteral("Die Datei \"%1\" wurde geändert. Soll sie gespeichert werden?")
                         .arg(Dateiname);
    return Aendern(text);
}

TPartieDatei::TLesen TPartieDatei::SpielLesen(const QString& pfad, bool meldungen) {
    switch (DateiArt(pfad)) {
    case TDateiArt::Pgn:
        return Dialoge.PgnLesen(pfad) == 0 ? TLesen::Gelesen : TLesen::Fehler;
    case TDateiArt::Sgf: {
        const TSgfErgebnis e = LeseSgf(ZuStd(pfad));
        if (meldungen && !e.Meldung.empty()) {
            if (e.Code != 0)
                ZeigeIOFehler(e.Code, e.Meldung);
            else
                ZeigeInfo(e.Meldung);
        }
        return e.Uebernommen ? TLesen::Gelesen : TLesen::Unveraendert;
    }
    case TDateiArt::Spiel:
        break;
    }
    return LadeSpiel(ZuStd(pfad), meldungen, false) == 0 ? TLesen::Gelesen : TLesen::Fehler;
}

bool TPartieDatei::Schreiben(const QString& pfad, TDateiArt art) {
    if (art != TDateiArt::Sgf) return SpeichereSpielMitMeldung(ZuStd(pfad));
    const TIOErgebnis r = SpeichereSgf(ZuStd(pfad));
    if (r.Code != 0) ZeigeIOFehler(r.Code, r.Meldung);
    return r.Code == 0;
}

bool TPartieDatei::DateiOeffnen(const QString& pfad) {
    const TLesen gelesen = SpielLesen(pfad, true);
    if (gelesen == TLesen::Unveraendert) return false;
    const bool ok = gelesen == TLesen::Gelesen;
    SetFileName(ok ? pfad : Unbenannt);
    Geaendert = false;
    emit SpielGeladen();
    return ok;
}

void TPartieDatei::Neu() {
    if (!SpeichernAbfragen()) return;
    SetFileName(Unbenannt);
    Geaendert = false;
    NeuesSpiel();
    emit SpielGeladen();
}

void TPartieDatei::StellungAufgebaut() {
    SetFileName(Unbenannt);
    Geaendert = true;
}

void TPartieDatei::Oeffnen() {
    if (!SpeichernAbfragen()) return;
    const QString pfad = Dialoge.OeffnenDialogAusfuehren();
    if (pfad.isEmpty()) return;
    DateiOeffnen(pfad);
}

void TPartieDatei::Speichern() {
    // A tagged record is only read: saving over it would replace the user's text file.
    if (Dateiname == Unbenannt || Art == TDateiArt::Pgn) {
        SpeichernUnter();
        return;
    }
    if (!Schreiben(Dateiname, Art)) return;
    Geaendert = false;
    emit Gespeichert();
}

void TPartieDatei::SpeichernUnter() {
    const QString pfad = Dialoge.SpeichernDialogAusfuehren();
    if (pfad.isEmpty()) return;
    if (QFileInfo::exists(pfad) &&
        Dialoge.Frage(
            QStringLiteral("Die Datei \"%1\" existiert bereits. Soll sie überschrieben werden?").arg(pfad)) !=
            QMessageBox::Yes)
        return;
    if (!Schreiben(pfad, SchreibArt(pfad))) return;
    SetFileName(pfad);
    Geaendert = false;
    emit Gespeichert();
}

void TPartieDatei::DateiLaden(int index) {
    if (index < 0 || index >= static_cast<int>(Letzte.size())) return;
    const QString pfad = Letzte[static_cast<std::size_t>(index)];
    if (pfad.isEmpty() || !SpeichernAbfragen()) return;
    const TLetzte vorher = Letzte;
    const QString alt = Dateiname;
    SetFileName(pfad);
    switch (SpielLesen(pfad, true)) {
    case TLesen::Unveraendert: // the game stays, and so do its name and the list
        Letzte = vorher;
        SetFileName(alt);
        return;
    case TLesen::Fehler:
        SetFileName(Unbenannt);
        break;
    case TLesen::Gelesen:
        break;
    }
    Geaendert = false;
    emit SpielGeladen();
}

bool TPartieDatei::SchliessenAbfragen() {
    if (Dateiname == Unbenannt) {
        if (SpeichereSpielMitMeldung(ZuStd(AutosaveDatei()))) return true;
        // The autosave failed: closing now would lose the game.
        return Dialoge.Frage(QStringLiteral("Die Partie konnte nicht als \"autosave.go\" gespeichert werden. "
                                            "Soll das Programm trotzdem beendet werden?")) ==
               QMessageBox::Yes;
    }
    if (!Geaendert) return true;
    return Aendern(
        QStringLiteral("Die Datei \"%1\" wurde geändert. Soll sie gespeichert werden?").arg(Dateiname));
}

void TPartieDatei::LetzteLesen() {
    for (std::size_t i = 0; i < Letzte.size(); ++i)
        Letzte[i] = AusStd(KonfigLesen("recent", std::to_string(i), ""));
}

void TPartieDatei::KonfigSpeichern() {
    KonfigSchreiben("Datei", "recent", ZuStd(Dateiname));
    for (std::size_t i = 0; i < Letzte.size(); ++i)
        KonfigSchreiben("recent", std::to_string(i), ZuStd(Letzte[i]));
}

bool TPartieDatei::SpielZeigen(const QString& argumentDatei) {
    if (!argumentDatei.isEmpty()) {
        const QString pfad = QFileInfo(argumentDatei).absoluteFilePath();
        if (SpielLesen(pfad, true) == TLesen::Gelesen) {
            SetFileName(pfad);
            Protokoll("Letzte Datei (" + ZuStd(pfad) + ") geöffnet.");
            Geaendert = false;
            emit SpielGeladen();
            return true;
        }
        // The reader has said what is wrong; go on with the last game instead of ending.
        Protokoll("Datei (" + ZuStd(pfad) + ") konnte nicht eingelesen werden");
        NeuesSpiel();
    }
    const QString letzte = AusStd(KonfigLesen("Datei", "recent", ZuStd(Unbenannt)));
    SetFileName(letzte);
    if (letzte != Unbenannt && !letzte.isEmpty() && QFileInfo::exists(letzte)) {
        if (SpielLesen(letzte, false) != TLesen::Gelesen) {
            Protokoll("Letzte Datei (" + ZuStd(letzte) + ") konnte nicht eingelesen werden");
            NeuesSpiel();
            SetFileName(Unbenannt);
        }
        Geaendert = false;
    } else {
        if (QFileInfo::exists(AutosaveDatei()) && SpielLesen(AutosaveDatei(), false) != TLesen::Gelesen)
            NeuesSpiel();
        SetFileName(Unbenannt);
        Geaendert = Regeln.Zugnummer > 1 || Baum.Letzter >= 0;
    }
    emit SpielGeladen();
    return true;
}
