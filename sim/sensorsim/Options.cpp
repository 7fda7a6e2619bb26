#include "sensorsim/Options.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace sensorsim {
namespace {

constexpr std::uint64_t kMaxLateMs = 60000;

const char kUsage[] =
    "Usage: sensorsim [options]\n"
    "A Tavrin GPS sensor on a pseudo-terminal, for training with sentrim and for its tests.\n"
    "It answers the sensor's configuration sentences as a unit of the chosen base model does,\n"
    "and only while the line is set to the unit's own rate: bytes sent at any other rate are\n"
    "ignored, and what it sends then arrives as garbage. Once a second (the configured output\n"
    "time) it sends its enabled sentences: GGA, GSA, the GSV messages, RMC, VTG, GLL, the LC\n"
    "GLL and VTG, and its own PTVRB, PTVRE, PTVRF, PTVRT, PTVRV and PTVRM, of a survey vessel.\n"
    "\n"
    "Unit:\n"
    "  --model N              base model 0..7 (0 Brisa, 1 Calder, 2 Dunmore, 3 Elston,\n"
    "                         4 Farrow, 5 Galton, 6 Hadley, 7 Ixworth), default 0; the unit\n"
    "                         starts from that model's default configuration\n"
    "  --baud CODE            the unit's rate as a baud code: 1 1200, 2 2400, 3 4800, 4 9600,\n"
    "                         5 19200, 6 300, 7 600, 8 38400; default 3 (4800), or the rate in\n"
    "                         the --config file\n"
    "  --config FILE.cfg      start from a saved configuration (version 402 or older); the\n"
    "                         base model still comes from --model\n"
    "  --dump-config FILE     write the unit's configuration as a version-402 file at exit\n"
    "                         and whenever SIGUSR1 arrives\n"
    "  --seed N               randomness of the vessel, the sky and the faults, default 3\n"
    "  --reply-checksum       end the answers to the three queries in \"*hh\"\n"
    "  --link PATH            also create the symlink PATH to the device (removed at exit)\n"
    "Faults:\n"
    "  --drop-echo-every N    do not send every Nth echo (the sentence still takes effect)\n"
    "  --noise                1..8 random bytes before the \"$\" of every echo and reply and\n"
    "                         of one sentence in four\n"
    "  --late-ms MS           send echoes and replies MS ms late, e.g. 700 to land after the\n"
    "                         program's 500 ms pause (0..60000)\n"
    "  --long-lines           in about one cycle in four, line ends are lost and sentences\n"
    "                         run together into a line longer than 200 characters\n"
    "  --help                 show this text\n"
    "\n"
    "What the unit does:\n"
    "  It echoes every sentence it accepts and applies it: $PTVRO,, (probe), $PTVRO,<name>,0|1,\n"
    "  $PTVRI (position and time), $PTVRC, $PTVRC1 (base models 0 and 2..7, each in its own\n"
    "  layout), $PTVRO,,B (base model 1), $PTVRI,,,,,,,R (reset) and $PTVRI,,,,,,,A\n"
    "  (autolocate). A sentence that is malformed, out of range or not for its model gets no\n"
    "  answer. $PTVRIX, $PTVRCX and $PTVRC1X are answered with $PTVRI, $PTVRC and $PTVRC1.\n"
    "  $PTVRO,,E (erase: back to the model's defaults, rate included) and $PTVRO,,T (test mode:\n"
    "  GGA reports a simulated fix until reset) get no answer. A new rate in $PTVRC (base models\n"
    "  2..7; 0 and 1 keep theirs) takes effect after the echo. $PTVRO,,G (or $PTVRO,,S on base\n"
    "  model 6) switches to binary mode at 9600: the unit then sends nothing and waits for its\n"
    "  return packet (10 0A 02 26 00 CE 10 03; on model 6 10 0D 04 02 0D 00 00 E0 10 03),\n"
    "  checked byte for byte, after which it sends NMEA at 9600.\n"
    "\n"
    "Standard output: the device path (e.g. /dev/pts/7) on the first line, then one line per\n"
    "event, flushed at once. <text> is a line without CR LF, other bytes as \\xHH:\n"
    "  line <rate>                 the program set the line to <rate>\n"
    "  heard <rate> <text>         a whole line heard at the unit's rate\n"
    "  ignored <rate> <n> bytes    bytes that came while the line was set to another rate\n"
    "  echo <text>                 an accepted sentence echoed\n"
    "  dropped <text>              an accepted sentence whose echo was not sent\n"
    "  reply <text>                the answer to a query\n"
    "  silent <text>               accepted, applied, not answered ($PTVRO,,E/T/G/S)\n"
    "  reject <text> # <reason>    heard, not accepted, not answered\n"
    "  reset | autolocate | erase  what the command did\n"
    "  mode nmea|binary|test       the unit changed mode\n"
    "  baud <rate>                 the unit now listens and sends at <rate>\n"
    "  binary ok | binary bad <hex>   the return packet, or other bytes heard in binary mode\n"
    "  transmit <names>            the sentences of each output cycle, when they change\n"
    "  fault long line <n> characters\n"
    "  dumped <file>               --dump-config written\n"
    "SIGINT or SIGTERM ends the program (the symlink is removed); SIGUSR1 writes the dump.\n";

std::optional<std::uint64_t> parseUnsigned(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos ||
        text.size() > 18) {
        return std::nullopt;
    }
    return std::strtoull(text.c_str(), nullptr, 10);
}

class Parser {
  public:
    explicit Parser(const std::vector<std::string>& args) : args_(args) {}
    ParsedOptions run();

  private:
    bool option(const std::string& name);
    bool value(const std::string& name, std::string& out);
    bool count(const std::string& name, std::uint64_t min, std::uint64_t max, std::uint64_t& out);
    bool fail(const std::string& message) {
        result_.error = message;
        return false;
    }

    const std::vector<std::string>& args_;
    std::size_t i_ = 0;
    ParsedOptions result_;
};

bool Parser::value(const std::string& name, std::string& out) {
    if (i_ + 1 >= args_.size() || args_[i_ + 1].empty()) {
        return fail("option " + name + " needs a value");
    }
    out = args_[++i_];
    return true;
}

bool Parser::count(const std::string& name, std::uint64_t min, std::uint64_t max,
                   std::uint64_t& out) {
    std::string text;
    if (!value(name, text)) {
        return false;
    }
    const auto v = parseUnsigned(text);
    if (!v || *v < min || *v > max) {
        return fail("invalid value '" + text + "' for " + name + " (expected " +
                    std::to_string(min) + ".." + std::to_string(max) + ")");
    }
    out = *v;
    return true;
}

bool Parser::option(const std::string& name) {
    Options& o = result_.options;
    Faults& f = o.sensor.faults;
    std::uint64_t n = 0;
    if (name == "--link") {
        return value(name, o.link);
    }
    if (name == "--config") {
        return value(name, o.configFile);
    }
    if (name == "--dump-config") {
        return value(name, o.dumpFile);
    }
    if (name == "--model") {
        return count(name, 0, kModelCount - 1, n) && (o.model = static_cast<int>(n), true);
    }
    if (name == "--baud") {
        return count(name, 1, 8, n) && (o.baudCode = static_cast<int>(n), true);
    }
    if (name == "--seed") {
        return count(name, 0, UINT64_MAX, o.sensor.seed);
    }
    if (name == "--drop-echo-every") {
        return count(name, 1, UINT32_MAX, n) && (f.dropEchoEvery = static_cast<unsigned>(n), true);
    }
    if (name == "--late-ms") {
        return count(name, 0, kMaxLateMs, n) && (f.lateMs = static_cast<unsigned>(n), true);
    }
    if (name == "--noise") {
        f.noise = true;
        return true;
    }
    if (name == "--long-lines") {
        f.longLines = true;
        return true;
    }
    if (name == "--reply-checksum") {
        o.sensor.replyChecksum = true;
        return true;
    }
    return fail("unknown option '" + name + "'");
}

ParsedOptions Parser::run() {
    if (std::find(args_.begin(), args_.end(), "--help") != args_.end() ||
        std::find(args_.begin(), args_.end(), "-h") != args_.end()) {
        result_.status = ParsedOptions::Status::Help;
        return result_;
    }
    std::vector<std::string> seen;
    for (i_ = 0; i_ < args_.size(); ++i_) {
        const std::string& name = args_[i_];
        if (std::find(seen.begin(), seen.end(), name) != seen.end()) {
            fail("option " + name + " given twice");
            return result_;
        }
        seen.push_back(name);
        if (!option(name)) {
            return result_;
        }
    }
    result_.status = ParsedOptions::Status::Run;
    return result_;
}

}  // namespace

ParsedOptions parseOptions(const std::vector<std::string>& args) {
    return Parser(args).run();
}

const char* usageText() {
    return kUsage;
}

}  // namespace sensorsim
