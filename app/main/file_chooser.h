// The questions for file names the main window asks: which picture to open, where to save the
// result. The program asks with the file dialogs; tests script the answers.
#pragma once

#include <QString>
#include <optional>

class QWidget;

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
};

// The file dialogs.
class DialogFileChooser : public FileChooser {
  public:
    QString openPicture(QWidget* parent, const QString& folder) override;
    std::optional<SaveChoice> savePicture(QWidget* parent, const QString& proposedPath,
                                          int formatIndex) override;
};

}  // namespace app
