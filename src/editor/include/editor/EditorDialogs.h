#pragma once
// Everything the editor asks the user through a dialog: the save prompts,
// the information and error boxes, and the open and save file dialogs. The
// window talks to this interface only, so tests can answer in its place.

#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace gravlin {

enum class PromptAnswer { Yes, No, Cancel };

class EditorDialogs {
  public:
    virtual ~EditorDialogs() = default;

    // A confirmation box with Yes, No and Cancel.
    virtual PromptAnswer AskYesNoCancel(const std::string& text) = 0;
    // A confirmation box with Yes and No; true for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;
    // An information box with OK.
    virtual void Inform(const std::string& text) = 0;
    // An error box with OK.
    virtual void ReportError(const std::string& text) = 0;
    // The open file dialog (dlgOpen), starting in `folder`, no type filter,
    // with `places` (the game's and the player's level folders) offered to
    // go to; the chosen path, or nullopt when cancelled.
    virtual std::optional<std::string> ChooseFileToOpen(const std::string& folder,
                                                        const std::vector<std::string>& places) = 0;
    // The save file dialog (dlgSave), starting in `folder` with `fileName`
    // preset, no type filter, asking before replacing a file, with `places`
    // offered; nullopt when cancelled.
    virtual std::optional<std::string> ChooseFileToSave(const std::string& folder, const std::string& fileName,
                                                        const std::vector<std::string>& places) = 0;
};

// The real dialogs: QMessageBox and QFileDialog, owned by `parent`.
class QtEditorDialogs : public EditorDialogs {
  public:
    explicit QtEditorDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    PromptAnswer AskYesNoCancel(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    void Inform(const std::string& text) override;
    void ReportError(const std::string& text) override;
    std::optional<std::string> ChooseFileToOpen(const std::string& folder,
                                                const std::vector<std::string>& places) override;
    std::optional<std::string> ChooseFileToSave(const std::string& folder, const std::string& fileName,
                                                const std::vector<std::string>& places) override;

  private:
    QWidget* parent_;
};

} // namespace gravlin
