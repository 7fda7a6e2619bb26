#include "sensorcfg/CommandLine.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "sensorcfg/ConfigFile.h"
#include "sensorcfg/DialogValidation.h"
#include "sensorcfg/SummaryRows.h"

const char* sentrimUsage() {
    return "Usage: sentrim [FILE.cfg]\n"
           "       sentrim --summary FILE.cfg [--model N]\n"
           "       sentrim --help\n"
           "\n"
           "Edits the configuration of a TAVRIN GPS sensor. With FILE.cfg the program opens that\n"
           "configuration after asking for the base model.\n"
           "\n"
           "  --summary FILE.cfg  print the summary of a configuration file as text and exit\n"
           "  --model N           base model for the summary, 0..7 (default 0): 0 Brisa,\n"
           "                      1 Calder, 2 Dunmore, 3 Elston, 4 Farrow, 5 Galton, 6 Hadley,\n"
           "                      7 Ixworth. Files do not record it.\n"
           "  --help              show this text\n";
}

SentrimCommandLine parseSentrimCommandLine(const std::vector<std::string>& args) {
    SentrimCommandLine cl;
    auto fail = [&](std::string message) {
        cl.action = SentrimCommandLine::Action::Error;
        cl.error = std::move(message);
        return cl;
    };
    bool modelGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            cl.action = SentrimCommandLine::Action::Help;
            return cl;
        }
        if (a == "--summary") {
            cl.action = SentrimCommandLine::Action::Summary;
        } else if (a == "--model") {
            if (i + 1 >= args.size()) {
                return fail("--model needs a number");
            }
            const auto model = dialog_validation::parseInteger(args[++i]);
            if (!model || *model < 0 || *model > 7) {
                return fail("--model takes a base model number from 0 to 7");
            }
            cl.model = static_cast<int>(*model);
            modelGiven = true;
        } else if (a.size() > 1 && a[0] == '-') {
            return fail("unknown option " + a);
        } else if (cl.file.empty()) {
            cl.file = a;
        } else {
            return fail("only one file can be given");
        }
    }
    if (cl.action == SentrimCommandLine::Action::Summary && cl.file.empty()) {
        return fail("--summary needs a configuration file");
    }
    if (modelGiven && cl.action != SentrimCommandLine::Action::Summary) {
        return fail("--model goes with --summary");
    }
    return cl;
}

int printSummary(const std::string& file, int model, std::ostream& out, std::ostream& err) {
    std::ifstream in(file, std::ios::binary);
    std::error_code ec;
    if (!in || std::filesystem::is_directory(file, ec)) {
        err << "sentrim: cannot open " << file << "\n";
        return 1;
    }
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    SensorConfig config;
    resetToDefaults(config, model);
    if (config_file::load(bytes, config).status != config_file::LoadStatus::Ok) {
        err << "sentrim: " << file << " ends before its last setting\n";
        return 1;
    }
    out << summaryText(summaryCells(config, std::filesystem::path(file).filename().string()));
    return 0;
}
