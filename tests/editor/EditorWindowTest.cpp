// The editor's window driven as a user would: start-up, palette paging,
// painting by click and drag, fill, grid, help and the keyboard shortcuts.

#include "EditorFixture.h"
#include "world/CellCodes.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolTip>
#include <QWheelEvent>

namespace gravlin {
namespace {

using EditorStartTest = EditorTest;

TEST_F(EditorStartTest, FindsItsFilesWithoutRegardToCaseAndStartsEmpty) {
    TfrmMain& f = Start();
    EXPECT_TRUE(dialogs.Log.empty());
    EXPECT_EQ(f.TilesPerRow, 16);
    EXPECT_EQ(f.PaletteList, TestPalette);
    EXPECT_EQ(f.SheetBitmap.size(), QSize(640, 480));
    EXPECT_EQ(f.windowTitle(), "EDITOR");
    EXPECT_EQ(f.size(), QSize(800, 600));
    for (int code : f.MapCodes) EXPECT_EQ(code, 0);
    // The map takes no mouse input before New or Open.
    EXPECT_FALSE(f.iMap->isEnabled());
    QTest::mouseClick(f.iMap, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_EQ(f.PaintCount, 0);
    EXPECT_FALSE(f.Modified);
    // The window's parts sit where the form puts them.
    EXPECT_EQ(f.btnGrid->geometry(), QRect(577, 2, 85, 41));
    EXPECT_EQ(f.btnGrid->text(), "Show &Grid");
    EXPECT_EQ(f.iMap->mapTo(&f, QPoint(0, 0)), QPoint(24 + 2, 45 + 21 + 2));
    EXPECT_EQ(f.btnDown->geometry(), QRect(737, 477, 34, 28));
}

TEST_F(EditorStartTest, MissingOrDamagedFilesAreNamedAndStopTheStart) {
    for (const char* name : {"all256.HDR", "MAPBMPS.hdr", "All256.DIB"}) {
        SetUp();
        QFile::remove(QString::fromStdString(AppDir + "/Surfaces/" + name));
        dialogs.Log.clear();
        TfrmMain f(AppDir, dialogs);
        EXPECT_FALSE(f.FormShow()) << name;
        ASSERT_EQ(dialogs.Log.size(), 1u);
        EXPECT_NE(dialogs.Log[0].find(AppDir + "/Surfaces/"), std::string::npos) << dialogs.Log[0];
        std::string asked = std::string(name) == "all256.HDR"    ? "All256.hdr"
                            : std::string(name) == "MAPBMPS.hdr" ? "MapBmps.hdr"
                                                                 : "All256.dib";
        EXPECT_NE(dialogs.Log[0].find("\"" + asked + "\""), std::string::npos) << dialogs.Log[0];
    }
    SetUp();
    ASSERT_TRUE(WriteTextList(AppDir + "/Surfaces/MAPBMPS.hdr", {"1", "6", "rock"}));
    dialogs.Log.clear();
    TfrmMain f(AppDir, dialogs);
    EXPECT_FALSE(f.FormShow());
    ASSERT_EQ(dialogs.Log.size(), 1u);
    EXPECT_NE(dialogs.Log[0].find("line 3"), std::string::npos) << dialogs.Log[0];
}

using EditorPaletteTest = EditorTest;

TEST_F(EditorPaletteTest, PagingThroughTwentyFiveEntries) {
    TfrmMain& f = Start();
    EXPECT_EQ(f.PaletteTop, 0);
    EXPECT_FALSE(f.btnUp->isEnabled());
    EXPECT_TRUE(f.btnDown->isEnabled());
    EXPECT_EQ(f.iBmp->Canvas.pixel(45, 365), TileColour(TestPalette[19]));

    QTest::mouseClick(f.btnDown, Qt::LeftButton);
    EXPECT_EQ(f.PaletteTop, 6);
    EXPECT_TRUE(f.btnUp->isEnabled());
    EXPECT_FALSE(f.btnDown->isEnabled());
    // Entries 6 to 24 fill slots 0 to 18; the last slot is blank (tile 0).
    EXPECT_EQ(f.iBmp->Canvas.pixel(5, 5), TileColour(TestPalette[6]));
    EXPECT_EQ(f.iBmp->Canvas.pixel(5, 365), TileColour(TestPalette[24]));
    EXPECT_EQ(f.iBmp->Canvas.pixel(45, 365), TileColour(0));

    QTest::mouseClick(f.btnUp, Qt::LeftButton);
    EXPECT_EQ(f.PaletteTop, 0);
    EXPECT_FALSE(f.btnUp->isEnabled());
    EXPECT_TRUE(f.btnDown->isEnabled());
}

TEST_F(EditorPaletteTest, ChoosingATileAndClickingABlankSlot) {
    TfrmMain& f = Start();
    f.btnNewClick();
    f.btnDownClick();
    // Slot 4 (column 0, row 2) holds entry 10: tile 64.
    QTest::mouseClick(f.iBmp, Qt::RightButton, {}, QPoint(10, 90));
    EXPECT_EQ(f.CurrentTile, 64);
    EXPECT_EQ(f.iCurrBmp->Canvas.pixel(20, 20), TileColour(64));
    // The blank last slot lies past the end of the list: nothing changes.
    QTest::mouseClick(f.iBmp, Qt::LeftButton, {}, QPoint(60, 390));
    EXPECT_EQ(f.CurrentTile, 64);
    EXPECT_EQ(f.iCurrBmp->Canvas.pixel(20, 20), TileColour(64));
}

TEST_F(EditorPaletteTest, SlotsNameTheirTilesTheChosenOneIsFramedAndTheWheelPages) {
    TfrmMain& f = Start();
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    f.btnNewClick();
    // Slot 1 holds entry 1, earth; the blank slots past the list have no tip.
    QHelpEvent tip(QEvent::ToolTip, QPoint(45, 5), f.iBmp->mapToGlobal(QPoint(45, 5)));
    QApplication::sendEvent(f.iBmp, &tip);
    EXPECT_EQ(QToolTip::text(), "Earth (1)");
    EXPECT_EQ(f.PaletteToolTip(5, 6 * 40 + 5), "Rock (77)");
    f.btnDownClick();
    EXPECT_EQ(f.PaletteToolTip(45, 9 * 40 + 5), "");
    f.btnUpClick();

    // The chosen slot is framed, on its page only.
    QTest::mouseClick(f.iBmp, Qt::LeftButton, {}, QPoint(45, 6 * 40 + 5)); // entry 13, wall
    EXPECT_EQ(f.CurrentTile, StaticWall);
    EXPECT_EQ(f.iBmp->Highlight, QRect(40, 240, 40, 40));
    auto wheel = [&](int angle) {
        QWheelEvent event(QPointF(20, 20), f.iBmp->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, angle),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(f.iBmp, &event);
    };
    // A notch towards the user pages down, as the down button does.
    wheel(-120);
    EXPECT_EQ(f.PaletteTop, 6);
    EXPECT_EQ(f.iBmp->Highlight, QRect(40, 120, 40, 40));
    wheel(-120); // the last entry is in view: no further
    EXPECT_EQ(f.PaletteTop, 6);
    wheel(60);
    EXPECT_EQ(f.PaletteTop, 6); // half a notch does not page
    wheel(60);
    EXPECT_EQ(f.PaletteTop, 0);
    Choose(Diamond);
    f.btnDownClick();
    EXPECT_TRUE(f.iBmp->Highlight.isEmpty()); // entry 2 is above the page
}

using EditorPaintTest = EditorTest;

TEST_F(EditorPaintTest, DragPaintsEachInteriorCellOnceAndNeverTheBorder) {
    TfrmMain& f = Start();
    f.btnNewClick();
    Choose(Earth);
    auto before = f.MapCodes;

    // Along row 1, from the border cell on the left to past the right edge.
    QTest::mousePress(f.iMap, Qt::LeftButton, {}, QPoint(5, 60));
    for (int x = 5; x < 700; x += 3) QTest::mouseMove(f.iMap, QPoint(x, 60));
    QTest::mouseRelease(f.iMap, Qt::LeftButton, {}, QPoint(699, 60));
    EXPECT_EQ(f.PaintCount, 14);
    EXPECT_FALSE(f.MouseHeld);
    for (int i = 0; i < 192; ++i) {
        int expected = i >= 17 && i <= 30 ? Earth : before[static_cast<std::size_t>(i)];
        EXPECT_EQ(f.MapCodes[static_cast<std::size_t>(i)], expected) << i;
    }
    EXPECT_EQ(f.iMap->Canvas.pixel(100, 60), TileColour(Earth));
    EXPECT_EQ(f.iMap->Canvas.pixel(5, 60), TileColour(BorderWall));
    EXPECT_TRUE(f.Modified);
    EXPECT_EQ(f.windowTitle(), "EDITOR - Untitled *");

    // Down the left border column and along the bottom row: nothing.
    int painted = f.PaintCount;
    QTest::mousePress(f.iMap, Qt::LeftButton, {}, QPoint(10, 10));
    for (int y = 10; y < 480; y += 7) QTest::mouseMove(f.iMap, QPoint(10, y));
    for (int x = 10; x < 640; x += 7) QTest::mouseMove(f.iMap, QPoint(x, 470));
    QTest::mouseRelease(f.iMap, Qt::LeftButton, {}, QPoint(630, 470));
    EXPECT_EQ(f.PaintCount, painted);

    // Moving without a button held paints nothing.
    f.iMapMouseMove(300, 300);
    EXPECT_EQ(f.PaintCount, painted);
}

TEST_F(EditorPaintTest, ANewStrokeRepaintsTheCellTheLastStrokeEndedIn) {
    TfrmMain& f = Start();
    f.btnNewClick();
    Choose(Earth);
    PaintAt(3, 1);
    Choose(Diamond);
    // Press on the border above, then drag down into the same cell.
    f.iMapMouseDown(3 * 40 + 20, 20);
    f.iMapMouseMove(3 * 40 + 20, 60);
    f.iMapMouseUp();
    EXPECT_EQ(f.MapCodes[16 + 3], Diamond);
}

TEST_F(EditorPaintTest, RightButtonPaints) {
    TfrmMain& f = Start();
    f.btnNewClick();
    Choose(Rock);
    QTest::mouseClick(f.iMap, Qt::RightButton, {}, QPoint(5 * 40 + 3, 7 * 40 + 39));
    EXPECT_EQ(f.MapCodes[7 * 16 + 5], Rock);
    EXPECT_EQ(f.PaintCount, 1);
}

TEST_F(EditorPaintTest, FillWithEarthKeepsTheBorderAndTheModifiedState) {
    TfrmMain& f = Start();
    f.btnNewClick();
    Choose(Earth);
    f.btnFillClick();
    LevelCodes expected;
    expected.fill(Earth);
    ForceBorderRing(expected);
    EXPECT_EQ(f.MapCodes, expected);
    EXPECT_FALSE(f.Modified);
    EXPECT_EQ(f.iMap->Canvas.pixel(14 * 40 + 39, 10 * 40 + 39), TileColour(Earth));
    EXPECT_EQ(f.iMap->Canvas.pixel(15 * 40 + 5, 10 * 40 + 5), TileColour(BorderWall));

    PaintAt(4, 4);
    ASSERT_TRUE(f.Modified);
    f.btnFillClick();
    EXPECT_TRUE(f.Modified);
}

TEST_F(EditorPaintTest, AFastDragPaintsEveryCellItCrossedButNeverTheBorder) {
    TfrmMain& f = Start();
    f.btnNewClick();
    Choose(Rock);
    auto before = f.MapCodes;
    // From the left border to the right one along row 5 in one move, then
    // down a diagonal in another: every interior cell on the way, once.
    QTest::mousePress(f.iMap, Qt::LeftButton, {}, QPoint(5, 5 * 40 + 20));
    QTest::mouseMove(f.iMap, QPoint(15 * 40 + 20, 5 * 40 + 20));
    QTest::mouseMove(f.iMap, QPoint(10 * 40 + 20, 10 * 40 + 20));
    QTest::mouseRelease(f.iMap, Qt::LeftButton, {}, QPoint(10 * 40 + 20, 10 * 40 + 20));
    EXPECT_EQ(f.PaintCount, 14 + 5); // (15, 5) is border; then (14, 6) to (10, 10)
    auto expected = before;
    for (int col = 1; col <= 14; ++col) expected[static_cast<std::size_t>(5 * 16 + col)] = Rock;
    for (int k = 1; k <= 5; ++k) expected[static_cast<std::size_t>((5 + k) * 16 + 15 - k)] = Rock;
    EXPECT_EQ(f.MapCodes, expected);
    EXPECT_EQ(f.iMap->Canvas.pixel(7 * 40 + 5, 5 * 40 + 5), TileColour(Rock));
    // The whole stroke is one step.
    f.Undo();
    EXPECT_EQ(f.MapCodes, before);
    EXPECT_EQ(f.iMap->Canvas.pixel(7 * 40 + 5, 5 * 40 + 5), TileColour(Empty));
}

TEST_F(EditorPaintTest, UndoAndRedoWalkStrokesAndFillsAndTheMarkFollowsTheSavedMap) {
    TfrmMain& f = Start();
    f.show();
    QApplication::setActiveWindow(&f);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    NewPlayableMap();
    const auto playable = f.MapCodes;
    dialogs.SaveChoices.push_back(MapsDir + "mine.bkg");
    ASSERT_TRUE(f.btnSaveAsClick());
    EXPECT_EQ(f.windowTitle(), "EDITOR - mine");

    // A stroke, then a Fill: the Fill leaves the mark as it was.
    Choose(Diamond);
    QTest::mousePress(f.iMap, Qt::LeftButton, {}, QPoint(5 * 40 + 5, 5 * 40 + 5));
    QTest::mouseMove(f.iMap, QPoint(7 * 40 + 5, 5 * 40 + 5));
    QTest::mouseRelease(f.iMap, Qt::LeftButton, {}, QPoint(7 * 40 + 5, 5 * 40 + 5));
    const auto stroked = f.MapCodes;
    EXPECT_EQ(f.windowTitle(), "EDITOR - mine *");
    Choose(Earth);
    f.btnFillClick();
    LevelCodes filled;
    filled.fill(Earth);
    ForceBorderRing(filled);
    EXPECT_EQ(f.MapCodes, filled);
    EXPECT_TRUE(f.Modified);

    // Ctrl+Z undoes the Fill, then the stroke: back at the saved map, the
    // mark goes; Ctrl+Y and Ctrl+Shift+Z redo, and it comes back.
    QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.MapCodes, stroked);
    EXPECT_EQ(f.iMap->Canvas.pixel(6 * 40 + 5, 1 * 40 + 5), TileColour(Empty));
    EXPECT_EQ(f.iMap->Canvas.pixel(6 * 40 + 5, 5 * 40 + 5), TileColour(Diamond));
    QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.MapCodes, playable);
    EXPECT_FALSE(f.Modified);
    EXPECT_EQ(f.windowTitle(), "EDITOR - mine");
    // Further back, the book painted before the save goes: the map differs
    // from the saved one again.
    QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.MapCodes[9 * 16 + 12], Empty);
    EXPECT_EQ(f.windowTitle(), "EDITOR - mine *");
    QTest::keyClick(&f, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(f.MapCodes, playable);
    EXPECT_EQ(f.windowTitle(), "EDITOR - mine");
    QTest::keyClick(&f, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(f.MapCodes, stroked);
    EXPECT_EQ(f.windowTitle(), "EDITOR - mine *");
    QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(f.MapCodes, filled);

    // On the saved map a Fill does not mark it by itself, and its undo
    // returns to the saved map; its redo is a step away from the saved map
    // like any other, and marks it.
    f.Undo();
    f.Undo();
    ASSERT_EQ(f.MapCodes, playable);
    EXPECT_FALSE(f.Modified);
    Choose(Rock);
    f.btnFillClick();
    EXPECT_EQ(f.MapCodes[3 * 16 + 3], Rock);
    EXPECT_FALSE(f.Modified);
    f.Undo();
    EXPECT_EQ(f.MapCodes, playable);
    EXPECT_FALSE(f.Modified);
    f.Redo();
    EXPECT_EQ(f.MapCodes[3 * 16 + 3], Rock);
    EXPECT_TRUE(f.Modified);

    // New starts a fresh history.
    dialogs.Answers.push_back(PromptAnswer::No);
    f.btnNewClick();
    f.Undo();
    EXPECT_EQ(f.MapCodes[5 * 16 + 5], Empty);
    EXPECT_EQ(f.windowTitle(), "EDITOR - Untitled");
}

TEST_F(EditorPaintTest, TheStatusLineAndTheLiveCheckFollowEveryChange) {
    TfrmMain& f = Start();
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    EXPECT_EQ(f.StatusText(), "Tile: Empty (0)"); // no map, nothing checked
    EXPECT_EQ(f.lstChecks->count(), 0);
    NewPlayableMap();
    Choose(Diamond);
    PaintAt(6, 6);
    EXPECT_EQ(f.StatusText(), "Tile: Diamond (6)   |   No problems");
    EXPECT_EQ(f.lstChecks->item(0)->text(), "No problems found");

    // A second player start and a teleport without its exit: two problems,
    // listed, and counted in the status line.
    Choose(PlayerStart);
    PaintAt(4, 3);
    Choose(TeleportEntrance1);
    PaintAt(9, 4);
    QTest::mouseMove(f.iMap, QPoint(9 * 40 + 30, 4 * 40 + 2));
    EXPECT_EQ(f.StatusText(), "Cell (9, 4): Teleport entrance 1 (105)   |   Tile: Teleport entrance 1 (105)   |   "
                              "2 problems");
    EXPECT_EQ(f.lblStatus->toolTip(), f.StatusText());
    ASSERT_EQ(f.lstChecks->count(), 2);
    EXPECT_EQ(f.lstChecks->item(0)->text(), "Player start (24): 2 on the map, at (2, 2), (4, 3)");
    EXPECT_EQ(f.lstChecks->item(1)->text(),
              "Teleport entrance 1 (105) at (9, 4): no Teleport exit 1 (110) inside the border");
    // Only the three save checks stop a save.
    dialogs.SaveChoices.push_back(MapsDir + "two.bkg");
    EXPECT_TRUE(f.btnSaveAsClick());
    EXPECT_EQ(f.StatusText().toStdString(), "Cell (9, 4): Teleport entrance 1 (105)   |   Tile: Teleport entrance 1 "
                                            "(105)   |   2 problems   |   Saved as " +
                                                MapsDir + "two.bkg");
    // Undoing is a change like any other; leaving the map forgets the cell.
    f.Undo();
    EXPECT_EQ(f.lstChecks->count(), 1);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(f.iMap, &leave);
    EXPECT_TRUE(f.StatusText().startsWith("Tile: Teleport entrance 1 (105)   |   1 problem   |   Saved"))
        << f.StatusText().toStdString();
}

TEST_F(EditorPaintTest, GridShowsAndHidesWithoutTouchingTheMap) {
    TfrmMain& f = Start();
    f.btnNewClick();
    Choose(Earth);
    PaintAt(1, 1);
    auto codes = f.MapCodes;
    QRgb grey = qRgb(128, 128, 128);
    auto greyOnLine = [&] {
        int count = 0;
        for (int y = 0; y < 480; ++y) count += f.iMap->Canvas.pixel(40, y) == grey;
        return count;
    };

    f.btnGridClick();
    EXPECT_TRUE(f.GridShown);
    EXPECT_EQ(f.btnGrid->text(), "&&Grid Off");
    int dashes = greyOnLine();
    EXPECT_GT(dashes, 100);
    EXPECT_LT(dashes, 480); // dashed, not solid
    // Painting a cell draws the lines again over it.
    PaintAt(1, 2);
    EXPECT_EQ(greyOnLine(), dashes);

    f.btnGridClick();
    EXPECT_FALSE(f.GridShown);
    EXPECT_EQ(f.btnGrid->text(), "Show &&Grid");
    EXPECT_EQ(greyOnLine(), 0);
    codes[2 * 16 + 1] = Earth;
    EXPECT_EQ(f.MapCodes, codes);
    EXPECT_TRUE(f.Modified);

    // The grid works before any map exists and never marks the map changed.
    Start();
    form->btnGridClick();
    form->btnGridClick();
    EXPECT_FALSE(form->Modified);
}

TEST_F(EditorPaintTest, HelpOpensAtTheFirstTopicOrSaysItIsMissing) {
    TfrmMain& f = Start();
    f.btnHelpClick();
    ASSERT_EQ(dialogs.Log.size(), 1u);
    EXPECT_NE(dialogs.Log[0].find("Gravlin.html"), std::string::npos);
    EXPECT_EQ(f.HelpBrowser, nullptr);

    // A page whose topic lies far below its start, and far above its end.
    std::string page = "<html><body>";
    for (int i = 0; i < 80; ++i) page += "<p>intro " + std::to_string(i) + "</p>";
    page += "<h2><a name=\"topic100\"></a>Painting</h2>";
    for (int i = 0; i < 80; ++i) page += "<p>more " + std::to_string(i) + "</p>";
    ASSERT_TRUE(WriteTextList(AppDir + "/gravlin.HTML", {page + "</body></html>"}));
    // F1 opens it too, with the topic's title in view.
    f.show();
    QApplication::setActiveWindow(&f);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    QTest::keyClick(&f, Qt::Key_F1);
    ASSERT_NE(f.HelpBrowser, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.HelpBrowser));
    EXPECT_EQ(f.HelpBrowser->source().fragment(), "topic100");
    QTextCursor title = f.HelpBrowser->document()->find("Painting");
    ASSERT_FALSE(title.isNull());
    QRect seen = f.HelpBrowser->cursorRect(title);
    EXPECT_GE(seen.top(), 0);
    EXPECT_LE(seen.bottom(), f.HelpBrowser->viewport()->height());
    EXPECT_GT(f.HelpBrowser->verticalScrollBar()->value(), 0);
    EXPECT_EQ(dialogs.Log.size(), 1u);
    // Escape closes it.
    QApplication::setActiveWindow(f.HelpBrowser);
    QTest::keyClick(f.HelpBrowser, Qt::Key_Escape);
    EXPECT_FALSE(f.HelpBrowser->isVisible());
}

TEST_F(EditorPaintTest, ControlKeysRunNewOpenAndSave) {
    TfrmMain& f = Start();
    f.show();
    QApplication::setActiveWindow(&f);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    QTest::keyClick(&f, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(f.LevelName, UntitledMarker);
    QTest::keyClick(&f, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs.Log.size(), 2u); // the save checks' two messages
    QTest::keyClick(&f, Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(dialogs.Log.size(), 3u);
    EXPECT_EQ(dialogs.Log[2], "open dialog in " + MapsDir);
    // The mnemonic of the New button works too.
    f.LevelName.clear();
    EXPECT_EQ(f.btnNew->shortcut(), QKeySequence(Qt::ALT | Qt::Key_N)) << f.btnNew->shortcut().toString().toStdString();
    QTest::keyClick(&f, Qt::Key_N, Qt::AltModifier);
    // A mnemonic shows the button pressed for a moment, then clicks it.
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.LevelName == UntitledMarker; }, 2000));
}

} // namespace
} // namespace gravlin
