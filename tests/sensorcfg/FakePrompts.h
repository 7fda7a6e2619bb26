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

    std::optional<std::string> askExistingFile(const std::vector<FileFilter>& filters,
                                               const std::string& folder) override {
        fileQuestions.push_back({filters, folder});
        if (existingFiles.empty()) {
            return std::nullopt;
        }
        auto answer = existingFiles.front();
        existingFiles.pop_front();
        return answer;
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
    struct FileQuestion {
        std::vector<FileFilter> filters;
        std::string folder;
    };
    std::vector<FileQuestion> fileQuestions;
    // Answers to askExistingFile in order; nothing (cancel) once used up.
    std::deque<std::optional<std::string>> existingFiles;
};
