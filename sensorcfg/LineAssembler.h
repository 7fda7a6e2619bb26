#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

// Cuts the sensor's byte stream into lines. A line is handed on whole, CR LF included, as soon
// as its LF arrives. A line may hold at most 200 characters before its CR LF: a longer one is
// dropped entirely (up to and including its LF), so neither its head nor its tail is ever
// taken for a sentence. An LF on an empty line is ignored.
class LineAssembler {
  public:
    static constexpr std::size_t kMaxText = 200;

    explicit LineAssembler(std::function<void(const std::string&)> onLine)
        : onLine_(std::move(onLine)) {}

    void feed(const std::uint8_t* data, std::size_t size);
    void feed(const std::string& bytes) {
        feed(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    // Drops a partial line (a new port starts with a clean slate).
    void reset();

  private:
    std::function<void(const std::string&)> onLine_;
    std::string line_;
    bool overlong_ = false;
};
