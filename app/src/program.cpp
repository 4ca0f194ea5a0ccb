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
    connectHandlers(*this);
    requireConnected(form);
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
