#include "display/qt/CDiagnosticsDlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <algorithm>

namespace {
bool isStatusBit(int control) {
    return std::find(std::begin(kStatusBitControls), std::end(kStatusBitControls), control) !=
           std::end(kStatusBitControls);
}

QLabel* valueLabel(int control) {
    auto* l = new QLabel;
    l->setObjectName(QStringLiteral("field%1").arg(control));
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setMinimumWidth(48);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}
}  // namespace

CDiagnosticsDlg::CDiagnosticsDlg(Source source, QWidget* parent)
    : QDialog(parent), source_(std::move(source)) {
    setWindowTitle(QStringLiteral("Diagnostics"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* outer = new QGridLayout(this);
    auto* group = new QGroupBox(QStringLiteral("Side Scan Sonar"));
    auto* bits = new QGridLayout(group);
    int row = 0;
    int bitColumn = 0;
    int bitRow = 0;
    for (const DiagnosticsField& f : source_()) {
        QLabel* value = valueLabel(f.control);
        values_[f.control] = value;
        if (!isStatusBit(f.control)) {
            outer->addWidget(new QLabel(QString::fromStdString(f.label)), row, 0);
            outer->addWidget(value, row, 1);
            ++row;
            continue;
        }
        if (!f.label.empty()) {  // a labelled group starts a new row
            ++bitRow;
            bits->addWidget(new QLabel(QString::fromStdString(f.label)), bitRow, 0);
            bitColumn = 1;
        }
        bits->addWidget(value, bitRow, bitColumn == 0 ? 1 : bitColumn);
        bitColumn = bitColumn == 0 ? 2 : bitColumn + 1;
    }
    outer->addWidget(group, row, 0, 1, 2);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    refresh();
}

void CDiagnosticsDlg::refresh() {
    for (const DiagnosticsField& f : source_()) {
        auto it = values_.find(f.control);
        const QString text = QString::fromStdString(f.text);
        if (it != values_.end() && it->second->text() != text) {
            it->second->setText(text);
        }
    }
}

QString CDiagnosticsDlg::fieldText(int control) const {
    auto it = values_.find(control);
    return it == values_.end() ? QString() : it->second->text();
}
