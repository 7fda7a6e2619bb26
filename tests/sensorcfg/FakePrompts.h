#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "sensorcfg/SensorPorts.h"

// Records every message and answers from a queue (Yes, then OK, when the queue is empty).
class FakePrompts : public SensorPrompts {
  public:
    struct Message {
        std::string text;
        std::string title;
        PromptIcon icon;
        PromptButtons buttons;
    };

    PromptAnswer message(const std::string& text, const std::string& title, PromptIcon icon,
                         PromptButtons buttons) override {
        messages.push_back({text, title, icon, buttons});
        if (!answers.empty()) {
            const PromptAnswer a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Yes;
    }
    std::optional<std::string> askOpenFile() override { return openPath; }
    std::optional<std::string> askSaveFile(const std::string& proposed) override {
        proposedNames.push_back(proposed);
        return savePath;
    }

    std::vector<std::string> texts() const {
        std::vector<std::string> t;
        for (const Message& m : messages) {
            t.push_back(m.text);
        }
        return t;
    }

    std::vector<Message> messages;
    std::deque<PromptAnswer> answers;
    std::optional<std::string> openPath;
    std::optional<std::string> savePath;
    std::vector<std::string> proposedNames;
};
