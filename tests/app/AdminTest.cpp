// The administrator features from the window: the password gate, setting the password, the alias
// editor and the toolbar configuration with its rebuild of the toolbars.
#include "AppTestSupport.h"

#include "AliasDialog.h"
#include "PasswordDialog.h"
#include "SetPasswordDialog.h"
#include "ToolbarConfigDialog.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>

namespace kurvo::test {
namespace {

class AdminTest : public AppTest {
  public:
    /// Stores a password in the settings file of the start folder.
    void storePassword(const std::string& password) {
        TSettingsRecord s = data().readSettings();
        s.adminPassword = password;
        data().writeSettings(s);
    }
    Tfpass& prompt() { return *form->dialogs().password(); }
    Tfalias& aliases() { return *form->dialogs().alias(); }
    Ttoolbar_cnfg& toolbarDialog() { return *form->dialogs().toolbarConfig(); }

    /// Chooses an admin menu item and answers the prompt with `typed`.
    void throughGate(const char* command, const char* typed) {
        action(command)->trigger();
        ASSERT_TRUE(prompt().isVisible()) << command;
        ASSERT_FALSE(aliases().isVisible());
        ASSERT_FALSE(toolbarDialog().isVisible());
        QTest::keyClicks(prompt().Edit1, typed);
        QTest::keyClick(prompt().Edit1, Qt::Key_Return); // the default button, OK
    }
    void setItem(int n, bool checked) {
        toolbarDialog().CheckListBox1->item(n)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
    std::vector<std::string> messages() { return form->recordedMessages(); }
};

const char* const Incorrect = "Incorrect password.  Please try again.";

TEST_F(AdminTest, TheAdminFeaturesOpenOnlyAfterTheRightPassword) {
    struct Row {
        const char* stored;
        const char* command;
        const char* typed;
        bool opens;
    };
    const Row rows[] = {
        {"", "ConfigureToolbar1", "", true},
        {"", "FunctionAliases1", "", true},
        {"", "FunctionAliases1", "x", false},
        {"Teacher", "ConfigureToolbar1", "teacher", true},
        {"Teacher", "FunctionAliases1", "TEACHER", true},
        {"Teacher", "ConfigureToolbar1", "", false},
        {"Teacher", "FunctionAliases1", "Teache", false},
        {"Teacher", "ConfigureToolbar1", "Teacher1", false},
    };
    for (const Row& r : rows) {
        storePassword(r.stored);
        open();
        throughGate(r.command, r.typed);
        const bool aliasTarget = std::string(r.command) == "FunctionAliases1";
        EXPECT_EQ(aliases().isVisible(), r.opens && aliasTarget) << r.stored << "/" << r.typed;
        EXPECT_EQ(toolbarDialog().isVisible(), r.opens && !aliasTarget) << r.stored << "/" << r.typed;
        EXPECT_EQ(prompt().isVisible(), !r.opens) << r.stored << "/" << r.typed;
        EXPECT_EQ(messages(), r.opens ? std::vector<std::string>{} : std::vector<std::string>{Incorrect})
            << r.stored << "/" << r.typed;
        // The entry never stays in the field: a wrong one is typed over, a right one is gone.
        if (r.opens) {
            EXPECT_TRUE(prompt().Edit1->text().isEmpty());
        }
        EXPECT_EQ(prompt().Edit1->echoMode(), QLineEdit::Password);
        form.reset();
    }
}

TEST_F(AdminTest, WrongTriesAreNotLimitedAndTheLastChoiceDecidesTheFeature) {
    storePassword("Teacher");
    open();
    throughGate("ConfigureToolbar1", "no");
    QTest::keyClicks(prompt().Edit1, "still no");
    QTest::mouseClick(prompt().Button1, Qt::LeftButton);
    // While the prompt is open the other admin item is chosen: the prompt now guards the aliases.
    action("FunctionAliases1")->trigger();
    EXPECT_TRUE(prompt().Edit1->text().isEmpty());
    QTest::keyClicks(prompt().Edit1, "teacher");
    QTest::mouseClick(prompt().Button1, Qt::LeftButton);
    EXPECT_TRUE(aliases().isVisible());
    EXPECT_FALSE(toolbarDialog().isVisible());
    EXPECT_EQ(messages(), (std::vector<std::string>{Incorrect, Incorrect}));
    // Escape closes the prompt like Cancel.
    action("ConfigureToolbar1")->trigger();
    QTest::keyClick(prompt().Edit1, Qt::Key_Escape);
    EXPECT_FALSE(prompt().isVisible());
    EXPECT_FALSE(toolbarDialog().isVisible());
}

TEST_F(AdminTest, NoCommandShortcutOrButtonOpensTheAdminFeaturesWithoutThePassword) {
    storePassword("Teacher");
    open();
    for (Command c : {Command::ConfigureToolbar, Command::FunctionAliases}) {
        EXPECT_TRUE(form->commands().action(c)->shortcut().isEmpty());
        for (const TToolbarItem& it : toolbarItems())
            EXPECT_NE(it.command, c);
    }
    // Every other command is run once; a modal window one of them opens is closed again at once.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* w = QApplication::activeModalWidget()) w->close();
    });
    closer.start(20);
    for (int c = 0; c < CommandCount; ++c) {
        const auto command = static_cast<Command>(c);
        if (command == Command::Exit || command == Command::ConfigureToolbar || command == Command::FunctionAliases)
            continue;
        QAction* a = form->commands().action(command);
        if (a->isEnabled()) a->trigger();
        EXPECT_FALSE(aliases().isVisible()) << a->objectName().toStdString();
        EXPECT_FALSE(toolbarDialog().isVisible()) << a->objectName().toStdString();
    }
    for (QToolButton* b : form->toolbars().buttons)
        if (b && b->isEnabled()) b->click();
    closer.stop();
    EXPECT_FALSE(aliases().isVisible());
    EXPECT_FALSE(toolbarDialog().isVisible());
}

TEST_F(AdminTest, SetPasswordIsExactStoresTwelveCharactersAndWritesTheWholeRecord) {
    storePassword("Teacher");
    open();
    // The set-password dialog opens without the prompt: it asks for the old password itself.
    action("SetPassword1")->trigger();
    Tfsetpass& d = *form->dialogs().setPassword();
    ASSERT_TRUE(d.isVisible());
    EXPECT_FALSE(prompt().isVisible());
    struct Row {
        const char* oldPassword;
        const char* newPassword;
        const char* repeated;
        const char* message;
    };
    const Row refused[] = {
        {"teacher", "new", "new", Incorrect},
        {"Teacher", "new", "New", "The new password entries are not the same.  Please try again."},
    };
    for (const Row& r : refused) {
        form->setRecordMessages(true);
        d.Edit1->setText(r.oldPassword);
        d.Edit2->setText(r.newPassword);
        d.Edit3->setText(r.repeated);
        QTest::mouseClick(d.OKBtn, Qt::LeftButton);
        EXPECT_TRUE(d.isVisible()) << r.oldPassword;
        ASSERT_FALSE(messages().empty());
        EXPECT_EQ(messages().back(), r.message);
        EXPECT_EQ(form->settings().adminPassword, "Teacher");
        EXPECT_EQ(data().readSettings().adminPassword, "Teacher");
    }
    // The view on screen is saved with the password.
    field(TToolbarSet::XMax)->setText("7");
    form->commands().action(Command::Plot)->trigger();
    d.Edit1->setText("Teacher");
    d.Edit2->setText("Fifteen-chars!!");
    d.Edit3->setText("Fifteen-chars!!");
    QTest::keyClick(d.Edit3, Qt::Key_Return);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(messages().back(), "Password changed");
    const TSettingsRecord stored = data().readSettings();
    EXPECT_EQ(stored.adminPassword, "Fifteen-char");
    EXPECT_EQ(static_cast<double>(stored.Xmax), 7.0);
    for (QLineEdit* e : {d.Edit1, d.Edit2, d.Edit3}) {
        EXPECT_EQ(e->echoMode(), QLineEdit::Password);
        EXPECT_TRUE(e->text().isEmpty());
    }

    // After a restart the new password holds: twelve or all fifteen characters pass the prompt.
    for (const char* typed : {"fifteen-char", "Fifteen-chars!!"}) {
        form.reset();
        open();
        throughGate("FunctionAliases1", typed);
        EXPECT_TRUE(aliases().isVisible()) << typed;
    }
    // The set-password dialog takes only the twelve stored characters as the old password.
    action("SetPassword1")->trigger();
    Tfsetpass& again = *form->dialogs().setPassword();
    again.Edit1->setText("Fifteen-chars!!");
    again.Edit2->setText("x");
    again.Edit3->setText("x");
    QTest::mouseClick(again.OKBtn, Qt::LeftButton);
    EXPECT_EQ(messages().back(), Incorrect);
    again.Edit1->setText("Fifteen-char");
    QTest::mouseClick(again.OKBtn, Qt::LeftButton);
    EXPECT_EQ(messages().back(), "Password changed");
    EXPECT_EQ(data().readSettings().adminPassword, "x");
}

TEST_F(AdminTest, AnAliasTypedInTheFormulaFieldPlotsItsTarget) {
    open();
    throughGate("FunctionAliases1", "");
    ASSERT_TRUE(aliases().isVisible());
    aliases().Memo1->setPlainText(aliases().Memo1->toPlainText() + "\n2x^2-3:hump\n");
    QTest::mouseClick(aliases().OKBtn, Qt::LeftButton);
    EXPECT_FALSE(aliases().isVisible());
    const std::vector<std::string> saved = data().readLines(datafile::CartesianAliases);
    ASSERT_FALSE(saved.empty());
    EXPECT_EQ(saved.back(), "2x^2-3:hump");
    EXPECT_EQ(form->editorHost().aliasListInEffect(), saved);

    formulaEdit()->setText("HUMP");
    form->commands().action(Command::Plot)->trigger();
    EXPECT_TRUE(messages().empty()) << messages().front();
    EXPECT_EQ(form->engine()->Document.UserFormulas[0], "2x^2-3");
    const QImage viaAlias = form->engine()->composedPicture();

    // The same window after a restart, plotting the target itself, draws the same picture.
    form.reset();
    open();
    formulaEdit()->setText("2x^2-3");
    form->commands().action(Command::Plot)->trigger();
    EXPECT_EQ(form->engine()->composedPicture(), viaAlias);
}

TEST_F(AdminTest, ARefusedAliasListIsNeitherSavedNorPutInEffect) {
    open();
    const std::vector<std::string> before = data().readLines(datafile::CartesianAliases);
    throughGate("FunctionAliases1", "");
    const std::vector<std::string> inEffect = form->editorHost().aliasListInEffect();
    aliases().Memo1->setPlainText("2x^2-3:hump\nsquare\nx^2:sq");
    QTest::mouseClick(aliases().OKBtn, Qt::LeftButton);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].rfind("There are errors in your alias list.", 0), 0u) << messages()[0];
    EXPECT_NE(messages()[0].find("Line 2 (square)"), std::string::npos) << messages()[0];
    EXPECT_TRUE(aliases().isVisible()); // open, to put the line right
    EXPECT_EQ(aliases().Memo1->textCursor().selectedText(), "square");
    EXPECT_EQ(data().readLines(datafile::CartesianAliases), before);
    EXPECT_EQ(form->editorHost().aliasListInEffect(), inEffect);

    // Cancel leaves the list in effect as it was: "hump" is no alias.
    QTest::mouseClick(aliases().CancelBtn, Qt::LeftButton);
    EXPECT_FALSE(aliases().isVisible());
    EXPECT_EQ(form->editorHost().aliasListInEffect(), inEffect);
    formulaEdit()->setText("hump");
    form->commands().action(Command::Plot)->trigger();
    EXPECT_EQ(form->engine()->Document.UserFormulas[0], "hump");
}

TEST_F(AdminTest, ThePolarListIsEditedInPolarMode) {
    open();
    const std::vector<std::string> cartesian = data().readLines(datafile::CartesianAliases);
    form->commands().action(Command::Polar)->trigger();
    throughGate("FunctionAliases1", "");
    aliases().Memo1->setPlainText("1+cos t:heart");
    QTest::mouseClick(aliases().OKBtn, Qt::LeftButton);
    EXPECT_EQ(data().readLines(datafile::PolarAliases), std::vector<std::string>{"1+cos t:heart"});
    EXPECT_EQ(data().readLines(datafile::CartesianAliases), cartesian);
}

TEST_F(AdminTest, HiddenToolbarItemsStayHiddenAfterARestartAndComeBack) {
    open();
    const TToolbarConfig original = form->editorHost().toolbarConfig();
    throughGate("ConfigureToolbar1", "");
    ASSERT_TRUE(toolbarDialog().isVisible());
    EXPECT_EQ(toolbarDialog().configuration(), original);
    EXPECT_EQ(toolbarDialog().CheckListBox1->count(), 43);
    EXPECT_EQ(toolbarDialog().CheckListBox1->item(42)->text(), "x cubed");
    const int hidden[] = {item::OpenFile, item::PrintGraph, item::ZoomOut};
    for (int n : hidden)
        setItem(n, false);
    QTest::mouseClick(toolbarDialog().OKBtn, Qt::LeftButton);
    EXPECT_FALSE(toolbarDialog().isVisible());

    TToolbarConfig expected = original;
    for (int n : hidden)
        expected.items[static_cast<std::size_t>(n)] = false;
    for (int restart = 0; restart < 2; ++restart) {
        EXPECT_EQ(form->editorHost().toolbarConfig(), expected) << restart;
        for (int n : hidden)
            EXPECT_EQ(button(n), nullptr) << n << " " << restart;
        EXPECT_NE(button(item::Constants), nullptr) << restart;
        form.reset();
        open();
    }
    EXPECT_EQ(data().readToolbarConfig(), expected);

    throughGate("ConfigureToolbar1", "");
    QTest::mouseClick(toolbarDialog().Button1, Qt::LeftButton); // Select All
    QTest::mouseClick(toolbarDialog().OKBtn, Qt::LeftButton);
    form.reset();
    open();
    for (int n : hidden)
        EXPECT_NE(button(n), nullptr) << n;
    const TToolbarConfig all = form->editorHost().toolbarConfig();
    EXPECT_TRUE(std::all_of(all.items.begin(), all.items.end(), [](bool on) { return on; }));
}

TEST_F(AdminTest, TheDrawingSurvivesAToolbarRebuild) {
    open();
    for (const char* f : {"x^2", "sin x"}) {
        formulaEdit()->setText(f);
        form->commands().action(Command::Plot)->trigger();
    }
    form->engine()->Document.DataSets.appendLines({"1,1", "2,3", "#"});
    field(TToolbarSet::XMax)->setText("7");
    form->commands().action(Command::Plot)->trigger(); // the formula field still says sin x: a third graph, at the new view
    form->toolbars().relationBox->setCurrentIndex(1);
    formulaEdit()->setText("typed, not plotted");
    form->editorHost().replotAllGraphs();
    const QImage before = form->engine()->composedPicture();
    const auto formulas = form->engine()->Document.UserFormulas;
    const auto sets = form->engine()->Document.DataSets.lines();
    const QString relation = form->toolbars().relationBox->currentText();

    throughGate("ConfigureToolbar1", "");
    for (int n : {item::OpenFile, item::PrintGraph, item::ZoomOut, item::TMinField, item::TMaxField})
        setItem(n, false);
    toolbarDialog().CheckBox2->setChecked(!toolbarDialog().CheckBox2->isChecked());
    QTest::mouseClick(toolbarDialog().OKBtn, Qt::LeftButton);

    EXPECT_TRUE(messages().empty()) << messages().front();
    EXPECT_EQ(button(item::OpenFile), nullptr);
    for (QToolBar* bar : {form->toolbars().buttonBar, form->toolbars().rangeBar, form->toolbars().formulaBar})
        EXPECT_TRUE(bar->isVisible()) << bar->objectName().toStdString();
    EXPECT_FALSE(form->plotHost().hasField(TPlotHost::Field::TMin));
    EXPECT_EQ(form->settings().LastGraph, 2);
    EXPECT_EQ(form->engine()->Document.UserFormulas, formulas);
    EXPECT_EQ(form->engine()->Document.DataSets.lines(), sets);
    EXPECT_EQ(formulaEdit()->text(), "typed, not plotted");
    EXPECT_EQ(field(TToolbarSet::XMax)->text(), "7");
    EXPECT_EQ(static_cast<double>(form->settings().Xmax), 7.0);
    EXPECT_EQ(form->toolbars().relationBox->currentText(), relation);
    const QImage after = form->engine()->composedPicture();
    EXPECT_EQ(after.size(), before.size());
    EXPECT_EQ(after, before);

    // The new controls work: Enter in the new formula field and the new Plot button both plot.
    formulaEdit()->setText("x");
    QTest::keyClick(form->toolbars().formulaBox, Qt::Key_Return);
    QTest::mouseClick(form->toolbars().plotButton, Qt::LeftButton);
    EXPECT_EQ(form->settings().LastGraph, 4);
}

TEST_F(AdminTest, CancelChangesNothingAndDeselectAllLeavesNoButtonBar) {
    open();
    const TToolbarConfig original = form->editorHost().toolbarConfig();
    throughGate("ConfigureToolbar1", "");
    setItem(item::Constants, false);
    toolbarDialog().CheckBox1->setChecked(!original.flatButtons);
    QTest::mouseClick(toolbarDialog().CancelBtn, Qt::LeftButton);
    EXPECT_NE(button(item::Constants), nullptr);
    EXPECT_EQ(data().readToolbarConfig(), original);
    // The next showing shows the window's checks and options again.
    throughGate("ConfigureToolbar1", "");
    EXPECT_EQ(toolbarDialog().configuration(), original);

    QTest::mouseClick(toolbarDialog().Button2, Qt::LeftButton); // Deselect All
    QTest::mouseClick(toolbarDialog().OKBtn, Qt::LeftButton);
    EXPECT_EQ(form->toolbars().buttonBar, nullptr);
    ASSERT_NE(form->toolbars().rangeBar, nullptr);
    ASSERT_NE(form->toolbars().formulaBar, nullptr);
    EXPECT_FALSE(form->plotHost().hasPlotStepField());
    EXPECT_EQ(form->toolbars().plotButton, nullptr);
    formulaEdit()->setText("x^2");
    QTest::keyClick(form->toolbars().formulaBox, Qt::Key_Return);
    EXPECT_EQ(form->settings().LastGraph, 0);
    EXPECT_TRUE(messages().empty()) << messages().front();
}

TEST_F(AdminTest, EveryControlOfTheFourDialogsHasAnAccessibleName) {
    open();
    for (QDialog* d : std::initializer_list<QDialog*>{&prompt(), form->dialogs().setPassword(), &aliases(),
                                                      &toolbarDialog()}) {
        for (QWidget* w : d->findChildren<QWidget*>()) {
            const bool control = qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w) ||
                                 qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QListWidget*>(w);
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            if (control && (!a || a->text(QAccessible::Name).isEmpty()))
                ADD_FAILURE() << d->windowTitle().toStdString() << ": " << w->metaObject()->className() << " "
                              << w->objectName().toStdString() << " has no accessible name";
        }
    }
}

} // namespace
} // namespace kurvo::test
