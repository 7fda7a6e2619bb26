#include "common/RecentFileList.h"

#include <algorithm>

void RecentFileList::moveToFront(std::size_t index) {
    std::rotate(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(index),
                entries_.begin() + static_cast<std::ptrdiff_t>(index) + 1);
}

void RecentFileList::add(const std::string& path) {
    if (path.empty()) {
        return;
    }
    const auto found = std::find(entries_.begin(), entries_.end(), path);
    if (found != entries_.end()) {
        moveToFront(static_cast<std::size_t>(found - entries_.begin()));
        return;
    }
    // The last entry is the one that drops out: overwrite it, then bring it to the front.
    entries_.back() = path;
    moveToFront(kSize - 1);
}

std::string RecentFileList::takeForOpen(int n) {
    const std::string path = entry(n);
    if (!path.empty()) {
        moveToFront(static_cast<std::size_t>(n - 1));
    }
    return path;
}

std::string RecentFileList::entry(int n) const {
    if (n < 1 || n > static_cast<int>(kSize)) {
        return {};
    }
    return entries_[static_cast<std::size_t>(n - 1)];
}

void RecentFileList::remove(const std::string& path) {
    const auto found = std::find(entries_.begin(), entries_.end(), path);
    if (path.empty() || found == entries_.end()) {
        return;
    }
    std::rotate(found, found + 1, entries_.end());
    entries_.back().clear();
}
