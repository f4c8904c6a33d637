#include "support/QtUebersetzung.h"

#include "support/StringsV5.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool QtUebersetzungLaden() {
    // Lives as long as the application; installing it twice would only stack a second copy.
    static QTranslator uebersetzung;
    if (!uebersetzung.isEmpty()) return true;
    const QString ordner = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!uebersetzung.load(QStringLiteral("qtbase_de"), ordner)) {
        Protokoll("Deutsche Texte der Standarddialoge nicht gefunden (qtbase_de.qm in " +
                  ordner.toStdString() + ").");
        return false;
    }
    QCoreApplication::installTranslator(&uebersetzung);
    return true;
}
