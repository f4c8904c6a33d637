#include "record/Datei.h"

#include "support/TP2Win.h"

#include <cerrno>
#include <cstdio>
#include <random>

namespace {
namespace fs = std::filesystem;

class TDatei {
public:
    explicit TDatei(std::FILE* f) : F(f) {}
    TDatei(const TDatei&) = delete;
    TDatei& operator=(const TDatei&) = delete;
    ~TDatei() {
        if (F) std::fclose(F);
    }
    // The close's result: 0 or the errno.
    int Schliessen() {
        if (!F) return 0;
        const int r = std::fclose(F);
        F = nullptr;
        return r == 0 ? 0 : (errno ? errno : EIO);
    }
    std::FILE* F;
};

} // namespace

std::filesystem::path DateiPfad(const std::string& name) {
    // The names are UTF-8 on every platform.
    return fs::path(std::u8string(name.begin(), name.end()));
}

TIOErgebnis SpeichereDatei(const std::string& name, std::string_view inhalt) {
    TIOErgebnis erg;
    const std::string erzeugtText = "Datei " + name + " konnte nicht erzeugt werden (%).";
    const std::string gespeichertText =
        "Partie " + name + " konnte nicht vollständig gespeichert werden (%).";
    std::error_code ec;
    fs::path ziel = DateiPfad(name);
    if (fs::is_symlink(ziel, ec)) {
        const fs::path echt = fs::canonical(ziel, ec);
        if (!ec) ziel = echt;
    }
    const bool gabEs = fs::exists(ziel, ec);
    if (gabEs) {
        // A file we may not write stays as it is, as if it had been opened for writing.
        std::FILE* probe = std::fopen(ziel.string().c_str(), "r+b");
        if (!probe) {
            erg.Code = IOCodeAusErrno(errno, true);
            erg.Meldung = erzeugtText;
            return erg;
        }
        std::fclose(probe);
    }

    // Written beside the old file and renamed over it only when complete, so a failed save
    // never destroys the previous game.
    std::random_device zufall;
    fs::path temp;
    std::FILE* f = nullptr;
    int fehler = 0;
    for (int versuch = 0; versuch < 50 && !f; ++versuch) {
        temp = ziel;
        temp += ".~" + std::to_string(zufall() % 1000000u) + ".tmp";
        errno = 0;
        f = std::fopen(temp.string().c_str(), "wbx");
        fehler = errno;
        if (!f && fehler != EEXIST) break;
    }
    if (!f) {
        erg.Code = IOCodeAusErrno(fehler ? fehler : EIO, true);
        erg.Meldung = erzeugtText;
        return erg;
    }
    TDatei datei(f);
    struct TTempWeg {
        const fs::path& P;
        bool Behalten = false;
        ~TTempWeg() {
            std::error_code e;
            if (!Behalten) fs::remove(P, e);
        }
    } tempWeg{temp};

    errno = 0;
    const bool geschrieben =
        std::fwrite(inhalt.data(), 1, inhalt.size(), f) == inhalt.size() && std::fflush(f) == 0;
    fehler = geschrieben ? 0 : (errno ? errno : EIO);
    const int schliessen = datei.Schliessen();
    if (!fehler) fehler = schliessen;
    if (!fehler) {
        if (gabEs) fs::permissions(temp, fs::status(ziel, ec).permissions(), ec);
        fs::rename(temp, ziel, ec);
        if (ec) fehler = ec.default_error_condition().value();
    }
    if (fehler) {
        erg.Code = IOCodeAusErrno(fehler, true);
        erg.Meldung = gespeichertText;
        return erg;
    }
    tempWeg.Behalten = true;       // it is the file now
    erg.Meldung = gespeichertText; // shown only with a code other than 0
    return erg;
}

TDateiInhalt LiesDatei(const std::string& name, std::size_t hoechstens) {
    TDateiInhalt d;
    errno = 0;
    std::FILE* f = std::fopen(DateiPfad(name).string().c_str(), "rb");
    if (!f) {
        d.Code = IOCodeAusErrno(errno ? errno : ENOENT, false);
        return d;
    }
    TDatei datei(f);
    char puffer[65536];
    for (;;) {
        errno = 0;
        const std::size_t n = std::fread(puffer, 1, sizeof puffer, f);
        if (n > hoechstens - d.Bytes.size()) {
            d.Bytes.append(puffer, hoechstens - d.Bytes.size());
            d.ZuGross = true;
            break;
        }
        d.Bytes.append(puffer, n);
        if (n < sizeof puffer) break;
    }
    // A folder opens, and its first read fails (EISDIR).
    const int lesen = std::ferror(f) ? (errno ? errno : EIO) : 0;
    const int schliessen = datei.Schliessen();
    if (lesen || schliessen) d.Code = IOCodeAusErrno(lesen ? lesen : schliessen, false);
    return d;
}
