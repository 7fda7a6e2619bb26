#include "app/qt/CMainFrame.h"

#include <QAction>
#include <QActionGroup>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/qt/CommandTable.h"
#include "app/qt/MdiFill.h"
#include "app/qt/OperatorDialogs.h"
#include "app/qt/PlaybackDriver.h"
#include "app/qt/StatusBars.h"
#include "app/qt/ToolbarIcons.h"
#include "beam/qt/CBeamChildFrm.h"
#include "display/ViewTexts.h"
#include "display/qt/CKeelbrookView.h"
#include "document/CKeelbrookDoc.h"
#include "gps/qt/GpsWindows.h"

namespace {
constexpr int kStateRefreshMs = 200;
// A fast head sends far more pings than a screen shows; repaints coalesce to about 60 a second
// so that the exchange, not the painting, sets the ping rate. Every ping is still drawn into
// the image.
constexpr int kMinRedrawIntervalMs = 16;

QString modeName(int mode) {
    static const char* const kNames[] = {"Low", "Medium", "High"};
    return QString::fromLatin1(mode >= 0 && mode <= 2 ? kNames[mode] : "n/a");
}

// Commands the frame itself answers.
bool isFrameCommand(CommandId id) {
    return id == CommandId::AppExit || id == CommandId::About || id == CommandId::ViewToolbar ||
           id == CommandId::ViewStatusBar || id == CommandId::FilePlaybackBar ||
           id == CommandId::DefaultLayout || id == CommandId::BeamCoverage;
}
}  // namespace

CMainFrame::CMainFrame() {
    setWindowTitle(QStringLiteral("Keelbrook"));
    mdi_ = new QMdiArea(this);
    mdi_->setBackground(QColor(40, 40, 40));
    // Other windows open beside the sonar window instead of taking over the whole area.
    mdi_->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    setCentralWidget(mdi_);
    buildToolbar();
    buildStatusBars();
    buildPlaybackBar();

    redrawTimer_ = new QTimer(this);
    redrawTimer_->setSingleShot(true);
    connect(redrawTimer_, &QTimer::timeout, this, [this] {
        sinceRedraw_.start();
        if (view_) {
            view_->update();
        }
    });
    sinceRedraw_.start();

    auto* stateTimer = new QTimer(this);
    connect(stateTimer, &QTimer::timeout, this, &CMainFrame::updateCommandStates);
    stateTimer->start(kStateRefreshMs);
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::buildToolbar() {
    toolbar_ = new QToolBar(QStringLiteral("Toolbar"), this);
    toolbar_->setObjectName(QStringLiteral("mainToolbar"));
    toolbar_->setIconSize(QSize(32, 32));
    addToolBar(Qt::LeftToolBarArea, toolbar_);
}

void CMainFrame::buildStatusBars() {
    // Two status bars stacked at the bottom; the platform's frame has room for one only, so both
    // live in a fixed bottom bar of their own.
    statusDock_ = new QToolBar(QStringLiteral("Status"), this);
    statusDock_->setObjectName(QStringLiteral("statusBars"));
    statusDock_->setMovable(false);
    statusDock_->setFloatable(false);
    statusDock_->toggleViewAction()->setVisible(false);
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* a = new QStatusBar;
    auto* b = new QStatusBar;
    a->setObjectName(QStringLiteral("statusBarA"));
    b->setObjectName(QStringLiteral("statusBarB"));
    layout->addWidget(b);
    layout->addWidget(a);
    statusDock_->addWidget(box);
    addToolBar(Qt::BottomToolBarArea, statusDock_);
    status_ = std::make_unique<StatusBars>(a, b);
}

void CMainFrame::buildPlaybackBar() {
    playbackBar_ = new QToolBar(QStringLiteral("File Playback Bar"), this);
    playbackBar_->setObjectName(QStringLiteral("playbackBar"));
    playbackBar_->setMovable(false);
    auto* slider = slider_ = new QSlider(Qt::Horizontal);
    slider->setObjectName(QStringLiteral("playbackPosition"));
    slider->setRange(0, 100);
    slider->setPageStep(10);
    slider->setTickInterval(10);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setMinimumWidth(400);
    auto* progress = speedBar_ = new QProgressBar;
    progress->setObjectName(QStringLiteral("playbackSpeedBar"));
    progress->setRange(0, 10);
    progress->setTextVisible(false);
    auto* speed = speedSpin_ = new QSpinBox;
    speed->setObjectName(QStringLiteral("playbackSpeed"));
    speed->setRange(0, 10);
    playbackBar_->addWidget(new QLabel(QStringLiteral("Progress ")));
    playbackBar_->addWidget(slider);
    playbackBar_->addSeparator();
    playbackBar_->addWidget(new QLabel(QStringLiteral("Play Speed ")));
    playbackBar_->addWidget(progress);
    playbackBar_->addWidget(speed);
    addToolBarBreak(Qt::BottomToolBarArea);
    addToolBar(Qt::BottomToolBarArea, playbackBar_);
    playbackBar_->hide();

    // Only the value at the end of a drag seeks; a click in the groove, the keys and the wheel
    // move the value without a press and seek at once.
    connect(slider, &QSlider::sliderPressed, this,
            [this] { doc_->setPlaybackSliderDragging(true); });
    connect(slider, &QSlider::sliderReleased, this,
            [this] { doc_->seekPlaybackSlider(slider_->value()); });
    connect(slider, &QSlider::valueChanged, this, [this](int value) {
        if (!slider_->isSliderDown()) {
            doc_->seekPlaybackSlider(value);
        }
    });
    connect(speed, &QSpinBox::valueChanged, this, [this](int v) {
        doc_->setPlaybackSpeed(v);
        speedBar_->setValue(doc_->settings().playbackSpeed);
    });
    driver_ = new PlaybackDriver(this);
    setAcceptDrops(true);
}

void CMainFrame::requestIdle() {
    driver_->request();
}

void CMainFrame::setupPlaybackBar(int playSpeed) {
    const QSignalBlocker blockSlider(slider_);
    const QSignalBlocker blockSpin(speedSpin_);
    slider_->setValue(0);
    speedSpin_->setValue(playSpeed);
    speedBar_->setValue(playSpeed);
    playbackBar_->setVisible(doc_->settings().filePlaybackBarVisible);
    // The head's settings mean nothing while a file plays; the saved flag stays as it is.
    showSonarSettings(false);
}

void CMainFrame::setPlaybackSlider(int value) {
    if (!slider_->isSliderDown()) {
        const QSignalBlocker block(slider_);
        slider_->setValue(value);
    }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* e) {
    if (e->mimeData()->hasUrls()) {
        e->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* e) {
    const QList<QUrl> urls = e->mimeData()->urls();
    if (!urls.isEmpty() && urls.first().isLocalFile()) {
        e->acceptProposedAction();
        // Handle it after the drop returns, so the source application is not kept waiting.
        const std::string path = urls.first().toLocalFile().left(255).toStdString();
        QTimer::singleShot(0, this, [this, path] { doc_->openFileForPlayback(path); });
    }
}

void CMainFrame::attachDocument(CKeelbrookDoc& doc) {
    doc_ = &doc;
    driver_->setDocument(&doc);
    view_ = new CKeelbrookView(doc);
    view_->setPaintedCallback([this] { refreshStatus(); });
    view_->setMouseInWorkingArea([this] { return mouseInWorkingArea(); });
    sonarChild_ = mdi_->addSubWindow(view_, Qt::FramelessWindowHint);
    sonarChild_->setWindowTitle(QStringLiteral("Sonar"));
    sonarFill_ = std::make_unique<MdiFill>(mdi_, sonarChild_);
    sonarFill_->fill();
    // The sonar window lies behind the others: clicking into it never buries the beam coverage
    // or the GPS track window, whose menu commands are disabled while they are open.
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* w) {
        if (w && w == sonarChild_) {
            for (QMdiSubWindow* other : mdi_->subWindowList()) {
                if (other != w) {
                    other->raise();
                }
            }
        }
    });
    dialogs_ = std::make_unique<OperatorDialogs>(doc, *this, [this] {
        refreshDiagnostics();
        redrawViews();
        refreshStatus();
    });
    buildMenus();
    refreshStatus();
}

void CMainFrame::refreshDiagnostics() {
    if (dialogs_) {
        dialogs_->refreshDiagnostics();
    }
}

void CMainFrame::showSonarSettings(bool visible) {
    if (dialogs_) {
        dialogs_->showSonarSettings(visible);
    }
}

void CMainFrame::refreshSonarSettings() {
    if (dialogs_) {
        dialogs_->refreshSonarSettings();
    }
}

void CMainFrame::buildMenus() {
    std::map<QString, QMenu*> menus;
    std::map<QString, QMenu*> submenus;
    for (const CommandEntry& e : commandTable()) {
        QMenu*& menu = menus[e.menu];
        if (!menu) {
            menu = menuBar()->addMenu(e.menu);
        }
        if (e.separatorBefore) {
            menu->addSeparator();
        }
        QMenu* target = menu;
        if (!e.submenu.isEmpty()) {
            QMenu*& sub = submenus[e.menu + e.submenu];
            if (!sub) {
                sub = menu->addMenu(e.submenu);
            }
            target = sub;
        }
        auto* a = new QAction(e.text, this);
        a->setToolTip(e.tip);
        a->setStatusTip(e.tip);
        a->setCheckable(e.checkable);
        if (!e.key.isEmpty()) {
            a->setShortcut(e.key);
            a->setShortcutContext(Qt::WindowShortcut);
        }
        connect(a, &QAction::triggered, this, [this, id = e.id] { runCommand(id); });
        target->addAction(a);
        addAction(a);  // keys work wherever the focus is in the frame
        actions_[e.id] = a;
    }
    for (const ToolbarButton& b : toolbarCommands()) {
        if (!b.id) {
            toolbar_->addSeparator();
        } else if (QAction* a = action(*b.id)) {
            a->setIcon(toolbarIcon(*b.id));
            toolbar_->addAction(a);
        }
    }
    updateCommandStates();
}

CBeamChildFrm* CMainFrame::beamWindow() const {
    return beamChild_;
}

QAction* CMainFrame::action(CommandId id) const {
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void CMainFrame::runCommand(CommandId id) {
    switch (id) {
        case CommandId::AppExit:
            close();
            break;
        case CommandId::ViewToolbar:
            toolbar_->setVisible(toolbar_->isHidden());
            doc_->settings().toolBarVisible = !toolbar_->isHidden();
            applyDefaultLayout();
            break;
        case CommandId::ViewStatusBar:
            statusDock_->setVisible(statusDock_->isHidden());
            doc_->settings().statusBarVisible = !statusDock_->isHidden();
            applyDefaultLayout();
            break;
        case CommandId::FilePlaybackBar:
            if (doc_->playback()) {
                playbackBar_->setVisible(playbackBar_->isHidden());
                doc_->settings().filePlaybackBarVisible = !playbackBar_->isHidden();
                applyDefaultLayout();
            }
            break;
        case CommandId::DefaultLayout:
            // The command also puts the track window back at its default place; the layout
            // alone (bars toggled, playback opened) leaves it where the user put it.
            applyDefaultLayout();
            if (gps_) {
                const QSize screen = this->screen() ? this->screen()->size() : QSize(1920, 1080);
                gps_->placeAtDefault(screen.width(), screen.height());
            }
            break;
        case CommandId::About:
            emit aboutRequested();
            break;
        case CommandId::BeamCoverage:
            if (!beamChild_) {
                beamChild_ =
                    CBeamChildFrm::open(mdi_, *doc_, [this](CommandId c) { return action(c); });
            }
            break;
        default:
            if (id == CommandId::Restore && gps_ && gps_->restoreIfActive()) {
                break;
            }
            if (!dialogs_->execute(id) && !view_->execute(id)) {
                doc_->execute(id);
            }
            break;
    }
    updateCommandStates();
    refreshStatus();
}

void CMainFrame::updateCommandStates() {
    if (!doc_) {
        return;
    }
    for (auto& [id, a] : actions_) {
        bool enabled = true;
        bool checked = false;
        if (id == CommandId::ViewToolbar) {
            checked = !toolbar_->isHidden();
        } else if (id == CommandId::ViewStatusBar) {
            checked = !statusDock_->isHidden();
        } else if (id == CommandId::FilePlaybackBar) {
            enabled = doc_->playback();
            checked = !playbackBar_->isHidden();
        } else if (id == CommandId::BeamCoverage) {
            enabled = beamChild_.isNull();
        } else if (const auto dialog = dialogs_->state(id)) {
            enabled = dialog->enabled;
            checked = dialog->checked;
        } else if (CKeelbrookView::isViewCommand(id)) {
            enabled = view_->isEnabled(id);
            checked = view_->isChecked(id).value_or(false);
        } else if (!isFrameCommand(id)) {
            // Frame and view commands are always available; the rest ask the document.
            enabled = doc_->isEnabled(id);
            checked = doc_->isChecked(id);
        }
        if (id >= CommandId::RecentFile1 && id <= CommandId::RecentFile4) {
            const int n = static_cast<int>(id) - static_cast<int>(CommandId::RecentFile1) + 1;
            const QString path = QString::fromStdString(doc_->recentFiles().entry(n));
            a->setVisible(!path.isEmpty());
            a->setText(QStringLiteral("&%1 %2").arg(n).arg(path));
        }
        if (a->isEnabled() != enabled) {
            a->setEnabled(enabled);
        }
        if (a->isCheckable() && a->isChecked() != checked) {
            a->setChecked(checked);
        }
    }
}

bool CMainFrame::event(QEvent* e) {
    if (e->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(e)->tip();
        status_->setMessage(tip.isEmpty() ? QStringLiteral("Ready") : tip);
        return true;
    }
    return QMainWindow::event(e);
}

bool CMainFrame::mouseInWorkingArea() const {
    return mdi_->rect().contains(mdi_->mapFromGlobal(QCursor::pos()));
}

void CMainFrame::redrawViews() {
    if (redrawTimer_->isActive()) {
        return;
    }
    const qint64 since = sinceRedraw_.elapsed();
    redrawTimer_->start(since >= kMinRedrawIntervalMs ? 0 : int(kMinRedrawIntervalMs - since));
}

void CMainFrame::refreshStatus() {
    if (!doc_ || !view_) {
        return;
    }
    updateTitle();
    StatusBars& s = *status_;
    const SwitchCommand& cmd = doc_->head().command();
    s.setText(StatusBars::Zoom, QString::fromStdString(waterfall_view::zoomText(view_->zoom())));
    s.setText(StatusBars::Gain, QStringLiteral("%1%").arg(cmd.dataGain()));
    s.setText(StatusBars::Freq, modeName(cmd.modeFreq()));
    s.setText(StatusBars::Range, QString::fromStdString(waterfall_view::rangeText(
                                     cmd.rangeIndex(), doc_->settings().units == 1)));
    s.setText(StatusBars::Target, view_->targetText());
    const CKeelbrookView::MouseTexts& m = view_->mouseTexts();
    s.setText(StatusBars::MouseDate, m[0]);
    s.setText(StatusBars::MouseTime, m[1]);
    s.setText(StatusBars::MouseLatitude, m[2]);
    s.setText(StatusBars::MouseLongitude, m[3]);
    s.setText(StatusBars::MouseSpeed, m[4]);
    s.setText(StatusBars::MouseHeading, m[5]);
    s.setText(StatusBars::MouseGpsDate, m[6]);
    s.setText(StatusBars::MouseGpsTime, m[7]);
}

void CMainFrame::setDocumentTitle(const std::string& title) {
    documentTitle_ = title;
    updateTitle();
}

void CMainFrame::updateTitle() {
    QString title = QStringLiteral("Keelbrook - ") + QString::fromStdString(documentTitle_);
    if (doc_ && doc_->recording()) {
        title += QStringLiteral("  Saved: %1 kBytes").arg(doc_->recordedBytes() / 1024);
    }
    if (beamChild_ && beamChild_->view()->previewDialog()) {
        title = QString::fromLatin1(CBeamCoverView::kPreviewTitle);
    }
    if (windowTitle() != title) {
        setWindowTitle(title);
    }
}

void CMainFrame::setMenuText(CommandId id, const std::string& text) {
    if (QAction* a = action(id)) {
        a->setText(QString::fromStdString(text));
    }
}

void CMainFrame::showPlaybackBar(bool visible) {
    playbackBar_->setVisible(visible);
}

void CMainFrame::showBars(bool toolBar, bool statusBars) {
    toolbar_->setVisible(toolBar);
    statusDock_->setVisible(statusBars);
    applyDefaultLayout();
    updateCommandStates();
}

void CMainFrame::applySettings() {
    showBars(doc_->settings().toolBarVisible, doc_->settings().statusBarVisible);
}

void CMainFrame::applyDefaultLayout() {
    // The sonar window fills the client area less the bars; the frame's layout does the sums.
    if (sonarFill_) {
        sonarFill_->fill();
    }
}
