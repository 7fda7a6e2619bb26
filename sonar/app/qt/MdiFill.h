#pragma once

#include <QObject>
#include <QPointer>

class QMdiArea;
class QMdiSubWindow;

// Keeps one child window filling the MDI area while shown normally, beneath the other children.
// A maximised child would make every other child maximised as soon as it is activated, so the
// GPS track window would cover the sonar window whenever it was clicked.
// Owned by the frame and gone before the area, so no event reaches it from an area being
// taken down.
class MdiFill : public QObject {
  public:
    MdiFill(QMdiArea* area, QMdiSubWindow* child);

    // Places the child over the whole area now.
    void fill();

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    QMdiArea* area_;
    QPointer<QMdiSubWindow> child_;
};
