#include "ui/NotationAnsicht.h"

#include <QKeyEvent>
#include <QPainter>

const QColor Cremefarben(255, 251, 240);

QFont NotationFont() {
    QFont f(QStringLiteral("Courier"));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setPixelSize(13);
    return f;
}

int NotationZeilenhoehe() { return QFontMetrics(NotationFont()).height() * 4 / 3; }

bool MitBefehlstaste(Qt::KeyboardModifiers m) {
    return (m & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
}

TPartieView::TPartieView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    setContextMenuPolicy(Qt::CustomContextMenu);
}

void TPartieView::Zeige(TNotationSatz satz, int verschiebung) {
    Inhalt = std::move(satz);
    Verschiebung = verschiebung;
    update();
}

void TPartieView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Cremefarben);
    const QFont font = NotationFont();
    const QFontMetrics fm(font);
    const int lh = NotationZeilenhoehe();
    const int vh = height();
    p.setFont(font);
    for (const TNotationText& t : Inhalt.Texte) {
        const int y = t.Y - Verschiebung;
        if (y <= -lh || y >= vh + lh) continue;
        p.setPen(t.Fortsetzung ? Qt::blue : Qt::black);
        p.drawText(t.X, y + fm.ascent(), QString::fromStdString(t.Text));
    }
}

void TPartieView::wheelEvent(QWheelEvent* e) {
    emit Gerollt(e->angleDelta().y() / 40);
    e->accept();
}

void TPartieView::mousePressEvent(QMouseEvent* e) {
    emit Angeklickt();
    QWidget::mousePressEvent(e);
}

TEditZug::TEditZug(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    setFont(NotationFont());
    // The field's own context menu is replaced by the board's.
    setContextMenuPolicy(Qt::CustomContextMenu);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Cremefarben);
    pal.setColor(QPalette::Text, Qt::black);
    setPalette(pal);
    // A thin frame shows where to type; the text stays on the notation's background.
    setStyleSheet(
        QStringLiteral("QLineEdit { border: 1px solid #c8b48c; background: #fffbf0; padding: 0px; }"));
}

namespace {
bool FeldTaste(int key) {
    switch (key) {
    case Qt::Key_Backspace:
    case Qt::Key_Escape:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Delete:
        return true;
    default:
        return false;
    }
}
} // namespace

bool TEditZug::event(QEvent* e) {
    if (e->type() == QEvent::ShortcutOverride) {
        auto* k = static_cast<QKeyEvent*>(e);
        // Characters and editing keys belong to the field ("-" passes here, not twice);
        // everything with Ctrl or Alt, and Tab, stays a shortcut of the window.
        const QString t = k->text();
        if (!MitBefehlstaste(k->modifiers()) &&
            (FeldTaste(k->key()) || (!t.isEmpty() && t[0].isPrint() && k->key() != Qt::Key_Tab))) {
            e->accept();
            return true;
        }
        e->ignore();
        return false;
    }
    return QLineEdit::event(e);
}

void TEditZug::keyPressEvent(QKeyEvent* e) {
    e->accept();
    emit TasteGedrueckt(e->key(), e->modifiers() & ~Qt::KeypadModifier, e->text());
}

void TEditZug::keyReleaseEvent(QKeyEvent* e) {
    if ((e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) emit TasteLosgelassen(e->key());
    e->accept();
}

void TEditZug::mouseReleaseEvent(QMouseEvent* e) {
    QLineEdit::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton) emit CaretGesetzt(cursorPosition());
}
