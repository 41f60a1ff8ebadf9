// The questions for file names the main window asks: which picture to open, where to save the
// result. The program asks with the file dialogs; tests script the answers.
#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace core {
class Language;
struct ProgramOptions;
}  // namespace core

namespace app {

struct SaveChoice {
    QString path;
    int formatIndex = 1;  // an index of the output formats (the six formats, then PNG)
};

class FileChooser {
  public:
    virtual ~FileChooser() = default;
    // Empty when the user cancelled.
    virtual QString openPicture(QWidget* parent, const QString& folder) = 0;
    virtual std::optional<SaveChoice> savePicture(QWidget* parent, const QString& proposedPath,
                                                  int formatIndex) = 0;
    // A settings file (".vrs") to load or to save, starting in the folder with the name proposed
    // (may be empty). Empty when the user cancelled; a chooser that offers none cancels.
    virtual QString openSettings(QWidget* /*parent*/, const QString& /*folder*/,
                                 const QString& /*proposedName*/) {
        return {};
    }
    virtual QString saveSettings(QWidget* /*parent*/, const QString& /*folder*/,
                                 const QString& /*proposedName*/) {
        return {};
    }
};

// The file dialogs.
class DialogFileChooser : public FileChooser {
  public:
    QString openPicture(QWidget* parent, const QString& folder) override;
    std::optional<SaveChoice> savePicture(QWidget* parent, const QString& proposedPath,
                                          int formatIndex) override;
    QString openSettings(QWidget* parent, const QString& folder,
                         const QString& proposedName) override;
    QString saveSettings(QWidget* parent, const QString& folder,
                         const QString& proposedName) override;

    // The picture dialogs with their preview; they keep the preview switch and the JPEG quality
    // in options. Until then the plain dialogs ask.
    void usePictureDialogs(const core::Language& language, core::ProgramOptions& options) {
        language_ = &language;
        options_ = &options;
    }

  private:
    const core::Language* language_ = nullptr;
    core::ProgramOptions* options_ = nullptr;
};

}  // namespace app
