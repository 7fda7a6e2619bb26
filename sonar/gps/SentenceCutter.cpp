#include "gps/SentenceCutter.h"

namespace {
constexpr std::string_view kGnssTalkers[] = {"GN", "GL", "GA", "GB", "BD", "GQ"};
// A start split by the end of a tick ("$G" then "P...") must survive into the next one.
constexpr std::size_t kStartLength = 3;
}  // namespace

bool SentenceCutter::acceptsTalker(std::string_view talker) const {
    return talker == "GP" || (acceptAll_ && isGnssTalker(talker));
}

bool SentenceCutter::isGnssTalker(std::string_view talker) {
    for (const std::string_view t : kGnssTalkers) {
        if (talker == t) {
            return true;
        }
    }
    return false;
}

std::size_t SentenceCutter::findStart(std::string_view text, std::size_t from) const {
    for (std::size_t pos = text.find('$', from); pos != std::string_view::npos;
         pos = text.find('$', pos + 1)) {
        if (pos + kStartLength <= text.size() && acceptsTalker(text.substr(pos + 1, 2))) {
            return pos;
        }
    }
    return std::string_view::npos;
}

void SentenceCutter::cut(std::string_view bytes,
                         const std::function<void(std::string_view)>& onSentence) {
    std::string text = std::move(leftover_);
    leftover_.clear();
    text.append(bytes);
    std::size_t from = 0;
    for (;;) {
        const std::size_t start = findStart(text, from);
        if (start == std::string::npos) {
            // No start: everything but a possible split start is noise.
            const std::size_t keep = std::min(text.size() - from, kStartLength - 1);
            leftover_ = text.substr(text.size() - keep);
            return;
        }
        const std::size_t lf = text.find('\n', start);
        if (lf == std::string::npos) {
            if (text.size() - start > kMaxSentence) {
                from = start + 1;  // a start without an end: give it up, look for the next
                continue;
            }
            leftover_ = text.substr(start);
            return;
        }
        onSentence(std::string_view(text).substr(start, lf + 1 - start));
        from = lf + 1;
    }
}
