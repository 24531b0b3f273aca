// The level editor: paints a level's 192 cell codes with the game's tile
// sheet and saves them as a level file in the game's "maps" folder.
//
// The editor runs from the game folder and reads its "Surfaces" folder; the
// environment variable GRAVLIN_EDITOR_DIR names another game folder instead.
// For pictures of the editor there are four options: --open FILE opens a
// level file at start, --grid shows the grid, --point COL,ROW shows the
// status line as with the mouse over that cell, and --screenshot PNG saves a
// picture of the window and ends the program.

#include "common/Files.h"
#include "editor/EditorDialogs.h"
#include "editor/TfrmMain.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("editor"));

    std::string openPath, screenshotPath;
    bool grid = false;
    int pointColumn = -1, pointRow = -1;
    auto usage = [] {
        std::fprintf(stderr, "usage: editor [--open FILE] [--grid] [--point COL,ROW] [--screenshot PNG]\n");
        return 2;
    };
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--open") == 0 && i + 1 < argc) {
            openPath = argv[++i];
        } else if (std::strcmp(argv[i], "--grid") == 0) {
            grid = true;
        } else if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) {
            screenshotPath = argv[++i];
        } else if (std::strcmp(argv[i], "--point") == 0 && i + 1 < argc) {
            if (std::sscanf(argv[++i], "%d,%d", &pointColumn, &pointRow) != 2 || pointColumn < 0 ||
                pointColumn >= gravlin::MapColumns || pointRow < 0 || pointRow >= gravlin::MapRows)
                return usage();
        } else {
            return usage();
        }
    }

    const char* dirOverride = std::getenv("GRAVLIN_EDITOR_DIR");
    std::string appDir = dirOverride && *dirOverride ? dirOverride : gravlin::ExecutableDir();

    gravlin::QtEditorDialogs dialogs;
    gravlin::TfrmMain form(appDir, dialogs);
    dialogs.SetParent(&form);
    if (!form.FormShow()) return 1;
    if (!openPath.empty() && !form.OpenLevelFile(openPath)) return 1;
    if (grid) form.btnGridClick();
    if (pointColumn >= 0) form.iMapMouseMove(pointColumn * 40 + 20, pointRow * 40 + 20);

    // Centred on the screen.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        form.move(area.center() - QPoint(form.width() / 2, form.height() / 2));
    }
    form.show();

    if (!screenshotPath.empty()) {
        QTimer::singleShot(300, &form, [&] {
            bool saved = form.grab().save(QString::fromStdString(screenshotPath));
            if (!saved) std::fprintf(stderr, "editor: cannot write %s\n", screenshotPath.c_str());
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}
