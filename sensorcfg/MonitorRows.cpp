#include "sensorcfg/MonitorRows.h"

#include <algorithm>

namespace {
struct Row {
    int id;
    const char* name;
};
constexpr Row kRows[] = {
    {1001, "GPGGA"}, {1002, "GPGSA"}, {1003, "GPGSV"}, {1012, "GPGSV"},
    {1013, "GPGSV"}, {1004, "GPRMC"}, {1005, "GPVTG"}, {1006, "LCGLL"},
    {1007, "LCVTG"}, {1014, "PTVRB"}, {1008, "PTVRE"}, {1010, "PTVRF"},
    {1009, "PTVRT"}, {1011, "PTVRV"}, {1017, "PTVRM"}, {1075, "GPGLL"},
};
constexpr int kGsvMessageColumn = 9;
}  // namespace

MonitorRows::MonitorRows() {
    for (const Row& row : kRows) {
        texts_[row.id] = kInitial;
    }
}

const std::vector<int>& MonitorRows::rowIds() {
    static const std::vector<int> ids = [] {
        std::vector<int> v;
        for (const Row& row : kRows) {
            v.push_back(row.id);
        }
        return v;
    }();
    return ids;
}

std::string MonitorRows::rowName(int id) {
    for (const Row& row : kRows) {
        if (row.id == id) {
            return row.name;
        }
    }
    return {};
}

int MonitorRows::rowFor(const std::string& received) {
    const std::size_t dollar = received.find('$');
    if (dollar == std::string::npos) {
        return 0;
    }
    const std::string line = received.substr(dollar);
    const std::string name = line.substr(1, 5);
    if (name == "GPGSV") {
        const char message = line.size() > kGsvMessageColumn ? line[kGsvMessageColumn] : '1';
        return message == '2' ? 1012 : message == '3' ? 1013 : 1003;
    }
    for (const Row& row : kRows) {
        if (name == row.name) {
            return row.id;
        }
    }
    return 0;
}

bool MonitorRows::show(const std::string& line) {
    const int id = rowFor(line);
    if (id == 0) {
        return false;
    }
    std::string text = line.substr(line.find('$'));
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) {
        text.pop_back();
    }
    texts_[id] = text;
    return true;
}

void MonitorRows::clear() {
    for (auto& [id, text] : texts_) {
        // PTVRM and GPGLL keep their last line, as the window always did.
        if (id != 1017 && id != 1075) {
            text = kCleared;
        }
    }
}
