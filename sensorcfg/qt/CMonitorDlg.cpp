#include "sensorcfg/qt/CMonitorDlg.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>

#include "sensorcfg/qt/CSentrimDialog.h"

CMonitorDlg::CMonitorDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("NMEA Transmitted Sentences"));
    setModal(false);
    QPalette p = palette();
    p.setColor(QPalette::Window, sentrimDialogGrey());
    setPalette(p);
    setAutoFillBackground(true);
    auto* grid = new QGridLayout(this);
    int r = 0;
    for (int id : MonitorRows::rowIds()) {
        auto* text = new QLabel;
        text->setObjectName(QStringLiteral("row%1").arg(id));
        text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        text->setMinimumWidth(520);
        grid->addWidget(new QLabel(QString::fromStdString(MonitorRows::rowName(id))), r, 0);
        grid->addWidget(text, r, 1);
        labels_[id] = text;
        ++r;
    }
    showRows(MonitorRows());
}

void CMonitorDlg::showRows(const MonitorRows& rows) {
    for (auto& [id, label] : labels_) {
        label->setText(QString::fromStdString(rows.text(id)));
    }
}

QString CMonitorDlg::rowText(int id) const {
    return labels_.at(id)->text();
}

void CMonitorDlg::placeOn(const QRect& owner, const QRect& screen) {
    const QSize size = sizeHint().expandedTo(this->size());
    int left = owner.center().x() - size.width() / 2;
    const int top = owner.center().y() - size.height() / 2;
    if (left < 0) {
        left = 5;
    } else if (left + size.width() > screen.width()) {
        left = screen.width() - size.width() - 5;
    }
    move(left, top);
}

void CMonitorDlg::closeEvent(QCloseEvent* e) {
    e->accept();
    emit closed();
}
