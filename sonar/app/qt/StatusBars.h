#pragma once

#include <QStatusBar>
#include <QString>
#include <map>

class QLabel;

// The two status bars of the frame and their panes, each pane known by its string-table id.
class StatusBars {
  public:
    // Pane ids whose text changes at run time.
    enum Pane : int {
        Zoom = 59156,
        Gain = 59160,
        Freq = 59145,
        MouseTime = 59150,
        MouseLongitude = 59167,
        MouseHeading = 59171,
        MouseGpsTime = 59173,
        Range = 59144,
        Target = 59158,
        MouseDate = 59148,
        MouseLatitude = 59165,
        MouseSpeed = 59169,
        MouseGpsDate = 59172,
    };

    StatusBars(QStatusBar* a, QStatusBar* b);

    void setText(Pane pane, const QString& text);
    // The message pane of bar A: menu prompts and "Ready".
    void setMessage(const QString& text);
    QString text(Pane pane) const;
    QStatusBar* barA() const { return a_; }
    QStatusBar* barB() const { return b_; }

  private:
    struct PaneSpec {
        int id;
        const char* text;
        int width;
        bool border;
    };
    void build(QStatusBar* bar, const PaneSpec* specs, int count, int messageWidth);

    QStatusBar* a_;
    QStatusBar* b_;
    std::map<int, QLabel*> panes_;
    QLabel* message_ = nullptr;
};
