// Shared fixture of the window tests: a fresh start folder with the default data folder.
#pragma once

#include "Cp1252.h"
#include "DataFolder.h"
#include "Defaults.h"
#include "MainForm.h"
#include "PaintBox.h"
#include "PlotEngine.h"
#include "ToolbarSet.h"

#include <QAction>
#include <QMenu>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace kurvo::test {

class AppTest : public ::testing::Test {
  public:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        start = std::filesystem::path(dir_.path().toStdString());
        writeDefaultDataFolder(start / "data", false);
    }

    DataFolder data() const { return DataFolder(start / "data"); }

    /// Creates the window (messages recorded) and shows it, as the program does.
    TMainForm& open(bool show = true) {
        form = std::make_unique<TMainForm>(start, start / "data", TMainForm::Messages::Record);
        if (show) {
            form->show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
            QCoreApplication::processEvents();
        }
        return *form;
    }

    QLineEdit* field(TToolbarSet::RangeField f) { return form->toolbars().fields[f]; }
    QLineEdit* formulaEdit() { return form->toolbars().formulaBox->lineEdit(); }
    QToolButton* button(int n) { return form->toolbars().buttons[static_cast<std::size_t>(n)]; }
    /// The action of the command with that object name (the names screen readers see).
    QAction* action(const char* name) {
        for (int c = 0; c < CommandCount; ++c)
            if (QAction* a = form->commands().action(static_cast<Command>(c)); a->objectName() == name) return a;
        for (int m = 0; m < MenuCount; ++m)
            if (QAction* a = form->commands().menu(static_cast<Menu>(m))->menuAction(); a->objectName() == name)
                return a;
        ADD_FAILURE() << "no command named " << name;
        return form->commands().action(Command::Plot);
    }

    QStringList formulaItems() {
        QStringList items;
        for (int i = 0; i < form->toolbars().formulaBox->count(); ++i)
            items << form->toolbars().formulaBox->itemText(i);
        return items;
    }
    QStringList relationItems() {
        QStringList items;
        for (int i = 0; i < form->toolbars().relationBox->count(); ++i)
            items << form->toolbars().relationBox->itemText(i);
        return items;
    }
    /// The lines of a data file as the widgets show them.
    QStringList fileItems(const char* name) {
        QStringList items;
        for (const auto& l : data().readLines(name))
            items << QString::fromStdString(cp1252ToUtf8(l));
        return items;
    }

    QTemporaryDir dir_;
    std::filesystem::path start;
    std::unique_ptr<TMainForm> form;
};

} // namespace kurvo::test
