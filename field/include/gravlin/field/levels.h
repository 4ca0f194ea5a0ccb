#pragma once
#include <cstdint>
#include <memory>

#include "gravlin/board/form1.h"
#include "gravlin/field/ben_definiert.h"
#include "gravlin/field/field_builder.h"

namespace gravlin {

// The level menu: three standard boards and the custom one.
class Levels {
  public:
    Levels(Form1& form, FieldBuilder& builder) : form_(form), builder_(builder) {}

    void Anfänger_Click();
    void Fortgeschrittene_Click();
    void Profis_Click();
    void benutzerdefiniert_Click();

    // Created on first use and kept for the rest of the run.
    BenDefiniert& dialog();

  private:
    void choose(std::int16_t x, std::int16_t y, std::int16_t mines, MenuItem& checkedItem);
    void setChecks(const MenuItem& checkedItem);

    Form1& form_;
    FieldBuilder& builder_;
    std::unique_ptr<BenDefiniert> dialog_;
};

}  // namespace gravlin
