#pragma once
#include <cstdint>

#include "gravlin/game/game.h"
#include "gravlin/host.h"

namespace gravlin {

// A solver run from start to end. It starts with BeginWork (working face, painted at once,
// hourglass, `busy`), or only sets `busy` for the click handler and the safe-cell sweep
// around Phase1, and ends with EndWork or `busy` cleared on every way out, exceptions
// included: a run that fails must not leave every later left click ignored.
class WorkScope {
  public:
    enum class Shows : std::uint8_t { WorkingFace, Nothing };

    WorkScope(Game& game, Host& host, Shows shows) : game_(game), host_(host), shows_(shows) {
        if (shows_ == Shows::WorkingFace) {
            game_.BeginWork();
            host_.repaintNow();
            host_.setBusyPointer(true);
        } else {
            game_.busy = true;
        }
    }
    ~WorkScope() {
        if (shows_ == Shows::WorkingFace) {
            game_.EndWork();
            host_.repaintNow();
            host_.setBusyPointer(false);
        } else {
            game_.busy = false;
        }
    }
    WorkScope(const WorkScope&) = delete;
    WorkScope& operator=(const WorkScope&) = delete;

  private:
    Game& game_;
    Host& host_;
    Shows shows_;
};

}  // namespace gravlin
