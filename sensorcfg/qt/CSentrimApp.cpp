#include "sensorcfg/qt/CSentrimApp.h"

#include "sensorcfg/qt/CBaseModelDlg.h"
#include "sensorcfg/qt/CMainFrame.h"

namespace {
SensorConfig startConfig() {
    SensorConfig c;
    c.port = 1;
    resetToDefaults(c, 1);
    return c;
}
}  // namespace

CSentrimApp::CSentrimApp(const std::string& profilePath, SensorPrompts* prompts)
    : config_(startConfig()),
      profile_(profilePath.empty() ? Profile::defaultPath() : profilePath),
      prompts_(prompts ? *prompts : qtPrompts_) {
    doc_ = std::make_unique<CQuorelDoc>(config_, profile_, prompts_);
    frame_ = std::make_unique<CMainFrame>(*doc_, profile_, prompts_);
    qtPrompts_.setParent(frame_.get());
    doc_->setChangedCallback([this] { frame_->documentChanged(); });
}

CSentrimApp::~CSentrimApp() {
    doc_->setChangedCallback({});
    frame_.reset();
    doc_.reset();
}

void CSentrimApp::start(const std::string& file, std::function<std::optional<int>()> askModel) {
    frame_->showWithPlacement();
    std::optional<int> model;
    if (askModel) {
        model = askModel();
    } else {
        CBaseModelDlg dlg(frame_.get());
        if (dlg.exec() == QDialog::Accepted) {
            model = dlg.model();
        }
    }
    if (model) {
        resetToDefaults(config_, *model);
        frame_->documentChanged();
    }
    if (file.empty() || !doc_->load(file)) {
        doc_->openAtStartup();
    }
    frame_->documentChanged();
}
