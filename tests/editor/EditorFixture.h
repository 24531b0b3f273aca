#pragma once
// A small game folder for the editor (a generated tile sheet, its header and
// a palette list of 25 entries), dialogs that answer from prepared queues and
// log every question, and a window started on that folder.

#include "common/Files.h"
#include "common/TextLists.h"
#include "editor/EditorDialogs.h"
#include "editor/EditorMap.h"
#include "editor/TfrmMain.h"
#include "presentation/Bmp.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <deque>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace gravlin {

// Qt needs one application object; the offscreen platform needs no screen.
inline void EnsureApplication() {
    if (QApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "editor_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

// The palette list of the test folder: 25 entries.
inline const std::vector<int> TestPalette = {0,  1,   6,   12,  20,  21,  22,  23,  24,  62,  64,  68, 77,
                                             97, 104, 105, 110, 127, 128, 129, 130, 133, 134, 135, 136};

// The colour every pixel of tile t has on the generated sheet (16 tiles a
// row, 12 rows): palette index t % 255 + 1.
inline Palette TestColours() {
    Palette colours{};
    for (int i = 0; i < 256; ++i)
        colours[static_cast<std::size_t>(i)] = Rgb{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                                                   static_cast<std::uint8_t>((i * 7) % 256)};
    return colours;
}

inline QRgb TileColour(int tile) {
    Rgb c = TestColours()[static_cast<std::size_t>(tile % 255 + 1)];
    return qRgb(c.R, c.G, c.B);
}

class FakeDialogs : public EditorDialogs {
  public:
    std::vector<std::string> Log;
    std::deque<PromptAnswer> Answers;
    std::deque<bool> YesNoAnswers;
    std::deque<std::optional<std::string>> OpenChoices;
    std::deque<std::optional<std::string>> SaveChoices;
    std::vector<std::string> SavePresets;

    PromptAnswer AskYesNoCancel(const std::string& text) override {
        Log.push_back("ask: " + text);
        if (Answers.empty()) return PromptAnswer::Cancel;
        auto a = Answers.front();
        Answers.pop_front();
        return a;
    }
    bool AskYesNo(const std::string& text) override {
        Log.push_back("yesno: " + text);
        if (YesNoAnswers.empty()) return false;
        bool a = YesNoAnswers.front();
        YesNoAnswers.pop_front();
        return a;
    }
    void Inform(const std::string& text) override { Log.push_back("inform: " + text); }
    void ReportError(const std::string& text) override { Log.push_back("error: " + text); }
    std::vector<std::string> Places; // offered by the last file dialog
    std::optional<std::string> ChooseFileToOpen(const std::string& folder,
                                                const std::vector<std::string>& places) override {
        Log.push_back("open dialog in " + folder);
        Places = places;
        if (OpenChoices.empty()) return std::nullopt;
        auto c = OpenChoices.front();
        OpenChoices.pop_front();
        return c;
    }
    std::optional<std::string> ChooseFileToSave(const std::string& folder, const std::string& fileName,
                                                const std::vector<std::string>& places) override {
        Log.push_back("save dialog in " + folder);
        Places = places;
        SavePresets.push_back(fileName);
        if (SaveChoices.empty()) return std::nullopt;
        auto c = SaveChoices.front();
        SaveChoices.pop_front();
        return c;
    }
};

class EditorTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    std::string AppDir;
    std::string MapsDir;
    std::string UserMapsDir;
    FakeDialogs dialogs;
    std::unique_ptr<TfrmMain> form;

    void SetUp() override {
        EnsureApplication();
        ASSERT_TRUE(dir.isValid());
        AppDir = dir.path().toStdString();
        MapsDir = AppDir + "/maps/";
        // The player's own level folder is the test's too.
        UserMapsDir = AppDir + "/data/gravlin/maps/";
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(AppDir + "/data"));
        QDir(dir.path()).mkpath("Surfaces");
        QDir(dir.path()).mkpath("maps");
        // The names differ in letter case from the ones the editor asks for.
        std::string surfaces = AppDir + "/Surfaces/";
        ASSERT_TRUE(WriteTextList(surfaces + "all256.HDR", {"16", "12"}));
        TextList palette;
        for (int t : TestPalette) palette.push_back(std::to_string(t));
        ASSERT_TRUE(WriteTextList(surfaces + "MAPBMPS.hdr", palette));
        Surface sheet(640, 480);
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                sheet.Set(x, y, static_cast<std::uint8_t>(((y / 40) * 16 + x / 40) % 255 + 1));
        ASSERT_TRUE(WriteFileAtomic(surfaces + "All256.DIB", EncodeBmp(sheet, TestColours())));
    }

    // A window started on the test folder.
    TfrmMain& Start() {
        form = std::make_unique<TfrmMain>(AppDir, dialogs);
        EXPECT_TRUE(form->FormShow());
        return *form;
    }

    // Chooses the palette entry with code `tile`, paging to it directly.
    void Choose(int tile) {
        for (std::size_t j = 0; j < TestPalette.size(); ++j)
            if (TestPalette[j] == tile) {
                form->PaletteTop = static_cast<int>(j - j % 2);
                form->iBmpMouseDown(static_cast<int>(j % 2) * 40 + 5, 5);
                break;
            }
        ASSERT_EQ(form->CurrentTile, tile);
    }

    // Paints one cell by a click of the left button.
    void PaintAt(int column, int row) {
        form->iMapMouseDown(column * 40 + 20, row * 40 + 20);
        form->iMapMouseUp();
    }

    // A new map with a player start and a book on it.
    void NewPlayableMap() {
        form->btnNewClick();
        Choose(24);
        PaintAt(2, 2);
        Choose(134);
        PaintAt(12, 9);
    }

    std::vector<std::string> MapFiles() const {
        std::vector<std::string> names;
        for (const auto& n : QDir(QString::fromStdString(MapsDir)).entryList(QDir::Files, QDir::Name))
            names.push_back(n.toStdString());
        return names;
    }

    // Writes a level file of `count` lines, every line `code`.
    void WriteLevel(const std::string& name, int count, int code) {
        TextList lines(static_cast<std::size_t>(count), std::to_string(code));
        ASSERT_TRUE(WriteTextList(MapsDir + name, lines));
    }
};

} // namespace gravlin
