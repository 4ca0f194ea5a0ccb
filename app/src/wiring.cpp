// The wiring table: what every menu item, tool button and cell of the main window does, and
// which subsystem carries each procedure the board leaves to the layers above it. Entries
// name their handler by member pointer, so a misspelt one does not compile; an entry left
// out fails the check at construction.
#include <stdexcept>
#include <string>

#include "gravlin/app/program.h"

namespace gravlin {

namespace {

using Action = void (*)(Program&);

// The procedure of one of the program's parts.
template <auto Part, auto Procedure>
void call(Program& p) {
    ((p.*Part).*Procedure)();
}

// A procedure of the program itself.
template <auto Procedure>
void own(Program& p) {
    (p.*Procedure)();
}

// Test1 stays hidden and disabled for the whole run: nothing can choose it.
void nothing(Program&) {}

// One row of a table: the slot and the handler that fills it.
template <typename Slot>
struct Entry {
    Slot slot;
    Action action;
};

const Entry<MenuItem Form1::*> kMenu[] = {
    {&Form1::NewGame, call<&Program::form, &Form1::NewGame_Click>},
    {&Form1::load, call<&Program::storage, &Storage::load_Click>},
    {&Form1::save, call<&Program::storage, &Storage::save_Click>},
    {&Form1::load_mine, call<&Program::storage, &Storage::load_mine_Click>},
    {&Form1::save_mine, call<&Program::storage, &Storage::save_mine_Click>},
    {&Form1::Ende, call<&Program::form, &Form1::Ende_Click>},
    {&Form1::Anfänger, call<&Program::levels, &Levels::Anfänger_Click>},
    {&Form1::Fortgeschrittene, call<&Program::levels, &Levels::Fortgeschrittene_Click>},
    {&Form1::Profis, call<&Program::levels, &Levels::Profis_Click>},
    {&Form1::benutzerdefiniert, call<&Program::levels, &Levels::benutzerdefiniert_Click>},
    {&Form1::Auto_solve, call<&Program::solver, &LocalSolver::Auto_solve_Click>},
    {&Form1::GlSolve_Menu, call<&Program::form, &Form1::GlSolve_Menu_Click>},
    {&Form1::KlickGreen_Menu, call<&Program::form, &Form1::KlickGreen_Menu_Click>},
    {&Form1::Eqs, call<&Program::equations, &EquationSystem::Eqs_Click>},
    {&Form1::EqsGes, call<&Program::equations, &EquationSystem::EqsGes_Click>},
    {&Form1::wahrscheinlichkeiten, call<&Program::equations, &EquationSystem::wahrscheinlichkeiten_Click>},
    {&Form1::spickmodus, call<&Program::form, &Form1::spickmodus_Click>},
    {&Form1::Solve, call<&Program::form, &Form1::Solve_Click>},
    {&Form1::loosercont, call<&Program::form, &Form1::loosercont_Click>},
    {&Form1::Feldaufbau, call<&Program::field, &FieldBuilder::Feldaufbau_Click>},
    {&Form1::Test1, nothing},
    {&Form1::About, own<&Program::About_Click>},
    {&Form1::webmsg, own<&Program::webmsg_Click>},
};

// The tool buttons. The solve and the sweep are reached from their buttons, their menu
// entries and the cell click alike through the board's procedures, so each has one
// connection below, in kLayers.
const Entry<Handler Form1::*> kButtons[] = {
    {&Form1::StartStop_Clicked, call<&Program::form, &Form1::StartStop_Click>},
    {&Form1::GlSolve_Clicked, call<&Program::form, &Form1::GlSolve_Click>},
    {&Form1::KlickGreen_Clicked, call<&Program::form, &Form1::KlickGreen_Click>},
};

const Entry<Handler Form1Layers::*> kLayers[] = {
    {&Form1Layers::DeleteTraceFile, call<&Program::equations, &EquationSystem::DeleteTraceFile>},
    {&Form1Layers::UnloadProbabilityWindow,
     call<&Program::equations, &EquationSystem::UnloadProbabilityWindow>},
    {&Form1Layers::Phase1, call<&Program::solver, &LocalSolver::Phase1>},
    {&Form1Layers::GlSolve_Click, call<&Program::equations, &EquationSystem::GlSolve_Click>},
    {&Form1Layers::KlickGreen_Click, call<&Program::solver, &LocalSolver::KlickGreen_Click>},
    {&Form1Layers::Fortgeschrittene_Click, call<&Program::levels, &Levels::Fortgeschrittene_Click>},
};

Handler bind(Program& p, Action action) {
    return [&p, action] { action(p); };
}

void fail(const std::string& what) {
    throw std::logic_error("not connected to a handler: " + what);
}

}  // namespace

void connectHandlers(Program& p) {
    Form1& f = p.form;
    for (const auto& e : kMenu) f.menuNode(f.*e.slot).click = bind(p, e.action);
    for (const auto& e : kButtons) f.*e.slot = bind(p, e.action);
    for (const auto& e : kLayers) f.layers.*e.slot = bind(p, e.action);
    f.Command1_Pressed = [&f](std::int16_t index, std::int16_t button) {
        f.Command1_MouseDown(index, button, 0, 0, 0);
    };
}

void requireConnected(const Form1& form) {
    for (const MenuNode& node : form.menuTree) {
        if (node.isCommand() && !node.click) fail("menu item " + node.name);
    }
    for (const HandlerSlot& slot : form.handlerSlots()) {
        if (!*slot.handler) fail(slot.name);
    }
    if (!form.Command1_Pressed) fail("Command1");
}

}  // namespace gravlin
