#pragma once
// The level editor's window: the 16 by 12 map at full size, the pageable
// palette of tiles, the tile chosen for painting, and the file buttons. A map
// is only its 192 cell codes; every code is shown by its tile from the game's
// tile sheet.

#include "common/TextLists.h"
#include "editor/EditorDialogs.h"
#include "editor/ImageControl.h"
#include "world/Map.h"

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <string>
#include <vector>

class QFrame;
class QLabel;
class QPushButton;
class QTextBrowser;

namespace gravlin {

// The name of the editor's help page beside the program, and its first topic.
inline const std::string HelpFileName = "Gravlin.html";
inline const std::string HelpTopicAnchor = "topic100";

class TfrmMain : public QWidget {
  public:
    // `appDir` is the folder the editor runs from (without a trailing
    // separator); the tile sheet and its headers are read from its
    // "Surfaces" folder and maps are kept in its "maps" folder.
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
    TextList SaveLines;
    // How many times a cell has been painted since start-up (a cell painted
    // twice counts twice).
    int PaintCount = 0;

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
    QTextBrowser* HelpBrowser = nullptr; // created by the first Help

    // The window title: "EDITOR", then " - " and the map's name once there is
    // one, and " *" while the map has unsaved changes.
    QString CaptionText() const;

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

    EditorDialogs& dialogs_;
};

} // namespace gravlin
