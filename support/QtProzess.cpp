#include "support/QtProzess.h"

#include <QProcess>
#include <QThread>

namespace {
class TQtProzess : public TProzess {
public:
    ~TQtProzess() override { Beende(); }

    bool Starte(const std::string& programm, const std::vector<std::string>& argumente,
                std::string& fehler) override {
        THier hier(*this);
        P = std::make_unique<QProcess>();
        QStringList arg;
        for (const std::string& a : argumente)
            arg << QString::fromStdString(a);
        P->setProgram(QString::fromStdString(programm));
        P->setArguments(arg);
        P->start(QIODevice::ReadWrite);
        if (!P->waitForStarted(10000)) {
            fehler = P->error() == QProcess::FailedToStart
                         ? "Das Programm \"" + programm + "\" wurde nicht gefunden oder ist nicht ausführbar."
                         : "Das Programm \"" + programm + "\" ließ sich nicht starten (" +
                               P->errorString().toStdString() + ").";
            P->kill();
            P->waitForFinished(2000);
            P.reset();
            return false;
        }
        return true;
    }

    bool SchreibeZeile(const std::string& zeile) override {
        THier hier(*this);
        if (!P || P->state() != QProcess::Running) return false;
        const QByteArray b = QByteArray::fromStdString(zeile + "\n");
        if (P->write(b) != b.size()) return false;
        P->waitForBytesWritten(1000);
        return true;
    }

    TLesen LiesZeile(std::string& zeile, TUhr::time_point frist,
                     const std::atomic<std::uint8_t>* stopp) override {
        THier hier(*this);
        zeile.clear();
        if (!P) return TLesen::Ende;
        for (;;) {
            FehlerLesen();
            if (P->canReadLine()) {
                zeile = P->readLine().toStdString();
                if (!zeile.empty() && zeile.back() == '\n') zeile.pop_back();
                return TLesen::Zeile;
            }
            if (P->state() == QProcess::NotRunning) {
                if (P->bytesAvailable() > 0) { // a last line without its line break
                    zeile = P->readAll().toStdString();
                    return TLesen::Zeile;
                }
                return TLesen::Ende;
            }
            if (stopp && *stopp) return TLesen::Stopp;
            const auto rest =
                std::chrono::duration_cast<std::chrono::milliseconds>(frist - TUhr::now()).count();
            if (rest <= 0) return TLesen::Frist;
            // Short waits, so that the stop flag is seen at once.
            P->waitForReadyRead(static_cast<int>(std::min<long long>(rest, 20)));
        }
    }

    bool Laeuft() override {
        THier hier(*this);
        return P && P->state() == QProcess::Running;
    }

    void Beende() override {
        if (!P) return;
        THier hier(*this);
        if (P->state() != QProcess::NotRunning) {
            P->write("quit\n");
            P->waitForBytesWritten(200);
            P->closeWriteChannel(); // an engine that reads to the end stops there too
            if (!P->waitForFinished(500)) {
                P->kill();
                P->waitForFinished(5000);
            }
        }
        P.reset();
    }

    std::string LetzteFehlerzeile() override {
        THier hier(*this);
        FehlerLesen();
        return Fehlerzeile;
    }

    std::int64_t Kennung() override {
        THier hier(*this);
        return P && P->state() != QProcess::NotRunning ? static_cast<std::int64_t>(P->processId()) : 0;
    }

private:
    // Takes the process over for the calling thread and lets it go again afterwards.
    struct THier {
        TQtProzess& Z;
        explicit THier(TQtProzess& z) : Z(z) {
            if (Z.P && Z.P->thread() != QThread::currentThread()) Z.P->moveToThread(QThread::currentThread());
        }
        ~THier() {
            if (Z.P) Z.P->moveToThread(nullptr);
        }
    };

    // Standard error is drained, so that a talkative engine never blocks on a full pipe; its
    // last line stays for the messages.
    void FehlerLesen() {
        if (!P) return;
        const QByteArray neu = P->readAllStandardError();
        if (neu.isEmpty()) return;
        for (const QByteArray& z : neu.split('\n'))
            if (!z.trimmed().isEmpty()) Fehlerzeile = z.trimmed().toStdString();
    }

    std::unique_ptr<QProcess> P;
    std::string Fehlerzeile;
};
} // namespace

std::unique_ptr<TProzess> NeuerQtProzess() { return std::make_unique<TQtProzess>(); }
