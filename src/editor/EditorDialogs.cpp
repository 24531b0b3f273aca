#include "editor/EditorDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

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

std::optional<std::string> QtEditorDialogs::ChooseFileToOpen(const std::string& folder) {
    QString chosen = QFileDialog::getOpenFileName(parent_, QStringLiteral("Open"), Q(folder));
    if (chosen.isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(chosen).toStdString();
}

std::optional<std::string> QtEditorDialogs::ChooseFileToSave(const std::string& folder, const std::string& fileName) {
    // The dialog asks before replacing an existing file (its default).
    QString start = fileName.empty() ? Q(folder) : QDir(Q(folder)).filePath(Q(fileName));
    QString chosen = QFileDialog::getSaveFileName(parent_, QStringLiteral("Save As"), start);
    if (chosen.isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(chosen).toStdString();
}

} // namespace gravlin
