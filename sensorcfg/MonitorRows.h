#pragma once

#include <map>
#include <string>
#include <vector>

// The rows of the "NMEA Transmitted Sentences" window, by control id: each shows the last line
// received of its sentence.
class MonitorRows {
  public:
    static constexpr const char* kInitial = "...";
    static constexpr const char* kCleared = "---";

    MonitorRows();

    // The sixteen row ids in window order, and the sentence name each one shows.
    static const std::vector<int>& rowIds();
    static std::string rowName(int id);
    // The row a received line belongs in, or 0 when it is not shown. Noise before "$" is
    // ignored; $GPGSV picks its row by the message number.
    static int rowFor(const std::string& line);

    const std::string& text(int id) const { return texts_.at(id); }
    // True when the line was shown.
    bool show(const std::string& line);
    // After an upload and on disconnect: the standard and status rows show "---".
    void clear();

  private:
    std::map<int, std::string> texts_;
};
