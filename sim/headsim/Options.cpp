#include "headsim/Options.h"

#include <limits>

namespace headsim {
namespace {

constexpr double kMaxRate = 1000.0;

const char kUsage[] =
    "Usage: headsim --bind ADDR [options]\n"
    "Sidescan sonar head simulator: answers each 27-byte command on TCP with one 1013-byte\n"
    "return of the requested side, acknowledges settings and draws a seabed with targets.\n"
    "One client at a time; after a client leaves the next one is accepted.\n"
    "\n"
    "  --bind ADDR            IPv4 address to listen on (required), e.g. 127.0.0.1\n"
    "  --port N               TCP port, default 4040; 0 picks a free port\n"
    "  --rate N               pings per second (one ping = port + starboard return),\n"
    "                         default 15; 0 answers as fast as asked\n"
    "  --split N              write each return in segments of at most N bytes\n"
    "  --split-random         write each return in segments of 1..64 random bytes\n"
    "  --norx-every N         every Nth ping: both returns flag no receive data\n"
    "  --close-after N        close the connection after N complete pings\n"
    "  --wrong-side-every N   every Nth return carries an invalid side value\n"
    "  --silent-after N       answer N returns, then nothing more while keeping the\n"
    "                         connection open (a head that rebooted or lost its cable)\n"
    "  --long-return-at N     the Nth return carries 100 bytes too many\n"
    "  --seed N               scene and fault randomness, default 1\n"
    "  --once                 exit after the first client disconnects\n"
    "  --help                 show this text\n"
    "\n"
    "On start one line is printed: \"headsim listening on ADDR:PORT\" with the real port.\n"
    "Fault counts start again with every connection. SIGINT or SIGTERM ends the program.\n";

class Parser {
  public:
    explicit Parser(const std::vector<std::string>& args)
        : reader_(args, {.refuseRepeats = false, .emptyIsMissing = false}) {}

    ParsedOptions run();

  private:
    bool option(const std::string& name);
    // The options that take a whole number.
    bool counted(const std::string& name, Options& o);

    sim::OptionReader reader_;
    ParsedOptions result_;
};

bool Parser::counted(const std::string& name, Options& o) {
    constexpr std::uint64_t kCountMax = std::numeric_limits<std::uint32_t>::max();
    std::uint64_t n = 0;
    if (name == "--port") {
        if (!reader_.whole(name, 0, std::numeric_limits<std::uint16_t>::max(), n)) {
            return false;
        }
        o.port = static_cast<std::uint16_t>(n);
    } else if (name == "--seed") {
        return reader_.whole(name, 0, std::numeric_limits<std::uint64_t>::max(), o.seed);
    } else if (!reader_.whole(name, 1, kCountMax, n)) {
        return false;
    } else if (name == "--split") {
        o.split = SplitPlan::Mode::Fixed;
        o.splitSize = static_cast<std::size_t>(n);
    } else if (name == "--norx-every") {
        o.faults.noRxEvery = static_cast<std::uint32_t>(n);
    } else if (name == "--close-after") {
        o.faults.closeAfter = static_cast<std::uint32_t>(n);
    } else if (name == "--silent-after") {
        o.faults.silentAfter = static_cast<std::uint32_t>(n);
    } else if (name == "--long-return-at") {
        o.faults.longReturnAt = static_cast<std::uint32_t>(n);
    } else {
        o.faults.wrongSideEvery = static_cast<std::uint32_t>(n);
    }
    return true;
}

bool Parser::option(const std::string& name) {
    Options& o = result_.options;
    if (name == "--bind") {
        return reader_.value(name, o.bindAddress);
    }
    if (name == "--rate") {
        return reader_.decimal(name, 0.0, kMaxRate, false, o.rate, sim::Sign::Refused);
    }
    if (name == "--split-random") {
        o.split = SplitPlan::Mode::Random;
        return true;
    }
    if (name == "--once") {
        o.once = true;
        return true;
    }
    if (name == "--port" || name == "--seed" || name == "--split" || name == "--norx-every" ||
        name == "--close-after" || name == "--wrong-side-every" || name == "--silent-after" ||
        name == "--long-return-at") {
        return counted(name, o);
    }
    return reader_.fail("unknown option '" + name + "'");
}

ParsedOptions Parser::run() {
    std::string name;
    while (reader_.next(name)) {
        // Help counts only where an option name stands, and only before the first error.
        if (sim::isHelp(name)) {
            result_.status = ParsedOptions::Status::Help;
            return result_;
        }
        if (!option(name)) {
            break;
        }
    }
    if (!reader_.failed()) {
        if (reader_.seen("--split") && reader_.seen("--split-random")) {
            reader_.fail("--split and --split-random cannot be combined");
        } else if (result_.options.bindAddress.empty()) {
            reader_.fail("--bind ADDR is required");
        } else {
            result_.status = ParsedOptions::Status::Run;
        }
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

}  // namespace headsim
