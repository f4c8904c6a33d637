#include "ui/DlgEloTurnier.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
QString Q(const std::string &s) { return QString::fromStdString(s); }
std::string S(const QString &s) { return s.toStdString(); }

bool StandardMeldung(QWidget *eltern, const QString &text, bool frage) {
    if (frage)
        return QMessageBox::question(eltern, "Turnier-Auswertung", text,
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    QMessageBox::warning(eltern, "Turnier-Auswertung", text);
    return true;
}

bool IstIn(const QWidget *w, const QWidget *vorfahr) {
    return w && (w == vorfahr || vorfahr->isAncestorOf(w));
}
} // namespace

std::function<bool(QWidget *, const QString &, bool)> TFormEloTurnier::Meldung = StandardMeldung;

// --- TTextGitter

void TTextGitter::EditorSchliessen() {
    if (QWidget *ed = indexWidget(currentIndex()); ed && Bearbeitet()) {
        commitData(ed);
        closeEditor(ed, QAbstractItemDelegate::NoHint);
    }
}

QString TTextGitter::ZellText(int zeile, int spalte) const {
    const QTableWidgetItem *i = item(zeile, spalte);
    return i ? i->text() : QString();
}

void TTextGitter::SetzeZellText(int zeile, int spalte, const QString &text) {
    if (zeile < 0 || spalte < 0 || zeile >= rowCount() || spalte >= columnCount()) return;
    if (ZellText(zeile, spalte) == text) return;
    if (QTableWidgetItem *i = item(zeile, spalte))
        i->setText(text);
    else
        setItem(zeile, spalte, new QTableWidgetItem(text));
}

bool TTextGitter::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) {
    const bool vorher = Bearbeitet();
    const bool ok = QTableWidget::edit(index, trigger, event);
    if (ok && !vorher && Bearbeitet()) emit EditorGeoeffnet(index.row(), index.column());
    return ok;
}

void TTextGitter::keyPressEvent(QKeyEvent *e) {
    if (!Bearbeitet() && e->modifiers() == Qt::NoModifier) {
        if (e->key() == Qt::Key_Delete) {
            const QModelIndex i = currentIndex();
            if (i.isValid()) SetzeZellText(i.row(), i.column(), QString());
            e->accept();
            return;
        }
        if (e->key() == Qt::Key_Escape) {
            bool behandelt = false;
            emit EscapeGedrueckt(behandelt);
            if (behandelt) {
                e->accept();
                return;
            }
        }
    }
    QTableWidget::keyPressEvent(e);
}

// --- TFormEloTurnier

TFormEloTurnier::TFormEloTurnier(QWidget *parent) : QDialog(parent) {
    setWindowTitle("Turnier-Auswertung");
    setModal(true);

    StringGrid1 = new TTextGitter(10, 4, this);
    StringGrid1->setObjectName("StringGrid1");
    StringGrid1->setHorizontalHeaderLabels({"Name", "Ergebnis", "Elo - alt", "Elo - neu"});
    StringGrid1->setColumnWidth(SpalteName, 180);
    StringGrid2 = new TTextGitter(10, 10, this);
    StringGrid2->setObjectName("StringGrid2");
    for (TTextGitter *g : {StringGrid1, StringGrid2}) {
        g->setSelectionMode(QAbstractItemView::SingleSelection);
        g->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
        g->verticalHeader()->setDefaultSectionSize(22);
    }
    StringGrid2->horizontalHeader()->setDefaultSectionSize(64);
    FAktuellesGitter = StringGrid1;

    auto *label1 = new QLabel("&Teilnehmer", this);
    label1->setBuddy(StringGrid1);
    auto *label2 = new QLabel("&Ergebnisse", this);
    label2->setBuddy(StringGrid2);

    BtnNeu = new QPushButton("&Zeile einfügen", this);
    BtnBearbeiten = new QPushButton("Bearbeiten", this);
    BtnLoeschen = new QPushButton("&Löschen...", this);
    BtnAuswerten = new QPushButton("&Auswerten", this);
    BtnOK = new QPushButton("&OK", this);
    BtnAbbrechen = new QPushButton("Abbrechen", this);
    // Return belongs to the grids' editors; it must not close the window behind the user's back.
    for (QPushButton *b : {BtnNeu, BtnBearbeiten, BtnLoeschen, BtnAuswerten, BtnOK, BtnAbbrechen})
        b->setAutoDefault(false);

    auto *knoepfe = new QHBoxLayout;
    for (QPushButton *b : {BtnNeu, BtnBearbeiten, BtnLoeschen, BtnAuswerten})
        knoepfe->addWidget(b);
    knoepfe->addStretch();
    knoepfe->addWidget(BtnOK);
    knoepfe->addWidget(BtnAbbrechen);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label1);
    layout->addWidget(StringGrid1, 2);
    layout->addWidget(label2);
    layout->addWidget(StringGrid2, 3);
    layout->addLayout(knoepfe);
    resize(760, 620);

    connect(BtnNeu, &QPushButton::clicked, this, &TFormEloTurnier::BtnNeuClick);
    connect(BtnBearbeiten, &QPushButton::clicked, this, &TFormEloTurnier::BtnBearbeitenClick);
    connect(BtnLoeschen, &QPushButton::clicked, this, &TFormEloTurnier::BtnLoeschenClick);
    connect(BtnAuswerten, &QPushButton::clicked, this, &TFormEloTurnier::BtnAuswertenClick);
    connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnAbbrechen, &QPushButton::clicked, this, &QDialog::reject);

    FokusVerbindung = connect(qApp, &QApplication::focusChanged, this, &TFormEloTurnier::FokusGewechselt);
    connect(StringGrid1, &QTableWidget::itemChanged, this, &TFormEloTurnier::SpielerGeaendert);
    // Queued: the editor of the cell just left has committed its text by then.
    connect(
        StringGrid2, &QTableWidget::currentCellChanged, this,
        [this](int, int, int alteZeile, int alteSpalte) {
            if (alteZeile >= 0 && alteSpalte >= 0) StringGrid2CheckCell(alteSpalte + 1, alteZeile + 1);
        },
        Qt::QueuedConnection);
    for (TTextGitter *g : {StringGrid1, StringGrid2}) {
        connect(g, &TTextGitter::EditorGeoeffnet, this, [this, g](int zeile, int spalte) {
            FMerkGitter = g;
            FMerkZeile = zeile;
            FMerkSpalte = spalte;
            FMerkText = g->ZellText(zeile, spalte);
            if (g == StringGrid1 && zeile == StringGrid1->rowCount() - 1) {
                StringGrid1->insertRow(StringGrid1->rowCount());
                UpdateTabellenHeader();
            }
        });
        connect(g, &TTextGitter::EscapeGedrueckt, this, [this, g](bool &behandelt) { Escape(g, behandelt); });
    }
    UpdateTabellenHeader();
}

TGitter TFormEloTurnier::Spieler() const {
    TGitter g(StringGrid1->columnCount(), StringGrid1->rowCount() + 1);
    for (int s = 0; s < g.Spalten; ++s) {
        const QTableWidgetItem *kopf = StringGrid1->horizontalHeaderItem(s);
        g.Setze(s, 0, kopf ? S(kopf->text()) : "");
        for (int z = 1; z < g.Zeilen; ++z)
            g.Setze(s, z, S(StringGrid1->ZellText(z - 1, s)));
    }
    return g;
}

TGitter TFormEloTurnier::Ergebnisse() const {
    TGitter g(StringGrid2->columnCount() + 1, StringGrid2->rowCount() + 1);
    for (int s = 1; s < g.Spalten; ++s)
        if (const QTableWidgetItem *kopf = StringGrid2->horizontalHeaderItem(s - 1))
            g.Setze(s, 0, S(kopf->text()));
    for (int z = 1; z < g.Zeilen; ++z) {
        if (const QTableWidgetItem *kopf = StringGrid2->verticalHeaderItem(z - 1))
            g.Setze(0, z, S(kopf->text()));
        for (int s = 1; s < g.Spalten; ++s)
            g.Setze(s, z, S(StringGrid2->ZellText(z - 1, s - 1)));
    }
    return g;
}

void TFormEloTurnier::SetzeSpieler(const TGitter &g) {
    const QSignalBlocker sperre(StringGrid1);
    StringGrid1->setRowCount(std::max(g.Zeilen - 1, 1));
    for (int z = 1; z < g.Zeilen; ++z)
        for (int s = 0; s < StringGrid1->columnCount(); ++s)
            StringGrid1->SetzeZellText(z - 1, s, Q(g.Text(s, z)));
}

void TFormEloTurnier::SetzeErgebnisse(const TGitter &g) {
    StringGrid2->setRowCount(std::max(g.Zeilen - 1, 0));
    StringGrid2->setColumnCount(std::max(g.Spalten - 1, 0));
    // Players without a name keep their number, so rows and columns can still be matched.
    for (int s = 1; s < g.Spalten; ++s) {
        const QString name = Q(g.Text(s, 0));
        StringGrid2->setHorizontalHeaderItem(
            s - 1, new QTableWidgetItem(name.isEmpty() ? QString::number(s) : name));
    }
    for (int z = 1; z < g.Zeilen; ++z) {
        const QString name = Q(g.Text(0, z));
        StringGrid2->setVerticalHeaderItem(z - 1,
                                           new QTableWidgetItem(name.isEmpty() ? QString::number(z) : name));
        for (int s = 1; s < g.Spalten; ++s)
            StringGrid2->SetzeZellText(z - 1, s - 1, Q(g.Text(s, z)));
    }
}

void TFormEloTurnier::ZeilePkteAuswerten(int zeile) {
    TGitter spieler = Spieler();
    ::ZeilePkteAuswerten(spieler, Ergebnisse(), zeile);
    SetzeSpieler(spieler);
}

void TFormEloTurnier::ZeileEloAuswerten(int zeile) {
    TGitter spieler = Spieler();
    ::ZeileEloAuswerten(spieler, Ergebnisse(), zeile);
    SetzeSpieler(spieler);
}

bool TFormEloTurnier::ChkFormular() {
    const std::string meldung = EloPruefen(Spieler());
    if (meldung.empty()) return true;
    Meldung(this, Q(meldung), false);
    return false;
}

bool TFormEloTurnier::StringGrid2CheckCell(int x, int y) {
    // The message box moves the focus away from the table, which must not check again.
    if (FPruefeGerade) return true;
    FPruefeGerade = true;
    struct Ende {
        bool &f;
        ~Ende() { f = false; }
    } ende{FPruefeGerade};

    TGitter kreuz = Ergebnisse();
    const TPruefung p = ErgebnisNormalisieren(kreuz, x, y);
    SetzeErgebnisse(kreuz);
    if (p == TPruefung::Leer) return true;
    if (p == TPruefung::Fehler) {
        StringGrid2->setFocus();
        StringGrid2->setCurrentCell(y - 1, x - 1);
        StringGrid2->edit(StringGrid2->currentIndex());
        Meldung(this, Q(MeldungErgebnis), false);
        return false;
    }
    // Both players' rows change with a result and its mirror.
    TGitter spieler = Spieler();
    for (int z : {x, y}) {
        ::ZeilePkteAuswerten(spieler, kreuz, z);
        ::ZeileEloAuswerten(spieler, kreuz, z);
    }
    SetzeSpieler(spieler);
    return true;
}

void TFormEloTurnier::UpdateTabellenHeader() {
    if (FKopfGerade) return;
    FKopfGerade = true;
    TGitter kreuz = Ergebnisse();
    TabellenKopf(Spieler(), kreuz);
    SetzeErgebnisse(kreuz);
    FKopfGerade = false;
}

void TFormEloTurnier::BtnNeuClick() {
    const int zeile = std::max(StringGrid1->currentRow(), 0);
    // The cross table first covers every player, then gets the new row and column in place.
    StringGrid2->setRowCount(std::max(StringGrid2->rowCount(), StringGrid1->rowCount()));
    StringGrid2->setColumnCount(std::max(StringGrid2->columnCount(), StringGrid1->rowCount()));
    {
        const QSignalBlocker sperre(StringGrid1);
        StringGrid1->insertRow(zeile);
    }
    StringGrid2->insertRow(zeile);
    StringGrid2->insertColumn(zeile);
    UpdateTabellenHeader();
    StringGrid1->setFocus();
    StringGrid1->setCurrentCell(zeile, SpalteName);
    StringGrid1->edit(StringGrid1->currentIndex());
}

void TFormEloTurnier::BtnBearbeitenClick() {
    TTextGitter *g = FAktuellesGitter;
    g->setFocus();
    if (g->Bearbeitet())
        g->EditorSchliessen();
    else if (g->currentIndex().isValid())
        g->edit(g->currentIndex());
}

void TFormEloTurnier::BtnLoeschenClick() {
    const int zeile = StringGrid1->currentRow();
    if (zeile < 0) return;
    if (!Meldung(this, "Soll die gewählte Zeile gelöscht werden?", true)) return;
    {
        const QSignalBlocker sperre(StringGrid1);
        if (StringGrid1->rowCount() > 1) {
            StringGrid1->removeRow(zeile);
        } else {
            for (int s = 0; s < StringGrid1->columnCount(); ++s)
                StringGrid1->SetzeZellText(zeile, s, QString());
        }
    }
    // The player's results leave with him; left behind they would count for the next player.
    if (zeile < StringGrid2->rowCount()) StringGrid2->removeRow(zeile);
    if (zeile < StringGrid2->columnCount()) StringGrid2->removeColumn(zeile);
    UpdateTabellenHeader();
}

void TFormEloTurnier::BtnAuswertenClick() {
    if (!ChkFormular()) return;
    TGitter spieler = Spieler();
    const TGitter kreuz = Ergebnisse();
    for (int z = 1; z < kreuz.Zeilen; ++z) {
        ::ZeilePkteAuswerten(spieler, kreuz, z);
        ::ZeileEloAuswerten(spieler, kreuz, z);
    }
    SetzeSpieler(spieler);
}

void TFormEloTurnier::FokusGewechselt(QWidget *alt, QWidget *neu) {
    if (IstIn(neu, StringGrid1))
        FAktuellesGitter = StringGrid1;
    else if (IstIn(neu, StringGrid2))
        FAktuellesGitter = StringGrid2;
    // Leaving the cross table for another control of this window checks the current cell.
    // A window switch (neu == nullptr, message boxes) is no leaving.
    if (IstIn(alt, StringGrid2) && neu && !IstIn(neu, StringGrid2) && isAncestorOf(neu)) {
        QTimer::singleShot(0, this, [this] {
            const QModelIndex i = StringGrid2->currentIndex();
            if (i.isValid()) StringGrid2CheckCell(i.column() + 1, i.row() + 1);
        });
    }
}

void TFormEloTurnier::Escape(TTextGitter *gitter, bool &behandelt) {
    if (gitter != FMerkGitter || gitter->currentRow() != FMerkZeile || gitter->currentColumn() != FMerkSpalte)
        return;
    gitter->SetzeZellText(FMerkZeile, FMerkSpalte, FMerkText);
    FMerkGitter = nullptr; // a second Escape belongs to the window again
    behandelt = true;
}

void TFormEloTurnier::SpielerGeaendert(QTableWidgetItem *item) {
    if (item && item->column() == SpalteName) UpdateTabellenHeader();
}

// Hiding the dialog in QDialog's destructor moves the focus: by then this part is gone, so the
// application must not call back into it.
TFormEloTurnier::~TFormEloTurnier() { disconnect(FokusVerbindung); }
