#include "app/qt/StatusBars.h"

#include <QFontMetricsF>
#include <QLabel>

#include <algorithm>

namespace {
constexpr int kSep = 10;
// The pane widths were chosen for the Windows status bar font, whose dialog base unit is 6
// pixels (the mean width of the 52 letters). A wider font scales them, so that "358.81 Deg."
// fits; they never shrink below the given width.
constexpr double kBaseUnit = 6.0;

double widthScale(const QFont& font) {
    const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    const double unit = QFontMetricsF(font).horizontalAdvance(letters) / letters.size();
    return std::max(1.0, unit / kBaseUnit);
}
}  // namespace

StatusBars::StatusBars(QStatusBar* a, QStatusBar* b) : a_(a), b_(b) {
    // Ids shared by both bars (the separators) are told apart by the bar they sit in.
    static const PaneSpec kBarA[] = {
        {59157, "Zoom:", 40, false},    {Zoom, "100%", 50, true}, {59151, "", kSep, false},
        {59161, "Gain:", 50, false},    {Gain, "", 40, true},     {59152, "", kSep, false},
        {59147, "Freq:", 40, false},    {Freq, "", 50, true},     {59153, "", kSep, false},
        {MouseTime, "", 80, true},      {59154, "", 50, false},   {59166, "Long:", 40, false},
        {MouseLongitude, "", 90, true}, {59155, "", kSep, false}, {59170, "Heading:", 50, false},
        {MouseHeading, "", 70, true},   {59162, "", kSep, false}, {MouseGpsTime, "", 80, true},
        {59163, "", kSep, false},
    };
    static const PaneSpec kBarB[] = {
        {59159, "Range:", 40, false},  {Range, "", 50, true},    {59151, "", kSep, false},
        {59146, "Target:", 50, false}, {Target, "", 105, true},  {59152, "", 69, false},
        {MouseDate, "", 80, true},     {59153, "", 50, false},   {59164, "Lat:", 40, false},
        {MouseLatitude, "", 90, true}, {59154, "", kSep, false}, {59168, "Speed:", 50, false},
        {MouseSpeed, "", 70, true},    {59155, "", kSep, false}, {MouseGpsDate, "", 80, true},
        {59162, "", kSep, false},
    };
    build(a_, kBarA, static_cast<int>(std::size(kBarA)), 250);
    build(b_, kBarB, static_cast<int>(std::size(kBarB)), 200);
    setMessage(QStringLiteral("Ready"));
}

void StatusBars::setMessage(const QString& text) {
    message_->setText(text);
}

void StatusBars::build(QStatusBar* bar, const PaneSpec* specs, int count, int messageWidth) {
    bar->setSizeGripEnabled(false);
    const double scale = widthScale(bar->font());
    auto scaled = [scale](int width) { return static_cast<int>(width * scale + 0.5); };
    // The message pane is an ordinary label: the bar's own message would hide the panes.
    auto* message = new QLabel;
    message->setFixedWidth(scaled(messageWidth));
    bar->addWidget(message);
    if (!message_) {
        message_ = message;
    }
    for (int i = 0; i < count; ++i) {
        auto* label = new QLabel(QString::fromLatin1(specs[i].text));
        label->setFixedWidth(scaled(specs[i].width));
        label->setAlignment(Qt::AlignCenter);
        if (specs[i].border) {
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        }
        bar->addWidget(label);
        panes_.emplace(specs[i].id, label);
    }
    bar->addWidget(new QWidget, 1);
}

void StatusBars::setText(Pane pane, const QString& text) {
    auto it = panes_.find(pane);
    if (it != panes_.end() && it->second->text() != text) {
        it->second->setText(text);
    }
}

QString StatusBars::text(Pane pane) const {
    auto it = panes_.find(pane);
    return it == panes_.end() ? QString() : it->second->text();
}
