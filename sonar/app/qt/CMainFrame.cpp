#include "app/qt/CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "acquisition/CKeelbrookDoc.h"
#include "app/qt/CommandTable.h"
#include "display/qt/CKeelbrookView.h"

namespace {
constexpr int kStateRefreshMs = 250;
constexpr const char* kModeNames[] = {"Low", "Medium", "High"};

// Toolbar icons are drawn, so they stay sharp at any scale and need no image files.
QIcon glyphIcon(const QString& glyph) {
    QPixmap pm(38, 36);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.setBrush(QColor(230, 230, 210));
    p.drawRoundedRect(QRectF(2, 2, 34, 32), 5, 5);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(glyph.size() > 2 ? 11 : 16);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(2, 2, 34, 32), Qt::AlignCenter, glyph);
    return QIcon(pm);
}
}  // namespace

CMainFrame::CMainFrame() {
    setWindowTitle(QStringLiteral("Keelbrook"));
    mdi_ = new QMdiArea(this);
    mdi_->setBackground(QColor(60, 60, 60));
    setCentralWidget(mdi_);

    toolbar_ = new QToolBar(QStringLiteral("Toolbar"), this);
    toolbar_->setObjectName(QStringLiteral("mainToolbar"));
    toolbar_->setIconSize(QSize(38, 36));
    addToolBar(Qt::LeftToolBarArea, toolbar_);

    statusSettings_ = new QLabel(this);
    statusBar()->addPermanentWidget(statusSettings_);
    statusBar()->showMessage(QStringLiteral("Ready"));

    auto* stateTimer = new QTimer(this);
    connect(stateTimer, &QTimer::timeout, this, &CMainFrame::updateCommandStates);
    stateTimer->start(kStateRefreshMs);
}

void CMainFrame::attachDocument(CKeelbrookDoc& doc) {
    doc_ = &doc;
    view_ = new CKeelbrookView(doc);
    sonarChild_ = mdi_->addSubWindow(view_, Qt::FramelessWindowHint);
    sonarChild_->setWindowTitle(QStringLiteral("Sonar"));
    sonarChild_->showMaximized();
    buildCommands();
    refreshStatus();
}

void CMainFrame::applySettings() {
    toolbar_->setVisible(doc_->settings().toolBarVisible);
    statusBar()->setVisible(doc_->settings().statusBarVisible);
    applyDefaultLayout();
    updateCommandStates();
}

void CMainFrame::buildCommands() {
    std::map<QString, QMenu*> menus;
    for (const CommandEntry& e : commandTable()) {
        QMenu*& menu = menus[e.menu];
        if (!menu) {
            menu = menuBar()->addMenu(e.menu);
        }
        if (e.separatorBefore) {
            menu->addSeparator();
        }
        auto* a = new QAction(e.text, this);
        a->setToolTip(e.tip);
        a->setStatusTip(e.tip);
        if (!e.key.isEmpty()) {
            a->setShortcut(e.key);
        }
        const bool checkable = e.id == CommandId::Hold || e.id == CommandId::ViewToolbar ||
                               e.id == CommandId::ViewStatusBar;
        a->setCheckable(checkable);
        if (!e.glyph.isEmpty()) {
            if (e.separatorBefore) {
                toolbar_->addSeparator();
            }
            a->setIcon(glyphIcon(e.glyph));
            toolbar_->addAction(a);
        }
        connect(a, &QAction::triggered, this, [this, id = e.id] { runCommand(id); });
        menu->addAction(a);
        addAction(a);  // keys work wherever the focus is
        actions_[e.id] = a;
    }
    updateCommandStates();
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
            statusBar()->setVisible(statusBar()->isHidden());
            doc_->settings().statusBarVisible = !statusBar()->isHidden();
            applyDefaultLayout();
            break;
        case CommandId::About:
            emit aboutRequested();
            break;
        default:
            if (doc_) {
                doc_->execute(id);
            }
            break;
    }
    updateCommandStates();
}

void CMainFrame::updateCommandStates() {
    if (!doc_) {
        return;
    }
    for (auto& [id, a] : actions_) {
        switch (id) {
            case CommandId::AppExit:
            case CommandId::About:
                a->setEnabled(true);
                break;
            case CommandId::ViewToolbar:
                a->setChecked(!toolbar_->isHidden());
                break;
            case CommandId::ViewStatusBar:
                a->setChecked(!statusBar()->isHidden());
                break;
            default:
                a->setEnabled(doc_->isEnabled(id));
                if (a->isCheckable()) {
                    a->setChecked(doc_->isChecked(id));
                }
                break;
        }
    }
}

void CMainFrame::redrawViews() {
    if (view_) {
        view_->update();
    }
}

void CMainFrame::refreshStatus() {
    if (!doc_) {
        return;
    }
    const SwitchCommand& cmd = doc_->head().command();
    const int mode = cmd.modeFreq();
    const char* modeName = mode >= 0 && mode <= 2 ? kModeNames[mode] : "n/a";
    const int metres = rangeMetres(cmd.rangeIndex());
    const bool feet = doc_->settings().units == 1;
    statusSettings_->setText(QStringLiteral("Range: %1   Gain: %2%   Freq: %3")
                                 .arg(feet ? QStringLiteral("%1 ft").arg(metres * 3)
                                           : QStringLiteral("%1 m").arg(metres))
                                 .arg(cmd.dataGain())
                                 .arg(QString::fromLatin1(modeName)));
}

void CMainFrame::setDocumentTitle(const std::string& title) {
    setWindowTitle(QStringLiteral("Keelbrook - ") + QString::fromStdString(title));
}

void CMainFrame::setMenuText(CommandId id, const std::string& text) {
    if (QAction* a = action(id)) {
        a->setText(QString::fromStdString(text));
    }
}

void CMainFrame::showPlaybackBar(bool) {}

void CMainFrame::applyDefaultLayout() {
    if (sonarChild_) {
        sonarChild_->showMaximized();
    }
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    applyDefaultLayout();
}
