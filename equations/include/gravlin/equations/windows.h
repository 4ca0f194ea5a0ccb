#pragma once
// The small text windows of the equation system: the system as text, the notice that the
// field is not uniquely solvable, and the mine probabilities.
#include "gravlin/controls.h"
#include "gravlin/host.h"
#include "gravlin/window.h"

namespace gravlin {

// A window with one multi-line text box and one button that unloads it.
class TextWindow : public Window {
  public:
    explicit TextWindow(Host& host) : host_(host) {}
    TextBox Text1;
    CommandButton OKButton;
    void OKButton_Click() { host_.closeWindow(*this); }

  protected:
    Host& host_;
};

class frmGleichungssystem : public TextWindow {
  public:
    explicit frmGleichungssystem(Host& host);
};

class KeineLoesung : public TextWindow {
  public:
    explicit KeineLoesung(Host& host);
};

class frmWahrscheinlichkeit : public TextWindow {
    MenuItem& entry_;  // the main window's menu entry that opens this window

  public:
    // Loading the window disables `entry`.
    frmWahrscheinlichkeit(Host& host, MenuItem& entry);
    void Form_Load();
};

}  // namespace gravlin
