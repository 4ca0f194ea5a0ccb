#include "gravlin/window.h"

namespace gravlin {

Window::~Window() = default;

}  // namespace gravlin
