#include "ui/BrettAnsicht.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace {
// Design geometry of the board picture: 358 x 358, grid from 42 to 312 in steps of 45.
constexpr double BrettDesign = TBrettAnsicht::BrettDesign;
constexpr double GitterRand = 42; // the outer lines
constexpr double GitterSchritt = 45;
constexpr double SteinAnteil = 0.44; // stone radius per grid spacing: neighbours nearly touch
const QColor Linienfarbe(116, 77, 56);

// The wood alone; grid and coordinates are drawn at the board's size, so they stay sharp.
QPixmap MacheBrettBild() {
    const int seite = TBrettAnsicht::BrettDesign;
    QPixmap bild(seite, seite);
    bild.fill(QColor(220, 179, 112));
    QPainter p(&bild);
    // Soft grain: fine bands of slightly varying tone, drawn from a fixed sequence so the
    // picture is the same on every start.
    unsigned s = 12345;
    for (int y = 0; y < seite; ++y) {
        s = s * 1103515245u + 12345u;
        const double welle = std::sin(y * 0.09) * 9 + std::sin(y * 0.023 + 1.3) * 7;
        const int d = static_cast<int>(welle) + static_cast<int>((s >> 16) % 7) - 3;
        p.setPen(QColor(std::clamp(220 + d, 0, 255), std::clamp(179 + d, 0, 255),
                        std::clamp(112 + d / 2, 0, 255)));
        p.drawLine(0, y, seite - 1, y);
    }
    QLinearGradient glanz(0, 0, seite, seite);
    glanz.setColorAt(0, QColor(255, 255, 255, 40));
    glanz.setColorAt(1, QColor(0, 0, 0, 30));
    p.fillRect(bild.rect(), glanz);
    return bild;
}

// A stone of radius r around m, lit from the upper left, with its shadow to the lower right.
void MaleStein(QPainter& p, TFarbe code, QPointF m, double r) {
    if (code == Schwarz || code == Weiss) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 60));
        p.drawEllipse(m + QPointF(r * 0.07, r * 0.07), r, r);
        QRadialGradient g(m - QPointF(r * 0.35, r * 0.42), r * 1.4);
        if (code == Schwarz) {
            g.setColorAt(0, QColor(110, 110, 110));
            g.setColorAt(0.45, QColor(30, 30, 30));
            g.setColorAt(1, QColor(0, 0, 0));
            p.setPen(QPen(QColor(0, 0, 0), std::max(1.0, r / 14)));
        } else {
            g.setColorAt(0, QColor(255, 255, 255));
            g.setColorAt(0.6, QColor(236, 236, 230));
            g.setColorAt(1, QColor(190, 190, 182));
            p.setPen(QPen(QColor(120, 120, 110), std::max(1.0, r / 14)));
        }
        p.setBrush(g);
        p.drawEllipse(m, r, r);
    } else if (code == ::Rand) {
        const double a = r * 0.4;
        p.setPen(QPen(QColor(200, 0, 0), std::max(1.0, r / 7)));
        p.drawLine(m + QPointF(-a, -a), m + QPointF(a, a));
        p.drawLine(m + QPointF(a, -a), m + QPointF(-a, a));
    }
}
} // namespace

double TBrettMass::Abstand() const { return std::min(Breite, Hoehe) * GitterSchritt / BrettDesign; }
double TBrettMass::X(int spalte) const {
    return Breite * (GitterRand + GitterSchritt * spalte) / BrettDesign;
}
double TBrettMass::Y(int reihe) const {
    return Hoehe * (GitterRand + GitterSchritt * (7 - reihe)) / BrettDesign;
}
double TBrettMass::Linie() const { return std::max(1.0, Abstand() * 3 / GitterSchritt); }
double TBrettMass::Steinradius() const { return Abstand() * SteinAnteil; }
double TBrettMass::RingRadius() const { return Steinradius() * 0.44; }
double TBrettMass::RingBreite() const { return std::max(1.5, Steinradius() * 0.16); }
double TBrettMass::ZaehlKante() const { return Abstand() * 0.24; }
double TBrettMass::TippRadius() const { return Steinradius() * 0.72; }
double TBrettMass::TippBreite() const { return std::max(1.5, Steinradius() * 0.14); }
int TBrettMass::Schrift(int stellen) const {
    const double anteil = stellen <= 2 ? 0.5 : stellen == 3 ? 0.4 : 0.31;
    return std::max(5, static_cast<int>(std::lround(2 * Steinradius() * anteil)));
}
int TBrettMass::Koordinaten() const {
    return std::max(6, static_cast<int>(13 * std::min(Breite, Hoehe) / BrettDesign));
}

TFeldBild::TFeldBild(QWidget* parent, int spalte, int reihe) : QWidget(parent), Spalte(spalte), Reihe(reihe) {
    setAttribute(Qt::WA_NoSystemBackground);
}

void TFeldBild::paintEvent(QPaintEvent*) {
    if (Code == KeinCode) return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const TBrettMass& m = Mass;
    const double r = m.Steinradius();
    MaleStein(p, ZuFarbe(Code), Mitte, r);
    // Marks in the colour that stands out on the stone: white on black, black on white.
    const QColor gegen = Lage.Stein == Schwarz ? QColor(250, 250, 250) : QColor(20, 20, 20);
    const QColor rot(220, 30, 30);
    if (Lage.Gezaehlt == Schwarz || Lage.Gezaehlt == Weiss) {
        const double a = m.ZaehlKante();
        const bool schwarz = Lage.Gezaehlt == Schwarz;
        p.setPen(QPen(schwarz ? QColor(0, 0, 0) : QColor(90, 90, 90), std::max(1.0, a / 11)));
        p.setBrush(schwarz ? QColor(10, 10, 10) : QColor(250, 250, 250));
        p.drawRect(QRectF(Mitte.x() - a / 2, Mitte.y() - a / 2, a, a));
    }
    if (Lage.Tipp == Schwarz || Lage.Tipp == Weiss) {
        // A shadow of the stone the side to move would place, in a green ring.
        const double rt = m.TippRadius();
        p.setPen(QPen(QColor(20, 150, 70), m.TippBreite()));
        p.setBrush(Lage.Tipp == Schwarz ? QColor(0, 0, 0, 120) : QColor(255, 255, 255, 170));
        p.drawEllipse(Mitte, rt, rt);
    }
    if (Lage.Nummer > 0) {
        const QString text = QString::number(Lage.Nummer);
        QFont f = font();
        f.setPixelSize(m.Schrift(static_cast<int>(text.size())));
        f.setBold(true);
        p.setFont(f);
        p.setPen(Lage.Letzter ? rot : gegen);
        p.drawText(QRectF(Mitte.x() - r, Mitte.y() - r, 2 * r, 2 * r), Qt::AlignCenter, text);
    } else if (Lage.Letzter) {
        const double rr = m.RingRadius();
        p.setPen(QPen(gegen, m.RingBreite()));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(Mitte, rr, rr);
    }
}

void TFeldBild::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit Geklickt(Spalte, Reihe);
}

TBrettAnsicht::TBrettAnsicht(QWidget* parent) : QWidget(parent), BrettBild(MacheBrettBild()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The cells leave their context menu to the board, which hands it on as a signal.
    setContextMenuPolicy(Qt::CustomContextMenu);
    for (int j = 0; j <= 6; ++j)
        for (int k = 1; k <= 7; ++k) {
            auto* f = new TFeldBild(this, j, k);
            f->setToolTip(QString::fromStdString(Feldname(Punkt(j, k - 1))));
            connect(f, &TFeldBild::Geklickt, this,
                    [this](int spalte, int reihe) { emit FeldGeklickt(spalte + 16 * (reihe - 1)); });
            Feldbilder[j][k] = f;
        }
    resize(BrettDesign, BrettDesign);
}

QRect TBrettAnsicht::ZellRechteck(int spalte, int reihe, const QRect& brett) {
    const TBrettMass m{double(brett.width()), double(brett.height())};
    const double halb = m.Abstand() / 2;
    // Rounded edge by edge: a cell ends exactly where its neighbour begins.
    const int links = static_cast<int>(std::lround(m.X(spalte) - halb));
    const int rechts = static_cast<int>(std::lround(m.X(spalte) + halb));
    const int oben = static_cast<int>(std::lround(m.Y(reihe) - halb));
    const int unten = static_cast<int>(std::lround(m.Y(reihe) + halb));
    return QRect(brett.left() + links, brett.top() + oben, rechts - links, unten - oben);
}

void TBrettAnsicht::resizeEvent(QResizeEvent*) {
    const TBrettMass m{double(width()), double(height())};
    for (int j = 0; j <= 6; ++j)
        for (int k = 1; k <= 7; ++k) {
            TFeldBild* f = Feldbilder[j][k];
            f->setGeometry(ZellRechteck(j, k, rect()));
            f->Mitte = QPointF(m.X(j) - f->x(), m.Y(k) - f->y());
            f->Mass = m;
        }
}

void TBrettAnsicht::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(rect(), BrettBild);
    const TBrettMass m{double(width()), double(height())};
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Linienfarbe, m.Linie(), Qt::SolidLine, Qt::SquareCap));
    for (int j = 0; j <= 6; ++j)
        p.drawLine(QPointF(m.X(j), m.Y(7)), QPointF(m.X(j), m.Y(1)));
    for (int k = 1; k <= 7; ++k)
        p.drawLine(QPointF(m.X(0), m.Y(k)), QPointF(m.X(6), m.Y(k)));
    // Columns a..g below the board, rows 1..7 left of it (row 1 at the bottom), each centred in
    // its margin on its line.
    QFont f = font();
    f.setPixelSize(m.Koordinaten());
    p.setFont(f);
    p.setPen(Linienfarbe.darker(130));
    p.setRenderHint(QPainter::TextAntialiasing);
    const double halb = m.Abstand() / 2;
    const double unten = m.Y(1) + m.Steinradius(), links = m.X(0) - m.Steinradius();
    for (int j = 0; j <= 6; ++j)
        p.drawText(QRectF(m.X(j) - halb, unten, 2 * halb, height() - unten), Qt::AlignCenter,
                   QString(QChar('a' + j)));
    for (int k = 1; k <= 7; ++k)
        p.drawText(QRectF(0, m.Y(k) - halb, links, 2 * halb), Qt::AlignCenter, QString::number(k));
}

void TBrettAnsicht::Zeichnen(const TBrettLage& lage) {
    NeuGezeichnet = 0;
    for (int n = 6; n >= 0; --n)
        for (int i = 0; i <= 6; ++i) {
            const TFeldLage& l = lage[i + 16 * n];
            const int code = l.Stein;
            TFeldBild* f = Feldbilder[i][n + 1];
            if (f->Code == code && f->Lage == l) continue;
            f->Code = code;
            f->Lage = l;
            f->setVisible(true);
            f->update();
            ++NeuGezeichnet;
        }
}

QIcon PassenSymbol() {
    QPixmap b(24, 24);
    b.fill(Qt::transparent);
    QPainter p(&b);
    p.setRenderHint(QPainter::Antialiasing);
    MaleStein(p, Schwarz, QPointF(12, 17), 4.5);
    // The arrow leaves the point on the left, hops over the stone and lands on the right.
    const QColor farbe(40, 40, 40);
    p.setPen(QPen(farbe, 2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath bogen(QPointF(3.5, 17));
    bogen.cubicTo(QPointF(5, 3), QPointF(17, 3), QPointF(19.5, 13));
    p.drawPath(bogen);
    p.setPen(Qt::NoPen);
    p.setBrush(farbe);
    p.drawPolygon(QPolygonF({QPointF(16.2, 11.8), QPointF(22.6, 10.6), QPointF(20.6, 17.4)}));
    return QIcon(b);
}
