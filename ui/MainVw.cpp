#include "ui/MainVw.h"

#include "engine/Engines.h"
#include "engine/SWertDflt.h"
#include "record/SpielAblauf.h"
#include "record/TPAcht.h"
#include "rules/ZugGen.h"
#include "support/HilfsFkt.h"
#include "support/StringsV5.h"
#include "ui/AnalyseAnsicht.h"
#include "ui/BrettAnsicht.h"
#include "ui/BrettLage.h"
#include "ui/DlgEngWahl.h"
#include "ui/DlgLV.h"
#include "ui/DlgStellung.h"
#include "ui/DlgZiehe.h"
#include "ui/FokusRueckgabe.h"
#include "ui/Hilfetext.h"
#include "ui/NotationAnsicht.h"
#include "ui/Tipp.h"
#include "ui/Wiederherstellung.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
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
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <sstream>

namespace {
constexpr int BrettDesign = TBrettAnsicht::BrettDesign;
constexpr int RahmenBreite = 2;

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
    Rettung = new TWiederherstellung(this, [this] { return Datei->Dateiname; });
    setWindowTitle(TPartieDatei::Unbenannt + QStringLiteral("[*] - Kiboru"));

    AktionenErzeugen();
    MenusErzeugen();
    FlaecheErzeugen();
    WerkzeugleisteErzeugen();

    StatusText = new QLabel(this);
    statusBar()->addWidget(StatusText, 1);
    statusBar()->setSizeGripEnabled(true);

    // The window is named after its file.
    connect(Datei, &TPartieDatei::NameGesetzt, this, [this](const QString& name) {
        setWindowTitle(QFileInfo(name).fileName() + QStringLiteral("[*] - Kiboru"));
        LetzteDateienAktualisieren();
    });
    connect(Datei, &TPartieDatei::SpielGeladen, this, &TMainForm::SpielAnzeigen);
    connect(Datei, &TPartieDatei::Gespeichert, this, [this] {
        setWindowModified(false);
        Rettung->Entfernen();
    });

    // The message pane becomes the channel's log.
    RegistriereLogMemo([this](const std::string& zeile) {
        QString t = AusStd(zeile);
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        while (t.endsWith(QLatin1Char('\n')))
            t.chop(1);
        MsgText->appendPlainText(t);
        ZeigeLetzteZeile(MsgText);
    });

    new TFokusRueckgabe(this, EditZug);
    Installieren();

    SetzeRegelnFuerSuche(&Regeln);
    setMinimumSize(370, 256);
    Splitter1->setSizes({BrettDesign, 90});
    // Wide enough for the whole tool bar; tool bar, message pane and status line around the board.
    resize(std::max(TNotation::Breite + TNotation::ScrollBreite + 1 + BrettDesign + RahmenBreite,
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

    Notation = new TNotation(Eingabe, Flaeche);
    PartieView = Notation->PartieView;
    ScrollBar1 = Notation->ScrollBar1;
    EditZug = Notation->EditZug;
    ImageBrett = new TBrettAnsicht(Flaeche);

    const auto kontext = [this](QWidget* w) {
        connect(w, &QWidget::customContextMenuRequested, this,
                [this, w](const QPoint& p) { KontextMenu->exec(w->mapToGlobal(p)); });
    };
    kontext(ImageBrett);
    kontext(PartieView);
    kontext(EditZug);
    connect(Flaeche, &TBrettFlaeche::GroesseGeaendert, this, &TMainForm::BrettSkalieren);
    connect(ImageBrett, &TBrettAnsicht::FeldGeklickt, this, &TMainForm::FeldGewaehlt);
    connect(EditZug, &TEditZug::Zeichen, this, &TMainForm::EditZugKeyPress);
    connect(EditZug, &TEditZug::Taste, this, [this](TEingabeTaste t, int key) {
        if (!EditZugKeyDown(t)) FormKeyDown(key, Qt::NoModifier);
    });
    connect(EditZug, &TEditZug::FensterTaste, this, &TMainForm::FormKeyDown);
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
    if (!dokumente.isEmpty()) Datei->DialogOrdner(dokumente);

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
    if (!Flaeche || !Notation) return;
    const int hoehe = Flaeche->height();
    Notation->Anordnen(hoehe);
    const int links = Notation->x() + Notation->width() + 1;
    const int W = Flaeche->width() - links - RahmenBreite;
    const int H = hoehe;
    int groesse, left = links, top;
    if (H < W) {
        groesse = H;
        left += (W - H) / 2;
        top = Notation->y(); // the top of the notation's header strip
    } else {
        groesse = W;
        top = (H - W) / 2;
    }
    groesse = std::max(groesse, static_cast<int>(TBrettAnsicht::MinBrett));
    ImageBrett->setGeometry(left, top, groesse, groesse);
}

void TMainForm::BrettZeichnen() {
    ImageBrett->Zeichnen(BrettLage(Regeln, ActionZugnummern->isChecked(), Tipp ? Tipp->Feld() : -2));
    StatusAktualisieren();
}

void TMainForm::NachZugAktualisieren() {
    Eingabe.Ruhe();
    Notation->SpielGeaendert();
    const bool aus = Regeln.BeidePassen();
    ActionZugBerechnen->setEnabled(!aus);
    ActionZugBerechnenMitMenu->setEnabled(!aus);
    ActionTipp->setEnabled(!aus);
    if (Tipp) Tipp->SpielGeaendert();
    if (Analyse) Analyse->SpielGeaendert();
    StatusAktualisieren();
    setWindowModified(Datei->Geaendert);
    Rettung->Vormerken();
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
    Notation->Neu(); // the field shows the input before a message box opens
    for (const std::string& m : a.Meldungen)
        Meldung(m, true);
    if (a.Ziehen) EingabeAusfuehren(a.Zug);
    Notation->EditZugChange();
}

void TMainForm::EingabeAusfuehren(const TZug& z) {
    const bool computer = SpielerZieht(z);
    Datei->SpielVeraendert();
    SpielAnzeigen();
    if (computer) ZugBerechnen();
}

void TMainForm::Passen() { EingabeUmsetzen(Eingabe.Passen(Regeln)); }

void TMainForm::FeldGewaehlt(int feld) { EingabeUmsetzen(Eingabe.FeldGewaehlt(feld, Regeln)); }

void TMainForm::EditZugKeyPress(QChar c) { EingabeUmsetzen(Eingabe.Zeichen(c.unicode(), Regeln)); }

bool TMainForm::EditZugKeyDown(TEingabeTaste t) {
    if (!Eingabe.Taste(t)) return false;
    Notation->Neu();
    return true;
}

void TMainForm::EditZugClick(int caret) {
    if (Eingabe.Klick(caret)) Notation->Neu();
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
            Notation->Neu();
        else
            ActionZugZurueck->trigger();
        break;
    case Qt::Key_PageUp:
        Notation->Blaettern(-1);
        break;
    case Qt::Key_PageDown:
        Notation->Blaettern(1);
        break;
    case Qt::Key_Delete:
        Eingabe.Entfernen();
        Notation->Neu();
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
    Notation->EingabeSichtbarMachen();
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
    // A hint still being searched gives way to the computer's move (it stops at once).
    if (Tipp->Anhalten()) WarteAufSuche();
    DlgZiehen->Starte(e, [this](TDlgZiehen* d) { EndBerechne(d); });
    // Refused while another search runs (an analysis, a hint): the move stays with the user.
    if (DlgZiehen->Ergebnis == 0) {
        std::string keine;
        ComputerzugUebernehmen(true, KeinZug, keine);
    }
}

void TMainForm::EndBerechne(TDlgZiehen* dlg) {
    const bool abgebrochen = dlg->Ergebnis != TDlgZiehen::ErgebnisOK || !dlg->Engine;
    std::string meldung;
    const bool gespielt =
        ComputerzugUebernehmen(abgebrochen, abgebrochen ? KeinZug : dlg->Engine->ErgebnisZug, meldung);
    if (!meldung.empty()) Meldung(meldung, true);
    if (gespielt) Datei->SpielVeraendert();
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

void TMainForm::LetzteDateienAktualisieren() {
    for (int i = 1; i <= 4; ++i) {
        const TPartieDatei::TMenueEintrag e = Datei->LetzterEintrag(i - 1);
        ActionDatei[i]->setVisible(e.Sichtbar);
        ActionDatei[i]->setEnabled(e.Aktiv);
        ActionDatei[i]->setStatusTip(e.Hinweis);
        ActionDatei[i]->setText(e.Text);
    }
}

void TMainForm::closeEvent(QCloseEvent* e) {
    const bool nebenbei = Analyse->Anhalten() | Tipp->Anhalten();
    if (SucheAnhalten() || nebenbei) {
        // Closing while the computer thinks: the search ends first.
        e->ignore();
        return;
    }
    if (!Datei->SchliessenAbfragen()) {
        e->ignore();
        return;
    }
    Datei->KonfigSpeichern();
    Rettung->Beenden();
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

// ---------------------------------------------------------------- other commands

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
            QApplication::clipboard()->setText(QString::fromStdString(Eingabe.Text()));
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
        Datei->StellungAufgebaut();
        NachZugAktualisieren();
    }
    BrettZeichnen();
}
