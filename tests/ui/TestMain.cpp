// Test main of the window tests: one QApplication (offscreen unless a display is asked for),
// with the toolkit's German texts as the program has them.
#include "support/QtUebersetzung.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QtUebersetzungLaden();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
