#pragma once
// A started program on a fake host, and hand-made positions drawn as text, rows top to bottom:
//   '.' covered free cell   '*' covered mine   'o' uncovered free cell   'M' mine marked by the solver

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fake_host.h"
#include "gravlin/app/program.h"
#include "recording_engine.h"

namespace gravlin {

class GameTest : public ::testing::Test {
  protected:
    void SetUp() override { program.start(); }

    CommandButton& cell(int x, int y) { return form.Command1.at(form.cellIndex(x, y)); }
    std::int16_t index(int x, int y) const {
        return form.GetLinear(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
    }
    void leftClick(int x, int y) { form.Command1_MouseDown(index(x, y), Form1::LeftButton, 0, 0, 0); }
    void rightClick(int x, int y) { form.Command1_MouseDown(index(x, y), Form1::RightButton, 0, 0, 0); }

    void newGame(int width, int height, int mines) {
        form.x_actual = static_cast<std::int16_t>(width);
        form.y_actual = static_cast<std::int16_t>(height);
        form.no_mines_actual = static_cast<std::int16_t>(mines);
        form.InitGame();
        program.field.Feldaufbau_Click();
    }

    // Starts a game with the mines placed as drawn; opened and marked cells look and count as
    // they would in play. Statistics start from zero.
    void setPosition(const std::vector<std::string>& rows) {
        auto at = [&rows](int x, int y) {
            return rows[static_cast<std::size_t>(y - 1)][static_cast<std::size_t>(x - 1)];
        };
        int mines = 0;
        for (const auto& row : rows)
            mines += static_cast<int>(
                std::count_if(row.begin(), row.end(), [](char c) { return c == '*' || c == 'M'; }));
        newGame(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()), mines);
        form.forEachCell([&](int x, int y) {
            form.is_mine(x, y) = at(x, y) == '*' || at(x, y) == 'M';
            form.marked(x, y) = at(x, y) == 'M';
            form.visible(x, y) = at(x, y) == 'o' || at(x, y) == 'M';
        });
        form.countMinesOfEveryCell();
        form.forEachCell([&](int x, int y) {
            form.rest_around(x, y) = static_cast<std::int16_t>(
                form.mines_around(x, y) -
                form.CountMinesVAround(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)));
            if (!form.visible(x, y)) return;
            --form.covered_left;
            CommandButton& b = cell(x, y);
            b.caption = form.marked(x, y)         ? "M"
                        : form.mines_around(x, y) ? std::to_string(form.mines_around(x, y))
                                                  : "";
            if (form.marked(x, y)) return;
            b.raised = false;
            b.backColor = kWhite;
        });
        form.RefreshCoveredTooltip();
        form.save_mine.enabled = form.save.enabled = true;
        form.InitStat();
    }

    int countCells(bool (*pred)(const Form1&, int, int)) const {
        int n = 0;
        form.forEachCell([&](int x, int y) { n += pred(form, x, y); });
        return n;
    }

    testing::FakeHost host;
    testing::RecordingEngine engine;
    Program program{host, &engine};
    Form1& form = program.form;
};

inline constexpr auto isMine = [](const Form1& f, int x, int y) { return f.is_mine(x, y); };
inline constexpr auto isVisible = [](const Form1& f, int x, int y) { return f.visible(x, y); };
inline constexpr auto isMarked = [](const Form1& f, int x, int y) { return f.marked(x, y); };

}  // namespace gravlin
