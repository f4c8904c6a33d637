#include "ui/NotationAnsicht.h"

#include "record/TPAcht.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <optional>

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

TPartieView::TPartieView(const QScrollBar& leiste, QWidget* parent) : QWidget(parent), Leiste(leiste) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    setContextMenuPolicy(Qt::CustomContextMenu);
}

void TPartieView::Zeige(TNotationSatz satz) {
    Inhalt = std::move(satz);
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
        const int y = t.Y - Leiste.value();
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

std::optional<TEingabeTaste> EditierTaste(int key) {
    switch (key) {
    case Qt::Key_Home:
        return TEingabeTaste::Pos1;
    case Qt::Key_End:
        return TEingabeTaste::Ende;
    case Qt::Key_Right:
        return TEingabeTaste::Rechts;
    case Qt::Key_Left:
        return TEingabeTaste::Links;
    default:
        return std::nullopt;
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
    const Qt::KeyboardModifiers mod = e->modifiers() & ~Qt::KeypadModifier;
    const int key = e->key();
    if (!MitBefehlstaste(mod)) {
        if (const auto t = EditierTaste(key); t && mod == Qt::NoModifier) {
            emit Taste(*t, key);
            return;
        }
        const QString text = e->text();
        const QChar c = key == Qt::Key_Backspace               ? QChar('\b')
                        : key == Qt::Key_Escape                ? QChar(27)
                        : !text.isEmpty() && text[0].isPrint() ? text[0]
                                                               : QChar();
        if (!c.isNull()) {
            emit Zeichen(c);
            return;
        }
    }
    emit FensterTaste(key, mod);
}

void TEditZug::keyReleaseEvent(QKeyEvent* e) {
    if ((e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) emit TasteLosgelassen(e->key());
    e->accept();
}

void TEditZug::mouseReleaseEvent(QMouseEvent* e) {
    QLineEdit::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton) emit CaretGesetzt(cursorPosition());
}

// ---------------------------------------------------------------- the notation part

TNotation::TNotation(TZugEingabe& eingabe, QWidget* parent) : QWidget(parent), Eingabe(eingabe) {
    PanelKopf = new QLabel(QStringLiteral(" Partie"), this);
    PanelKopf->setAutoFillBackground(true);
    QPalette pal = PanelKopf->palette();
    pal.setColor(QPalette::Window, Cremefarben.darker(106));
    PanelKopf->setPalette(pal);
    ScrollBar1 = new QScrollBar(Qt::Vertical, this);
    PartieView = new TPartieView(*ScrollBar1, this);
    EditZug = new TEditZug(this);
    EditZug->raise();

    // Scrolling moves the field with the record; what it offers stays as it is.
    connect(ScrollBar1, &QScrollBar::valueChanged, this, [this] {
        FeldPlatzieren();
        PartieView->update();
    });
    connect(PartieView, &TPartieView::Gerollt, this, [this](int schritte) {
        ScrollBar1->setValue(ScrollBar1->value() - schritte * ScrollBar1->singleStep());
    });
    connect(PartieView, &TPartieView::Angeklickt, this, [this] {
        if (EditZug->isVisible() && EditZug->isEnabled()) EditZug->setFocus();
    });
    connect(EditZug, &TEditZug::TasteLosgelassen, this, [this](int key) {
        if (key == Qt::Key_End && Eingabe.Leerlauf()) EditZugChange();
    });
    // A change the toolkit makes by itself (a pasted selection, a drop) is undone: the field
    // shows the move entry and nothing else.
    connect(EditZug, &QLineEdit::textEdited, this, &TNotation::EditZugChange);
}

void TNotation::Anordnen(int hoehe) {
    const int unten = std::max(0, hoehe - KopfHoehe);
    setGeometry(0, 0, Breite + ScrollBreite, hoehe);
    PanelKopf->setGeometry(0, 0, Breite + ScrollBreite, KopfHoehe);
    PartieView->setGeometry(0, KopfHoehe, Breite, unten);
    ScrollBar1->setGeometry(Breite, KopfHoehe, ScrollBreite, unten);
    const int lh = NotationZeilenhoehe();
    ScrollBar1->setPageStep(std::max(PartieView->height() - lh, lh));
    ScrollBar1->setSingleStep(lh);
    EditZug->resize(QFontMetrics(NotationFont()).horizontalAdvance(QStringLiteral("www")) + 6, lh);
    EingabeSichtbarMachen();
    Neu();
}

void TNotation::SpielGeaendert() {
    {
        const QSignalBlocker sperre(ScrollBar1);
        ScrollBar1->setMaximum(NotationMaximum(Regeln.Zugnummer, NotationZeilenhoehe()));
        EingabeSichtbarMachen();
    }
    Neu();
}

void TNotation::Neu() {
    const int zn = Regeln.Zugnummer;
    std::vector<TZug> gespielt;
    gespielt.reserve(static_cast<std::size_t>(zn));
    for (int i = 1; i < zn; ++i)
        gespielt.push_back(Regeln.Zugfolge[i]);
    // While the user types, the continuation is neither drawn nor offered.
    std::vector<TZug> weiter;
    if (Eingabe.Leerlauf()) weiter = Fortsetzung(Baum, (zn & 1) ? 51 : 50);
    const QFontMetrics fm(NotationFont());
    PartieView->Zeige(NotationAnordnen(gespielt, weiter, NotationZeilenhoehe(), [&fm](const std::string& t) {
        return fm.horizontalAdvance(QString::fromStdString(t));
    }));
    const bool sichtbar = FeldPlatzieren();
    EditZug->setEnabled(!Regeln.BeidePassen());
    if (sichtbar && EditZug->isEnabled() && !EditZug->hasFocus()) EditZug->setFocus();
    Eingabe.Vorschlagen(weiter.empty() ? nullptr : &weiter.front());
    EditZugChange();
}

bool TNotation::FeldPlatzieren() {
    // The field stands where the next move will be written.
    const TNotationSatz& satz = PartieView->Satz();
    const int y = satz.FeldY - ScrollBar1->value();
    EditZug->move(PartieView->x() + satz.FeldX - 2, PartieView->y() + y);
    const bool sichtbar = !(y < -KopfHoehe || y > PartieView->height());
    EditZug->setVisible(sichtbar);
    return sichtbar;
}

void TNotation::EditZugChange() {
    const QSignalBlocker sperre(EditZug);
    EditZug->setText(QString::fromStdString(Eingabe.Text()));
    if (Eingabe.Leerlauf())
        EditZug->selectAll(); // typing replaces the suggestion
    else
        EditZug->setCursorPosition(Eingabe.Caret());
}

void TNotation::EingabeSichtbarMachen() {
    const int pos = FeldZeileZeigen(ScrollBar1->value(), Regeln.Zugnummer, NotationZeilenhoehe(),
                                    PartieView->height(), EditZug->height());
    ScrollBar1->setValue(std::clamp(pos, 0, ScrollBar1->maximum()));
}

void TNotation::Blaettern(int seiten) {
    ScrollBar1->setValue(
        std::clamp(ScrollBar1->value() + seiten * ScrollBar1->pageStep(), 0, ScrollBar1->maximum()));
}
