#include "ui/Tipp.h"

#include "record/SpielAblauf.h"
#include "support/StringsV5.h"

#include <QApplication>
#include <QPointer>

TTipp::TTipp(QObject* parent) : QObject(parent) {}

TTipp::~TTipp() {
    // The job lives here: the search thread must be done with it first.
    if (Wartet) {
        Auftrag.Stopp = 1;
        WarteAufSuche();
        QApplication::restoreOverrideCursor();
    }
}

void TTipp::Anfordern() {
    if (Wartet) return;
    if (const std::string hindernis = BerechnenHindernis(&Auftrag); !hindernis.empty()) {
        Meldung(hindernis, true);
        return;
    }
    Fuer = AktuelleLinie();
    Auftrag.Vorbereiten(Fuer, {Fuer.Aktuell}, TippSekunden(AnalyseLevel()));
    // The registry refuses a second search with its own message, and then no end arrives.
    if (SucheLaeuft()) {
        StarteSuche(&Auftrag, [] {});
        return;
    }
    Wartet = true;
    QApplication::setOverrideCursor(Qt::BusyCursor);
    StarteSuche(&Auftrag, [p = QPointer<TTipp>(this)] {
        if (p) p->Ende();
    });
}

void TTipp::Ende() {
    if (!Wartet) return;
    Wartet = false;
    QApplication::restoreOverrideCursor();
    // A hint for a position the game has left, or a cancelled one, is not shown.
    const auto w = Auftrag.Werte()[Fuer.Aktuell];
    if (Auftrag.Stopp || !w || w->Feld == -2 || !GleicheStellung(Fuer, AktuelleLinie())) return;
    const int seite = SeiteAmZug(Fuer, Fuer.Aktuell);
    Protokoll(std::string("Tipp für ") + (seite ? "Schwarz" : "Weiß") + ": " +
              (w->Feld < 0 ? std::string("passen") : Feldname(w->Feld)));
    Setzen(w->Feld);
}

void TTipp::SpielGeaendert() {
    if (GleicheStellung(Fuer, AktuelleLinie())) return;
    Anhalten(); // a hint for a position the game has left is not wanted any more
    Setzen(-2);
}

bool TTipp::Anhalten() {
    if (!Wartet) return false;
    Auftrag.Stopp = 1;
    return true;
}

void TTipp::Setzen(int feld) {
    if (feld == TippFeld) return;
    TippFeld = feld;
    emit Geaendert();
}
