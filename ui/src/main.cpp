// Gravlin: the game window. The command line is read before any window exists, so that
// --help and --version answer without a display.
#include <QApplication>
#include <string>
#include <vector>

#include "command_line.h"
#include "gravlin_gui.h"

int main(int argc, char** argv) {
    using gravlin::ui::CommandLine;
    const CommandLine command = gravlin::ui::readCommandLine(std::vector<std::string>(argv, argv + argc));
    if (command.action != CommandLine::Action::Play) {
        QCoreApplication core(argc, argv);
        return gravlin::ui::answerCommandLine(command);
    }
    QApplication app(argc, argv);
    gravlin::ui::setUpApplication();
    gravlin::ui::GravlinGui gui;
    gui.start(command.file);
    return QApplication::exec();
}
