#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "acquisition/Ports.h"

// Fakes that record what the document asked of the platform.

struct FakeLink : SonarLink {
    struct Attempt {
        std::string host;
        std::uint16_t port;
    };
    std::vector<Attempt> attempts;
    std::vector<std::vector<std::uint8_t>> sent;
    int closes = 0;

    void connectTo(const std::string& host, std::uint16_t port) override {
        attempts.push_back({host, port});
    }
    void send(const std::uint8_t* data, std::size_t len) override {
        sent.emplace_back(data, data + len);
    }
    void close() override { ++closes; }
};

struct FakeClock : Clock {
    LocalTime now{2026, 12, 7, 9, 5, 3, 42};
    std::uint32_t tick = 1000;
    LocalTime localTime() override { return now; }
    std::uint32_t tickCount() override { return tick; }
};

struct FakeTimers : Timers {
    std::map<TimerId, unsigned> running;
    void start(TimerId id, unsigned ms) override { running[id] = ms; }
    void stop(TimerId id) override { running.erase(id); }
    bool isRunning(TimerId id) const { return running.count(id) != 0; }
};

struct FakePrompts : UserPrompts {
    // Each askConnection takes the next answer; nullopt means NO.
    std::vector<std::optional<std::string>> answers;
    std::vector<std::string> askedWith;
    std::vector<std::string> messages;

    std::optional<std::string> askConnection(const std::string& ip) override {
        askedWith.push_back(ip);
        if (answers.empty()) {
            return std::nullopt;
        }
        auto a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
    void message(const std::string& text, MessageIcon) override { messages.push_back(text); }

    // Each file dialog takes the next choice; nullopt means Cancel.
    std::vector<std::optional<FileChoice>> openChoices, saveChoices;
    std::vector<FileDialogRequest> openRequests, saveRequests;
    std::optional<FileChoice> askOpenFile(const FileDialogRequest& r) override {
        openRequests.push_back(r);
        return take(openChoices);
    }
    std::optional<FileChoice> askSaveFile(const FileDialogRequest& r) override {
        saveRequests.push_back(r);
        return take(saveChoices);
    }

  private:
    static std::optional<FileChoice> take(std::vector<std::optional<FileChoice>>& v) {
        if (v.empty()) {
            return std::nullopt;
        }
        auto c = v.front();
        v.erase(v.begin());
        return c;
    }
};

struct FakeSound : Sound {
    std::vector<std::string> played;
    void play(const std::string& path) override { played.push_back(path); }
};

struct FakeFrame : FrameUi {
    int redraws = 0;
    int statusRefreshes = 0;
    int diagnosticsRefreshes = 0;
    int defaultLayouts = 0;
    std::string title;
    std::map<CommandId, std::string> menuTexts;
    std::optional<bool> playbackBarVisible;
    std::optional<bool> toolBarVisible, statusBarsVisible;

    void redrawViews() override { ++redraws; }
    void refreshStatus() override { ++statusRefreshes; }
    void refreshDiagnostics() override { ++diagnosticsRefreshes; }
    std::vector<bool> settingsDialogShown;  // every show (true) or hide (false), in order
    int settingsDialogRefreshes = 0;
    void showSonarSettings(bool visible) override { settingsDialogShown.push_back(visible); }
    void refreshSonarSettings() override { ++settingsDialogRefreshes; }
    void setDocumentTitle(const std::string& t) override { title = t; }
    void setMenuText(CommandId id, const std::string& text) override { menuTexts[id] = text; }
    void showPlaybackBar(bool v) override { playbackBarVisible = v; }
    void showBars(bool toolBar, bool statusBars) override {
        toolBarVisible = toolBar;
        statusBarsVisible = statusBars;
    }
    void applyDefaultLayout() override { ++defaultLayouts; }
    std::optional<int> playbackBarSpeed;
    std::vector<int> sliderPositions;
    int idleRequests = 0;
    void setupPlaybackBar(int speed) override { playbackBarSpeed = speed; }
    void setPlaybackSlider(int value) override { sliderPositions.push_back(value); }
    void requestIdle() override { ++idleRequests; }
};
