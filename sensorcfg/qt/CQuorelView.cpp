#include "sensorcfg/qt/CQuorelView.h"

#include <QPainter>
#include <QPrinter>
#include <QScrollBar>

#include "sensorcfg/CQuorelDoc.h"
#include "sensorcfg/qt/SummaryPainter.h"

CQuorelView::CQuorelView(CQuorelDoc& doc, QWidget* parent)
    : QAbstractScrollArea(parent), doc_(doc) {
    setObjectName(QStringLiteral("summaryView"));
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    updateScrollRanges();
}

void CQuorelView::refresh() {
    updateScrollRanges();
    viewport()->update();
}

void CQuorelView::updateScrollRanges() {
    const SummaryPainter grid(viewport());
    const QSize content = grid.size(summaryExtent(summaryCells(doc_.config(), doc_.title())));
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, content.width() - view.width()));
    verticalScrollBar()->setRange(0, std::max(0, content.height() - view.height()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setPageStep(view.height());
    horizontalScrollBar()->setSingleStep(grid.charWidth());
    verticalScrollBar()->setSingleStep(grid.lineHeight());
}

void CQuorelView::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    updateScrollRanges();
}

void CQuorelView::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    p.setPen(palette().color(QPalette::Text));
    p.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    SummaryPainter(viewport()).paint(p, summaryCells(doc_.config(), doc_.title()));
}

bool CQuorelView::print(QPrinter& printer) const {
    QPainter p;
    if (!p.begin(&printer)) {
        return false;
    }
    const auto cells = summaryCells(doc_.config(), doc_.title());
    const SummaryPainter grid(&printer);
    const int rows = summaryExtent(cells).rows;
    const int page = printer.pageLayout().paintRectPixels(printer.resolution()).height();
    const int rowsPerPage = std::max(1, page / grid.lineHeight() - 2);
    p.setPen(Qt::black);
    for (int first = 0; first < rows; first += rowsPerPage) {
        if (first > 0) {
            printer.newPage();
        }
        grid.paint(p, cells, first, first + rowsPerPage);
    }
    return p.end();
}
