#include "gravlin/app/program.h"

namespace gravlin {

Program::Program(Host& host) : form(host), field(form), levels(form, field), solver(form) {
    form.attachLayers(this);
    connect();
}

void Program::connect() {
    form.menuNode("Anfänger").click = [this] { levels.Anfänger_Click(); };
    form.menuNode("Fortgeschrittene").click = [this] { levels.Fortgeschrittene_Click(); };
    form.menuNode("Profis").click = [this] { levels.Profis_Click(); };
    form.menuNode("benutzerdefiniert").click = [this] { levels.benutzerdefiniert_Click(); };
    form.menuNode("Feldaufbau").click = [this] { field.Feldaufbau_Click(); };
}

// The equation system's parts are not part of this build yet.
void Program::DeleteTraceFile() {}
void Program::UnloadProbabilityWindow() {}
void Program::GlSolve_Click() {}
void Program::KlickGreen_Click() {}

}  // namespace gravlin
