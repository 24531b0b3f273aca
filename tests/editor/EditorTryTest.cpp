// Trying the map from the editor: "is it winnable?" runs the game folder's
// solver with a time limit while the window stays usable, and test play runs
// the game on the map (here on SDL's dummy drivers) and says how it ended.

#include "EditorFixture.h"
#include "common/TextLists.h"
#include "world/CellCodes.h"

#include <QElapsedTimer>
#include <QListWidget>
#include <QProcess>
#include <QTest>
#include <csignal>

namespace gravlin {
namespace {

class EditorTryTest : public EditorTest {
  protected:
    TfrmMain& StartWithTheGame() {
        TfrmMain& f = Start();
        f.GameProgram = GRAVLIN_GAME_DIR "/Gravlin";
        f.SolverProgram = GRAVLIN_GAME_DIR "/gravlin-solve";
        // The game runs without a screen or a sound card, and reads no
        // settings of the user's.
        qputenv("SDL_VIDEODRIVER", "dummy");
        qputenv("SDL_AUDIODRIVER", "dummy");
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(AppDir + "/config"));
        return f;
    }
    bool WaitForMessage(const std::string& start, int milliseconds) {
        return QTest::qWaitFor([&] { return form->StatusMessage.rfind(start, 0) == 0; }, milliseconds);
    }
};

TEST_F(EditorTryTest, AShippedLevelIsWinnableAndTestPlayWatchesTheSolutionWin) {
    TfrmMain& f = StartWithTheGame();
    dialogs.OpenChoices.push_back(GRAVLIN_GAME_DIR "/maps/Level001.bkg");
    f.btnOpenClick();
    ASSERT_EQ(f.LevelName, "Level001");
    f.show();
    QApplication::setActiveWindow(&f);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    QTest::keyClick(&f, Qt::Key_F6);
    EXPECT_EQ(f.StatusMessage, "Searching for a solution (up to 20 s)...");
    ASSERT_TRUE(WaitForMessage("Winnable:", 30000)) << f.StatusMessage;
    // Level 1's solution wins at frame 242, after 4.0 s of play.
    EXPECT_EQ(f.StatusMessage.rfind("Winnable: a solution of 4.0 s of play, found in ", 0), 0u) << f.StatusMessage;
    EXPECT_NE(f.StatusMessage.find("s (F5 can watch it)"), std::string::npos) << f.StatusMessage;

    // F5 offers to watch it; the game plays it to the win.
    dialogs.Answers.push_back(PromptAnswer::Yes);
    QTest::keyClick(&f, Qt::Key_F5);
    EXPECT_NE(dialogs.Log.back().find("Watch the solution"), std::string::npos) << dialogs.Log.back();
    EXPECT_EQ(f.GameProcess->state() == QProcess::NotRunning, false);
    // The editor stays usable meanwhile.
    Choose(Rock);
    PaintAt(7, 7);
    EXPECT_EQ(f.MapCodes[7 * 16 + 7], Rock);
    ASSERT_TRUE(WaitForMessage("Test play: ", 30000)) << f.StatusMessage;
    EXPECT_EQ(f.StatusMessage, "Test play: the level was won");
    // The map has changed since: F5 plays it without asking.
    dialogs.Log.clear();
    dialogs.Answers.push_back(PromptAnswer::Yes);
    f.btnTestPlayClick();
    EXPECT_TRUE(dialogs.Log.empty());
    EXPECT_EQ(f.StatusMessage, "Test play in the game (Escape there gives up)");
}

TEST_F(EditorTryTest, AWalledInDiamondHasNoSolutionWithinTheTimeLimitAndClosingEndsTheSearch) {
    TfrmMain& f = StartWithTheGame();
    // A field of earth and rocks (much to search) with the one diamond
    // walled in.
    f.btnNewClick();
    Choose(Earth);
    f.btnFillClick();
    Choose(Rock);
    for (auto [col, row] : {std::pair{3, 3}, {5, 2}, {7, 4}, {9, 2}, {11, 3}, {4, 7}, {8, 8}, {12, 6}})
        PaintAt(col, row);
    Choose(StaticWall);
    for (int col = 11; col <= 13; ++col)
        for (int row = 8; row <= 10; ++row) PaintAt(col, row);
    Choose(Diamond);
    PaintAt(12, 9);
    Choose(PlayerStart);
    PaintAt(1, 1);
    Choose(Book);
    PaintAt(14, 10);
    EXPECT_EQ(f.lstChecks->item(0)->text(), "Diamond (6) at (12, 9): walled off from the player");

    f.SolveTimeLimit = 2;
    QElapsedTimer clock;
    clock.start();
    f.btnWinnableClick();
    ASSERT_TRUE(WaitForMessage("No solution", 15000)) << f.StatusMessage;
    EXPECT_EQ(f.StatusMessage, "No solution found in 2 s (that is not a proof)");
    EXPECT_GE(clock.elapsed(), 2000);
    EXPECT_LT(clock.elapsed(), 6000);

    // A search running when the editor closes ends with it.
    f.SolveTimeLimit = 20;
    f.btnWinnableClick();
    ASSERT_EQ(f.SolverProcess->state() == QProcess::NotRunning, false);
    const qint64 solver = f.SolverProcess->processId();
    dialogs.Answers.push_back(PromptAnswer::No);
    EXPECT_TRUE(f.close());
    EXPECT_EQ(f.SolverProcess->state(), QProcess::NotRunning);
    EXPECT_NE(::kill(static_cast<pid_t>(solver), 0), 0);
}

} // namespace
} // namespace gravlin
