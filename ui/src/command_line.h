#pragma once
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace gravlin::ui {

// What the program's arguments ask for. They are read before any window exists, so that the
// help and the version are answered without a display.
struct CommandLine {
    enum class Action : std::uint8_t { Play, Help, Version, Refuse };
    Action action = Action::Play;
    // Play: the file to load once the window is up, as an absolute path; empty for none.
    std::string file;
    // Refuse: what is wrong, in German.
    QString error;
};

// Reads the arguments, the program's name first. Needs no application object.
CommandLine readCommandLine(const std::vector<std::string>& arguments);

// Answers a command line that asks for no game: the help or the version on standard output
// with status 0, a refusal with the usage line on standard error with status 2. Needs a
// QCoreApplication (for Qt's German catalogue, which words the help's headings).
int answerCommandLine(const CommandLine& command);

}  // namespace gravlin::ui
