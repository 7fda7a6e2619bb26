#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>

#include "sensorcfg/CQuorelDoc.h"
#include "sensorcfg/FakePrompts.h"

// A document over a private folder: the profile file and configuration files live there.
class DocTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("sentrim-test-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(dir);
        resetToDefaults(config, 1);
        config.port = 1;
        profile = std::make_unique<Profile>((dir / "sentrim.ini").string());
        doc = std::make_unique<CQuorelDoc>(config, *profile, prompts);
    }
    void TearDown() override {
        doc.reset();
        std::filesystem::remove_all(dir);
    }
    // A new document object over the same profile, as at the next start of the program.
    void restart() {
        doc.reset();
        profile = std::make_unique<Profile>((dir / "sentrim.ini").string());
        doc = std::make_unique<CQuorelDoc>(config, *profile, prompts);
    }
    std::string path(const std::string& name) const { return (dir / name).string(); }

    std::filesystem::path dir;
    SensorConfig config;
    FakePrompts prompts;
    std::unique_ptr<Profile> profile;
    std::unique_ptr<CQuorelDoc> doc;
};
