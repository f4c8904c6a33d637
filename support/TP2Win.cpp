#include "support/TP2Win.h"

#include "support/StringsV5.h"

#include <cerrno>
#include <map>

std::string IOFehlerText(int code) {
    static const std::map<int, const char *> tabelle = {
        {0, "Kein Fehler"},
        {1, "Undefinerte Funktion"},
        {2, "Datei nicht gefunden"},
        {3, "Pfad nicht gefunden"},
        {4, "Zu viele Dateien geöffnet"},
        {5, "Zugriff verweigert"},
        {6, "Handle ungültig"},
        {8, "Nicht genügend Speicher"},
        {10, "Ungültige Environment-Variablen"},
        {11, "Ungültiges Befehlsformat"},
        {12, "Invalid file access code"},
        {15, "Ungültiges Laufwerk"},
        {16, "Verzeichnis kann nicht gelöscht werden"},
        {17, "Cannot rename across drives"},
        {18, "Keine weiteren Dateieinträge"},
        {100, "Disk-Lesefehler"},
        {101, "Disk-Schreibfehler"},
        {102, "Datei nicht assigned"},
        {103, "Datei nicht geöffnet"},
        {104, "Datei nicht zum Lesen geöffnet"},
        {105, "Datei nicht zum Schreiben geöffnet"},
        {106, "Invalid numeric format"},
        {150, "Disk schreibgeschützt"},
        {151, "Bad drive request struct length (655)"},
        {152, "Laufwerk nicht bereit"},
        {154, "CRC error in data"},
        {156, "Disk seek error"},
        {157, "Unbekanntes Medium"},
        {158, "Sector Not Found"},
        {159, "Printer out of paper"},
        {160, "Device write fault"},
        {161, "Device read fault"},
        {162, "Hardwarefehler"},
        {200, "Division durch null"},
        {201, "Range check error"},
        {202, "Stack overflow error"},
        {203, "Heap overflow error"},
        {204, "Invalid pointer operation"},
        {205, "Floating point overflow"},
        {206, "Floating point underflow"},
        {207, "Invalid floating point operation"},
        {208, "Overlay manager not installed"},
        {209, "Overlay file read error"},
        {210, "Object not initialized"},
        {211, "Call to abstract method"},
        {212, "Stream registration error"},
        {213, "Collection index out of range"},
        {214, "Collection overflow error"},
    };
    auto it = tabelle.find(code);
    if (it != tabelle.end()) return it->second;
    if (code >= IOCodeErrnoBasis) return "Fehler " + std::to_string(code - IOCodeErrnoBasis);
    return "Fehler " + std::to_string(code);
}

std::string IOFehlerMeldung(int code, const std::string &text) {
    const std::string fehler = IOFehlerText(code);
    if (text.empty()) return "DOS-Fehler: " + fehler;
    if (text.find('%') == std::string::npos) return text;
    std::string m;
    for (char c : text) {
        if (c == '%')
            m += fehler;
        else
            m += c;
    }
    return m;
}

void ZeigeIOFehler(int code, const std::string &text) { ZeigeInfo(IOFehlerMeldung(code, text)); }

int IOCodeAusErrno(int err, bool schreiben) {
    switch (err) {
    case 0:
        return 0;
    case ENOENT:
        return 2;
    case ENOTDIR:
        return 3;
    case EMFILE:
    case ENFILE:
        return 4;
    case EACCES:
    case EPERM:
    case EISDIR:
        return 5;
    case EBADF:
        return 6;
    case ENOMEM:
        return 8;
    case EROFS:
        return 150;
    case ENOSPC:
        return 101;
    case EIO:
        return schreiben ? 101 : 100;
    default:
        return IOCodeErrnoBasis + err;
    }
}
