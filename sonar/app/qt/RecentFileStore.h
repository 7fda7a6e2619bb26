#pragma once

#include <QString>

#include "common/RecentFileList.h"

// The four recent files in the per-user settings store, under Marovant/Keelbrook, section
// "Recent File List", values "File1" ... "File4".
class RecentFileStore {
  public:
    // Empty organisation means the application's own (Marovant/Keelbrook).
    explicit RecentFileStore(QString settingsFile = {}) : settingsFile_(std::move(settingsFile)) {}

    RecentFileList load() const;
    void save(const RecentFileList& list) const;

  private:
    QString settingsFile_;
};
