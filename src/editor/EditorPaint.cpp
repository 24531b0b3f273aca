// The palette and painting: paging (buttons and the mouse wheel), choosing
// a tile, painting by click and drag, Fill, and the history of the map that
// undo and redo walk.

#include "EditorText.h"
#include "editor/EditorMap.h"
#include "editor/TfrmMain.h"
#include "world/CellNames.h"

#include <QPainter>
#include <QPushButton>
#include <QUndoCommand>
#include <QUndoStack>
#include <cstdlib>

namespace gravlin {

namespace {

constexpr int TileSize = 40;

// One step of the map's history: the whole map before and after it (a map
// is only 192 numbers). The step is pushed once it has been done, so its
// first redo does nothing.
class MapStep : public QUndoCommand {
  public:
    MapStep(TfrmMain& form, const LevelCodes& before, const char* name, std::function<void()> changed)
        : QUndoCommand(QString::fromUtf8(name)), form_(form), before_(before), after_(form.MapCodes),
          changed_(std::move(changed)) {}
    void undo() override { Show(before_); }
    void redo() override {
        if (done_) return Show(after_);
        done_ = true;
    }

  private:
    void Show(const LevelCodes& codes) {
        form_.MapCodes = codes;
        changed_();
    }
    TfrmMain& form_;
    LevelCodes before_, after_;
    std::function<void()> changed_;
    bool done_ = false;
};

} // namespace

void TfrmMain::btnDownClick() {
    PaletteTop = PaletteTopAfterDown(PaletteTop, static_cast<int>(PaletteList.size()));
    DrawPalette();
}

void TfrmMain::btnUpClick() {
    PaletteTop = PaletteTopAfterUp(PaletteTop);
    DrawPalette();
}

void TfrmMain::iBmpWheel(int notches) {
    // A notch away from the user pages up, as the up button does.
    for (int n = 0; n < std::abs(notches); ++n) {
        if (notches > 0 && btnUp->isEnabled()) btnUpClick();
        if (notches < 0 && btnDown->isEnabled()) btnDownClick();
    }
}

void TfrmMain::iBmpMouseDown(int x, int y) {
    if (x < 0 || y < 0) return;
    int column = x / TileSize;
    int row = y / TileSize;
    if (column >= PaletteColumns || row >= PaletteSlots / PaletteColumns) return;
    int entry = PaletteTop + row * PaletteColumns + column;
    // A blank slot past the end of the palette list chooses nothing.
    if (entry < 0 || entry >= static_cast<int>(PaletteList.size())) return;
    ChooseEntry(entry);
}

void TfrmMain::ChooseEntry(int entry) {
    CurrentEntry = entry;
    if (entry >= 0 && entry < static_cast<int>(PaletteList.size()))
        CurrentTile = PaletteList[static_cast<std::size_t>(entry)];
    ShowCurrentTile(CurrentTile);
    ShowChosenSlot();
    ShowStatus();
}

void TfrmMain::ShowChosenSlot() {
    const int slot = CurrentEntry - PaletteTop;
    if (CurrentEntry < 0 || slot < 0 || slot >= PaletteSlots) return iBmp->SetHighlight(QRect());
    iBmp->SetHighlight(QRect(slot % PaletteColumns * TileSize, slot / PaletteColumns * TileSize, TileSize, TileSize));
}

QString TfrmMain::PaletteToolTip(int x, int y) const {
    if (x < 0 || y < 0 || x / TileSize >= PaletteColumns || y / TileSize >= PaletteSlots / PaletteColumns) return {};
    const int entry = PaletteTop + y / TileSize * PaletteColumns + x / TileSize;
    if (entry >= static_cast<int>(PaletteList.size())) return {};
    return Q(NamedCode(PaletteList[static_cast<std::size_t>(entry)]));
}

void TfrmMain::iMapMouseDown(int x, int y) {
    if (x < 0 || y < 0 || x >= MapColumns * TileSize || y >= MapRows * TileSize) return;
    EndStroke();
    MouseHeld = true;
    strokeBefore_ = MapCodes;
    // A new press starts a new stroke: the cell painted last in an earlier
    // stroke must not be skipped when this drag enters it.
    LastPaintedCell = QPoint(-1, -1);
    lastPointerCell_ = QPoint(x / TileSize, y / TileSize);
    PaintCell(x / TileSize * TileSize, y / TileSize * TileSize);
}

void TfrmMain::iMapMouseMove(int x, int y) {
    if (x < 0 || y < 0 || x >= MapColumns * TileSize || y >= MapRows * TileSize) return;
    const int cell = y / TileSize * MapColumns + x / TileSize;
    if (HoverCell != cell) {
        HoverCell = cell;
        ShowStatus();
    }
    if (!MouseHeld) return;
    PaintLineTo(QPoint(x / TileSize, y / TileSize));
}

// A fast drag moves the pointer across several cells between two mouse
// events: every cell on the line from the cell it was in to this one is
// painted (the border cells on it are not), each once.
void TfrmMain::PaintLineTo(QPoint cell) {
    QPoint from = lastPointerCell_.x() < 0 ? cell : lastPointerCell_;
    lastPointerCell_ = cell;
    const int dx = std::abs(cell.x() - from.x()), dy = -std::abs(cell.y() - from.y());
    const int sx = from.x() < cell.x() ? 1 : -1, sy = from.y() < cell.y() ? 1 : -1;
    int err = dx + dy;
    QPoint at = from;
    for (;;) {
        QPoint pixel(at.x() * TileSize, at.y() * TileSize);
        if (pixel != LastPaintedCell) PaintCell(pixel.x(), pixel.y());
        if (at == cell) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            at.rx() += sx;
        }
        if (e2 <= dx) {
            err += dx;
            at.ry() += sy;
        }
    }
}

void TfrmMain::iMapMouseUp() {
    MouseHeld = false;
    EndStroke();
}

// The stroke (mouse down to mouse up) becomes one step of the history when
// it painted anything.
void TfrmMain::EndStroke() {
    if (!strokeBefore_) return;
    const LevelCodes before = *strokeBefore_;
    strokeBefore_.reset();
    MouseHeld = false;
    if (LastPaintedCell.x() >= 0) PushStep(before, "Paint");
}

void TfrmMain::PaintCell(int x, int y) {
    // The border ring is never painted.
    if (!PaintableCell(x, y)) return;
    {
        QPainter p(&iMap->Canvas);
        p.drawImage(QPoint(x, y), iCurrBmp->Canvas);
    }
    LastPaintedCell = QPoint(x, y);
    ++PaintCount;
    MapCodes[static_cast<std::size_t>((y / TileSize) * MapColumns + x / TileSize)] = CurrentTile;
    SetModified(true);
    if (GridShown) DrawGrid();
    iMap->update();
    MapChanged();
}

void TfrmMain::btnFillClick() {
    EndStroke();
    const LevelCodes before = MapCodes;
    for (int row = 1; row <= MapRows - 2; ++row)
        for (int column = 1; column <= MapColumns - 2; ++column)
            DrawTile(iMap->Canvas, CurrentTile, column * TileSize, row * TileSize);
    MapCodes.fill(CurrentTile);
    ForceBorderRing(MapCodes);
    if (GridShown) DrawGrid();
    iMap->update();
    // Fill leaves the unsaved mark as it was, though the history has one
    // more step.
    PushStep(before, "Fill");
    MapChanged();
}

void TfrmMain::StartHistory() {
    strokeBefore_.reset();
    UndoStack->clear();
}

void TfrmMain::PushStep(const LevelCodes& before, const char* name) {
    UndoStack->push(new MapStep(*this, before, name, [this] {
        RedrawMap();
        MapChanged();
    }));
}

// Undoing and redoing follow the saved state: the map is marked unsaved
// exactly when it is not at the step last opened or saved.
void TfrmMain::Undo() {
    EndStroke();
    if (!UndoStack->canUndo()) return;
    UndoStack->undo();
    SetModified(!UndoStack->isClean());
}

void TfrmMain::Redo() {
    EndStroke();
    if (!UndoStack->canRedo()) return;
    UndoStack->redo();
    SetModified(!UndoStack->isClean());
}

} // namespace gravlin
