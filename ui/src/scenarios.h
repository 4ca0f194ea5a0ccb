#pragma once
#include <QString>
#include <string>

namespace gravlin::ui {

class GravlinGui;

// Scenes played for screenshots: "lost", "won", "expert", "solve" (an expert board after the
// equation solve), "probabilities", "custom" (the custom field dialog after OK with values
// out of range), "notice" (the not-uniquely-solvable notice), "about", "sysinfo" (its
// message box), "open" (the file dialog of a saved game). Unknown names do nothing.
// A scene that stops in a modal dialog saves the picture itself (to `screenshot`) and
// ends the program.
bool playScenario(GravlinGui& gui, const std::string& name, const QString& screenshot);
// Saves the window in front (a modal dialog if one is open, otherwise the main window).
bool saveScreenshot(GravlinGui& gui, const QString& path);

}  // namespace gravlin::ui
