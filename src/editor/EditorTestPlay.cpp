// Trying the map: test play (F5) runs the game beside the editor on the map,
// and "is it winnable?" (F6) runs the solver on it with a time limit. Both
// run as processes of their own, so the editor stays usable meanwhile, and
// both end when the editor closes.

#include "EditorText.h"
#include "common/Files.h"
#include "common/TextLists.h"
#include "editor/EditorMap.h"
#include "editor/TfrmMain.h"
#include "world/CellCodes.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace gravlin {

namespace {

// "14.2 s" of play from the frames it takes at 60 a second.
std::string PlaySeconds(int frames) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", frames / 60.0);
    return text;
}

// A search's time: "3 s", or "0.4 s" under a second.
std::string SearchSeconds(double seconds) {
    char text[32];
    if (seconds < 1)
        std::snprintf(text, sizeof text, "%.1f s", seconds);
    else
        std::snprintf(text, sizeof text, "%.0f s", std::floor(seconds + 0.5));
    return text;
}

// The last line a program wrote on standard error, to say why it failed.
std::string LastLine(QProcess& process) {
    QStringList lines = QString::fromLocal8Bit(process.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    return lines.isEmpty() ? std::string() : lines.back().trimmed().toStdString();
}

} // namespace

// A map can be tried once it exists and has a player start and a book.
bool TfrmMain::ReadyToTry(const std::string& what) {
    std::string missing;
    if (LevelName.empty())
        missing = "a map: start a new one or open one";
    else if (std::find(MapCodes.begin(), MapCodes.end(), PlayerStart) == MapCodes.end())
        missing = "a player start (24) on the map";
    else if (std::find(MapCodes.begin(), MapCodes.end(), Book) == MapCodes.end())
        missing = "a book (134) on the map";
    if (missing.empty()) return true;
    SetStatusMessage(what + " needs " + missing);
    return false;
}

// Writes a file of the editor's own temporary folder: the map as it is (a
// level file; the saved file, if any, is left alone), or the solution found.
std::optional<std::string> TfrmMain::WriteTryFile(const std::string& name, const std::string& contents) {
    if (!tryDir_) tryDir_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/gravlin-editor-XXXXXX");
    if (!tryDir_->isValid()) {
        dialogs_.ReportError("No temporary folder for the map to try: " + tryDir_->errorString().toStdString());
        tryDir_.reset();
        return std::nullopt;
    }
    const std::string path = tryDir_->filePath(Q(name)).toStdString();
    std::string error;
    if (!WriteFileAtomic(path, contents, &error)) {
        dialogs_.ReportError("The file to try the map with was not written: " + error);
        return std::nullopt;
    }
    return path;
}

void TfrmMain::btnTestPlayClick() {
    EndStroke();
    if (!ReadyToTry("Test play")) return;
    if (GameProcess->state() != QProcess::NotRunning) return SetStatusMessage("The test play is still running");
    if (!QFileInfo(Q(GameProgram)).isExecutable()) {
        dialogs_.ReportError("The game was not found beside the editor: " + GameProgram);
        return;
    }
    bool watch = false;
    if (solvedFor_ && *solvedFor_ == MapCodes && !solutionPath_.empty()) {
        const PromptAnswer answer =
            dialogs_.AskYesNoCancel("Watch the solution found for this map?\n(No: play it yourself.)");
        if (answer == PromptAnswer::Cancel) return;
        watch = answer == PromptAnswer::Yes;
    }
    auto level = WriteTryFile("test.bkg", JoinLines(LevelLines(MapCodes)));
    if (!level) return;
    QStringList arguments{QStringLiteral("--window"), QStringLiteral("--play"), Q(*level)};
    if (watch) arguments << QStringLiteral("--watch") << Q(solutionPath_);
    GameProcess->setWorkingDirectory(QFileInfo(Q(GameProgram)).absolutePath());
    GameProcess->start(Q(GameProgram), arguments);
    SetStatusMessage(watch ? "Watching the solution in the game (Escape there stops it)"
                           : "Test play in the game (Escape there gives up)");
}

void TfrmMain::GameFinished(int exitCode, bool crashed) {
    std::string how;
    if (crashed)
        how = "the game stopped unexpectedly";
    else if (exitCode == 0)
        how = "the level was won";
    else if (exitCode == 3)
        how = "the level was lost";
    else if (exitCode == 4)
        how = "given up";
    else if (exitCode == 5)
        how = "the game's window was closed";
    else
        how = "the game could not play the map (" + LastLine(*GameProcess) + ")";
    SetStatusMessage("Test play: " + how);
}

void TfrmMain::btnWinnableClick() {
    EndStroke();
    if (!ReadyToTry("The winnable check")) return;
    if (SolverProcess->state() != QProcess::NotRunning) return SetStatusMessage("Still searching for a solution");
    if (!QFileInfo(Q(SolverProgram)).isExecutable()) {
        dialogs_.ReportError("The solver was not found beside the editor: " + SolverProgram);
        return;
    }
    auto level = WriteTryFile("solve.bkg", JoinLines(LevelLines(MapCodes)));
    if (!level) return;
    solving_ = MapCodes;
    solveStopped_ = false;
    const QString limit = QString::number(SolveTimeLimit);
    SolverProcess->start(Q(SolverProgram),
                         {QStringLiteral("--data"), QFileInfo(Q(SolverProgram)).absolutePath(), QStringLiteral("--map"),
                          Q(*level), QStringLiteral("--time-limit"), limit, QStringLiteral("--quiet")});
    solveClock_.start();
    // The solver stops itself at the limit and then proves what it found;
    // a solver that does not stop is stopped a little later.
    solveLimit_->start((SolveTimeLimit + 5) * 1000);
    SetStatusMessage("Searching for a solution (up to " + std::to_string(SolveTimeLimit) + " s)...");
}

void TfrmMain::SolverFinished(int exitCode, bool crashed) {
    solveLimit_->stop();
    const double seconds = std::min<double>(solveClock_.elapsed() / 1000.0, SolveTimeLimit);
    const std::string script = QString::fromUtf8(SolverProcess->readAllStandardOutput()).toStdString();
    if (solveStopped_ || (!crashed && exitCode == 1))
        return SetStatusMessage("No solution found in " + SearchSeconds(solveStopped_ ? SolveTimeLimit : seconds) +
                                " (that is not a proof)");
    const auto won = QRegularExpression(QStringLiteral("won at frame (\\d+)")).match(Q(script));
    if (crashed || exitCode != 0 || !won.hasMatch()) {
        const std::string why = crashed ? "it stopped unexpectedly" : LastLine(*SolverProcess);
        return SetStatusMessage("The winnable check failed: " + (why.empty() ? "no answer from the solver" : why));
    }
    if (auto path = WriteTryFile("solution.rpl", script)) {
        solutionPath_ = *path;
        solvedFor_ = solving_;
    }
    std::string answer = "Winnable: a solution of " + PlaySeconds(won.captured(1).toInt()) + " of play, found in " +
                         SearchSeconds(seconds);
    answer += solving_ == MapCodes ? " (F5 can watch it)" : " (for the map as it was; it has changed since)";
    SetStatusMessage(answer);
}

void TfrmMain::EndProcesses() {
    for (QProcess* process : {SolverProcess, GameProcess}) {
        if (!process || process->state() == QProcess::NotRunning) continue;
        process->disconnect(this);
        process->kill();
        process->waitForFinished(2000);
    }
}

} // namespace gravlin
