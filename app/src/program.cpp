#include "gravlin/app/program.h"

#include "gravlin/app/show_game.h"
#include "gravlin/app/wiring.h"
#include "gravlin/equations/dynamic_engine.h"

namespace gravlin {

Program::Program(Host& host, Engine* engine)
    : field(game,
            {form, form.Command1, form.Frame1, form.Frame2, form.StartStop, form.GlSolve, form.KlickGreen}),
      levels(host, form, game),
      solver(game, host, form),
      storage(game, host, form),
      ownEngine(engine ? nullptr : std::make_unique<DynamicEngine>(host.programFolder())),
      equations(game, engine ? *engine : *ownEngine, host, form),
      flow({game, form, host, field, levels, solver, equations, storage, *registry, webHints}) {
    connectHandlers(*this, wiringTable());
}

void Program::start() {
    flow.Form_Load();
    showGame();
}

void Program::showGame() {
    gravlin::showGame(game, form);
}

}  // namespace gravlin
