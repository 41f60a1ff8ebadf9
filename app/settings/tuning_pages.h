// The tab pages of the tuning mode, built from the tab design: every control is a child widget
// with its own object name, found again by that name.
#pragma once

#include <QHash>
#include <QTabWidget>

class QSlider;
class QLabel;

namespace app {

class TuningPages : public QTabWidget {
    Q_OBJECT
  public:
    explicit TuningPages(QWidget* parent = nullptr);

    QWidget* control(const QString& name) const { return controls_.value(name); }
    template <typename T>
    T* control(const QString& name) const {
        return qobject_cast<T*>(control(name));
    }
    QSlider* slider(int number) const;
    QLabel* valueLabel(int number) const;
    QLabel* helpLabel(int number) const;

    // The page of a tab sheet name ("tsNoiseReduction"), or null.
    QWidget* page(const QString& sheet) const;
    QString currentSheet() const;

  private:
    QHash<QString, QWidget*> controls_;
};

}  // namespace app
