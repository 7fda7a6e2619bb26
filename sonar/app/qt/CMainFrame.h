#pragma once

#include <QMainWindow>
#include <map>

#include "acquisition/Ports.h"

class CKeelbrookDoc;
class CKeelbrookView;
class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QToolBar;

// The multiple-document frame: menu, toolbar at the left, status bar, and the sonar window
// filling the client area.
class CMainFrame : public QMainWindow, public FrameUi {
    Q_OBJECT
  public:
    CMainFrame();

    void attachDocument(CKeelbrookDoc& doc);
    // Bar visibility from the loaded settings.
    void applySettings();
    CKeelbrookView* sonarView() const { return view_; }
    QAction* action(CommandId id) const;

    void redrawViews() override;
    void refreshStatus() override;
    void refreshDiagnostics() override {}
    void setDocumentTitle(const std::string& title) override;
    void setMenuText(CommandId id, const std::string& text) override;
    void showPlaybackBar(bool visible) override;
    void applyDefaultLayout() override;

    // Menu and toolbar state from the document (enabled, checked).
    void updateCommandStates();

  signals:
    void aboutRequested();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildCommands();
    void runCommand(CommandId id);

    CKeelbrookDoc* doc_ = nullptr;
    QMdiArea* mdi_ = nullptr;
    QMdiSubWindow* sonarChild_ = nullptr;
    CKeelbrookView* view_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QLabel* statusSettings_ = nullptr;
    std::map<CommandId, QAction*> actions_;
};
