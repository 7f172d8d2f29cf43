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

struct MenuSpec {
    const char* objectName;
    const char* caption;
    const char* hint;
};

// In Menu order; the pop-up menu is not on the menu bar.
const MenuSpec Menus[MenuCount] = {
    {"File1", "&File", ""},        {"Edit1", "&Edit", ""},             {"Edit3", "&Settings", ""},         {"Zooms", "&Zooms", ""},
    {"Effects2", "&Editors", ""},  {"Datasets", "Data Sets", ""},      {"Help1", "&Help", "Help topics"},
    {"PopupMenu1", "", ""},
};

} // namespace

void TCommands::build(QMainWindow& window, std::vector<TCommandSpec> specs,
                      const std::function<void(const TCommandSpec&)>& wrap) {
    specs_.clear();
    specs_.resize(static_cast<std::size_t>(CommandCount),
                  TCommandSpec{Command::None, Menu::None, false, "", "", "", "", -1});
    for (int m = 0; m < MenuCount; ++m) {
        const MenuSpec& def = Menus[m];
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
    for (TCommandSpec& spec : specs) {
        const auto index = static_cast<std::size_t>(spec.id);
        if (spec.id == Command::None || actions_[index])
            throw std::logic_error(std::string("Command declared twice or without a key: ") + spec.objectName);
        QMenu* menu = spec.menu == Menu::None ? nullptr : menus_[static_cast<std::size_t>(spec.menu)];
        if (menu && spec.separatorBefore) menu->addSeparator();
        auto* a = new QAction(QString::fromUtf8(spec.text), &window);
        a->setObjectName(spec.objectName);
        if (*spec.hint) {
            a->setToolTip(spec.hint);
            a->setStatusTip(spec.hint);
        }
        if (*spec.shortcuts) a->setShortcuts(QKeySequence::listFromString(spec.shortcuts, QKeySequence::PortableText));
        if (spec.image >= 0) setImage(a, spec.image);
        a->setIconVisibleInMenu(false);
        a->setCheckable(spec.check != TCommandSpec::Check::None);
        if (spec.check == TCommandSpec::Check::ModeGroup) modes->addAction(a);
        if (spec.check == TCommandSpec::Check::AngleGroup) angles->addAction(a);
        if (menu) menu->addAction(a);
        window.addAction(a);
        QObject::connect(a, &QAction::triggered, &window, [this, index, wrap] { wrap(specs_[index]); });
        actions_[index] = a;
        specs_[index] = std::move(spec);
    }
    for (int c = 0; c < CommandCount; ++c)
        if (!actions_[static_cast<std::size_t>(c)])
            throw std::logic_error("A command has no row in the command table: " + std::to_string(c));
}

void TCommands::update(const TCommandState& state) {
    for (const TCommandSpec& spec : specs_) {
        QAction* a = action(spec.id);
        a->setEnabled(!spec.enabled || spec.enabled(state));
        if (spec.checked) a->setChecked(spec.checked(state));
        if (spec.imageRule) setImage(a, spec.imageRule(state));
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
