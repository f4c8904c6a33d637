#include "ui/MainVw.h"

#include "engine/Engines.h"
#include "engine/SWertDflt.h"
#include "record/StellungDoc.h"
#include "record/TPAcht.h"
#include "rules/ZugGen.h"
#include "support/HilfsFkt.h"
#include "support/StringsV5.h"
#include "ui/DlgEngWahl.h"
#include "ui/DlgLV.h"
#include "ui/DlgStellung.h"
#include "ui/DlgZiehe.h"
#include "ui/Hilfetext.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QRadialGradient>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>
#include <QWidgetAction>
#include <algorithm>
#include <cmath>
#include <sstream>

const QString TMainForm::Unbenannt = QStringLiteral("Unbenannt");

namespace {
// Design geometry of the board picture: 358 x 358, grid from 42 to 312 in steps of 45.
constexpr int BrettDesign = 358;
constexpr int RandDesign = 26; // left/top margin of the corner cell
constexpr int Gitter = 270;    // six cell spacings
constexpr int ZellDesign = 32; // stone bitmaps
constexpr int MinBrett = 128;
constexpr int NotationBreite = 176;
constexpr int ScrollBreite = 16;
constexpr int KopfHoehe = 18;
constexpr int RahmenBreite = 2;
const QColor Cremefarben(255, 251, 240);
const QColor Linienfarbe(116, 77, 56);

QFont NotationFont() {
    QFont f(QStringLiteral("Courier"));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setPixelSize(13);
    return f;
}

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

QIcon MenueSymbol() {
    QPixmap b(24, 24);
    b.fill(Qt::transparent);
    QPainter p(&b);
    p.setPen(QPen(QColor(60, 60, 60), 2.5));
    for (int y : {6, 12, 18})
        p.drawLine(4, y, 20, y);
    return QIcon(b);
}

QString AusStd(const std::string& s) { return QString::fromStdString(s); }
std::string ZuStd(const QString& s) { return s.toStdString(); }
} // namespace

// ---------------------------------------------------------------- widgets

TFeldBild::TFeldBild(TMainForm* form, QWidget* parent, int spalte, int reihe)
    : QWidget(parent), Spalte(spalte), Reihe(reihe), Form(form) {
    setAttribute(Qt::WA_NoSystemBackground);
}

void TFeldBild::paintEvent(QPaintEvent*) {
    if (!Bild) return;
    QPainter p(this);
    if (width() < ZellDesign || height() < ZellDesign) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawPixmap(rect(), *Bild);
    } else {
        p.drawPixmap((width() - ZellDesign) / 2, (height() - ZellDesign) / 2, *Bild);
    }
}

void TFeldBild::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        Form->FeldClick(Spalte, Reihe);
}

void TFeldBild::contextMenuEvent(QContextMenuEvent* e) { Form->KontextMenu->exec(e->globalPos()); }

TBrettBild::TBrettBild(const QPixmap& bild, QWidget* parent) : QWidget(parent), Bild(bild) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TBrettBild::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(rect(), Bild);
}

TPartieView::TPartieView(TMainForm* form, QWidget* parent) : QWidget(parent), Form(form) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
}

void TPartieView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Cremefarben);
    Form->NotationZeichnen(&p);
}

void TPartieView::wheelEvent(QWheelEvent* e) {
    const int schritte = e->angleDelta().y() / 40;
    auto* s = Form->ScrollBar1;
    s->setValue(s->value() - schritte * s->singleStep());
    e->accept();
}

void TPartieView::contextMenuEvent(QContextMenuEvent* e) { Form->KontextMenu->exec(e->globalPos()); }

void TPartieView::mousePressEvent(QMouseEvent* e) {
    if (Form->EditZug->isVisible() && Form->EditZug->isEnabled()) Form->EditZug->setFocus();
    QWidget::mousePressEvent(e);
}

TEditZug::TEditZug(TMainForm* form, QWidget* parent) : QLineEdit(parent), Form(form) {
    setFrame(false);
    setFont(NotationFont());
    setContextMenuPolicy(Qt::DefaultContextMenu);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Cremefarben);
    pal.setColor(QPalette::Text, Qt::black);
    setPalette(pal);
    // A thin frame shows where to type; the text stays on the notation's background.
    setStyleSheet(
        QStringLiteral("QLineEdit { border: 1px solid #c8b48c; background: #fffbf0; padding: 0px; }"));
}

namespace {
bool MitBefehlstaste(Qt::KeyboardModifiers m) {
    return (m & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
}
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
    const auto mod = e->modifiers() & ~Qt::KeypadModifier;
    const int key = e->key();
    e->accept();
    if (MitBefehlstaste(mod)) {
        Form->FormKeyDown(key, mod);
        return;
    }
    if (mod == Qt::NoModifier && Form->EditZugKeyDown(key)) return;
    QChar c;
    if (key == Qt::Key_Backspace)
        c = QChar('\b');
    else if (key == Qt::Key_Escape)
        c = QChar(27);
    else if (!e->text().isEmpty() && e->text()[0].isPrint())
        c = e->text()[0];
    if (!c.isNull()) {
        Form->EditZugKeyPress(c);
        return;
    }
    Form->FormKeyDown(key, mod);
}

void TEditZug::keyReleaseEvent(QKeyEvent* e) {
    if ((e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) Form->EditZugKeyUp(e->key());
    e->accept();
}

void TEditZug::mouseReleaseEvent(QMouseEvent* e) {
    QLineEdit::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton) Form->EditZugClick(cursorPosition());
}

void TEditZug::contextMenuEvent(QContextMenuEvent* e) { Form->KontextMenu->exec(e->globalPos()); }

TBrettFlaeche::TBrettFlaeche(TMainForm* form, QWidget* parent) : QWidget(parent), Form(form) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TBrettFlaeche::resizeEvent(QResizeEvent*) { Form->BrettSkalieren(); }

void TBrettFlaeche::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    p.fillRect(e->rect(), palette().color(QPalette::Button));
}

// ---------------------------------------------------------------- creation

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    // Window top 8, nothing changed, field idle, untitled.
    move(x(), 8);
    Geaendert = false;
    EingabePos = -1;
    EingabeLaenge = 0;
    Dateiname = Unbenannt;
    setWindowTitle(Unbenannt + QStringLiteral(" - Kiboru"));

    BrettBild = MacheBrettBild();
    for (int c = -2; c <= 1; ++c)
        Steinbilder[c] = MacheStein(ZuFarbe(c));

    AktionenErzeugen();
    MenusErzeugen();
    FlaecheErzeugen();
    WerkzeugleisteErzeugen();

    StatusText = new QLabel(this);
    statusBar()->addWidget(StatusText, 1);
    statusBar()->setSizeGripEnabled(true);

    OpenDialog1 = new QFileDialog(this, QStringLiteral("Partie öffnen"));
    OpenDialog1->setNameFilters({QStringLiteral("Go-Dateien (*.go)"), QStringLiteral("Alle Dateien (*)")});
    OpenDialog1->setDefaultSuffix(QStringLiteral("go"));
    OpenDialog1->setFileMode(QFileDialog::ExistingFile);
    OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
    SaveDialog1 = new QFileDialog(this, QStringLiteral("Partie speichern"));
    SaveDialog1->setNameFilters({QStringLiteral("Go Partien (*.go)"), QStringLiteral("Alle Dateien (*)")});
    SaveDialog1->setDefaultSuffix(QStringLiteral("go"));
    SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog1->setOption(QFileDialog::DontConfirmOverwrite); // we ask ourselves

    // The message pane becomes the channel's log.
    RegistriereLogMemo([this](const std::string& zeile) {
        QString t = AusStd(zeile);
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        while (t.endsWith(QLatin1Char('\n')))
            t.chop(1);
        MsgText->appendPlainText(t);
    });

    Installieren();

    SetzeRegelnFuerSuche(&Regeln);
    setMinimumSize(370, 256);
    Splitter1->setSizes({BrettDesign, 90});
    // Wide enough for the whole tool bar; tool bar, message pane and status line around the board.
    resize(std::max(NotationBreite + ScrollBreite + 1 + BrettDesign + RahmenBreite,
                    ToolBar1->sizeHint().width() + 8),
           BrettDesign + 90 + 90);
    BrettSkalieren();
    MsgText->setPlainText(QStringLiteral("Hauptformular der Anwendung erzeugt."));

    DialogeErzeugen();
    SetFileName(Unbenannt);
    NachZugAktualisieren();
    BrettZeichnen();
}

TMainForm::~TMainForm() { RegistriereLogMemo(nullptr); }

QAction* TMainForm::Aktion(const QString& text, const QString& hinweis, const QKeySequence& taste) {
    auto* a = new QAction(text, this);
    const int strich = hinweis.indexOf(QLatin1Char('|'));
    a->setToolTip(strich < 0 ? hinweis : hinweis.left(strich));
    a->setStatusTip(strich < 0 ? hinweis : hinweis.mid(strich + 1));
    if (!taste.isEmpty()) a->setShortcut(taste);
    // Also on the window, so shortcuts work while the menu bar is detached.
    addAction(a);
    return a;
}

void TMainForm::AktionenErzeugen() {
    auto* st = style();
    FileNew1 = Aktion(QStringLiteral("&Neu"), QStringLiteral("Neu|Neue, leere Datei erzeugen"),
                      QKeySequence(Qt::CTRL | Qt::Key_N));
    FileNew1->setIcon(st->standardIcon(QStyle::SP_FileIcon));
    FileOpen1 = Aktion(QStringLiteral("Ö&ffnen..."), QStringLiteral("Öffnen|Eine gespeicherte Datei öffnen"),
                       QKeySequence(Qt::CTRL | Qt::Key_O));
    FileOpen1->setIconText(QStringLiteral("Öffnen"));
    FileOpen1->setIcon(st->standardIcon(QStyle::SP_DialogOpenButton));
    FileSave1 = Aktion(QStringLiteral("&Speichern"), QStringLiteral("Speichern|Aktuelle Datei speichern"),
                       QKeySequence(Qt::CTRL | Qt::Key_S));
    FileSave1->setIcon(st->standardIcon(QStyle::SP_DialogSaveButton));
    FileSaveAs1 = Aktion(QStringLiteral("Speichern &unter..."),
                         QStringLiteral("Speichern unter|Datei unter einem beliebigen Namen speichern"),
                         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    for (int i = 1; i <= 4; ++i) {
        ActionDatei[i] =
            Aktion(QStringLiteral("&%1. Datei").arg(i),
                   QStringLiteral(
                       "Diese Datei erneut öffnen|Diese Datei wurde verschoben, umbenannt oder gelöscht."),
                   QKeySequence(Qt::CTRL | (Qt::Key_0 + i)));
        connect(ActionDatei[i], &QAction::triggered, this, [this, i] { DateiLaden(i - 1); });
    }
    FileExit1 = Aktion(QStringLiteral("&Beenden"), QStringLiteral("Beenden|Das Programm beenden"));
    FileExit1->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Q), QKeySequence(Qt::ALT | Qt::Key_X)});

    ActionPassen = Aktion(QStringLiteral("Passen &-"),
                          QStringLiteral("Passen (-)|Gib ein Minuszeichen ein, um zu passen!"),
                          QKeySequence(Qt::Key_Minus));
    ActionPassen->setIconText(QStringLiteral("Passen"));
    ActionPassen->setIcon(st->standardIcon(QStyle::SP_MediaPause));
    const QString berechnenHinweis =
        QStringLiteral("Zug berechnen|In der aktuellen Stellung einen Zug berechnen");
    ActionZugBerechnen = Aktion(QStringLiteral("&Berechnen"), berechnenHinweis, QKeySequence(Qt::Key_F9));
    ActionZugBerechnenMitMenu = new QAction(QStringLiteral("&Berechnen"), this);
    ActionZugBerechnenMitMenu->setToolTip(ActionZugBerechnen->toolTip());
    ActionZugBerechnenMitMenu->setStatusTip(ActionZugBerechnen->statusTip());
    ActionZugBerechnenMitMenu->setIcon(st->standardIcon(QStyle::SP_ComputerIcon));
    ActionErsterZug = Aktion(QStringLiteral("&Erster Zug"),
                             QStringLiteral("Erster Zug (Strg+Pos1)|An den Anfang der Partie gehen"),
                             QKeySequence(Qt::CTRL | Qt::Key_Home));
    ActionErsterZug->setIconText(QStringLiteral("Anfang"));
    ActionErsterZug->setIcon(st->standardIcon(QStyle::SP_MediaSkipBackward));
    ActionZugZurueck = Aktion(QStringLiteral("&Zurück"), QStringLiteral("Zurück|Einen Zug zurück gehen"),
                              QKeySequence(Qt::SHIFT | Qt::Key_Backtab));
    ActionZugZurueck->setShortcuts(
        {QKeySequence(Qt::SHIFT | Qt::Key_Backtab), QKeySequence(Qt::SHIFT | Qt::Key_Tab)});
    ActionZugZurueck->setIcon(st->standardIcon(QStyle::SP_MediaSeekBackward));
    ActionZugVor = Aktion(QStringLiteral("&Vor"), QStringLiteral("Vor|Einen Zug vorwärts gehen"),
                          QKeySequence(Qt::Key_Tab));
    ActionZugVor->setIcon(st->standardIcon(QStyle::SP_MediaSeekForward));
    ActionLetzterZug =
        Aktion(QStringLiteral("Letzter &Zug"), QStringLiteral("letzter Zug|An das Ende der Partie gehen"),
               QKeySequence(Qt::CTRL | Qt::Key_End));
    ActionLetzterZug->setIconText(QStringLiteral("Ende"));
    ActionLetzterZug->setIcon(st->standardIcon(QStyle::SP_MediaSkipForward));
    ActionStellungseingabe = Aktion(QStringLiteral("Stellungseingabe..."),
                                    QStringLiteral("Stellungseingabe|Eine Stellung auf dem Brett aufbauen"),
                                    QKeySequence(Qt::CTRL | Qt::Key_E));
    ActionStellungseingabe->setIconText(QStringLiteral("Stellung"));
    ActionEinstellungen = Aktion(QStringLiteral("&Level..."), QStringLiteral("Spielstärke festlegen"),
                                 QKeySequence(Qt::CTRL | Qt::Key_K));
    ActionAnpassen = Aktion(
        QStringLiteral("&Anpassen..."),
        QStringLiteral("anpassen|Werkzeugleiste anpassen und Erscheinungsbild des Programms festlegen"),
        QKeySequence(Qt::SHIFT | Qt::Key_F6));
    ActionEngineInfo =
        Aktion(QStringLiteral("Engine &Info"),
               QStringLiteral("Engine Info|Informationen zum aktuellen Stand der Zugberechnung anzeigen"),
               QKeySequence(Qt::ALT | Qt::Key_2));
    ActionElo = Aktion(QStringLiteral("Turnier-Auswertung..."),
                       QStringLiteral("Elo-Auswertung|Elo-Auswertung für Turnierteilnehmer erstellen"));
    HelpHelp1 = Aktion(QStringLiteral("&Hilfe"),
                       QStringLiteral("Hilfe|Hilfe zu diesem Programm und Spielregeln anzeigen"),
                       QKeySequence(Qt::Key_F1));
    HelpHelp1->setIcon(st->standardIcon(QStyle::SP_DialogHelpButton));
    HelpAbout1 = Aktion(
        QStringLiteral("&Info..."),
        QStringLiteral("Info|Zeigt Informationen über das Programm, seine Version und seinen Autor an"));
    HelpAbout1->setIconText(QStringLiteral("Info"));
    HelpAbout1->setIcon(st->standardIcon(QStyle::SP_MessageBoxInformation));
    ActionDruckerEinrichten =
        Aktion(QStringLiteral("Drucker e&inrichten..."),
               QStringLiteral("Drucker einrichten|Drucker für den Partiedruck einrichten"));
    ActionAutospiel = Aktion(QStringLiteral("&Autospiel..."),
                             QStringLiteral("Autospiel|Der Computer spielt für beide Parteien"));
    ActionAutospiel->setCheckable(true);
    EditCut1 =
        Aktion(QStringLiteral("&Ausschneiden"),
               QStringLiteral("Ausschneiden|Markierten Text ausschneiden und in die Zwischenablage legen"),
               QKeySequence(Qt::CTRL | Qt::Key_X));
    EditCopy1 = Aktion(QStringLiteral("&Kopieren"),
                       QStringLiteral("Kopieren|Markierten Text in die Zwischenablage kopieren"),
                       QKeySequence(Qt::CTRL | Qt::Key_C));
    EditPaste1 =
        Aktion(QStringLiteral("&Einfügen"), QStringLiteral("Einfügen|Text aus der Zwischenablage einfügen"),
               QKeySequence(Qt::CTRL | Qt::Key_V));
    EngineWaehlen1 = Aktion(QStringLiteral("Engine &wählen..."),
                            QStringLiteral("Engine wählen|Engines für Schwarz und Weiß festlegen"),
                            QKeySequence(Qt::Key_F6));
    NaechsteVariante1 =
        Aktion(QStringLiteral("&Nächste Variante"),
               QStringLiteral("Nächste Variante|Zur nächsten Variante an dieser Stelle wechseln"),
               QKeySequence(Qt::CTRL | Qt::Key_R));
    VorherigeVariante1 =
        Aktion(QStringLiteral("Vor&herige Variante"),
               QStringLiteral("Vorherige Variante|Zur vorherigen Variante an dieser Stelle wechseln"),
               QKeySequence(Qt::CTRL | Qt::Key_L));

    connect(FileNew1, &QAction::triggered, this, &TMainForm::FileNew1Execute);
    connect(FileOpen1, &QAction::triggered, this, &TMainForm::FileOpen1Execute);
    connect(FileSave1, &QAction::triggered, this, &TMainForm::FileSave1Execute);
    connect(FileSaveAs1, &QAction::triggered, this, &TMainForm::FileSaveAs1Execute);
    connect(FileExit1, &QAction::triggered, this, &QWidget::close);
    connect(ActionPassen, &QAction::triggered, this, &TMainForm::Passen);
    connect(ActionZugBerechnen, &QAction::triggered, this, &TMainForm::ZugBerechnenClick);
    connect(ActionZugBerechnenMitMenu, &QAction::triggered, this, &TMainForm::ZugBerechnenClick);
    connect(ActionErsterZug, &QAction::triggered, this, &TMainForm::ErsterZug1Click);
    connect(ActionZugZurueck, &QAction::triggered, this, &TMainForm::Zurueck1Click);
    connect(ActionZugVor, &QAction::triggered, this, &TMainForm::Vor1Click);
    connect(ActionLetzterZug, &QAction::triggered, this, &TMainForm::LetzterZug1Click);
    connect(ActionStellungseingabe, &QAction::triggered, this, &TMainForm::Stellungseingabe1Click);
    connect(ActionEinstellungen, &QAction::triggered, this, &TMainForm::EinstellungenClick);
    connect(ActionAnpassen, &QAction::triggered, this, &TMainForm::AnpassenClick);
    connect(ActionEngineInfo, &QAction::triggered, this, &TMainForm::EngineInfoClick);
    connect(ActionElo, &QAction::triggered, this, &TMainForm::EloClick);
    connect(HelpHelp1, &QAction::triggered, this, &TMainForm::HilfeClick);
    connect(HelpAbout1, &QAction::triggered, this, &TMainForm::AboutClick);
    connect(ActionDruckerEinrichten, &QAction::triggered, this, &TMainForm::DruckerEinrichtenClick);
    connect(ActionAutospiel, &QAction::triggered, this, &TMainForm::AutospielClick);
    connect(EditCut1, &QAction::triggered, this, [this] { Zwischenablage(0); });
    connect(EditCopy1, &QAction::triggered, this, [this] { Zwischenablage(1); });
    connect(EditPaste1, &QAction::triggered, this, [this] { Zwischenablage(2); });
    connect(EngineWaehlen1, &QAction::triggered, this, &TMainForm::EngineWaehlenClick);
    connect(NaechsteVariante1, &QAction::triggered, this, &TMainForm::NaechsteVariante1Click);
    connect(VorherigeVariante1, &QAction::triggered, this, &TMainForm::VorherigeVariante1Click);
}

void TMainForm::MenusErzeugen() {
    auto* mb = menuBar();
    MenuDatei = mb->addMenu(QStringLiteral("&Datei"));
    MenuDatei->addActions({FileNew1, FileOpen1, FileSave1, FileSaveAs1});
    MenuDatei->addSeparator();
    for (int i = 1; i <= 4; ++i)
        MenuDatei->addAction(ActionDatei[i]);
    MenuDatei->addSeparator();
    MenuDatei->addAction(FileExit1);
    connect(MenuDatei, &QMenu::aboutToShow, this, &TMainForm::LetzteDateienAktualisieren);

    // Game-list commands, printing and the player-colour modes are not offered.
    MenuPartie = mb->addMenu(QStringLiteral("&Partie"));
    MenuPartie->addAction(ActionStellungseingabe);
    MenuPartie->addAction(ActionDruckerEinrichten);
    MenuPartie->menuAction()->setVisible(false);

    MenuZug = mb->addMenu(QStringLiteral("&Zug"));
    MenuZug->addActions({ActionPassen, ActionZugBerechnen});
    MenuZug->addSeparator();
    MenuZug->addActions({ActionErsterZug, ActionZugZurueck, ActionZugVor, ActionLetzterZug});
    connect(MenuZug, &QMenu::aboutToShow, this,
            [this] { ActionZugBerechnen->setEnabled(!Regeln.BeidePassen()); });

    MenuModus = mb->addMenu(QStringLiteral("&Modus"));
    MenuModus->addAction(ActionAutospiel);
    MenuModus->menuAction()->setVisible(false);

    MenuAnsicht = mb->addMenu(QStringLiteral("&Ansicht"));
    MenuAnsicht->addAction(ActionEngineInfo);

    MenuExtra = mb->addMenu(QStringLiteral("E&xtra"));
    MenuExtra->addActions({ActionEinstellungen, ActionAnpassen});

    MenuHilfe = mb->addMenu(QStringLiteral("&Hilfe"));
    MenuHilfe->addActions({HelpHelp1, HelpAbout1});

    KontextMenu = new QMenu(this);
    KontextMenu->addActions({ActionPassen, ActionZugBerechnen});
    KontextMenu->addSeparator();
    KontextMenu->addActions({ActionErsterZug, ActionZugZurueck, ActionZugVor, ActionLetzterZug});
}

void TMainForm::WerkzeugleisteErzeugen() {
    ToolBar1 = addToolBar(QStringLiteral("Werkzeugleiste"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar1->setIconSize(QSize(20, 20));
    ToolBar1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ToolBar1, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        QMenu m;
        m.addAction(ActionAnpassen);
        m.exec(ToolBar1->mapToGlobal(p));
    });
    ToolBar1->installEventFilter(this);

    // The menu button holds the seven top-level menus themselves, so their state never goes stale.
    auto* menu = new QMenu(this);
    for (QMenu* m : {MenuDatei, MenuPartie, MenuZug, MenuModus, MenuAnsicht, MenuExtra, MenuHilfe})
        menu->addMenu(m);
    ToolButtonMenu = new QToolButton(ToolBar1);
    ToolButtonMenu->setText(QStringLiteral("&Menü"));
    ToolButtonMenu->setToolTip(QStringLiteral("Menü anzeigen"));
    ToolButtonMenu->setIcon(MenueSymbol());
    ToolButtonMenu->setMenu(menu);
    ToolButtonMenu->setPopupMode(QToolButton::InstantPopup);
    ToolButtonMenu->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    MenueKnopfAktion = new QWidgetAction(this);
    MenueKnopfAktion->setDefaultWidget(ToolButtonMenu);

    // Own separators, so the groups can be taken out and put back without losing them.
    auto trenner = [this] {
        auto* t = new QAction(this);
        t->setSeparator(true);
        return t;
    };
    ToolButtonSepDatei = trenner();
    ToolButtonSepZug = trenner();
    ToolButtonSepHilfe = trenner();
    ToolButtonSepHilfe->setVisible(false); // info and help buttons only through the customise dialog
    DateiKnoepfe = {FileNew1, FileOpen1, FileSave1};
    ZugKnoepfe = {ActionZugBerechnenMitMenu, ActionErsterZug, ActionZugZurueck, ActionZugVor,
                  ActionLetzterZug};
    HilfeKnoepfe = {HelpAbout1, HelpHelp1};
    SpeichernMenu = new QMenu(this);
    SpeichernMenu->addActions({FileSave1, FileSaveAs1});
    BerechnenMenu = new QMenu(this);
    BerechnenMenu->addActions({ActionZugBerechnen, ActionEinstellungen});
    WerkzeugleisteAufbauen();
}

// The groups whose separator is visible are on the tool bar; Passen always is.
void TMainForm::WerkzeugleisteAufbauen() {
    ToolBar1->clear();
    ToolBar1->addAction(MenueKnopfAktion);
    auto mitMenu = [this](QAction* a, QMenu* m) {
        if (auto* b = qobject_cast<QToolButton*>(ToolBar1->widgetForAction(a))) {
            b->setMenu(m);
            b->setPopupMode(QToolButton::MenuButtonPopup);
        }
    };
    if (ToolButtonSepDatei->isVisible()) {
        ToolBar1->addActions(DateiKnoepfe);
        mitMenu(FileSave1, SpeichernMenu);
        ToolBar1->addAction(ToolButtonSepDatei);
    }
    ToolBar1->addAction(ActionPassen);
    if (ToolButtonSepZug->isVisible()) {
        ToolBar1->addActions(ZugKnoepfe);
        mitMenu(ActionZugBerechnenMitMenu, BerechnenMenu);
        ToolBar1->addAction(ToolButtonSepZug);
    }
    if (ToolButtonSepHilfe->isVisible()) {
        ToolBar1->addActions(HilfeKnoepfe);
        ToolBar1->addAction(ToolButtonSepHilfe);
    }
    for (QAction* a : ToolBar1->actions())
        if (QWidget* w = ToolBar1->widgetForAction(a)) w->installEventFilter(this);
}

void TMainForm::FlaecheErzeugen() {
    Splitter1 = new QSplitter(Qt::Vertical, this);
    Flaeche = new TBrettFlaeche(this, Splitter1);
    MsgText = new QPlainTextEdit(Splitter1);
    MsgText->setReadOnly(true);
    Splitter1->addWidget(Flaeche);
    Splitter1->addWidget(MsgText);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    Splitter1->setChildrenCollapsible(false);
    setCentralWidget(Splitter1);

    PanelKopf = new QLabel(QStringLiteral(" Partie"), Flaeche);
    PanelKopf->setAutoFillBackground(true);
    PartieView = new TPartieView(this, Flaeche);
    ScrollBar1 = new QScrollBar(Qt::Vertical, Flaeche);
    ImageBrett = new TBrettBild(BrettBild, Flaeche);
    ImageBrett->setContextMenuPolicy(Qt::DefaultContextMenu);
    for (int j = 0; j <= 6; ++j)
        for (int k = 1; k <= 7; ++k) {
            auto* f = new TFeldBild(this, Flaeche, j, k);
            f->setGeometry(
                ZellRechteck(j, k, QRect(NotationBreite + ScrollBreite + 1, 0, BrettDesign, BrettDesign)));
            f->setToolTip(AusStd(Feldname(Punkt(j, k - 1))));
            Feldbilder[j][k] = f;
        }
    EditZug = new TEditZug(this, Flaeche);
    EditZug->raise();

    // Strips and the move field take the notation's colour.
    QPalette pal = PanelKopf->palette();
    pal.setColor(QPalette::Window, Cremefarben.darker(106));
    PanelKopf->setPalette(pal);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, [this] { NotationNeu(); });
    ImageBrett->installEventFilter(this);
}

void TMainForm::Installieren() {
    std::vector<std::string> hilfe = HilfeTextZeilen();
    if (!DateiSicherstellen(Hilfedatei(), hilfe, false)) InstallationGelungen = false;

    for (int i = 0; i < 20; ++i)
        Letzte[static_cast<std::size_t>(i)] = AusStd(KonfigLesen("recent", std::to_string(i), ""));

    QString dokumente = AusStd(EigeneDateien());
    if (!dokumente.isEmpty() && QDir(dokumente).exists(QStringLiteral("Go")))
        dokumente = QDir(dokumente).filePath(QStringLiteral("Go"));
    if (!dokumente.isEmpty()) {
        OpenDialog1->setDirectory(dokumente);
        SaveDialog1->setDirectory(dokumente);
    }

    const std::string engines = PfadVerbinden(DatenVerzeichnis(), "Engines");
    if (!QDir().mkpath(AusStd(engines)))
        Meldung("Installation gescheitert. Verzeichnis für Engines konnte nicht angelegt werden: " + engines,
                true);
    SetzeEngineOrdner(engines);

    std::vector<std::string> werte;
    std::istringstream text(StandardWerteText());
    for (std::string z; std::getline(text, z);)
        werte.push_back(z);
    if (!DateiSicherstellen(WerteDateiName(), werte, false)) InstallationGelungen = false;
}

// ---------------------------------------------------------------- geometry and drawing

QRect TMainForm::ZellRechteck(int spalte, int reihe, const QRect& brett) {
    const int h = brett.height(), w = brett.width();
    const int top = (RandDesign * 6 + Gitter * (7 - reihe)) * h / (BrettDesign * 6) + brett.top();
    const int left = (RandDesign * 6 + Gitter * spalte) * w / (BrettDesign * 6) + brett.left();
    return QRect(left, top, ZellDesign * w / BrettDesign, ZellDesign * h / BrettDesign);
}

int TMainForm::Zeilenhoehe() const { return QFontMetrics(NotationFont()).height() * 4 / 3; }

void TMainForm::BrettSkalieren() {
    if (!Flaeche || !EditZug) return;
    const int hoehe = Flaeche->height();
    PanelKopf->setGeometry(0, 0, NotationBreite + ScrollBreite, KopfHoehe);
    PartieView->setGeometry(0, KopfHoehe, NotationBreite, std::max(0, hoehe - KopfHoehe));
    ScrollBar1->setGeometry(NotationBreite, KopfHoehe, ScrollBreite, std::max(0, hoehe - KopfHoehe));

    const int links = ScrollBar1->x() + ScrollBar1->width() + 1;
    const int W = Flaeche->width() - links - RahmenBreite;
    const int H = hoehe;
    int groesse, left = links, top;
    if (H < W) {
        groesse = H;
        left += (W - H) / 2;
        top = PanelKopf->y();
    } else {
        groesse = W;
        top = (H - W) / 2;
    }
    groesse = std::max(groesse, MinBrett);
    const QRect brett(left, top, groesse, groesse);
    ImageBrett->setGeometry(brett);
    for (int j = 0; j <= 6; ++j)
        for (int k = 1; k <= 7; ++k) {
            Feldbilder[j][k]->setGeometry(ZellRechteck(j, k, brett));
            Feldbilder[j][k]->raise();
        }
    EditZug->raise();

    const int lh = Zeilenhoehe();
    const int vh = PartieView->height();
    ScrollBar1->setPageStep(std::max(vh - lh, lh));
    ScrollBar1->setSingleStep(lh);
    EditZug->resize(QFontMetrics(NotationFont()).horizontalAdvance(QStringLiteral("www")) + 6, lh);
    EingabeSichtbarMachen();
    NotationNeu();
}

void TMainForm::BrettZeichnen() {
    NeuGezeichnet = 0;
    for (int n = 6; n >= 0; --n)
        for (int i = 0; i <= 6; ++i) {
            const int code = Regeln.Brett[i + 16 * n];
            TFeldBild* f = Feldbilder[i][n + 1];
            if (f->Code == code) continue;
            f->Bild = &Steinbilder[code];
            f->Code = code;
            f->setVisible(true);
            f->update();
            ++NeuGezeichnet;
        }
    StatusAktualisieren();
}

void TMainForm::NotationNeu() {
    NotationZeichnen(nullptr);
    if (EingabePos < 0) EditZugChange();
    PartieView->update();
}

// With a painter the notation is drawn; without one, the move field is placed and the
// continuation taken over as the field's suggestion.
void TMainForm::NotationZeichnen(QPainter* p) {
    const QFont font = NotationFont();
    const QFontMetrics fm(font);
    const int lh = Zeilenhoehe();
    const int vh = PartieView->height();
    int x = 0, y = -ScrollBar1->value();
    if (p) {
        p->setFont(font);
        p->setPen(Qt::black);
    }
    auto schreibe = [&](const QString& t) {
        if (p && y > -lh && y < vh + lh) p->drawText(x, y + fm.ascent(), t);
        x += fm.horizontalAdvance(t);
    };
    auto umbruch = [&] {
        x = 0;
        y += lh;
    };
    auto nummer = [&](int ply) { schreibe(QStringLiteral("%1. ").arg((ply + 1) / 2, 4)); };
    const int zn = Regeln.Zugnummer;
    for (int i = 1; i <= zn; ++i) {
        if (i & 1) {
            nummer(i);
            if (i < zn) schreibe(AusStd(Feldname(Regeln.Zugfolge[i].Feld)) + QStringLiteral("   "));
        } else {
            schreibe(QStringLiteral("  "));
            if (i < zn) {
                schreibe(AusStd(Feldname(Regeln.Zugfolge[i].Feld)) + QStringLiteral("   "));
                umbruch();
            }
        }
    }
    if (!p) {
        EditZug->move(PartieView->x() + x - 2, PartieView->y() + y);
        const bool sichtbar = !(y < -KopfHoehe || y > vh);
        EditZug->setVisible(sichtbar);
        EditZug->setEnabled(!Regeln.BeidePassen());
        if (sichtbar && EditZug->isEnabled() && !EditZug->hasFocus()) EditZug->setFocus();
    }
    if (EingabePos != -1) return;

    // The continuation of the current line from the tree; the cursor is put back afterwards.
    std::vector<TZug> weiter;
    {
        const int c = Baum.Cursor, t = Baum.Tiefe;
        const std::size_t hoechstens = (zn & 1) ? 51 : 50;
        TZug z;
        while (weiter.size() < hoechstens && Baum.Vor(z))
            weiter.push_back(z);
        Baum.Cursor = c;
        Baum.Tiefe = t;
    }
    if (!p) Vorschlagstext.clear();
    if (p) p->setPen(Qt::blue);
    for (std::size_t k = 0; k < weiter.size(); ++k) {
        const int ply = zn + static_cast<int>(k);
        if (k > 0) {
            if (ply & 1) {
                umbruch();
                nummer(ply);
            } else {
                schreibe(QStringLiteral("  "));
            }
        }
        const QString text = AusStd(Feldname(weiter[k].Feld));
        schreibe(text + QStringLiteral("   "));
        if (k == 0 && !p) {
            EingabeZug = weiter[0];
            Vorschlagstext = text;
            EingabeLaenge = 2;
        }
    }
    if (p) p->setPen(Qt::black);
}

void TMainForm::EditZugChange() {
    const QSignalBlocker sperre(EditZug);
    if (EingabePos < 0) {
        EditZug->setText(Vorschlagstext);
        EditZug->selectAll();
        return;
    }
    EditZug->setText(AusStd(Feldname(EingabeZug.Feld)).left(EingabeLaenge));
    EditZug->setCursorPosition(EingabePos > 1 ? EingabePos + 1 : EingabePos);
}

void TMainForm::EingabeSichtbarMachen() {
    const int lh = Zeilenhoehe();
    const int Y = ((Regeln.Zugnummer - 1) / 2) * lh;
    const int vh = PartieView->height();
    const int fh = EditZug->height();
    int pos = ScrollBar1->value();
    if (Y + fh <= vh) pos = 0; // everything up to the field fits: show the game from its start
    if (Y - pos < 0) pos = Y;
    if (Y - pos + fh > vh) pos = Y - (vh - fh);
    ScrollBar1->setValue(std::clamp(pos, 0, ScrollBar1->maximum()));
}

void TMainForm::NachZugAktualisieren() {
    const int lh = Zeilenhoehe();
    {
        const QSignalBlocker sperre(ScrollBar1);
        ScrollBar1->setMaximum(std::max(0, ((Regeln.Zugnummer - 1) / 2) * lh));
        EingabeSichtbarMachen();
    }
    EingabePos = -1;
    EingabeLaenge = 0;
    NotationNeu();
    const bool aus = Regeln.BeidePassen();
    ActionZugBerechnen->setEnabled(!aus);
    ActionZugBerechnenMitMenu->setEnabled(!aus);
    EditZugChange();
    StatusAktualisieren();
}

void TMainForm::StatusAktualisieren() {
    if (StatusText) StatusText->setText(AusStd(SpielZustandText(Regeln)));
}

// ---------------------------------------------------------------- input

void TMainForm::FeldClick(int spalte, int reihe) { FeldGewaehlt(spalte + 16 * (reihe - 1)); }

void TMainForm::Passen() {
    EingabeZug = Passzug();
    FeldGewaehlt(-1);
}

void TMainForm::FeldGewaehlt(int feld) {
    if (Regeln.BeidePassen()) return;
    EingabePos = 0;
    const bool punkt = feld >= 0;
    if (punkt && Regeln.Brett[feld] != Leer) {
        const TFarbe stein = Regeln.Brett[feld];
        const TFarbe eigene = FarbeVonSeite(Regeln.AmZug);
        if (stein == eigene) {
            NotationNeu();
            Meldung("Das ist dein Stein. Bitte liegen lassen!", true);
        } else if (stein == Gegner(eigene)) {
            NotationNeu();
            Meldung("Das ist nicht dein Stein. Bitte nicht berühren", true);
        }
    } else {
        EingabeZug.Feld = static_cast<std::int8_t>(punkt ? feld : -1);
        TZug z = EingabeZug;
        const bool gefunden = Regeln.ZugZuFeld(z);
        EingabeZug = z;
        const int grund = gefunden ? Regeln.PruefeZug(EingabeZug) : ZugLegal;
        if (grund == ZugLegal) {
            EingabePos = 2;
        } else if (grund == ZugWiederholung) {
            ZieheMitUhr(EingabeZug); // refused: the side to move becomes the user's colour
            NachZugAktualisieren();
            BrettZeichnen();
            Meldung("Dieser Zug ist nicht erlaubt, weil er zu einer Stellungswiederholung führt.", true);
        } else if (grund == ZugSelbstmord) {
            Meldung("Das wäre Selbstmord!", true);
        } else {
            Meldung("Dieser Zug ist nicht erlaubt.", true);
        }
    }
    EingabeLaenge = std::max(EingabeLaenge, EingabePos);
    NotationNeu();
    EingabeAusfuehren();
    EditZugChange();
}

void TMainForm::EingabeAusfuehren() {
    if (EingabePos != 2) return;
    TZug z = EingabeZug;
    Regeln.ZugZuFeld(z);
    EingabeZug = z;
    NotationNeu();
    if (!Regeln.IstErlaubt(z)) {
        Meldung(" Verbotener Zug !", true);
        EingabePos = 0;
        return;
    }
    EingabePos = -1;
    EingabeLaenge = 0;
    ZieheMitUhr(z);
    Geaendert = true;
    NachZugAktualisieren();
    BrettZeichnen();
    if (!Regeln.BeidePassen() && Regeln.AmZug != Spielerfarbe) ZugBerechnen();
}

void TMainForm::EditZugKeyPress(QChar c) {
    const bool leerlauf = EingabePos < 0;
    if (leerlauf && c != QChar('\b')) {
        EingabePos = 0;
        EingabeLaenge = 0;
        NotationNeu();
    }
    const QChar klein = c.toLower();
    if (c == QChar('\b')) {
        if (leerlauf) {
            EingabePos = 0;
            EingabeLaenge = 0;
        } else if (EingabePos > 0) {
            --EingabePos;
            EingabeLaenge = EingabePos;
        }
        NotationNeu();
    } else if (c == QChar(27)) {
        EingabePos = -1;
        EingabeLaenge = 0;
        NotationNeu();
    } else if (c == QChar('-')) {
        Passen();
    } else if (klein >= QChar('a') && klein <= QChar('g')) {
        // A column is expected at 0 only (2 is the transient complete state).
        if (EingabePos == 0 && !Regeln.BeidePassen()) {
            const int reihe = EingabeZug.Feld >= 0 ? EingabeZug.Feld / 16 : 0;
            EingabeZug.Feld = static_cast<std::int8_t>((klein.unicode() - 'a') + 16 * reihe);
            ++EingabePos;
            EingabeLaenge = std::max(EingabeLaenge, EingabePos);
            NotationNeu();
        }
    } else if (c >= QChar('1') && c <= QChar('7')) {
        if (EingabePos == 1) {
            const int spalte = EingabeZug.Feld >= 0 ? EingabeZug.Feld % 16 : 0;
            EingabeZug.Feld = static_cast<std::int8_t>(spalte + 16 * (c.unicode() - '1'));
            ++EingabePos;
            EingabeLaenge = std::max(EingabeLaenge, EingabePos);
            if (Regeln.Brett[EingabeZug.Feld] != Leer) {
                NotationNeu();
                Meldung("Bitte ein leeres Feld angeben!", true);
                EingabePos = 0;
            }
            NotationNeu();
        }
    }
    EingabeAusfuehren();
    EditZugChange();
}

bool TMainForm::EditZugKeyDown(int key) {
    switch (key) {
    case Qt::Key_Home:
        EingabePos = 0;
        break;
    case Qt::Key_End:
        EingabePos = EingabeLaenge;
        break;
    case Qt::Key_Right:
        if (EingabePos < 0) return false;
        if (EingabePos < EingabeLaenge) ++EingabePos;
        break;
    case Qt::Key_Left:
        if (EingabePos < 0 && EingabeLaenge > 0)
            EingabePos = EingabeLaenge - 1;
        else if (EingabePos > 0)
            --EingabePos;
        else
            return false;
        break;
    default:
        return false;
    }
    NotationNeu();
    EditZugChange();
    return true;
}

void TMainForm::EditZugKeyUp(int key) {
    if (key == Qt::Key_End && EingabePos < 0) EditZugChange();
}

void TMainForm::EditZugClick(int caret) {
    if (EingabeLaenge <= 0 && EingabePos < 0) return; // nothing to place the caret in
    int pos = caret > 1 ? caret - 1 : caret;
    EingabePos = std::min(pos, EingabeLaenge);
    NotationNeu();
    EditZugChange();
}

void TMainForm::FormKeyDown(int key, Qt::KeyboardModifiers mod) {
    if (mod & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) return;
    switch (key) {
    case Qt::Key_Up:
        if (Regeln.Zugnummer > 2) ZweiZurueck();
        NachZugAktualisieren();
        BrettZeichnen();
        break;
    case Qt::Key_Down:
        ZweiVor();
        NachZugAktualisieren();
        BrettZeichnen();
        break;
    case Qt::Key_Right:
        ActionZugVor->trigger();
        break;
    case Qt::Key_Left:
        if (Regeln.Zugnummer < 2)
            NotationNeu();
        else
            ActionZugZurueck->trigger();
        break;
    case Qt::Key_PageUp:
        ScrollBar1->setValue(std::max(0, ScrollBar1->value() - ScrollBar1->pageStep()));
        break;
    case Qt::Key_PageDown:
        ScrollBar1->setValue(std::min(ScrollBar1->maximum(), ScrollBar1->value() + ScrollBar1->pageStep()));
        break;
    case Qt::Key_Delete:
        if (EingabePos < 0) EingabePos = 0;
        EingabeLaenge = EingabePos;
        NotationNeu();
        EditZugChange();
        break;
    default:
        break;
    }
}

bool TMainForm::FormKeyPress(QChar c) {
    const QChar k = c.toLower();
    if (!EditZug->isVisible() ||
        !((c >= QChar('1') && c <= QChar('8')) || (k >= QChar('a') && k <= QChar('h'))))
        return false;
    EingabeSichtbarMachen();
    EditZug->setFocus();
    EditZugKeyPress(c);
    return true;
}

void TMainForm::keyPressEvent(QKeyEvent* e) {
    const QString t = e->text();
    if (!MitBefehlstaste(e->modifiers()) && !t.isEmpty() && FormKeyPress(t[0])) return;
    FormKeyDown(e->key(), e->modifiers() & ~Qt::KeypadModifier);
}

// ---------------------------------------------------------------- play flow

void TMainForm::ZugBerechnenClick() {
    Spielerfarbe = Spielerfarbe ? 0 : 1;
    ZugBerechnen();
}

void TMainForm::ZugBerechnen() {
    TEngine* e = EngineSlots[Regeln.AmZug];
    if (!e) {
        Meldung("Keine Engine zum Berechnen vorhanden", true);
        return;
    }
    if (Regeln.BeidePassen()) {
        Meldung("Das Spiel ist aus.", true);
        return;
    }
    DlgZiehen->Starte(e, [this](TDlgZiehen* d) { EndBerechne(d); });
}

void TMainForm::EndBerechne(TDlgZiehen* dlg) {
    if (dlg->Ergebnis != TDlgZiehen::ErgebnisOK || !dlg->Engine) {
        Spielerfarbe = Regeln.AmZug;
        NachZugAktualisieren();
        BrettZeichnen();
        return;
    }
    TZug z = dlg->Engine->ErgebnisZug;
    if (z.Farbe == -1) z = KeinZug;
    if (!Regeln.IstErlaubt(z)) {
        const int seite = Regeln.AmZug;
        ZugUhr[seite].Stopp();
        GesamtUhr[seite].Stopp();
        Meldung("Computer gibt auf !", true);
        // Nothing is played: the null record names a point and must not reach the controller.
        Spielerfarbe = Regeln.AmZug;
        NachZugAktualisieren();
        BrettZeichnen();
        return;
    }
    ZieheMitUhr(z);
    Geaendert = true;
    NachZugAktualisieren();
    BrettZeichnen();
}

// ---------------------------------------------------------------- navigation

void TMainForm::Zurueck1Click() {
    if (Regeln.Zugnummer >= 2) ZurueckMitUhr();
    NachZugAktualisieren();
    BrettZeichnen();
}

void TMainForm::Vor1Click() {
    const int vorher = Regeln.Zugnummer;
    VorAusBaum();
    if (Regeln.Zugnummer == vorher) return;
    NachZugAktualisieren();
    BrettZeichnen();
}

void TMainForm::ErsterZug1Click() {
    ErsterZug();
    NachZugAktualisieren();
    BrettZeichnen();
}

void TMainForm::LetzterZug1Click() {
    LetzterZug();
    NachZugAktualisieren();
    BrettZeichnen();
}

void TMainForm::NaechsteVariante1Click() {
    NaechsteVariante();
    NachZugAktualisieren();
    BrettZeichnen();
}

void TMainForm::VorherigeVariante1Click() {
    VorherigeVariante();
    NachZugAktualisieren();
    BrettZeichnen();
}

// ---------------------------------------------------------------- files

QString TMainForm::AutosaveDatei() { return AusStd(PfadVerbinden(DatenVerzeichnis(), "autosave.go")); }

QMessageBox::StandardButton TMainForm::Frage(const QString& text) {
    return QMessageBox::question(this, QStringLiteral("Kiboru"), text,
                                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
}

void TMainForm::DialogVorbereiten(QFileDialog* d) {
    if (Dateiname == Unbenannt) return;
    const QFileInfo fi(Dateiname);
    d->setDirectory(fi.absolutePath());
    d->selectFile(fi.fileName());
}

QString TMainForm::OeffnenDialogAusfuehren() {
    DialogVorbereiten(OpenDialog1);
    if (OpenDialog1->exec() != QDialog::Accepted) return {};
    return OpenDialog1->selectedFiles().value(0);
}

QString TMainForm::SpeichernDialogAusfuehren() {
    DialogVorbereiten(SaveDialog1);
    if (SaveDialog1->exec() != QDialog::Accepted) return {};
    return SaveDialog1->selectedFiles().value(0);
}

bool TMainForm::SpeichernAbfragen(const QString& frage) {
    if (!Geaendert) return true;
    QString text = frage;
    if (text.isEmpty())
        text = Dateiname == Unbenannt
                   ? QStringLiteral("Soll die Partie gespeichert werden ?")
                   : QStringLiteral("Die Datei \"%1\" wurde geändert. Soll sie gespeichert werden?")
                         .arg(Dateiname);
    switch (Frage(text)) {
    case QMessageBox::Yes:
        FileSave1Execute();
        return !Geaendert;
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

bool TMainForm::IstPgn(const QString& pfad) {
    return QFileInfo(pfad).suffix().toLower() == QStringLiteral("pgn");
}

bool TMainForm::SpielLesen(const QString& pfad, bool meldungen) {
    if (IstPgn(pfad)) return PgnLesen(pfad) == 0;
    return LadeSpiel(ZuStd(pfad), meldungen, false) == 0;
}

bool TMainForm::DateiOeffnen(const QString& pfad) {
    const bool ok = SpielLesen(pfad, true);
    SetFileName(ok ? pfad : Unbenannt);
    Geaendert = false;
    NachZugAktualisieren();
    BrettZeichnen();
    return ok;
}

void TMainForm::FileNew1Execute() {
    if (!SpeichernAbfragen()) return;
    SetFileName(Unbenannt);
    Geaendert = false;
    NeuesSpiel();
    NachZugAktualisieren();
    BrettZeichnen();
}

void TMainForm::FileOpen1Execute() {
    if (!SpeichernAbfragen()) return;
    const QString pfad = OeffnenDialogAusfuehren();
    if (pfad.isEmpty()) return;
    DateiOeffnen(pfad);
}

void TMainForm::FileSave1Execute() {
    // A tagged record is only read: saving over it would replace the user's text file.
    if (Dateiname == Unbenannt || IstPgn(Dateiname)) {
        FileSaveAs1Execute();
        return;
    }
    if (SpeichereSpielMitMeldung(ZuStd(Dateiname))) Geaendert = false;
}

void TMainForm::FileSaveAs1Execute() {
    const QString pfad = SpeichernDialogAusfuehren();
    if (pfad.isEmpty()) return;
    if (QFileInfo::exists(pfad) &&
        Frage(
            QStringLiteral("Die Datei \"%1\" existiert bereits. Soll sie überschrieben werden?").arg(pfad)) !=
            QMessageBox::Yes)
        return;
    if (!SpeichereSpielMitMeldung(ZuStd(pfad))) return;
    SetFileName(pfad);
    Geaendert = false;
}

void TMainForm::SetFileName(const QString& name) {
    QString n = name.isEmpty() ? Unbenannt : name;
    if (n != Unbenannt && QFileInfo::exists(n)) {
        const QFileInfo fi(n);
        n = fi.absoluteFilePath();
        for (QFileDialog* d : {OpenDialog1, SaveDialog1}) {
            d->setDirectory(fi.absolutePath());
            d->selectFile(fi.fileName());
        }
        auto it = std::find(Letzte.begin(), Letzte.end(), n);
        std::size_t von =
            it == Letzte.end() ? Letzte.size() - 1 : static_cast<std::size_t>(it - Letzte.begin());
        for (std::size_t i = von; i > 0; --i)
            Letzte[i] = Letzte[i - 1];
        Letzte[0] = n;
    } else {
        for (QFileDialog* d : {OpenDialog1, SaveDialog1})
            d->selectFile(QString());
    }
    Dateiname = n;
    setWindowTitle(QFileInfo(n).fileName() + QStringLiteral(" - Kiboru"));
    LetzteDateienAktualisieren();
}

void TMainForm::LetzteDateienAktualisieren() {
    for (int i = 1; i <= 4; ++i) {
        const QString& pfad = Letzte[static_cast<std::size_t>(i - 1)];
        QAction* a = ActionDatei[i];
        a->setVisible(!pfad.isEmpty());
        const bool da = !pfad.isEmpty() && QFileInfo::exists(pfad);
        a->setEnabled(da);
        a->setStatusTip(da ? QStringLiteral("Diese Datei erneut öffnen")
                           : QStringLiteral("Diese Datei wurde verschoben, umbenannt oder gelöscht."));
        QString text = pfad;
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        a->setText(QStringLiteral("&%1. ").arg(i) + text);
    }
}

void TMainForm::DateiLaden(int index) {
    if (index < 0 || index >= static_cast<int>(Letzte.size())) return;
    const QString pfad = Letzte[static_cast<std::size_t>(index)];
    if (pfad.isEmpty() || !SpeichernAbfragen()) return;
    SetFileName(pfad);
    if (!SpielLesen(pfad, true)) SetFileName(Unbenannt);
    Geaendert = false;
    NachZugAktualisieren();
    BrettZeichnen();
}

bool TMainForm::SchliessenAbfragen() {
    if (Dateiname == Unbenannt) {
        if (SpeichereSpielMitMeldung(ZuStd(AutosaveDatei()))) return true;
        // The autosave failed: closing now would lose the game.
        return Frage(QStringLiteral("Die Partie konnte nicht als \"autosave.go\" gespeichert werden. "
                                    "Soll das Programm trotzdem beendet werden?")) == QMessageBox::Yes;
    }
    if (!Geaendert) return true;
    switch (Frage(
        QStringLiteral("Die Datei \"%1\" wurde geändert. Soll sie gespeichert werden?").arg(Dateiname))) {
    case QMessageBox::Yes:
        FileSave1Execute();
        return !Geaendert;
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

void TMainForm::KonfigSpeichern() {
    KonfigSchreiben("Datei", "recent", ZuStd(Dateiname));
    for (std::size_t i = 0; i < Letzte.size(); ++i)
        KonfigSchreiben("recent", std::to_string(i), ZuStd(Letzte[i]));
}

void TMainForm::closeEvent(QCloseEvent* e) {
    if (SucheLaeuft()) {
        // Closing while the computer thinks: stop the search and let it end first.
        for (int s = 0; s <= 1; ++s)
            if (EngineSlots[s]) EngineSlots[s]->Stopp = 1;
        e->ignore();
        return;
    }
    if (!SchliessenAbfragen()) {
        e->ignore();
        return;
    }
    KonfigSpeichern();
    e->accept();
}

bool TMainForm::SpielZeigen(const QString& argumentDatei) {
    if (!argumentDatei.isEmpty()) {
        const QString pfad = QFileInfo(argumentDatei).absoluteFilePath();
        if (SpielLesen(pfad, true)) {
            SetFileName(pfad);
            Protokoll("Letzte Datei (" + ZuStd(pfad) + ") geöffnet.");
            Geaendert = false;
            NachZugAktualisieren();
            BrettZeichnen();
            return true;
        }
        // The reader has said what is wrong; go on with the last game instead of ending.
        Protokoll("Datei (" + ZuStd(pfad) + ") konnte nicht eingelesen werden");
        NeuesSpiel();
    }
    const QString letzte = AusStd(KonfigLesen("Datei", "recent", ZuStd(Unbenannt)));
    SetFileName(letzte);
    if (letzte != Unbenannt && !letzte.isEmpty() && QFileInfo::exists(letzte)) {
        if (!SpielLesen(letzte, false)) {
            Protokoll("Letzte Datei (" + ZuStd(letzte) + ") konnte nicht eingelesen werden");
            NeuesSpiel();
            SetFileName(Unbenannt);
        }
        Geaendert = false;
    } else {
        if (QFileInfo::exists(AutosaveDatei()) && !SpielLesen(AutosaveDatei(), false)) NeuesSpiel();
        SetFileName(Unbenannt);
        Geaendert = Regeln.Zugnummer > 1 || Baum.Letzter >= 0;
    }
    NachZugAktualisieren();
    BrettZeichnen();
    return true;
}

void TMainForm::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (Aktiviert) return;
    Aktiviert = true;
    // The menus stay reachable through the menu button.
    menuBar()->hide();
    LogAusgebenAnstehend();
    NachZugAktualisieren();
    BrettZeichnen();
    Protokoll("Alles klar!");
}

bool TMainForm::event(QEvent* e) {
    if (e->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(e)->tip();
        if (tip.isEmpty())
            StatusAktualisieren();
        else if (StatusText)
            StatusText->setText(tip);
        return true;
    }
    return QMainWindow::event(e);
}

bool TMainForm::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::ToolTip && !WerkzeugHinweise && o != ImageBrett) {
        if (auto* w = qobject_cast<QWidget*>(o); w && w->parentWidget() == ToolBar1) return true;
    }
    if (o == ToolBar1 && e->type() == QEvent::MouseButtonDblClick) {
        ActionAnpassen->trigger();
        return true;
    }
    if (o == ImageBrett && e->type() == QEvent::ContextMenu) {
        KontextMenu->exec(static_cast<QContextMenuEvent*>(e)->globalPos());
        return true;
    }
    return QMainWindow::eventFilter(o, e);
}

// ---------------------------------------------------------------- other commands

void TMainForm::AnpassenUebernehmen(bool datei, bool zug, bool hilfe, bool hinweise, bool titel, bool menue) {
    ToolButtonSepDatei->setVisible(datei);
    ToolButtonSepZug->setVisible(zug);
    ToolButtonSepHilfe->setVisible(hilfe);
    WerkzeugHinweise = hinweise;
    const auto stil = titel ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly;
    ToolBar1->setToolButtonStyle(stil);
    ToolButtonMenu->setToolButtonStyle(stil);
    ToolBar1->setIconSize(titel ? QSize(20, 20) : QSize(18, 18));
    WerkzeugleisteAufbauen();
    menuBar()->setVisible(menue);
    BrettSkalieren();
}

void TMainForm::EinstellungenClick() { FormLV->Ausfuehren(); }

void TMainForm::EngineWaehlenClick() {
    EngWahlDlg->Ausfuehren();
    BrettZeichnen();
}

void TMainForm::HilfeClick() { Ausfuehren(Hilfedatei(), ""); }

void TMainForm::DruckerEinrichtenClick() {
    if (!Drucker) Drucker = std::make_unique<QPrinter>();
    QPageSetupDialog dlg(Drucker.get(), this);
    dlg.exec();
}

void TMainForm::AutospielClick() {
    Autospiel = !Autospiel;
    ActionAutospiel->setChecked(Autospiel);
    BrettZeichnen();
}

void TMainForm::Zwischenablage(int was) {
    QWidget* f = QApplication::focusWidget();
    if (f == EditZug) {
        // The field takes pasted text as typed characters, so its state stays consistent.
        if (was == 1 || was == 0) {
            QApplication::clipboard()->setText(EditZug->selectedText().isEmpty() ? EditZug->text()
                                                                                 : EditZug->selectedText());
        } else {
            for (QChar c : QApplication::clipboard()->text().trimmed())
                EditZugKeyPress(c);
        }
        return;
    }
    if (auto* le = qobject_cast<QLineEdit*>(f)) {
        if (was == 0)
            le->cut();
        else if (was == 1)
            le->copy();
        else
            le->paste();
    } else if (auto* te = qobject_cast<QPlainTextEdit*>(f)) {
        if (was == 0)
            te->cut();
        else if (was == 1)
            te->copy();
        else
            te->paste();
    }
}

// ---------------------------------------------------------------- dialogs of other units

void TMainForm::Stellungseingabe1Click() {
    if (!SpeichernAbfragen(QStringLiteral(
            "Soll die aktuelle Partie gespeichert werden, bevor eine neue Stellung eingegeben wird?")))
        return;
    if (StellungDlg->Ausfuehren(Regeln.Brett, Regeln.AmZug) == 1) {
        SetFileName(Unbenannt);
        Geaendert = true;
        NachZugAktualisieren();
    }
    BrettZeichnen();
}
