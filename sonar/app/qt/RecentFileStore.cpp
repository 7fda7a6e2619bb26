#include "app/qt/RecentFileStore.h"

#include <QSettings>
#include <memory>

namespace {
constexpr const char* kSection = "Recent File List";

std::unique_ptr<QSettings> open(const QString& file) {
    if (file.isEmpty()) {
        return std::make_unique<QSettings>(QStringLiteral("Marovant"), QStringLiteral("Keelbrook"));
    }
    return std::make_unique<QSettings>(file, QSettings::IniFormat);
}

QString key(std::size_t i) {
    return QStringLiteral("File%1").arg(i + 1);
}
}  // namespace

RecentFileList RecentFileStore::load() const {
    auto s = open(settingsFile_);
    s->beginGroup(QString::fromLatin1(kSection));
    RecentFileList::Entries entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        entries[i] = s->value(key(i)).toString().toStdString();
    }
    return RecentFileList(entries);
}

void RecentFileStore::save(const RecentFileList& list) const {
    auto s = open(settingsFile_);
    s->beginGroup(QString::fromLatin1(kSection));
    for (std::size_t i = 0; i < list.entries().size(); ++i) {
        const std::string& path = list.entries()[i];
        if (path.empty()) {
            s->remove(key(i));
        } else {
            s->setValue(key(i), QString::fromStdString(path));
        }
    }
}
