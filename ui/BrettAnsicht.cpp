#include "ui/BrettAnsicht.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace {
// Design geometry of the board picture: 358 x 358, grid from 42 to 312 in steps of 45.
constexpr int BrettDesign = TBrettAnsicht::BrettDesign;
constexpr int ZellDesign = TBrettAnsicht::ZellDesign;
constexpr int RandDesign = 26; // left/top margin of the corner cell
constexpr int Gitter = 270;    // six cell spacings
const QColor Linienfarbe(116, 77, 56);

QPixmap MacheBrettBild() {
    QPixmap bild(BrettDesign, BrettDesign);
    bild.fill(QColor(220, 179, 112));
    QPainter p(&bild);
    // Soft grain: fine bands of slightly varying tone, drawn from a fixed sequence so the
    // picture is the same on every start.
    unsigned s = 12345;
    for (int y = 0; y < BrettDesign; ++y) {
        s = s * 1103515245u + 12345u;
        const double welle = std::sin(y * 0.09) * 9 + std::sin(y * 0.023 + 1.3) * 7;
        const int d = static_cast<int>(welle) + static_cast<int>((s >> 16) % 7) - 3;
        p.setPen(QColor(std::clamp(220 + d, 0, 255), std::clamp(179 + d, 0, 255),
                        std::clamp(112 + d / 2, 0, 255)));
        p.drawLine(0, y, BrettDesign - 1, y);
    }
    QLinearGradient glanz(0, 0, BrettDesign, BrettDesign);
    glanz.setColorAt(0, QColor(255, 255, 255, 40));
    glanz.setColorAt(1, QColor(0, 0, 0, 30));
    p.fillRect(bild.rect(), glanz);
    p.setPen(QPen(Linienfarbe, 3));
    for (int j = 0; j <= 6; ++j)
        p.drawLine(42 + 45 * j, 42, 42 + 45 * j, 312);
    for (int k = 1; k <= 7; ++k)
        p.drawLine(42, 42 + 45 * (7 - k), 312, 42 + 45 * (7 - k));
    return bild;
}

QPixmap MacheStein(TFarbe code) {
    QPixmap bild(ZellDesign, ZellDesign);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF kreis(1.5, 1.5, 29, 29);
    if (code == Schwarz || code == Weiss) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 60));
        p.drawEllipse(kreis.translated(1.2, 1.2));
        QRadialGradient g(11, 10, 20);
        if (code == Schwarz) {
            g.setColorAt(0, QColor(110, 110, 110));
            g.setColorAt(0.45, QColor(30, 30, 30));
            g.setColorAt(1, QColor(0, 0, 0));
            p.setPen(QPen(QColor(0, 0, 0), 1));
        } else {
            g.setColorAt(0, QColor(255, 255, 255));
            g.setColorAt(0.6, QColor(236, 236, 230));
            g.setColorAt(1, QColor(190, 190, 182));
            p.setPen(QPen(QColor(120, 120, 110), 1));
        }
        p.setBrush(g);
        p.drawEllipse(kreis);
    } else if (code == ::Rand) {
        p.setPen(QPen(QColor(200, 0, 0), 2));
        p.drawLine(10, 10, 22, 22);
        p.drawLine(22, 10, 10, 22);
    }
    return bild;
}
} // namespace

TFeldBild::TFeldBild(QWidget* parent, int spalte, int reihe) : QWidget(parent), Spalte(spalte), Reihe(reihe) {
    setAttribute(Qt::WA_NoSystemBackground);
}

void TFeldBild::paintEvent(QPaintEvent*) {
    if (!Bild) return;
    QPainter p(this);
    QRectF stein(rect());
    if (width() < ZellDesign || height() < ZellDesign) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawPixmap(rect(), *Bild);
    } else {
        stein = QRectF((width() - ZellDesign) / 2, (height() - ZellDesign) / 2, ZellDesign, ZellDesign);
        p.drawPixmap(stein.topLeft(), *Bild);
    }
    p.setRenderHint(QPainter::Antialiasing);
    const double d = stein.width();
    const QPointF mitte = stein.center();
    // Marks in the colour that stands out on the stone: white on black, black on white.
    const QColor gegen = Lage.Stein == Schwarz ? QColor(250, 250, 250) : QColor(20, 20, 20);
    const QColor rot(220, 30, 30);
    if (Lage.Gezaehlt == Schwarz || Lage.Gezaehlt == Weiss) {
        const double a = d * 0.34;
        const bool schwarz = Lage.Gezaehlt == Schwarz;
        p.setPen(QPen(schwarz ? QColor(0, 0, 0) : QColor(90, 90, 90), std::max(1.0, d / 32)));
        p.setBrush(schwarz ? QColor(10, 10, 10) : QColor(250, 250, 250));
        p.drawRect(QRectF(mitte.x() - a / 2, mitte.y() - a / 2, a, a));
    }
    if (Lage.Nummer > 0) {
        const QString text = QString::number(Lage.Nummer);
        QFont f = font();
        const double anteil = text.size() <= 2 ? 0.46 : text.size() == 3 ? 0.36 : 0.28;
        f.setPixelSize(std::max(5, static_cast<int>(d * anteil)));
        f.setBold(true);
        p.setFont(f);
        p.setPen(Lage.Letzter ? rot : gegen);
        p.drawText(stein, Qt::AlignCenter, text);
    } else if (Lage.Letzter) {
        const double r = d * 0.2;
        p.setPen(QPen(gegen, std::max(1.5, d / 14)));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(mitte, r, r);
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
    for (int c = -2; c <= 1; ++c)
        Steinbilder[c] = MacheStein(ZuFarbe(c));
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
    const int h = brett.height(), w = brett.width();
    const int top = (RandDesign * 6 + Gitter * (7 - reihe)) * h / (BrettDesign * 6) + brett.top();
    const int left = (RandDesign * 6 + Gitter * spalte) * w / (BrettDesign * 6) + brett.left();
    return QRect(left, top, ZellDesign * w / BrettDesign, ZellDesign * h / BrettDesign);
}

void TBrettAnsicht::resizeEvent(QResizeEvent*) {
    for (int j = 0; j <= 6; ++j)
        for (int k = 1; k <= 7; ++k)
            Feldbilder[j][k]->setGeometry(ZellRechteck(j, k, rect()));
}

void TBrettAnsicht::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(rect(), BrettBild);
    // Columns a..g below the board, rows 1..7 beside it (row 1 at the bottom), in the margins of
    // the design picture, scaled with it.
    const double sx = width() / double(BrettDesign), sy = height() / double(BrettDesign);
    QFont f = font();
    f.setPixelSize(std::max(6, static_cast<int>(13 * std::min(sx, sy))));
    p.setFont(f);
    p.setPen(Linienfarbe.darker(130));
    p.setRenderHint(QPainter::TextAntialiasing);
    const double halb = Gitter / 12.0; // half a grid spacing
    for (int j = 0; j <= 6; ++j) {
        const double x = (42 + 45 * j) * sx;
        p.drawText(QRectF(x - halb * sx, (RandDesign + Gitter + ZellDesign) * sy, 2 * halb * sx,
                          (BrettDesign - RandDesign - Gitter - ZellDesign) * sy),
                   Qt::AlignCenter, QString(QChar('a' + j)));
    }
    for (int k = 1; k <= 7; ++k) {
        const double y = (42 + 45 * (7 - k)) * sy;
        p.drawText(QRectF(0, y - halb * sy, RandDesign * sx, 2 * halb * sy), Qt::AlignCenter,
                   QString::number(k));
    }
}

void TBrettAnsicht::Zeichnen(const TBrettLage& lage) {
    NeuGezeichnet = 0;
    for (int n = 6; n >= 0; --n)
        for (int i = 0; i <= 6; ++i) {
            const TFeldLage& l = lage[i + 16 * n];
            const int code = l.Stein;
            TFeldBild* f = Feldbilder[i][n + 1];
            if (f->Code == code && f->Lage == l) continue;
            f->Bild = &Steinbilder[code];
            f->Code = code;
            f->Lage = l;
            f->setVisible(true);
            f->update();
            ++NeuGezeichnet;
        }
}
