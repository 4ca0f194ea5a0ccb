#pragma once
// Controls of a window, held as plain data. The logic writes them; the Qt layer draws them.
// Positions and sizes are twips (1/1440 inch; 15 twips are one pixel at 96 dpi).

#include <cstdint>
#include <string>

#include "gravlin/color.h"

namespace gravlin {

struct Font {
    std::string name = "MS Sans Serif";
    float size = 8.25f;
    bool bold = false;
    bool italic = false;
    bool strikethrough = false;
    bool underline = false;
    bool operator==(const Font&) const = default;
};

// Pictures the program draws itself (faces and tool pictures).
enum class Picture : std::uint8_t {
    None,
    FaceNormal,
    FaceWorking,
    FaceWon,
    FaceLost,
    QuestionMark,
    Hammer,
    AppIcon
};

struct Geometry {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    bool operator==(const Geometry&) const = default;
};

struct CommandButton {
    std::string caption;
    Color backColor = kSystemButtonFace;
    bool raised = true;  // three-dimensional look; false is flat
    std::string tag;
    std::string toolTip;
    Picture picture = Picture::None;
    Geometry geometry;
    bool visible = true;
    bool enabled = true;
    bool tabStop = true;
    int tabIndex = 0;
    Font font;
    bool operator==(const CommandButton&) const = default;
};

struct Label {
    std::string caption;
    std::string toolTip;
    Color foreColor = 0x80000012;  // system button text
    Color backColor = kSystemButtonFace;
    Font font;
    Geometry geometry;
    bool visible = true;
    bool operator==(const Label&) const = default;
};

struct TextBox {
    std::string text;
    Color backColor = kSystemWindowBackground;
    Font font;
    Geometry geometry;
    bool multiLine = false;
    bool horizontalScrollBar = false;
    bool verticalScrollBar = false;
    int tabIndex = 0;
    bool operator==(const TextBox&) const = default;
};

struct Frame {
    Geometry geometry;
    bool operator==(const Frame&) const = default;
};

struct MenuItem {
    std::string caption;  // "-" is a separator line
    bool checked = false;
    bool enabled = true;
    bool visible = true;
    std::string shortcut;  // "Ctrl+F12", "F1", ... empty for none
    bool operator==(const MenuItem&) const = default;
};

inline Label makeLabel(std::string caption, Geometry g) {
    Label l;
    l.caption = std::move(caption);
    l.geometry = g;
    return l;
}

inline CommandButton makeButton(std::string caption, Geometry g, int tabIndex = 0) {
    CommandButton b;
    b.caption = std::move(caption);
    b.geometry = g;
    b.tabIndex = tabIndex;
    return b;
}

}  // namespace gravlin
