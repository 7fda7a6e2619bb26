#include "nmeasim/Options.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <limits>

namespace nmeasim {
namespace {

constexpr double kMaxRate = 20.0;
constexpr std::array<unsigned, 6> kBauds = {4800, 9600, 19200, 38400, 57600, 115200};
constexpr double kMaxLatitude = 85.0;
constexpr double kMaxSpeedKnots = 40.0;
constexpr double kMaxLineLength = 100000.0;
constexpr double kMaxLineSpacing = 10000.0;
constexpr double kMaxGapSeconds = 86400.0;
constexpr int kFirstYear = 1980;  // two-digit RMC years must stay unambiguous
constexpr int kLastYear = 2069;

const char kUsage[] =
    "Usage: nmeasim [options]\n"
    "NMEA 0183 GPS simulator: a survey vessel running lines, or a recorded log played back,\n"
    "written to a pseudo-terminal as a GPS receiver on a serial line would.\n"
    "The first line on standard output is the device to open (e.g. /dev/pts/7).\n"
    "\n"
    "Output:\n"
    "  --link PATH            also create the symlink PATH to the device (removed at exit)\n"
    "  --rate HZ              fixes per second, 0 < HZ <= 20 (fractions allowed), default 1\n"
    "  --baud N               line speed: 4800 (default), 9600, 19200, 38400, 57600, 115200;\n"
    "                         output is paced at N/10 bytes per second as on a real wire\n"
    "  --sentences LIST       comma-separated, in the order sent, default GGA,GLL,RMC,VTG;\n"
    "                         GSA, GSV and ZDA may be added\n"
    "  --talker XX            two-letter talker, default GP; GN, GL, GA, GB as sent by\n"
    "                         multi-constellation receivers\n"
    "Vessel:\n"
    "  --start LAT,LON        start of the first line, decimal degrees (south and west\n"
    "                         negative), default 50.7750,-1.2300\n"
    "  --speed KNOTS          speed through the survey, default 4\n"
    "  --line-length M        length of each survey line in metres, default 500\n"
    "  --line-spacing M       distance between lines in metres, default 50\n"
    "                         (lines run north and south, stepping east)\n"
    "  --time YYYY-MM-DDTHH:MM:SS   UTC time of the first fix, default now\n"
    "  --seed N               randomness of the vessel, the sky and the faults, default 1\n"
    "Replay:\n"
    "  --replay FILE          play a recorded NMEA log at its own pace, taken from the UTC\n"
    "                         times in its sentences (pauses over 60 s play as 1 s); lines\n"
    "                         starting with # and non-NMEA lines are skipped; output is CR LF\n"
    "  --loop                 start the log again at its end\n"
    "Running:\n"
    "  --count N              exit after N fixes (cycles of a log)\n"
    "  --fast                 no pacing: write as fast as the reader takes it, nothing dropped\n"
    "Faults:\n"
    "  --noise P              probability 0..1 per sentence of a burst of random bytes before\n"
    "                         or inside it\n"
    "  --bad-checksum-every N every Nth sentence carries a wrong checksum\n"
    "  --split                write each sentence in 2..5 random pieces, 2..20 ms apart\n"
    "  --gap-every S          every S seconds fall silent ...\n"
    "  --gap-seconds T        ... for T seconds (T < S; both needed), as a receiver losing\n"
    "                         power or a cable fault; the vessel moves on meanwhile\n"
    "  --help                 show this text\n"
    "\n"
    "Without --fast, output nobody reads is dropped, not stored: a program that opens the\n"
    "device late reads current sentences. If a fix does not fit into the time to the next at\n"
    "the chosen baud, later fixes are dropped as on a real line, and a warning is printed.\n"
    "SIGINT or SIGTERM ends the program.\n";

std::vector<std::string> splitList(const std::string& text) {
    std::vector<std::string> out;
    std::size_t from = 0;
    while (true) {
        const std::size_t comma = text.find(',', from);
        out.push_back(text.substr(from, comma - from));
        if (comma == std::string::npos) {
            return out;
        }
        from = comma + 1;
    }
}

class Parser {
  public:
    explicit Parser(const std::vector<std::string>& args)
        : args_(args), reader_(args, {.refuseRepeats = true, .emptyIsMissing = false}) {}

    ParsedOptions run();

  private:
    bool option(const std::string& name);
    bool vesselOption(const std::string& name);
    bool faultOption(const std::string& name);
    bool sentences(const std::string& text);
    bool start(const std::string& text);
    bool check();

    const std::vector<std::string>& args_;
    sim::OptionReader reader_;
    ParsedOptions result_;
};

bool Parser::sentences(const std::string& text) {
    std::vector<SentenceType> types;
    for (const std::string& name : splitList(text)) {
        const auto type = sentenceTypeFromName(name);
        if (!type) {
            return reader_.fail("unknown sentence '" + name +
                                "' in --sentences (expected GGA, GLL, RMC, VTG, GSA, GSV, ZDA)");
        }
        if (std::find(types.begin(), types.end(), *type) != types.end()) {
            return reader_.fail("sentence '" + name + "' named twice in --sentences");
        }
        types.push_back(*type);
    }
    result_.options.sentences = types;
    return true;
}

bool Parser::start(const std::string& text) {
    const std::vector<std::string> parts = splitList(text);
    const auto lat = parts.size() == 2 ? sim::parseDecimal(parts[0]) : std::nullopt;
    const auto lon = parts.size() == 2 ? sim::parseDecimal(parts[1]) : std::nullopt;
    if (!lat || !lon || std::fabs(*lat) > kMaxLatitude || std::fabs(*lon) > 180.0) {
        return reader_.fail("invalid value '" + text +
                            "' for --start (expected LAT,LON in decimal degrees, |LAT| <= 85)");
    }
    result_.options.vessel.startLatitude = *lat;
    result_.options.vessel.startLongitude = *lon;
    return true;
}

bool Parser::vesselOption(const std::string& name) {
    VesselConfig& v = result_.options.vessel;
    std::string text;
    if (name == "--start") {
        return reader_.value(name, text) && start(text);
    }
    if (name == "--speed") {
        return reader_.decimal(name, 0.0, kMaxSpeedKnots, false, v.speedKnots);
    }
    if (name == "--line-length") {
        return reader_.decimal(name, 0.0, kMaxLineLength, true, v.lineLength);
    }
    if (name == "--line-spacing") {
        return reader_.decimal(name, 0.0, kMaxLineSpacing, true, v.lineSpacing);
    }
    if (name == "--time") {
        if (!reader_.value(name, text)) {
            return false;
        }
        const auto t = parseIsoTime(text);
        const int year = t ? toCivil(*t).year : 0;
        if (!t || year < kFirstYear || year > kLastYear) {
            return reader_.fail(
                "invalid value '" + text +
                "' for --time (expected YYYY-MM-DDTHH:MM:SS UTC, years 1980..2069)");
        }
        result_.options.startTime = t;
        return true;
    }
    if (name == "--sentences") {
        return reader_.value(name, text) && sentences(text);
    }
    if (name == "--talker") {
        if (!reader_.value(name, text)) {
            return false;
        }
        if (text.size() != 2 || !std::isupper(static_cast<unsigned char>(text[0])) ||
            !std::isupper(static_cast<unsigned char>(text[1]))) {
            return reader_.fail("invalid value '" + text +
                                "' for --talker (expected two capitals, e.g. GN)");
        }
        result_.options.talker = text;
        return true;
    }
    return reader_.fail("unknown option '" + name + "'");
}

bool Parser::faultOption(const std::string& name) {
    FaultOptions& f = result_.options.faults;
    if (name == "--noise") {
        return reader_.decimal(name, 0.0, 1.0, false, f.noise);
    }
    if (name == "--bad-checksum-every") {
        std::uint64_t n = 0;
        if (!reader_.wholeFrom(name, 1, n)) {
            return false;
        }
        f.badChecksumEvery = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(n, std::numeric_limits<std::uint32_t>::max()));
        return true;
    }
    if (name == "--split") {
        f.split = true;
        return true;
    }
    if (name == "--gap-every") {
        return reader_.decimal(name, 0.0, kMaxGapSeconds, true, f.gapEvery);
    }
    if (name == "--gap-seconds") {
        return reader_.decimal(name, 0.0, kMaxGapSeconds, true, f.gapSeconds);
    }
    return vesselOption(name);
}

bool Parser::option(const std::string& name) {
    Options& o = result_.options;
    if (name == "--link") {
        return reader_.value(name, o.link);
    }
    if (name == "--rate") {
        return reader_.decimal(name, 0.0, kMaxRate, true, o.rate);
    }
    if (name == "--baud") {
        std::uint64_t baud = 0;
        if (!reader_.wholeFrom(name, 1, baud)) {
            return false;
        }
        if (std::find(kBauds.begin(), kBauds.end(), baud) == kBauds.end()) {
            return reader_.fail(
                "invalid value '" + std::to_string(baud) +
                "' for --baud (expected 4800, 9600, 19200, 38400, 57600 or 115200)");
        }
        o.baud = static_cast<unsigned>(baud);
        return true;
    }
    if (name == "--seed") {
        return reader_.wholeFrom(name, 0, o.seed);
    }
    if (name == "--count") {
        return reader_.wholeFrom(name, 1, o.count);
    }
    if (name == "--fast") {
        o.fast = true;
        return true;
    }
    if (name == "--replay") {
        return reader_.value(name, o.replay);
    }
    if (name == "--loop") {
        o.loop = true;
        return true;
    }
    return faultOption(name);
}

bool Parser::check() {
    const auto saw = [this](const char* name) { return reader_.seen(name); };
    const FaultOptions& f = result_.options.faults;
    if (saw("--gap-every") != saw("--gap-seconds")) {
        return reader_.fail("--gap-every and --gap-seconds must be given together");
    }
    if (saw("--gap-every") && f.gapSeconds >= f.gapEvery) {
        return reader_.fail("--gap-seconds must be shorter than --gap-every");
    }
    if (saw("--loop") && !saw("--replay")) {
        return reader_.fail("--loop needs --replay FILE");
    }
    if (saw("--replay")) {
        for (const char* vesselOnly : {"--rate", "--sentences", "--talker", "--start", "--speed",
                                       "--line-length", "--line-spacing", "--time"}) {
            if (saw(vesselOnly)) {
                return reader_.fail(std::string(vesselOnly) + " cannot be combined with --replay");
            }
        }
    }
    return true;
}

ParsedOptions Parser::run() {
    if (sim::asksForHelp(args_)) {
        result_.status = ParsedOptions::Status::Help;
    } else if (reader_.readAll([this](const std::string& name) { return option(name); }) &&
               check()) {
        result_.status = ParsedOptions::Status::Run;
    }
    result_.error = reader_.error();
    return result_;
}

}  // namespace

ParsedOptions parseOptions(const std::vector<std::string>& args) {
    return Parser(args).run();
}

const char* usageText() {
    return kUsage;
}

}  // namespace nmeasim
