// The editor's file handling: the save prompts, New, Open, Save and Save As,
// and the caption that shows the map's name and whether it is modified.

#include "EditorText.h"
#include "common/Files.h"
#include "editor/EditorMap.h"
#include "editor/TfrmMain.h"
#include "world/LevelFiles.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTextBrowser>
#include <QUndoStack>

namespace gravlin {

bool TfrmMain::SavePrompt(const char* question) {
    if (!Modified) return true;
    switch (dialogs_.AskYesNoCancel(question)) {
    case PromptAnswer::Cancel: return false;
    case PromptAnswer::Yes:
        // Go on only when the map was really written: a failed check, a
        // cancelled Save As or a failed write keeps the map on screen.
        return btnSaveClick();
    case PromptAnswer::No: return true;
    }
    return false;
}

namespace {

// The first palette entry that offers `code`, or -1.
int EntryOf(const std::vector<int>& palette, int code) {
    for (std::size_t j = 0; j < palette.size(); ++j)
        if (palette[j] == code) return static_cast<int>(j);
    return -1;
}

// Whether two paths name the same file (through links, whatever the spelling).
bool SameFile(const std::string& a, const std::string& b) {
    const QString one = QFileInfo(Q(a)).canonicalFilePath();
    return !one.isEmpty() && one == QFileInfo(Q(b)).canonicalFilePath();
}

} // namespace

void TfrmMain::btnNewClick() {
    if (!SavePrompt("Do you want to save changes befor continuing?")) return;
    MapCodes.fill(Empty);
    ForceBorderRing(MapCodes);
    SetMapInput(true);
    RedrawMap();
    ShowCurrentTile(0);
    CurrentTile = 0;
    CurrentEntry = EntryOf(PaletteList, 0);
    ShowChosenSlot();
    LevelName = UntitledMarker;
    LevelPath.clear();
    StatusMessage.clear();
    StartHistory();
    SetModified(false);
    ShowLevelName();
    MapChanged();
}

void TfrmMain::btnOpenClick() {
    if (!SavePrompt("Do you want to save changes befor continuing?")) return;
    SetMapInput(true);
    ShowCurrentTile(0);
    CurrentTile = 0;
    CurrentEntry = EntryOf(PaletteList, 0);
    ShowChosenSlot();
    ShowStatus();
    if (!UserMapsDir.empty()) QDir().mkpath(Q(UserMapsDir));
    auto chosen = dialogs_.ChooseFileToOpen(MapsDir, {GameMapsDir, UserMapsDir});
    if (!chosen) return;
    OpenLevelFile(*chosen);
}

bool TfrmMain::OpenLevelFile(const std::string& chosenPath) {
    // Whatever extension was chosen, the ".bkg" file of that name is read.
    std::string path = LevelFilePath(chosenPath);
    std::string error;
    auto codes = ReadLevelFileCodes(path, &error);
    if (!codes) {
        // The map on screen stays as it was.
        dialogs_.ReportError(error);
        return false;
    }
    // A short file changes only the cells it has lines for.
    for (std::size_t k = 0; k < codes->size() && k < MapCodes.size(); ++k) MapCodes[k] = (*codes)[k];
    ForceBorderRing(MapCodes);
    SetMapInput(true);
    RedrawMap();
    LevelName = ChosenLevelName(chosenPath);
    LevelPath = FindFileNoCase(path);
    StartHistory();
    SetModified(false);
    ShowLevelName();
    StatusMessage = OpenReport(codes->size());
    MapChanged();
    return true;
}

bool TfrmMain::WriteLevel(const std::string& path) {
    std::string error;
    if (!WriteTextList(path, SaveLines, &error)) {
        dialogs_.ReportError("The map was not saved: " + error);
        return false;
    }
    return true;
}

// The save checks (every failing one shows its message), then the 192
// codes as lines: the first steps of both Save and Save As.
bool TfrmMain::PrepareSave() {
    auto messages = SaveCheckMessages(MapCodes, LevelName);
    for (const auto& message : messages) dialogs_.Inform(message);
    if (!messages.empty()) return false;
    SaveLines = LevelLines(MapCodes);
    return true;
}

bool TfrmMain::btnSaveClick() {
    EndStroke();
    if (!PrepareSave()) return false;
    if (LevelName == UntitledMarker) return btnSaveAsClick();
    QDir().mkpath(Q(MapsDir));
    const std::string target = FindFileNoCase(MapsDir + LevelName + ".bkg");
    // A map that came from elsewhere must not silently replace another file
    // of its name in the maps folder.
    if (!LevelPath.empty() && FileExists(target) && !SameFile(target, LevelPath)) {
        switch (dialogs_.AskYesNoCancel("The maps folder holds another file of this map's name:\n" + target +
                                        "\nThis map was opened from, or last saved as:\n" + LevelPath +
                                        "\n\nReplace the file in the maps folder with this map?\n"
                                        "(No: save it under another name.)")) {
        case PromptAnswer::Yes: break;
        case PromptAnswer::No: return btnSaveAsClick();
        case PromptAnswer::Cancel: return false;
        }
    }
    return SaveToMapsDir();
}

// Save's own writing: the map's name in the maps folder.
bool TfrmMain::SaveToMapsDir() {
    const std::string target = FindFileNoCase(MapsDir + LevelName + ".bkg");
    if (!WriteLevel(target)) return false;
    LevelPath = target;
    UndoStack->setClean();
    SetModified(false);
    SetStatusMessage("Saved as " + target);
    return true;
}

bool TfrmMain::btnSaveAsClick() {
    EndStroke();
    if (!PrepareSave()) return false;
    std::string preset = LevelName == UntitledMarker ? std::string() : LevelName;
    if (!UserMapsDir.empty()) QDir().mkpath(Q(UserMapsDir));
    QDir().mkpath(Q(MapsDir));
    auto chosen = dialogs_.ChooseFileToSave(MapsDir, preset, {GameMapsDir, UserMapsDir});
    // Cancelling writes nothing and leaves the map's unsaved state as it was.
    if (!chosen) return false;
    std::string path = LevelFilePath(*chosen);
    // The dialog asked about replacing the name that was chosen; the ".bkg"
    // file actually written may be another one.
    if (FindFileNoCase(path) != *chosen && FileExists(path) &&
        !dialogs_.AskYesNo(path + " already exists.\nDo you want to replace it?"))
        return false;
    if (!WriteLevel(path)) return false;
    LevelName = ChosenLevelName(*chosen);
    LevelPath = FindFileNoCase(path);
    UndoStack->setClean();
    SetModified(false);
    ShowLevelName();
    SetStatusMessage("Saved as " + LevelPath);
    return true;
}

bool TfrmMain::FormClose() {
    return SavePrompt("Do you want to save changes before exit.?");
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (!FormClose()) {
        event->ignore();
        return;
    }
    if (HelpBrowser) HelpBrowser->close();
    // Closing the editor ends a search and a test play it started.
    EndProcesses();
    event->accept();
}

QString TfrmMain::CaptionText() const {
    QString caption = QStringLiteral("EDITOR");
    if (!LevelName.empty()) caption += QStringLiteral(" - ") + Q(LevelName == UntitledMarker ? "Untitled" : LevelName);
    if (Modified) caption += QStringLiteral(" *");
    return caption;
}

void TfrmMain::ShowLevelName() {
    lblLevelName->setText(Q(LevelName == UntitledMarker ? "Untitled" : LevelName));
    setWindowTitle(CaptionText());
}

void TfrmMain::SetModified(bool modified) {
    Modified = modified;
    setWindowTitle(CaptionText());
}

} // namespace gravlin
