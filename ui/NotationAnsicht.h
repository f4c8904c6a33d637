#pragma once
// The notation's widgets: the paint box that paints a laid-out game record (NotationSatz) and
// the move field. Both report what the user does through signals; the window decides.
#include "ui/NotationSatz.h"

#include <QColor>
#include <QFont>
#include <QLineEdit>
#include <QWidget>

QFont NotationFont();
int NotationZeilenhoehe(); // text height of the notation's font x 4 / 3
extern const QColor Cremefarben;
// Ctrl, Alt or Meta: the key is a command of the window, not input.
bool MitBefehlstaste(Qt::KeyboardModifiers m);

class TPartieView : public QWidget {
    Q_OBJECT
public:
    explicit TPartieView(QWidget* parent);
    // The layout to paint, and how far it is scrolled up.
    void Zeige(TNotationSatz satz, int verschiebung);
    const TNotationSatz& Satz() const { return Inhalt; }

signals:
    void Gerollt(int schritte); // wheel steps, positive upwards
    void Angeklickt();

protected:
    void paintEvent(QPaintEvent*) override;
    void wheelEvent(QWheelEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    TNotationSatz Inhalt;
    int Verschiebung = 0;
};

// The move field: the toolkit's own editing is off; every key is reported and the window
// rewrites the text.
class TEditZug : public QLineEdit {
    Q_OBJECT
public:
    explicit TEditZug(QWidget* parent);

signals:
    void TasteGedrueckt(int key, Qt::KeyboardModifiers mod, const QString& text);
    void TasteLosgelassen(int key);
    void CaretGesetzt(int caret);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
};
