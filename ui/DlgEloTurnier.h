#pragma once
// Tournament evaluation window: players with ratings, the cross table of their results, and
// the points and new ratings computed from them (the computation lives in EloRechnung).
#include "ui/EloRechnung.h"

#include <QDialog>
#include <QTableWidget>

#include <functional>

class QLabel;
class QPushButton;

// A text grid as the window needs it: Escape and Delete keys, a signal when editing begins,
// and closing the editor from outside.
class TTextGitter : public QTableWidget {
    Q_OBJECT
public:
    using QTableWidget::edit;
    using QTableWidget::QTableWidget;
    bool Bearbeitet() const { return state() == QAbstractItemView::EditingState; }
    // Commits the open editor and closes it.
    void EditorSchliessen();
    QString ZellText(int zeile, int spalte) const;
    // Writes only when the text differs, so open editors and items elsewhere stay untouched.
    void SetzeZellText(int zeile, int spalte, const QString &text);

signals:
    void EditorGeoeffnet(int zeile, int spalte);
    // Escape outside the editor; the receiver sets `behandelt` when it undid something.
    void EscapeGedrueckt(bool &behandelt);

protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void keyPressEvent(QKeyEvent *e) override;
};

class TFormEloTurnier : public QDialog {
    Q_OBJECT
public:
    explicit TFormEloTurnier(QWidget *parent = nullptr);
    ~TFormEloTurnier() override;

    TTextGitter *StringGrid1; // players: Name, Ergebnis, Elo - alt, Elo - neu
    TTextGitter *StringGrid2; // cross table, names as headers
    QPushButton *BtnNeu;
    QPushButton *BtnBearbeiten;
    QPushButton *BtnLoeschen;
    QPushButton *BtnAuswerten;
    QPushButton *BtnOK;
    QPushButton *BtnAbbrechen;

    // The tables as texts with their header row (and header column), as the computation
    // addresses them: grid (column, row) is widget cell (row - 1, column) of the players and
    // (row - 1, column - 1) of the cross table.
    TGitter Spieler() const;
    TGitter Ergebnisse() const;
    void SetzeSpieler(const TGitter &g);
    void SetzeErgebnisse(const TGitter &g);

    void ZeilePkteAuswerten(int zeile);
    void ZeileEloAuswerten(int zeile);
    bool ChkFormular();
    // (x, y) in grid coordinates of the cross table; false when the entry is refused.
    bool StringGrid2CheckCell(int x, int y);
    void UpdateTabellenHeader();

    // Message boxes of this window; tests replace it. With frage set it asks Yes/No and returns
    // true for Yes.
    static std::function<bool(QWidget *eltern, const QString &text, bool frage)> Meldung;

public slots:
    void BtnNeuClick();
    void BtnBearbeitenClick();
    void BtnLoeschenClick();
    void BtnAuswertenClick();

private:
    QMetaObject::Connection FokusVerbindung;
    void FokusGewechselt(QWidget *alt, QWidget *neu);
    void Escape(TTextGitter *gitter, bool &behandelt);
    void SpielerGeaendert(QTableWidgetItem *item);

    TTextGitter *FAktuellesGitter;
    // Cell being edited when editing began, for Escape.
    TTextGitter *FMerkGitter = nullptr;
    int FMerkZeile = -1;
    int FMerkSpalte = -1;
    QString FMerkText;
    bool FPruefeGerade = false;
    bool FKopfGerade = false;
};
