#pragma once
// Hands the keyboard back to the main window and its move field whenever one of the program's
// dialogs or message boxes closes. A window manager would give the focus to the window below;
// without one it goes to the root window, and typed moves and shortcuts reach nothing.
#include <QObject>
#include <QPointer>

class QWidget;

class TFokusRueckgabe : public QObject {
    Q_OBJECT
public:
    // Watches every dialog of the application; belongs to the window.
    TFokusRueckgabe(QWidget* fenster, QWidget* feld);
    ~TFokusRueckgabe() override;

    // The keyboard to the window: its move field when that takes input, else the window.
    void Zurueckgeben();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QWidget* Fenster;
    QPointer<QWidget> Feld;
};
