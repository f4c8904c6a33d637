#include "ui/DlgGtpEngines.h"

#include "engine/Engines.h"
#include "support/QtProzess.h"
#include "ui/GtpEngineListe.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }
} // namespace

TDlgGtpEngines::TDlgGtpEngines(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("GTP-Engines"));
    Liste = new QListWidget(this);
    Liste->setMinimumWidth(460);
    EditName = new QLineEdit(this);
    EditBefehl = new QLineEdit(this);
    EditBefehl->setPlaceholderText(QStringLiteral("z. B. /usr/games/gnugo --mode gtp --boardsize 7"));
    Pruefung = new QLabel(this);
    Pruefung->setWordWrap(true);
    Ergebnis = new QLabel(this);
    Ergebnis->setWordWrap(true);
    Ergebnis->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Ergebnis->setMinimumHeight(Ergebnis->fontMetrics().lineSpacing() * 4); // the test's four lines
    Ergebnis->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    KnopfHinzufuegen = new QPushButton(QStringLiteral("&Hinzufügen"), this);
    KnopfTesten = new QPushButton(QStringLiteral("&Testen"), this);
    KnopfTestAbbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
    KnopfEntfernen = new QPushButton(QStringLiteral("&Entfernen"), this);
    KnopfSchliessen = new QPushButton(QStringLiteral("Schließen"), this);
    KnopfTestAbbrechen->setEnabled(false);
    for (QPushButton* k : {KnopfHinzufuegen, KnopfTesten, KnopfTestAbbrechen, KnopfEntfernen})
        k->setAutoDefault(false);
    KnopfSchliessen->setDefault(true);

    auto* form = new QFormLayout;
    auto* ln = new QLabel(QStringLiteral("&Name:"), this);
    ln->setBuddy(EditName);
    auto* lb = new QLabel(QStringLiteral("&Befehlszeile:"), this);
    lb->setBuddy(EditBefehl);
    form->addRow(ln, EditName);
    form->addRow(lb, EditBefehl);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(KnopfHinzufuegen);
    knoepfe->addWidget(KnopfTesten);
    knoepfe->addWidget(KnopfTestAbbrechen);
    knoepfe->addStretch();
    knoepfe->addWidget(KnopfEntfernen);
    auto* unten = new QHBoxLayout;
    unten->addStretch();
    unten->addWidget(KnopfSchliessen);
    auto* v = new QVBoxLayout(this);
    v->addWidget(
        new QLabel(QStringLiteral("Eingetragene Engines (nach \"Default\" in \"Engines wählen\"):"), this));
    v->addWidget(Liste);
    v->addLayout(form);
    v->addWidget(Pruefung);
    v->addLayout(knoepfe);
    v->addWidget(Ergebnis);
    v->addLayout(unten);

    connect(EditName, &QLineEdit::textChanged, this, &TDlgGtpEngines::Pruefen);
    connect(EditBefehl, &QLineEdit::textChanged, this, &TDlgGtpEngines::Pruefen);
    connect(KnopfHinzufuegen, &QPushButton::clicked, this, &TDlgGtpEngines::Hinzufuegen);
    connect(KnopfTesten, &QPushButton::clicked, this, &TDlgGtpEngines::Testen);
    connect(KnopfTestAbbrechen, &QPushButton::clicked, this, [this] { Stopp = 1; });
    connect(KnopfEntfernen, &QPushButton::clicked, this, &TDlgGtpEngines::Entfernen);
    connect(KnopfSchliessen, &QPushButton::clicked, this, &TDlgGtpEngines::reject);
    connect(Liste, &QListWidget::currentRowChanged, this, [this](int zeile) {
        KnopfEntfernen->setEnabled(zeile >= 0);
        if (zeile < 0 || zeile >= int(Eintraege.size())) return;
        // The entry in the fields: to test it, or to add a changed copy under another name.
        EditName->setText(Q(Eintraege[std::size_t(zeile)].Name));
        EditBefehl->setText(Q(Eintraege[std::size_t(zeile)].Befehlszeile));
    });
    Pruefen();
}

TDlgGtpEngines::~TDlgGtpEngines() {
    if (Faden) {
        Stopp = 1;
        Faden->wait();
    }
}

void TDlgGtpEngines::Ausfuehren() {
    Fuellen();
    Ergebnis->clear();
    EditName->setFocus();
    exec();
}

void TDlgGtpEngines::Fuellen() {
    Eintraege = GtpEnginesLesen();
    Liste->clear();
    for (const TGtpEintrag& e : Eintraege) {
        auto* i = new QListWidgetItem(Q(e.Name + "  –  " + e.Befehlszeile), Liste);
        i->setToolTip(Q(e.Befehlszeile));
    }
    // Nothing chosen: the fields are for a new entry.
    Liste->setCurrentRow(-1);
    EditName->clear();
    EditBefehl->clear();
    KnopfEntfernen->setEnabled(false);
    Pruefen();
}

void TDlgGtpEngines::Pruefen() {
    const TGtpEintrag e{S(EditName->text()), S(EditBefehl->text())};
    const std::string grund = GtpEintragFehler(e, Eintraege);
    Pruefung->setText(Q(grund));
    KnopfHinzufuegen->setEnabled(grund.empty());
    KnopfTesten->setEnabled(!Faden && !GtpEintragGetrimmt(e).Befehlszeile.empty());
}

void TDlgGtpEngines::Hinzufuegen() {
    if (const std::string grund = GtpEngineHinzufuegen({S(EditName->text()), S(EditBefehl->text())});
        !grund.empty()) {
        QMessageBox::warning(this, windowTitle(), Q(grund));
        return;
    }
    const QString name = EditName->text().trimmed();
    Fuellen();
    Ergebnis->setText(QStringLiteral("\"%1\" steht jetzt in der Liste.").arg(name));
}

void TDlgGtpEngines::Entfernen() {
    const int zeile = Liste->currentRow();
    if (zeile < 0) return;
    const QString name = Q(Eintraege[std::size_t(zeile)].Name);
    if (const std::string grund = GtpEngineEntfernen(std::size_t(zeile)); !grund.empty()) {
        QMessageBox::warning(this, windowTitle(), Q(grund));
        return;
    }
    Fuellen();
    Ergebnis->setText(QStringLiteral("\"%1\" wurde entfernt.").arg(name));
}

// The trial run waits for the program's answers: on a thread of its own, so the window stays free.
void TDlgGtpEngines::Testen() {
    if (Faden) return;
    const std::string befehl = GtpEintragGetrimmt({"", S(EditBefehl->text())}).Befehlszeile;
    Stopp = 0;
    Ergebnis->setText(QStringLiteral("Die Engine wird gestartet und gefragt ..."));
    const auto frist = Frist;
    Faden = QThread::create(
        [this, befehl, frist] { Probe = GtpEngineProbieren(befehl, NeuerQtProzess, frist, &Stopp); });
    connect(Faden, &QThread::finished, this, &TDlgGtpEngines::TestEnde);
    KnopfTestAbbrechen->setEnabled(true);
    Pruefen();
    Faden->start();
}

void TDlgGtpEngines::TestEnde() {
    if (!Faden) return;
    Faden->wait();
    Faden->deleteLater();
    Faden = nullptr;
    KnopfTestAbbrechen->setEnabled(false);
    if (Probe.Ok)
        Ergebnis->setText(
            QStringLiteral("Die Engine antwortet.\nname: %1\nversion: %2\nboardsize 7: angenommen")
                .arg(Q(Probe.Name), Q(Probe.Version)));
    else
        Ergebnis->setText(Q(Probe.Fehler));
    Pruefen();
}

// Closing cancels a trial run and waits for its end (the program is ended at once).
void TDlgGtpEngines::reject() {
    if (Faden) {
        Stopp = 1;
        Faden->wait();
        TestEnde();
    }
    QDialog::reject();
}
