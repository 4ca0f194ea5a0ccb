#include "gravlin/field/levels.h"

namespace gravlin {

void Levels::Anfänger_Click() {
    choose(9, 9, 10, form_.Anfänger);
}
void Levels::Fortgeschrittene_Click() {
    choose(16, 16, 40, form_.Fortgeschrittene);
}
void Levels::Profis_Click() {
    choose(30, 16, 99, form_.Profis);
}

void Levels::benutzerdefiniert_Click() {
    BenDefiniert& d = dialog();
    if (!d.gibWerte()) return;
    form_.x_actual = d.xin;
    form_.y_actual = d.yin;
    form_.no_mines_actual = d.min;
    form_.InitGame();
    builder_.Feldaufbau_Click();
    setChecks(form_.benutzerdefiniert);
}

BenDefiniert& Levels::dialog() {
    if (!dialog_) dialog_ = std::make_unique<BenDefiniert>(form_.host(), form_, form_);
    return *dialog_;
}

void Levels::choose(std::int16_t x, std::int16_t y, std::int16_t mines, MenuItem& checkedItem) {
    form_.x_actual = x;
    form_.y_actual = y;
    form_.no_mines_actual = mines;
    form_.InitGame();
    builder_.Feldaufbau_Click();
    setChecks(checkedItem);
}

void Levels::setChecks(const MenuItem& checkedItem) {
    for (MenuItem* item :
         {&form_.Anfänger, &form_.Fortgeschrittene, &form_.Profis, &form_.benutzerdefiniert}) {
        item->checked = item == &checkedItem;
    }
}

}  // namespace gravlin
