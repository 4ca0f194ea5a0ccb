#pragma once
// The game: the board and every fact the rules read or write, with the procedures that
// change them. It knows no window. The main window's controls show it (app/ brings them in
// line after every command), and nothing here reads a control back.

#include <cstdint>
#include <string>

#include "gravlin/color.h"
#include "gravlin/game/board_state.h"

namespace gravlin {

// The face on the new-game button.
enum class Face : std::uint8_t { Normal, Working, Won, Lost };

// The level whose menu item carries the check mark; at most one does.
enum class Level : std::uint8_t { None, Beginner, Intermediate, Expert, Custom };

// What a cell shows the player. It has a history of its own that the facts do not tell (a
// colour lasts until something paints over it), so the game keeps it beside them.
struct CellLook {
    // " " while covered, the number of mines around once uncovered (nothing for 0), "M".
    enum class Caption : std::uint8_t { Covered, Count, Mark };
    Caption caption = Caption::Covered;
    Color color = kSystemButtonFace;
    bool raised = true;
    bool operator==(const CellLook&) const = default;
};

// The colours of the end of a game and of showing all mines.
inline constexpr Color kMagenta = 0x00FF00FF;
inline constexpr Color kGreen = 0x0000C000;

class Game : public BoardState {
  public:
    // ---- facts beside the board ----------------------------------------------------------
    // The mines of this game lie where they are: the first click places none.
    bool minesPlaced = false;
    // Light green: the equations proved the cell free; the sweep opens it.
    Grid<bool> provenFree;
    Grid<CellLook> look;
    // The remaining mines as last counted: by PrintRestMinen (a new game, the end of every
    // solver run, a load), and 0 when the game is won. Marks set in the middle of a run
    // count only when the run ends; the total sum of the equations takes it from here.
    std::int16_t remainingMines = 0;
    // The game was lost; it may be continued until a new game starts or it is won.
    bool lost = false;
    bool showAllMines = false;
    bool peekMode = false;
    bool autoPlay = false;
    Level level = Level::None;
    // The mine probabilities may be asked for: a solve found no free cell since the last
    // new game, accepted left click or showing of the probabilities.
    bool probabilitiesOffered = false;
    Face face = Face::Normal;
    // The line of the status bar.
    std::string status;

    // ---- set-up ------------------------------------------------------------------------
    void SetToDefault();
    // The size of the next game.
    void chooseSize(std::int16_t width, std::int16_t height, std::int16_t mines);
    void InitParms();

    // ---- new game and mine placement ---------------------------------------------------
    // A new game of the chosen size: every fact and every cell afresh. Deleting the trace
    // file and closing the probability window, which a new game also does, are the flow's.
    void InitGame();
    // Places the mines around the cell of `selButton`, from a generator seeded with `seed`.
    void InitMines(const std::int16_t& selButton, std::uint64_t seed);

    // ---- marking and uncovering ---------------------------------------------------------
    bool SetUnvisibleAround(std::int16_t n, std::int16_t m);
    bool UncoverCell(std::int16_t L);

    // ---- end of game and status displays -----------------------------------------------
    // The lost game's beep is the caller's: the game makes no sound.
    void Spielende(bool gewonnen);
    void ShowMines(Color cc);
    void ShowMinesGreen();
    std::int16_t PrintRestMinen();
    // The working face and `busy`; the hourglass and the repaint are WorkScope's.
    void BeginWork();
    void EndWork();

    // ---- commands that change only the game --------------------------------------------
    void loosercont_Click();
    void Solve_Click();
    void spickmodus_Click() { peekMode = !peekMode; }
    void Auto_solve_Click() { autoPlay = !autoPlay; }
    // A board loaded from a file is none of the standard levels; the custom level keeps its
    // check mark.
    void clearStandardLevel();

    bool operator==(const Game&) const = default;

  private:
    void placeMinesUniformly(int x0, int y0, std::uint64_t seed);
};

}  // namespace gravlin
