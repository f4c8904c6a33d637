#include "ui/DlgStellung.h"

#include "record/TPAcht.h"
#include "rules/ZugGen.h"
#include "support/StringsV5.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int Raster = 40; // pixels per point on the set-up board

QPixmap SteinSymbol(TFarbe f) {
    QPixmap b(28, 28);
    b.fill(Qt::transparent);
    QPainter p(&b);
    p.setRenderHint(QPainter::Antialiasing);
    if (f == Leer) {
        p.setPen(QPen(QColor(116, 77, 56), 2));
        p.drawLine(14, 3, 14, 25);
        p.drawLine(3, 14, 25, 14);
    } else {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(f == Schwarz ? QColor(20, 20, 20) : QColor(245, 245, 240));
        p.drawEllipse(QRectF(2.5, 2.5, 23, 23));
    }
    return b;
}

class TSetzBrett : public QWidget {
public:
    explicit TSetzBrett(TStellungDlg* dlg) : QWidget(dlg), Dlg(dlg) { setFixedSize(Raster * 7, Raster * 7); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(rect(), QColor(220, 179, 112));
        p.setPen(QPen(QColor(116, 77, 56), 2));
        const int h = Raster / 2;
        for (int i = 0; i < 7; ++i) {
            p.drawLine(h + i * Raster, h, h + i * Raster, h + 6 * Raster);
            p.drawLine(h, h + i * Raster, h + 6 * Raster, h + i * Raster);
        }
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 7; ++x) {
                const TFarbe f = Dlg->Brett[Punkt(x, y)];
                if (f != Schwarz && f != Weiss) continue;
                p.setPen(QPen(Qt::black, 1));
                p.setBrush(f == Schwarz ? QColor(20, 20, 20) : QColor(245, 245, 240));
                p.drawEllipse(QPointF(h + x * Raster, h + (6 - y) * Raster), Raster * 0.45, Raster * 0.45);
            }
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        const QPoint q = e->position().toPoint();
        const int x = q.x() / Raster, y = 6 - q.y() / Raster;
        if (x >= 0 && x < 7 && y >= 0 && y < 7) Dlg->FeldGeklickt(Punkt(x, y));
    }

private:
    TStellungDlg* Dlg;
};
} // namespace

TStellungDlg::TStellungDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Stellungseingabe"));
    Palette = new QButtonGroup(this);
    auto* palette = new QHBoxLayout;
    const std::pair<TFarbe, const char*> steine[] = {
        {Leer, "ImageLeer"}, {Weiss, "ImageWB"}, {Schwarz, "ImageSB"}};
    const char* hinweise[] = {"Leeres Feld", "Weißer Stein", "Schwarzer Stein"};
    int i = 0;
    for (auto [farbe, name] : steine) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setCheckable(true);
        b->setIcon(QIcon(SteinSymbol(farbe)));
        b->setIconSize(QSize(28, 28));
        b->setToolTip(QString::fromUtf8(hinweise[i++]));
        Palette->addButton(b, farbe);
        palette->addWidget(b);
    }
    Palette->button(Schwarz)->setChecked(true);
    palette->addStretch();

    BrettFlaeche = new TSetzBrett(this);
    auto* leeren = new QPushButton(QStringLiteral("Brett &leeren"), this);
    auto* grund = new QPushButton(QStringLiteral("&Grundstellung"), this);
    connect(leeren, &QPushButton::clicked, this, &TStellungDlg::BrettLeerenClick);
    connect(grund, &QPushButton::clicked, this, &TStellungDlg::GrundstellungClick);

    MemoStellung = new QPlainTextEdit(this);
    QFont f(QStringLiteral("Courier"));
    f.setStyleHint(QFont::TypeWriter);
    MemoStellung->setFont(f);
    MemoStellung->setMinimumWidth(180);
    connect(MemoStellung, &QPlainTextEdit::textChanged, this, [this] {
        if (TextAendertSich) return;
        QString fehler;
        if (auto b = TextLesen(MemoStellung->toPlainText(), fehler)) {
            Brett = *b;
            BrettFlaeche->update();
        }
    });

    auto* amZug = new QGroupBox(QStringLiteral("Am Zug"), this);
    RadioWeiss = new QRadioButton(QStringLiteral("&weiß"), amZug);
    RadioSchwarz = new QRadioButton(QStringLiteral("schwar&z"), amZug);
    auto* az = new QHBoxLayout(amZug);
    az->addWidget(RadioWeiss);
    az->addWidget(RadioSchwarz);

    auto* knoepfe = new QDialogButtonBox(this);
    knoepfe->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    knoepfe->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* rechts = new QVBoxLayout;
    rechts->addWidget(new QLabel(QStringLiteral("Stellung als Text:"), this));
    rechts->addWidget(MemoStellung, 1);
    rechts->addWidget(amZug);
    rechts->addWidget(leeren);
    rechts->addWidget(grund);
    auto* links = new QVBoxLayout;
    links->addLayout(palette);
    links->addWidget(BrettFlaeche);
    links->addStretch();
    auto* oben = new QHBoxLayout;
    oben->addLayout(links);
    oben->addLayout(rechts);
    auto* v = new QVBoxLayout(this);
    v->addLayout(oben);
    v->addWidget(knoepfe);
}

bool TStellungDlg::Frage(const QString& text) {
    return QMessageBox::question(this, windowTitle(), text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void TStellungDlg::Vorbereiten(const TBrett& brett, int amZug) {
    Brett = brett;
    AmZug = amZug ? 1 : 0;
    (AmZug ? RadioSchwarz : RadioWeiss)->setChecked(true);
    TextAktualisieren();
}

int TStellungDlg::Ausfuehren(const TBrett& brett, int amZug) {
    Vorbereiten(brett, amZug);
    if (exec() != QDialog::Accepted) return 2;
    StellungUebernehmen(Brett, AmZug);
    return 1;
}

void TStellungDlg::TextAktualisieren() {
    TextAendertSich = true;
    MemoStellung->setPlainText(StellungsText(Brett));
    TextAendertSich = false;
    BrettFlaeche->update();
}

void TStellungDlg::FeldGeklickt(int punkt) {
    const int id = Palette->checkedId();
    Brett[punkt] = ZuFarbe(id == -1 ? Leer : id);
    TextAktualisieren();
}

void TStellungDlg::BrettLeerenClick() {
    if (!Frage(QStringLiteral("Brett leeren ?"))) return;
    Brett = Brettvorlagen[Leer];
    TextAktualisieren();
}

void TStellungDlg::GrundstellungClick() {
    if (!Frage(QStringLiteral("Grundstellung aufbauen ?"))) return;
    Brett = Startbrett;
    (RadioSchwarz)->setChecked(true);
    TextAktualisieren();
}

QString TStellungDlg::StellungsText(const TBrett& brett) {
    QString t;
    for (TFarbe f : {Weiss, Schwarz}) {
        t += f == Weiss ? QStringLiteral(" W:") : QStringLiteral("\n S:");
        for (int x = 0; x < 7; ++x)
            for (int y = 0; y < 7; ++y)
                if (brett[Punkt(x, y)] == f)
                    t += QLatin1Char(' ') + QString::fromStdString(Feldname(Punkt(x, y)));
    }
    return t;
}

std::optional<TBrett> TStellungDlg::TextLesen(const QString& text, QString& fehler) {
    TBrett b = Brettvorlagen[Leer];
    TFarbe farbe = Rand; // no section yet
    const auto teile = text.split(QRegularExpression(QStringLiteral("[\\s,;]+")), Qt::SkipEmptyParts);
    for (QString w : teile) {
        w = w.toLower();
        if (w == QStringLiteral("w:") || w == QStringLiteral("s:")) {
            farbe = w == QStringLiteral("w:") ? Weiss : Schwarz;
            continue;
        }
        const bool feld = w.size() == 2 && w[0] >= QLatin1Char('a') && w[0] <= QLatin1Char('g') &&
                          w[1] >= QLatin1Char('1') && w[1] <= QLatin1Char('7');
        if (!feld) {
            fehler = QStringLiteral(
                         "Unbekannte Angabe \"%1\". Erwartet wird zum Beispiel \" W: a1 b2\" und \" S: c3\".")
                         .arg(w);
            return std::nullopt;
        }
        if (farbe == Rand) {
            fehler = QStringLiteral("Vor \"%1\" fehlt \"W:\" oder \"S:\".").arg(w);
            return std::nullopt;
        }
        const int p = Punkt(w[0].unicode() - 'a', w[1].unicode() - '1');
        if (b[p] != Leer && b[p] != farbe) {
            fehler = QStringLiteral("Das Feld %1 ist doppelt belegt.").arg(w);
            return std::nullopt;
        }
        b[p] = farbe;
    }
    return b;
}

bool TStellungDlg::Pruefen() {
    QString fehler;
    const auto b = TextLesen(MemoStellung->toPlainText(), fehler);
    if (!b) {
        Meldung(fehler.toStdString(), true);
        return false;
    }
    int weiss = 0, schwarz = 0;
    for (int p = 0; p <= LetzterPunkt; ++p) {
        if (!IstPunkt(p)) continue;
        weiss += (*b)[p] == Weiss;
        schwarz += (*b)[p] == Schwarz;
    }
    const char* meldung = weiss + schwarz == 0 ? "Keine Steine auf dem Brett."
                          : weiss == 0         ? "Weiß hat keine Steine."
                          : schwarz == 0       ? "Schwarz hat keine Steine."
                                               : nullptr;
    if (meldung) {
        Meldung(meldung, true);
        return false;
    }
    Brett = *b;
    AmZug = RadioSchwarz->isChecked() ? 1 : 0;
    return true;
}

void TStellungDlg::accept() {
    if (Pruefen()) QDialog::accept();
}

void StellungUebernehmen(const TBrett& brett, int amZug) {
    TStellung st;
    st.Brett = brett;
    st.Halbzug = amZug ? 1 : 2;
    NeueStellung(st);
}
