#pragma once
#include <cstdint>
#include <string>

#include "gravlin/controls.h"
#include "gravlin/game/board_state.h"
#include "gravlin/host.h"
#include "gravlin/window.h"

namespace gravlin {

// The custom field dialog: width, height and number of mines, checked on OK. Created on
// first use and kept for the rest of the run, so it remembers the last accepted entry.
// Without an accepted entry it shows the size the main window's board has chosen.
class BenDefiniert : public Window {
  public:
    BenDefiniert(Host& host, Window& owner, const BoardState& board);

    std::int16_t xin = 0;
    std::int16_t yin = 0;
    std::int16_t min = 0;

    Label Label1, Label_y, Label2, Label_x, Label3, Label_m;
    TextBox y_input, x_input, m_input;
    CommandButton OKButton, CancelButton;

    bool gibWerte();

    void Form_Load();
    void OKButton_Click();
    void CancelButton_Click();
    void x_input_Change();
    void y_input_Change();
    void m_input_Change();

    // The text read as a decimal number and rounded to a whole number (halves away from
    // zero); anything that is not a number, or lies outside the 16-bit range, gives 0.
    static std::int16_t TextToInt(const std::string& text);

    bool isAccepted() const { return accepted_; }

  private:
    void setNormal(Label& range, TextBox& box);
    void setError(Label& range, TextBox& box);

    Host& host_;
    Window& owner_;
    const BoardState& board_;
    bool accepted_ = false;
};

}  // namespace gravlin
