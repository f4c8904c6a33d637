// The main window's use of the dialogs of other units: creation in start-up
// order and the commands that open them.
#include "ui/AnalyseAnsicht.h"
#include "ui/AnpassenDlg.h"
#include "ui/DlgAbout.h"
#include "ui/DlgEloTurnier.h"
#include "ui/DlgEngWahl.h"
#include "ui/DlgGtpEngines.h"
#include "ui/DlgLV.h"
#include "ui/DlgStellung.h"
#include "ui/DlgZiehe.h"
#include "ui/EngineInfoFrm.h"
#include "ui/MainVw.h"
#include "ui/PgnForm.h"
#include "ui/Tipp.h"

#include "record/SpielAblauf.h"

#include <QScreen>
#include <QToolBar>

void TMainForm::DialogeErzeugen() {
    FormLV = new TFormLV(this);
    DlgZiehen = new TDlgZiehen(this);
    AboutBox = new TAboutBox(this);
    StellungDlg = new TStellungDlg(this);
    EngWahlDlg = new TEngWahlDlg(this);
    DlgAnpassen = new TDlgAnpassen(this);
    FormPGN = new TFormPGN(this);
    FormEloTurnier = new TFormEloTurnier(this);
    // The text-viewer query opens from no command; it is left out so that
    // starting never waits for the desktop's answer.
    FormInfo = new TFormInfo(this);
    DlgGtpEngines = new TDlgGtpEngines(this);
    Tipp = new TTipp(this);
    connect(Tipp, &TTipp::Geaendert, this, &TMainForm::BrettZeichnen);
    // Beside the board; hidden until the first analysis.
    Analyse = new TAnalyseAnsicht(this);
    addDockWidget(Qt::RightDockWidgetArea, Analyse);
    Analyse->hide();
    connect(Analyse, &TAnalyseAnsicht::StellungGewaehlt, this, &TMainForm::StellungAnsteuern);
}

void TMainForm::GtpEnginesClick() {
    DlgGtpEngines->Ausfuehren();
    BrettZeichnen();
}

void TMainForm::TippClick() { Tipp->Anfordern(); }

void TMainForm::AnalyseClick() {
    if (!Analyse->isVisible() && !isMaximized() && !isFullScreen()) {
        // The window grows by the view, as far as the screen allows, so the board keeps its size.
        const int breite = Analyse->sizeHint().width();
        const QRect platz = screen() ? screen()->availableGeometry() : QRect();
        resize(platz.isValid() ? std::min(width() + breite, platz.width() - 8) : width() + breite, height());
    }
    Analyse->Starten();
}

void TMainForm::StellungAnsteuern(std::size_t n) {
    ZurStellung(n);
    SpielAnzeigen();
}

void TMainForm::AnpassenClick() {
    TDlgAnpassen* d = DlgAnpassen;
    d->SetHinweiseAnzeigen(WerkzeugHinweise);
    d->SetSymboltitelAnzeigen(ToolBar1->toolButtonStyle() != Qt::ToolButtonIconOnly);
    d->SetDatei(ToolButtonSepDatei->isVisible());
    d->SetZug(ToolButtonSepZug->isVisible());
    d->SetHilfe(ToolButtonSepHilfe->isVisible());
    d->SetMenueAnzeigen(false);
    if (d->exec() != QDialog::Accepted) return;
    AnpassenUebernehmen(d->Datei(), d->Zug(), d->Hilfe(), d->HinweiseAnzeigen(), d->SymboltitelAnzeigen(),
                        d->MenueAnzeigen());
}

void TMainForm::EngineInfoClick() {
    FormInfo->show();
    FormInfo->raise();
    FormInfo->activateWindow();
}

void TMainForm::EloClick() { FormEloTurnier->exec(); }

void TMainForm::AboutClick() { AboutBox->exec(); }

int TMainForm::PgnLesen(const QString& pfad) { return FormPGN->ShowPgnFile(pfad); }
