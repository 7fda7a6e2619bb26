#pragma once

#include <memory>
#include <string>

#include "sensorcfg/CQuorelDoc.h"
#include "sensorcfg/Profile.h"
#include "sensorcfg/SensorConfig.h"
#include "sensorcfg/qt/QtSensorPrompts.h"

class CMainFrame;

// The program: one configuration, the profile, the document and the main window, started in
// the order the program has always followed.
class CSentrimApp {
  public:
    // An empty profile path uses the user's sentrim.ini; tests may answer the messages.
    explicit CSentrimApp(const std::string& profilePath = {}, SensorPrompts* prompts = nullptr);
    ~CSentrimApp();

    // Shows the main window, asks for the base model (`askModel` replaces the dialog in tests),
    // then opens `file`, or the most recent file, or a new document.
    void start(const std::string& file = {}, std::function<std::optional<int>()> askModel = {});

    SensorConfig& config() { return config_; }
    CQuorelDoc& doc() { return *doc_; }
    CMainFrame& frame() { return *frame_; }
    Profile& profile() { return profile_; }

  private:
    SensorConfig config_;
    Profile profile_;
    QtSensorPrompts qtPrompts_;
    SensorPrompts& prompts_;
    std::unique_ptr<CQuorelDoc> doc_;
    std::unique_ptr<CMainFrame> frame_;
};
