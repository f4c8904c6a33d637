#include "ui/FokusRueckgabe.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

TFokusRueckgabe::TFokusRueckgabe(QWidget* fenster, QWidget* feld)
    : QObject(fenster), Fenster(fenster), Feld(feld) {
    qApp->installEventFilter(this);
}

TFokusRueckgabe::~TFokusRueckgabe() { qApp->removeEventFilter(this); }

bool TFokusRueckgabe::eventFilter(QObject* o, QEvent* e) {
    // Only while the program has the keyboard: a dialog closing by itself (the end of a search)
    // while the user works elsewhere takes nothing away from there.
    if (e->type() == QEvent::Hide && qobject_cast<QDialog*>(o) && static_cast<QWidget*>(o)->isWindow() &&
        QGuiApplication::applicationState() == Qt::ApplicationActive)
        // Afterwards: the next box may already be on its way, and it keeps the keyboard.
        QTimer::singleShot(0, this, &TFokusRueckgabe::Zurueckgeben);
    return false;
}

void TFokusRueckgabe::Zurueckgeben() {
    if (!Fenster->isVisible() || QApplication::activePopupWidget()) return;
    // A box closed over another dialog: that dialog gets the keyboard back.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        if (!modal->isActiveWindow()) modal->activateWindow();
        return;
    }
    // Another of the program's windows in front (the engine information) keeps it.
    if (QWidget* aktiv = QApplication::activeWindow(); aktiv && aktiv != Fenster) return;
    Fenster->activateWindow();
    if (Feld && Feld->isVisible() && Feld->isEnabled())
        Feld->setFocus(Qt::OtherFocusReason);
    else
        Fenster->setFocus(Qt::OtherFocusReason);
}
