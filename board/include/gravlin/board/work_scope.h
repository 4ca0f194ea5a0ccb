#pragma once
#include <cstdint>

#include "gravlin/board/form1.h"

namespace gravlin {

// A solver run from start to end. It starts with BeginWork (working face, hourglass,
// `busy`), or only sets `busy` for the click handler and the safe-cell sweep around
// Phase1, and ends with EndWork or `busy` cleared on every way out, exceptions included:
// a run that fails must not leave every later left click ignored.
class WorkScope {
  public:
    enum class Shows : std::uint8_t { WorkingFace, Nothing };

    WorkScope(Form1& form, Shows shows) : form_(form), shows_(shows) {
        if (shows_ == Shows::WorkingFace)
            form_.BeginWork();
        else
            form_.busy = true;
    }
    ~WorkScope() {
        if (shows_ == Shows::WorkingFace)
            form_.EndWork();
        else
            form_.busy = false;
    }
    WorkScope(const WorkScope&) = delete;
    WorkScope& operator=(const WorkScope&) = delete;

  private:
    Form1& form_;
    Shows shows_;
};

}  // namespace gravlin
