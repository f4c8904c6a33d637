#pragma once
// The dialog that runs one search of the engine of the side to move and lets the user cancel it.
#include <QDialog>
#include <functional>

class QPushButton;
class TEngine;

class TDlgZiehen : public QDialog {
    Q_OBJECT
public:
    static constexpr int ErgebnisOK = 1;
    static constexpr int ErgebnisAbbruch = 2;

    explicit TDlgZiehen(QWidget* parent = nullptr);

    // Starts the search of e and shows the dialog modally; abschluss runs with this dialog on the
    // main thread once the search has ended. Returns when the dialog has closed.
    void Starte(TEngine* e, std::function<void(TDlgZiehen*)> abschluss);
    void CancelButtonClick();
    // End notification of the search thread (main thread).
    void EndeSuche();

    TEngine* Engine = nullptr;
    int Ergebnis = 0; // 0 none yet, 1 OK, 2 cancelled
    QPushButton* CancelButton = nullptr;

protected:
    void reject() override;
    void closeEvent(QCloseEvent* e) override;

private:
    std::function<void(TDlgZiehen*)> Abschluss;
    bool Wartet = false; // a search of ours is running and its end has not arrived yet
};
