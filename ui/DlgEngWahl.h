#pragma once
// Assigns the registered engines to the two colours.
#include <QDialog>
#include <vector>

class QComboBox;
class QRadioButton;
class TEngine;

class TEngWahlDlg : public QDialog {
    Q_OBJECT
public:
    explicit TEngWahlDlg(QWidget* parent = nullptr);

    // Fills the lists from the registry and the slots (on every showing).
    void Fuellen();
    // OK: the chosen engines take over the slots' levels and then the slots.
    void Uebernehmen();
    // Shows the dialog modally; 1 OK (slots changed), 2 cancelled.
    int Ausfuehren();

    void ComboBoxWeissChange();
    void RadioButtonEineEngineClick();
    void RadioButtonSchwarzClick();

    QComboBox* ComboBoxWeiss = nullptr;
    QComboBox* ComboBoxSchwarz = nullptr;
    QRadioButton* RadioButtonEineEngine = nullptr;
    QRadioButton* RadioButtonSchwarz = nullptr;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void SchwarzAbgleichen();
    std::vector<TEngine*> Liste; // the engines in list order, as the lists show them
};
