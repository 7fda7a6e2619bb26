#pragma once

#include <QWidget>

#include "display/ConnectionBanner.h"

class CKeelbrookDoc;

// The sonar window's view: black until a ping is drawn, with the connection state texts.
class CKeelbrookView : public QWidget {
    Q_OBJECT
  public:
    explicit CKeelbrookView(CKeelbrookDoc& doc, QWidget* parent = nullptr);

    // Width of the image part: the client width rounded down to a multiple of 4, less the
    // colour indicator when shown.
    int imageWidth() const;
    int drawnWidth() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    CKeelbrookDoc& doc_;
    ConnectionBanner banner_;
};
