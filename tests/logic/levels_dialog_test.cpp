// The level menu, the custom field dialog and its number reading.
#include <functional>
#include <string>
#include <tuple>

#include "board_fixture.h"

namespace gravlin {
namespace {

constexpr Color kRangeNormal = 0x00C0FFC0;

// ---- reading numbers ---------------------------------------------------------------------

// Halves round away from zero; anything but one number, or one beyond 16 bits, reads as 0.
TEST(TextToInt, ReadsWhateverIsTypedOrPasted) {
    const std::pair<std::string, int> cases[] = {
        {"  12 ", 12}, {"12abc", 0}, {"-2.5", -3},       {"2,5", 3},
        {"15e-1", 2},  {"32768", 0}, {"-32768", -32768}, {std::string(10000, '9'), 0}};
    for (const auto& [text, expected] : cases) EXPECT_EQ(BenDefiniert::TextToInt(text), expected) << text;
}

// ---- levels ------------------------------------------------------------------------------

// Start-up opens the intermediate board with its level checked, the peek mode and automatic
// play off; choosing a level, also the one checked, starts a new game of its size.
TEST_F(GameTest, EachLevelStartsANewGameOfItsSizeAndCarriesTheOnlyCheckMark) {
    EXPECT_EQ(form.MinesLabel.caption + " " + form.MinesLabel.toolTip, "040 Noch verdeckt: 256");
    EXPECT_TRUE(form.Fortgeschrittene.checked && !form.Anfänger.checked && !form.benutzerdefiniert.checked &&
                game.level == Level::Intermediate);
    EXPECT_FALSE(form.save.enabled || form.save_mine.enabled || form.wahrscheinlichkeiten.enabled ||
                 form.loosercont.enabled || form.Auto_solve.checked || form.spickmodus.checked);
    EXPECT_EQ(std::pair(form.Dummy.geometry.left, form.Dummy.geometry.top), std::pair(-1000.0f, -1000.0f));
    const std::tuple<MenuItem Form1::*, Level, int, int, int, std::string> levels[] = {
        {&Form1::Anfänger, Level::Beginner, 9, 9, 10, "010"},
        {&Form1::Fortgeschrittene, Level::Intermediate, 16, 16, 40, "040"},
        {&Form1::Profis, Level::Expert, 30, 16, 99, "099"}};
    for (const auto& [item, level, w, h, mines, caption] : levels) {
        SCOPED_TRACE(caption);
        leftClick(8, 8);
        (*form.menuNode(form.*item).click)();
        EXPECT_EQ(std::tie(game.x_game, game.y_game, game.no_mines_game, game.x_actual, game.y_actual,
                           game.no_mines_actual, game.covered_left, game.level, form.MinesLabel.caption),
                  std::tuple(w, h, mines, w, h, mines, w * h, level, caption));
        EXPECT_FALSE(game.minesPlaced || form.save_mine.enabled) << "a new game without mines";
        EXPECT_TRUE(cell(w, h).visible && !form.Command1.at(static_cast<std::size_t>(w * h)).visible);
        for (const MenuItem* shown :
             {&form.Anfänger, &form.Fortgeschrittene, &form.Profis, &form.benutzerdefiniert})
            EXPECT_EQ(shown->checked, shown == &(form.*item));
    }
}

// ---- the custom field dialog ----------------------------------------------------------------

class CustomFieldDialog : public GameTest {
  protected:
    // Opens the dialog from the menu; `play` acts in it.
    void open(const std::function<void(BenDefiniert&)>& play) {
        host.onModal = [play](Window& w) { play(dynamic_cast<BenDefiniert&>(w)); };
        form.benutzerdefiniert_Click();
    }
    using Field = std::tuple<Label BenDefiniert::*, TextBox BenDefiniert::*, void (BenDefiniert::*)()>;
    static constexpr Field kFields[] = {
        {&BenDefiniert::Label_x, &BenDefiniert::x_input, &BenDefiniert::x_input_Change},
        {&BenDefiniert::Label_y, &BenDefiniert::y_input, &BenDefiniert::y_input_Change},
        {&BenDefiniert::Label_m, &BenDefiniert::m_input, &BenDefiniert::m_input_Change}};
    // Types `text` into field `i`.
    static void type(BenDefiniert& d, int i, const std::string& text) {
        (d.*std::get<1>(kFields[i])).text = text;
        (d.*std::get<2>(kFields[i]))();
    }
    // Per field x, y, m: 'r' red, '.' in the normal colours, '?' anything else.
    static std::string colours(const BenDefiniert& d) {
        std::string shown;
        for (const auto& [label, box, change] : kFields) {
            const Color l = (d.*label).backColor, t = (d.*box).backColor;
            shown += l == kRed && t == kRed                              ? 'r'
                     : l == kRangeNormal && t == kSystemWindowBackground ? '.'
                                                                         : '?';
        }
        return shown;
    }
};

TEST_F(CustomFieldDialog, TypingInAFieldTurnsOnlyThatFieldBackToNormal) {
    for (int i = 0; i < 3; ++i) {
        open([&](BenDefiniert& d) {
            for (int j = 0; j < 3; ++j) type(d, j, "x");
            d.OKButton_Click();
            type(d, i, "1");
            EXPECT_EQ(colours(d), std::string("rrr").replace(static_cast<std::size_t>(i), 1, "."));
            d.CancelButton_Click();
        });
    }
    EXPECT_EQ(host.beeps, 9);
}

// Each opening shows the last accepted entry in normal colours. OK with a value out of range
// colours each offender red with one beep and keeps the dialog open; Cancel then leaves the
// game as it was. A good OK takes the entry, the mine count capped so that one cell stays free.
TEST_F(CustomFieldDialog, OpeningsShowTheLastAcceptedEntryAndOnlyAGoodOkTakesIt) {
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
        {nullptr, "16 16 40", "10", "2.4", "10", ".r.", 16, 40, standard},
        {nullptr, "16 16 40", "10", "10", "100", "..r", 16, 40, standard},
        {nullptr, "16 16 40", "10", "10", "0", "..r", 16, 40, standard},
        {nullptr, "16 16 40", "30", "24", "99", "...", 30, 99, custom},
        {&Form1::Anfänger, "30 24 99", "50", "50", "5", "rr.", 9, 10, &Form1::Anfänger},
        {nullptr, "30 24 99", "3", "3", "9", "...", 3, 8, custom},
        {nullptr, "3 3 8", "4", "4", "15", "...", 4, 15, custom},
        {nullptr, "4 4 15", "20", "10", "50", "...", 20, 50, custom},
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
        open([&](BenDefiniert& d) {
            shown = d.x_input.text + " " + d.y_input.text + " " + d.m_input.text + " " + colours(d);
            type(d, 0, o.x);
            type(d, 1, o.y);
            type(d, 2, o.m);
            d.OKButton_Click();
            EXPECT_EQ(d.loaded, bad);
            after = colours(d);
            if (d.loaded) d.CancelButton_Click();
        });
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
