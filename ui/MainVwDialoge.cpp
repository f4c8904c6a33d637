// The main window's use of the dialogs of other units.
#include "support/StringsV5.h"
#include "ui/DlgEngWahl.h"
#include "ui/DlgLV.h"
#include "ui/DlgStellung.h"
#include "ui/DlgZiehe.h"
#include "ui/MainVw.h"
#include "ui/PgnForm.h"

void TMainForm::DialogeErzeugen() {
    FormLV = new TFormLV(this);
    DlgZiehen = new TDlgZiehen(this);
    StellungDlg = new TStellungDlg(this);
    EngWahlDlg = new TEngWahlDlg(this);
    FormPGN = new TFormPGN(this);
}

void TMainForm::AnpassenClick() {
    Meldung("Das Anpassen der Werkzeugleiste ist in dieser Version nicht enthalten.", true);
}
void TMainForm::EngineInfoClick() { Meldung("Die Engine-Info ist in dieser Version nicht enthalten.", true); }
void TMainForm::EloClick() { Meldung("Die Turnier-Auswertung ist in dieser Version nicht enthalten.", true); }
void TMainForm::AboutClick() { Meldung("Kiboru – Go auf dem 7x7-Brett", true); }
int TMainForm::PgnLesen(const QString &pfad) { return FormPGN->ShowPgnFile(pfad); }
