#pragma once
// The program's files as whole byte strings: read in one piece with the I/O result code of a
// failure (the codes that ZeigeIOFehler turns into the program's German texts), and written
// through a temporary file, so that a failed save never costs the previous one.
#include <cstddef>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>

struct TIOErgebnis {
    int Code = 0;
    std::string Meldung;
};

// More is no 7x7 game in any of the program's formats.
constexpr std::size_t MaxDateiGroesse = 64u << 20;

struct TDateiInhalt {
    int Code = 0; // 0, or the I/O result code (a missing file 2, a folder 5, ...)
    std::string Bytes;
    bool ZuGross = false; // the file goes on beyond the bytes read
};

// The path of a file name in UTF-8.
std::filesystem::path DateiPfad(const std::string& name);
// Reads the whole file, at most hoechstens bytes of it.
TDateiInhalt LiesDatei(const std::string& name,
                       std::size_t hoechstens = std::numeric_limits<std::size_t>::max());
// Writes a whole file through a temporary file beside it that replaces the old file only when
// complete. Code 0 or the I/O code with the message to show ("%" stands for the code's text), as
// SpeichereSpiel reports.
TIOErgebnis SpeichereDatei(const std::string& name, std::string_view inhalt);
