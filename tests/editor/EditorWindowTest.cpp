// The editor's window driven as a user would: start-up, palette paging,
// painting by click and drag, fill, grid, help and the keyboard shortcuts.

#include "EditorFixture.h"
#include "world/CellCodes.h"

#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

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

    ASSERT_TRUE(WriteTextList(AppDir + "/gravlin.HTML",
                              {"<html><body><p>intro</p><h2><a name=\"topic100\"></a>Painting</h2></body></html>"}));
    f.btnHelpClick();
    ASSERT_NE(f.HelpBrowser, nullptr);
    EXPECT_EQ(f.HelpBrowser->source().fragment(), "topic100");
    EXPECT_TRUE(f.HelpBrowser->toPlainText().contains("Painting"));
    EXPECT_EQ(dialogs.Log.size(), 1u);
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
