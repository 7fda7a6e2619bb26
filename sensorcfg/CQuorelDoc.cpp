#include "sensorcfg/CQuorelDoc.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "sensorcfg/ConfigFile.h"

namespace {
namespace keys = profile_keys;
constexpr int kDefaultPort = 2;
constexpr std::uintmax_t kLargestFile = 1 << 20;

std::string recentKey(std::size_t i) {
    return "File" + std::to_string(i + 1);
}

// The full path shown in the recent-file list and the save question.
std::string fullPath(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);
    return ec ? path : full.lexically_normal().string();
}

std::optional<std::vector<std::uint8_t>> readAll(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec) ||
        std::filesystem::file_size(path, ec) > kLargestFile) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>());
}
}  // namespace

CQuorelDoc::CQuorelDoc(SensorConfig& config, Profile& profile, SensorPrompts& prompts)
    : config_(config), profile_(profile), prompts_(prompts) {
    config_.port = static_cast<std::int16_t>(
        profile_.readInt(keys::kCommunications, keys::kPort, kDefaultPort));
    loadRecentFiles();
}

CQuorelDoc::~CQuorelDoc() {
    profile_.writeInt(keys::kCommunications, keys::kPort, config_.port);
}

void CQuorelDoc::setModified(bool modified) {
    if (modified_ != modified) {
        modified_ = modified;
        notify();
    }
}

std::string CQuorelDoc::title() const {
    return path_.empty() ? "Untitled" : std::filesystem::path(path_).filename().string();
}

std::string CQuorelDoc::windowTitle() const {
    return title() + " - " + kAppTitle;
}

bool CQuorelDoc::saveModified() {
    if (modified_ && !uploaded_) {
        if (prompts_.message("The current configuration has not been uploaded since last "
                             "modified. Do you want to continue?",
                             kAppTitle, PromptIcon::Question,
                             PromptButtons::YesNo) != PromptAnswer::Yes) {
            return false;
        }
    } else if (converted_) {
        if (prompts_.message("The converted file has not been saved. Do you wish to continue?",
                             kAppTitle, PromptIcon::Question,
                             PromptButtons::YesNo) != PromptAnswer::Yes) {
            return false;
        }
        modified_ = true;
        converted_ = false;
    }
    if (!modified_) {
        return true;
    }
    const std::string name = path_.empty() ? title() : path_;
    switch (prompts_.message("Save changes to " + name + "?", kAppTitle, PromptIcon::Exclamation,
                             PromptButtons::YesNoCancel)) {
        case PromptAnswer::Yes:
            return save();
        case PromptAnswer::No:
            return true;
        default:
            return false;
    }
}

bool CQuorelDoc::newDocument(std::optional<SensorCommand> askingCommand) {
    if (!saveModified()) {
        return false;
    }
    // Only Get Configuration from GPS leaves its id behind; Ctrl+N reuses what was left, so
    // after one download every new document downloads.
    if (askingCommand == SensorCommand::GetConfiguration) {
        newDocumentCommand_ = askingCommand;
    }
    path_.clear();
    modified_ = false;
    converted_ = false;
    notify();
    if (newDocumentCommand_ == SensorCommand::GetConfiguration) {
        if (download_) {
            download_();
        } else {
            prompts_.message("Connection must be established before downloading.",
                             "Downloading Fail", PromptIcon::Exclamation, PromptButtons::Ok);
        }
    }
    return true;
}

bool CQuorelDoc::openWithDialog() {
    const std::optional<std::string> path = prompts_.askOpenFile();
    return path && openFile(*path);
}

bool CQuorelDoc::openFile(const std::string& path) {
    if (!saveModified()) {
        return false;
    }
    return load(path);
}

bool CQuorelDoc::openRecent(int n) {
    const std::string path = recent_.entry(n);
    if (path.empty() || !saveModified()) {
        return false;
    }
    if (!load(path)) {
        recent_.remove(path);
        saveRecentFiles();
        notify();
        return false;
    }
    return true;
}

bool CQuorelDoc::load(const std::string& path) {
    const auto bytes = readAll(path);
    if (!bytes) {
        warn("Cannot open the configuration file " + path + ".");
        return false;
    }
    const config_file::LoadResult result = config_file::load(*bytes, config_);
    if (result.status != config_file::LoadStatus::Ok) {
        warn("The configuration file " + path +
             " ends before its last setting. Nothing was loaded from it.");
        return false;
    }
    path_ = fullPath(path);
    modified_ = false;
    converted_ = result.converted;
    recent_.add(path_);
    saveRecentFiles();
    if (converted_) {
        prompts_.message("Old file format detected and converted to new format.", kAppTitle,
                         PromptIcon::Exclamation, PromptButtons::Ok);
        modified_ = true;
    }
    notify();
    return true;
}

bool CQuorelDoc::save() {
    if (path_.empty()) {
        return saveAs();
    }
    return writeFile(path_);
}

bool CQuorelDoc::saveAs() {
    const std::optional<std::string> path = prompts_.askSaveFile(path_.empty() ? "" : title());
    return path && writeFile(*path);
}

bool CQuorelDoc::writeFile(const std::string& path) {
    const std::vector<std::uint8_t> bytes = config_file::store(config_);
    // A failed write must never destroy the file already there: write beside it, then rename.
    const std::string temp = path + ".tmp";
    bool ok = false;
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
        ok = static_cast<bool>(out);
    }
    std::error_code ec;
    if (ok) {
        std::filesystem::rename(temp, path, ec);
        ok = !ec;
    }
    if (!ok) {
        std::filesystem::remove(temp, ec);
        warn("Cannot save the configuration file " + path + ".");
        return false;
    }
    path_ = fullPath(path);
    modified_ = false;
    converted_ = false;
    recent_.add(path_);
    saveRecentFiles();
    notify();
    return true;
}

void CQuorelDoc::openAtStartup() {
    const std::string last = recent_.entry(1);
    std::error_code ec;
    if (!last.empty() && std::filesystem::is_regular_file(last, ec) &&
        std::ifstream(last, std::ios::binary).good() && load(last)) {
        return;
    }
    newDocument();
}

void CQuorelDoc::loadRecentFiles() {
    RecentFileList::Entries entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        entries[i] = profile_.readString(keys::kRecentFiles, recentKey(i), "");
    }
    recent_ = RecentFileList(entries);
}

void CQuorelDoc::saveRecentFiles() {
    const auto& entries = recent_.entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        profile_.writeString(keys::kRecentFiles, recentKey(i), entries[i]);
    }
}

void CQuorelDoc::notify() {
    if (changed_) {
        changed_();
    }
}

void CQuorelDoc::warn(const std::string& text) {
    prompts_.message(text, kAppTitle, PromptIcon::Exclamation, PromptButtons::Ok);
}
