#pragma once
#include <string>

#include "gravlin/controls.h"

namespace gravlin {

// Base of every window's logic class. The Qt layer finds the view for a window by its type.
class Window {
  public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    std::string caption;
    Geometry geometry;    // client area for dialogs, outer size for the main window
    bool loaded = false;  // shown (modal or not) and not yet unloaded
};

// A rectangle on the screen, in pixels.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ScreenRect&) const = default;
};

// Where a window whose outer frame is `frame` goes so that it lies within `area`, the part
// of its screen that windows may use: moved in as far as it sticks out, keeping its size.
// A window larger than the area keeps its top-left corner in view.
ScreenRect placeWithin(const ScreenRect& frame, const ScreenRect& area);

}  // namespace gravlin
