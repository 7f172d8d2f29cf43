// TMainMenu: the main window's menu bar and the plot area's pop-up menu.
#pragma once

#include <QHash>
#include <QString>

class QAction;
class QMainWindow;
class QMenu;

namespace kurvo {

/// Builds every menu with its captions, accelerators and hints. Actions and menus are found by the
/// names the rest of the program uses ("Cart1", "Save1", "Datasets", ...).
class TMainMenu {
  public:
    void build(QMainWindow& window);

    /// The action or the menu's action of that name; null for an unknown name.
    QAction* action(const QString& name) const { return actions_.value(name, nullptr); }
    QMenu* menu(const QString& name) const { return menus_.value(name, nullptr); }
    QMenu* popupMenu() const { return popup_; }
    const QHash<QString, QAction*>& actions() const { return actions_; }

  private:
    QHash<QString, QAction*> actions_;
    QHash<QString, QMenu*> menus_;
    QMenu* popup_ = nullptr;
};

} // namespace kurvo
