#pragma once

#include <QWidget>

class QTimer;

// A pair of spin arrows that reports line steps and the end of a scroll separately, so a held
// arrow can speed up and a release can reset it. Holding the mouse button or the arrow key
// repeats the step.
class SpinArrows : public QWidget {
    Q_OBJECT
  public:
    explicit SpinArrows(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {18, 24}; }

  signals:
    void lineStep(int direction);  // +1 up, -1 down
    void scrollEnded();

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void changeEvent(QEvent* e) override;

  private:
    void stop();
    QTimer* repeat_;
    int held_ = 0;
};
