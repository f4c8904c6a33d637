#include "ui/PartieDatei.h"

#include "record/StellungDoc.h"
#include "record/TPAcht.h"
#include "support/HilfsFkt.h"
#include "support/StringsV5.h"

#include <QFileInfo>
#include <algorithm>

const QString TPartieDatei::Unbenannt = QStringLiteral("Unbenannt");

namespace {
QString AusStd(const std::string& s) { return QString::fromStdString(s); }
std::string ZuStd(const QString& s) { return s.toStdString(); }
} // namespace

TPartieDatei::TPartieDatei(TDateiDialoge& dialoge, QObject* parent) : QObject(parent), Dialoge(dialoge) {}

QString TPartieDatei::AutosaveDatei() { return AusStd(PfadVerbinden(DatenVerzeichnis(), "autosave.go")); }

bool TPartieDatei::IstPgn(const QString& pfad) {
    return QFileInfo(pfad).suffix().toLower() == QStringLiteral("pgn");
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

bool TPartieDatei::SpielLesen(const QString& pfad, bool meldungen) {
    if (IstPgn(pfad)) return Dialoge.PgnLesen(pfad) == 0;
    return LadeSpiel(ZuStd(pfad), meldungen, false) == 0;
}

bool TPartieDatei::DateiOeffnen(const QString& pfad) {
    const bool ok = SpielLesen(pfad, true);
    SetFileName(ok ? pfad : Unbenannt);
    Geaendert = false;
    emit SpielGeladen();
    return ok;
}

bool TPartieDatei::Neu() {
    if (!SpeichernAbfragen()) return false;
    SetFileName(Unbenannt);
    Geaendert = false;
    return true;
}

void TPartieDatei::Oeffnen() {
    if (!SpeichernAbfragen()) return;
    const QString pfad = Dialoge.OeffnenDialogAusfuehren();
    if (pfad.isEmpty()) return;
    DateiOeffnen(pfad);
}

void TPartieDatei::Speichern() {
    // A tagged record is only read: saving over it would replace the user's text file.
    if (Dateiname == Unbenannt || IstPgn(Dateiname)) {
        SpeichernUnter();
        return;
    }
    if (SpeichereSpielMitMeldung(ZuStd(Dateiname))) Geaendert = false;
}

void TPartieDatei::SpeichernUnter() {
    const QString pfad = Dialoge.SpeichernDialogAusfuehren();
    if (pfad.isEmpty()) return;
    if (QFileInfo::exists(pfad) &&
        Dialoge.Frage(
            QStringLiteral("Die Datei \"%1\" existiert bereits. Soll sie überschrieben werden?").arg(pfad)) !=
            QMessageBox::Yes)
        return;
    if (!SpeichereSpielMitMeldung(ZuStd(pfad))) return;
    SetFileName(pfad);
    Geaendert = false;
}

void TPartieDatei::DateiLaden(int index) {
    if (index < 0 || index >= static_cast<int>(Letzte.size())) return;
    const QString pfad = Letzte[static_cast<std::size_t>(index)];
    if (pfad.isEmpty() || !SpeichernAbfragen()) return;
    SetFileName(pfad);
    if (!SpielLesen(pfad, true)) SetFileName(Unbenannt);
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
        if (SpielLesen(pfad, true)) {
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
        if (!SpielLesen(letzte, false)) {
            Protokoll("Letzte Datei (" + ZuStd(letzte) + ") konnte nicht eingelesen werden");
            NeuesSpiel();
            SetFileName(Unbenannt);
        }
        Geaendert = false;
    } else {
        if (QFileInfo::exists(AutosaveDatei()) && !SpielLesen(AutosaveDatei(), false)) NeuesSpiel();
        SetFileName(Unbenannt);
        Geaendert = Regeln.Zugnummer > 1 || Baum.Letzter >= 0;
    }
    emit SpielGeladen();
    return true;
}
