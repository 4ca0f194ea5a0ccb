#include "gravlin/app/program.h"

#include "gravlin/info/frm_about.h"

namespace gravlin {

Program::Program(Host& host)
    : form(host), field(form), levels(form, field), solver(form), storage(form, field), host_(host) {
    form.attachLayers(this);
    connect();
}

void Program::connect() {
    form.menuNode("Anfänger").click = [this] { levels.Anfänger_Click(); };
    form.menuNode("Fortgeschrittene").click = [this] { levels.Fortgeschrittene_Click(); };
    form.menuNode("Profis").click = [this] { levels.Profis_Click(); };
    form.menuNode("benutzerdefiniert").click = [this] { levels.benutzerdefiniert_Click(); };
    form.menuNode("Feldaufbau").click = [this] { field.Feldaufbau_Click(); };
    form.menuNode("load").click = [this] { storage.load_Click(); };
    form.menuNode("save").click = [this] { storage.save_Click(); };
    form.menuNode("load_mine").click = [this] { storage.load_mine_Click(); };
    form.menuNode("save_mine").click = [this] { storage.save_mine_Click(); };
    form.menuNode("About").click = [this] { About_Click(); };
    form.menuNode("webmsg").click = [this] { webmsg_Click(); };
}

void Program::About_Click() {
    frmAbout about(host_, form, *registry);
    about.show();
}

void Program::webmsg_Click() {
    WWW hints(host_, form, webHints);
    hints.show();
}

// The equation system's parts are not part of this build yet.
void Program::DeleteTraceFile() {}
void Program::UnloadProbabilityWindow() {}
void Program::GlSolve_Click() {}
void Program::KlickGreen_Click() {}

}  // namespace gravlin
