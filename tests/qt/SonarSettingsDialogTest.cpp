#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QTemporaryDir>
#include <memory>
#include <numeric>
#include <vector>

#include "acquisition/qt/CSonarSocket.h"
#include "app/qt/QtPlatform.h"
#include "display/qt/CSonarSettingsDlg.h"
#include "document/CKeelbrookDoc.h"
#include "qt/HeadsimProcess.h"
#include "support/FakePorts.h"

namespace {

struct Ack {
    int runType;
    int echoValue;
};

// Notes every acknowledgement the head sent, ping by ping.
struct AckRecorder : FakeFrame {
    const CKeelbrookDoc* doc = nullptr;
    std::vector<Ack> acks;
    void refreshDiagnostics() override {
        FakeFrame::refreshDiagnostics();
        acks.push_back({doc->decoded().runType, doc->decoded().echoValue});
    }
    bool acknowledged(int runType, int value) const {
        for (const Ack& a : acks) {
            if (a.runType == runType && a.echoValue == value) {
                return true;
            }
        }
        return false;
    }
};

// The document on the real socket against the simulator, with the settings dialog on it.
class DialogAgainstHead {
  public:
    explicit DialogAgainstHead(const std::string& address) {
        prompts.answers.push_back(address);
        doc = std::make_unique<CKeelbrookDoc>(DocPorts{socket, clock, timers, prompts, frame},
                                              dir.path().toStdString() + "/", 1920, 1080);
        frame.doc = doc.get();
        socket.setDocument(doc.get());
        timers.setDocument(doc.get());
        doc->resizeImage(400, 300);
        doc->initialise();
        CSonarSettingsDlg::Hooks hooks;
        hooks.imperial = [] { return false; };
        dialog = std::make_unique<CSonarSettingsDlg>(doc->head().command(), hooks);
        dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    ~DialogAgainstHead() {
        socket.setDocument(nullptr);
        timers.setDocument(nullptr);
        socket.close();
    }
    template <typename W>
    W* control(const char* name) {
        return dialog->findChild<W*>(QString::fromLatin1(name));
    }
    void choose(const char* combo, int index) {
        QComboBox* c = control<QComboBox>(combo);
        c->setCurrentIndex(index);
        emit c->activated(index);  // as a click on the entry does
    }
    bool settled() const {
        return !doc->head().handshakeArmed() && doc->head().command().linkCommand() == 0;
    }
    double meanEcho() const {
        const PingBuffer& p = doc->pingBuffer();
        return std::accumulate(p.samples(), p.samples() + p.samplesTotal(), 0.0) / p.samplesTotal();
    }

    QTemporaryDir dir;
    CSonarSocket socket;
    QtClock clock;
    QtTimers timers;
    FakePrompts prompts;
    AckRecorder frame;
    std::unique_ptr<CKeelbrookDoc> doc;
    std::unique_ptr<CSonarSettingsDlg> dialog;
};

TEST(SonarSettingsDialog, EachChangeReachesTheHeadAndIsAcknowledged) {
    HeadsimProcess sim("127.0.0.71", {});
    ASSERT_TRUE(sim.listening());
    DialogAgainstHead rig("127.0.0.71");
    rig.doc->Connect();
    ASSERT_TRUE(waitUntil([&] { return rig.settled() && rig.frame.acks.size() >= 5; }));

    // Balance: the trackbar moves, the dB texts follow, the head applies 45.
    rig.control<QSlider>("gainBalance")->setValue(45);
    EXPECT_EQ(rig.control<QLineEdit>("portDb")->text(), QStringLiteral("-1.5"));
    EXPECT_EQ(rig.control<QLineEdit>("stbdDb")->text(), QStringLiteral("1.5"));
    EXPECT_EQ(rig.doc->head().command().linkCommand(), SwitchCommand::ApplyBalance);
    ASSERT_TRUE(waitUntil([&] { return rig.frame.acknowledged(3, 45) && rig.settled(); }));

    // Range: 30 m is list entry 2, index 7.
    rig.choose("range", 2);
    ASSERT_TRUE(waitUntil([&] { return rig.frame.acknowledged(2, 7) && rig.settled(); }));

    // Mode High: acknowledged as mode 2; the list now ends at 50 m.
    rig.choose("mode", 2);
    ASSERT_TRUE(waitUntil([&] { return rig.frame.acknowledged(1, 2) && rig.settled(); }));
    EXPECT_EQ(rig.control<QComboBox>("range")->count(), 5);
    EXPECT_EQ(rig.control<QComboBox>("range")->currentText(), QStringLiteral("30 m"));

    // Gain travels in every command: the simulated echoes weaken by a factor of ten.
    rig.frame.acks.clear();
    ASSERT_TRUE(waitUntil([&] { return rig.frame.acks.size() >= 3; }));
    const double before = rig.meanEcho();
    rig.choose("dataGain", 30);
    EXPECT_EQ(rig.doc->head().command().dataGain(), 30);
    rig.frame.acks.clear();
    ASSERT_TRUE(waitUntil([&] { return rig.frame.acks.size() >= 3; }));
    EXPECT_LT(rig.meanEcho(), before / 3) << "before " << before;
}

TEST(SonarSettingsDialog, HighModeLowersALargerRangeAndTheHeadFollows) {
    HeadsimProcess sim("127.0.0.72", {});
    ASSERT_TRUE(sim.listening());
    DialogAgainstHead rig("127.0.0.72");
    rig.doc->head().command().setRangeIndex(14);  // 150 m before the handshake
    rig.dialog->refresh();
    rig.doc->Connect();
    ASSERT_TRUE(waitUntil([&] { return rig.settled() && rig.frame.acknowledged(2, 14); }));
    rig.choose("mode", 2);
    EXPECT_EQ(rig.control<QComboBox>("range")->currentText(), QStringLiteral("50 m"));
    EXPECT_EQ(rig.doc->head().command().rangeIndex(), 9);
    // The mode goes first; the head then reports its old range and is sent the new one.
    ASSERT_TRUE(waitUntil([&] { return rig.frame.acknowledged(2, 9) && rig.settled(); }));
    EXPECT_TRUE(rig.frame.acknowledged(1, 2));
}

}  // namespace
