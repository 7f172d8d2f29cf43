// TMainMenu: the main window's menu bar and the plot area's pop-up menu.
#pragma once

#include <QHash>
#include <QString>

class QAction;
class QMainWindow;
class QMenu;

namespace kurvo {

/// Declares every command once, as one QAction with its caption, accelerator, hint and checkable
/// state, and builds the menus from them. Toolbar buttons show the same actions. Commands without a
/// menu entry (the angle-mode button, the ² and ³ buttons) are actions of the window too.
/// Actions and menus are found by the names the rest of the program uses ("Cart1", "Save1", ...).
class TMainMenu {
  public:
    void build(QMainWindow& window);

    /// The action or the menu's action of that name. An unknown name is a programming error and
    /// raises std::logic_error, so a misspelt command can never be skipped silently.
    QAction* action(const QString& name) const;
    /// The action of that name, or null (for optional lookups such as a toolbar item with no command).
    QAction* find(const QString& name) const { return actions_.value(name, nullptr); }
    QMenu* menu(const QString& name) const { return menus_.value(name, nullptr); }
    QMenu* popupMenu() const { return popup_; }
    const QHash<QString, QAction*>& actions() const { return actions_; }

  private:
    QHash<QString, QAction*> actions_;
    QHash<QString, QMenu*> menus_;
    QMenu* popup_ = nullptr;
};

} // namespace kurvo
