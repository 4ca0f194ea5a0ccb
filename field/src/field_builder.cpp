#include "gravlin/field/field_builder.h"

#include <algorithm>
#include <string>

#include "gravlin/game/int16.h"

namespace gravlin {

namespace {
std::string twipsText(float value) {
    const long long whole = static_cast<long long>(value);
    if (static_cast<float>(whole) == value) return std::to_string(whole);
    return std::to_string(value);
}
}  // namespace

void FieldBuilder::Feldaufbau_Click() {
    const BoardState& b = board_;
    const std::int16_t frame2W = to16(240LL * b.x_game + 240);
    const std::int16_t frame2H = to16(240LL * b.y_game + 360);
    c_.Frame2.geometry.width = frame2W;
    c_.Frame2.geometry.height = frame2H;
    c_.Frame1.geometry.width = std::max<float>(c_.Frame2.geometry.width + 480, 2560);
    c_.Frame1.geometry.height = c_.Frame2.geometry.height + 1100;
    c_.window.geometry.width = std::max<float>(c_.Frame1.geometry.width + 120, 2800);
    c_.window.geometry.height = c_.Frame1.geometry.height + 1200;

    Feldabbau();

    // A size taken from a file may exceed the pool; cells beyond it get no button.
    std::int16_t index = 0;
    std::int16_t top = 240;
    for (int j = 1; j <= b.y_game; ++j) {
        std::int16_t left = 120;
        for (int i = 1; i <= b.x_game; ++i) {
            if (index < kCellButtons) PlaceCellButton(index, left, top, 255, 255);
            add16(index, 1);
            add16(left, 240);
        }
        add16(top, 240);
    }
    placeToolButtons();
}

void FieldBuilder::placeToolButtons() {
    CommandButton* const tools[] = {&c_.StartStop, &c_.GlSolve, &c_.KlickGreen};
    if (!designLeft_) {
        designLeft_.emplace();
        for (std::size_t i = 0; i < 3; ++i) {
            (*designLeft_)[i] = tools[i]->geometry.left;
            tools[i]->tag = twipsText(tools[i]->geometry.left);
        }
    }
    CommandButton& start = c_.StartStop;
    CommandButton& solve = c_.GlSolve;
    CommandButton& green = c_.KlickGreen;
    const Geometry& frame2 = c_.Frame2.geometry;
    if (board_.x_game <= 8) {
        green.visible = false;
        for (std::size_t i = 0; i < 3; ++i) tools[i]->geometry.left = (*designLeft_)[i];
    } else if (board_.x_game <= 11) {
        green.visible = false;
        start.geometry.left = frame2.width / 2 + frame2.left - start.geometry.width / 2;
        solve.geometry.left = frame2.width + frame2.left - solve.geometry.width;
    } else {
        green.visible = true;
        start.geometry.left = frame2.width / 2 + frame2.left - start.geometry.width / 2;
        green.geometry.left = frame2.width + frame2.left - green.geometry.width;
        solve.geometry.left =
            frame2.width + frame2.left - green.geometry.width - 5.0f / 4.0f * solve.geometry.width;
    }
}

void FieldBuilder::Feldabbau() {
    for (auto& b : c_.Command1) b.visible = false;
}

void FieldBuilder::PlaceCellButton(std::int16_t index, std::int16_t left, std::int16_t top,
                                   std::int16_t width, std::int16_t height) {
    CommandButton& b = c_.Command1.at(static_cast<std::size_t>(index));
    b.geometry = {static_cast<float>(left), static_cast<float>(top), static_cast<float>(width),
                  static_cast<float>(height)};
    b.font.bold = false;
    b.font.italic = false;
    b.font.size = 8.25f;
    b.font.strikethrough = false;
    b.font.underline = false;
    b.font.name = "MS Sans Serif";
    b.caption = " ";
    b.visible = true;
    std::int16_t x = 0;
    std::int16_t y = 0;
    board_.GetMatx(index, x, y);
    b.toolTip = "x=" + std::to_string(x) + ", y=" + std::to_string(y);
}

}  // namespace gravlin
