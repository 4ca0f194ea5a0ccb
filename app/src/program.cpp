#include "gravlin/app/program.h"

#include "gravlin/equations/dynamic_engine.h"
#include "gravlin/info/frm_about.h"

namespace gravlin {

Program::Program(Host& host, Engine* engine)
    : form(host),
      field(form),
      levels(form, field),
      solver(form),
      storage(form, field),
      ownEngine(engine ? nullptr : std::make_unique<DynamicEngine>(host.programFolder())),
      equations(form, engine ? *engine : *ownEngine),
      host_(host) {
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
    form.menuNode("Auto_solve").click = [this] { solver.Auto_solve_Click(); };
    form.menuNode("GlSolve_Menu").click = [this] { equations.GlSolve_Menu_Click(); };
    form.menuNode("KlickGreen_Menu").click = [this] { solver.KlickGreen_Menu_Click(); };
    form.menuNode("Eqs").click = [this] { equations.Eqs_Click(); };
    form.menuNode("EqsGes").click = [this] { equations.EqsGes_Click(); };
    form.menuNode("wahrscheinlichkeiten").click = [this] { equations.wahrscheinlichkeiten_Click(); };
    form.GlSolve_Clicked = [this] { equations.GlSolve_Click(); };
    form.KlickGreen_Clicked = [this] { solver.KlickGreen_Click(); };
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

}  // namespace gravlin
