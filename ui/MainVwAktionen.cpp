// The main window's command set: its actions with captions, hints and shortcuts, the menus, the
// tool bar with its groups, and what the customise dialog changes of them.
#include "ui/MainVw.h"

#include "record/TPAcht.h"
#include "ui/BrettAnsicht.h"

#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>
#include <QWidgetAction>

namespace {
QIcon MenueSymbol() {
    QPixmap b(24, 24);
    b.fill(Qt::transparent);
    QPainter p(&b);
    p.setPen(QPen(QColor(60, 60, 60), 2.5));
    for (int y : {6, 12, 18})
        p.drawLine(4, y, 20, y);
    return QIcon(b);
}
} // namespace

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
    ActionPassen->setIcon(PassenSymbol());
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
    ActionTipp = Aktion(QStringLiteral("&Tipp"),
                        QStringLiteral("Tipp|Den Zug der Engine für die Seite am Zug auf dem Brett zeigen"),
                        QKeySequence(Qt::CTRL | Qt::Key_T));
    ActionAnalyse =
        Aktion(QStringLiteral("Partie &analysieren..."),
               QStringLiteral(
                   "Partie analysieren|Jede Stellung der Partie bewerten und den Verlauf als Grafik zeigen"));
    ActionGtpEngines =
        Aktion(QStringLiteral("&GTP-Engines..."),
               QStringLiteral("GTP-Engines|Andere Go-Programme (GTP) eintragen, testen und entfernen"));
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
    connect(ActionTipp, &QAction::triggered, this, &TMainForm::TippClick);
    connect(ActionAnalyse, &QAction::triggered, this, &TMainForm::AnalyseClick);
    connect(ActionGtpEngines, &QAction::triggered, this, &TMainForm::GtpEnginesClick);
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
    MenuZug->addActions({ActionPassen, ActionZugBerechnen, ActionTipp});
    MenuZug->addSeparator();
    MenuZug->addActions({ActionErsterZug, ActionZugZurueck, ActionZugVor, ActionLetzterZug});
    connect(MenuZug, &QMenu::aboutToShow, this, [this] {
        ActionZugBerechnen->setEnabled(!Regeln.BeidePassen());
        ActionTipp->setEnabled(!Regeln.BeidePassen());
    });

    MenuModus = mb->addMenu(QStringLiteral("&Modus"));
    MenuModus->addAction(ActionAutospiel);
    MenuModus->menuAction()->setVisible(false);

    MenuAnsicht = mb->addMenu(QStringLiteral("&Ansicht"));
    MenuAnsicht->addActions({ActionEngineInfo, ActionZugnummern});

    MenuExtra = mb->addMenu(QStringLiteral("E&xtra"));
    MenuExtra->addActions({ActionEinstellungen, ActionAnpassen});
    MenuExtra->addSeparator();
    MenuExtra->addActions({ActionGtpEngines, ActionAnalyse});

    MenuHilfe = mb->addMenu(QStringLiteral("&Hilfe"));
    MenuHilfe->addActions({HelpHelp1, HelpAbout1});

    KontextMenu = new QMenu(this);
    KontextMenu->addActions({ActionPassen, ActionZugBerechnen, ActionTipp});
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
