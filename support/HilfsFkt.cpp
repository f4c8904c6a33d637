#include "support/HilfsFkt.h"

#include "support/StringsV5.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QUrl>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace fs = std::filesystem;

namespace {
std::string ProgrammOrdnerCache;
std::string DatenOrdnerCache;
std::string HilfeCache;
std::function<void(const std::string&)> FehlerBoxAusgabe;
std::string ProgrammName;

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

char Trenner() { return QDir::separator().toLatin1(); }

// Full path of the running executable.
std::string ProgrammDatei() {
    if (QCoreApplication::instance())
        return S(QDir::toNativeSeparators(QCoreApplication::applicationFilePath()));
    std::error_code ec;
#if defined(_WIN32)
    return {};
#else
    auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : p.string();
#endif
}

std::string OhneEndung(const std::string& name) {
    const auto punkt = name.rfind('.');
    return punkt == std::string::npos ? name : name.substr(0, punkt);
}

bool GleichOhneGross(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The executable's file name; derived names are made as if it carried ".exe" (Kiboru.ini, Kiboru.htm).
// An installed "kiboru" is the same program: it keeps the program's spelling, so the data folder and
// the files in it do not depend on how the binary was named.
std::string ProgrammDateiname() {
    std::string n = S(QFileInfo(Q(ProgrammDatei())).fileName());
#if !defined(_WIN32)
    n += ".exe";
#endif
    const std::string basis = OhneEndung(n);
    if (!ProgrammName.empty() && GleichOhneGross(basis, ProgrammName))
        n = ProgrammName + n.substr(basis.size());
    return n;
}

// The folder of an installed program (/usr/bin, ~/.local/bin) belongs to the installation.
bool InstallierterOrdner(const std::string& pfad) { return QFileInfo(Q(pfad)).fileName() == "bin"; }

bool OrdnerAnlegen(const std::string& pfad) { return OrdnerExistiert(pfad) || QDir().mkdir(Q(pfad)); }

bool OrdnerSchreibbar(const std::string& pfad) {
    if (!OrdnerExistiert(pfad)) return false;
    QTemporaryFile probe(Q(PfadVerbinden(pfad, "schreibprobe_XXXXXX")));
    return probe.open();
}

void ZeigeFehlerBox(const std::string& text) {
    if (FehlerBoxAusgabe) {
        FehlerBoxAusgabe(text);
    } else if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QMessageBox::critical(nullptr, QCoreApplication::applicationName(), Q(text));
    } else {
        std::cerr << text << '\n';
    }
}
} // namespace

void SetzeFehlerBox(std::function<void(const std::string&)> f) { FehlerBoxAusgabe = std::move(f); }

void SetzeProgrammName(const std::string& name) {
    ProgrammName = name;
    HilfsFktZuruecksetzen();
}

std::string PfadVerbinden(const std::string& ordner, const std::string& name) {
    if (!ordner.empty() && ordner.back() == Trenner()) return ordner + name;
    return ordner + Trenner() + name;
}

std::string ProgrammVerzeichnis() {
    if (ProgrammOrdnerCache.empty())
        ProgrammOrdnerCache = S(QDir::toNativeSeparators(QFileInfo(Q(ProgrammDatei())).absolutePath()));
    return ProgrammOrdnerCache;
}

std::string NameOhneOrdnerUndEndung(const std::string& pfad) {
    std::string name = pfad;
    const auto p = name.find_last_of("/\\");
    if (p != std::string::npos) name = name.substr(p + 1);
    return OhneEndung(name);
}

bool OrdnerExistiert(const std::string& pfad) { return !pfad.empty() && QFileInfo(Q(pfad)).isDir(); }

std::string DatenVerzeichnis() {
    if (!DatenOrdnerCache.empty()) return DatenOrdnerCache;
    // The application-data root: AppData where it exists, else the XDG data folder.
    std::string wurzel;
    if (const char* a = std::getenv("AppData"); a && *a && OrdnerExistiert(a)) {
        wurzel = a;
    } else if (const char* x = std::getenv("XDG_DATA_HOME"); x && *x) {
        wurzel = x;
    } else if (const char* h = std::getenv("HOME"); h && *h) {
        wurzel = PfadVerbinden(PfadVerbinden(h, ".local"), "share");
    }
    std::string pfad;
    if (!wurzel.empty()) {
        pfad = PfadVerbinden(wurzel, "Quennel");
        // The XDG root need not exist yet on a fresh account.
        if (!OrdnerExistiert(pfad) && !QDir().mkpath(Q(pfad)))
            pfad = PfadVerbinden(ProgrammVerzeichnis(), "home");
        pfad = PfadVerbinden(pfad, NameOhneOrdnerUndEndung(ProgrammDateiname()));
    } else {
        pfad = PfadVerbinden(ProgrammVerzeichnis(), "home");
    }
    if (!OrdnerAnlegen(pfad)) pfad = ProgrammVerzeichnis();
    DatenOrdnerCache = pfad;
    return DatenOrdnerCache;
}

std::string Hilfedatei() {
    if (HilfeCache.empty()) {
        const std::string name = OhneEndung(ProgrammDateiname()) + ".htm";
        // An installed program's folder is read-only, or must stay untouched even for root: the data
        // folder takes the help then.
        const std::string prog = ProgrammVerzeichnis();
        HilfeCache = OrdnerSchreibbar(prog) && !InstallierterOrdner(prog)
                         ? PfadVerbinden(prog, name)
                         : PfadVerbinden(DatenVerzeichnis(), name);
    }
    return HilfeCache;
}

std::string KonfigNameAus(const std::string& dateiname) {
    if (dateiname.size() > 4) return dateiname.substr(0, dateiname.size() - 3) + "ini";
    return "config.ini";
}

std::string Konfigdatei() { return PfadVerbinden(DatenVerzeichnis(), KonfigNameAus(ProgrammDateiname())); }

std::string EigeneDateien() {
    return S(QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)));
}

std::string RegistryLesen(const std::string&, const std::string&, const std::string&,
                          const std::string& vorgabe) {
    // There is no registry here: the default stands.
    return vorgabe;
}

bool DateiSicherstellen(const std::string& datei, std::vector<std::string>& zeilen, bool laden) {
    const fs::path pfad = fs::path(std::u8string(datei.begin(), datei.end()));
    std::error_code ec;
    if (!fs::exists(pfad, ec)) {
        std::ofstream aus(pfad, std::ios::binary);
        for (const auto& z : zeilen)
            aus << z << '\n';
        aus.close();
        if (!aus) {
            fs::remove(pfad, ec); // a half-written default would be taken as installed
            ZeigeFehlerBox("Fehler bei der Installation. Datei konnte nicht angelegt werden: " + datei +
                           "\r\nAnwendung wird beendet.");
            return false;
        }
        return true;
    }
    if (laden) {
        std::ifstream ein(pfad, std::ios::binary);
        std::vector<std::string> gelesen;
        std::string z;
        while (ein && std::getline(ein, z)) {
            if (!z.empty() && z.back() == '\r') z.pop_back();
            gelesen.push_back(z);
        }
        if (!fs::is_regular_file(pfad, ec) || !ein.is_open() || ein.bad()) {
            ZeigeFehlerBox("Fehler beim Einlesen der Datei \"" + datei + "\".");
        } else {
            zeilen = std::move(gelesen);
        }
    }
    return true;
}

bool Ausfuehren(const std::string& datei, const std::string& argumente) {
    bool ok = false;
    const QUrl url = QUrl(Q(datei));
    const bool mitSchema = url.isValid() && url.scheme().size() > 1; // "c:" is a drive, not a scheme
    if (!argumente.empty()) {
        // A program with one argument: started directly, never through a shell command line.
        ok = QFileInfo(Q(datei)).isExecutable() && QProcess::startDetached(Q(datei), {Q(argumente)}, ".");
    } else if (mitSchema) {
        ok = QDesktopServices::openUrl(url);
    } else if (QFileInfo::exists(Q(datei))) {
        ok = QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(Q(datei)).absoluteFilePath()));
    }
    if (!ok)
        Meldung("Fehler beim Aufruf von <" + datei + ">\r\n" + "mit Argument: <" + argumente +
                    ">\r\nFehlercode: " + std::to_string(0) + ".",
                true);
    return ok;
}

std::string KonfigLesen(const std::string& abschnitt, const std::string& schluessel,
                        const std::string& vorgabe) {
    QSettings ini(Q(Konfigdatei()), QSettings::IniFormat);
    ini.beginGroup(Q(abschnitt));
    return S(ini.value(Q(schluessel), Q(vorgabe)).toString());
}

void KonfigSchreiben(const std::string& abschnitt, const std::string& schluessel, const std::string& wert) {
    QSettings ini(Q(Konfigdatei()), QSettings::IniFormat);
    ini.beginGroup(Q(abschnitt));
    ini.setValue(Q(schluessel), Q(wert));
    ini.endGroup();
    ini.sync();
}

void HilfsFktZuruecksetzen() {
    ProgrammOrdnerCache.clear();
    DatenOrdnerCache.clear();
    HilfeCache.clear();
}
