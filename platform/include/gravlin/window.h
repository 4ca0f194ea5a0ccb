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

}  // namespace gravlin
