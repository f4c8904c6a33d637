#pragma once
// The user's GTP engines (menu "Extra"): the list, a new entry checked while it is typed, a
// trial run of a command line that leaves the window free and can be cancelled, and removing an
// entry. The list itself is GtpEngineListe's; the dialog only shows and forwards.
#include "gtp/GtpListe.h"

#include <QDialog>
#include <atomic>
#include <chrono>
#include <cstdint>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QThread;

class TDlgGtpEngines : public QDialog {
    Q_OBJECT
public:
    explicit TDlgGtpEngines(QWidget* parent);
    ~TDlgGtpEngines() override;

    // Fills the list and shows the dialog modally.
    void Ausfuehren();
    void Fuellen();
    bool TestLaeuft() const { return Faden != nullptr; }

    QListWidget* Liste = nullptr;
    QLineEdit* EditName = nullptr;
    QLineEdit* EditBefehl = nullptr;
    QLabel* Pruefung = nullptr; // why the entry cannot be added, as it is typed
    QLabel* Ergebnis = nullptr; // the trial run's answers or its German error
    QPushButton *KnopfHinzufuegen = nullptr, *KnopfTesten = nullptr, *KnopfTestAbbrechen = nullptr,
                *KnopfEntfernen = nullptr, *KnopfSchliessen = nullptr;
    std::chrono::milliseconds Frist{std::chrono::seconds(20)}; // per command of the trial run

protected:
    void reject() override;

private:
    void Pruefen();
    void Hinzufuegen();
    void Entfernen();
    void Testen();
    void TestEnde();

    std::vector<TGtpEintrag> Eintraege;
    QThread* Faden = nullptr; // the trial run, while it runs
    std::atomic<std::uint8_t> Stopp{0};
    TGtpProbe Probe; // written by the trial run's thread, read when it has finished
};
