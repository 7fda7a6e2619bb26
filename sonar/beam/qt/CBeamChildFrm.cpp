#include "beam/qt/CBeamChildFrm.h"

#include <QMdiArea>

namespace {
constexpr int kDefaultWidth = 1500;
constexpr int kDefaultHeight = 940;
constexpr int kOffset = 30;
}  // namespace

CBeamChildFrm::CBeamChildFrm(const BeamSettingsSource& source,
                             CBeamCoverView::FrameAction frameAction)
    : view_(new CBeamCoverView(source, std::move(frameAction))) {
    setObjectName(QStringLiteral("beamCoverageWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(view_);
    setWindowTitle(QString::fromLatin1(kTitle));
}

CBeamChildFrm* CBeamChildFrm::open(QMdiArea* area, const BeamSettingsSource& source,
                                   CBeamCoverView::FrameAction frameAction) {
    auto* child = new CBeamChildFrm(source, std::move(frameAction));
    area->addSubWindow(child);
    const QSize room = area->viewport()->size();
    child->setGeometry(kOffset, kOffset, std::min(kDefaultWidth, room.width() - 2 * kOffset),
                       std::min(kDefaultHeight, room.height() - 2 * kOffset));
    child->show();
    child->setFocus();
    return child;
}
