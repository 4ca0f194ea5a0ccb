// The wiring table: what every menu item, tool button and cell of the main window runs. Rows
// name their slot and their handler by member pointer, so a misspelt one does not compile;
// the start-up check is derived from the table and the window's own list of its slots.
#include "gravlin/app/wiring.h"

#include <map>
#include <stdexcept>
#include <string>

#include "gravlin/app/program.h"

namespace gravlin {

namespace {

using Click = void (*)(Program&);
using Press = void (*)(Program&, std::int16_t, std::int16_t);

// A procedure of one of the program's parts.
template <auto Part, auto Procedure>
void call(Program& p) {
    ((p.*Part).*Procedure)();
}

void pressCell(Program& p, std::int16_t index, std::int16_t button) {
    p.flow.Command1_MouseDown(index, button, 0, 0, 0);
}

// Test1 stays hidden and disabled for the whole run: nothing can choose it.
void nothing(Program&) {}

// Runs a handler, then shows the game as it stands, also when the handler failed.
template <typename Run>
void thenShow(Program& p, Run run) {
    try {
        run();
    } catch (...) {
        p.showGame();
        throw;
    }
    p.showGame();
}

template <auto Member>
HandlerSlot& slotOf(Form1& form) {
    return form.*Member;
}

template <Click Action>
void connectClick(Program& p, HandlerSlot& slot) {
    static_cast<ClickSlot&>(slot).connect([&p] { thenShow(p, [&p] { Action(p); }); });
}

template <Press Action>
void connectPress(Program& p, HandlerSlot& slot) {
    static_cast<PressSlot&>(slot).connect(
        [&p](std::int16_t index, std::int16_t button) { thenShow(p, [&] { Action(p, index, button); }); });
}

template <ClickSlot Form1::*Member, Click Action>
constexpr WiringRow click() {
    return {&slotOf<Member>, &connectClick<Action>};
}

template <PressSlot Form1::*Member, Press Action>
constexpr WiringRow press() {
    return {&slotOf<Member>, &connectPress<Action>};
}

using F = Form1;
using P = Program;

const WiringRow kWiring[] = {
    press<&F::Command1_MouseDown, pressCell>(),
    click<&F::StartStop_Click, call<&P::flow, &Flow::StartStop_Click>>(),
    click<&F::GlSolve_Click, call<&P::equations, &EquationSystem::GlSolve_Click>>(),
    click<&F::KlickGreen_Click, call<&P::solver, &LocalSolver::KlickGreen_Click>>(),

    click<&F::NewGame_Click, call<&P::flow, &Flow::NewGame_Click>>(),
    click<&F::load_Click, call<&P::flow, &Flow::load_Click>>(),
    click<&F::save_Click, call<&P::storage, &Storage::save_Click>>(),
    click<&F::load_mine_Click, call<&P::flow, &Flow::load_mine_Click>>(),
    click<&F::save_mine_Click, call<&P::storage, &Storage::save_mine_Click>>(),
    click<&F::Ende_Click, call<&P::flow, &Flow::Ende_Click>>(),
    click<&F::Anfänger_Click, call<&P::flow, &Flow::Anfänger_Click>>(),
    click<&F::Fortgeschrittene_Click, call<&P::flow, &Flow::Fortgeschrittene_Click>>(),
    click<&F::Profis_Click, call<&P::flow, &Flow::Profis_Click>>(),
    click<&F::benutzerdefiniert_Click, call<&P::flow, &Flow::benutzerdefiniert_Click>>(),
    click<&F::Auto_solve_Click, call<&P::game, &Game::Auto_solve_Click>>(),
    click<&F::GlSolve_Menu_Click, call<&P::equations, &EquationSystem::GlSolve_Menu_Click>>(),
    click<&F::KlickGreen_Menu_Click, call<&P::solver, &LocalSolver::KlickGreen_Menu_Click>>(),
    click<&F::Eqs_Click, call<&P::equations, &EquationSystem::Eqs_Click>>(),
    click<&F::EqsGes_Click, call<&P::equations, &EquationSystem::EqsGes_Click>>(),
    click<&F::wahrscheinlichkeiten_Click, call<&P::equations, &EquationSystem::wahrscheinlichkeiten_Click>>(),
    click<&F::spickmodus_Click, call<&P::game, &Game::spickmodus_Click>>(),
    click<&F::Solve_Click, call<&P::game, &Game::Solve_Click>>(),
    click<&F::loosercont_Click, call<&P::game, &Game::loosercont_Click>>(),
    click<&F::Feldaufbau_Click, call<&P::field, &FieldBuilder::Feldaufbau_Click>>(),
    click<&F::Test1_Click, nothing>(),
    click<&F::About_Click, call<&P::flow, &Flow::About_Click>>(),
    click<&F::webmsg_Click, call<&P::flow, &Flow::webmsg_Click>>(),
};

[[noreturn]] void fail(const std::string& what) {
    throw std::logic_error("wiring: " + what);
}

}  // namespace

std::span<const WiringRow> wiringTable() {
    return kWiring;
}

void checkWiring(Form1& form, std::span<const WiringRow> rows) {
    std::map<const HandlerSlot*, int> rowsOfSlot;
    for (const WiringRow& row : rows) {
        const HandlerSlot& slot = row.slot(form);
        if (!row.connect) fail("the row of " + slot.name() + " names no handler");
        if (++rowsOfSlot[&slot] > 1) fail(slot.name() + " has two rows");
    }
    for (const HandlerSlot* slot : form.handlerSlots()) {
        if (!rowsOfSlot.contains(slot)) fail(slot->name() + " is not connected to a handler");
    }
    for (const MenuNode& node : form.menuTree) {
        if (node.isCommand() != (node.click != nullptr))
            fail("menu entry " + node.name +
                 (node.click ? " cannot be chosen but has a handler" : " has no handler"));
    }
}

void connectHandlers(Program& program, std::span<const WiringRow> rows) {
    checkWiring(program.form, rows);
    for (const WiringRow& row : rows) row.connect(program, row.slot(program.form));
}

}  // namespace gravlin
