#include "kbfile/TargetsCommand.h"

#include "kbfile/Problem.h"
#include "targets/TargetExport.h"

namespace kbfile {

int exportTargets(const std::string& in, const std::string& out, std::FILE* notes) {
    if (!exportFormatOf(out)) {
        std::fprintf(notes, "kbfile: %s: unknown extension (expected .csv, .kml or .geojson)\n",
                     out.c_str());
        return kExitFileProblem;
    }
    const ExportOutcome result = exportTargetList(in, out);
    for (const std::string& w : result.warnings) {
        std::fprintf(notes, "kbfile: %s: %s\n", in.c_str(), w.c_str());
    }
    if (result.error) {
        std::fprintf(notes, "kbfile: %s\n", result.error->c_str());
        return kExitFileProblem;
    }
    return kExitOk;
}

}  // namespace kbfile
