#include "editor/TfrmMain.h"

#include "EditorText.h"
#include "common/Files.h"
#include "editor/EditorMap.h"
#include "presentation/Bmp.h"
#include "world/CellCodes.h"
#include "world/LevelFiles.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPen>
#include <QPixmap>
#include <QPolygon>
#include <QProcess>
#include <QPushButton>
#include <QShortcut>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QUndoStack>
#include <QUrl>

namespace gravlin {

namespace {

constexpr int TileSize = 40;
const QColor CaptionColour(0, 0, 128);  // navy
const QColor GridColour(128, 128, 128); // middle grey

// The small arrow of a palette paging button, in its enabled look (dark) or
// its disabled look (grey with a white shadow, as if engraved).
QPixmap ArrowPicture(bool up, bool enabled) {
    QPixmap picture(16, 12);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing, false);
    auto triangle = [up](int dx, int dy) {
        QPolygon shape;
        if (up)
            shape << QPoint(8 + dx, 2 + dy) << QPoint(2 + dx, 9 + dy) << QPoint(14 + dx, 9 + dy);
        else
            shape << QPoint(2 + dx, 2 + dy) << QPoint(14 + dx, 2 + dy) << QPoint(8 + dx, 9 + dy);
        return shape;
    };
    p.setPen(Qt::NoPen);
    if (!enabled) {
        p.setBrush(Qt::white);
        p.drawPolygon(triangle(1, 1));
        p.setBrush(QColor(128, 128, 128));
    } else {
        p.setBrush(CaptionColour);
    }
    p.drawPolygon(triangle(0, 0));
    return picture;
}

QIcon ArrowIcon(bool up) {
    QIcon icon;
    icon.addPixmap(ArrowPicture(up, true), QIcon::Normal);
    icon.addPixmap(ArrowPicture(up, false), QIcon::Disabled);
    return icon;
}

// The tile sheet as a picture the window can copy from.
QImage SheetImage(const Picture& sheet) {
    QImage image(sheet.Pixels.Width, sheet.Pixels.Height, QImage::Format_RGB32);
    for (int y = 0; y < sheet.Pixels.Height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < sheet.Pixels.Width; ++x) {
            const Rgb& c = sheet.Colours[sheet.Pixels.At(x, y)];
            line[x] = qRgb(c.R, c.G, c.B);
        }
    }
    return image;
}

// A program of the game folder: beside the editor's data, else beside the
// editor itself.
std::string ProgramBeside(const std::string& appDir, const std::string& name) {
    std::string path = JoinPath(appDir, name);
    if (QFileInfo(Q(path)).isExecutable()) return path;
    return JoinPath(ExecutableDir(), name);
}

} // namespace

TfrmMain::TfrmMain(const std::string& appDir, EditorDialogs& dialogs, QWidget* parent)
    : QWidget(parent), AppDir(appDir), dialogs_(dialogs) {
    while (AppDir.size() > 1 && (AppDir.back() == '/' || AppDir.back() == '\\')) AppDir.pop_back();
    SurfacesDir = AppDir + "/Surfaces/";
    GameMapsDir = AppDir + "/maps/";
    UserMapsDir = PlayerLevelFolder();
    // The same rule as the player files: the game's folder when it can be
    // written (a build tree), else the player's own (an installed game).
    MapsDir = DirectoryWritable(GameMapsDir) || UserMapsDir.empty() ? GameMapsDir : UserMapsDir;
    GameProgram = ProgramBeside(AppDir, "Gravlin");
    SolverProgram = ProgramBeside(AppDir, "gravlin-solve");
    BuildWindow();
}

TfrmMain::~TfrmMain() {
    EndProcesses();
}

void TfrmMain::BuildWindow() {
    setObjectName("TfrmMain");
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(800, 600);
    setWindowTitle(CaptionText());
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);

    Panel2 = new QFrame(this);
    Panel2->setObjectName("Panel2");
    Panel2->setGeometry(0, 0, 800, 45);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);

    QFont captionFont = font();
    captionFont.setPixelSize(13);
    auto makeButton = [&](const char* name, const char* caption, int left) {
        auto* button = new QPushButton(QString::fromUtf8(caption), Panel2);
        button->setObjectName(name);
        button->setFlat(true);
        button->setGeometry(left, 2, 85, 41);
        button->setFont(captionFont);
        QPalette colours = button->palette();
        colours.setColor(QPalette::ButtonText, CaptionColour);
        button->setPalette(colours);
        button->setFocusPolicy(Qt::NoFocus); // speed buttons never take the keyboard focus
        return button;
    };
    btnNew = makeButton("btnNew", "&New Map", 1);
    btnOpen = makeButton("btnOpen", "&Open", 86);
    btnSave = makeButton("btnSave", "&Save", 171);
    btnSaveAs = makeButton("btnSaveAs", "Save &As", 256);
    btnFill = makeButton("btnFill", "&Fill", 492);
    btnGrid = makeButton("btnGrid", "Show &Grid", 577);
    btnHelp = makeButton("btnHelp", "&Help", 686);

    lblLevelName = new QLabel(Panel2);
    lblLevelName->setObjectName("lblLevelName");
    lblLevelName->setGeometry(344, 15, 145, 13);
    lblLevelName->setAlignment(Qt::AlignCenter);
    lblLevelName->setTextFormat(Qt::PlainText);
    QPalette labelColours = lblLevelName->palette();
    labelColours.setColor(QPalette::WindowText, CaptionColour);
    lblLevelName->setPalette(labelColours);

    Panel4 = new QFrame(this);
    Panel4->setObjectName("Panel4");
    Panel4->setGeometry(0, 45, 800, 555);

    auto makeHolder = [&](const char* name, int left, int top, int width, int height) {
        auto* frame = new QFrame(Panel4);
        frame->setObjectName(name);
        frame->setGeometry(left, top, width, height);
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        frame->setLineWidth(2);
        return frame;
    };
    Panel3 = makeHolder("Panel3", 24, 21, 644, 484);
    iMap = new ImageControl(MapColumns * TileSize, MapRows * TileSize, Panel3);
    iMap->setObjectName("iMap");
    iMap->move(2, 2);
    iBmpPanel = makeHolder("iBmpPanel", 688, 68, 84, 404);
    iBmp = new ImageControl(PaletteColumns * TileSize, PaletteSlots / PaletteColumns * TileSize, iBmpPanel);
    iBmp->setObjectName("iBmp");
    iBmp->move(2, 2);
    Panel6 = makeHolder("Panel6", 708, 21, 44, 44);
    iCurrBmp = new ImageControl(TileSize, TileSize, Panel6);
    iCurrBmp->setObjectName("iCurrBmp");
    iCurrBmp->move(2, 2);

    btnUp = new QPushButton(Panel4);
    btnUp->setObjectName("btnUp");
    btnUp->setGeometry(689, 477, 34, 28);
    btnUp->setIcon(ArrowIcon(true));
    btnUp->setFocusPolicy(Qt::NoFocus);
    btnDown = new QPushButton(Panel4);
    btnDown->setObjectName("btnDown");
    btnDown->setGeometry(737, 477, 34, 28);
    btnDown->setIcon(ArrowIcon(false));
    btnDown->setFocusPolicy(Qt::NoFocus);

    // The strip below the map: the status line, the level check's list
    // under it, and beside them, under the paging buttons, the buttons of
    // test play and the winnable check (no mnemonics: F5 and F6 are theirs).
    lblStatus = new QLabel(Panel4);
    lblStatus->setObjectName("lblStatus");
    lblStatus->setGeometry(24, 507, 644, 15);
    lblStatus->setTextFormat(Qt::PlainText);
    lstChecks = new QListWidget(Panel4);
    lstChecks->setObjectName("lstChecks");
    lstChecks->setGeometry(24, 523, 644, 30);
    lstChecks->setFocusPolicy(Qt::NoFocus);
    lstChecks->setSelectionMode(QAbstractItemView::NoSelection);
    lstChecks->setUniformItemSizes(true);
    lstChecks->setToolTip(QStringLiteral("What makes the map unwinnable on its face, checked after every change"));
    auto makeStripButton = [&](const char* name, const char* caption, int top, const char* tip) {
        auto* button = new QPushButton(QString::fromUtf8(caption), Panel4);
        button->setObjectName(name);
        button->setGeometry(688, top, 84, 22);
        button->setFocusPolicy(Qt::NoFocus);
        button->setToolTip(QString::fromUtf8(tip));
        return button;
    };
    btnTestPlay = makeStripButton("btnTestPlay", "Test play (F5)", 508, "Play the map in the game beside the editor");
    btnWinnable = makeStripButton("btnWinnable", "Winnable? (F6)", 531, "Search for a way to win the map (up to 20 s)");

    UndoStack = new QUndoStack(this);
    GameProcess = new QProcess(this);
    SolverProcess = new QProcess(this);
    solveLimit_ = new QTimer(this);
    solveLimit_->setSingleShot(true);
    connect(GameProcess, &QProcess::finished, this,
            [this](int code, QProcess::ExitStatus status) { GameFinished(code, status == QProcess::CrashExit); });
    connect(SolverProcess, &QProcess::finished, this,
            [this](int code, QProcess::ExitStatus status) { SolverFinished(code, status == QProcess::CrashExit); });
    connect(solveLimit_, &QTimer::timeout, this, [this] {
        // The solver keeps its own limit; this one is for a solver that
        // does not stop.
        solveStopped_ = true;
        SolverProcess->kill();
    });

    connect(btnNew, &QPushButton::clicked, this, [this] { btnNewClick(); });
    connect(btnOpen, &QPushButton::clicked, this, [this] { btnOpenClick(); });
    connect(btnSave, &QPushButton::clicked, this, [this] { btnSaveClick(); });
    connect(btnSaveAs, &QPushButton::clicked, this, [this] { btnSaveAsClick(); });
    connect(btnFill, &QPushButton::clicked, this, [this] { btnFillClick(); });
    connect(btnGrid, &QPushButton::clicked, this, [this] { btnGridClick(); });
    connect(btnHelp, &QPushButton::clicked, this, [this] { btnHelpClick(); });
    connect(btnUp, &QPushButton::clicked, this, [this] { btnUpClick(); });
    connect(btnDown, &QPushButton::clicked, this, [this] { btnDownClick(); });
    connect(btnTestPlay, &QPushButton::clicked, this, [this] { btnTestPlayClick(); });
    connect(btnWinnable, &QPushButton::clicked, this, [this] { btnWinnableClick(); });

    // Ctrl+N, Ctrl+O and Ctrl+S do what New, Open and Save do.
    auto addShortcut = [this](QKeyCombination keys, void (TfrmMain::*handler)()) {
        auto* shortcut = new QShortcut(QKeySequence(keys), this);
        connect(shortcut, &QShortcut::activated, this, [this, handler] { (this->*handler)(); });
    };
    addShortcut(Qt::CTRL | Qt::Key_N, &TfrmMain::btnNewClick);
    addShortcut(Qt::CTRL | Qt::Key_O, &TfrmMain::btnOpenClick);
    auto* saveShortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this);
    connect(saveShortcut, &QShortcut::activated, this, [this] { btnSaveClick(); });
    // Undo and redo, test play, the winnable check and help.
    addShortcut(Qt::CTRL | Qt::Key_Z, &TfrmMain::Undo);
    addShortcut(Qt::CTRL | Qt::Key_Y, &TfrmMain::Redo);
    addShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_Z, &TfrmMain::Redo);
    addShortcut(QKeyCombination(Qt::Key_F5), &TfrmMain::btnTestPlayClick);
    addShortcut(QKeyCombination(Qt::Key_F6), &TfrmMain::btnWinnableClick);
    addShortcut(QKeyCombination(Qt::Key_F1), &TfrmMain::btnHelpClick);

    iBmp->OnMouseDown = [this](Qt::MouseButton, int x, int y) { iBmpMouseDown(x, y); };
    iBmp->OnWheel = [this](int notches) { iBmpWheel(notches); };
    iBmp->ToolTipAt = [this](int x, int y) { return PaletteToolTip(x, y); };
    iMap->setMouseTracking(true);
    iMap->OnMouseDown = [this](Qt::MouseButton, int x, int y) { iMapMouseDown(x, y); };
    iMap->OnMouseMove = [this](int x, int y) { iMapMouseMove(x, y); };
    iMap->OnMouseUp = [this](Qt::MouseButton, int, int) { iMapMouseUp(); };
    iMap->OnLeave = [this] {
        HoverCell.reset();
        ShowStatus();
    };
}

bool TfrmMain::FormShow() {
    auto missing = [&](const std::string& name) {
        dialogs_.ReportError("The editor cannot start: the file \"" + name + "\" was not found in " + SurfacesDir +
                             ".");
        return false;
    };
    auto damaged = [&](const std::string& text) {
        dialogs_.ReportError("The editor cannot start: " + text);
        return false;
    };

    // The tile sheet's header, read as the game reads it.
    std::string headerPath = FindFileNoCase(SurfacesDir + "All256.hdr");
    if (!FileExists(headerPath)) return missing("All256.hdr");
    std::string headerError;
    auto header = ReadTileSheetHeader(headerPath, &headerError);
    if (!header) return damaged(headerError + ".");
    TilesPerRow = header->TilesPerRow;

    // The palette list: one tile number per line, in palette order.
    std::string paletteListPath = FindFileNoCase(SurfacesDir + "MapBmps.hdr");
    auto paletteLines = ReadTextList(paletteListPath);
    if (!paletteLines) return missing("MapBmps.hdr");
    PaletteList.clear();
    for (std::size_t j = 0; j < paletteLines->size(); ++j) {
        auto tile = ParseInt((*paletteLines)[j]);
        if (!tile)
            return damaged("line " + std::to_string(j + 1) + " of " + paletteListPath +
                           " must be a tile number, but it holds \"" + (*paletteLines)[j].substr(0, 40) + "\".");
        PaletteList.push_back(*tile);
    }

    // The tile sheet itself.
    std::string sheetPath = SurfacesDir + "All256.dib";
    if (!FileExists(sheetPath)) return missing("All256.dib");
    std::string error;
    auto sheet = ReadBmpFile(sheetPath, &error);
    if (!sheet) return damaged(error);
    SheetBitmap = SheetImage(*sheet);

    iBmp->SetImageSize(PaletteColumns * TileSize, PaletteSlots / PaletteColumns * TileSize);
    iMap->SetImageSize(MapColumns * TileSize, MapRows * TileSize);
    iCurrBmp->SetImageSize(TileSize, TileSize);

    PaletteTop = 0;
    CurrentEntry = -1;
    DrawPalette();
    ShowCurrentTile(0);
    CurrentTile = 0;
    MapCodes.fill(Empty);
    GridShown = false;
    RedrawMap();
    LevelName.clear();
    SetModified(false);
    ShowLevelName();
    // The map and the palette take no mouse input until a map is created or
    // opened.
    SetMapInput(false);
    StartHistory();
    MapChanged();
    return true;
}

void TfrmMain::DrawTile(QImage& target, int tile, int x, int y) const {
    QPainter p(&target);
    p.fillRect(x, y, TileSize, TileSize, Qt::black);
    if (tile < 0 || TilesPerRow <= 0 || SheetBitmap.isNull()) return;
    // 64-bit, so a huge code from a file cannot overflow the position.
    long long left = static_cast<long long>(tile % TilesPerRow) * TileSize;
    long long top = static_cast<long long>(tile / TilesPerRow) * TileSize;
    if (left >= SheetBitmap.width() || top >= SheetBitmap.height()) return;
    QRect source(static_cast<int>(left), static_cast<int>(top), TileSize, TileSize);
    source = source.intersected(SheetBitmap.rect());
    p.drawImage(QPoint(x, y), SheetBitmap, source);
}

void TfrmMain::DrawPalette() {
    for (int s = 0; s < PaletteSlots; ++s) {
        int e = PaletteTop + s;
        int tile = e >= 0 && e < static_cast<int>(PaletteList.size()) ? PaletteList[static_cast<std::size_t>(e)] : 0;
        DrawTile(iBmp->Canvas, tile, (s % PaletteColumns) * TileSize, (s / PaletteColumns) * TileSize);
    }
    iBmp->update();
    ShowChosenSlot();
    int count = static_cast<int>(PaletteList.size());
    btnUp->setEnabled(PaletteUpEnabled(PaletteTop));
    btnDown->setEnabled(PaletteDownEnabled(PaletteTop, count));
}

void TfrmMain::ShowCurrentTile(int tile) {
    DrawTile(iCurrBmp->Canvas, tile, 0, 0);
    iCurrBmp->update();
}

void TfrmMain::RedrawMap() {
    for (int i = 0; i < MapCellCount; ++i)
        DrawTile(iMap->Canvas, MapCodes[static_cast<std::size_t>(i)], (i % MapColumns) * TileSize,
                 (i / MapColumns) * TileSize);
    if (GridShown) DrawGrid();
    iMap->update();
}

void TfrmMain::DrawGrid() {
    QPainter p(&iMap->Canvas);
    QPen pen(GridColour);
    pen.setStyle(Qt::DashLine);
    pen.setWidth(1);
    p.setPen(pen);
    for (int k = 1; k <= MapColumns - 1; ++k) p.drawLine(TileSize * k, 0, TileSize * k, MapRows * TileSize);
    for (int k = 1; k <= MapRows - 1; ++k) p.drawLine(0, TileSize * k, MapColumns * TileSize, TileSize * k);
    iMap->update();
}

void TfrmMain::SetMapInput(bool enabled) {
    iBmp->setEnabled(enabled);
    iCurrBmp->setEnabled(enabled);
    iMap->setEnabled(enabled);
}

void TfrmMain::btnGridClick() {
    GridShown = !GridShown;
    if (!GridShown) {
        RedrawMap(); // drawing the tiles again removes the lines
        btnGrid->setText(QStringLiteral("Show &&Grid"));
    } else {
        btnGrid->setText(QStringLiteral("&&Grid Off"));
        DrawGrid();
    }
}

void TfrmMain::btnHelpClick() {
    std::string path = FindFileNoCase(JoinPath(AppDir, HelpFileName));
    if (!QFileInfo::exists(Q(path))) {
        dialogs_.ReportError("The help page \"" + HelpFileName + "\" was not found in " + AppDir + ".");
        return;
    }
    if (!HelpBrowser) {
        HelpBrowser = new QTextBrowser(this);
        HelpBrowser->setObjectName("HelpBrowser");
        HelpBrowser->setWindowFlags(Qt::Window);
        HelpBrowser->setWindowTitle(QStringLiteral("EDITOR Help"));
        HelpBrowser->setOpenExternalLinks(true);
        HelpBrowser->resize(660, 560);
        // Escape closes the help as it closes a dialog.
        auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), HelpBrowser);
        connect(close, &QShortcut::activated, HelpBrowser, &QWidget::close);
    }
    // Shown first: a window that is not laid out yet cannot scroll, and the
    // topic's title must be in view.
    HelpBrowser->show();
    HelpBrowser->raise();
    HelpBrowser->activateWindow();
    QUrl url = QUrl::fromLocalFile(QFileInfo(Q(path)).absoluteFilePath());
    url.setFragment(Q(HelpTopicAnchor));
    HelpBrowser->setSource(url);
    HelpBrowser->scrollToAnchor(Q(HelpTopicAnchor));
}

} // namespace gravlin
