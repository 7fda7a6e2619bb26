#include "sensorcfg/NmeaSelectForm.h"

#include "sensorcfg/CQuorelDoc.h"

NmeaSelectForm::NmeaSelectForm(CQuorelDoc& doc)
    : doc_(doc), model_(doc.config().model), flags_(doc.config().sentences) {}

bool NmeaSelectForm::enabled(int sentence) const {
    if (model_ == 1) {
        return false;
    }
    // Model 6 speaks Loran sentences instead of PTVRM and GLL.
    const bool loran = sentence == LCGLL || sentence == LCVTG;
    const bool gpsOnly = sentence == PTVRM || sentence == GPGLL;
    if (model_ == 6) {
        return !gpsOnly;
    }
    return !loran;
}

void NmeaSelectForm::reset(ResetChoice choice) {
    if (choice == ResetChoice::GpsSpecific) {
        flags_ = defaultSentences(model_);
        return;
    }
    flags_.fill(0);
    for (int on : {GPGGA, GPGSA, GPGSV, GPRMC, PTVRT}) {
        flags_[static_cast<std::size_t>(on)] = 1;
    }
}

void NmeaSelectForm::apply() {
    for (std::size_t i = 0; i < flags_.size(); ++i) {
        doc_.store(doc_.config().sentences[i], flags_[i]);
    }
}
