#include "gps/qt/GpsWindows.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "document/CKeelbrookDoc.h"
#include "gps/qt/CGPSTrackView.h"
#include "gps/qt/CGpsPortDlg.h"

namespace {
constexpr int kDefaultLeft = 32;
constexpr int kDefaultMargin = 20;
constexpr int kMinSide = 160;
}  // namespace

GpsWindows::~GpsWindows() {
    if (trackChild_) {
        trackChild_->removeEventFilter(this);
    }
}

void GpsWindows::setDocument(CKeelbrookDoc* doc, GpsSources* sources, QMdiArea* mdi,
                             std::function<void(CommandId)> runCommand) {
    doc_ = doc;
    sources_ = sources;
    mdi_ = mdi;
    runCommand_ = std::move(runCommand);
}

CGPSTrackView* GpsWindows::trackView() const {
    return trackChild_ ? static_cast<CGPSTrackView*>(trackChild_->widget()) : nullptr;
}

void GpsWindows::showTrackWindow() {
    if (!doc_ || !mdi_) {
        return;
    }
    if (!trackChild_) {
        auto* view = new CGPSTrackView(*doc_, runCommand_);
        trackChild_ = mdi_->addSubWindow(view);
        trackChild_->setAttribute(Qt::WA_DeleteOnClose);
        trackChild_->setWindowTitle(QString::fromLatin1(kTrackTitle));
        trackChild_->installEventFilter(this);
        placeTrackWindow();
    }
    trackChild_->show();
    trackChild_->raise();
}

void GpsWindows::placeTrackWindow() {
    const SettingsRecord& s = doc_->settings();
    QRect r(QPoint(s.gpsTrackWindowLeft, s.gpsTrackWindowTop),
            QPoint(s.gpsTrackWindowRight - 1, s.gpsTrackWindowBottom - 1));
    // The rectangle is kept in the frame's client coordinates; keep it on the screen we have.
    const QRect area = mdi_->rect();
    r.setWidth(std::max(kMinSide, std::min(r.width(), area.width())));
    r.setHeight(std::max(kMinSide, std::min(r.height(), area.height())));
    r.moveLeft(std::clamp(r.left(), 0, std::max(0, area.width() - r.width())));
    r.moveTop(std::clamp(r.top(), 0, std::max(0, area.height() - r.height())));
    trackChild_->setGeometry(r);
}

bool GpsWindows::trackWindowOpen() const {
    return trackChild_ != nullptr;
}

void GpsWindows::resetTrackView() {
    if (CGPSTrackView* v = trackView()) {
        v->resetView();
    }
}

void GpsWindows::showPortDialog() {
    if (!doc_) {
        return;
    }
    if (!dialog_) {
        dialog_ = new CGpsPortDlg(*doc_, sources_, dialogParent_);
    }
    dialog_->show();
    dialog_->raise();
    dialog_->refreshSentences();
}

void GpsWindows::sentencesChanged() {
    if (dialog_) {
        dialog_->refreshSentences();
    }
}

void GpsWindows::trackChanged() {
    if (CGPSTrackView* v = trackView()) {
        v->update();
    }
}

void GpsWindows::placeAtDefault(int screenWidth, int screenHeight) {
    if (!doc_ || !trackChild_) {
        return;
    }
    SettingsRecord& s = doc_->settings();
    s.gpsTrackWindowLeft = kDefaultLeft;
    s.gpsTrackWindowTop = screenHeight * 2 / 3;
    s.gpsTrackWindowRight = screenWidth / 2 - kDefaultMargin;
    s.gpsTrackWindowBottom = screenHeight - kDefaultMargin;
    placeTrackWindow();
    trackChild_->show();
    trackChild_->raise();
}

bool GpsWindows::restoreIfActive() {
    if (!trackChild_ || !mdi_ || mdi_->activeSubWindow() != trackChild_) {
        return false;
    }
    trackView()->restoreImage();
    return true;
}

bool GpsWindows::eventFilter(QObject* watched, QEvent* e) {
    if (watched == trackChild_ && e->type() == QEvent::Close && doc_) {
        doc_->gps().trackWindowClosed();
    }
    return QObject::eventFilter(watched, e);
}
