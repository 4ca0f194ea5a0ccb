#include "gravlin/field/levels.h"

#include <stdexcept>

namespace gravlin {

LevelSize Levels::size(Level level) {
    switch (level) {
        case Level::Beginner:
            return {9, 9, 10};
        case Level::Intermediate:
            return {16, 16, 40};
        case Level::Expert:
            return {30, 16, 99};
        case Level::None:
        case Level::Custom:
            break;
    }
    throw std::invalid_argument("no standard level");
}

std::optional<LevelSize> Levels::askCustomSize() {
    BenDefiniert& d = dialog();
    if (!d.gibWerte()) return std::nullopt;
    return LevelSize{d.xin, d.yin, d.min};
}

BenDefiniert& Levels::dialog() {
    if (!dialog_) dialog_ = std::make_unique<BenDefiniert>(host_, owner_, board_);
    return *dialog_;
}

}  // namespace gravlin
