#include "ui/PgnForm.h"

#include "record/PgnDoc.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

// ---- grid ----------------------------------------------------------------------------------

class TPgnGrid::TDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    mutable QPointer<QWidget> Editor;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        Editor = QStyledItemDelegate::createEditor(parent, option, index);
        return Editor;
    }
};

TPgnGrid::TPgnGrid(QWidget* parent) : QTableWidget(parent), Delegate(new TDelegate(this)) {
    setItemDelegate(Delegate);
    setColumnCount(2);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(16);
    verticalHeader()->setDefaultSectionSize(16);
    verticalHeader()->setSectionsMovable(true);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // the value column takes what the window gives beyond the name column
    horizontalHeader()->setStretchLastSection(true);
    setColumnWidth(0, 77);
    setColumnWidth(1, 355);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
}

bool TPgnGrid::EditorOffen() const { return state() == EditingState && Delegate->Editor; }

QWidget* TPgnGrid::Editor() const { return EditorOffen() ? Delegate->Editor.data() : nullptr; }

void TPgnGrid::commitData(QWidget* editor) {
    QTableWidget::commitData(editor);
    const QModelIndex i = currentIndex();
    if (i.isValid() && i.row() == rowCount() - 1 && !Text(i.row(), i.column()).isEmpty()) {
        setRowCount(rowCount() + 1);
        ZellenAnlegen();
    }
}

void TPgnGrid::EditorOeffnen() {
    if (rowCount() == 0) return;
    if (!currentIndex().isValid()) setCurrentCell(0, 0);
    QAbstractItemView::edit(currentIndex());
}

void TPgnGrid::EditorSchliessen() {
    QWidget* ed = Delegate->Editor;
    if (!ed || state() != EditingState) return;
    commitData(ed);
    closeEditor(ed, QAbstractItemDelegate::NoHint);
}

void TPgnGrid::ZellenAnlegen() {
    for (int z = 0; z < rowCount(); ++z)
        for (int s = 0; s < columnCount(); ++s)
            if (!item(z, s)) setItem(z, s, new QTableWidgetItem);
}

QString TPgnGrid::Text(int zeile, int spalte) const {
    const QTableWidgetItem* it = item(zeile, spalte);
    return it ? it->text() : QString();
}

void TPgnGrid::SetzeText(int zeile, int spalte, const QString& text) {
    if (QTableWidgetItem* it = item(zeile, spalte))
        it->setText(text);
    else
        setItem(zeile, spalte, new QTableWidgetItem(text));
}

bool TPgnGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    const QString vorher = index.isValid() ? Text(index.row(), index.column()) : QString();
    const bool ok = QTableWidget::edit(index, trigger, event);
    if (ok && state() == EditingState) {
        MerkZeile = index.row();
        MerkSpalte = index.column();
        MerkText = vorher;
    }
    return ok;
}

void TPgnGrid::keyPressEvent(QKeyEvent* e) {
    if (state() != EditingState) {
        // Escape undoes the last edit of this cell; with nothing to undo it cancels the dialog.
        if (e->key() == Qt::Key_Escape && MerkZeile >= 0 && currentRow() == MerkZeile &&
            currentColumn() == MerkSpalte && Text(MerkZeile, MerkSpalte) != MerkText) {
            SetzeText(MerkZeile, MerkSpalte, MerkText);
            e->accept();
            return;
        }
        if (e->key() == Qt::Key_Delete && e->modifiers() == Qt::NoModifier) {
            if (currentRow() > 0) SetzeText(currentRow(), currentColumn(), QString());
            e->accept();
            return;
        }
    }
    QTableWidget::keyPressEvent(e);
}

// ---- dialog --------------------------------------------------------------------------------

TFormPGN::TFormPGN(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Partie-Eigenschaften");
    setMinimumSize(173, 230);

    StringGrid1 = new TPgnGrid;
    Memo1 = new QPlainTextEdit;
    Memo1->setReadOnly(true);
    MemoFehler = new QPlainTextEdit;
    MemoPartie = new QPlainTextEdit;
    MemoFehler->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoPartie->setLineWrapMode(QPlainTextEdit::NoWrap);

    BtnNeu = new QPushButton("&Neu");
    BtnBearbeiten = new QPushButton("Bearbeiten");
    BtnLoeschen = new QPushButton("&Löschen...");
    BtnOk = new QPushButton("&OK");
    BtnAbbrechen = new QPushButton("Abbrechen");
    for (QPushButton* b : {BtnNeu, BtnLoeschen, BtnOk, BtnAbbrechen})
        b->setAutoDefault(false);
    BtnBearbeiten->setDefault(true);

    auto* knoepfe = new QVBoxLayout;
    for (QPushButton* b : {BtnNeu, BtnBearbeiten, BtnLoeschen})
        knoepfe->addWidget(b);
    knoepfe->addStretch(1);
    knoepfe->addWidget(BtnOk);
    knoepfe->addWidget(BtnAbbrechen);

    Splitter1 = new QSplitter(Qt::Horizontal);
    Splitter1->addWidget(StringGrid1);
    Splitter1->addWidget(Memo1);
    Splitter1->setStretchFactor(0, 3);
    Splitter1->setStretchFactor(1, 1);

    auto* oben = new QWidget;
    auto* obenLayout = new QHBoxLayout(oben);
    obenLayout->setContentsMargins(0, 0, 0, 0);
    obenLayout->addWidget(Splitter1, 1);
    obenLayout->addLayout(knoepfe);

    Splitter2 = new QSplitter(Qt::Vertical);
    Splitter2->addWidget(oben);
    Splitter2->addWidget(MemoFehler);
    Splitter2->addWidget(MemoPartie);
    Splitter2->setStretchFactor(0, 2);
    Splitter2->setStretchFactor(1, 1);
    Splitter2->setStretchFactor(2, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Splitter2);
    resize(700, 560);

    connect(BtnNeu, &QPushButton::clicked, this, &TFormPGN::BtnNeuClick);
    connect(BtnBearbeiten, &QPushButton::clicked, this, &TFormPGN::BtnBearbeitenClick);
    connect(BtnLoeschen, &QPushButton::clicked, this, &TFormPGN::BtnLoeschenClick);
    connect(BtnOk, &QPushButton::clicked, this, &TFormPGN::BtnOkClick);
    connect(BtnAbbrechen, &QPushButton::clicked, this, &QDialog::reject);

    GridFuellen();
}

void TFormPGN::GridFuellen() {
    StringGrid1->clearContents();
    StringGrid1->setRowCount(7);
    StringGrid1->ZellenAnlegen();
    Zeilenzahl = 0;
    if (PgnSpiele.Count >= 1) {
        for (const TPgnTag& t : PgnSpiele[0].Tags) {
            if (Zeilenzahl >= StringGrid1->rowCount()) {
                StringGrid1->setRowCount(Zeilenzahl + 1);
                StringGrid1->ZellenAnlegen();
            }
            StringGrid1->SetzeText(Zeilenzahl, 0, PgnAnzeigeText(t.Name));
            StringGrid1->SetzeText(Zeilenzahl, 1, PgnAnzeigeText(t.Value));
            ++Zeilenzahl;
        }
    }
    StringGrid1->setCurrentCell(0, 0);
    StringGrid1->MerkZeile = StringGrid1->MerkSpalte = -1;
}

int TFormPGN::ShowPgnFile(const QString& datei) {
    std::string fehler;
    ReadPgnFile(PgnSpiele, datei.toStdString(), fehler);
    GridFuellen();
    MemoFehler->setPlainText(PgnAnzeigeText(fehler));
    MemoPartie->setPlainText(PgnAnzeigeText(PgnParser.Text));
    Memo1->clear();
    return exec() == QDialog::Accepted ? 0 : -1;
}

void TFormPGN::BtnNeuClick() {
    TPgnGrid* g = StringGrid1;
    const int zeile = std::max(g->currentRow(), 0);
    g->insertRow(zeile);
    g->ZellenAnlegen();
    g->setCurrentCell(zeile, 0);
    g->setFocus();
    g->EditorOeffnen();
}

void TFormPGN::BtnBearbeitenClick() {
    StringGrid1->setFocus();
    if (StringGrid1->EditorOffen())
        StringGrid1->EditorSchliessen();
    else
        StringGrid1->EditorOeffnen();
}

void TFormPGN::BtnLoeschenClick() {
    TPgnGrid* g = StringGrid1;
    if (QMessageBox::question(this, windowTitle(), "Soll die gewählte Zeile gelöscht werden?",
                              QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    int zeile = g->currentRow();
    if (zeile < 0) return;
    g->EditorSchliessen();
    if (zeile == g->rowCount() - 1) {
        for (int s = 0; s < g->columnCount(); ++s)
            g->SetzeText(zeile, s, QString());
        if (zeile > 1) --zeile;
    } else {
        g->removeRow(zeile);
    }
    g->setCurrentCell(zeile, 0);
}

void TFormPGN::BtnOkClick() {
    // Only the position and the moves go over; the edited tags stay in the dialog.
    if (PgnSpiele.Count >= 1) PgnSpielUebernehmen(PgnSpiele[0]);
    accept();
}

// ---- helpers -------------------------------------------------------------------------------

QString PgnAnzeigeText(const std::string& bytes) {
    QString s;
    s.reserve(static_cast<qsizetype>(bytes.size()));
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char c = b[i];
        if (c < 0x80) {
            if (c == '\r' && i + 1 < n && b[i + 1] == '\n') {
                ++i; // the line feed makes the break
            } else {
                s += c == 0 ? QChar(' ') : QChar(c);
                ++i;
            }
            continue;
        }
        size_t laenge = c >= 0xC2 && c <= 0xDF   ? 2
                        : c >= 0xE0 && c <= 0xEF ? 3
                        : c >= 0xF0 && c <= 0xF4 ? 4
                                                 : 0;
        bool gueltig = laenge > 0 && i + laenge <= n;
        for (size_t k = 1; gueltig && k < laenge; ++k)
            gueltig = (b[i + k] & 0xC0) == 0x80;
        if (gueltig) {
            const QString teil =
                QString::fromUtf8(reinterpret_cast<const char*>(b + i), static_cast<qsizetype>(laenge));
            gueltig = !teil.contains(QChar::ReplacementCharacter);
            if (gueltig) {
                s += teil;
                i += laenge;
                continue;
            }
        }
        s += QChar(c); // Latin-1
        ++i;
    }
    return s;
}

int ShowPgnFile(const QString& datei) {
    static QPointer<TFormPGN> dialog;
    if (!dialog) dialog = new TFormPGN(QApplication::activeWindow());
    return dialog->ShowPgnFile(datei);
}
