#pragma once

#include <array>
#include <cstdint>

#include "sensorcfg/SensorConfig.h"

class CQuorelDoc;

// The "NMEA Sentence Selections" dialog without a window: one check box per output sentence,
// enabled per base model, and the two global resets.
class NmeaSelectForm {
  public:
    enum class ResetChoice { GpsSpecific, LoranSpecific };

    explicit NmeaSelectForm(CQuorelDoc& doc);

    bool checked(int sentence) const { return flags_[static_cast<std::size_t>(sentence)] != 0; }
    void setChecked(int sentence, bool on) {
        flags_[static_cast<std::size_t>(sentence)] = on ? 1 : 0;
    }
    bool enabled(int sentence) const;
    bool resetEnabled() const { return model_ != 1; }

    // "Reset...": the model's default selection, or the Loran set.
    void reset(ResetChoice choice);
    // OK: every flag through the document's modification helper.
    void apply();

  private:
    CQuorelDoc& doc_;
    int model_;
    std::array<std::int16_t, kSentenceCount> flags_;
};
