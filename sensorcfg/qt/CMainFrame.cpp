#include "sensorcfg/qt/CMainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "sensorcfg/CQuorelDoc.h"
#include "sensorcfg/WindowPlacement.h"
#include "sensorcfg/qt/CAboutDlg.h"
#include "sensorcfg/qt/CCommSetupDlg.h"
#include "sensorcfg/qt/CMonitorDlg.h"
#include "sensorcfg/qt/CNmeaSelectDlg.h"
#include "sensorcfg/qt/CQuorelView.h"
#include "sensorcfg/qt/CSensorConfigDlg.h"
#include "sensorcfg/qt/SensorLinkController.h"
#include "sensorcfg/qt/SensorToolbarIcons.h"

namespace {
using S = SensorCommand;
constexpr int kStateRefreshMs = 250;

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

int recentIndex(SensorCommand id) {
    return static_cast<int>(id) - static_cast<int>(S::RecentFile1) + 1;
}
}  // namespace

CMainFrame::CMainFrame(CQuorelDoc& doc, Profile& profile, SensorPrompts& prompts)
    : doc_(doc),
      profile_(profile),
      prompts_(prompts),
      view_(new CQuorelView(doc)),
      printer_(QPrinter::HighResolution) {
    setObjectName(QStringLiteral("sentrimMainFrame"));
    setCentralWidget(view_);
    buildMenus();
    buildToolbar();
    auto* ready = new QLabel(QStringLiteral("Ready"));
    statusBar()->addWidget(ready, 1);
    link_ = std::make_unique<SensorLinkController>(
        doc_, profile_, prompts_, *this,
        SensorLinkController::FrameHooks{[this] { updateCommandStates(); },
                                         [this] { documentChanged(); }});
    doc_.setDownloadHandler([this] { link_->session().download(); });
    auto* refresh = new QTimer(this);
    connect(refresh, &QTimer::timeout, this, &CMainFrame::updateCommandStates);
    refresh->start(kStateRefreshMs);
    documentChanged();
}

CMainFrame::~CMainFrame() {
    doc_.setDownloadHandler({});
}

void CMainFrame::buildMenus() {
    std::map<std::string, QMenu*> menus;
    for (const std::string& name : sensorMenus()) {
        QMenu* menu = menuBar()->addMenu(qs(name));
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::updateCommandStates);
        menus[name] = menu;
    }
    for (const SensorCommandEntry& e : sensorCommandTable()) {
        auto* a = new QAction(qs(e.text), this);
        a->setObjectName(QStringLiteral("command%1").arg(static_cast<int>(e.id)));
        a->setStatusTip(qs(e.prompt));
        a->setToolTip(qs(e.tip));
        a->setCheckable(e.checkable);
        if (!e.key.empty()) {
            a->setShortcut(QKeySequence::fromString(qs(e.key)));
        }
        connect(a, &QAction::triggered, this, [this, id = e.id] { runCommand(id); });
        actions_[e.id] = a;
        if (e.menu.empty()) {
            addAction(a);  // key only
            continue;
        }
        QMenu* menu = menus.at(e.menu);
        if (e.separatorBefore) {
            menu->addSeparator();
        }
        menu->addAction(a);
    }
    menus.at("&File")->insertSeparator(action(S::FilePrint));
}

void CMainFrame::buildToolbar() {
    toolbar_ = new QToolBar(QStringLiteral("Toolbar"), this);
    toolbar_->setObjectName(QStringLiteral("toolbar"));
    toolbar_->setIconSize(QSize(24, 24));
    for (const auto& id : sensorToolbar()) {
        if (!id) {
            toolbar_->addSeparator();
            continue;
        }
        QAction* a = action(*id);
        a->setIcon(sensorToolbarIcon(*id));
        toolbar_->addAction(a);
    }
    addToolBar(Qt::TopToolBarArea, toolbar_);
}

QAction* CMainFrame::action(SensorCommand id) const {
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

CommandContext CMainFrame::context() const {
    const SensorSession& s = link_->session();
    return {s.connected(), true, doc_.config().model, s.busy()};
}

void CMainFrame::updateCommandStates() {
    const CommandContext c = context();
    for (const auto& [id, a] : actions_) {
        a->setEnabled(isSensorCommandEnabled(id, c));
    }
    action(S::ViewToolbar)->setChecked(!toolbar_->isHidden());
    action(S::ViewStatusBar)->setChecked(!statusBar()->isHidden());
    updateRecentFiles();
}

void CMainFrame::updateRecentFiles() {
    const auto& entries = doc_.recentFiles().entries();
    const bool none = entries[0].empty();
    for (int n = 1; n <= 4; ++n) {
        QAction* a = action(static_cast<S>(static_cast<int>(S::RecentFile1) + n - 1));
        const std::string& path = entries[static_cast<std::size_t>(n - 1)];
        if (n == 1 && none) {
            a->setText(QStringLiteral("Recent File"));
            a->setEnabled(false);
            a->setVisible(true);
            continue;
        }
        a->setVisible(!path.empty());
        a->setText(QStringLiteral("&%1 %2").arg(n).arg(qs(path)));
    }
}

void CMainFrame::documentChanged() {
    setWindowTitle(qs(doc_.windowTitle()));
    view_->refresh();
    updateRecentFiles();
}

void CMainFrame::runCommand(SensorCommand id) {
    updateCommandStates();
    if (!isSensorCommandEnabled(id, context())) {
        return;
    }
    switch (id) {
        case S::FileNew:
            doc_.newDocument(S::FileNew);
            break;
        case S::FileOpen:
            doc_.openWithDialog();
            break;
        case S::FileSave:
            doc_.save();
            break;
        case S::FileSaveAs:
            doc_.saveAs();
            break;
        case S::RecentFile1:
        case S::RecentFile2:
        case S::RecentFile3:
        case S::RecentFile4:
            doc_.openRecent(recentIndex(id));
            break;
        case S::FilePrint:
            print();
            break;
        case S::FilePrintPreview:
            printPreview();
            break;
        case S::FilePrintSetup: {
            QPageSetupDialog setup(&printer_, this);
            setup.exec();
            break;
        }
        case S::AppExit:
            close();
            break;
        case S::GetConfiguration:
            doc_.newDocument(S::GetConfiguration);
            break;
        case S::Connect:
        case S::Disconnect:
        case S::SendConfiguration:
        case S::SwitchToNmeaMode:
        case S::SwitchToTavrinMode:
        case S::UpdateSoftware:
        case S::ViewMonitor:
            runLinkCommand(id);
            break;
        case S::ViewToolbar:
            toolbar_->setVisible(toolbar_->isHidden());
            break;
        case S::ViewStatusBar:
            statusBar()->setVisible(statusBar()->isHidden());
            break;
        default:
            runDialogCommand(id);
            break;
    }
    documentChanged();
    updateCommandStates();
}

void CMainFrame::runDialogCommand(SensorCommand id) {
    switch (id) {
        case S::SensorConfiguration: {
            SensorSession& session = link_->session();
            CSensorConfigDlg dlg(
                doc_, prompts_, session.connected(),
                [&session](const std::string& sentence, std::function<void(bool)> done) {
                    session.sendVerified(sentence, std::move(done));
                },
                this);
            dlg.exec();
            break;
        }
        case S::NmeaSelections: {
            CNmeaSelectDlg dlg(doc_, this);
            dlg.exec();
            break;
        }
        case S::CommSetup: {
            CCommSetupDlg dlg(doc_, profile_, this);
            dlg.exec();
            break;
        }
        case S::About: {
            CAboutDlg dlg(this);
            dlg.exec();
            break;
        }
        default:
            break;
    }
}

void CMainFrame::runLinkCommand(SensorCommand id) {
    SensorSession& session = link_->session();
    switch (id) {
        case S::Connect:
            session.connect();
            break;
        case S::Disconnect:
            session.disconnect();
            break;
        case S::SendConfiguration:
            session.sendConfiguration();
            break;
        case S::SwitchToNmeaMode:
            session.switchToNmeaMode();
            break;
        case S::SwitchToTavrinMode:
            session.switchToTavrinMode();
            break;
        case S::UpdateSoftware:
            session.updateSoftware();
            break;
        case S::ViewMonitor:
            link_->openMonitor();
            break;
        default:
            break;
    }
}

void CMainFrame::print() {
    QPrintDialog dlg(&printer_, this);
    if (dlg.exec() == QDialog::Accepted) {
        view_->print(printer_);
    }
}

void CMainFrame::printPreview() {
    QPrintPreviewDialog preview(&printer_, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* p) { view_->print(*p); });
    preview.exec();
}

void CMainFrame::showWithPlacement() {
    const WindowPlacement p = readWindowPlacement(profile_);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const WindowRect r = normalRect(p, screen.width(), screen.height());
    setGeometry(r.left, r.top, r.width(), r.height());
    toolbar_->setVisible(p.toolbar);
    statusBar()->setVisible(p.statusBar);
    switch (windowShow(p)) {
        case WindowShow::Normal:
            show();
            break;
        case WindowShow::Maximized:
            showMaximized();
            break;
        case WindowShow::Minimized:
            showMinimized();
            break;
        case WindowShow::MinimizedRestoringMaximized:
            setWindowState(Qt::WindowMinimized | Qt::WindowMaximized);
            show();
            break;
    }
}

void CMainFrame::savePlacement() {
    QRect n = normalGeometry();
    if (!n.isValid()) {
        n = geometry();
    }
    WindowPlacement p;
    p.normal = WindowRect{n.left(), n.top(), n.left() + n.width(), n.top() + n.height()};
    p.minimized = windowState().testFlag(Qt::WindowMinimized);
    p.maximized = windowState().testFlag(Qt::WindowMaximized);
    p.toolbar = !toolbar_->isHidden();
    p.statusBar = !statusBar()->isHidden();
    writeWindowPlacement(profile_, p);
}

void CMainFrame::closeEvent(QCloseEvent* e) {
    // Closing during an operation cancels it first; one that cannot stop at once keeps the
    // window open.
    SensorSession& session = link_->session();
    if (session.busy()) {
        session.onCancel();
    }
    if (session.busy() || !doc_.saveModified()) {
        e->ignore();
        return;
    }
    savePlacement();
    if (link_->monitor()) {
        link_->monitor()->close();
    }
    session.disconnect();
    e->accept();
}
