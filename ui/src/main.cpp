// Gravlin: the game window. The program reads no arguments of its own.
#include <QApplication>

#include "gravlin_gui.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    gravlin::ui::setUpApplication();
    gravlin::ui::GravlinGui gui;
    gui.start();
    return QApplication::exec();
}
