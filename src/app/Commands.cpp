// TCommands: building the actions and menus from the command table, and their states.
#include "Commands.h"

#include "ButtonImages.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <stdexcept>

namespace kurvo {
namespace {

struct MenuDef {
    const char* objectName;
    const char* caption;
    const char* hint;
};

// In Menu order; the pop-up menu is not on the menu bar.
const MenuDef Menus[MenuCount] = {
    {"File1", "&File", ""},        {"Edit1", "&Edit", ""},             {"Edit3", "&Settings", ""},         {"Zooms", "&Zooms", ""},
    {"Effects2", "&Editors", ""},  {"Datasets", "Data Sets", ""},      {"Help1", "&Help", "Help topics"},
    {"PopupMenu1", "", ""},
};

} // namespace

void TCommands::build(QMainWindow& window, std::vector<TCommandDef> defs,
                      const std::function<void(const TCommandDef&)>& wrap) {
    defs_.clear();
    defs_.resize(static_cast<std::size_t>(CommandCount),
                  TCommandDef{Command::None, Menu::None, false, "", "", "", "", -1});
    for (int m = 0; m < MenuCount; ++m) {
        const MenuDef& def = Menus[m];
        QMenu* menu = m == static_cast<int>(Menu::Popup)
                          ? new QMenu(&window)
                          : window.menuBar()->addMenu(QString::fromUtf8(def.caption));
        menu->setObjectName(def.objectName);
        menu->menuAction()->setObjectName(def.objectName);
        menu->setToolTipsVisible(true);
        if (*def.hint) menu->menuAction()->setToolTip(def.hint);
        menus_[static_cast<std::size_t>(m)] = menu;
    }
    auto* modes = new QActionGroup(&window);
    auto* angles = new QActionGroup(&window);
    for (TCommandDef& def : defs) {
        const auto index = static_cast<std::size_t>(def.id);
        if (def.id == Command::None || actions_[index])
            throw std::logic_error(std::string("Command declared twice or without a key: ") + def.objectName);
        QMenu* menu = def.menu == Menu::None ? nullptr : menus_[static_cast<std::size_t>(def.menu)];
        if (menu && def.separatorBefore) menu->addSeparator();
        auto* a = new QAction(QString::fromUtf8(def.text), &window);
        a->setObjectName(def.objectName);
        if (*def.hint) {
            a->setToolTip(def.hint);
            a->setStatusTip(def.hint);
        }
        if (*def.shortcuts) a->setShortcuts(QKeySequence::listFromString(def.shortcuts, QKeySequence::PortableText));
        if (def.image >= 0) setImage(a, def.image);
        a->setIconVisibleInMenu(false);
        a->setCheckable(def.check != TCommandDef::Check::None);
        if (def.check == TCommandDef::Check::ModeGroup) modes->addAction(a);
        if (def.check == TCommandDef::Check::AngleGroup) angles->addAction(a);
        if (menu) menu->addAction(a);
        window.addAction(a);
        QObject::connect(a, &QAction::triggered, &window, [this, index, wrap] { wrap(defs_[index]); });
        actions_[index] = a;
        defs_[index] = std::move(def);
    }
    for (int c = 0; c < CommandCount; ++c)
        if (!actions_[static_cast<std::size_t>(c)])
            throw std::logic_error("A command has no row in the command table: " + std::to_string(c));
}

void TCommands::update(const TCommandState& state) {
    for (const TCommandDef& def : defs_) {
        QAction* a = action(def.id);
        a->setEnabled(!def.enabled || def.enabled(state));
        if (def.checked) a->setChecked(def.checked(state));
        if (def.imageRule) setImage(a, def.imageRule(state));
    }
    menu(Menu::DataSets)->menuAction()->setEnabled(state.dataSets);
}

void TCommands::setImage(QAction* a, int image) {
    if (a->property("image").toInt() == image && !a->icon().isNull()) return;
    a->setIcon(buttonImage(image));
    a->setProperty("image", image);
    // The buttons showing the action say which image they show, for anyone inspecting them.
    for (QObject* o : a->associatedObjects())
        if (o->inherits("QToolButton")) o->setProperty("image", image);
}

} // namespace kurvo
