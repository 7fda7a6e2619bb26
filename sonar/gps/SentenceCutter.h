#pragma once

#include <functional>
#include <string>
#include <string_view>

// Cuts the byte stream of one read tick into sentences that start with "$GP" (or, when all
// GNSS talkers are accepted, "$GN", "$GL", "$GA", "$GB", "$BD", "$GQ") and end with a line
// feed. An incomplete tail waits in the leftover for the next tick; text before a sentence
// start is line noise and is dropped.
class SentenceCutter {
  public:
    // A sentence start that never reaches a line feed is given up after this many bytes, so a
    // noisy line cannot make the leftover grow without bound.
    static constexpr std::size_t kMaxSentence = 4096;

    void setAcceptAllTalkers(bool on) { acceptAll_ = on; }
    bool acceptAllTalkers() const { return acceptAll_; }

    // Calls onSentence for each complete sentence, from its "$" through its line feed.
    void cut(std::string_view bytes, const std::function<void(std::string_view)>& onSentence);

    void clear() { leftover_.clear(); }
    const std::string& leftover() const { return leftover_; }

    // Whether "$" + talker starts a sentence this cutter takes.
    bool acceptsTalker(std::string_view talker) const;
    // A talker of another satellite system, taken only when all talkers are accepted.
    static bool isGnssTalker(std::string_view talker);

  private:
    // Position of the next sentence start in text at or after from, or npos.
    std::size_t findStart(std::string_view text, std::size_t from) const;

    std::string leftover_;
    bool acceptAll_ = false;
};
