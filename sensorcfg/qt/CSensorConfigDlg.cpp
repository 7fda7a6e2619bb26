#include "sensorcfg/qt/CSensorConfigDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "sensorcfg/CQuorelDoc.h"
#include "sensorcfg/qt/SpinArrows.h"

namespace {
using C = ConfigControl;

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}
}  // namespace

CSensorConfigDlg::CSensorConfigDlg(CQuorelDoc& doc, SensorPrompts& prompts, bool connected,
                                   SendVerified sendVerified, QWidget* parent)
    : CSentrimDialog(parent, QStringLiteral("Sensor Configuration")),
      doc_(doc),
      prompts_(prompts),
      form_(doc, connected),
      sendVerified_(std::move(sendVerified)),
      connected_(connected) {
    auto* left = new QVBoxLayout;
    left->addWidget(buildPosition());
    left->addWidget(buildDatum());
    left->addWidget(buildBeacon());
    auto* middle = new QVBoxLayout;
    middle->addWidget(buildModes());
    middle->addWidget(buildTiming());
    middle->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(buildSwitches());
    right->addWidget(buildModels());
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(middle);
    columns->addLayout(right);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSensorConfigDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(buildSensorButtons());
    bottom->addStretch();
    bottom->addWidget(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(bottom);
    bindLists();
    refresh();
}

QLineEdit* CSensorConfigDlg::edit(ConfigControl c, int width) {
    auto* e = new QLineEdit;
    e->setMaximumWidth(width);
    e->setObjectName(QStringLiteral("edit%1").arg(static_cast<int>(c)));
    connect(e, &QLineEdit::textEdited, this,
            [this, c](const QString& t) { form_.setText(c, t.toStdString()); });
    controls_[c] = e;
    return e;
}

QLabel* CSensorConfigDlg::label(ConfigControl c, const QString& text) {
    auto* l = new QLabel(text);
    controls_[c] = l;
    return l;
}

QAbstractButton* CSensorConfigDlg::check(ConfigControl c, const QString& text, bool radio) {
    QAbstractButton* b = radio ? static_cast<QAbstractButton*>(new QRadioButton(text))
                               : static_cast<QAbstractButton*>(new QCheckBox(text));
    b->setObjectName(QStringLiteral("check%1").arg(static_cast<int>(c)));
    if (c == C::PowerSave) {
        connect(b, &QAbstractButton::clicked, this, [this](bool on) { form_.clickPowerSave(on); });
    } else {
        connect(b, &QAbstractButton::toggled, this, [this, c](bool on) {
            if (on || !qobject_cast<QRadioButton*>(sender())) {
                form_.setChecked(c, on);
            }
        });
    }
    controls_[c] = b;
    return b;
}

QComboBox* CSensorConfigDlg::list(ConfigControl c, const std::vector<std::string>& items) {
    auto* box = new QComboBox;
    box->setObjectName(QStringLiteral("list%1").arg(static_cast<int>(c)));
    for (const std::string& item : items) {
        box->addItem(qs(item));
    }
    controls_[c] = box;
    return box;
}

SpinArrows* CSensorConfigDlg::spinFor(ConfigSpin s, ConfigControl c) {
    auto* arrows = new SpinArrows;
    arrows->setObjectName(QStringLiteral("spin%1").arg(static_cast<int>(s)));
    connect(arrows, &SpinArrows::lineStep, this, [this, s](int direction) {
        form_.spinLineStep(s, direction);
        refresh();
    });
    connect(arrows, &SpinArrows::scrollEnded, this, [this] { form_.spinEnd(); });
    controls_[c] = arrows;
    spins_[s] = arrows;
    return arrows;
}

QWidget* CSensorConfigDlg::buildPosition() {
    auto* box = new QGroupBox(QStringLiteral("Initial Position"));
    auto* g = new QGridLayout(box);
    g->addWidget(new QLabel(QStringLiteral("Latitude:")), 0, 0);
    g->addWidget(edit(C::LatDeg, 40), 0, 1);
    g->addWidget(new QLabel(QStringLiteral("deg")), 0, 2);
    g->addWidget(edit(C::LatMin, 70), 0, 3);
    g->addWidget(new QLabel(QStringLiteral("min")), 0, 4);
    g->addWidget(check(C::LatNorth, QStringLiteral("N"), true), 0, 5);
    g->addWidget(check(C::LatSouth, QStringLiteral("S"), true), 0, 6);
    g->addWidget(new QLabel(QStringLiteral("Longitude:")), 1, 0);
    g->addWidget(edit(C::LonDeg, 40), 1, 1);
    g->addWidget(new QLabel(QStringLiteral("deg")), 1, 2);
    g->addWidget(edit(C::LonMin, 70), 1, 3);
    g->addWidget(new QLabel(QStringLiteral("min")), 1, 4);
    g->addWidget(check(C::LonEast, QStringLiteral("E"), true), 1, 5);
    g->addWidget(check(C::LonWest, QStringLiteral("W"), true), 1, 6);
    // Each pair of hemisphere radios is exclusive on its own.
    for (auto [a, b] : {std::pair{C::LatNorth, C::LatSouth}, std::pair{C::LonEast, C::LonWest}}) {
        auto* exclusive = new QButtonGroup(box);
        exclusive->addButton(static_cast<QAbstractButton*>(controls_[a]));
        exclusive->addButton(static_cast<QAbstractButton*>(controls_[b]));
    }
    g->addWidget(label(C::AltitudeLabel, QStringLiteral("Altitude (m):")), 2, 0);
    g->addWidget(edit(C::Altitude, 70), 2, 1, 1, 3);
    return box;
}

QWidget* CSensorConfigDlg::buildDatum() {
    auto* box = new QGroupBox(QStringLiteral("Earth Datum"));
    auto* g = new QGridLayout(box);
    std::vector<std::string> names;
    for (int i = 0; i < form_.datumEntries(); ++i) {
        names.push_back(datumName(i));
    }
    g->addWidget(list(C::Datum, names), 0, 0, 1, 4);
    g->addWidget(label(C::DatumALabel, QStringLiteral("DA:")), 1, 0);
    g->addWidget(edit(C::DatumA, 110), 1, 1);
    g->addWidget(label(C::DatumFLabel, QStringLiteral("DF:")), 1, 2);
    g->addWidget(edit(C::DatumF, 110), 1, 3);
    g->addWidget(label(C::DatumXLabel, QStringLiteral("DX:")), 2, 0);
    g->addWidget(edit(C::DatumX), 2, 1);
    g->addWidget(label(C::DatumYLabel, QStringLiteral("DY:")), 2, 2);
    g->addWidget(edit(C::DatumY), 2, 3);
    g->addWidget(label(C::DatumZLabel, QStringLiteral("DZ:")), 3, 0);
    g->addWidget(edit(C::DatumZ), 3, 1);
    return box;
}

QWidget* CSensorConfigDlg::buildModes() {
    auto* box = new QGroupBox(QStringLiteral("Modes"));
    auto* g = new QGridLayout(box);
    g->addWidget(new QLabel(QStringLiteral("Fix Mode:")), 0, 0);
    g->addWidget(list(C::FixMode, SensorConfigForm::fixModeNames()), 0, 1, 1, 2);
    g->addWidget(label(C::DiffModeLabel, QStringLiteral("Differential Mode:")), 1, 0);
    g->addWidget(list(C::DiffMode, SensorConfigForm::diffModeNames()), 1, 1, 1, 2);
    g->addWidget(label(C::BaudLabel, QStringLiteral("NMEA Baud Rate:")), 2, 0);
    g->addWidget(list(C::Baud, form_.baudNames()), 2, 1, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Velocity Filter:")), 3, 0);
    g->addWidget(list(C::Filter, SensorConfigForm::filterNames()), 3, 1);
    g->addWidget(edit(C::FilterValue, 50), 3, 2);
    g->addWidget(label(C::DgpsModeLabel, QStringLiteral("DGPS Mode:")), 4, 0);
    g->addWidget(list(C::DgpsMode, SensorConfigForm::dgpsModeNames()), 4, 1, 1, 2);
    return box;
}

QWidget* CSensorConfigDlg::buildSwitches() {
    auto* box = new QGroupBox(QStringLiteral("Options"));
    auto* v = new QVBoxLayout(box);
    v->addWidget(check(C::Pps, QStringLiteral("&Pulse Per Second")));
    v->addWidget(check(C::PositionAveraging, qs(form_.averagingLabel())));
    v->addWidget(check(C::PhaseOutput, QStringLiteral("Phase &Output Data")));
    v->addWidget(check(C::Nmea230, QStringLiteral("NMEA 2.30 Mode")));
    v->addWidget(check(C::PowerSave, QStringLiteral("Power &Save Mode")));
    v->addWidget(check(C::PpsAutoOff, QStringLiteral("PPS Auto Off Mode")));
    v->addWidget(check(C::AdaptiveTx, QStringLiteral("Adaptive Transmission")));
    v->addWidget(check(C::IdleLinkOff, QStringLiteral("Idle Link Power Off")));
    v->addWidget(check(C::AutoPowerOn, QStringLiteral("Auto Power On")));
    return box;
}

QWidget* CSensorConfigDlg::buildTiming() {
    auto* box = new QGroupBox(QStringLiteral("Timing"));
    auto* g = new QGridLayout(box);
    g->addWidget(label(C::PpsLengthLabel, QStringLiteral("PPS Length (ms):")), 0, 0);
    g->addWidget(edit(C::PpsLength, 60), 0, 1);
    g->addWidget(spinFor(ConfigSpin::PpsLength, C::PpsLengthSpin), 0, 2);
    g->addWidget(new QLabel(QStringLiteral("DR Valid Time (s):")), 1, 0);
    g->addWidget(edit(C::DeadReckoning, 60), 1, 1);
    g->addWidget(spinFor(ConfigSpin::DeadReckoning, C::DeadReckoningSpin), 1, 2);
    g->addWidget(label(C::OutputTimeLabel, QStringLiteral("NMEA Output Time (s):")), 2, 0);
    g->addWidget(edit(C::OutputTime, 60), 2, 1);
    g->addWidget(spinFor(ConfigSpin::OutputTime, C::OutputTimeSpin), 2, 2);
    return box;
}

QWidget* CSensorConfigDlg::buildBeacon() {
    auto* box = new QGroupBox(QStringLiteral("Beacon Station"));
    controls_[C::BeaconFrame] = box;
    auto* g = new QGridLayout(box);
    g->addWidget(label(C::BeaconFreqLabel, QStringLiteral("Freq:")), 0, 0);
    g->addWidget(edit(C::BeaconFreq), 0, 1);
    g->addWidget(label(C::BeaconBitRateLabel, QStringLiteral("Bit Rate:")), 1, 0);
    g->addWidget(edit(C::BeaconBitRate), 1, 1);
    g->addWidget(check(C::AutoTune, QStringLiteral("Auto Tune on Loss")), 2, 0, 1, 2);
    return box;
}

QWidget* CSensorConfigDlg::buildModels() {
    auto* box = new QGroupBox(QStringLiteral("Base Model"));
    auto* v = new QVBoxLayout(box);
    for (int m = 0; m < kModelCount; ++m) {
        const auto c = static_cast<C>(static_cast<int>(C::Model0) + m);
        auto* radio = new QRadioButton(qs(modelName(m)));
        radio->setObjectName(QStringLiteral("model%1").arg(m));
        controls_[c] = radio;
        v->addWidget(radio);
    }
    return box;
}

QWidget* CSensorConfigDlg::buildSensorButtons() {
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    struct Button {
        C control;
        const char* text;
        SensorButton button;
    };
    for (const Button& b : {Button{C::ResetUnit, "Reset Unit", SensorButton::ResetUnit},
                            Button{C::ResetNonVol, "Reset NonVol", SensorButton::ResetNonVol},
                            Button{C::SetAutolocate, "Set Autolocate", SensorButton::SetAutolocate},
                            Button{C::TestMode, "Test Mode", SensorButton::TestMode}}) {
        auto* push = new QPushButton(QString::fromLatin1(b.text));
        push->setAutoDefault(false);
        connect(push, &QPushButton::clicked, this, [this, button = b.button] {
            pressSensorButton(button, connected_, prompts_, sendVerified_);
        });
        controls_[b.control] = push;
        h->addWidget(push);
    }
    return row;
}

void CSensorConfigDlg::bindLists() {
    auto bind = [this](C c, void (SensorConfigForm::*select)(int)) {
        auto* box = static_cast<QComboBox*>(controls_.at(c));
        connect(box, &QComboBox::currentIndexChanged, this, [this, select](int index) {
            (form_.*select)(index);
            refresh();
        });
    };
    bind(C::Datum, &SensorConfigForm::selectDatum);
    bind(C::FixMode, &SensorConfigForm::selectFixMode);
    bind(C::DiffMode, &SensorConfigForm::selectDiffMode);
    bind(C::Baud, &SensorConfigForm::selectBaud);
    bind(C::Filter, &SensorConfigForm::selectFilter);
    bind(C::DgpsMode, &SensorConfigForm::selectDgpsMode);
}

void CSensorConfigDlg::refresh() {
    for (const auto& [c, widget] : controls_) {
        const QSignalBlocker block(widget);
        widget->setEnabled(form_.enabled(c));
        widget->setVisible(form_.visible(c));
        widget->setToolTip(qs(form_.toolTip(c)));
        if (auto* e = qobject_cast<QLineEdit*>(widget)) {
            if (e->text().toStdString() != form_.text(c)) {
                e->setText(qs(form_.text(c)));
            }
        } else if (auto* b = qobject_cast<QAbstractButton*>(widget); b && b->isCheckable()) {
            b->setChecked(form_.checked(c));
        } else if (auto* box = qobject_cast<QComboBox*>(widget)) {
            box->setCurrentIndex(form_.selection(c));
        }
    }
}

QWidget* CSensorConfigDlg::control(ConfigControl c) const {
    const auto found = controls_.find(c);
    return found == controls_.end() ? nullptr : found->second;
}

SpinArrows* CSensorConfigDlg::spin(ConfigSpin s) const {
    return spins_.at(s);
}

void CSensorConfigDlg::accept() {
    if (const auto problem = form_.validate()) {
        prompts_.message(problem->message, CQuorelDoc::kAppTitle, PromptIcon::Exclamation,
                         PromptButtons::Ok);
        if (QWidget* w = control(problem->focus)) {
            w->setFocus();
            if (auto* e = qobject_cast<QLineEdit*>(w)) {
                e->selectAll();
            }
        }
        return;
    }
    form_.apply();
    QDialog::accept();
}
