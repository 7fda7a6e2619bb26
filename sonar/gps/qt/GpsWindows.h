#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

#include "acquisition/CommandIds.h"
#include "gps/GpsPorts.h"

class CKeelbrookDoc;
class CGPSTrackView;
class CGpsPortDlg;
class QMdiArea;
class QMdiSubWindow;

// The GPS windows of the frame: the track window (an MDI child) and the port dialog. The
// document reaches them through GpsUi.
class GpsWindows : public QObject, public GpsUi {
    Q_OBJECT
  public:
    static constexpr const char* kTrackTitle = "Keelbrook - GPS position tracking";

    explicit GpsWindows(QWidget* dialogParent) : dialogParent_(dialogParent) {}
    ~GpsWindows() override;

    void setDocument(CKeelbrookDoc* doc, GpsSources* sources, QMdiArea* mdi,
                     std::function<void(CommandId)> runCommand);

    void showTrackWindow() override;
    bool trackWindowOpen() const override;
    void resetTrackView() override;
    void showPortDialog() override;
    void sentencesChanged() override;
    void trackChanged() override;

    // The default layout: the track window at its default place (lower left), shown.
    void placeAtDefault(int screenWidth, int screenHeight);
    // "&Restore image" while the track window is the active one; false otherwise.
    bool restoreIfActive();

    CGPSTrackView* trackView() const;
    CGpsPortDlg* portDialog() const { return dialog_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    void placeTrackWindow();

    QWidget* dialogParent_;
    CKeelbrookDoc* doc_ = nullptr;
    GpsSources* sources_ = nullptr;
    QMdiArea* mdi_ = nullptr;
    std::function<void(CommandId)> runCommand_;
    QPointer<QMdiSubWindow> trackChild_;
    CGpsPortDlg* dialog_ = nullptr;
};
