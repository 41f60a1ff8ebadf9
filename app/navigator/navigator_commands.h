// The navigator panel in the main window: placed left of the viewing and tuning layers, shown in
// either mode as the program options say (View menu), paused while the window runs, following the
// folder of the picture opened, opening pictures on a double click, and the recent folders of the
// File menu.
#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

class QSplitter;

namespace app {

class NavigatorPanel;
class TMainForm;

class NavigatorCommands : public QObject {
    Q_OBJECT
  public:
    explicit NavigatorCommands(TMainForm& form);

    NavigatorPanel* panel() const { return panel_; }
    const QStringList& recentFolders() const { return recent_; }
    // Shows the panel when the mode the window is in asks for it.
    void updateVisibility();

  private:
    void folderShown(const QString& folder);
    // The renaming window on the files; the panel and an open picture follow the new names.
    void renameFiles(const QStringList& files);
    void fillRecentMenu();
    void openRecent(int number);

    TMainForm& form_;
    NavigatorPanel* panel_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QStringList recent_;
    QTimer busyWatch_;
};

}  // namespace app
