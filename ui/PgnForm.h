#pragma once
// "Partie-Eigenschaften": imports a tagged game-record file. Shows the tags of the first game,
// the reader's messages and the file text; OK hands the first game to the game document.
#include <QDialog>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include <string>

class QPlainTextEdit;
class QPushButton;
class QSplitter;

// The tag grid: an item editor that the buttons can open and close, Escape restores the cell
// as it was when editing began, Delete empties a cell.
class TPgnGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit TPgnGrid(QWidget *parent = nullptr);
    bool EditorOffen() const;
    QWidget *Editor() const;
    void EditorOeffnen();
    void EditorSchliessen();
    // Every cell gets an item, so that editing and reading never meet a null cell.
    void ZellenAnlegen();
    QString Text(int zeile, int spalte) const;
    void SetzeText(int zeile, int spalte, const QString &text);

protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void keyPressEvent(QKeyEvent *e) override;
    // Text entered into the last row adds an empty row below it.
    void commitData(QWidget *editor) override;

private:
    class TDelegate;
    TDelegate *Delegate;
    // Cell and text at the start of the last edit, for Escape.
    int MerkZeile = -1;
    int MerkSpalte = -1;
    QString MerkText;
    friend class TFormPGN;
};

class TFormPGN : public QDialog {
    Q_OBJECT
public:
    explicit TFormPGN(QWidget *parent = nullptr);

    // Reads the file, shows the dialog modally; 0 when closed with OK, else -1.
    int ShowPgnFile(const QString &datei);

    TPgnGrid *StringGrid1;
    QPlainTextEdit *MemoFehler;
    QPlainTextEdit *MemoPartie;
    QPlainTextEdit *Memo1;
    QPushButton *BtnNeu;
    QPushButton *BtnBearbeiten;
    QPushButton *BtnLoeschen;
    QPushButton *BtnOk;
    QPushButton *BtnAbbrechen;
    QSplitter *Splitter1; // grid | Memo1
    QSplitter *Splitter2; // upper part | messages | file text (two handles)

    int Zeilenzahl = 0; // rows used while filling

public slots:
    void BtnNeuClick();
    void BtnBearbeitenClick();
    void BtnLoeschenClick();
    void BtnOkClick();

private:
    void GridFuellen();
};

// Bytes of the file as text for the window: UTF-8 where it is valid, every other byte as
// Latin-1 (older record files), CR LF as one line break, NUL as a blank.
QString PgnAnzeigeText(const std::string &bytes);

// The program's one dialog, created on first use below the active window.
int ShowPgnFile(const QString &datei);
