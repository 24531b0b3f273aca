#pragma once
// The level editor's window: the 16 by 12 map at full size, the pageable
// palette of tiles, the tile chosen for painting, and the file buttons. A map
// is only its 192 cell codes; every code is shown by its tile from the game's
// tile sheet.

#include "common/TextLists.h"
#include "editor/EditorDialogs.h"
#include "editor/ImageControl.h"
#include "world/LevelCheck.h"
#include "world/Map.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QFrame;
class QLabel;
class QListWidget;
class QProcess;
class QPushButton;
class QTemporaryDir;
class QTextBrowser;
class QTimer;
class QUndoStack;

namespace gravlin {

// The name of the editor's help page beside the program, and its first topic.
inline const std::string HelpFileName = "Gravlin.html";
inline const std::string HelpTopicAnchor = "topic100";

class TfrmMain : public QWidget {
  public:
    // `appDir` is the folder the editor runs from (without a trailing
    // separator); the tile sheet and its headers are read from its
    // "Surfaces" folder. Maps are saved in its "maps" folder when that can
    // be written, else in the player's own level folder.
    TfrmMain(const std::string& appDir, EditorDialogs& dialogs, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Start-up: loads the tile sheet, its header and the palette list, draws
    // the empty map and the first palette page. When a file is missing or
    // damaged, says which and where it was looked for, and returns false: the
    // editor cannot be used without them.
    bool FormShow();

    // The map and the painting state.
    LevelCodes MapCodes{};
    int CurrentTile = 0;
    int PaletteTop = 0;
    std::vector<int> PaletteList;
    int TilesPerRow = 0;
    QImage SheetBitmap;
    bool GridShown = false;
    bool MouseHeld = false;
    bool Modified = false;
    std::string LevelName;
    QPoint LastPaintedCell{-1, -1};
    std::string AppDir, SurfacesDir, MapsDir;
    // The game's own level folder and the player's (both with a trailing
    // "/"); MapsDir is one of them. The file dialogs offer both.
    std::string GameMapsDir, UserMapsDir;
    // The level file the map was opened from or last saved as; empty for a
    // map never saved.
    std::string LevelPath;
    TextList SaveLines;
    // How many times a cell has been painted since start-up (a cell painted
    // twice counts twice).
    int PaintCount = 0;
    // The palette entry chosen last (its slot is highlighted), or -1.
    int CurrentEntry = -1;
    // The cell under the mouse, shown in the status line.
    std::optional<int> HoverCell;
    // The level check's findings for the map as it is now (after every
    // change), and the last report shown in the status line.
    std::vector<LevelFinding> Findings;
    std::string StatusMessage;
    // The history of the map: a stroke (mouse down to mouse up) or a Fill is
    // one step. New and Open start a fresh one.
    QUndoStack* UndoStack = nullptr;

    // Test play and the winnable check run the game and the solver found
    // beside the editor; the search may take SolveTimeLimit seconds.
    std::string GameProgram, SolverProgram;
    int SolveTimeLimit = 20;
    QProcess* GameProcess = nullptr;
    QProcess* SolverProcess = nullptr;

    // The buttons and mouse handlers. Save and Save As return whether the map
    // was written.
    void btnNewClick();
    void btnOpenClick();
    bool btnSaveClick();
    bool btnSaveAsClick();
    void btnFillClick();
    void btnGridClick();
    void btnHelpClick();
    void btnUpClick();
    void btnDownClick();
    void iBmpMouseDown(int x, int y);
    void iMapMouseDown(int x, int y);
    void iMapMouseMove(int x, int y);
    void iMapMouseUp();
    void iBmpWheel(int notches);
    // Ctrl+Z; Ctrl+Y and Ctrl+Shift+Z.
    void Undo();
    void Redo();
    // F5: plays the map in the game (or watches the solution found for it);
    // F6: asks the solver whether the map can be won.
    void btnTestPlayClick();
    void btnWinnableClick();
    // Closing the window: returns whether it may close.
    bool FormClose();
    // Reads the level file a chosen path stands for into the map (what Open
    // does once a file is chosen); a file that cannot be read or holds a line
    // that is not a number is reported and changes nothing.
    bool OpenLevelFile(const std::string& chosenPath);

    // The window's parts, named as the form names them.
    QFrame* Panel2 = nullptr;
    QPushButton* btnNew = nullptr;
    QPushButton* btnOpen = nullptr;
    QPushButton* btnSave = nullptr;
    QPushButton* btnSaveAs = nullptr;
    QPushButton* btnFill = nullptr;
    QPushButton* btnGrid = nullptr;
    QPushButton* btnHelp = nullptr;
    QLabel* lblLevelName = nullptr;
    QFrame* Panel4 = nullptr;
    QFrame* Panel3 = nullptr;
    ImageControl* iMap = nullptr;
    QFrame* iBmpPanel = nullptr;
    ImageControl* iBmp = nullptr;
    QFrame* Panel6 = nullptr;
    ImageControl* iCurrBmp = nullptr;
    QPushButton* btnUp = nullptr;
    QPushButton* btnDown = nullptr;
    // In the strip below the map: the status line, the level check's list,
    // and the test play and winnable buttons.
    QLabel* lblStatus = nullptr;
    QListWidget* lstChecks = nullptr;
    QPushButton* btnTestPlay = nullptr;
    QPushButton* btnWinnable = nullptr;
    QTextBrowser* HelpBrowser = nullptr; // created by the first Help

    // The window title: "EDITOR", then " - " and the map's name once there is
    // one, and " *" while the map has unsaved changes.
    QString CaptionText() const;
    // The whole status line: the cell under the mouse with its code and
    // name, the current tile, the level check's count and the last report.
    QString StatusText() const;
    // The palette slot's tooltip: the tile's name and code.
    QString PaletteToolTip(int x, int y) const;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildWindow();
    void DrawTile(QImage& target, int tile, int x, int y) const;
    void DrawPalette();
    void ShowCurrentTile(int tile);
    void RedrawMap();
    void DrawGrid();
    void PaintCell(int x, int y);
    void SetMapInput(bool enabled);
    // The save prompt before New and Open: false when the command must stop.
    bool SavePrompt(const char* question);
    bool PrepareSave();
    bool WriteLevel(const std::string& path);
    void ShowLevelName();
    void SetModified(bool modified);
    // Starts a fresh history whose clean state is the map as it is.
    void StartHistory();
    // Puts a step of the map's history on the stack (already done).
    void PushStep(const LevelCodes& before, const char* name);
    void EndStroke();
    void PaintLineTo(QPoint cell);
    void ChooseEntry(int entry);
    void ShowChosenSlot();
    // After every change of the map: the check and the status line.
    void MapChanged();
    void ShowStatus();
    void SetStatusMessage(const std::string& message);
    std::string OpenReport(std::size_t lineCount) const;
    bool SaveToMapsDir();
    bool ReadyToTry(const std::string& what);
    std::optional<std::string> WriteTryFile(const std::string& name, const std::string& contents);
    void GameFinished(int exitCode, bool crashed);
    void SolverFinished(int exitCode, bool crashed);
    void EndProcesses();

    EditorDialogs& dialogs_;
    // The map before the stroke being painted, while the mouse is held.
    std::optional<LevelCodes> strokeBefore_;
    QPoint lastPointerCell_{-1, -1};
    // The temporary folder of the level files tried and the solution found.
    std::unique_ptr<QTemporaryDir> tryDir_;
    QTimer* solveLimit_ = nullptr;
    QElapsedTimer solveClock_;
    bool solveStopped_ = false;
    LevelCodes solving_{};
    // The map the solution was found for, and the script that wins it.
    std::optional<LevelCodes> solvedFor_;
    std::string solutionPath_;
};

} // namespace gravlin
