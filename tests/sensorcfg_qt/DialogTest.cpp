#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "sensorcfg/DocFixture.h"
#include "sensorcfg/qt/CCommSetupDlg.h"
#include "sensorcfg/qt/CNmeaSelectDlg.h"
#include "sensorcfg/qt/CSensorConfigDlg.h"
#include "sensorcfg/qt/SpinArrows.h"

namespace {
using C = ConfigControl;

class DialogTest : public DocTest {
  protected:
    void useModel(int model) {
        resetToDefaults(config, model);
        doc->setModified(false);
    }
    static QLineEdit* lineEdit(const CSensorConfigDlg& dlg, C c) {
        return qobject_cast<QLineEdit*>(dlg.control(c));
    }
    static QComboBox* combo(const CSensorConfigDlg& dlg, C c) {
        return qobject_cast<QComboBox*>(dlg.control(c));
    }
    static void type(const CSensorConfigDlg& dlg, C c, const QString& text) {
        QLineEdit* e = lineEdit(dlg, c);
        e->selectAll();
        QTest::keyClicks(e, text);
    }
};

TEST_F(DialogTest, Model1DisablesEverySentenceBoxAndOffers110Datums) {
    useModel(1);
    CNmeaSelectDlg nmea(*doc);
    for (int s = 0; s < kSentenceCount; ++s) {
        EXPECT_FALSE(nmea.box(s)->isEnabled()) << sentenceName(s);
    }
    EXPECT_FALSE(nmea.resetButton()->isEnabled());

    CSensorConfigDlg dlg(*doc, prompts, false);
    EXPECT_EQ(combo(dlg, C::Datum)->count(), 110);
    EXPECT_EQ(combo(dlg, C::Datum)->currentText(), "WGS 84");
    EXPECT_FALSE(dlg.control(C::OutputTime)->isEnabled());
    EXPECT_FALSE(dlg.control(C::BeaconFreq)->isEnabled());

    useModel(3);
    CSensorConfigDlg other(*doc, prompts, false);
    EXPECT_EQ(combo(other, C::Datum)->count(), 111);
    EXPECT_EQ(combo(other, C::Baud)->count(), 8);
    EXPECT_EQ(combo(other, C::Baud)->currentText(), "19200");
}

TEST_F(DialogTest, SentenceSelectionResetAndOk) {
    useModel(6);
    CNmeaSelectDlg dlg(*doc);
    dlg.show();
    EXPECT_TRUE(dlg.box(LCGLL)->isEnabled());
    EXPECT_FALSE(dlg.box(GPGLL)->isEnabled());
    dlg.setResetChooser([] { return NmeaSelectForm::ResetChoice::LoranSpecific; });
    QTest::mouseClick(dlg.resetButton(), Qt::LeftButton);
    EXPECT_FALSE(dlg.box(PTVRB)->isChecked());
    EXPECT_TRUE(dlg.box(PTVRT)->isChecked());
    QTest::mouseClick(dlg.box(LCVTG), Qt::LeftButton);
    dlg.accept();
    EXPECT_EQ(config.sentences[PTVRB], 0);
    EXPECT_EQ(config.sentences[LCVTG], 1);
    EXPECT_TRUE(doc->isModified());
}

TEST_F(DialogTest, StandardDatumAfterUserDatumResetsEvenWhenCancelled) {
    useModel(2);
    config.datum = kUserDatum;
    config.datum_a = 6377000.0;
    config.datum_df = 300.0;
    config.dx = 100.0F;
    config.dz = -40.0F;
    CSensorConfigDlg dlg(*doc, prompts, false);
    EXPECT_TRUE(dlg.control(C::DatumA)->isEnabled());
    EXPECT_EQ(lineEdit(dlg, C::DatumA)->text(), "6377000");
    combo(dlg, C::Datum)->setCurrentIndex(kWgs84Datum);
    EXPECT_FALSE(dlg.control(C::DatumA)->isEnabled());
    EXPECT_EQ(lineEdit(dlg, C::DatumF)->text(), "298.257223563");
    dlg.reject();
    EXPECT_EQ(config.datum, kWgs84Datum);
    EXPECT_EQ(config.datum_a, kWgs84SemiMajorAxis);
    EXPECT_EQ(config.datum_df, kWgs84InverseFlattening);
    EXPECT_EQ(config.dx, 0.0F);
    EXPECT_EQ(config.dz, 0.0F);
    EXPECT_TRUE(doc->isModified());
}

TEST_F(DialogTest, BeaconFrequencyIsCheckedOnOk) {
    const std::string freqMessage =
        "Please enter a valid 0.5 kHz Beacon Frequency\n   of 0.0 or between 283.5 and 325.0 kHz.";
    const std::string phaseMessage =
        "Can't have Phase Output Data and Beacon Tuning\nactive at the same time.  Please turn "
        "off Phase\n     Output or set Beacon Frequency to 0.0.\n";
    struct Case {
        const char* freq;
        bool phase;
        std::string message;
    };
    for (const Case& k : {Case{"283.0", false, freqMessage}, Case{"0.0", false, ""},
                          Case{"325.0", false, ""}, Case{"300.0", true, phaseMessage}}) {
        SCOPED_TRACE(k.freq);
        useModel(5);
        config.dgpsmode = 0;
        prompts.messages.clear();
        CSensorConfigDlg dlg(*doc, prompts, false);
        dlg.show();
        ASSERT_TRUE(dlg.control(C::BeaconFreq)->isEnabled());
        type(dlg, C::BeaconFreq, QString::fromLatin1(k.freq));
        auto* phase = qobject_cast<QCheckBox*>(dlg.control(C::PhaseOutput));
        if (phase->isChecked() != k.phase) {
            QTest::mouseClick(phase, Qt::LeftButton);
        }
        dlg.accept();
        if (k.message.empty()) {
            EXPECT_TRUE(prompts.messages.empty());
            EXPECT_EQ(dlg.result(), QDialog::Accepted);
            EXPECT_EQ(config.bcn_freq, std::stof(k.freq));
        } else {
            ASSERT_EQ(prompts.messages.size(), 1u);
            EXPECT_EQ(prompts.messages[0].text, k.message);
            EXPECT_EQ(prompts.messages[0].icon, PromptIcon::Exclamation);
            EXPECT_TRUE(dlg.isVisible()) << "the dialog stays open";
            EXPECT_EQ(dlg.focusWidget(), dlg.control(C::BeaconFreq));
            EXPECT_EQ(config.bcn_freq, 0.0F);
        }
    }
}

TEST_F(DialogTest, HeldOutputTimeArrowSpeedsUpAndAReleaseStartsOver) {
    useModel(2);
    CSensorConfigDlg dlg(*doc, prompts, false);
    dlg.show();
    SpinArrows* arrows = dlg.spin(ConfigSpin::OutputTime);
    EXPECT_EQ(lineEdit(dlg, C::OutputTime)->text(), "1");
    // Holding the up key: one press, then the keyboard's repeats.
    for (int i = 0; i < 7; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier, QString(), i > 0);
        QApplication::sendEvent(arrows, &press);
    }
    EXPECT_EQ(lineEdit(dlg, C::OutputTime)->text(), "35");
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(arrows, &release);
    // A click on the upper arrow steps by one again.
    QTest::mouseClick(arrows, Qt::LeftButton, {}, QPoint(arrows->width() / 2, 2));
    EXPECT_EQ(lineEdit(dlg, C::OutputTime)->text(), "36");
    QTest::mouseClick(arrows, Qt::LeftButton, {},
                      QPoint(arrows->width() / 2, arrows->height() - 2));
    EXPECT_EQ(lineEdit(dlg, C::OutputTime)->text(), "35");
    dlg.accept();
    EXPECT_EQ(config.outtime, 35);
}

TEST_F(DialogTest, PerModelControlsAndTheStoresAfterOk) {
    useModel(0);
    config.adaptive_tx = 1;
    {
        CSensorConfigDlg dlg(*doc, prompts, false);
        auto* adaptive = qobject_cast<QCheckBox*>(dlg.control(C::AdaptiveTx));
        EXPECT_TRUE(adaptive->isEnabled());
        EXPECT_TRUE(adaptive->isChecked());
        EXPECT_EQ(adaptive->toolTip(),
                  "When enabled, the unit will filter out the NMEA sentences when the position "
                  "does not change.");
        EXPECT_FALSE(dlg.control(C::Pps)->isEnabled());
        EXPECT_FALSE(dlg.control(C::Baud)->isEnabled());
        EXPECT_FALSE(dlg.control(C::ResetUnit)->isEnabled());
        EXPECT_TRUE(dlg.control(C::Model0)->isEnabled());
        EXPECT_FALSE(dlg.control(C::Model1)->isEnabled());
        dlg.show();
        QTest::mouseClick(qobject_cast<QAbstractButton*>(dlg.control(C::LatSouth)), Qt::LeftButton);
        type(dlg, C::LatDeg, "51");
        type(dlg, C::LatMin, "30.25");
        combo(dlg, C::Filter)->setCurrentIndex(2);
        EXPECT_TRUE(dlg.control(C::FilterValue)->isVisible());
        type(dlg, C::FilterValue, "60");
        combo(dlg, C::FixMode)->setCurrentIndex(1);
        QTest::mouseClick(adaptive, Qt::LeftButton);
        dlg.accept();
    }
    EXPECT_EQ(config.lat_deg, 51);
    EXPECT_EQ(config.lat_min, 30.25F);
    EXPECT_EQ(config.lat_south, 1);
    EXPECT_EQ(config.filter, 60);
    EXPECT_EQ(config.fixmode, 1);
    EXPECT_EQ(config.adaptive_tx, 0);

    useModel(6);
    CSensorConfigDlg hadley(*doc, prompts, false);
    EXPECT_EQ(qobject_cast<QAbstractButton*>(hadley.control(C::PositionAveraging))->text(),
              "Position Pinning");
    EXPECT_FALSE(hadley.control(C::PowerSave)->isEnabled());
    EXPECT_FALSE(hadley.control(C::DgpsMode)->isEnabled());
    EXPECT_TRUE(hadley.control(C::PpsLength)->isEnabled());
}

TEST_F(DialogTest, RangeMessageFocusesTheWrongField) {
    useModel(2);
    CSensorConfigDlg dlg(*doc, prompts, false);
    dlg.show();
    type(dlg, C::Altitude, "20000");
    type(dlg, C::DeadReckoning, "40");
    dlg.accept();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "Please enter a number between -1500 and 18000.");
    EXPECT_EQ(dlg.focusWidget(), dlg.control(C::Altitude));
    EXPECT_EQ(config.alt, 300.0F);
}
}  // namespace

namespace {
TEST_F(DocTest, CommSetupShowsTheDeviceOfEachPort) {
    profile->writeString("Serial Ports", "COM3", "/tmp/no-such-sensor");
    profile->writeString("Serial Ports", "COM5", "/dev/ttyUSB7");
    config.port = 3;
    CCommSetupDlg dlg(*doc, *profile);
    auto* device = dlg.findChild<QLabel*>("device");
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->text(), "/tmp/no-such-sensor");
    dlg.ports()->setCurrentIndex(4);
    EXPECT_EQ(device->text(), "/dev/ttyUSB7");
    dlg.accept();
    EXPECT_EQ(config.port, 5);
}
}  // namespace
