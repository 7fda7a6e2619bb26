#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <map>
#include <memory>

#include "acquisition/Ports.h"

class CBeamChildFrm;
class CKeelbrookDoc;
class CKeelbrookView;
class QAction;
class QMdiArea;
class QMdiSubWindow;
class QTimer;
class QToolBar;
class StatusBars;
class GpsWindows;
class MdiFill;
class OperatorDialogs;
class PlaybackBar;

// The multiple-document frame: menu, toolbar docked at the left, status bars A and B, the file
// playback bar, and the sonar window filling what is left of the client area.
class CMainFrame : public QMainWindow, public FrameUi {
    Q_OBJECT
  public:
    CMainFrame();
    ~CMainFrame() override;

    void attachDocument(CKeelbrookDoc& doc);
    // Bar visibility from the loaded settings.
    void applySettings();
    CKeelbrookView* sonarView() const { return view_; }
    QAction* action(CommandId id) const;
    StatusBars& statusBars() { return *status_; }
    OperatorDialogs& dialogs() { return *dialogs_; }
    QToolBar* toolbar() const { return toolbar_; }
    QToolBar* playbackBar() const { return playbackBar_; }
    QMdiArea* mdiArea() const { return mdi_; }
    void setGpsWindows(GpsWindows* gps) { gps_ = gps; }
    CBeamChildFrm* beamWindow() const;

    void redrawViews() override;
    void refreshStatus() override;
    void refreshDiagnostics() override;
    void showSonarSettings(bool visible) override;
    void refreshSonarSettings() override;
    void setDocumentTitle(const std::string& title) override;
    void setMenuText(CommandId id, const std::string& text) override;
    void showPlaybackBar(bool visible) override;
    void showBars(bool toolBar, bool statusBars) override;
    void applyDefaultLayout() override;
    void setupPlaybackBar(int playSpeed) override;
    void setPlaybackSlider(int value) override;
    void requestIdle() override;

    // Menu and toolbar state from the document and the view (enabled, checked).
    void updateCommandStates();
    void runCommand(CommandId id);

  signals:
    void aboutRequested();

  protected:
    bool event(QEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

  private:
    void buildMenus();
    void buildToolbar();
    void buildStatusBars();
    void buildPlaybackBar();
    bool mouseInWorkingArea() const;
    void updateTitle();

    CKeelbrookDoc* doc_ = nullptr;
    QMdiArea* mdi_ = nullptr;
    QMdiSubWindow* sonarChild_ = nullptr;
    CKeelbrookView* view_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QToolBar* statusDock_ = nullptr;
    QToolBar* playbackBar_ = nullptr;
    QPointer<CBeamChildFrm> beamChild_;
    std::unique_ptr<StatusBars> status_;
    std::unique_ptr<OperatorDialogs> dialogs_;
    std::map<CommandId, QAction*> actions_;
    QTimer* redrawTimer_ = nullptr;
    class PlaybackDriver* driver_ = nullptr;
    class QSlider* slider_ = nullptr;
    class QProgressBar* speedBar_ = nullptr;
    class QSpinBox* speedSpin_ = nullptr;
    std::string documentTitle_;
    QElapsedTimer sinceRedraw_;
    GpsWindows* gps_ = nullptr;
    std::unique_ptr<MdiFill> sonarFill_;
};
