#pragma once
// The main window: board, notation with the move field, message pane, status line, every
// command, and the play flow between the user and the computer.
#include "rules/Basis.h"

#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPixmap>
#include <QWidget>
#include <array>
#include <memory>

class QAction;
class QFileDialog;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPrinter;
class QScrollBar;
class QSplitter;
class QToolBar;
class QToolButton;
class QWidgetAction;
class TMainForm;
class TDlgZiehen;
class TEngWahlDlg;
class TFormLV;
class TStellungDlg;
class TAboutBox;
class TDlgAnpassen;
class TFormPGN;
class TFormEloTurnier;
class TFormInfo;

// One board point: shows the stone bitmap of the code it remembers.
class TFeldBild : public QWidget {
public:
    TFeldBild(TMainForm* form, QWidget* parent, int spalte, int reihe);
    static constexpr int KeinCode = 127;
    int Code = KeinCode; // stone code shown, KeinCode before the first drawing
    int Spalte, Reihe;   // 0..6 for "a".."g", 1..7
    const QPixmap* Bild = nullptr;

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    TMainForm* Form;
};

// The wooden board, stretched to its size.
class TBrettBild : public QWidget {
public:
    TBrettBild(const QPixmap& bild, QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const QPixmap& Bild;
};

// The notation paint box.
class TPartieView : public QWidget {
public:
    TPartieView(TMainForm* form, QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;
    void wheelEvent(QWheelEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    TMainForm* Form;
};

// The move field: every key goes to the window's input logic, which rewrites the text.
class TEditZug : public QLineEdit {
public:
    TEditZug(TMainForm* form, QWidget* parent);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    TMainForm* Form;
};

// Holds notation, board and cells; lays them out on every resize.
class TBrettFlaeche : public QWidget {
public:
    TBrettFlaeche(TMainForm* form, QWidget* parent);

protected:
    void resizeEvent(QResizeEvent*) override;
    void paintEvent(QPaintEvent*) override;

private:
    TMainForm* Form;
};

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    static const QString Unbenannt;

    // --- start-up (after construction) ---
    // Shows the game named on the command line, else the last file or the autosave.
    // false when the file named on the command line could not be read (the program ends).
    bool SpielZeigen(const QString& argumentDatei);
    // false when an installation file could not be written (the program ends).
    bool InstallationOk() const { return InstallationGelungen; }

    // --- board and input ---
    void FeldGewaehlt(int feld);
    void FeldClick(int spalte, int reihe);
    void EditZugKeyPress(QChar c);
    bool EditZugKeyDown(int key); // true when the field handled the key
    void EditZugKeyUp(int key);
    void EditZugClick(int caret);
    void FormKeyDown(int key, Qt::KeyboardModifiers mod);
    bool FormKeyPress(QChar c);
    void EingabeAusfuehren();
    void EditZugChange();
    void Passen();

    void BrettZeichnen();
    void BrettSkalieren();
    void NotationNeu(); // field placement, continuation, repaint of the notation
    void NotationZeichnen(QPainter* p);
    void NachZugAktualisieren();
    void EingabeSichtbarMachen();
    void StatusAktualisieren();
    int Zeilenhoehe() const;
    // Geometry of a cell (column 0..6, row 1..7) in the coordinates of the board area.
    static QRect ZellRechteck(int spalte, int reihe, const QRect& brett);

    // --- play flow ---
    void ZugBerechnenClick();
    void ZugBerechnen();
    void EndBerechne(TDlgZiehen* dlg);

    // --- navigation ---
    void Zurueck1Click();
    void Vor1Click();
    void ErsterZug1Click();
    void LetzterZug1Click();
    void NaechsteVariante1Click();
    void VorherigeVariante1Click();

    // --- files ---
    void FileNew1Execute();
    void FileOpen1Execute();
    void FileSave1Execute();
    void FileSaveAs1Execute();
    bool DateiOeffnen(const QString& pfad); // reads .go or .pgn; false on failure
    void DateiLaden(int index);
    void SetFileName(const QString& name);
    QString GetFileName() const { return Dateiname; }
    bool SpeichernAbfragen(const QString& frage = {});
    void Stellungseingabe1Click();
    void LetzteDateienAktualisieren();
    bool SchliessenAbfragen(); // the close query
    // The customise dialog's choices: tool-bar groups, hints, captions, menu bar.
    void AnpassenUebernehmen(bool datei, bool zug, bool hilfe, bool hinweise, bool titel, bool menue);
    void KonfigSpeichern(); // on close
    static QString AutosaveDatei();
    static bool IstPgn(const QString& pfad);

    // Questions and file dialogs; tests replace them.
    virtual QMessageBox::StandardButton Frage(const QString& text);
    virtual QString OeffnenDialogAusfuehren();
    virtual QString SpeichernDialogAusfuehren();

    // --- state ---
    int EingabePos = -1;
    int EingabeLaenge = 0;
    TZug EingabeZug{};
    QString Vorschlagstext;
    bool Geaendert = false;
    QString Dateiname;
    std::array<QString, 20> Letzte;
    int NeuGezeichnet = 0; // cells repainted by the last board drawing

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
    QLabel* PanelKopf = nullptr;
    TPartieView* PartieView = nullptr;
    QScrollBar* ScrollBar1 = nullptr;
    TEditZug* EditZug = nullptr;
    TBrettBild* ImageBrett = nullptr;
    TArray<TArray<TFeldBild*, 1, 7>, 0, 6> Feldbilder{};
    QPlainTextEdit* MsgText = nullptr;
    QLabel* StatusText = nullptr;
    QMenu* KontextMenu = nullptr;
    QMenu *MenuDatei = nullptr, *MenuPartie = nullptr, *MenuZug = nullptr, *MenuModus = nullptr,
          *MenuAnsicht = nullptr, *MenuExtra = nullptr, *MenuHilfe = nullptr;
    QFileDialog* OpenDialog1 = nullptr;
    QFileDialog* SaveDialog1 = nullptr;

    QAction *FileNew1, *FileOpen1, *FileSave1, *FileSaveAs1, *FileExit1;
    TArray<QAction*, 1, 4> ActionDatei{};
    QAction *ActionPassen, *ActionZugBerechnen, *ActionZugBerechnenMitMenu, *ActionErsterZug,
        *ActionZugZurueck, *ActionZugVor, *ActionLetzterZug, *ActionStellungseingabe, *ActionEinstellungen,
        *ActionAnpassen, *ActionEngineInfo, *ActionElo, *HelpHelp1, *HelpAbout1, *ActionDruckerEinrichten,
        *ActionAutospiel, *EditCut1, *EditCopy1, *EditPaste1, *EngineWaehlen1, *NaechsteVariante1,
        *VorherigeVariante1;

    TDlgZiehen* DlgZiehen = nullptr;
    TFormLV* FormLV = nullptr;
    TEngWahlDlg* EngWahlDlg = nullptr;
    TStellungDlg* StellungDlg = nullptr;
    TAboutBox* AboutBox = nullptr;
    TDlgAnpassen* DlgAnpassen = nullptr;
    TFormPGN* FormPGN = nullptr;
    TFormEloTurnier* FormEloTurnier = nullptr;
    TFormInfo* FormInfo = nullptr;

    TArray<QPixmap, -2, 1> Steinbilder{};
    QPixmap BrettBild;

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
    void DialogVorbereiten(QFileDialog* d);
    bool SpielLesen(const QString& pfad, bool meldungen);
    QAction* Aktion(const QString& text, const QString& hinweis, const QKeySequence& taste = {});

    void EinstellungenClick();
    void EngineWaehlenClick();
    void AnpassenClick();
    void EngineInfoClick();
    void EloClick();
    void HilfeClick();
    void AboutClick();
    void DruckerEinrichtenClick();
    void AutospielClick();
    void Zwischenablage(int was);
    int PgnLesen(const QString& pfad);

    bool Aktiviert = false;
    bool InstallationGelungen = true;
    QString LetzterOrdner;
    std::unique_ptr<QPrinter> Drucker;
};
