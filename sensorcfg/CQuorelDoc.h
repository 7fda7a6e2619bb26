#pragma once

#include <functional>
#include <optional>
#include <string>

#include "common/RecentFileList.h"
#include "sensorcfg/CommandIds.h"
#include "sensorcfg/Profile.h"
#include "sensorcfg/SensorConfig.h"
#include "sensorcfg/SensorPorts.h"

// The one document of the editor: the configuration file behind the shared SensorConfig, the
// flags that protect unsent or converted data, and the recent-file list. It lives for the
// whole run; new, open and download reuse it.
class CQuorelDoc {
  public:
    static constexpr const char* kAppTitle = "TAVRIN Sensor Configuration Software";

    CQuorelDoc(SensorConfig& config, Profile& profile, SensorPrompts& prompts);
    // Writes the port number back to the profile.
    ~CQuorelDoc();
    CQuorelDoc(const CQuorelDoc&) = delete;
    CQuorelDoc& operator=(const CQuorelDoc&) = delete;

    SensorConfig& config() { return config_; }
    const SensorConfig& config() const { return config_; }

    // Stores a new value; the document becomes modified only when the value differs.
    template <typename T, typename V>
    void store(T& field, V value) {
        const T v = static_cast<T>(value);
        if (field != v) {
            field = v;
            setModified(true);
        }
    }

    bool isModified() const { return modified_; }
    void setModified(bool modified);
    bool isUploaded() const { return uploaded_; }
    void setUploaded(bool uploaded) { uploaded_ = uploaded; }
    bool isConverted() const { return converted_; }

    // The file name, or "Untitled".
    std::string title() const;
    const std::string& pathName() const { return path_; }
    // "<title> - TAVRIN Sensor Configuration Software"
    std::string windowTitle() const;

    // The questions asked before the document is closed, replaced or the program quits. False
    // when the user chose to stay.
    bool saveModified();

    // Ctrl+N, start-up (no command) and Get Configuration from GPS. The configuration itself
    // stays. A download follows when the command that last asked for a new document with one
    // was Get Configuration from GPS.
    bool newDocument(std::optional<SensorCommand> askingCommand = std::nullopt);
    // Open: the file dialog, the save-modified check, then the load.
    bool openWithDialog();
    // The save-modified check, then the load. A recent entry that fails to load leaves the list.
    bool openFile(const std::string& path);
    bool openRecent(int n);
    bool save();
    bool saveAs();
    // Start-up: the most recent file when it exists and can be read, else a new document.
    void openAtStartup();
    // Loads a file without any question; false (after a message) when it cannot be read. On
    // failure the configuration and the document stay as they were.
    bool load(const std::string& path);

    const RecentFileList& recentFiles() const { return recent_; }

    // Called after anything a window shows has changed (configuration, title, recent files).
    void setChangedCallback(std::function<void()> callback) { changed_ = std::move(callback); }
    // Runs the download of a new document; the default reports that no link is open.
    void setDownloadHandler(std::function<void()> handler) { download_ = std::move(handler); }

  private:
    bool writeFile(const std::string& path);
    void loadRecentFiles();
    void saveRecentFiles();
    void notify();
    void warn(const std::string& text);

    SensorConfig& config_;
    Profile& profile_;
    SensorPrompts& prompts_;
    RecentFileList recent_;
    std::string path_;
    bool modified_ = false;
    bool uploaded_ = false;
    bool converted_ = false;
    std::optional<SensorCommand> newDocumentCommand_;
    std::function<void()> changed_;
    std::function<void()> download_;
};
