#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "display/ColourTables.h"
#include "kbfile/BoundedQueue.h"
#include "kbfile/FileWriter.h"
#include "kbfile/Problem.h"

namespace kbfile {

// A PNG picture compressed and written on a thread of its own while its rows are still being
// drawn. The bytes go to a new file beside the target, which takes the target's name only once
// the picture is complete: a failed render leaves no file behind and keeps an older picture of
// that name as it was.
class PngOutput {
  public:
    // Batches of rows waiting for the writer: what the drawing may run ahead.
    static constexpr std::size_t kDefaultQueue = 16;

    PngOutput(std::string path, std::uint32_t width, const ColourTables::Table& palette,
              std::size_t queueBatches = kDefaultQueue);
    // Abandons a picture that was not committed.
    ~PngOutput();
    PngOutput(const PngOutput&) = delete;
    PngOutput& operator=(const PngOutput&) = delete;

    // Creates the file and starts the writer.
    std::optional<Problem> start();
    // Hands whole rows over, in picture order; false once writing failed.
    bool addRows(std::vector<std::uint8_t> rows);
    // Voids the rows handed over so far: the picture begins again with the next ones.
    bool restart();
    // Waits for every row to be written and gives the file its name.
    std::optional<Problem> commit();
    // Stops the writer and removes the file.
    void abandon();

  private:
    struct Job {
        enum class Kind { Rows, Restart, Finish } kind = Kind::Rows;
        std::vector<std::uint8_t> rows;
    };

    void run();
    bool write(std::vector<std::uint8_t>& out, bool all);
    Problem cannotWrite() const;

    std::string path_;
    std::string temporary_;
    std::uint32_t width_;
    ColourTables::Table palette_;
    BoundedQueue<Job> jobs_;
    FileWriter file_;
    std::thread thread_;
    bool ok_ = false;  // written by the writer thread, read after joining it
};

}  // namespace kbfile
