#pragma once

#include <QMainWindow>
#include <QPrinter>
#include <map>
#include <memory>

#include "sensorcfg/CommandTable.h"

class CQuorelDoc;
class CQuorelView;
class Profile;
class QAction;
class QToolBar;
class SensorLinkController;
class SensorPrompts;

// The single-document main window: menus, toolbar, status bar and the summary view. It keeps
// its placement in the profile and runs the commands of the table.
class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    CMainFrame(CQuorelDoc& doc, Profile& profile, SensorPrompts& prompts);
    ~CMainFrame() override;

    QAction* action(SensorCommand id) const;
    CQuorelView* view() const { return view_; }
    SensorLinkController& link() { return *link_; }
    QToolBar* toolbar() const { return toolbar_; }
    QPrinter& printer() { return printer_; }

    // The link state the enabling rules see.
    CommandContext context() const;
    void updateCommandStates();
    // Runs a command as its menu item would; a disabled command does nothing.
    void runCommand(SensorCommand id);
    // Title, summary and recent-file menu after the document changed.
    void documentChanged();

    // Shows the window where the profile says it was; writes it back on close.
    void showWithPlacement();
    void savePlacement();

  protected:
    void closeEvent(QCloseEvent* e) override;

  private:
    void buildMenus();
    void buildToolbar();
    void updateRecentFiles();
    void runDialogCommand(SensorCommand id);
    void runLinkCommand(SensorCommand id);
    void printPreview();
    void print();

    CQuorelDoc& doc_;
    Profile& profile_;
    SensorPrompts& prompts_;
    CQuorelView* view_;
    QToolBar* toolbar_ = nullptr;
    std::map<SensorCommand, QAction*> actions_;
    QPrinter printer_;
    std::unique_ptr<SensorLinkController> link_;
};
