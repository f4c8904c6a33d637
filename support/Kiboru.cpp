// Program main: folders, engines and game first, then the windows, then the event loop.
#include "engine/Engines.h"
#include "gtp/GtpFront.h"
#include "record/TPAcht.h"
#include "support/HilfsFkt.h"
#include "support/QtUebersetzung.h"
#include "ui/DlgAbout.h"
#include "ui/GtpEngineListe.h"
#include "ui/MainVw.h"
#include "ui/NotationAnsicht.h"
#include "ui/QtHost.h"
#include "ui/Wiederherstellung.h"

#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iostream>
#include <string>

#if defined(__unix__)
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {
// The name under which the desktop knows the program: desktop entry, icon, file types.
constexpr const char* DesktopId = "org.example.Kiboru";

std::string Aufrufname(const char* argv0) {
    const std::string n = argv0 && *argv0 ? argv0 : "kiboru";
    const auto p = n.find_last_of("/\\");
    return p == std::string::npos ? n : n.substr(p + 1);
}

void Hilfe(const std::string& name) {
    std::cout << "Aufruf: " << name << " [Partiedatei]\n"
              << "        " << name << " --gtp [--level N] [--vorausdenken]\n"
              << "        " << name << " --help | --version\n\n"
              << "Kiboru spielt Go auf dem 7x7-Brett, gegen Sie oder gegen sich selbst.\n\n"
              << "  Partiedatei  öffnet diese Partie beim Start; ohne sie erscheint die zuletzt\n"
              << "               benutzte Partie\n"
              << "  --gtp        spielt ohne Fenster als Engine des Go Text Protocol (Version 2):\n"
              << "               Befehle von der Standardeingabe, Antworten auf die Standardausgabe\n"
              << "  --level N    Spielstufe im GTP-Modus, 1 bis 999 (Vorgabe 4)\n"
              << "  --vorausdenken  im GTP-Modus: denkt nach dem eigenen Zug in der Zeit\n"
              << "               des Gegners weiter\n"
              << "  --help       zeigt diese Hilfe\n"
              << "  --version    zeigt die Version\n\n"
              << "Einstellungen, Hilfeseite und Bewertungsdatei liegen im Datenordner\n"
              << "(Vorgabe ~/.local/share/Quennel/Kiboru).\n";
}

int Fehlaufruf(const std::string& name, const std::string& text) {
    std::cerr << name << ": " << text << "\n\"" << name << " --help\" zeigt die möglichen Aufrufe.\n";
    return 2;
}

// Options of our own begin with "--"; single-dash ones (-platform, -style) belong to the toolkit.
// -1: start the program; otherwise the exit code.
int Befehlszeile(int argc, char** argv, bool& gtp) {
    const std::string name = Aufrufname(argv[0]);
    gtp = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            Hilfe(name);
            return 0;
        }
        if (a == "--version") {
            std::cout << "Kiboru " << KIBORU_VERSION << '\n';
            return 0;
        }
        if (a == "--gtp") gtp = true;
    }
    if (gtp) return -1; // the protocol front end checks its own arguments
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--level" || a.rfind("--level=", 0) == 0)
            return Fehlaufruf(name, "Die Option --level gilt nur zusammen mit --gtp.");
        if (a == "--vorausdenken")
            return Fehlaufruf(name, "Die Option --vorausdenken gilt nur zusammen mit --gtp.");
        if (a.rfind("--", 0) == 0) return Fehlaufruf(name, "Unbekannte Option " + a + ".");
    }
    return -1;
}

#if defined(__unix__)
int SignalPaar[2] = {-1, -1};

void SignalMerken(int) {
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(SignalPaar[0], &c, 1);
}

// A polite end (logout, kill, Ctrl+C) closes the window as the user would: the untitled game is
// saved and the configuration written.
void BeendenBeiSignal() {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, SignalPaar) != 0) return;
    auto* melder = new QSocketNotifier(SignalPaar[1], QSocketNotifier::Read, qApp);
    QObject::connect(melder, &QSocketNotifier::activated, [] {
        char c;
        [[maybe_unused]] const auto n = ::read(SignalPaar[1], &c, 1);
        QApplication::closeAllWindows();
    });
    struct sigaction sa {};
    sa.sa_handler = SignalMerken;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        sigaction(s, &sa, nullptr);
}
#else
void BeendenBeiSignal() {}
#endif

// Tests drive a real run of the program: the characters of KIBORU_TESTEINGABE are typed into
// the move field one by one, each once no dialog is open and no search runs.
void Testeingabe(TMainForm& fenster) {
    const QString text = qEnvironmentVariable("KIBORU_TESTEINGABE");
    if (text.isEmpty()) return;
    auto* takt = new QTimer(&fenster);
    QObject::connect(takt, &QTimer::timeout, &fenster, [&fenster, takt, text, i = qsizetype(0)]() mutable {
        if (QApplication::activeModalWidget() || SucheLaeuft()) return;
        if (i >= text.size()) {
            takt->stop();
            return;
        }
        const QChar c = text[i++];
        QKeyEvent taste(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, QString(c));
        QApplication::sendEvent(fenster.EditZug, &taste);
    });
    takt->start(20);
}
} // namespace

int main(int argc, char** argv) {
    // Installed as "kiboru", run from the build as "Kiboru": the same files either way.
    SetzeProgrammName("Kiboru");
    bool gtp = false;
    if (const int ende = Befehlszeile(argc, argv, gtp); ende >= 0) return ende;
    // The protocol front end runs without any window or toolkit.
    if (gtp) return GtpHaupt(argc, argv);

    std::srand(static_cast<unsigned>(std::time(nullptr)));
    TKiboruApp app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kiboru"));
    QApplication::setApplicationVersion(QStringLiteral(KIBORU_VERSION));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(DesktopId));
    QApplication::setWindowIcon(QIcon::fromTheme(QString::fromLatin1(DesktopId), QIcon(ProgrammSymbol(64))));
    QtUebersetzungLaden();
    BeendenBeiSignal(); // before the first file is written: a signal then waits for the event loop

    // argv as the application left it: its own options (-platform ...) are gone.
    for (int i = 1; i < argc; ++i)
        if (argv[i][0] == '-')
            return Fehlaufruf(Aufrufname(argv[0]), std::string("Unbekannte Option ") + argv[i] + ".");
    // Expanded before the working folder changes: a name typed in a shell means the shell's folder.
    const QString datei =
        argc > 1 ? QFileInfo(QString::fromLocal8Bit(argv[argc - 1])).absoluteFilePath() : QString();

    // The data folder is the working folder: relative names of the engine land there.
    QDir().mkpath(QString::fromStdString(DatenVerzeichnis()));
    QDir::setCurrent(QString::fromStdString(DatenVerzeichnis()));

    static TQtSucheHost host;
    SetzeSucheHost(&host);
    QPointer<TMainForm> fenster;
    InstalliereQtMeldeAusgaben(
        [&fenster] {
            if (fenster) fenster->BrettZeichnen();
        },
        [&fenster]() -> QWidget* { return fenster.data(); });

    PAchtStart();

    TMainForm hauptfenster;
    fenster = &hauptfenster;
    if (!hauptfenster.InstallationOk()) return 1;
    // Before the game is shown, so that they follow it; their programs start on first use and
    // end with EnginesFreigeben below.
    GtpEnginesRegistrieren();

    // A copy left by a run that ended unexpectedly is offered over the shown window first.
    if (hauptfenster.Rettung->Verwaist()) {
        hauptfenster.show();
        if (!hauptfenster.Rettung->Anbieten(*hauptfenster.Datei)) hauptfenster.SpielZeigen(datei);
    } else {
        hauptfenster.SpielZeigen(datei);
        hauptfenster.show();
    }
    Testeingabe(hauptfenster);
    const int ergebnis = QApplication::exec();

    WarteAufSuche();
    fenster = nullptr;
    EnginesFreigeben();
    return ergebnis;
}
