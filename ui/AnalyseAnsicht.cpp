#include "ui/AnalyseAnsicht.h"

#include "record/SpielAblauf.h"
#include "support/StringsV5.h"

#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QMouseEvent>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScatterSeries>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {
const QColor Linienfarbe(30, 60, 140);
const QColor Fehlerfarbe(210, 30, 30);
const QColor Jetztfarbe(230, 140, 0);

// A step of 1, 2 or 5 times a power of ten that divides bereich into at most teile parts.
double Schritt(double bereich, int teile) {
    double zehner = 1;
    for (;;) {
        for (double f : {1.0, 2.0, 5.0})
            if (bereich / (f * zehner) <= teile) return f * zehner;
        zehner *= 10;
    }
}

QString Punkte(double v) { return QString::number(v, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(',')); }

QString ZugName(const TZug& z) {
    return IstPass(z) ? QStringLiteral("passt") : QString::fromStdString(Feldname(z.Feld));
}
} // namespace

// ---------------------------------------------------------------- graph

TMargenGrafik::TMargenGrafik(QWidget* parent) : QChartView(parent) {
    setRenderHint(QPainter::Antialiasing);
    auto* c = new QChart;
    c->legend()->hide();
    c->setMargins(QMargins(4, 4, 4, 4));
    c->setBackgroundRoundness(0);
    AchseX = new QValueAxis;
    AchseX->setLabelFormat(QStringLiteral("%d"));
    AchseX->setTitleText(QStringLiteral("Halbzug"));
    AchseY = new QValueAxis;
    AchseY->setLabelFormat(QStringLiteral("%+d"));
    AchseY->setTitleText(QStringLiteral("Schwarz vorn (Punkte)"));
    // Ticks on whole steps from 0, so that the labels are the numbers they say.
    for (QValueAxis* a : {AchseX, AchseY}) {
        a->setTickType(QValueAxis::TicksDynamic);
        a->setTickAnchor(0);
    }
    c->addAxis(AchseX, Qt::AlignBottom);
    c->addAxis(AchseY, Qt::AlignLeft);
    // The view lets go of the chart it made for itself without deleting it.
    QChart* eigene = chart();
    setChart(c);
    delete eigene;
    setMinimumSize(340, 220);
    setToolTip(QStringLiteral("Ein Klick in die Grafik geht zu diesem Halbzug."));
}

void TMargenGrafik::Zeigen(const std::vector<std::optional<double>>& margen, std::size_t aktuell,
                           const std::vector<THalbzugWert>& fehler) {
    QChart* c = chart();
    c->removeAllSeries();
    Stellungen = std::max<std::size_t>(margen.size(), 1);
    const double rechts = std::max<double>(double(Stellungen - 1), 1.0);
    double groesste = 5;
    for (const auto& m : margen)
        if (m) groesste = std::max(groesste, std::abs(*m));
    const double oben = std::ceil(groesste / 5) * 5;
    AchseX->setRange(0, rechts);
    AchseX->setTickInterval(Schritt(rechts, 8));
    AchseY->setRange(-oben, oben);
    AchseY->setTickInterval(Schritt(oben, 2));

    const auto neu = [c, this](QAbstractSeries* s) {
        c->addSeries(s);
        s->attachAxis(AchseX);
        s->attachAxis(AchseY);
    };
    Nulllinie = new QLineSeries;
    Nulllinie->setPen(QPen(QColor(150, 150, 150), 1));
    Nulllinie->append(0, 0);
    Nulllinie->append(rechts, 0);
    neu(Nulllinie);

    auto* jetzt = new QLineSeries;
    jetzt->setPen(QPen(Jetztfarbe, 2, Qt::DashLine));
    jetzt->append(double(aktuell), -oben);
    jetzt->append(double(aktuell), oben);
    neu(jetzt);

    // Each run of valued positions is a line of its own: a gap stands for positions not valued.
    QLineSeries* lauf = nullptr;
    auto* punkte = new QScatterSeries;
    punkte->setMarkerSize(5);
    punkte->setColor(Linienfarbe);
    punkte->setBorderColor(Linienfarbe);
    for (std::size_t n = 0; n < margen.size(); ++n) {
        if (!margen[n]) {
            lauf = nullptr;
            continue;
        }
        if (!lauf) {
            lauf = new QLineSeries;
            lauf->setPen(QPen(Linienfarbe, 2));
            neu(lauf);
        }
        lauf->append(double(n), *margen[n]);
        punkte->append(double(n), *margen[n]);
    }
    neu(punkte);

    auto* rot = new QScatterSeries;
    rot->setMarkerSize(11);
    rot->setColor(Fehlerfarbe);
    rot->setBorderColor(Qt::white);
    for (const THalbzugWert& f : fehler)
        if (f.MargeSchwarz) rot->append(double(f.Nummer), *f.MargeSchwarz);
    neu(rot);
}

QPoint TMargenGrafik::PunktVon(double stellung, double marge) const {
    const QPointF imChart = chart()->mapToPosition(QPointF(stellung, marge), Nulllinie);
    return mapFromScene(chart()->mapToScene(imChart));
}

void TMargenGrafik::mouseReleaseEvent(QMouseEvent* e) {
    QChartView::mouseReleaseEvent(e);
    if (e->button() != Qt::LeftButton || !Nulllinie) return;
    const QPointF imChart = chart()->mapFromScene(mapToScene(e->position().toPoint()));
    if (!chart()->plotArea().adjusted(-8, -8, 8, 8).contains(imChart)) return;
    emit StellungGeklickt(StellungBeiX(chart()->mapToValue(imChart, Nulllinie).x(), Stellungen - 1));
}

// ---------------------------------------------------------------- the view

TAnalyseAnsicht::TAnalyseAnsicht(QWidget* parent) : QDockWidget(QStringLiteral("Analyse"), parent) {
    setObjectName(QStringLiteral("Analyse"));
    auto* innen = new QWidget(this);
    Grafik = new TMargenGrafik(innen);
    Stand = new QLabel(innen);
    Stand->setWordWrap(true);
    Fehlerliste = new QListWidget(innen);
    Fehlerliste->setToolTip(QStringLiteral("Ein Klick geht zur Stellung vor diesem Zug."));
    Fortschritt = new QProgressBar(innen);
    AbbrechenKnopf = new QPushButton(QStringLiteral("Abbrechen"), innen);
    auto* zeile = new QHBoxLayout;
    zeile->addWidget(Fortschritt, 1);
    zeile->addWidget(AbbrechenKnopf);
    auto* l = new QVBoxLayout(innen);
    l->setContentsMargins(4, 4, 4, 4);
    l->addWidget(Grafik, 3);
    l->addLayout(zeile);
    l->addWidget(Stand);
    l->addWidget(new QLabel(QStringLiteral("Züge, die 3 Punkte oder mehr verloren:"), innen));
    l->addWidget(Fehlerliste, 1);
    setWidget(innen);
    Fortschritt->hide();
    AbbrechenKnopf->hide();

    Takt = new QTimer(this);
    Takt->setInterval(150);
    connect(Takt, &QTimer::timeout, this, [this] {
        Fortschritt->setValue(int(Auftrag.Fertig()));
        Uebernehmen();
    });
    connect(AbbrechenKnopf, &QPushButton::clicked, this, [this] { Anhalten(); });
    connect(Grafik, &TMargenGrafik::StellungGeklickt, this, &TAnalyseAnsicht::StellungGewaehlt);
    connect(Fehlerliste, &QListWidget::itemClicked, this, [this](QListWidgetItem* i) {
        const std::size_t nummer = i->data(Qt::UserRole).toULongLong();
        if (nummer >= 1) emit StellungGewaehlt(nummer - 1);
    });
    DieLinie = AktuelleLinie();
    DieWerte.assign(DieLinie.Zuege.size() + 1, std::nullopt);
}

TAnalyseAnsicht::~TAnalyseAnsicht() {
    // The job lives here: the search thread must be done with it first.
    if (Wartet) {
        Auftrag.Stopp = 1;
        WarteAufSuche();
    }
}

void TAnalyseAnsicht::Starten() {
    show();
    raise();
    SpielGeaendert();
    if (Wartet) return;
    const std::vector<std::size_t> offen = OhneWert(DieWerte);
    if (offen.empty()) return;
    Auftrag.Vorbereiten(DieLinie, offen, AnalyseSekunden(AnalyseLevel()));
    // The registry refuses a second search with its own message, and then no end arrives.
    if (SucheLaeuft()) {
        StarteAuftrag(&Auftrag, [] {});
        return;
    }
    Wartet = true;
    Fortschritt->setRange(0, int(Auftrag.Gesamt()));
    Fortschritt->setValue(0);
    Fortschritt->show();
    AbbrechenKnopf->setEnabled(true);
    AbbrechenKnopf->show();
    Takt->start();
    Zeigen();
    StarteAuftrag(&Auftrag, [p = QPointer<TAnalyseAnsicht>(this)] {
        if (p) p->Ende();
    });
}

bool TAnalyseAnsicht::Anhalten() {
    if (!Wartet) return false;
    Auftrag.Stopp = 1;
    AbbrechenKnopf->setEnabled(false);
    return true;
}

void TAnalyseAnsicht::Ende() {
    if (!Wartet) return;
    Wartet = false;
    Takt->stop();
    Fortschritt->hide();
    AbbrechenKnopf->hide();
    Uebernehmen();
    Zeigen();
}

void TAnalyseAnsicht::Uebernehmen() {
    const std::size_t offen = OhneWert(DieWerte).size();
    WerteErgaenzen(DieWerte, DieLinie, Auftrag.Linie(), Auftrag.Werte());
    if (OhneWert(DieWerte).size() != offen) Zeigen();
}

void TAnalyseAnsicht::SpielGeaendert() {
    const TPartieLinie neu = AktuelleLinie();
    DieWerte = WerteUebertragen(DieLinie, DieWerte, neu);
    DieLinie = neu;
    if (isVisible()) Zeigen();
}

void TAnalyseAnsicht::showEvent(QShowEvent* e) {
    QDockWidget::showEvent(e);
    Zeigen();
}

void TAnalyseAnsicht::Zeigen() {
    const auto margen = MargenSchwarz(DieLinie, DieWerte);
    const auto fehler = GrobeFehler(HalbzugWerte(DieLinie, DieWerte));
    Grafik->Zeigen(margen, DieLinie.Aktuell, fehler);

    Fehlerliste->clear();
    for (const THalbzugWert& f : fehler) {
        auto* i = new QListWidgetItem(QStringLiteral("%1. %2 %3: %4 Punkte verloren")
                                          .arg(f.Nummer)
                                          .arg(f.Seite ? QStringLiteral("Schwarz") : QStringLiteral("Weiß"))
                                          .arg(ZugName(f.Zug))
                                          .arg(Punkte(*f.Verlust)));
        i->setData(Qt::UserRole, qulonglong(f.Nummer));
        Fehlerliste->addItem(i);
    }
    const std::size_t offen = OhneWert(DieWerte).size();
    QString text;
    if (Wartet)
        text = QStringLiteral("Die Stellungen werden bewertet ...");
    else if (offen == 0)
        text = QStringLiteral("Alle %1 Stellungen sind bewertet.").arg(DieWerte.size());
    else
        text =
            QStringLiteral("%1 von %2 Stellungen noch nicht bewertet (\"Partie analysieren\" bewertet sie).")
                .arg(offen)
                .arg(DieWerte.size());
    if (const auto& m = margen[DieLinie.Aktuell])
        text += (*m >= 0 ? QStringLiteral(" Hier ist Schwarz %1 Punkte vorn.")
                         : QStringLiteral(" Hier ist Weiß %1 Punkte vorn."))
                    .arg(Punkte(std::abs(*m)));
    Stand->setText(text);
}
