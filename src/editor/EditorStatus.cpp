// What the strip below the map says: the status line (the cell under the
// mouse, the current tile, the level check's count and the last report)
// and the level check's list of problems, run after every change.

#include "EditorText.h"
#include "editor/TfrmMain.h"
#include "world/CellNames.h"
#include "world/LevelCheck.h"

#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>

namespace gravlin {

namespace {

std::string Counted(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

} // namespace

void TfrmMain::MapChanged() {
    Findings.clear();
    // Before a map exists there is nothing to check.
    if (!LevelName.empty()) Findings = CheckLevelCodes(MapCodes);
    lstChecks->clear();
    for (const LevelFinding& f : Findings) {
        auto* item = new QListWidgetItem(Q((f.Error ? "" : "Warning: ") + f.Text), lstChecks);
        item->setToolTip(item->text());
        item->setForeground(f.Error ? QColor(160, 0, 0) : QColor(128, 96, 0));
    }
    if (Findings.empty() && !LevelName.empty()) {
        auto* item = new QListWidgetItem(QStringLiteral("No problems found"), lstChecks);
        item->setForeground(QColor(0, 96, 0));
    }
    ShowStatus();
}

QString TfrmMain::StatusText() const {
    std::vector<std::string> parts;
    if (HoverCell && *HoverCell >= 0 && *HoverCell < MapCellCount)
        parts.push_back("Cell (" + std::to_string(CellColumn(*HoverCell)) + ", " + std::to_string(CellRow(*HoverCell)) +
                        "): " + NamedCode(MapCodes[static_cast<std::size_t>(*HoverCell)]));
    parts.push_back("Tile: " + NamedCode(CurrentTile));
    if (!LevelName.empty()) {
        std::size_t errors = 0;
        for (const LevelFinding& f : Findings) errors += f.Error;
        const std::size_t warnings = Findings.size() - errors;
        std::string count = errors ? Counted(errors, "problem", "problems") : std::string();
        if (warnings) count += (errors ? ", " : "") + Counted(warnings, "warning", "warnings");
        parts.push_back(count.empty() ? "No problems" : count);
    }
    if (!StatusMessage.empty()) parts.push_back(StatusMessage);
    std::string text;
    for (const auto& part : parts) text += (text.empty() ? "" : "   |   ") + part;
    return Q(text);
}

void TfrmMain::ShowStatus() {
    const QString text = StatusText();
    lblStatus->setText(QFontMetrics(lblStatus->font()).elidedText(text, Qt::ElideRight, lblStatus->width()));
    lblStatus->setToolTip(text);
}

void TfrmMain::SetStatusMessage(const std::string& message) {
    StatusMessage = message;
    ShowStatus();
}

// What the status line says after opening a file: a short file keeps the
// cells it has no lines for, and codes that are no cell code are named.
std::string TfrmMain::OpenReport(std::size_t lineCount) const {
    std::string report;
    if (lineCount < static_cast<std::size_t>(MapCellCount))
        report = Counted(lineCount, "line", "lines") + ": cells " + std::to_string(lineCount) +
                 " to 191 kept from the previous map";
    std::string unknown;
    std::size_t count = 0;
    for (int i = 0; i < MapCellCount; ++i) {
        const int code = MapCodes[static_cast<std::size_t>(i)];
        if (IsCellCode(code)) continue;
        if (++count <= 4)
            unknown += (count > 1 ? ", " : "") + std::to_string(code) + " at (" + std::to_string(CellColumn(i)) + ", " +
                       std::to_string(CellRow(i)) + ")";
    }
    if (count > 4) unknown += ", ...";
    if (count > 0)
        report +=
            (report.empty() ? "" : "; ") + Counted(count, "code", "codes") + " not in the cell-code table: " + unknown;
    return report;
}

} // namespace gravlin
