#include "sensorsim/Options.h"

#include <cstdint>

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

class Parser {
  public:
    explicit Parser(const std::vector<std::string>& args)
        : args_(args), reader_(args, {.refuseRepeats = true, .emptyIsMissing = true}) {}
    ParsedOptions run();

  private:
    bool option(const std::string& name);

    const std::vector<std::string>& args_;
    sim::OptionReader reader_;
    ParsedOptions result_;
};

bool Parser::option(const std::string& name) {
    Options& o = result_.options;
    Faults& f = o.sensor.faults;
    std::uint64_t n = 0;
    if (name == "--link") {
        return reader_.value(name, o.link);
    }
    if (name == "--config") {
        return reader_.value(name, o.configFile);
    }
    if (name == "--dump-config") {
        return reader_.value(name, o.dumpFile);
    }
    if (name == "--model") {
        return reader_.whole(name, 0, kModelCount - 1, n) && (o.model = static_cast<int>(n), true);
    }
    if (name == "--baud") {
        return reader_.whole(name, 1, 8, n) && (o.baudCode = static_cast<int>(n), true);
    }
    if (name == "--seed") {
        return reader_.whole(name, 0, UINT64_MAX, o.sensor.seed);
    }
    if (name == "--drop-echo-every") {
        return reader_.whole(name, 1, UINT32_MAX, n) &&
               (f.dropEchoEvery = static_cast<unsigned>(n), true);
    }
    if (name == "--late-ms") {
        return reader_.whole(name, 0, kMaxLateMs, n) && (f.lateMs = static_cast<unsigned>(n), true);
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
    return reader_.fail("unknown option '" + name + "'");
}

ParsedOptions Parser::run() {
    if (sim::asksForHelp(args_)) {
        result_.status = ParsedOptions::Status::Help;
    } else if (reader_.readAll([this](const std::string& name) { return option(name); })) {
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

}  // namespace sensorsim
