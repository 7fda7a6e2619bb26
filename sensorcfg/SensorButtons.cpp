#include "sensorcfg/SensorButtons.h"

const SensorButtonInfo& sensorButtonInfo(SensorButton button) {
    static const SensorButtonInfo kInfo[] = {
        {"$PTVRI,,,,,,,R\r\n", "You must be connected before you can reset!",
         "Reset did not succeed.", "Reset fail"},
        {"$PTVRI,,,,,,,A\r\n", "You must be connected before you can set autolocate!",
         "Set autolocate did not succeed.", "Set autolocate fail"},
        {"$PTVRO,,E\r\n", "You must be connected before you can reset non-vol. memory!",
         "Reset non-vol. did not succeed.", "Reset non-vol. fail"},
        {"$PTVRO,,T\r\n", "You must be connected before you can go to test mode!",
         "Set to teste mode did not succeed.", "Set test mode fail"},
    };
    return kInfo[static_cast<int>(button)];
}

void pressSensorButton(SensorButton button, bool connected, SensorPrompts& prompts,
                       const SendVerified& sendVerified) {
    const SensorButtonInfo& info = sensorButtonInfo(button);
    if (!connected || !sendVerified) {
        prompts.message(info.notConnected, "Please connect first", PromptIcon::Information,
                        PromptButtons::Ok);
        return;
    }
    sendVerified(info.sentence, [&prompts, &info](bool ok) {
        if (!ok) {
            prompts.message(info.failure, info.failureTitle, PromptIcon::Exclamation,
                            PromptButtons::Ok);
        }
    });
}
