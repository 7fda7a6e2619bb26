#include "display/qt/CSonarSettingsDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMoveEvent>
#include <QSignalBlocker>
#include <QSlider>

#include "display/SonarSettingsForm.h"

namespace ss = sonar_settings;

namespace {
template <typename W>
W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}
}  // namespace

CSonarSettingsDlg::CSonarSettingsDlg(SwitchCommand& command, Hooks hooks, QWidget* parent)
    : QDialog(parent), command_(command), hooks_(std::move(hooks)) {
    setWindowTitle(QStringLiteral("Settings"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    range_ = named(new QComboBox, "range");
    gain_ = named(new QComboBox, "dataGain");
    mode_ = named(new QComboBox, "mode");
    gain_->setMaxVisibleItems(20);
    balance_ = named(new QSlider(Qt::Horizontal), "gainBalance");
    balance_->setRange(ss::kBalanceMin, ss::kBalanceMax);
    balance_->setPageStep(ss::kBalancePage);
    balance_->setTickPosition(QSlider::TicksBelow);
    balance_->setTickInterval(ss::kBalancePage);
    portDb_ = named(new QLineEdit, "portDb");
    stbdDb_ = named(new QLineEdit, "stbdDb");
    for (QLineEdit* e : {portDb_, stbdDb_}) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        e->setMaximumWidth(60);
    }

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Range")), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Data Gain %")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Mode/Freq")), 0, 2);
    grid->addWidget(range_, 1, 0);
    grid->addWidget(gain_, 1, 1);
    grid->addWidget(mode_, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Gain Balance")), 2, 0, 1, 3);
    grid->addWidget(balance_, 3, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Port (dB)")), 4, 0);
    grid->addWidget(portDb_, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("Stbd (dB)")), 5, 0);
    grid->addWidget(stbdDb_, 5, 1);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    // activated: the user's choice only, never a refresh.
    connect(range_, &QComboBox::activated, this, [this](int i) {
        ss::chooseRange(command_, i);
        settingChanged();
    });
    connect(gain_, &QComboBox::activated, this, [this](int i) {
        ss::chooseGain(command_, i);
        settingChanged();
    });
    connect(mode_, &QComboBox::activated, this, [this](int i) {
        ss::chooseMode(command_, i);
        refresh();  // the range list depends on the mode
        settingChanged();
    });
    connect(balance_, &QSlider::valueChanged, this, [this](int position) {
        if (ss::moveBalance(command_, position)) {
            showBalance();
            settingChanged();
        }
    });
    connect(this, &QDialog::finished, this, [this] {
        if (hooks_.closed) {
            hooks_.closed();
        }
    });
    refresh();
}

void CSonarSettingsDlg::fillCombo(QComboBox* combo, const std::vector<std::string>& entries,
                                  int selected) {
    const QSignalBlocker block(combo);
    combo->clear();
    for (const std::string& e : entries) {
        combo->addItem(QString::fromStdString(e));
    }
    combo->setCurrentIndex(selected);
}

void CSonarSettingsDlg::refresh() {
    const bool imperial = hooks_.imperial && hooks_.imperial();
    const ss::Choices ranges = ss::rangeChoices(command_, imperial);
    fillCombo(range_, ranges.entries, ranges.selected);
    const ss::Choices modes = ss::modeChoices(command_);
    fillCombo(mode_, modes.entries, modes.selected);
    const ss::Choices gains = ss::gainChoices(command_);
    fillCombo(gain_, gains.entries, gains.selected);
    {
        const QSignalBlocker block(balance_);
        balance_->setValue(command_.gainBalance());
    }
    showBalance();
}

void CSonarSettingsDlg::showBalance() {
    portDb_->setText(QString::fromStdString(ss::portDecibels(command_.gainBalance())));
    stbdDb_->setText(QString::fromStdString(ss::starboardDecibels(command_.gainBalance())));
}

void CSonarSettingsDlg::settingChanged() {
    if (hooks_.changed) {
        hooks_.changed();
    }
}

void CSonarSettingsDlg::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    if (hooks_.moved && isVisible()) {
        hooks_.moved(x(), y());
    }
}
