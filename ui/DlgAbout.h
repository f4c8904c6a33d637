#pragma once
// The program's information box: icon, name, version and the maker's web page and mail address.
#include <QDialog>
#include <QLabel>

#include <functional>

class QPushButton;
class QUrl;

// The program icon: a small board with a black and a white stone.
QPixmap ProgrammSymbol(int groesse);

// A label that reacts to a click like a link.
class TKlickLabel : public QLabel {
    Q_OBJECT
public:
    explicit TKlickLabel(const QString &text, QWidget *parent = nullptr);
signals:
    void Geklickt();

protected:
    void mouseReleaseEvent(QMouseEvent *e) override;
};

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);

    static inline const QString WebAdresse = "https://www.example.org/kiboru";
    static inline const QString MailAdresse = "kiboru@example.org";

    QLabel *ProgramIcon;
    QLabel *ProductName;
    QLabel *Version;
    TKlickLabel *LabelWWW;
    TKlickLabel *LabelMail;
    QPushButton *OKButton;

    // Platform services, replaced in tests: opening an address, and the error message box.
    static std::function<bool(const QUrl &)> UrlOeffnen;
    static std::function<void(QWidget *, const QString &)> Meldung;

public slots:
    void LabelMailClick();
    void LabelWWWClick();
};
