#pragma once
// The main window: a shell of actions, menus, tool bar and status line that wires the parts
// together and names the handlers. Who owns what:
//   ZugEingabe     the move field's input state and its answers (no widgets)
//   NotationSatz   the notation's layout, its scrolling, the continuation of the line (no widgets)
//   NotationAnsicht  the notation part: paint box, scroll bar, the move field, which turns keys
//                  into input for the move entry and shows its text (signals only)
//   BrettLage      what the board shows: stones, last move, move numbers, counted points (no widgets)
//   BrettAnsicht   the board widget: picture, coordinates, cells, scaling; a signal for a clicked point
//   record/SpielAblauf  who moves, the computed move, the steps through the game, the user's
//                  colour (through the controller), the stop of the search (no widgets)
//   PartieDatei    file name, changed flag, recent list and its menu entries, the file dialogs,
//                  the save questions, the game at start
//   MainVwAktionen.cpp  the actions, menus and tool bar
//   MainVwDialoge.cpp  creation of the other units' dialogs and the commands that open them
//   AnalyseAnsicht  the game analysis beside the board: graph, costly moves, progress
//   Tipp           the hint: the engine's move for the side to move, marked on the board
//   DlgGtpEngines  the user's GTP engines: list, add, test, remove
#include "ui/PartieDatei.h"
#include "ui/ZugEingabe.h"

#include <QMainWindow>
#include <QMessageBox>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPrinter;
class QScrollBar;
class QSplitter;
class QToolBar;
class QToolButton;
class QWidgetAction;
class TBrettAnsicht;
class TEditZug;
class TNotation;
class TPartieView;
class TDlgZiehen;
class TEngWahlDlg;
class TFormLV;
class TStellungDlg;
class TAboutBox;
class TDlgAnpassen;
class TFormPGN;
class TFormEloTurnier;
class TFormInfo;
class TWiederherstellung;
class TAnalyseAnsicht;
class TTipp;
class TDlgGtpEngines;

// Holds notation, board and move field; reports its resizes so the window lays them out.
class TBrettFlaeche : public QWidget {
    Q_OBJECT
public:
    explicit TBrettFlaeche(QWidget* parent);

signals:
    void GroesseGeaendert();

protected:
    void resizeEvent(QResizeEvent*) override;
    void paintEvent(QPaintEvent*) override;
};

class TMainForm : public QMainWindow, public TDateiDialoge {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // --- start-up (after construction) ---
    // Shows the game named on the command line, else the last file or the autosave.
    bool SpielZeigen(const QString& argumentDatei) { return Datei->SpielZeigen(argumentDatei); }
    // false when an installation file could not be written (the program ends).
    bool InstallationOk() const { return InstallationGelungen; }

    // --- board and input ---
    void FeldGewaehlt(int feld);
    void EditZugKeyPress(QChar c);
    bool EditZugKeyDown(TEingabeTaste t); // true when the field took the key
    void EditZugClick(int caret);
    void FormKeyDown(int key, Qt::KeyboardModifiers mod);
    bool FormKeyPress(QChar c);
    void EingabeAusfuehren(const TZug& z); // a complete, legal input goes into the game
    void Passen();

    void BrettZeichnen();
    void BrettSkalieren();
    void NachZugAktualisieren();
    void StatusAktualisieren();

    // --- play flow ---
    void ZugBerechnenClick();
    void ZugBerechnen();
    void EndBerechne(TDlgZiehen* dlg);
    void TippClick();

    // --- analysis ---
    void AnalyseClick();
    // To the position of the line after n moves, step by step as back and forward go.
    void StellungAnsteuern(std::size_t n);

    // --- navigation ---
    void Zurueck1Click();
    void Vor1Click();
    void ErsterZug1Click();
    void LetzterZug1Click();
    void NaechsteVariante1Click();
    void VorherigeVariante1Click();

    // --- files ---
    void FileNew1Execute() { Datei->Neu(); }
    void FileOpen1Execute() { Datei->Oeffnen(); }
    void FileSave1Execute() { Datei->Speichern(); }
    void FileSaveAs1Execute() { Datei->SpeichernUnter(); }
    void DateiLaden(int index) { Datei->DateiLaden(index); }
    void SetFileName(const QString& name) { Datei->SetFileName(name); }
    QString GetFileName() const { return Datei->Dateiname; }
    void Stellungseingabe1Click();
    void LetzteDateienAktualisieren();
    // The customise dialog's choices: tool-bar groups, hints, captions, menu bar.
    void AnpassenUebernehmen(bool datei, bool zug, bool hilfe, bool hinweise, bool titel, bool menue);

    // Questions and file dialogs; tests replace them.
    QMessageBox::StandardButton Frage(const QString& text) override;
    QString OeffnenDialogAusfuehren() override { return Datei->OeffnenDialogZeigen(); }
    QString SpeichernDialogAusfuehren() override { return Datei->SpeichernDialogZeigen(); }
    int PgnLesen(const QString& pfad) override;

    // --- parts ---
    TZugEingabe Eingabe;
    TPartieDatei* Datei = nullptr;
    TWiederherstellung* Rettung = nullptr; // the recovery copy of the game

    // --- components ---
    QToolBar* ToolBar1 = nullptr;
    QToolButton* ToolButtonMenu = nullptr;
    QWidgetAction* MenueKnopfAktion = nullptr;
    QMenu* SpeichernMenu = nullptr;
    QMenu* BerechnenMenu = nullptr;
    bool WerkzeugHinweise = true; // tool-bar hints shown
    QAction* ToolButtonSepDatei = nullptr;
    QAction* ToolButtonSepZug = nullptr;
    QAction* ToolButtonSepHilfe = nullptr;
    QList<QAction*> DateiKnoepfe, ZugKnoepfe, HilfeKnoepfe;
    QSplitter* Splitter1 = nullptr;
    TBrettFlaeche* Flaeche = nullptr;
    TNotation* Notation = nullptr;
    // The notation part's components, under the names the window has always given them.
    TPartieView* PartieView = nullptr;
    QScrollBar* ScrollBar1 = nullptr;
    TEditZug* EditZug = nullptr;
    TBrettAnsicht* ImageBrett = nullptr;
    QPlainTextEdit* MsgText = nullptr;
    QLabel* StatusText = nullptr;
    QMenu* KontextMenu = nullptr;
    QMenu *MenuDatei = nullptr, *MenuPartie = nullptr, *MenuZug = nullptr, *MenuModus = nullptr,
          *MenuAnsicht = nullptr, *MenuExtra = nullptr, *MenuHilfe = nullptr;

    QAction *FileNew1, *FileOpen1, *FileSave1, *FileSaveAs1, *FileExit1;
    TArray<QAction*, 1, 4> ActionDatei{};
    QAction *ActionPassen, *ActionZugBerechnen, *ActionZugBerechnenMitMenu, *ActionErsterZug,
        *ActionZugZurueck, *ActionZugVor, *ActionLetzterZug, *ActionStellungseingabe, *ActionEinstellungen,
        *ActionAnpassen, *ActionEngineInfo, *ActionElo, *HelpHelp1, *HelpAbout1, *ActionDruckerEinrichten,
        *ActionAutospiel, *EditCut1, *EditCopy1, *EditPaste1, *EngineWaehlen1, *NaechsteVariante1,
        *VorherigeVariante1, *ActionZugnummern, *ActionTipp, *ActionAnalyse, *ActionGtpEngines;

    TDlgZiehen* DlgZiehen = nullptr;
    TFormLV* FormLV = nullptr;
    TEngWahlDlg* EngWahlDlg = nullptr;
    TStellungDlg* StellungDlg = nullptr;
    TAboutBox* AboutBox = nullptr;
    TDlgAnpassen* DlgAnpassen = nullptr;
    TFormPGN* FormPGN = nullptr;
    TFormEloTurnier* FormEloTurnier = nullptr;
    TFormInfo* FormInfo = nullptr;
    TDlgGtpEngines* DlgGtpEngines = nullptr;
    TAnalyseAnsicht* Analyse = nullptr;
    TTipp* Tipp = nullptr;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool event(QEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void AktionenErzeugen();
    void MenusErzeugen();
    void WerkzeugleisteErzeugen();
    void WerkzeugleisteAufbauen();
    void FlaecheErzeugen();
    void DialogeErzeugen();
    void Installieren();
    void SpielAnzeigen(); // after every game change: notation, field, commands, board
    void EingabeUmsetzen(const TEingabeAntwort& a);
    QAction* Aktion(const QString& text, const QString& hinweis, const QKeySequence& taste = {});

    void EinstellungenClick();
    void EngineWaehlenClick();
    void GtpEnginesClick();
    void AnpassenClick();
    void EngineInfoClick();
    void EloClick();
    void HilfeClick();
    void AboutClick();
    void DruckerEinrichtenClick();
    void AutospielClick();
    void ZugnummernClick(bool an);
    void Zwischenablage(int was);

    bool Aktiviert = false;
    bool InstallationGelungen = true;
    std::unique_ptr<QPrinter> Drucker;
};
