#include "app/qt/CommandTable.h"

namespace {
using C = CommandId;
const QString kFile = QStringLiteral("&File");
const QString kView = QStringLiteral("&View");
const QString kSonar = QStringLiteral("&Sonar");
const QString kColours = QStringLiteral("&Colors");
const QString kMeasure = QStringLiteral("&Measure");
const QString kGps = QStringLiteral("&GPS Options");
const QString kHelp = QStringLiteral("&Help");
const QString kGridText = QStringLiteral("Grid &Text Size");

CommandEntry item(C id, const QString& menu, const char* text, const char* tip,
                  QKeySequence key = {}, bool checkable = false, bool separatorBefore = false,
                  const QString& submenu = {}) {
    return {id,  menu,      submenu,        QString::fromUtf8(text), QString::fromUtf8(tip),
            key, checkable, separatorBefore};
}
}  // namespace

const std::vector<CommandEntry>& commandTable() {
    static const std::vector<CommandEntry> table = {
        item(C::FileNew, kFile, "&New", "New document (during playback)", QKeySequence::New),
        item(C::Playback, kFile, "&Playback...", "Open a data file for playback",
             QKeySequence::Open),
        item(C::ConnectToSonarHead, kFile, "&Connect to Sonar Head...",
             "Connect to the sonar head"),
        item(C::Reconnect, kFile, "&Reconnect....", "Reconnect to sonar head"),
        item(C::RecordData, kFile, "Record Data...", "Record the pings to a file",
             QKeySequence(Qt::CTRL | Qt::Key_S), false, true),
        item(C::StopRecording, kFile, "Stop Recording...", "Stop recording",
             QKeySequence(Qt::CTRL | Qt::Key_Z)),
        item(C::SaveScreen, kFile, "&Save Screen", "Save the screen as an image file", {}, false,
             true),
        item(C::SaveSelected, kFile, "Save Selected",
             "Save the selected rectangle as an image file"),
        item(C::ExportTargets, kFile, "Export Targets...",
             "Write the marks and measurements of this file as CSV, KML or GeoJSON", {}, false,
             true),
        item(C::RecentFile1, kFile, "Recent File 1", "Open this file for playback", {}, false,
             true),
        item(C::RecentFile2, kFile, "Recent File 2", "Open this file for playback"),
        item(C::RecentFile3, kFile, "Recent File 3", "Open this file for playback"),
        item(C::RecentFile4, kFile, "Recent File 4", "Open this file for playback"),
        item(C::AppExit, kFile, "E&xit", "Quit the application", QKeySequence::Quit, false, true),

        item(C::ViewToolbar, kView, "&Toolbar", "Show or hide the toolbar", {}, true),
        item(C::ViewStatusBar, kView, "&Status Bar", "Show or hide the status bar", {}, true),
        item(C::FilePlaybackBar, kView, "&File Playback Bar", "Show or hide the file playback bar",
             {}, true),
        item(C::DefaultLayout, kView, "&Default Layout", "Put the windows back in place"),
        item(C::ZoomIn, kView, "Zoom &In", "Zoom in", {}, false, true),
        item(C::ZoomOut, kView, "Zoom &Out", "Zoom out"),
        item(C::Restore, kView, "&Restore image", "Zoom 1, no pan", Qt::Key_R),
        item(C::ZoomAboutMouse, kView, "&Zoom at Mouse", "Zoom in about the mouse pointer",
             Qt::Key_Z),
        item(C::Grid, kView, "&Grid", "Show or hide the range grid", {}, true, true),
        item(C::GridTextLarge, kView, "&Large", "Large grid texts", {}, true, false, kGridText),
        item(C::GridTextMedium, kView, "&Medium", "Medium grid texts", {}, true, false, kGridText),
        item(C::GridTextSmall, kView, "&Small", "Small grid texts", {}, true, false, kGridText),
        item(C::ShowRange, kView, "Show Range", "Show or hide the range text", {}, true),
        item(C::ColorIndicator, kView, "Color &Indicator", "Show or hide the colour indicator", {},
             true),
        item(C::Hold, kView, "&Hold", "Hold the image", Qt::Key_H, true, true),
        item(C::ClearScreen, kView, "&Clear Screen", "Clear the waterfall", Qt::Key_C),
        item(C::MouseDown, kView, "Pointer Down", "Move the pointer one pixel down", Qt::Key_Down,
             false, true),
        item(C::MouseLeft, kView, "Pointer Left", "Move the pointer one pixel left", Qt::Key_Left),
        item(C::MouseRight, kView, "Pointer Right", "Move the pointer one pixel right",
             Qt::Key_Right),
        item(C::MouseUp, kView, "Pointer Up", "Move the pointer one pixel up", Qt::Key_Up),

        item(C::IncreaseRange, kSonar, "Increase Range", "Increase range"),
        item(C::DecreaseRange, kSonar, "Decrease Range", "Decrease range"),
        item(C::IncreaseGain, kSonar, "Increase Gain", "Increase gain", {}, false, true),
        item(C::DecreaseGain, kSonar, "Decrease Gain", "Decrease gain"),
        item(C::PortOnly, kSonar, "&Port Only", "Show the port side only", {}, true, true),
        item(C::StbdOnly, kSonar, "&Stbd Only", "Show the starboard side only", {}, true),
        item(C::BothSides, kSonar, "Both Sides", "Show both sides", {}, true),
        item(C::VerticalBlending, kSonar, "&Vertical Blending",
             "Blend each line with earlier pings", {}, true, true),
        item(C::SpeedCorrection, kSonar, "&Speed Correction", "Scroll by the distance travelled",
             {}, true),
        item(C::SonarSettings, kSonar, "&Sonar Settings", "Show the sonar settings", {}, true,
             true),
        item(C::Diagnostics, kSonar, "&Diagnostics", "Show the diagnostics"),
        item(C::Metric, kSonar, "&Metric", "Metres", {}, true, true),
        item(C::Imperial, kSonar, "&Imperial", "Feet", {}, true),

        item(C::ColourNormalHigh, kColours, "Normal  &High", "Colour table Normal High", {}, true),
        item(C::ColourNormalLow, kColours, "Normal  &Low", "Colour table Normal Low", {}, true),
        item(C::ColourGreen, kColours, "Gr&een", "Colour table Green", {}, true),
        item(C::ColourGrey, kColours, "&Grey", "Colour table Grey", {}, true),
        item(C::ColourReverseGrey, kColours, "&Reverse Grey", "Colour table Reverse Grey", {},
             true),
        item(C::ColourBrownYellow, kColours, "&Brown / Yellow", "Colour table Brown / Yellow", {},
             true),
        item(C::ColourGreenBlue, kColours, "Gree&n / Blue", "Colour table Green / Blue", {}, true),
        item(C::ColourGreenYellow, kColours, "Green / &Yellow", "Colour table Green / Yellow", {},
             true),
        item(C::ColourBlue, kColours, "Bl&ue", "Colour table Blue", {}, true),

        item(C::Select, kMeasure, "Se&lect", "Select an area to save", {}, true),
        item(C::PlusMark, kMeasure, "Draw '+' Mark", "Put a mark on the image", {}, true),
        item(C::TargetHeight, kMeasure, "Measure Target &Height", "Measure a target's height", {},
             true),
        item(C::MeasureRange, kMeasure, "Measure &Range", "Measure the range to a point", {}, true),
        item(C::MeasureDistance, kMeasure, "Measure &Distance", "Measure a distance", {}, true),
        item(C::ClearLinesMarks, kMeasure, "&Clear Lines/Marks",
             "Clear measurement lines and marks", {}, false, true),
        item(C::ShowMarkShadow, kMeasure, "Show Mark Shadow", "Box behind measurement labels", {},
             true),

        item(C::GpsCommPortSettings, kGps, "GPS Comm Port &Settings", "Set up the GPS serial port"),
        item(C::GpsEnabled, kGps, "GPS Enabled", "GPS input"),
        item(C::ShowGpsTrackPlotter, kGps, "Show &GPS Track Plotter", "Open the GPS track window"),
        item(C::GpsZoomIn, kGps, "Zoom &In", "Zoom the GPS track in", Qt::Key_Equal, false, true),
        item(C::GpsZoomOut, kGps, "Zoom &Out", "Zoom the GPS track out", Qt::Key_Minus),
        item(C::EraseGpsTracks, kGps, "&Erase GPS Tracks", "Erase the GPS track"),
        item(C::ConvertUtcToLocalTime, kGps, "Convert UTC To Local Time",
             "Show GPS times in local time", {}, true, true),
        item(C::SynchronizeWithGpsTime, kGps, "Synchronize with GPS Time",
             "Set the computer's clock from the next GPS time"),

        item(C::BeamCoverage, kHelp, "Beam Coverage", "Draw the beam coverage of the sonar"),
        item(C::About, kHelp, "&About Keelbrook...", "Program information, version number"),
    };
    return table;
}

const CommandEntry* findCommand(CommandId id) {
    for (const CommandEntry& e : commandTable()) {
        if (e.id == id) {
            return &e;
        }
    }
    return nullptr;
}

const std::vector<ToolbarButton>& toolbarCommands() {
    static const std::vector<ToolbarButton> buttons = {
        {C::ConnectToSonarHead},
        {C::Playback},
        {},
        {C::RecordData},
        {C::StopRecording},
        {C::IncreaseRange},
        {C::DecreaseRange},
        {C::IncreaseGain},
        {C::DecreaseGain},
        {C::ClearScreen},
        {C::Hold},
        {C::ZoomIn},
        {C::ZoomOut},
        {C::Select},
        {C::PlusMark},
        {C::TargetHeight},
        {C::MeasureRange},
        {C::MeasureDistance},
        {C::ClearLinesMarks},
        {C::Restore},
        {C::About},
    };
    return buttons;
}
