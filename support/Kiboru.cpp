// Program main: folders, engines and game first, then the windows, then the event loop.
#include "engine/Engines.h"
#include "record/TPAcht.h"
#include "support/HilfsFkt.h"
#include "ui/GtpFront.h"
#include "ui/MainVw.h"
#include "ui/QtHost.h"

#include <QDir>
#include <QPointer>
#include <cstdlib>
#include <cstring>
#include <ctime>

int main(int argc, char** argv) {
    // The protocol front end runs without any window or toolkit.
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--gtp") == 0) return GtpHaupt(argc, argv);

    std::srand(static_cast<unsigned>(std::time(nullptr)));
    TKiboruApp app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kiboru"));

    // The data folder is the working folder: relative names of the engine land there.
    QDir().mkpath(QString::fromStdString(DatenVerzeichnis()));
    QDir::setCurrent(QString::fromStdString(DatenVerzeichnis()));

    static TQtSucheHost host;
    SetzeSucheHost(&host);
    QPointer<TMainForm> fenster;
    InstalliereQtMeldeAusgaben([&fenster] {
        if (fenster) fenster->BrettZeichnen();
    });

    PAchtStart();

    TMainForm hauptfenster;
    fenster = &hauptfenster;
    if (!hauptfenster.InstallationOk()) return 1;

    // argv as the application left it: its own options (-platform ...) are gone.
    hauptfenster.SpielZeigen(argc > 1 ? QString::fromLocal8Bit(argv[argc - 1]) : QString());
    hauptfenster.show();
    const int ergebnis = QApplication::exec();

    WarteAufSuche();
    fenster = nullptr;
    EnginesFreigeben();
    return ergebnis;
}
