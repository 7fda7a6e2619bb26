#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include <deque>
#include <memory>

#include "document/CKeelbrookDoc.h"
#include "gps/FakeGpsClock.h"
#include "gps/qt/CGpsPortDlg.h"
#include "support/FakePorts.h"

namespace {

// Bytes the test hands to whichever source the document opened last.
struct Feed {
    std::deque<std::uint8_t> bytes;
    void send(const std::string& s) { bytes.insert(bytes.end(), s.begin(), s.end()); }
};

class FeedStream : public ByteStream {
  public:
    explicit FeedStream(Feed& feed) : feed_(feed) {}
    std::ptrdiff_t read(std::uint8_t* buffer, std::size_t max) override {
        std::size_t n = 0;
        while (n < max && !feed_.bytes.empty()) {
            buffer[n++] = feed_.bytes.front();
            feed_.bytes.pop_front();
        }
        return static_cast<std::ptrdiff_t>(n);
    }
    bool write(const std::uint8_t*, std::size_t) override { return true; }
    void close() override {}
    bool isOpen() const override { return true; }

  private:
    Feed& feed_;
};

// COM1 is a USB receiver, COM3 a motherboard port; each open is noted.
struct FakeSources : GpsSources {
    struct Open {
        int comPort = 0;  // 0: gpsd
        SerialLineSettings line;
        std::string host;
        int port = 0;
    };
    Feed feed;
    std::vector<Open> opens;
    std::vector<SerialPortEntry> ports{{1, "/dev/ttyUSB0", "FT232R USB UART", false},
                                       {3, "/dev/ttyS0", "", false}};

    std::unique_ptr<ByteStream> openSerial(int comPort, const SerialLineSettings& line,
                                           SerialPort::OpenResult& result) override {
        opens.push_back({comPort, line, "", 0});
        result = SerialPort::OpenResult::Ok;
        return std::make_unique<FeedStream>(feed);
    }
    std::unique_ptr<ByteStream> openGpsd(const std::string& host, int port) override {
        opens.push_back({0, {}, host, port});
        return std::make_unique<FeedStream>(feed);
    }
    std::vector<SerialPortEntry> availablePorts() override { return ports; }
    std::optional<SerialPortEntry> portEntry(int comPort) override {
        for (const SerialPortEntry& e : ports) {
            if (e.number == comPort) {
                return e;
            }
        }
        return std::nullopt;
    }
};

struct NoWindows : GpsUi {
    void showTrackWindow() override {}
    bool trackWindowOpen() const override { return false; }
    void resetTrackView() override {}
    void showPortDialog() override {}
    void sentencesChanged() override {}
    void trackChanged() override {}
};

const std::string kGga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
const std::string kVtg = "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48\r\n";
const std::string kGnRmc = "$GNRMC,225446,A,4916.45,N,12311.12,W,000.5,054.7,191194,020.3,E*76\r\n";

class GpsPortDialogTest : public ::testing::Test {
  protected:
    GpsPortDialogTest()
        : gpsPorts{sources, gpsClock, ui},
          doc(DocPorts{link, clock, timers, prompts, frame, nullptr, nullptr, &gpsPorts},
              dir.path().toStdString() + "/", 1920, 1080) {
        doc.initialise();
        prompts.answers.push_back("127.0.0.9");
        doc.Connect();
        doc.OnConnectResult(true);
        dialog = std::make_unique<CGpsPortDlg>(doc, &sources, nullptr);
        dialog->resize(700, 640);
        dialog->show();
    }

    QComboBox* combo(const char* label) { return dialog->findChild<QComboBox*>(label); }
    QPushButton* button(const QString& text) {
        for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
            if (b->text() == text) {
                return b;
            }
        }
        return nullptr;
    }
    // The receiver sends; one read tick takes it in.
    void receive(const std::string& nmea) {
        sources.feed.send(nmea);
        doc.OnTimer(TimerId::GpsRead);
    }
    // Blue and black text pixels on each 16-pixel line of the sentence display.
    std::vector<std::pair<int, int>> lineColours() {
        const QImage img = dialog->sentenceDisplay()->grab().toImage();
        std::vector<std::pair<int, int>> lines(static_cast<std::size_t>(img.height() / 16));
        for (int y = 0; y < static_cast<int>(lines.size()) * 16; ++y) {
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                if (c.blue() > 150 && c.red() < 100 && c.green() < 100) {
                    ++lines[static_cast<std::size_t>(y / 16)].first;
                } else if (c.red() < 100 && c.green() < 100 && c.blue() < 100) {
                    ++lines[static_cast<std::size_t>(y / 16)].second;
                }
            }
        }
        return lines;
    }

    QTemporaryDir dir;
    FakeLink link;
    FakeClock clock;
    FakeTimers timers;
    FakePrompts prompts;
    FakeFrame frame;
    FakeSources sources;
    FakeGpsClock gpsClock;
    NoWindows ui;
    GpsPorts gpsPorts;
    CKeelbrookDoc doc;
    std::unique_ptr<CGpsPortDlg> dialog;
};

}  // namespace

TEST_F(GpsPortDialogTest, ListsEachPortOnceWithItsDeviceAndGpsd) {
    // The fake finds COM1 although the program holds it, as a probe by root does.
    QComboBox* ports = dialog->portList();
    ASSERT_EQ(ports->count(), 3);
    EXPECT_EQ(ports->itemText(0), "COM1 (/dev/ttyUSB0, FT232R USB UART)");
    EXPECT_EQ(ports->itemText(1), "COM3 (/dev/ttyS0)");
    EXPECT_EQ(ports->itemText(2), "gpsd");
    EXPECT_EQ(ports->currentIndex(), 0);

    // With no port held and none found, the list says so; gpsd can still be chosen.
    sources.ports.clear();
    doc.gps().closePort();
    CGpsPortDlg empty(doc, &sources, nullptr);
    ASSERT_EQ(empty.portList()->count(), 2);
    EXPECT_EQ(empty.portList()->itemText(0), "No Com Ports available");
    EXPECT_EQ(empty.portList()->itemText(1), "gpsd");
}

TEST_F(GpsPortDialogTest, ApplyOkAndCancel) {
    QPushButton* apply = dialog->applyButton();
    EXPECT_FALSE(apply->isEnabled());
    const std::size_t opensBefore = sources.opens.size();

    // Parity alone does not enable Apply; the baud does. Apply reopens and stays open.
    combo("parity")->setCurrentIndex(1);
    EXPECT_FALSE(apply->isEnabled());
    combo("baudRate")->setCurrentIndex(1);
    EXPECT_TRUE(apply->isEnabled());
    apply->click();
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_TRUE(dialog->isVisible());
    ASSERT_EQ(sources.opens.size(), opensBefore + 1);
    EXPECT_EQ(sources.opens.back().line.baudRate, 9600);
    EXPECT_EQ(sources.opens.back().line.parity, 1);
    EXPECT_EQ(doc.settings().baudRate, 9600);

    // OK with nothing changed does not reopen; it hides the dialog.
    button("&OK")->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(sources.opens.size(), opensBefore + 1);

    // A changed sentence set is taken without reopening the port.
    dialog->show();
    combo("sentences")->setCurrentIndex(1);
    button("&OK")->click();
    EXPECT_EQ(doc.settings().gpsType, 1);
    EXPECT_EQ(sources.opens.size(), opensBefore + 1);

    // Cancel hides without applying; the dialog keeps showing what it would apply.
    dialog->show();
    combo("dataBits")->setCurrentIndex(2);
    combo("stopBits")->setCurrentIndex(2);
    button("&Cancel")->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(doc.settings().dataBits, 8);
    EXPECT_EQ(doc.settings().stopBits, 0);
    EXPECT_EQ(sources.opens.size(), opensBefore + 1);
    EXPECT_EQ(combo("dataBits")->currentText(), "7");
}

TEST_F(GpsPortDialogTest, DefaultSetsTheWorkingValuesButNotApplyNorTheInterval) {
    combo("baudRate")->setCurrentIndex(1);
    combo("dataBits")->setCurrentIndex(0);
    combo("parity")->setCurrentIndex(2);
    dialog->portList()->setCurrentIndex(1);
    dialog->applyButton()->click();
    dialog->intervalSpin()->setValue(1500);

    button("&Default")->click();
    EXPECT_FALSE(dialog->applyButton()->isEnabled());
    EXPECT_EQ(dialog->portList()->currentIndex(), 0);
    EXPECT_EQ(combo("baudRate")->currentText(), "4,800");
    EXPECT_EQ(combo("dataBits")->currentText(), "8");
    EXPECT_EQ(combo("stopBits")->currentText(), "1");
    EXPECT_EQ(combo("parity")->currentText(), "None");
    EXPECT_EQ(combo("sentences")->currentText(), "RMC");
    EXPECT_EQ(dialog->intervalSpin()->value(), 1500);
    EXPECT_EQ(doc.settings().baudRate, 9600);  // not applied yet

    button("&OK")->click();
    EXPECT_EQ(doc.settings().gpsCommPort, 1);
    EXPECT_EQ(doc.settings().baudRate, 4800);
    EXPECT_EQ(doc.settings().dataBits, 8);
    EXPECT_EQ(doc.settings().parity, 0);
    EXPECT_EQ(doc.settings().gpsType, 2);
    EXPECT_EQ(doc.settings().gpsReadInterval, 1500);
}

TEST_F(GpsPortDialogTest, TheIntervalSpinActsAtOnceWithinItsRange) {
    QSpinBox* spin = dialog->intervalSpin();
    EXPECT_EQ(spin->value(), 1000);
    spin->stepBy(1);
    EXPECT_EQ(doc.settings().gpsReadInterval, 1100);  // no Apply needed
    EXPECT_FALSE(dialog->applyButton()->isEnabled());
    receive(kVtg);
    EXPECT_EQ(timers.running[TimerId::GpsRead], 1100u);  // the next re-arm uses it

    spin->stepBy(20);
    EXPECT_EQ(spin->value(), 2000);
    spin->stepBy(-1);
    EXPECT_EQ(doc.settings().gpsReadInterval, 1900);
    spin->stepBy(-40);
    EXPECT_EQ(spin->value(), 100);
    EXPECT_EQ(spin->text(), "100");
    EXPECT_EQ(doc.settings().gpsReadInterval, 100);
}

TEST_F(GpsPortDialogTest, SentencesOfTheChosenSetAreBlueOthersBlack) {
    // Set 0 is GLL + VTG: GGA black, VTG blue.
    receive(kGga + kVtg);
    auto lines = lineColours();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_GT(lines[0].second, 20);
    EXPECT_EQ(lines[0].first, 0);
    EXPECT_GT(lines[1].first, 20);
    EXPECT_EQ(lines[1].second, 0);
    EXPECT_EQ(lines[2].first + lines[2].second, 0);

    // GGA + VTG: the list starts afresh and GGA turns blue.
    combo("sentences")->setCurrentIndex(1);
    dialog->applyButton()->click();
    EXPECT_EQ(lineColours()[0].first + lineColours()[0].second, 0);
    receive(kGga);
    lines = lineColours();
    EXPECT_GT(lines[0].first, 20);
    EXPECT_EQ(lines[0].second, 0);
}

TEST_F(GpsPortDialogTest, GpsdIsChosenWithItsHostAndPort) {
    auto* host = dialog->findChild<QLineEdit*>("gpsdHost");
    auto* port = dialog->findChild<QSpinBox*>("gpsdPort");
    ASSERT_TRUE(host && port);
    EXPECT_FALSE(host->isEnabled());  // a COM port is chosen
    EXPECT_EQ(host->text(), "localhost");
    EXPECT_EQ(port->value(), 2947);

    dialog->portList()->setCurrentIndex(dialog->portList()->findText("gpsd"));
    EXPECT_TRUE(host->isEnabled());
    host->setText("127.0.0.1");
    emit host->textEdited(host->text());
    port->setValue(2950);
    dialog->applyButton()->click();
    ASSERT_FALSE(sources.opens.empty());
    EXPECT_EQ(sources.opens.back().comPort, 0);
    EXPECT_EQ(sources.opens.back().host, "127.0.0.1");
    EXPECT_EQ(sources.opens.back().port, 2950);
    EXPECT_TRUE(doc.settings().gpsUseGpsd);

    // Sentences from gpsd go the same way as from a port.
    receive(kVtg);
    EXPECT_EQ(doc.gps().shared().snapshot().text[GpsText::Heading], "54.70 Deg.");

    dialog->portList()->setCurrentIndex(0);
    EXPECT_FALSE(host->isEnabled());
    dialog->applyButton()->click();
    EXPECT_FALSE(doc.settings().gpsUseGpsd);
    EXPECT_EQ(sources.opens.back().comPort, 1);
}

TEST_F(GpsPortDialogTest, OtherTalkersAreNamedUntilAllAreAccepted) {
    GpsReader& reader = doc.gps().reader();
    for (std::uint32_t ms = 0; ms <= 4000; ms += 1000) {
        sources.feed.send(kGnRmc);
        reader.tick(ms);
    }
    dialog->refreshSentences();
    EXPECT_EQ(dialog->talkerHint()->text(),
              "Receiving NMEA with talker GN: enable Accept all GNSS talkers");
    EXPECT_EQ(doc.gps().shared().snapshot().text[GpsText::Latitude], kGpsNotAvailable);

    auto* acceptAll = dialog->findChild<QCheckBox*>("acceptAllTalkers");
    ASSERT_TRUE(acceptAll);
    acceptAll->setChecked(true);
    combo("sentences")->setCurrentIndex(2);
    dialog->applyButton()->click();
    EXPECT_TRUE(doc.settings().acceptAllGnssTalkers);
    sources.feed.send(kGnRmc);
    reader.tick(5000);
    dialog->refreshSentences();
    EXPECT_EQ(dialog->talkerHint()->text(), "");
    EXPECT_EQ(doc.gps().shared().snapshot().text[GpsText::Latitude], "49.16.45 N");
}
