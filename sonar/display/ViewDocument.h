#pragma once

#include <string>

#include "acquisition/ConnectionState.h"
#include "acquisition/HeadProtocol.h"
#include "acquisition/Ports.h"
#include "acquisition/SettingsRecord.h"
#include "display/PingPipeline.h"
#include "display/PlacedTarget.h"

// What the waterfall view needs of the document. The document implements it, so the view
// depends on this folder only and never reaches up into the document's.
class ViewDocument {
  public:
    virtual const PingPipeline& pipeline() const = 0;
    virtual const SettingsRecord& settings() const = 0;
    virtual const HeadSettings& head() const = 0;
    virtual ConnectionState connectionState() const = 0;
    virtual bool hold() const = 0;
    virtual bool playback() const = 0;
    virtual bool noRxData() const = 0;
    // The date text of the last ping.
    virtual const std::string& dateText() const = 0;
    // The view's client size: the image follows it.
    virtual void resizeImage(int clientWidth, int clientHeight) = 0;
    // A mark or a finished range or height measurement: the target report takes it.
    virtual void targetPlaced(const PlacedTarget& target) = 0;
    // Message boxes and file dialogs of the program.
    virtual UserPrompts& prompts() = 0;

  protected:
    ~ViewDocument() = default;
};
