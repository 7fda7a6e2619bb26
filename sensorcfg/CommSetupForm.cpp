#include "sensorcfg/CommSetupForm.h"

#include <algorithm>
#include <cstdlib>

#include "sensorcfg/CQuorelDoc.h"
#include "sensorcfg/Profile.h"

namespace {
namespace keys = profile_keys;
constexpr int kPortCount = 8;
}  // namespace

CommSetupForm::CommSetupForm(CQuorelDoc& doc, Profile& profile) : doc_(doc), profile_(profile) {
    const int port = doc.config().port;
    port_ = port >= 1 && port <= kPortCount ? port - 1 : -1;
    manual_ = profile.readInt(keys::kCommunications, keys::kManualBaudSelect, 0) == 1;
    rateCode_ = profile.readInt(keys::kCommunications, keys::kManualBaudRate, 3);
}

std::vector<std::string> CommSetupForm::portNames() {
    std::vector<std::string> names;
    for (int i = 1; i <= kPortCount; ++i) {
        names.push_back("COM" + std::to_string(i));
    }
    return names;
}

std::vector<std::string> CommSetupForm::rateNames() const {
    std::vector<std::string> names = {"300", "600", "1200", "2400", "4800", "9600", "19200"};
    const int model = doc_.config().model;
    if (model == 2 || model == 3 || model == 7) {
        names.emplace_back("38400");
    }
    return names;
}

int CommSetupForm::rateSelection() const {
    const auto names = rateNames();
    const auto found =
        std::find(names.begin(), names.end(), std::to_string(baudCodeToRate(rateCode_)));
    return found == names.end() ? -1 : static_cast<int>(found - names.begin());
}

void CommSetupForm::selectRate(int index) {
    const auto names = rateNames();
    const bool known = index >= 0 && index < static_cast<int>(names.size());
    rateCode_ =
        known ? baudRateToCode(std::atoi(names[static_cast<std::size_t>(index)].c_str())) : 3;
}

void CommSetupForm::apply() {
    if (port_ >= 0) {
        doc_.config().port = static_cast<std::int16_t>(port_ + 1);
    }
    doc_.setModified(true);
    profile_.writeInt(keys::kCommunications, keys::kManualBaudSelect, manual_ ? 1 : 0);
    profile_.writeInt(keys::kCommunications, keys::kManualBaudRate, rateCode_);
}
