// The one way the readers take a file: whole, or cut at a limit, or the I/O code of the failure.
#include "record/Datei.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(Datei, LiesDateiGanzBisZurGrenzeOderMitCode) {
    const fs::path ordner = fs::path(::testing::TempDir()) / ("kiboru_datei-" + std::to_string(::getpid()));
    fs::create_directories(ordner);
    const std::string name = (ordner / "Weiß.txt").string();
    // More than one read of the helper's buffer, with a NUL and line breaks kept as they are.
    std::string text(100000, 'x');
    text[7] = '\0';
    text[8] = '\r';
    std::ofstream(fs::path(std::u8string(name.begin(), name.end())), std::ios::binary) << text;

    TDateiInhalt d = LiesDatei(name);
    EXPECT_EQ(d.Code, 0);
    EXPECT_FALSE(d.ZuGross);
    EXPECT_EQ(d.Bytes, text);
    d = LiesDatei(name, text.size());
    EXPECT_FALSE(d.ZuGross);
    d = LiesDatei(name, 70000);
    EXPECT_TRUE(d.ZuGross);
    EXPECT_EQ(d.Bytes, text.substr(0, 70000));

    EXPECT_EQ(LiesDatei((ordner / "fehlt").string()).Code, 2); // "Datei nicht gefunden"
    EXPECT_EQ(LiesDatei(ordner.string()).Code, 5);             // a folder: "Zugriff verweigert"
    fs::remove_all(ordner);
}
