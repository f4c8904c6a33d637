#include "ui/DlgAbout.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

QPixmap ProgrammSymbol(int groesse) {
    QPixmap bild(groesse, groesse);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    const double g = groesse;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(222, 184, 135));
    p.drawRoundedRect(QRectF(0, 0, g, g), g / 10, g / 10);
    // Three lines each way are enough to read as a board at icon size.
    p.setPen(QPen(QColor(116, 77, 56), std::max(1.0, g / 32)));
    for (int i = 1; i <= 3; ++i) {
        const double v = g * i / 4;
        p.drawLine(QPointF(g / 4, v), QPointF(g * 3 / 4, v));
        p.drawLine(QPointF(v, g / 4), QPointF(v, g * 3 / 4));
    }
    const double r = g * 0.17;
    p.setPen(QPen(Qt::black, std::max(1.0, g / 48)));
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(g / 2, g / 2), r, r);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(g * 3 / 4, g / 4), r, r);
    return bild;
}

TKlickLabel::TKlickLabel(const QString &text, QWidget *parent) : QLabel(text, parent) {
    setCursor(Qt::PointingHandCursor);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 192));
    setPalette(pal);
}

void TKlickLabel::mouseReleaseEvent(QMouseEvent *e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit Geklickt();
    QLabel::mouseReleaseEvent(e);
}

std::function<bool(const QUrl &)> TAboutBox::UrlOeffnen = [](const QUrl &url) {
    return QDesktopServices::openUrl(url);
};
std::function<void(QWidget *, const QString &)> TAboutBox::Meldung =
    [](QWidget *eltern, const QString &text) { QMessageBox::warning(eltern, "Info", text); };

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent) {
    setWindowTitle("Info");
    setModal(true);

    ProgramIcon = new QLabel(this);
    ProgramIcon->setPixmap(ProgrammSymbol(64));
    ProductName = new QLabel("Kiboru", this);
    QFont gross = ProductName->font();
    gross.setPointSizeF(gross.pointSizeF() * 1.6);
    gross.setBold(true);
    ProductName->setFont(gross);
    Version = new QLabel("Version 1.0", this);
    LabelWWW = new TKlickLabel("www.example.org/kiboru", this);
    LabelMail = new TKlickLabel(MailAdresse, this);
    LabelWWW->setToolTip(WebAdresse);
    LabelMail->setToolTip("mailto:" + MailAdresse);
    OKButton = new QPushButton("OK", this);
    OKButton->setDefault(true);

    auto *texte = new QVBoxLayout;
    texte->addWidget(ProductName);
    texte->addWidget(Version);
    texte->addSpacing(10);
    texte->addWidget(LabelWWW);
    texte->addWidget(LabelMail);
    auto *oben = new QHBoxLayout;
    oben->addWidget(ProgramIcon, 0, Qt::AlignTop);
    oben->addSpacing(12);
    oben->addLayout(texte);
    auto *unten = new QHBoxLayout;
    unten->addStretch();
    unten->addWidget(OKButton);
    unten->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(oben);
    layout->addSpacing(8);
    layout->addLayout(unten);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(LabelWWW, &TKlickLabel::Geklickt, this, &TAboutBox::LabelWWWClick);
    connect(LabelMail, &TKlickLabel::Geklickt, this, &TAboutBox::LabelMailClick);
}

// The desktop service gives no error number; 0 stands for "unknown".
void TAboutBox::LabelMailClick() {
    if (!UrlOeffnen(QUrl("mailto:" + MailAdresse)))
        Meldung(this, "Fehler beim Aufruf des Mail-Programms mit der Mail-Adresse " + MailAdresse + "\r" +
                          "Fehlercode: " + QString::number(0));
}

void TAboutBox::LabelWWWClick() {
    if (!UrlOeffnen(QUrl(WebAdresse)))
        Meldung(this, "Fehler beim Aufruf des Web-Browsers mit der Adresse " + WebAdresse + "\r" +
                          "Fehlercode: " + QString::number(0));
}
