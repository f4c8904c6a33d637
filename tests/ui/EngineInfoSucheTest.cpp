// The information view beside a real search of the built-in engine on a worker thread.
#include "engine/SWertDflt.h"
#include "engine/engineDefault.h"
#include "ui/EngineInfoVw.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

QString Wert(const TFrameEngineInfo &f, int zeile) { return f.ValueListEditor->topLevelItem(zeile)->text(1); }

// Lets the view's timer run until the condition holds; the search thread is the clock.
template <class F> bool WarteAuf(F bedingung) {
    for (int i = 0; i < 1200 && !bedingung(); ++i)
        QTest::qWait(50);
    return bedingung();
}

TEST(EngineInfoSuche, StellungenWachsenUndGrundErscheintAmEnde) {
    // The engine reads and writes its constants in its folder: a temporary one here.
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const std::string altOrdner = EngineOrdner();
    SetzeEngineOrdner(tmp.path().toStdString());
    // Its messages (a missing constants file) are not what this test is about.
    DefaultSetzeMeldeProc([](const char *, int) {});

    ASSERT_TRUE(DefaultSpielNeu());
    // Two corner moves lead out of the opening book, so that the engine has to search.
    ASSERT_TRUE(DefaultZiehe(0));
    ASSERT_TRUE(DefaultZiehe(48));
    ASSERT_TRUE(DefaultSetzeLevel(1, 40)); // far deeper than it can finish before it is stopped
    TFrameEngineInfo f;
    f.show();

    std::atomic<std::uint8_t> stopp{0};
    std::atomic<bool> fertig{false};
    std::thread suche([&] {
        int feld = -2, wert = 0;
        TZaehler zaehler{};
        DefaultBerechne(feld, wert, zaehler, &stopp);
        fertig = true;
    });

    auto stellungen = [&] { return Wert(f, 3).toLongLong(); };
    const bool angefangen = WarteAuf([&] { return stellungen() > 0; });
    const qint64 erst = stellungen();
    const bool gewachsen = angefangen && WarteAuf([&] { return stellungen() > erst; });
    // While it runs there is no reason yet.
    const QString grundWaehrend = Wert(f, 6);
    const bool liefNoch = !fertig;

    stopp = 1;
    WarteAuf([&] { return fertig.load(); });
    suche.join();
    EXPECT_TRUE(angefangen);
    EXPECT_TRUE(gewachsen);
    if (liefNoch) {
        EXPECT_EQ(grundWaehrend, "");
    }
    EXPECT_TRUE(WarteAuf([&] { return !Wert(f, 6).isEmpty(); }));
    if (liefNoch) {
        EXPECT_EQ(Wert(f, 6), "Abbruch durch Benutzer");
    }
    EXPECT_GE(Wert(f, 0).toInt(), 1);
    EXPECT_FALSE(Wert(f, 4).isEmpty());

    SetzeEngineOrdner(altOrdner);
}

} // namespace
