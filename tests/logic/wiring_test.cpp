// The wiring table: every handler slot of the main window has exactly one row, every row a
// handler, and each command reaches its part of the program.
#include "gravlin/app/wiring.h"

#include "board_fixture.h"

namespace gravlin {
namespace {

// The check's message for `rows`, or "" when it passes.
std::string wiringFault(Form1& form, const std::vector<WiringRow>& rows) {
    try {
        checkWiring(form, rows);
    } catch (const std::logic_error& e) {
        return e.what();
    }
    return "";
}

// Names are unique, so a slot named after its node is that node's own.
TEST_F(GameTest, EveryMenuCommandHasItsOwnSlotAndNoMenuOrSeparatorHasOne) {
    for (const MenuNode& node : form.menuTree) {
        EXPECT_EQ(node.click != nullptr, node.depth == 1 && node.item->caption != "-") << node.name;
        if (node.click) {
            EXPECT_EQ(node.click->name(), node.name + "_Click");
        }
    }
}

// A slot without a row fails the start-up check, which names it; so does a row without a
// handler, a slot with two rows, a menu command without a slot and a separator with one.
TEST_F(GameTest, EveryRowIsNeededAndAFaultyRowIsNamed) {
    const std::vector<WiringRow> table(wiringTable().begin(), wiringTable().end());
    for (std::size_t k = 0; k < table.size(); ++k) {
        std::vector<WiringRow> rows = table;
        const std::string name = rows[k].slot(form).name();
        rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(k));
        EXPECT_EQ(wiringFault(form, rows), "wiring: " + name + " is not connected to a handler");
        EXPECT_THROW(connectHandlers(program, rows), std::logic_error) << name;
        rows = table;
        rows[k].connect = nullptr;
        EXPECT_EQ(wiringFault(form, rows), "wiring: the row of " + name + " names no handler");
        rows = table;
        rows.push_back(table[k]);
        EXPECT_EQ(wiringFault(form, rows), "wiring: " + name + " has two rows");
    }
    ClickSlot* slot = std::exchange(form.menuNode(form.Ende).click, nullptr);
    EXPECT_EQ(wiringFault(form, table), "wiring: menu entry Ende has no handler");
    form.menuNode(form.Ende).click = slot;
    form.menuNode(form.blank3).click = slot;
    EXPECT_EQ(wiringFault(form, table), "wiring: menu entry blank3 cannot be chosen but has a handler");
    form.menuNode(form.blank3).click = nullptr;
}

// The commands that no other test chooses from the window reach their parts: the solve and
// the sweep from their menu entries, the windows of the equations, About and the hints, and
// Beenden, which closes the main window.
TEST_F(GameTest, EachCommandReachesItsPart) {
    form.GlSolve_Menu_Click();
    EXPECT_EQ(engine.count("QZNewSystem"), 1);
    game.provenFree(1, 1) = true;
    form.KlickGreen_Menu_Click();
    EXPECT_TRUE(game.visible(1, 1) && game.green_found == 0);
    form.Test1_Click();
    form.Feldaufbau_Click();
    EXPECT_EQ(host.modalShown.size(), 0u);
    std::string captions;
    host.onModal = [&captions](Window& w) {
        captions += w.caption + "|";
        w.loaded = false;
    };
    for (ClickSlot Form1::*window : {&Form1::Eqs_Click, &Form1::EqsGes_Click, &Form1::About_Click,
                                     &Form1::webmsg_Click, &Form1::benutzerdefiniert_Click})
        (form.*window)();
    EXPECT_EQ(captions,
              "Gleichungssystem|Gleichungssystem|Info zu Gravlin|Aktuelle Hinweise|"
              "Benutzerdefinierte Einstellung|");
    (*form.menuNode(form.Ende).click)();
    EXPECT_EQ(host.closed, std::vector<Window*>{&form});
}

// A command brings the window in line with the game when it ends, also when it fails; a
// change of the game alone shows only then. The first click of a game takes the
// probabilities back before it places the mines.
TEST_F(GameTest, TheWindowShowsTheGameAfterEveryCommand) {
    game.Solve_Click();
    EXPECT_EQ(form.Solve.caption, "&Zeige alle Minen");
    form.spickmodus_Click();
    EXPECT_TRUE(form.Solve.caption == "Ende von: &Zeige" && form.spickmodus.checked);
    game.probabilitiesOffered = true;
    form.NewGame_Click();
    game.probabilitiesOffered = true;
    form.spickmodus_Click();
    ASSERT_TRUE(form.wahrscheinlichkeiten.enabled);
    program.flow.seedSource = []() -> std::uint64_t { throw std::runtime_error("no seed"); };
    EXPECT_THROW(leftClick(8, 8), std::runtime_error);
    EXPECT_FALSE(form.wahrscheinlichkeiten.enabled);
}

}  // namespace
}  // namespace gravlin
