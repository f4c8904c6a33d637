#pragma once
// The built-in engine in a test: its values file in a temporary engines folder, the message
// channel captured, and a search host the test pumps itself.
#include "engine/EnginesTestHost.h"

#include "engine/SWertDflt.h"
#include "record/TPAcht.h"
#include "support/StringsV5.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

struct TEngineUmgebung : ::testing::Test {
    TTestHost Host;
    std::vector<std::string> Boxen, Infos, Log;
    std::string Vorher;
    std::filesystem::path Tmp;

    void SetUp() override {
        namespace fs = std::filesystem;
        Vorher = EngineOrdner();
        Tmp = fs::temp_directory_path() / ("kiboru_engine_" + std::to_string(getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(Tmp);
        fs::create_directories(Tmp);
        SetzeEngineOrdner(Tmp.string());
        std::ofstream(WerteDateiName(), std::ios::binary) << StandardWerteText();
        EnginesFreigeben();
        MeldungenZuruecksetzen();
        TMeldeAusgaben a;
        a.Box = [this](const std::string& t) { Boxen.push_back(t); };
        a.InfoBox = [this](const std::string& t) { Infos.push_back(t); };
        SetzeMeldeAusgaben(a);
        RegistriereLogMemo([this](const std::string& t) { Log.push_back(t); });
        SetzeSucheHost(&Host);
    }
    void TearDown() override {
        EnginesFreigeben();
        Host.Abarbeiten();
        SetzeSucheHost(nullptr);
        NeuesSpiel();
        MeldungenZuruecksetzen();
        SetzeEngineOrdner(Vorher);
        std::error_code ec;
        std::filesystem::remove_all(Tmp, ec);
    }
    // The engine of the side to move computes on the search thread; its result move.
    TZug Rechne() {
        TEngine* e = EngineSlots[Regeln.AmZug];
        bool fertig = false;
        StarteSuche(e, [&] { fertig = true; });
        EXPECT_TRUE(Host.PumpeBis([&] { return fertig; }));
        return e->ErgebnisZug;
    }
};
