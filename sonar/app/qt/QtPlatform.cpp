#include "app/qt/QtPlatform.h"

#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSoundEffect>
#include <QUrl>

#include "app/qt/CConnectDlg.h"
#include "document/CKeelbrookDoc.h"

LocalTime QtClock::localTime() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec()};
}

std::uint32_t QtClock::tickCount() {
    static QElapsedTimer sinceStart = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return static_cast<std::uint32_t>(sinceStart.elapsed());
}

QTimer* QtTimers::timer(TimerId id) {
    auto it = timers_.find(id);
    if (it != timers_.end()) {
        return it->second;
    }
    auto* t = new QTimer(this);
    t->setSingleShot(true);
    connect(t, &QTimer::timeout, this, [this, id] {
        if (doc_) {
            doc_->OnTimer(id);
        }
    });
    timers_[id] = t;
    return t;
}

void QtTimers::start(TimerId id, unsigned milliseconds) {
    timer(id)->start(static_cast<int>(milliseconds));
}

void QtTimers::stop(TimerId id) {
    timer(id)->stop();
}

bool QtTimers::isActive(TimerId id) const {
    auto it = timers_.find(id);
    return it != timers_.end() && it->second->isActive();
}

std::optional<std::string> QtPrompts::askConnection(const std::string& ipAddress) {
    CConnectDlg dlg(QString::fromStdString(ipAddress), parent_);
    if (dlg.exec() == QDialog::Accepted) {
        return dlg.ipAddress().trimmed().toStdString();
    }
    return std::nullopt;
}

void QtPrompts::message(const std::string& text, MessageIcon icon) {
    QMessageBox::Icon qicon = QMessageBox::Information;
    if (icon == MessageIcon::Warning) {
        qicon = QMessageBox::Warning;
    } else if (icon == MessageIcon::Error) {
        qicon = QMessageBox::Critical;
    }
    QMessageBox box(qicon, QStringLiteral("Keelbrook"), QString::fromStdString(text),
                    QMessageBox::Ok, parent_);
    box.exec();
}

std::optional<FileChoice> QtPrompts::askOpenFile(const FileDialogRequest& request) {
    return askFile(request, false);
}

std::optional<FileChoice> QtPrompts::askSaveFile(const FileDialogRequest& request) {
    return askFile(request, true);
}

std::optional<FileChoice> QtPrompts::askFile(const FileDialogRequest& request, bool save) {
    QFileDialog dlg(parent_, QString::fromStdString(request.title));
    QStringList filters;
    for (const FileFilter& f : request.filters) {
        // The label already names the pattern; Qt takes the pattern from the parentheses.
        filters << QString::fromStdString(
            f.label.find('(') == std::string::npos ? f.label + " (" + f.pattern + ")" : f.label);
    }
    dlg.setNameFilters(filters);
    if (request.filterIndex >= 0 && request.filterIndex < filters.size()) {
        dlg.selectNameFilter(filters[request.filterIndex]);
    }
    dlg.setDirectory(QString::fromStdString(request.folder));
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save) {
        dlg.selectFile(QString::fromStdString(request.proposedName));
    }
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const int index = static_cast<int>(filters.indexOf(dlg.selectedNameFilter()));
    QString path = dlg.selectedFiles().first();
    if (save && QFileInfo(path).suffix().isEmpty() && index >= 0) {
        const std::string& pattern = request.filters[static_cast<std::size_t>(index)].pattern;
        path += QString::fromStdString(pattern.substr(pattern.find('.')));
    }
    return FileChoice{path.toStdString(), std::max(0, index)};
}

QtSound::QtSound() : effect_(std::make_unique<QSoundEffect>()) {}
QtSound::~QtSound() = default;

void QtSound::play(const std::string& path) {
    // Without a sound device the effect stays silent; nothing waits for it.
    effect_->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
    effect_->play();
}
