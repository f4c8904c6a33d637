#include "ui/EngineInfoVw.h"

#include "rules/Basis.h"

#include <QHeaderView>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
QString Gerundet(double wert) {
    // Out-of-range values must not reach the conversion, which would be undefined.
    constexpr double grenze = 9.2e18;
    if (!std::isfinite(wert)) return wert > 0 ? "inf" : (wert < 0 ? "-inf" : "nan");
    return QString::number(static_cast<qint64>(std::nearbyint(std::clamp(wert, -grenze, grenze))));
}

QString ZugMitWert(int feld, double wert) {
    if (feld == -2) return {}; // no move searched yet
    return QString::fromStdString(Feldname(feld)) + " " + Gerundet(wert);
}
} // namespace

const QStringList &TFrameEngineInfo::Namen() {
    static const QStringList namen = {"Suchtiefe",
                                      "Aktueller Zug mit Wert",
                                      "Bester Zug mit Wert",
                                      "Anzahl Stellungen",
                                      "Zeit",
                                      "Stellungen pro Sekunde",
                                      "Grund für die Beendigung der Zugsuche"};
    return namen;
}

QStringList TFrameEngineInfo::Werte(const TSuchInfo &info) {
    return {QString::number(info.Tiefe),
            ZugMitWert(info.AktuellerZug, info.AktuellerWert),
            ZugMitWert(info.BesterZug, info.BesterWert),
            QString::number(static_cast<qint64>(info.Stellungen)),
            QString::fromStdString(info.Zeit),
            QString::number(static_cast<qint64>(info.ProSekunde)),
            QString::fromStdString(info.Grund)};
}

TFrameEngineInfo::TFrameEngineInfo(QWidget *parent) : QWidget(parent) {
    ValueListEditor = new QTreeWidget(this);
    ValueListEditor->setColumnCount(2);
    ValueListEditor->setHeaderLabels({"Name", "Wert"});
    ValueListEditor->setRootIsDecorated(false);
    ValueListEditor->setSelectionBehavior(QAbstractItemView::SelectRows);
    ValueListEditor->setSelectionMode(QAbstractItemView::SingleSelection);
    ValueListEditor->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The longest name does not fit the 200 px column; the tip shows it whole.
    for (const QString &n : Namen())
        (new QTreeWidgetItem(ValueListEditor, {n, QString()}))->setToolTip(0, n);
    ValueListEditor->setColumnWidth(0, 200);
    ValueListEditor->header()->setStretchLastSection(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ValueListEditor);

    Timer1 = new QTimer(this);
    Timer1->setInterval(200);
    connect(Timer1, &QTimer::timeout, this, &TFrameEngineInfo::Aktualisieren);
}

void TFrameEngineInfo::Aktualisieren() {
    const QStringList werte = Werte(HoleSuchInfo());
    for (int i = 0; i < werte.size(); ++i)
        if (QTreeWidgetItem *z = ValueListEditor->topLevelItem(i); z && z->text(1) != werte[i])
            z->setText(1, werte[i]);
}

// Polling only while someone can see it.
void TFrameEngineInfo::showEvent(QShowEvent *e) {
    Aktualisieren();
    Timer1->start();
    QWidget::showEvent(e);
}

void TFrameEngineInfo::hideEvent(QHideEvent *e) {
    Timer1->stop();
    QWidget::hideEvent(e);
}
