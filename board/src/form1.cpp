// The main window's controls as designed, and its menu tree.
#include "gravlin/board/form1.h"

#include <stdexcept>

#include "gravlin/text.h"

namespace gravlin {

namespace {
MenuItem item(std::string caption, std::string shortcut = {}) {
    MenuItem m;
    m.caption = std::move(caption);
    m.shortcut = std::move(shortcut);
    return m;
}
}  // namespace

Form1::Form1() {
    caption = kProgramTitle;

    Frame1.geometry = {0, 120, 0, 0};
    Frame2.geometry = {240, 960, 0, 0};

    MinesLabel.geometry = {240, 360, 735, 495};
    MinesLabel.foreColor = 0x000000FF;
    MinesLabel.backColor = 0x00404040;
    MinesLabel.font.bold = true;
    MinesLabel.font.size = 18;

    StartStop.geometry = {1200, 360, 495, 495};
    StartStop.toolTip = "Beginne neues Spiel";
    StartStop.picture = StartPict;
    GlSolve.geometry = {1920, 360, 495, 495};
    GlSolve.toolTip = "Löse lin. Gleichungssystem";
    GlSolve.picture = Picture::QuestionMark;
    KlickGreen.geometry = {2640, 360, 495, 495};
    KlickGreen.toolTip = "Klicke alle \"hellgrünen\" Felder an";
    KlickGreen.picture = Picture::Hammer;
    Dummy.geometry = {0, 0, 255, 255};

    for (auto& b : Command1) b.visible = false;

    Spiel = item("&Spiel");
    NewGame = item("&Neu");
    blank02 = item("-");
    load = item("&Laden");
    save = item("&Speichern");
    blank03 = item("-");
    load_mine = item("Lade Minen");
    save_mine = item("Speicher Minen");
    blank3 = item("-");
    Ende = item("&Beenden");
    Setting = item("&Einstellungen");
    Anfänger = item("&Anfänger");
    Fortgeschrittene = item("&Fortgeschrittene");
    Profis = item("&Profis");
    benutzerdefiniert = item("&Benutzerdefiniert...");
    blank01 = item("-");
    Auto_solve = item("&Automatische Lösung");
    Experimente = item("E&xp.");
    GlSolve_Menu = item("Löse lin. Gleichungssystem");
    KlickGreen_Menu = item("Klicke alle \"hellgrünen\" Felder an");
    blank47 = item("-");
    Eqs = item("&Gleichungssystem");
    EqsGes = item("Gl.&System mit Gesamtsumme");
    blank4 = item("-");
    wahrscheinlichkeiten = item("&Wahrscheinlichkeiten");
    blank1 = item("-");
    spickmodus = item("S&pickmodus", "Ctrl+F12");
    Solve = item("&Zeige alle Minen", "Ctrl+F1");
    blank2 = item("-");
    loosercont = item("Verlorenes Spiel f&ortführen");
    Feldaufbau = item("Feldaufbau");
    Feldaufbau.visible = false;
    Feldaufbau.enabled = false;
    Test1 = item("Test1");
    Test1.visible = false;
    Test1.enabled = false;
    Help = item("&?");
    About = item("&About", "F1");
    webmsg = item("Aktuelle Hinweise aus dem &Web", "F2");

    buildMenuTree();
}

void Form1::buildMenuTree() {
    menuTree = {
        {"Spiel", &Spiel, 0, nullptr},
        {"NewGame", &NewGame, 1, &NewGame_Click},
        {"blank02", &blank02, 1, nullptr},
        {"load", &load, 1, &load_Click},
        {"save", &save, 1, &save_Click},
        {"blank03", &blank03, 1, nullptr},
        {"load_mine", &load_mine, 1, &load_mine_Click},
        {"save_mine", &save_mine, 1, &save_mine_Click},
        {"blank3", &blank3, 1, nullptr},
        {"Ende", &Ende, 1, &Ende_Click},
        {"Setting", &Setting, 0, nullptr},
        {"Anfänger", &Anfänger, 1, &Anfänger_Click},
        {"Fortgeschrittene", &Fortgeschrittene, 1, &Fortgeschrittene_Click},
        {"Profis", &Profis, 1, &Profis_Click},
        {"benutzerdefiniert", &benutzerdefiniert, 1, &benutzerdefiniert_Click},
        {"blank01", &blank01, 1, nullptr},
        {"Auto_solve", &Auto_solve, 1, &Auto_solve_Click},
        {"Experimente", &Experimente, 0, nullptr},
        {"GlSolve_Menu", &GlSolve_Menu, 1, &GlSolve_Menu_Click},
        {"KlickGreen_Menu", &KlickGreen_Menu, 1, &KlickGreen_Menu_Click},
        {"blank47", &blank47, 1, nullptr},
        {"Eqs", &Eqs, 1, &Eqs_Click},
        {"EqsGes", &EqsGes, 1, &EqsGes_Click},
        {"blank4", &blank4, 1, nullptr},
        {"wahrscheinlichkeiten", &wahrscheinlichkeiten, 1, &wahrscheinlichkeiten_Click},
        {"blank1", &blank1, 1, nullptr},
        {"spickmodus", &spickmodus, 1, &spickmodus_Click},
        {"Solve", &Solve, 1, &Solve_Click},
        {"blank2", &blank2, 1, nullptr},
        {"loosercont", &loosercont, 1, &loosercont_Click},
        {"Feldaufbau", &Feldaufbau, 1, &Feldaufbau_Click},
        {"Test1", &Test1, 1, &Test1_Click},
        {"Help", &Help, 0, nullptr},
        {"About", &About, 1, &About_Click},
        {"webmsg", &webmsg, 1, &webmsg_Click},
    };
}

MenuNode& Form1::menuNode(const MenuItem& item) {
    for (auto& node : menuTree) {
        if (node.item == &item) return node;
    }
    throw std::invalid_argument("menu item not in the menu tree: " + item.caption);
}

}  // namespace gravlin
