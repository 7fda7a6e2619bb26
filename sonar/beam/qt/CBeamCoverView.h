#pragma once

#include <QPointer>
#include <QPrintPreviewDialog>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>

#include "acquisition/CommandIds.h"
#include "beam/BeamAutoRepeat.h"
#include "beam/BeamCoverageState.h"
#include "beam/qt/BeamPainter.h"

class BeamSettingsSource;
class QAction;
class QMenu;
class QPrinter;
class QPushButton;
class QTimer;

// One-shot QTimers by id for the panel's auto-repeat.
class QtRepeatTimer : public beam::RepeatTimer {
  public:
    explicit QtRepeatTimer(QObject* owner, std::function<void(int)> expired)
        : owner_(owner), expired_(std::move(expired)) {}
    void start(int id, unsigned milliseconds) override;
    void stop(int id) override;

  private:
    QObject* owner_;
    std::function<void(int)> expired_;
    std::map<int, QTimer*> timers_;
};

// The beam coverage diagram with its side panel. It takes the sonar settings once, when it is
// created, and then keeps its own values; it draws what the core computes and forwards input.
class CBeamCoverView : public QWidget {
    Q_OBJECT
  public:
    // The main frame's action of a command (Hold, Default Layout), or null.
    using FrameAction = std::function<QAction*(CommandId)>;

    static constexpr const char* kPreviewTitle = "Keelbrook - Beam Coverage - Print Preview";

    CBeamCoverView(const BeamSettingsSource& source, FrameAction frameAction,
                   QWidget* parent = nullptr);
    ~CBeamCoverView() override;

    const beam::BeamCoverageState& state() const { return state_; }
    QPushButton* button(beam::BeamButton id) const;

    // The screen picture; paint events and offscreen renders both come here.
    void paintView(QPainter& p);
    // One printed page on a device of this size in pixels: title, diagram, values, maker lines.
    void paintPage(QPainter& p, QSize device);
    // The print path of both Print and Preview.
    void print(QPrinter* printer);
    void printWithDialog();
    void printPreview();
    QPrintPreviewDialog* previewDialog() const { return preview_; }
    // Context menu 134; the caller owns it.
    QMenu* createContextMenu();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void createButtons();
    void placeButtons();
    void clicked(beam::BeamButton id);
    void valuesChanged(bool changed);
    void previewFinished();

    beam::BeamCoverageState state_;
    QtRepeatTimer timer_;
    beam::BeamAutoRepeat repeat_;
    FrameAction frameAction_;
    BeamPainter painter_;
    std::map<beam::BeamButton, QPushButton*> buttons_;
    bool printing_ = false;
    QPointer<QPrintPreviewDialog> preview_;
    QString titleBeforePreview_;
    bool holdSetByPreview_ = false;
};
