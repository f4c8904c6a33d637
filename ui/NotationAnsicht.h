#pragma once
// The notation part: the header strip, the paint box that paints a laid-out game record
// (NotationSatz), its scroll bar and the move field. It lays the record out, scrolls it, places
// the field where the next move is written and shows the move entry's text in it; what the user
// types goes out through signals, and the window decides.
#include "ui/NotationSatz.h"
#include "ui/ZugEingabe.h"

#include <QColor>
#include <QFont>
#include <QLineEdit>
#include <QWidget>

class QLabel;
class QScrollBar;

QFont NotationFont();
int NotationZeilenhoehe(); // text height of the notation's font x 4 / 3
extern const QColor Cremefarben;
// Ctrl, Alt or Meta: the key is a command of the window, not input.
bool MitBefehlstaste(Qt::KeyboardModifiers m);

// Paints the layout it is given, scrolled as far as its scroll bar stands.
class TPartieView : public QWidget {
    Q_OBJECT
public:
    TPartieView(const QScrollBar& leiste, QWidget* parent);
    void Zeige(TNotationSatz satz);
    const TNotationSatz& Satz() const { return Inhalt; }

signals:
    void Gerollt(int schritte); // wheel steps, positive upwards
    void Angeklickt();

protected:
    void paintEvent(QPaintEvent*) override;
    void wheelEvent(QWheelEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    const QScrollBar& Leiste;
    TNotationSatz Inhalt;
};

// The move field: the toolkit's own editing is off. Its keys arrive as input for the move entry
// (characters, editing keys) or as keys of the window; the text it shows is written from the
// move entry only.
class TEditZug : public QLineEdit {
    Q_OBJECT
public:
    explicit TEditZug(QWidget* parent);

signals:
    void Zeichen(QChar c);                // a typed character; Backspace '\b', Escape 27
    void Taste(TEingabeTaste t, int key); // an editing key without modifier
    void FensterTaste(int key, Qt::KeyboardModifiers mod);
    void TasteLosgelassen(int key);
    void CaretGesetzt(int caret);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
};

class TNotation : public QWidget {
    Q_OBJECT
public:
    static constexpr int Breite = 176, ScrollBreite = 16, KopfHoehe = 18;

    // eingabe: the move entry whose text the field shows; the notation offers it the suggestion.
    TNotation(TZugEingabe& eingabe, QWidget* parent);

    // Its own place (the height it is given) and the places of its parts.
    void Anordnen(int hoehe);
    // After every change of the game: the scroll range, the field's line in view, then Neu.
    void SpielGeaendert();
    // After a change of the game or of the input: the record laid out with the continuation of
    // the line (not while the user types), the suggestion, the field's place, text and focus.
    void Neu();
    void EingabeSichtbarMachen();
    void EditZugChange();       // the field shows the move entry's text
    void Blaettern(int seiten); // Page Up (-1) and Page Down (1)

    QLabel* PanelKopf;
    TPartieView* PartieView;
    QScrollBar* ScrollBar1;
    TEditZug* EditZug;

private:
    bool FeldPlatzieren(); // the field where the layout puts it, at the scroll position; shown?
    TZugEingabe& Eingabe;
};
