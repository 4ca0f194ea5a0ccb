#pragma once
#include <cstdint>

#include "gravlin/board/form1.h"

namespace gravlin {

// Lays out the field of cell buttons for the board in play and sizes the frames and the
// window to it.
class FieldBuilder {
  public:
    explicit FieldBuilder(Form1& form) : form_(form) {}

    void Feldaufbau_Click();
    void Feldabbau();
    void PlaceCellButton(std::int16_t index, std::int16_t left, std::int16_t top, std::int16_t width,
                         std::int16_t height);

  private:
    Form1& form_;
};

}  // namespace gravlin
