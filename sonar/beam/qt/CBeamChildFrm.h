#pragma once

#include <QMdiSubWindow>

#include "beam/qt/CBeamCoverView.h"

class QMdiArea;

// The beam coverage window: an MDI child of the main frame holding the diagram view. It is
// deleted when closed, so the next opening starts again from the sonar settings.
class CBeamChildFrm : public QMdiSubWindow {
    Q_OBJECT
  public:
    static constexpr const char* kTitle = "Keelbrook - Beam Coverage";

    static CBeamChildFrm* open(QMdiArea* area, const BeamSettingsSource& source,
                               CBeamCoverView::FrameAction frameAction);
    CBeamCoverView* view() const { return view_; }

  private:
    CBeamChildFrm(const BeamSettingsSource& source, CBeamCoverView::FrameAction frameAction);

    CBeamCoverView* view_;
};
