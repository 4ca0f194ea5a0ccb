// The level menu, the custom field dialog and its number reading.
#include <string>
#include <tuple>

#include "board_fixture.h"

namespace gravlin {
namespace {

// ---- reading numbers ---------------------------------------------------------------------

// Halves round away from zero; anything but one number, or one beyond 16 bits, reads as 0.
TEST(TextToInt, ReadsWhateverIsTypedOrPasted) {
    const std::pair<std::string, int> cases[] = {
        {"  12 ", 12}, {"12abc", 0}, {"-2.5", -3},       {"2,5", 3},
        {"15e-1", 2},  {"32768", 0}, {"-32768", -32768}, {std::string(10000, '9'), 0}};
    for (const auto& [text, expected] : cases) EXPECT_EQ(BenDefiniert::TextToInt(text), expected) << text;
}

// ---- levels ------------------------------------------------------------------------------

// Choosing a level, also the one checked, starts a new game of its size.
TEST_F(GameTest, EachLevelStartsANewGameOfItsSizeAndCarriesTheOnlyCheckMark) {
    const std::tuple<MenuItem Form1::*, Level, int, int, int, std::string> levels[] = {
        {&Form1::Anfänger, Level::Beginner, 9, 9, 10, "010"},
        {&Form1::Fortgeschrittene, Level::Intermediate, 16, 16, 40, "040"},
        {&Form1::Profis, Level::Expert, 30, 16, 99, "099"}};
    for (const auto& [item, level, w, h, mines, caption] : levels) {
        leftClick(8, 8);
        (*form.menuNode(form.*item).click)();
        EXPECT_EQ(std::tie(game.x_game, game.y_game, game.no_mines_game, game.x_actual, game.y_actual,
                           game.no_mines_actual, game.covered_left, game.level, form.MinesLabel.caption),
                  std::tuple(w, h, mines, w, h, mines, w * h, level, caption));
        EXPECT_FALSE(game.minesPlaced || form.save_mine.enabled) << "a new game without mines";
        for (const MenuItem* shown :
             {&form.Anfänger, &form.Fortgeschrittene, &form.Profis, &form.benutzerdefiniert})
            EXPECT_EQ(shown->checked, shown == &(form.*item));
    }
}

// ---- the custom field dialog ----------------------------------------------------------------

// Each opening shows the last accepted entry in normal colours. OK with a value out of range
// colours each offender red with one beep and keeps the dialog open; Cancel then leaves the
// game as it was. A good OK takes the entry, the mine count capped so that one cell stays free.
TEST_F(GameTest, CustomFieldOpeningsShowTheLastAcceptedEntryAndOnlyAGoodOkTakesIt) {
    struct Opening {
        MenuItem Form1::*level;
        std::string shown, x, y, m, colours;
        int widthAfter, minesAfter;
        MenuItem Form1::*checked;
    };
    const auto custom = &Form1::benutzerdefiniert;
    const auto standard = &Form1::Fortgeschrittene;
    const Opening openings[] = {
        {nullptr, "16 16 40", "31", "10", "10", "r..", 16, 40, standard},
        {nullptr, "16 16 40", "2", "10", "10", "r..", 16, 40, standard},
        {nullptr, "16 16 40", "10", "25", "10", ".r.", 16, 40, standard},
        {nullptr, "16 16 40", "10", "10", "100", "..r", 16, 40, standard},
        {nullptr, "16 16 40", "10", "10", "0", "..r", 16, 40, standard},
        {nullptr, "16 16 40", "30", "24", "99", "...", 30, 99, custom},
        {&Form1::Anfänger, "30 24 99", "50", "2", "5", "rr.", 9, 10, &Form1::Anfänger},
        {nullptr, "30 24 99", "3", "3", "9", "...", 3, 8, custom},
        {nullptr, "3 3 8", "4", "4", "15", "...", 4, 15, custom},
    };
    // Per field x, y, m: 'r' red, '.' in the normal colours, '?' anything else.
    const auto colours = [](const BenDefiniert& d) {
        std::string shown;
        for (const auto& [l, t] :
             {std::pair(&d.Label_x, &d.x_input), {&d.Label_y, &d.y_input}, {&d.Label_m, &d.m_input}})
            shown += l->backColor == kRed && t->backColor == kRed                            ? 'r'
                     : l->backColor == 0x00C0FFC0 && t->backColor == kSystemWindowBackground ? '.'
                                                                                             : '?';
        return shown;
    };
    program.flow.seedSource = [] { return 3u; };
    for (const Opening& o : openings) {
        SCOPED_TRACE(o.shown + " then " + o.x + " " + o.y + " " + o.m);
        if (o.level) (*form.menuNode(form.*o.level).click)();
        leftClick(1, 1);
        const Game before = game;
        const int beepsBefore = host.beeps;
        const bool bad = o.colours != "...";
        std::string shown, after;
        host.onModal = [&](Window& w) {
            auto& d = dynamic_cast<BenDefiniert&>(w);
            shown = d.x_input.text + " " + d.y_input.text + " " + d.m_input.text + " " + colours(d);
            d.x_input.text = o.x;
            d.y_input.text = o.y;
            d.m_input.text = o.m;
            d.OKButton_Click();
            EXPECT_EQ(d.loaded, bad);
            after = colours(d);
            if (d.loaded) d.CancelButton_Click();
        };
        form.benutzerdefiniert_Click();
        EXPECT_EQ(std::tie(shown, game.x_game, game.no_mines_game),
                  std::tuple(o.shown + " ...", o.widthAfter, o.minesAfter));
        EXPECT_EQ(after, o.colours);
        EXPECT_EQ(host.beeps - beepsBefore, std::count(o.colours.begin(), o.colours.end(), 'r'));
        for (const MenuItem* level : {&form.Anfänger, &form.Fortgeschrittene, &form.benutzerdefiniert})
            EXPECT_EQ(level->checked, level == &(form.*o.checked));
        // Cancelled, the game in play goes on as it was.
        EXPECT_TRUE(bad ? game == before : game.level == Level::Custom && countCells(isVisible) == 0);
    }
}

}  // namespace
}  // namespace gravlin
