#include "editor/EditorDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace gravlin {

namespace {
const QString BoxTitle = QStringLiteral("EDITOR");

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
} // namespace

PromptAnswer QtEditorDialogs::AskYesNoCancel(const std::string& text) {
    auto answer = QMessageBox::question(parent_, BoxTitle, Q(text),
                                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes) return PromptAnswer::Yes;
    if (answer == QMessageBox::No) return PromptAnswer::No;
    return PromptAnswer::Cancel;
}

bool QtEditorDialogs::AskYesNo(const std::string& text) {
    return QMessageBox::question(parent_, BoxTitle, Q(text), QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

void QtEditorDialogs::Inform(const std::string& text) {
    QMessageBox::information(parent_, BoxTitle, Q(text), QMessageBox::Ok);
}

void QtEditorDialogs::ReportError(const std::string& text) {
    QMessageBox::critical(parent_, BoxTitle, Q(text), QMessageBox::Ok);
}

namespace {

// A file dialog of Qt's own (the system's may not show the places) with the
// level folders in its side bar, below the usual places.
std::optional<std::string> RunFileDialog(QWidget* parent, QFileDialog::AcceptMode mode, const QString& title,
                                         const std::string& folder, const std::string& fileName,
                                         const std::vector<std::string>& places) {
    QFileDialog dialog(parent, title, Q(folder));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QList<QUrl> side = dialog.sidebarUrls();
    for (const auto& place : places) {
        QUrl url = QUrl::fromLocalFile(Q(place));
        if (!place.empty() && !side.contains(url)) side << url;
    }
    dialog.setSidebarUrls(side);
    // The dialog asks before replacing an existing file (its default).
    if (!fileName.empty()) dialog.selectFile(Q(fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().front()).toStdString();
}

} // namespace

std::optional<std::string> QtEditorDialogs::ChooseFileToOpen(const std::string& folder,
                                                             const std::vector<std::string>& places) {
    return RunFileDialog(parent_, QFileDialog::AcceptOpen, QStringLiteral("Open"), folder, "", places);
}

std::optional<std::string> QtEditorDialogs::ChooseFileToSave(const std::string& folder, const std::string& fileName,
                                                             const std::vector<std::string>& places) {
    return RunFileDialog(parent_, QFileDialog::AcceptSave, QStringLiteral("Save As"), folder, fileName, places);
}

} // namespace gravlin
