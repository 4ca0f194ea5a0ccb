// The main window's controls as designed, its menu tree, start-up, and the hand-over to
// the layers above the board.
#include "gravlin/board/form1.h"

#include <chrono>
#include <stdexcept>

#include "gravlin/text.h"

namespace gravlin {

namespace {
std::uint64_t clockSeed() {
    return static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

MenuItem item(std::string caption, std::string shortcut = {}) {
    MenuItem m;
    m.caption = std::move(caption);
    m.shortcut = std::move(shortcut);
    return m;
}
}  // namespace

Form1::Form1(Host& host) : seedSource(clockSeed), host_(host) {
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
        {"Spiel", &Spiel, 0, {}},
        {"NewGame", &NewGame, 1, {}},
        {"blank02", &blank02, 1, {}},
        {"load", &load, 1, {}},
        {"save", &save, 1, {}},
        {"blank03", &blank03, 1, {}},
        {"load_mine", &load_mine, 1, {}},
        {"save_mine", &save_mine, 1, {}},
        {"blank3", &blank3, 1, {}},
        {"Ende", &Ende, 1, {}},
        {"Setting", &Setting, 0, {}},
        {"Anfänger", &Anfänger, 1, {}},
        {"Fortgeschrittene", &Fortgeschrittene, 1, {}},
        {"Profis", &Profis, 1, {}},
        {"benutzerdefiniert", &benutzerdefiniert, 1, {}},
        {"blank01", &blank01, 1, {}},
        {"Auto_solve", &Auto_solve, 1, {}},
        {"Experimente", &Experimente, 0, {}},
        {"GlSolve_Menu", &GlSolve_Menu, 1, {}},
        {"KlickGreen_Menu", &KlickGreen_Menu, 1, {}},
        {"blank47", &blank47, 1, {}},
        {"Eqs", &Eqs, 1, {}},
        {"EqsGes", &EqsGes, 1, {}},
        {"blank4", &blank4, 1, {}},
        {"wahrscheinlichkeiten", &wahrscheinlichkeiten, 1, {}},
        {"blank1", &blank1, 1, {}},
        {"spickmodus", &spickmodus, 1, {}},
        {"Solve", &Solve, 1, {}},
        {"blank2", &blank2, 1, {}},
        {"loosercont", &loosercont, 1, {}},
        {"Feldaufbau", &Feldaufbau, 1, {}},
        {"Test1", &Test1, 1, {}},
        {"Help", &Help, 0, {}},
        {"About", &About, 1, {}},
        {"webmsg", &webmsg, 1, {}},
    };
}

MenuNode& Form1::menuNode(const MenuItem& item) {
    for (auto& node : menuTree) {
        if (node.item == &item) return node;
    }
    throw std::invalid_argument("menu item not in the menu tree: " + item.caption);
}

std::vector<HandlerSlot> Form1::handlerSlots() const {
    return {
        {"StartStop", &StartStop_Clicked},
        {"GlSolve", &GlSolve_Clicked},
        {"KlickGreen", &KlickGreen_Clicked},
        {"DeleteTraceFile", &layers.DeleteTraceFile},
        {"UnloadProbabilityWindow", &layers.UnloadProbabilityWindow},
        {"Phase1", &layers.Phase1},
        {"GlSolve_Click", &layers.GlSolve_Click},
        {"KlickGreen_Click", &layers.KlickGreen_Click},
        {"Fortgeschrittene_Click", &layers.Fortgeschrittene_Click},
    };
}

void Form1::Form_Load() {
    loaded = true;
    Dummy.geometry.left = -1000;
    Dummy.geometry.top = -1000;
    DeleteTraceFile();
    SetToDefault();
    InitGame();
    Fortgeschrittene_Click();
}

}  // namespace gravlin
