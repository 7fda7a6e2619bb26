#pragma once

#include <cstdio>
#include <string>

namespace kbfile {

// kbfile targets: the target list `in` written as the CSV, KML or GeoJSON file `out` names,
// through the exporter keelbrook's File > Export Targets uses. Skipped lines are noted on
// `notes`, a failure in one line there too. Returns the exit status.
int exportTargets(const std::string& in, const std::string& out, std::FILE* notes);

}  // namespace kbfile
