#pragma once
#include <QIcon>
#include <QPixmap>

#include "gravlin/controls.h"

namespace gravlin::ui {

// The program's pictures, drawn at 28 x 28 logical pixels for the given device pixel ratio.
QPixmap drawPicture(Picture picture, qreal devicePixelRatio);
QIcon appIcon();

}  // namespace gravlin::ui
