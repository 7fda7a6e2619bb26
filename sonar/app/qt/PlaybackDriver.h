#pragma once

#include <QObject>

class CKeelbrookDoc;
class QTimer;

// Gives playback its turns of the event loop: one ping per turn, each when the document's pace
// lets it, so the window answers between pings at every play speed.
class PlaybackDriver : public QObject {
    Q_OBJECT
  public:
    explicit PlaybackDriver(QObject* parent = nullptr);

    void setDocument(CKeelbrookDoc* doc) { doc_ = doc; }
    // Playback wants turns again (opened, resumed, sought, a new speed).
    void request();
    bool active() const;

  private:
    void turn();

    CKeelbrookDoc* doc_ = nullptr;
    QTimer* timer_ = nullptr;
};
