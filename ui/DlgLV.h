#pragma once
// Playing level of each colour.
#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QGroupBox;

class TFormLV : public QDialog {
    Q_OBJECT
public:
    explicit TFormLV(QWidget* parent = nullptr);

    // Shows the levels of the two slots (on every showing).
    void Vorbereiten();
    void CheckGleicherLvClick();
    void RadioGroupSpieler1Click();
    // Ok: the levels go to the slots.
    void Uebernehmen();
    int Ausfuehren(); // 1 Ok, 2 cancelled

    // Selected index of a group, -1 without selection.
    static int Auswahl(const QButtonGroup* g);
    static void Waehle(QButtonGroup* g, int index);

    QGroupBox* RadioGroupSpieler1 = nullptr;
    QGroupBox* RadioGroupSpieler2 = nullptr;
    QButtonGroup* Gruppe1 = nullptr;
    QButtonGroup* Gruppe2 = nullptr;
    QCheckBox* CheckGleicherLv = nullptr;
};
