#include "ui/AnpassenDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TDlgAnpassen::TDlgAnpassen(QWidget *parent) : QDialog(parent) {
    setWindowTitle("Werkzeugleiste anpassen");
    setModal(true);

    CheckHinweise = new QCheckBox("&Hinweise anzeigen", this);
    CheckSymboltitel = new QCheckBox("Symbol&titel anzeigen", this);
    CheckMenue = new QCheckBox("&Menü anzeigen", this);
    CheckMenue->setChecked(false);

    auto *gruppe = new QGroupBox("Symbolleisten", this);
    ListeSymbolleisten = new QListWidget(gruppe);
    for (const char *name : {"Datei", "Zug", "Hilfe"}) {
        auto *e = new QListWidgetItem(name, ListeSymbolleisten);
        e->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        e->setCheckState(Qt::Checked);
    }
    ListeSymbolleisten->setMaximumHeight(ListeSymbolleisten->sizeHintForRow(0) * 3 + 8);
    auto *gl = new QVBoxLayout(gruppe);
    gl->addWidget(ListeSymbolleisten);

    Knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    Knoepfe->button(QDialogButtonBox::Ok)->setText("OK");
    Knoepfe->button(QDialogButtonBox::Cancel)->setText("Abbrechen");
    connect(Knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(CheckHinweise);
    layout->addWidget(CheckSymboltitel);
    layout->addWidget(CheckMenue);
    layout->addWidget(gruppe);
    layout->addWidget(Knoepfe);
}

void TDlgAnpassen::showEvent(QShowEvent *e) {
    // Centred on the screen, whatever the owner's position.
    adjustSize();
    if (const QScreen *s = screen()) move(s->availableGeometry().center() - rect().center());
    QDialog::showEvent(e);
}

QListWidgetItem *TDlgAnpassen::Eintrag(int i) const { return ListeSymbolleisten->item(i); }

bool TDlgAnpassen::HinweiseAnzeigen() const { return CheckHinweise->isChecked(); }
void TDlgAnpassen::SetHinweiseAnzeigen(bool an) { CheckHinweise->setChecked(an); }
bool TDlgAnpassen::SymboltitelAnzeigen() const { return CheckSymboltitel->isChecked(); }
void TDlgAnpassen::SetSymboltitelAnzeigen(bool an) { CheckSymboltitel->setChecked(an); }
bool TDlgAnpassen::MenueAnzeigen() const { return CheckMenue->isChecked(); }
void TDlgAnpassen::SetMenueAnzeigen(bool an) { CheckMenue->setChecked(an); }
bool TDlgAnpassen::Datei() const { return Eintrag(0)->checkState() == Qt::Checked; }
void TDlgAnpassen::SetDatei(bool an) { Eintrag(0)->setCheckState(an ? Qt::Checked : Qt::Unchecked); }
bool TDlgAnpassen::Zug() const { return Eintrag(1)->checkState() == Qt::Checked; }
void TDlgAnpassen::SetZug(bool an) { Eintrag(1)->setCheckState(an ? Qt::Checked : Qt::Unchecked); }
bool TDlgAnpassen::Hilfe() const { return Eintrag(2)->checkState() == Qt::Checked; }
void TDlgAnpassen::SetHilfe(bool an) { Eintrag(2)->setCheckState(an ? Qt::Checked : Qt::Unchecked); }
