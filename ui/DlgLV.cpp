#include "ui/DlgLV.h"

#include "engine/Engines.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {
constexpr int Stufen = 9; // "Level 1".."Level 8", "Maximal"
constexpr int MaximalLevel = 999;

QButtonGroup* BaueGruppe(QGroupBox* box, bool kuerzel) {
    auto* g = new QButtonGroup(box);
    auto* v = new QVBoxLayout(box);
    for (int i = 0; i < Stufen; ++i) {
        QString t;
        if (i == Stufen - 1)
            t = kuerzel ? QStringLiteral("Ma&ximal") : QStringLiteral("Maximal");
        else
            t = (kuerzel ? QStringLiteral("Level &%1") : QStringLiteral("Level %1")).arg(i + 1);
        auto* r = new QRadioButton(t, box);
        g->addButton(r, i);
        v->addWidget(r);
    }
    return g;
}
} // namespace

TFormLV::TFormLV(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Spielstufen"));
    RadioGroupSpieler1 = new QGroupBox(QStringLiteral("&Level"), this);
    RadioGroupSpieler2 = new QGroupBox(QStringLiteral("Level von &Weiß"), this);
    Gruppe1 = BaueGruppe(RadioGroupSpieler1, true);
    Gruppe2 = BaueGruppe(RadioGroupSpieler2, false);
    RadioGroupSpieler2->setEnabled(false);
    CheckGleicherLv = new QCheckBox(QStringLiteral("&Gleicher Level für beide Parteien"), this);
    CheckGleicherLv->setChecked(true);

    auto* knoepfe = new QDialogButtonBox(this);
    auto* ok = knoepfe->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    knoepfe->addButton(QStringLiteral("Abbruch"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* h = new QHBoxLayout;
    h->addWidget(RadioGroupSpieler1);
    h->addWidget(RadioGroupSpieler2);
    auto* v = new QVBoxLayout(this);
    v->addLayout(h);
    v->addWidget(CheckGleicherLv);
    v->addWidget(knoepfe);

    connect(CheckGleicherLv, &QCheckBox::toggled, this, [this] { CheckGleicherLvClick(); });
    connect(Gruppe1, &QButtonGroup::idClicked, this, [this] { RadioGroupSpieler1Click(); });
}

int TFormLV::Auswahl(const QButtonGroup* g) { return g->checkedId(); }

void TFormLV::Waehle(QButtonGroup* g, int index) {
    if (index >= 0 && index < Stufen) {
        g->button(index)->setChecked(true);
        return;
    }
    // An exclusive group cannot be emptied by unchecking its button.
    g->setExclusive(false);
    for (auto* b : g->buttons())
        b->setChecked(false);
    g->setExclusive(true);
}

void TFormLV::Vorbereiten() {
    auto index = [](int level) { return std::min(level, Stufen) - 1; };
    const int i1 = index(LevelVonSlot(1));
    const int i2 = index(LevelVonSlot(0));
    Waehle(Gruppe1, i1);
    Waehle(Gruppe2, i2);
    if (i1 != i2) CheckGleicherLv->setChecked(false);
    CheckGleicherLvClick();
}

void TFormLV::CheckGleicherLvClick() {
    const bool gleich = CheckGleicherLv->isChecked();
    RadioGroupSpieler2->setEnabled(!gleich);
    if (gleich) {
        RadioGroupSpieler1->setTitle(QStringLiteral("&Level"));
        Waehle(Gruppe2, Auswahl(Gruppe1));
    } else {
        RadioGroupSpieler1->setTitle(QStringLiteral("Level von &Schwarz"));
    }
}

void TFormLV::RadioGroupSpieler1Click() {
    if (CheckGleicherLv->isChecked()) Waehle(Gruppe2, Auswahl(Gruppe1));
}

void TFormLV::Uebernehmen() {
    const int i1 = Auswahl(Gruppe1);
    const int i2 = Auswahl(Gruppe2);
    if (i1 < 0 || i2 < 0) return;
    auto level = [](int i) { return i == Stufen - 1 ? MaximalLevel : i + 1; };
    SetzeLevelVonSlot(1, level(i1));
    SetzeLevelVonSlot(0, RadioGroupSpieler2->isEnabled() ? level(i2) : level(i1));
}

int TFormLV::Ausfuehren() {
    Vorbereiten();
    if (exec() != QDialog::Accepted) return 2;
    Uebernehmen();
    return 1;
}
