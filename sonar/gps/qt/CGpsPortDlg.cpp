#include "gps/qt/CGpsPortDlg.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "document/CKeelbrookDoc.h"
#include "gps/NmeaParser.h"

namespace {
constexpr int kGpsdItem = 0;  // item data of the gpsd entry; COM ports carry their number
constexpr int kNoPortItem = -1;
constexpr int kLineHeight = 16;
constexpr int kMargin = 30;
constexpr int kLongestSentence = 82;  // NMEA 0183's limit, "$" to LF
}  // namespace

// The "GPS Sentences Received:" list: sentences of the chosen set in blue, others in black.
class SentenceDisplay : public QWidget {
  public:
    explicit SentenceDisplay(CKeelbrookDoc& doc) : doc_(doc) {
        font_.setPixelSize(11);
        // Wide enough for the longest sentence a receiver may send, so none is cut.
        const int longest = QFontMetrics(font_).horizontalAdvance(QString(kLongestSentence, '0'));
        setMinimumSize(longest + 8, kLineHeight * 10 + 8);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.setFont(font_);
        const auto [lines, set] = doc_.gps().shared().with([](const GpsData& d) {
            return std::pair{d.recent.entries(), d.sentenceSet};
        });
        int y = 0;
        for (std::string s : lines) {
            while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) {
                s.pop_back();
            }
            if (s.empty()) {
                continue;
            }
            p.setPen(sentenceInSet(sentenceName(s), set) ? Qt::blue : Qt::black);
            p.drawText(QRect(4, y, width() - 8, kLineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                       QString::fromLatin1(s.data(), static_cast<int>(s.size())));
            y += kLineHeight;
        }
    }

  private:
    CKeelbrookDoc& doc_;
    QFont font_;
};

CGpsPortDlg::CGpsPortDlg(CKeelbrookDoc& doc, GpsSources* sources, QWidget* parent)
    : QDialog(parent), doc_(doc), sources_(sources), working_(doc.gps().currentChoice()) {
    setWindowTitle(QStringLiteral("GPS serial port configuration"));
    setModal(false);
    auto* form = new QFormLayout;
    auto combo = [&](const QString& label, QStringList items, const char* name) {
        auto* c = new QComboBox;
        c->setObjectName(QString::fromLatin1(name));
        c->addItems(items);
        form->addRow(label, c);
        return c;
    };
    port_ = new QComboBox;
    port_->setObjectName(QStringLiteral("comPort"));
    form->addRow(QStringLiteral("Com Port:"), port_);
    gpsdHost_ = new QLineEdit;
    gpsdHost_->setObjectName(QStringLiteral("gpsdHost"));
    gpsdPort_ = new QSpinBox;
    gpsdPort_->setObjectName(QStringLiteral("gpsdPort"));
    gpsdPort_->setRange(1, 65535);
    auto* gpsdRow = new QHBoxLayout;
    gpsdRow->addWidget(gpsdHost_);
    gpsdRow->addWidget(gpsdPort_);
    form->addRow(QStringLiteral("gpsd host, port:"), gpsdRow);
    baud_ = combo(QStringLiteral("Baud Rate:"), {QStringLiteral("4,800"), QStringLiteral("9,600")},
                  "baudRate");
    parity_ = combo(QStringLiteral("Parity:"), {"None", "Even", "Odd", "Mark", "Space"}, "parity");
    dataBits_ = combo(QStringLiteral("Data Bits:"), {"5", "6", "7", "8"}, "dataBits");
    stopBits_ = combo(QStringLiteral("Stop Bits:"), {"1", "1.5", "2"}, "stopBits");
    flow_ = combo(QStringLiteral("Flow Control:"), {"None"}, "flowControl");
    sentences_ = combo(QStringLiteral("Select NMEA Sentences"),
                       {"GLL + VTG", "GGA + VTG", "RMC", "VTG"}, "sentences");
    interval_ = new QSpinBox;
    interval_->setObjectName(QStringLiteral("gpsOutputTime"));
    interval_->setRange(100, 2000);
    interval_->setSingleStep(100);
    interval_->setValue(std::clamp(doc.settings().gpsReadInterval, 100, 2000));
    auto* intervalRow = new QHBoxLayout;
    intervalRow->addWidget(interval_);
    intervalRow->addWidget(new QLabel(QStringLiteral("msec")));
    form->addRow(QStringLiteral("GPS Output Time"), intervalRow);
    acceptAll_ = new QCheckBox(QStringLiteral("Accept all GNSS talkers"));
    acceptAll_->setObjectName(QStringLiteral("acceptAllTalkers"));
    form->addRow(QString(), acceptAll_);

    hint_ = new QLabel;
    hint_->setStyleSheet(QStringLiteral("color: #b00000"));
    display_ = new SentenceDisplay(doc);
    auto* buttons = new QHBoxLayout;
    auto* defaults = new QPushButton(QStringLiteral("&Default"));
    apply_ = new QPushButton(QStringLiteral("&Apply"));
    auto* ok = new QPushButton(QStringLiteral("&OK"));
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"));
    for (QPushButton* b : {defaults, apply_, ok, cancel}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    auto* top = new QVBoxLayout(this);
    top->addLayout(form);
    top->addLayout(buttons);
    top->addWidget(new QLabel(QStringLiteral("GPS Sentences Received:")));
    top->addWidget(display_);
    top->addWidget(hint_);
    top->setContentsMargins(kMargin, 12, kMargin, 25);

    fillPorts();
    showWorking();
    apply_->setEnabled(false);

    auto onIndex = [this](QComboBox* c, auto&& set, bool enableApply) {
        connect(c, &QComboBox::currentIndexChanged, this, [this, set, enableApply](int i) {
            if (!loading_) {
                set(i);
                changed(enableApply);
            }
        });
    };
    onIndex(
        port_,
        [this](int i) {
            const int n = port_->itemData(i).toInt();
            working_.useGpsd = n == kGpsdItem;
            if (n > 0) {
                working_.comPort = n;
            }
        },
        true);
    onIndex(
        baud_, [this](int i) { working_.line.baudRate = i == 1 ? 9600 : 4800; }, true);
    onIndex(
        parity_, [this](int i) { working_.line.parity = i; }, false);
    onIndex(
        dataBits_, [this](int i) { working_.line.dataBits = i + 5; }, true);
    onIndex(
        stopBits_, [this](int i) { working_.line.stopBits = i; }, true);
    onIndex(
        sentences_, [this](int i) { working_.sentenceSet = i; }, true);
    connect(gpsdHost_, &QLineEdit::textEdited, this, [this](const QString& t) {
        working_.gpsdHost = t.trimmed().toStdString();
        changed(true);
    });
    connect(gpsdPort_, &QSpinBox::valueChanged, this, [this](int v) {
        if (!loading_) {
            working_.gpsdPort = v;
            changed(true);
        }
    });
    connect(acceptAll_, &QCheckBox::toggled, this, [this](bool on) {
        if (!loading_) {
            working_.acceptAllTalkers = on;
            changed(true);
        }
    });
    // The spin acts at once, without Apply; the next read request uses it.
    connect(interval_, &QSpinBox::valueChanged, this,
            [this](int v) { doc_.gps().setReadInterval(v); });
    connect(defaults, &QPushButton::clicked, this, &CGpsPortDlg::setDefaults);
    connect(apply_, &QPushButton::clicked, this, [this] {
        apply();
        apply_->setEnabled(false);
    });
    connect(ok, &QPushButton::clicked, this, [this] {
        apply();
        hide();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
}

QWidget* CGpsPortDlg::sentenceDisplay() const {
    return display_;
}

void CGpsPortDlg::fillPorts() {
    const bool was = loading_;
    loading_ = true;
    port_->clear();
    const GpsController& gps = doc_.gps();
    std::vector<SerialPortEntry> entries =
        sources_ ? sources_->availablePorts() : std::vector<SerialPortEntry>{};
    // The port this program holds cannot be probed; it is listed all the same.
    const int held = doc_.settings().gpsCommPort;
    if (gps.portOpen() && !doc_.settings().gpsUseGpsd && sources_) {
        if (const auto e = sources_->portEntry(held)) {
            entries.push_back(*e);
        }
    }
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.number < b.number; });
    // A probe may find the held port too (root is not kept out by exclusive opens): once only.
    entries.erase(std::unique(entries.begin(), entries.end(),
                              [](const auto& a, const auto& b) { return a.number == b.number; }),
                  entries.end());
    for (const SerialPortEntry& e : entries) {
        port_->addItem(QString::fromStdString(SerialPortMap::label(e)), e.number);
    }
    if (entries.empty()) {
        port_->addItem(QStringLiteral("No Com Ports available"), kNoPortItem);
    }
    port_->addItem(QStringLiteral("gpsd"), kGpsdItem);
    loading_ = was;
}

void CGpsPortDlg::showWorking() {
    loading_ = true;
    const GpsController::PortChoice& w = working_;
    int index = port_->findData(w.useGpsd ? kGpsdItem : w.comPort);
    port_->setCurrentIndex(index >= 0 ? index : 0);
    baud_->setCurrentIndex(w.line.baudRate == 9600 ? 1 : 0);
    parity_->setCurrentIndex(w.line.parity >= 1 && w.line.parity <= 4 ? w.line.parity : 0);
    dataBits_->setCurrentIndex(w.line.dataBits >= 5 && w.line.dataBits <= 7 ? w.line.dataBits - 5
                                                                            : 3);
    stopBits_->setCurrentIndex(w.line.stopBits == 1 || w.line.stopBits == 2 ? w.line.stopBits : 0);
    sentences_->setCurrentIndex(w.sentenceSet >= 1 && w.sentenceSet <= 3 ? w.sentenceSet : 0);
    gpsdHost_->setText(QString::fromStdString(w.gpsdHost));
    gpsdPort_->setValue(w.gpsdPort);
    acceptAll_->setChecked(w.acceptAllTalkers);
    enableGpsdFields();
    loading_ = false;
}

void CGpsPortDlg::enableGpsdFields() {
    gpsdHost_->setEnabled(working_.useGpsd);
    gpsdPort_->setEnabled(working_.useGpsd);
}

void CGpsPortDlg::changed(bool enableApply) {
    enableGpsdFields();
    if (enableApply) {
        apply_->setEnabled(true);
    }
}

void CGpsPortDlg::setDefaults() {
    const bool applyWas = apply_->isEnabled();
    const int first = port_->itemData(0).toInt();
    working_.useGpsd = first == kGpsdItem;
    working_.comPort = first > 0 ? first : 1;
    working_.line = SerialLineSettings{4800, 8, 0, 0, working_.line.flow};
    working_.sentenceSet = static_cast<int>(GpsSentenceSet::Rmc);
    showWorking();
    port_->setCurrentIndex(0);
    apply_->setEnabled(applyWas);  // Default alone does not enable Apply
}

void CGpsPortDlg::apply() {
    doc_.gps().applyChoice(working_, doc_.playback());
    fillPorts();
    showWorking();
    refreshSentences();
}

void CGpsPortDlg::refreshSentences() {
    if (isVisible()) {
        display_->update();
    }
    hint_->setText(QString::fromStdString(doc_.gps().reader().talkerHint()));
}
