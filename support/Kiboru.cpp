// Program main. Until the main window is built this shows the empty board in a plain window.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QPixmap>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle("Unbenannt - Kiboru");
    QPixmap bild(358, 358);
    bild.fill(QColor(222, 184, 135));
    QPainter p(&bild);
    p.setPen(QPen(QColor(116, 77, 56), 3));
    for (int j = 0; j < 7; ++j) p.drawLine(42 + 45 * j, 42, 42 + 45 * j, 312);
    for (int k = 1; k <= 7; ++k) p.drawLine(42, 42 + 45 * (7 - k), 312, 42 + 45 * (7 - k));
    p.end();
    auto* l = new QLabel;
    l->setPixmap(bild);
    l->setAlignment(Qt::AlignCenter);
    w.setCentralWidget(l);
    w.resize(420, 420);
    w.show();
    return app.exec();
}
