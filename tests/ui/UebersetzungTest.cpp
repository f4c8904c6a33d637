// The toolkit's standard buttons speak German inside the program, whatever the locale.
#include "MainVwUmgebung.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <map>

using namespace testui;

TEST(Uebersetzung, FrageVorNeuerStellungHatDeutscheKnoepfe) {
    Grundzustand();
    TMainForm form; // the program's own question box, not a test's answers
    form.show();
    form.Geaendert = true;

    QString text;
    std::map<QMessageBox::StandardButton, QString> knoepfe;
    QTimer warten;
    QObject::connect(&warten, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        warten.stop();
        text = box->text();
        for (auto k : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
            if (QAbstractButton* b = box->button(k)) knoepfe[k] = b->text().remove('&');
        box->reject();
    });
    warten.start(10);
    form.Stellungseingabe1Click();

    EXPECT_EQ(text.toStdString(),
              "Soll die aktuelle Partie gespeichert werden, bevor eine neue Stellung eingegeben wird?");
    EXPECT_EQ(knoepfe[QMessageBox::Yes], "Ja");
    EXPECT_EQ(knoepfe[QMessageBox::No], "Nein");
    EXPECT_EQ(knoepfe[QMessageBox::Cancel], "Abbrechen");
    EXPECT_TRUE(form.Geaendert); // cancelled: nothing happened
}
