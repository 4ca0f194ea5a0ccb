#pragma once
#include <string>

#include "gravlin/controls.h"
#include "gravlin/host.h"
#include "gravlin/window.h"

namespace gravlin {

// Where the hint page comes from. The defaults are set when the program is built.
struct WebHintsSettings {
    std::string publicHost;
    std::string localHost;  // used on the authors' own development account
    std::string devUser;
    std::string devDomain;
    int timeoutMs = 10'000;

    static WebHintsSettings buildDefaults();
};

// The web hints window: fetches the hint page while it loads and shows it as plain text.
// Exists only while shown.
class WWW : public Window {
  public:
    WWW(Host& hostServices, Window& owner, WebHintsSettings settings);

    TextBox Text1;
    Label Label1;
    Label host;
    CommandButton cmdOK;
    std::string url;  // the address fetched

    // Loads the window (which fetches the page) and shows it modally.
    void show();

    void Form_Load();
    void cmdOK_Click();

    // What Text1 shows for an answer: the page with its lines ending in CR LF, or a short
    // message why there is no page.
    static std::string PageText(const HttpResult& answer, int timeoutMs);

  private:
    Host& host_;
    Window& owner_;
    WebHintsSettings settings_;
};

}  // namespace gravlin
