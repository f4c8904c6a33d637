#pragma once
// Where the program keeps its files, the configuration file, and the few installation steps
// the program does by itself.
#include <functional>
#include <string>
#include <vector>

std::string PfadVerbinden(const std::string& ordner, const std::string& name);
std::string ProgrammVerzeichnis();
std::string DatenVerzeichnis();
std::string Hilfedatei();
std::string Konfigdatei();
std::string EigeneDateien();
std::string RegistryLesen(const std::string& wurzel, const std::string& schluessel, const std::string& wert,
                          const std::string& vorgabe);
// Writes the lines to the file if it is missing, else loads the file into them when laden is set.
// false when the file could not be written (the caller ends the program).
bool DateiSicherstellen(const std::string& datei, std::vector<std::string>& zeilen, bool laden);
bool Ausfuehren(const std::string& datei, const std::string& argumente);
std::string NameOhneOrdnerUndEndung(const std::string& pfad);
bool OrdnerExistiert(const std::string& pfad);

// Configuration (INI) in the data folder.
std::string KonfigLesen(const std::string& abschnitt, const std::string& schluessel,
                        const std::string& vorgabe);
void KonfigSchreiben(const std::string& abschnitt, const std::string& schluessel, const std::string& wert);

// The configuration file's name for an executable's file name: its last three characters
// replaced by "ini" when it is longer than 4 characters, else "config.ini".
std::string KonfigNameAus(const std::string& dateiname);
// Where error boxes of the installation steps go (default: a critical message box, or standard
// error without an application object).
void SetzeFehlerBox(std::function<void(const std::string&)> f);

// The program's own spelling of its name: an executable named so in any case (the installed
// "kiboru") derives its file names from it. Forgets the cached folders.
void SetzeProgrammName(const std::string& name);

// Tests: forget the cached folders.
void HilfsFktZuruecksetzen();
