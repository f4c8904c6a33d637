#include "ui/DlgStellung.h"

#include "ui/StellungText.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
QColor Holz() { return QColor(220, 179, 92); }
QColor Linie() { return QColor(116, 77, 56); }

QIcon SteinIcon(TFarbe f) {
    QPixmap p(28, 28);
    p.fill(Holz());
    QPainter m(&p);
    m.setRenderHint(QPainter::Antialiasing);
    if (f == Leer) {
        m.setPen(QPen(Linie(), 2));
        m.drawLine(14, 2, 14, 26);
        m.drawLine(2, 14, 26, 14);
    } else {
        m.setPen(QPen(Qt::black, 1));
        m.setBrush(f == Schwarz ? QColor(20, 20, 20) : QColor(245, 245, 240));
        m.drawEllipse(QRectF(3, 3, 22, 22));
    }
    return QIcon(p);
}
} // namespace

// The board of the dialog: a grid with stones; a click reports the point.
class TStellungsBrett : public QWidget {
public:
    TStellungsBrett(TStellungDlg *dlg) : QWidget(dlg), dlg(dlg) {
        setMinimumSize(230, 230);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }
    // Point under a widget position, or -1.
    int PunktBei(QPoint pos) const {
        const double z = Zelle();
        const QPointF o = Ursprung();
        const int x = static_cast<int>((pos.x() - o.x()) / z);
        const int y = 6 - static_cast<int>((pos.y() - o.y()) / z);
        if (pos.x() < o.x() || pos.y() < o.y() || x < 0 || x > 6 || y < 0 || y > 6) return -1;
        return Punkt(x, y);
    }
    QPoint Mitte(int punkt) const {
        const double z = Zelle();
        const QPointF o = Ursprung();
        return QPoint(static_cast<int>(o.x() + (punkt % 16 + 0.5) * z),
                      static_cast<int>(o.y() + (6 - punkt / 16 + 0.5) * z));
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const double z = Zelle();
        const QPointF o = Ursprung();
        p.fillRect(QRectF(o, QSizeF(7 * z, 7 * z)), Holz());
        p.setPen(QPen(Linie(), 2));
        for (int i = 0; i < 7; ++i) {
            p.drawLine(QPointF(o.x() + (i + 0.5) * z, o.y() + 0.5 * z),
                       QPointF(o.x() + (i + 0.5) * z, o.y() + 6.5 * z));
            p.drawLine(QPointF(o.x() + 0.5 * z, o.y() + (i + 0.5) * z),
                       QPointF(o.x() + 6.5 * z, o.y() + (i + 0.5) * z));
        }
        p.setPen(QPen(Qt::black, 1));
        for (int x = 0; x < 7; ++x)
            for (int y = 0; y < 7; ++y) {
                const TFarbe f = dlg->Brett()[Punkt(x, y)];
                if (f == Leer) continue;
                p.setBrush(f == Schwarz ? QColor(20, 20, 20) : QColor(245, 245, 240));
                p.drawEllipse(QPointF(Mitte(Punkt(x, y))), z * 0.45, z * 0.45);
            }
    }
    void mousePressEvent(QMouseEvent *e) override {
        const int punkt = PunktBei(e->position().toPoint());
        if (punkt >= 0) dlg->FeldGeklickt(punkt);
    }

private:
    double Zelle() const { return std::min(width(), height()) / 7.0; }
    QPointF Ursprung() const {
        const double s = 7 * Zelle();
        return QPointF((width() - s) / 2, (height() - s) / 2);
    }
    TStellungDlg *dlg;
};

TStellungDlg::TStellungDlg(QWidget *parent) : QDialog(parent) {
    setWindowTitle("Stellungseingabe");
    Frage = [this](const QString &t) {
        return QMessageBox::question(this, windowTitle(), t, QMessageBox::Yes | QMessageBox::No) ==
               QMessageBox::Yes;
    };
    Hinweis = [this](const QString &t) { QMessageBox::information(this, windowTitle(), t); };

    BrettView = new TStellungsBrett(this);

    palette = new QButtonGroup(this);
    auto knopf = [this](const QString &name, const QString &text, TFarbe f) {
        auto *b = new QToolButton(this);
        b->setObjectName(name);
        b->setIcon(SteinIcon(f));
        b->setIconSize(QSize(28, 28));
        b->setCheckable(true);
        b->setToolTip(text);
        b->setText(text);
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        palette->addButton(b, f);
        return b;
    };
    ImageLeer = knopf("ImageLeer", "Leer", Leer);
    ImageWB = knopf("ImageWB", "Weiß", Weiss);
    ImageSB = knopf("ImageSB", "Schwarz", Schwarz);
    ImageSB->setChecked(true);

    auto *leeren = new QPushButton("Brett &leeren", this);
    auto *grund = new QPushButton("&Grundstellung", this);
    connect(leeren, &QPushButton::clicked, this, &TStellungDlg::BrettLeerenClick);
    connect(grund, &QPushButton::clicked, this, &TStellungDlg::GrundstellungClick);

    EditStellung = new QPlainTextEdit(this);
    EditStellung->setObjectName("EditStellung");
    EditStellung->setTabChangesFocus(true);
    EditStellung->setFixedHeight(56);
    connect(EditStellung, &QPlainTextEdit::textChanged, this, &TStellungDlg::TextGeaendert);

    auto *seite = new QGroupBox("Am Zug", this);
    RadioWeiss = new QRadioButton("&weiß", seite);
    RadioSchwarz = new QRadioButton("schwar&z", seite);
    RadioSchwarz->setChecked(true);
    auto *seiteL = new QHBoxLayout(seite);
    seiteL->addWidget(RadioWeiss);
    seiteL->addWidget(RadioSchwarz);

    auto *knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    knoepfe->button(QDialogButtonBox::Ok)->setText("OK");
    knoepfe->button(QDialogButtonBox::Cancel)->setText("Abbrechen");
    connect(knoepfe, &QDialogButtonBox::accepted, this, &TStellungDlg::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &TStellungDlg::reject);

    auto *rechts = new QVBoxLayout;
    rechts->addWidget(new QLabel("Setzen:", this));
    rechts->addWidget(ImageLeer);
    rechts->addWidget(ImageWB);
    rechts->addWidget(ImageSB);
    rechts->addSpacing(8);
    rechts->addWidget(leeren);
    rechts->addWidget(grund);
    rechts->addStretch(1);

    auto *oben = new QHBoxLayout;
    oben->addWidget(BrettView, 1);
    oben->addLayout(rechts);

    auto *haupt = new QVBoxLayout(this);
    haupt->addLayout(oben, 1);
    auto *textLabel = new QLabel("&Stellung als Text:", this);
    textLabel->setBuddy(EditStellung);
    haupt->addWidget(textLabel);
    haupt->addWidget(EditStellung);
    haupt->addWidget(seite);
    haupt->addWidget(knoepfe);
    resize(380, 470);
    TextAusBrett();
}

void TStellungDlg::Setze(const TBrett &b, int amZug) {
    brett = b;
    (amZug ? RadioSchwarz : RadioWeiss)->setChecked(true);
    TextAusBrett();
}

int TStellungDlg::AmZug() const { return RadioWeiss->isChecked() ? 0 : 1; }

TStellung TStellungDlg::Stellung() const {
    TStellung st;
    st.Brett = brett;
    st.Halbzug = AmZug() ? 1 : 2;
    return st;
}

TFarbe TStellungDlg::Gewaehlt() const { return ZuFarbe(palette->checkedId()); }

void TStellungDlg::FeldGeklickt(int punkt) {
    brett[punkt] = Gewaehlt();
    TextAusBrett();
}

void TStellungDlg::BrettLeerenClick() {
    if (!Frage("Brett leeren ?")) return;
    brett = Brettvorlagen[Leer];
    TextAusBrett();
}

void TStellungDlg::GrundstellungClick() {
    if (!Frage("Grundstellung aufbauen ?")) return;
    brett = Startbrett;
    RadioSchwarz->setChecked(true);
    TextAusBrett();
}

void TStellungDlg::TextAusBrett() {
    schreibeText = true;
    EditStellung->setPlainText(QString::fromStdString(StellungAlsText(brett)));
    schreibeText = false;
    BrettView->update();
}

void TStellungDlg::TextGeaendert() {
    if (schreibeText) return;
    // Follow the typed text on the board while it reads; a text that does not read yet is left
    // alone until OK.
    TBrett b = brett;
    if (StellungAusText(EditStellung->toPlainText().toStdString(), b).empty()) {
        brett = b;
        BrettView->update();
    }
}

void TStellungDlg::accept() {
    TBrett b = brett;
    const std::string fehler = StellungAusText(EditStellung->toPlainText().toStdString(), b);
    if (!fehler.empty()) {
        Hinweis(QString::fromStdString(fehler));
        EditStellung->setFocus();
        return;
    }
    brett = b;
    QDialog::accept();
}
