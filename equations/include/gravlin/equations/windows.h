#pragma once
// The small text windows of the equation system: the system as text, the notice that the
// field is not uniquely solvable, and the mine probabilities.
#include "gravlin/controls.h"
#include "gravlin/game/game.h"
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
    Game& game_;

  public:
    // Loading the window takes back the game's offer of the probabilities.
    frmWahrscheinlichkeit(Host& host, Game& game);
    void Form_Load();
};

}  // namespace gravlin
