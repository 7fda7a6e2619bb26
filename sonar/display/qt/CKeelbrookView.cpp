#include "display/qt/CKeelbrookView.h"

#include <QFont>
#include <QPainter>

#include "acquisition/CKeelbrookDoc.h"

namespace {
constexpr int kIndicatorWidth = 8;
constexpr int kBannerTextPixels = 22;
constexpr int kBannerFromBottom = 140;
}  // namespace

CKeelbrookView::CKeelbrookView(CKeelbrookDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    setObjectName(QStringLiteral("sonarView"));
}

int CKeelbrookView::imageWidth() const {
    return width() / 4 * 4;
}

int CKeelbrookView::drawnWidth() const {
    return imageWidth() - (doc_.settings().showColorIndicator ? kIndicatorWidth : 0);
}

void CKeelbrookView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    const std::optional<BannerText> banner =
        banner_.next(doc_.connectionState(), doc_.noRxData(), doc_.playback());
    if (!banner) {
        return;
    }
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(kBannerTextPixels);
    p.setFont(font);
    p.setPen(QColor(banner->colour.r, banner->colour.g, banner->colour.b));
    const int x = drawnWidth() / 2 + 10;
    const int y = height() - kBannerFromBottom;
    p.drawText(QRect(x, y, width(), kBannerTextPixels * 2), Qt::AlignLeft | Qt::AlignTop,
               QString::fromStdString(banner->text));
}
