#include "beam/qt/CBeamCoverView.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

#include "beam/BeamPanel.h"
#include "beam/BeamSettingsSource.h"

namespace {
constexpr beam::Colour kPanelText{255, 255, 255};
// The printed page is laid out on a sheet this many units wide, whatever the printer's
// resolution, so pens and texts keep their proportions.
constexpr int kPageUnits = 1100;
constexpr int kHeaderUnits = 40;
constexpr int kFooterUnits = 70;
constexpr int kDiagramEndUnits = 30;
constexpr int kTitleSize = 22;
constexpr int kFooterSize = 13;
}  // namespace

void QtRepeatTimer::start(int id, unsigned milliseconds) {
    QTimer*& t = timers_[id];
    if (!t) {
        t = new QTimer(owner_);
        t->setSingleShot(true);
        t->setTimerType(Qt::PreciseTimer);
        QObject::connect(t, &QTimer::timeout, owner_, [this, id] { expired_(id); });
    }
    t->start(static_cast<int>(milliseconds));
}

void QtRepeatTimer::stop(int id) {
    if (QTimer* t = timers_[id]) {
        t->stop();
    }
}

CBeamCoverView::CBeamCoverView(const BeamSettingsSource& source, FrameAction frameAction,
                               QWidget* parent)
    : QWidget(parent),
      timer_(this, [this](int id) { valuesChanged(repeat_.onTimer(id)); }),
      repeat_(state_, timer_),
      frameAction_(std::move(frameAction)) {
    setObjectName(QStringLiteral("beamCoverView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(beam::kPanelWidth + 200, 480);
    state_.takeSonarSettings(source.beamStartSettings());
    createButtons();
}

CBeamCoverView::~CBeamCoverView() {
    if (preview_) {
        preview_->close();
    }
}

void CBeamCoverView::createButtons() {
    for (const beam::PanelButton& b : beam::panelLayout(state_, width(), false).buttons) {
        auto* button = new QPushButton(QString::fromStdString(b.caption), this);
        button->setObjectName(QStringLiteral("beamButton%1").arg(static_cast<int>(b.id)));
        button->setFocusPolicy(Qt::NoFocus);
        buttons_[b.id] = button;
        const beam::BeamButton id = b.id;
        if (beam::BeamAutoRepeat::repeats(id)) {
            connect(button, &QPushButton::pressed, this,
                    [this, id] { valuesChanged(repeat_.press(id)); });
            connect(button, &QPushButton::released, this, [this, id] { repeat_.release(id); });
        } else {
            connect(button, &QPushButton::clicked, this, [this, id] { clicked(id); });
        }
    }
    placeButtons();
}

QPushButton* CBeamCoverView::button(beam::BeamButton id) const {
    const auto it = buttons_.find(id);
    return it == buttons_.end() ? nullptr : it->second;
}

void CBeamCoverView::placeButtons() {
    for (const beam::PanelButton& b : beam::panelLayout(state_, width(), printing_).buttons) {
        if (QPushButton* button = this->button(b.id)) {
            button->setGeometry(b.rect.x, b.rect.y, b.rect.width, b.rect.height);
        }
    }
}

void CBeamCoverView::clicked(beam::BeamButton id) {
    if (id == beam::BeamButton::Print) {
        printWithDialog();
    } else if (id == beam::BeamButton::Preview) {
        printPreview();
    } else {
        valuesChanged(state_.press(id));
    }
}

void CBeamCoverView::valuesChanged(bool changed) {
    if (!changed) {
        return;
    }
    update();
    if (preview_) {
        if (auto* pages = preview_->findChild<QPrintPreviewWidget*>()) {
            pages->updatePreview();
        }
    }
}

void CBeamCoverView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintView(p);
}

void CBeamCoverView::paintView(QPainter& p) {
    painter_.paint(p, beam::drawBeamCoverage(state_, {width(), height(), false}));
    painter_.paintPanelTexts(p, beam::panelLayout(state_, width(), printing_), kPanelText);
}

void CBeamCoverView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeButtons();
}

void CBeamCoverView::paintPage(QPainter& p, QSize device) {
    if (device.width() <= 0 || device.height() <= 0) {
        return;
    }
    const double scale = static_cast<double>(device.width()) / kPageUnits;
    const int pageHeight = static_cast<int>(device.height() / scale);
    p.save();
    p.scale(scale, scale);
    p.fillRect(QRect(0, 0, kPageUnits, pageHeight), Qt::white);
    p.setPen(Qt::black);

    QFont title(QStringLiteral("Arial"));
    title.setPixelSize(kTitleSize);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(beam::kMargin, 0, kPageUnits, kHeaderUnits), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Keelbrook - Beam Coverage"));

    p.save();
    p.translate(0, kHeaderUnits);
    // The diagram ends a little below its scale when the bottom lies on the page.
    const int room = pageHeight - kHeaderUnits - kFooterUnits;
    beam::BeamDrawing d = beam::drawBeamCoverage(state_, {kPageUnits, room, true});
    const int fitted = beam::contentBottom(d) + kDiagramEndUnits;
    if (!d.empty && fitted < room) {
        d = beam::drawBeamCoverage(state_, {kPageUnits, fitted, true});
    }
    painter_.paint(p, d);
    p.restore();

    QFont footer(QStringLiteral("Arial"));
    footer.setPixelSize(kFooterSize);
    p.setFont(footer);
    p.setPen(Qt::black);
    const int lineHeight = kFooterSize + 6;
    int y = pageHeight - kFooterUnits + 8;
    const QString lines[] = {
        QString::fromStdString(beam::settingsSummary(state_)),
        QStringLiteral("Keelbrook sidescan sonar - Marovant"),
        QStringLiteral("Printed %1")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm"))),
    };
    for (const QString& line : lines) {
        p.drawText(QRect(beam::kMargin, y, kPageUnits, lineHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, line);
        y += lineHeight;
    }
    p.restore();
}

void CBeamCoverView::print(QPrinter* printer) {
    printing_ = true;
    repaint();  // "Printing..." shows while the page is produced
    QPainter p;
    if (p.begin(printer)) {
        paintPage(p, p.viewport().size());
        p.end();
    }
    printing_ = false;
    update();
}

void CBeamCoverView::printWithDialog() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Print"));
    if (dialog.exec() == QDialog::Accepted) {
        print(&printer);
    }
}

void CBeamCoverView::printPreview() {
    if (preview_) {
        preview_->raise();
        preview_->activateWindow();
        return;
    }
    auto* printer = new QPrinter(QPrinter::HighResolution);
    printer->setPageOrientation(QPageLayout::Landscape);
    // Not modal: the panel stays usable and the preview follows every change.
    preview_ = new QPrintPreviewDialog(printer, this);
    preview_->setAttribute(Qt::WA_DeleteOnClose);
    preview_->setWindowTitle(QString::fromLatin1(kPreviewTitle));
    connect(preview_, &QPrintPreviewDialog::paintRequested, this, &CBeamCoverView::print);
    connect(preview_, &QObject::destroyed, this, [printer] { delete printer; });
    connect(preview_, &QDialog::finished, this, &CBeamCoverView::previewFinished);

    QWidget* frame = window();
    titleBeforePreview_ = frame->windowTitle();
    frame->setWindowTitle(QString::fromLatin1(kPreviewTitle));
    // The sonar image holds still while the preview is up.
    QAction* hold = frameAction_ ? frameAction_(CommandId::Hold) : nullptr;
    holdSetByPreview_ = hold && !hold->isChecked();
    if (holdSetByPreview_) {
        hold->trigger();
    }
    preview_->resize(1000, 760);
    preview_->show();
}

void CBeamCoverView::previewFinished() {
    preview_ = nullptr;  // closed; it deletes itself
    window()->setWindowTitle(titleBeforePreview_);
    QAction* hold = frameAction_ ? frameAction_(CommandId::Hold) : nullptr;
    if (holdSetByPreview_ && hold && hold->isChecked()) {
        hold->trigger();
    }
    holdSetByPreview_ = false;
}

QMenu* CBeamCoverView::createContextMenu() {
    auto* menu = new QMenu(this);
    QAction* layout = menu->addAction(QStringLiteral("&Default Layout"));
    QAction* hold = menu->addAction(QStringLiteral("Hold"));
    QAction* frameHold = frameAction_ ? frameAction_(CommandId::Hold) : nullptr;
    hold->setCheckable(true);
    hold->setChecked(frameHold && frameHold->isChecked());
    for (QAction* a : {layout, hold}) {
        const CommandId id = a == layout ? CommandId::DefaultLayout : CommandId::Hold;
        QAction* target = frameAction_ ? frameAction_(id) : nullptr;
        a->setEnabled(target != nullptr);
        connect(a, &QAction::triggered, this, [target] {
            if (target) {
                target->trigger();
            }
        });
    }
    // Entries the menu has always shown, with nothing behind them.
    menu->addAction(QStringLiteral("Maximum Window"))->setEnabled(false);
    QMenu* zoom = menu->addMenu(QStringLiteral("&Zoom Factor"));
    for (const char* factor : {"100 %", "200 %", "300 %", "400 %"}) {
        zoom->addAction(QString::fromLatin1(factor))->setEnabled(false);
    }
    return menu;
}

void CBeamCoverView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}
