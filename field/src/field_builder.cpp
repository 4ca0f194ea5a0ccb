#include "gravlin/field/field_builder.h"

#include <algorithm>
#include <string>

#include "gravlin/board/int16.h"

namespace gravlin {

namespace {
// The design position kept in a tool button's tag; a tag that is not a number counts as 0.
float tagPosition(const CommandButton& b) {
    try {
        return std::stof(b.tag);
    } catch (...) {
        return 0;
    }
}

std::string twipsText(float value) {
    const long long whole = static_cast<long long>(value);
    if (static_cast<float>(whole) == value) return std::to_string(whole);
    return std::to_string(value);
}
}  // namespace

void FieldBuilder::Feldaufbau_Click() {
    Form1& f = form_;
    const std::int16_t frame2W = to16(240LL * f.x_game + 240);
    const std::int16_t frame2H = to16(240LL * f.y_game + 360);
    f.Frame2.geometry.width = frame2W;
    f.Frame2.geometry.height = frame2H;
    f.Frame1.geometry.width = std::max<float>(f.Frame2.geometry.width + 480, 2560);
    f.Frame1.geometry.height = f.Frame2.geometry.height + 1100;
    f.geometry.width = std::max<float>(f.Frame1.geometry.width + 120, 2800);
    f.geometry.height = f.Frame1.geometry.height + 1200;

    Feldabbau();

    // A size taken from a file may exceed the pool; cells beyond it get no button.
    std::int16_t index = 0;
    std::int16_t top = 240;
    for (int j = 1; j <= f.y_game; ++j) {
        std::int16_t left = 120;
        for (int i = 1; i <= f.x_game; ++i) {
            if (index < kCellButtons) PlaceCellButton(index, left, top, 255, 255);
            add16(index, 1);
            add16(left, 240);
        }
        add16(top, 240);
    }

    for (CommandButton* b : {&f.StartStop, &f.GlSolve, &f.KlickGreen}) {
        if (b->tag.empty()) b->tag = twipsText(b->geometry.left);
    }

    const Geometry& frame2 = f.Frame2.geometry;
    if (f.x_game <= 8) {
        f.KlickGreen.visible = false;
        f.StartStop.geometry.left = tagPosition(f.StartStop);
        f.GlSolve.geometry.left = tagPosition(f.GlSolve);
        f.KlickGreen.geometry.left = tagPosition(f.KlickGreen);
    } else if (f.x_game <= 11) {
        f.KlickGreen.visible = false;
        f.StartStop.geometry.left = frame2.width / 2 + frame2.left - f.StartStop.geometry.width / 2;
        f.GlSolve.geometry.left = frame2.width + frame2.left - f.GlSolve.geometry.width;
    } else {
        f.KlickGreen.visible = true;
        f.StartStop.geometry.left = frame2.width / 2 + frame2.left - f.StartStop.geometry.width / 2;
        f.KlickGreen.geometry.left = frame2.width + frame2.left - f.KlickGreen.geometry.width;
        f.GlSolve.geometry.left =
            frame2.width + frame2.left - f.KlickGreen.geometry.width - 5.0f / 4.0f * f.GlSolve.geometry.width;
    }
}

void FieldBuilder::Feldabbau() {
    for (auto& b : form_.Command1) b.visible = false;
}

void FieldBuilder::PlaceCellButton(std::int16_t index, std::int16_t left, std::int16_t top,
                                   std::int16_t width, std::int16_t height) {
    CommandButton& b = form_.Command1.at(static_cast<std::size_t>(index));
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
    const Cell c = form_.cellAt(index);
    b.toolTip = "x=" + std::to_string(c.x) + ", y=" + std::to_string(c.y);
}

}  // namespace gravlin
