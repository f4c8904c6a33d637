#include "ui/MainVw.h"

#include "engine/Engines.h"
#include "engine/SWertDflt.h"
#include "record/SpielAblauf.h"
#include "record/TPAcht.h"
#include "rules/ZugGen.h"
#include "support/HilfsFkt.h"
#include "support/StringsV5.h"
#include "ui/BrettAnsicht.h"
#include "ui/BrettLage.h"
#include "ui/DlgEngWahl.h"
#include "ui/DlgLV.h"
#include "ui/DlgStellung.h"
#include "ui/DlgZiehe.h"
#include "ui/Hilfetext.h"
#include "ui/NotationAnsicht.h"
#include "ui/NotationSatz.h"

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
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>
#include <algorithm>
#include <sstream>

namespace {
constexpr int BrettDesign = TBrettAnsicht::BrettDesign;
constexpr int NotationBreite = 176;
constexpr int ScrollBreite = 16;
constexpr int KopfHoehe = 18;
constexpr int RahmenBreite = 2;

QIcon MenueSymbol() {
    QPixmap b(24, 24);
    b.fill(Qt::transparent);
    QPainter p(&b);
    p.setPen(QPen(QColor(60, 60, 60), 2.5));
    for (int y : {6, 12, 18})
        p.drawLine(4, y, 20, y);
    return QIcon(b);
}

const QString GoFilter = QStringLiteral("Go Partien (*.go)");
const QString SgfFilter = QStringLiteral("SGF-Dateien (*.sgf)");
constexpr const char* AbschnittAnsicht = "Ansicht";
constexpr const char* SchluesselZugnummern = "Zugnummern";

QString AusStd(const std::string& s) { return QString::fromStdString(s); }
} // namespace

TBrettFlaeche::TBrettFlaeche(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void TBrettFlaeche::resizeEvent(QResizeEvent*) { emit GroesseGeaendert(); }

void TBrettFlaeche::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    p.fillRect(e->rect(), palette().color(QPalette::Button));
}

// ---------------------------------------------------------------- creation

namespace {
// The log's newest line is the one that matters.
void ZeigeLetzteZeile(QPlainTextEdit* log) {
    log->verticalScrollBar()->setValue(log->verticalScrollBar()->maximum());
}
} // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    // Window top 8, nothing changed, field idle, untitled.
    move(x(), 8);
    Datei = new TPartieDatei(*this, this);
    setWindowTitle(TPartieDatei::Unbenannt + QStringLiteral(" - Kiboru"));

    AktionenErzeugen();
    MenusErzeugen();
    FlaecheErzeugen();
    WerkzeugleisteErzeugen();

    StatusText = new QLabel(this);
    statusBar()->addWidget(StatusText, 1);
    statusBar()->setSizeGripEnabled(true);

    OpenDialog1 = new QFileDialog(this, QStringLiteral("Partie öffnen"));
    OpenDialog1->setNameFilters(
        {QStringLiteral("Go-Dateien (*.go)"), SgfFilter, QStringLiteral("Alle Dateien (*)")});
    OpenDialog1->setDefaultSuffix(QStringLiteral("go"));
    OpenDialog1->setFileMode(QFileDialog::ExistingFile);
    OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
    SaveDialog1 = new QFileDialog(this, QStringLiteral("Partie speichern"));
    SaveDialog1->setNameFilters({GoFilter, SgfFilter, QStringLiteral("Alle Dateien (*)")});
    SaveDialog1->setDefaultSuffix(QStringLiteral("go"));
    SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog1->setOption(QFileDialog::DontConfirmOverwrite); // we ask ourselves
    // A name typed without extension gets the one of the chosen file type.
    connect(SaveDialog1, &QFileDialog::filterSelected, this, [this](const QString& filter) {
        SaveDialog1->setDefaultSuffix(filter == SgfFilter ? QStringLiteral("sgf") : QStringLiteral("go"));
    });

    connect(Datei, &TPartieDatei::NameGesetzt, this, &TMainForm::DateinameZeigen);
    connect(Datei, &TPartieDatei::SpielGeladen, this, &TMainForm::SpielAnzeigen);

    // The message pane becomes the channel's log.
    RegistriereLogMemo([this](const std::string& zeile) {
        QString t = AusStd(zeile);
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        while (t.endsWith(QLatin1Char('\n')))
            t.chop(1);
        MsgText->appendPlainText(t);
        ZeigeLetzteZeile(MsgText);
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
    SetFileName(TPartieDatei::Unbenannt);
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
    ActionZugnummern = Aktion(QStringLiteral("&Zugnummern"),
                              QStringLiteral("Zugnummern|Die Nummern der Züge auf den Steinen anzeigen"));
    ActionZugnummern->setCheckable(true);
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
    connect(ActionZugnummern, &QAction::triggered, this, &TMainForm::ZugnummernClick);
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
    MenuAnsicht->addActions({ActionEngineInfo, ActionZugnummern});

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
    Flaeche = new TBrettFlaeche(Splitter1);
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
    PartieView = new TPartieView(Flaeche);
    ScrollBar1 = new QScrollBar(Qt::Vertical, Flaeche);
    ImageBrett = new TBrettAnsicht(Flaeche);
    EditZug = new TEditZug(Flaeche);
    EditZug->raise();

    // Strips and the move field take the notation's colour.
    QPalette pal = PanelKopf->palette();
    pal.setColor(QPalette::Window, Cremefarben.darker(106));
    PanelKopf->setPalette(pal);

    const auto kontext = [this](QWidget* w) {
        connect(w, &QWidget::customContextMenuRequested, this,
                [this, w](const QPoint& p) { KontextMenu->exec(w->mapToGlobal(p)); });
    };
    kontext(ImageBrett);
    kontext(PartieView);
    kontext(EditZug);
    connect(Flaeche, &TBrettFlaeche::GroesseGeaendert, this, &TMainForm::BrettSkalieren);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, [this] { NotationNeu(); });
    connect(ImageBrett, &TBrettAnsicht::FeldGeklickt, this, &TMainForm::FeldGewaehlt);
    connect(PartieView, &TPartieView::Gerollt, this, [this](int schritte) {
        ScrollBar1->setValue(ScrollBar1->value() - schritte * ScrollBar1->singleStep());
    });
    connect(PartieView, &TPartieView::Angeklickt, this, [this] {
        if (EditZug->isVisible() && EditZug->isEnabled()) EditZug->setFocus();
    });
    connect(EditZug, &TEditZug::TasteGedrueckt, this, &TMainForm::EditZugTaste);
    connect(EditZug, &TEditZug::TasteLosgelassen, this, &TMainForm::EditZugKeyUp);
    connect(EditZug, &TEditZug::CaretGesetzt, this, &TMainForm::EditZugClick);
}

void TMainForm::Installieren() {
    std::vector<std::string> hilfe = HilfeTextZeilen();
    if (!DateiSicherstellen(Hilfedatei(), hilfe, false)) InstallationGelungen = false;

    Datei->LetzteLesen();
    ActionZugnummern->setChecked(KonfigLesen(AbschnittAnsicht, SchluesselZugnummern, "0") == "1");

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

// ---------------------------------------------------------------- layout and drawing

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
    groesse = std::max(groesse, static_cast<int>(TBrettAnsicht::MinBrett));
    ImageBrett->setGeometry(left, top, groesse, groesse);
    EditZug->raise();

    const int lh = NotationZeilenhoehe();
    const int vh = PartieView->height();
    ScrollBar1->setPageStep(std::max(vh - lh, lh));
    ScrollBar1->setSingleStep(lh);
    EditZug->resize(QFontMetrics(NotationFont()).horizontalAdvance(QStringLiteral("www")) + 6, lh);
    EingabeSichtbarMachen();
    NotationNeu();
}

void TMainForm::BrettZeichnen() {
    ImageBrett->Zeichnen(BrettLage(Regeln, ActionZugnummern->isChecked()));
    StatusAktualisieren();
}

void TMainForm::NotationNeu() {
    const int zn = Regeln.Zugnummer;
    std::vector<TZug> gespielt;
    gespielt.reserve(static_cast<std::size_t>(zn));
    for (int i = 1; i < zn; ++i)
        gespielt.push_back(Regeln.Zugfolge[i]);
    // While the user types, the continuation is neither drawn nor offered.
    std::vector<TZug> weiter;
    if (Eingabe.Leerlauf()) weiter = Fortsetzung(Baum, (zn & 1) ? 51 : 50);
    const QFontMetrics fm(NotationFont());
    TNotationSatz satz =
        NotationAnordnen(gespielt, weiter, NotationZeilenhoehe(),
                         [&fm](const std::string& t) { return fm.horizontalAdvance(AusStd(t)); });

    // The field stands where the next move will be written.
    const int y = satz.FeldY - ScrollBar1->value();
    EditZug->move(PartieView->x() + satz.FeldX - 2, PartieView->y() + y);
    const bool sichtbar = !(y < -KopfHoehe || y > PartieView->height());
    EditZug->setVisible(sichtbar);
    EditZug->setEnabled(!Regeln.BeidePassen());
    if (sichtbar && EditZug->isEnabled() && !EditZug->hasFocus()) EditZug->setFocus();

    Eingabe.Vorschlagen(weiter.empty() ? nullptr : &weiter.front());
    if (Eingabe.Leerlauf()) EditZugChange();
    PartieView->Zeige(std::move(satz), ScrollBar1->value());
}

void TMainForm::EditZugChange() {
    const QSignalBlocker sperre(EditZug);
    EditZug->setText(AusStd(Eingabe.Text()));
    if (Eingabe.Leerlauf())
        EditZug->selectAll(); // typing replaces the suggestion
    else
        EditZug->setCursorPosition(Eingabe.Caret());
}

void TMainForm::EingabeSichtbarMachen() {
    const int lh = NotationZeilenhoehe();
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
    const int lh = NotationZeilenhoehe();
    {
        const QSignalBlocker sperre(ScrollBar1);
        ScrollBar1->setMaximum(std::max(0, ((Regeln.Zugnummer - 1) / 2) * lh));
        EingabeSichtbarMachen();
    }
    Eingabe.Ruhe();
    NotationNeu();
    const bool aus = Regeln.BeidePassen();
    ActionZugBerechnen->setEnabled(!aus);
    ActionZugBerechnenMitMenu->setEnabled(!aus);
    EditZugChange();
    StatusAktualisieren();
}

void TMainForm::SpielAnzeigen() {
    NachZugAktualisieren();
    BrettZeichnen();
}

void TMainForm::StatusAktualisieren() {
    if (StatusText) StatusText->setText(AusStd(SpielZustandText(Regeln)));
}

// ---------------------------------------------------------------- input

void TMainForm::EingabeUmsetzen(const TEingabeAntwort& a) {
    if (a.Wiederholung) {
        ZieheMitUhr(a.Zug); // refused: the side to move becomes the user's colour
        SpielAnzeigen();
    }
    NotationNeu(); // the field shows the input before a message box opens
    for (const std::string& m : a.Meldungen)
        Meldung(m, true);
    if (a.Ziehen) EingabeAusfuehren(a.Zug);
    EditZugChange();
}

void TMainForm::EingabeAusfuehren(const TZug& z) {
    const bool computer = SpielerZieht(z);
    Datei->Geaendert = true;
    SpielAnzeigen();
    if (computer) ZugBerechnen();
}

void TMainForm::Passen() { EingabeUmsetzen(Eingabe.Passen(Regeln)); }

void TMainForm::FeldGewaehlt(int feld) { EingabeUmsetzen(Eingabe.FeldGewaehlt(feld, Regeln)); }

void TMainForm::EditZugKeyPress(QChar c) { EingabeUmsetzen(Eingabe.Zeichen(c.unicode(), Regeln)); }

bool TMainForm::EditZugKeyDown(int key) {
    TEingabeTaste t;
    switch (key) {
    case Qt::Key_Home:
        t = TEingabeTaste::Pos1;
        break;
    case Qt::Key_End:
        t = TEingabeTaste::Ende;
        break;
    case Qt::Key_Right:
        t = TEingabeTaste::Rechts;
        break;
    case Qt::Key_Left:
        t = TEingabeTaste::Links;
        break;
    default:
        return false;
    }
    if (!Eingabe.Taste(t)) return false;
    NotationNeu();
    EditZugChange();
    return true;
}

void TMainForm::EditZugKeyUp(int key) {
    if (key == Qt::Key_End && Eingabe.Leerlauf()) EditZugChange();
}

void TMainForm::EditZugClick(int caret) {
    if (!Eingabe.Klick(caret)) return;
    NotationNeu();
    EditZugChange();
}

void TMainForm::EditZugTaste(int key, Qt::KeyboardModifiers mod, const QString& text) {
    if (MitBefehlstaste(mod)) {
        FormKeyDown(key, mod);
        return;
    }
    if (mod == Qt::NoModifier && EditZugKeyDown(key)) return;
    QChar c;
    if (key == Qt::Key_Backspace)
        c = QChar('\b');
    else if (key == Qt::Key_Escape)
        c = QChar(27);
    else if (!text.isEmpty() && text[0].isPrint())
        c = text[0];
    if (!c.isNull()) {
        EditZugKeyPress(c);
        return;
    }
    FormKeyDown(key, mod);
}

void TMainForm::FormKeyDown(int key, Qt::KeyboardModifiers mod) {
    if (mod & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) return;
    switch (key) {
    case Qt::Key_Up:
        ZweiZuegeZurueck();
        SpielAnzeigen();
        break;
    case Qt::Key_Down:
        ZweiZuegeVor();
        SpielAnzeigen();
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
        Eingabe.Entfernen();
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
    FarbeAbgeben();
    ZugBerechnen();
}

void TMainForm::ZugBerechnen() {
    TEngine* e = EngineAmZug();
    if (const std::string hindernis = BerechnenHindernis(e); !hindernis.empty()) {
        Meldung(hindernis, true);
        return;
    }
    DlgZiehen->Starte(e, [this](TDlgZiehen* d) { EndBerechne(d); });
}

void TMainForm::EndBerechne(TDlgZiehen* dlg) {
    const bool abgebrochen = dlg->Ergebnis != TDlgZiehen::ErgebnisOK || !dlg->Engine;
    std::string meldung;
    const bool gespielt =
        ComputerzugUebernehmen(abgebrochen, abgebrochen ? KeinZug : dlg->Engine->ErgebnisZug, meldung);
    if (!meldung.empty()) Meldung(meldung, true);
    if (gespielt) Datei->Geaendert = true;
    SpielAnzeigen();
}

// ---------------------------------------------------------------- navigation

void TMainForm::Zurueck1Click() {
    EinenZugZurueck();
    SpielAnzeigen();
}

void TMainForm::Vor1Click() {
    if (EinenZugVor()) SpielAnzeigen();
}

void TMainForm::ErsterZug1Click() {
    ErsterZug();
    SpielAnzeigen();
}

void TMainForm::LetzterZug1Click() {
    LetzterZug();
    SpielAnzeigen();
}

void TMainForm::NaechsteVariante1Click() {
    NaechsteVariante();
    SpielAnzeigen();
}

void TMainForm::VorherigeVariante1Click() {
    VorherigeVariante();
    SpielAnzeigen();
}

// ---------------------------------------------------------------- files

QMessageBox::StandardButton TMainForm::Frage(const QString& text) {
    return QMessageBox::question(this, QStringLiteral("Kiboru"), text,
                                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
}

void TMainForm::DialogVorbereiten(QFileDialog* d) {
    const QString& name = Datei->Dateiname;
    if (name == TPartieDatei::Unbenannt) return;
    const QFileInfo fi(name);
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
    const bool sgf = Datei->Art == TDateiArt::Sgf; // offered in the format it came in
    SaveDialog1->selectNameFilter(sgf ? SgfFilter : GoFilter);
    SaveDialog1->setDefaultSuffix(sgf ? QStringLiteral("sgf") : QStringLiteral("go"));
    if (SaveDialog1->exec() != QDialog::Accepted) return {};
    return SaveDialog1->selectedFiles().value(0);
}

void TMainForm::FileNew1Execute() {
    if (!Datei->Neu()) return;
    NeuesSpiel();
    SpielAnzeigen();
}

// Both dialogs start at a named file; the window is named after it.
void TMainForm::DateinameZeigen(const QString& name, bool vorhanden) {
    const QFileInfo fi(name);
    for (QFileDialog* d : {OpenDialog1, SaveDialog1}) {
        if (vorhanden) d->setDirectory(fi.absolutePath());
        d->selectFile(vorhanden ? fi.fileName() : QString());
    }
    setWindowTitle(fi.fileName() + QStringLiteral(" - Kiboru"));
    LetzteDateienAktualisieren();
}

void TMainForm::LetzteDateienAktualisieren() {
    for (int i = 1; i <= 4; ++i) {
        const QString& pfad = Datei->Letzte[static_cast<std::size_t>(i - 1)];
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

void TMainForm::closeEvent(QCloseEvent* e) {
    if (SucheAnhalten()) {
        // Closing while the computer thinks: the search ends first.
        e->ignore();
        return;
    }
    if (!Datei->SchliessenAbfragen()) {
        e->ignore();
        return;
    }
    Datei->KonfigSpeichern();
    e->accept();
}

void TMainForm::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (Aktiviert) return;
    Aktiviert = true;
    // The menus stay reachable through the menu button.
    menuBar()->hide();
    // A bare X server gives no window the keyboard: without this, typed moves reach nothing.
    activateWindow();
    LogAusgebenAnstehend();
    SpielAnzeigen();
    Protokoll("Alles klar!");
    // Laid out only now: the pane shows its newest line once the window has its size.
    QTimer::singleShot(0, this, [this] { ZeigeLetzteZeile(MsgText); });
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
    if (e->type() == QEvent::ToolTip && !WerkzeugHinweise) {
        if (auto* w = qobject_cast<QWidget*>(o); w && w->parentWidget() == ToolBar1) return true;
    }
    if (o == ToolBar1 && e->type() == QEvent::MouseButtonDblClick) {
        ActionAnpassen->trigger();
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

// Kept at once in a section of its own, which older versions of the program pass over.
void TMainForm::ZugnummernClick(bool an) {
    KonfigSchreiben(AbschnittAnsicht, SchluesselZugnummern, an ? "1" : "0");
    BrettZeichnen();
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
    if (!Datei->SpeichernAbfragen(QStringLiteral(
            "Soll die aktuelle Partie gespeichert werden, bevor eine neue Stellung eingegeben wird?")))
        return;
    if (StellungDlg->Ausfuehren(Regeln.Brett, Regeln.AmZug) == 1) {
        SetFileName(TPartieDatei::Unbenannt);
        Datei->Geaendert = true;
        NachZugAktualisieren();
    }
    BrettZeichnen();
}
