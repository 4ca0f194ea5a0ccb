#pragma once
#include <string>

#include "gravlin/controls.h"
#include "gravlin/host.h"
#include "gravlin/info/registry.h"
#include "gravlin/text.h"
#include "gravlin/window.h"

namespace gravlin {

// The About window: title, version, legal notice, the history of the program's features,
// and a button that starts the system's information tool. Exists only while shown.
class frmAbout : public Window {
  public:
    struct PictureBox {
        Picture picture = Picture::None;
        Geometry geometry;
    };

    frmAbout(Host& host, Window& owner, Registry& registry);

    Label lblTitle, lblVersion, lblDisclaimer;
    TextBox Beschreibung;
    PictureBox picIcon;
    CommandButton cmdOK, cmdSysInfo;

    // Loads the window and shows it modally; returns when it has been unloaded.
    void show();

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void StartSysInfo();
    bool GetKeyValue(RegistryRoot KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                     std::string& KeyVal);

    static const std::string& featureHistory();
    // The program's version, major.minor.revision ("3.2.5"); the label shows "Version 3.2.5".
    static const std::string& versionNumber();
    static const std::string& versionText();

  private:
    Host& host_;
    Window& owner_;
    Registry& registry_;
};

}  // namespace gravlin
