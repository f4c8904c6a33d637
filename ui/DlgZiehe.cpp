#include "ui/DlgZiehe.h"

#include "engine/Engines.h"
#include "record/TPAcht.h"
#include "support/StringsV5.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>

TDlgZiehen::TDlgZiehen(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(QStringLiteral("Bitte warten, Zug wird berechnet"));
    setModal(true);
    CancelButton = new QPushButton(QStringLiteral("Abbrechen"), this);
    CancelButton->setDefault(true);
    auto* l = new QHBoxLayout(this);
    l->addStretch();
    l->addWidget(CancelButton);
    l->addStretch();
    setFixedSize(270, 42);
    connect(CancelButton, &QPushButton::clicked, this, &TDlgZiehen::CancelButtonClick);
}

void TDlgZiehen::Starte(TEngine* e, std::function<void(TDlgZiehen*)> abschluss) {
    Engine = e;
    Abschluss = std::move(abschluss);
    Ergebnis = 0;
    if (!Engine) {
        Meldung("Keine Engine", true);
        return;
    }
    // The registry starts nothing for a finished game and refuses a second search with its own
    // message; in both cases no end would ever arrive and the dialog could not be closed.
    if (SucheLaeuft() || Regeln.BeidePassen()) {
        StarteSuche(Engine, [] {});
        return;
    }
    CancelButton->setEnabled(true);
    if (auto* p = parentWidget()) move(p->geometry().left() + 300, p->geometry().top() + 12);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Wartet = true;
    StarteSuche(Engine, [this] { EndeSuche(); });
    if (Wartet) exec();
}

void TDlgZiehen::CancelButtonClick() {
    if (!Engine) {
        Meldung("Keine Engine", true);
        return;
    }
    Engine->Stopp = 1;
    CancelButton->setEnabled(false);
}

void TDlgZiehen::EndeSuche() {
    if (!Wartet) return;
    Wartet = false;
    QApplication::restoreOverrideCursor();
    Ergebnis = (!Engine || Engine->Stopp) ? ErgebnisAbbruch : ErgebnisOK;
    done(Ergebnis);
    // Without a window manager nobody hands the keyboard back to the window below: typed moves
    // and shortcuts would reach nothing.
    if (QWidget* fenster = parentWidget()) fenster->activateWindow();
    if (Abschluss) Abschluss(this);
}

// Escape and the window's close ask the search to stop; the dialog closes when it has ended.
void TDlgZiehen::reject() {
    if (Wartet && CancelButton->isEnabled()) CancelButtonClick();
}

void TDlgZiehen::closeEvent(QCloseEvent* e) {
    e->ignore();
    reject();
}
