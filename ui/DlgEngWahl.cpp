#include "ui/DlgEngWahl.h"

#include "engine/Engines.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

TEngWahlDlg::TEngWahlDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Engines wählen"));
    ComboBoxWeiss = new QComboBox(this);
    ComboBoxSchwarz = new QComboBox(this);
    RadioButtonEineEngine = new QRadioButton(QStringLiteral("&Eine Engine für beide Parteien"), this);
    RadioButtonSchwarz = new QRadioButton(QStringLiteral("Engine &Schwarz"), this);
    auto* lw = new QLabel(QStringLiteral("Engine &Weiß"), this);
    lw->setBuddy(ComboBoxWeiss);

    auto* g = new QGridLayout;
    g->addWidget(lw, 0, 0);
    g->addWidget(ComboBoxWeiss, 0, 1);
    g->addWidget(RadioButtonEineEngine, 1, 0, 1, 2);
    g->addWidget(RadioButtonSchwarz, 2, 0);
    g->addWidget(ComboBoxSchwarz, 2, 1);
    g->setColumnMinimumWidth(1, 160);

    auto* knoepfe = new QDialogButtonBox(this);
    auto* ok = knoepfe->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    knoepfe->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* v = new QVBoxLayout(this);
    v->addLayout(g);
    v->addWidget(knoepfe);

    connect(ComboBoxWeiss, &QComboBox::currentIndexChanged, this, [this] { ComboBoxWeissChange(); });
    connect(RadioButtonEineEngine, &QRadioButton::clicked, this, [this] { RadioButtonEineEngineClick(); });
    connect(RadioButtonSchwarz, &QRadioButton::clicked, this, [this] { RadioButtonSchwarzClick(); });
}

void TEngWahlDlg::Fuellen() {
    Liste.clear();
    ComboBoxWeiss->blockSignals(true);
    ComboBoxWeiss->clear();
    ComboBoxSchwarz->clear();
    int weiss = -1, schwarz = -1;
    for (TEngine* e : EngineListe) {
        if (!e) continue;
        if (e == EngineSlots[0]) weiss = static_cast<int>(Liste.size());
        if (e == EngineSlots[1]) schwarz = static_cast<int>(Liste.size());
        Liste.push_back(e);
        // The whole name: engines the user adds may share their first eight characters.
        const QString name = QString::fromStdString(e->HoleName().empty() ? std::string() : e->Name);
        ComboBoxWeiss->addItem(name);
        ComboBoxSchwarz->addItem(name);
    }
    ComboBoxWeiss->setCurrentIndex(weiss);
    ComboBoxSchwarz->setCurrentIndex(schwarz);
    ComboBoxWeiss->blockSignals(false);
    const bool eine = EngineSlots[0] == EngineSlots[1];
    RadioButtonEineEngine->setChecked(eine);
    RadioButtonSchwarz->setChecked(!eine);
    ComboBoxSchwarz->setEnabled(!eine);
}

void TEngWahlDlg::SchwarzAbgleichen() {
    ComboBoxSchwarz->setEnabled(RadioButtonSchwarz->isChecked());
    if (RadioButtonEineEngine->isChecked()) ComboBoxSchwarz->setCurrentIndex(ComboBoxWeiss->currentIndex());
}

void TEngWahlDlg::ComboBoxWeissChange() { SchwarzAbgleichen(); }
void TEngWahlDlg::RadioButtonEineEngineClick() { SchwarzAbgleichen(); }
void TEngWahlDlg::RadioButtonSchwarzClick() {
    SchwarzAbgleichen();
    ComboBoxSchwarz->setFocus();
}

void TEngWahlDlg::Uebernehmen() {
    const int iw = ComboBoxWeiss->currentIndex();
    const int is = RadioButtonEineEngine->isChecked() ? iw : ComboBoxSchwarz->currentIndex();
    auto setze = [this](int seite, int index) {
        if (index < 0 || index >= static_cast<int>(Liste.size())) return;
        TEngine* e = Liste[static_cast<std::size_t>(index)];
        if (EngineSlots[seite]) e->SetzeLevel(EngineSlots[seite]->Level);
        EngineSlots[seite] = e;
    };
    setze(1, is);
    setze(0, iw);
}

int TEngWahlDlg::Ausfuehren() {
    Fuellen();
    if (exec() != QDialog::Accepted) return 2;
    Uebernehmen();
    return 1;
}

void TEngWahlDlg::showEvent(QShowEvent* e) {
    // Centred on the screen, not over the main window.
    adjustSize();
    if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
    QDialog::showEvent(e);
}
