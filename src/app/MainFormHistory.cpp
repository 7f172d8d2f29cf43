// TMainForm: undo and redo of the drawing, the caption with the file name and change mark, and the
// question before unsaved changes are lost.
#include "MainForm.h"

#include "Cp1252.h"
#include "GraphFileApply.h"
#include "PaintBox.h"
#include "PlotGestures.h"
#include "PlotEngine.h"

#include <QAction>
#include <QKeySequence>
#include <QMessageBox>
#include <QPushButton>

namespace kurvo {

namespace {
constexpr const char* ProgramCaption = "Kurvo32 Graph Editor";

QString fromCp1252(const std::string& text) {
    return QString::fromStdString(cp1252ToUtf8(text));
}
} // namespace

void TMainForm::stepHistory(bool redo) {
    if (!engine_ || guard_.busy()) return;
    const TPlotMode mode = TPlotMode::of(settings_);
    bool stepped = false;
    runGuarded([&] { stepped = redo ? engine_->redo() : engine_->undo(); });
    if (!stepped) return;
    if (!(TPlotMode::of(settings_) == mode)) {
        // Another mode came back: its preset list, relation box and user functions first, so the
        // graphs are drawn with them. Loading the list puts its first formula into the field: the
        // restored formula goes back over it.
        const std::string formula = formulaText();
        afterModeSwitch();
        setFormulaFieldText(formula);
    } else {
        updateCommands();
    }
    plotting([&] { engine_->replotAll(); });
    gestures_->updateCursor();
}

void TMainForm::updateHistoryCommands() {
    if (!engine_) return;
    TDrawingHistory& history = engine_->History;
    history.commit();
    const std::string undo = history.undoDescription();
    const std::string redo = history.redoDescription();
    const QString undoHint = undo.empty() ? QString("Nothing to undo") : "Undo " + fromCp1252(undo);
    const QString redoHint = redo.empty() ? QString("Nothing to redo") : "Redo " + fromCp1252(redo);
    for (const Command c : {Command::Undo, Command::UndoLastAction}) {
        QAction* a = commands_.action(c);
        if (!a) continue;
        // The pop-up menu's item stays as it always was (with nothing to undo it does nothing).
        if (c == Command::Undo) a->setEnabled(!undo.empty());
        a->setToolTip(undoHint);
        a->setStatusTip(undoHint);
    }
    QAction* r = commands_.action(Command::Redo);
    if (!r) return;
    r->setEnabled(!redo.empty());
    r->setToolTip(redoHint);
    r->setStatusTip(redoHint);

    // "lesson.kvo* - Kurvo32 Graph Editor"; a new drawing that was never changed keeps the plain name.
    const bool modified = history.isModified();
    const std::filesystem::path& file = history.fileName();
    QString title = ProgramCaption;
    if (!file.empty() || modified) {
        const QString name = file.empty() ? QString("Untitled") : QString::fromStdString(file.filename().string());
        title = name + (modified ? "*" : "") + " - " + ProgramCaption;
    }
    if (windowTitle() != title) setWindowTitle(title);
}

bool TMainForm::saveChangesFirst() {
    if (!engine_ || !engine_->History.isModified()) return true;
    const std::string question = "Save changes to the drawing?";
    TSaveAnswer answer = savePromptAnswer_;
    if (recordMessages_) {
        recorded_.push_back(question);
    } else {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Kurvo32"), QString::fromStdString(question),
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
        box.setDefaultButton(QMessageBox::Save);
        box.setAccessibleName("Save changes to the drawing");
        int chosen = QMessageBox::Cancel;
        {
            TSuspendScope input(guard_);
            chosen = box.exec();
        }
        answer = chosen == QMessageBox::Save      ? TSaveAnswer::Save
                 : chosen == QMessageBox::Discard ? TSaveAnswer::Discard
                                                  : TSaveAnswer::Cancel;
    }
    if (answer == TSaveAnswer::Discard) return true;
    if (answer == TSaveAnswer::Cancel) return false;
    const std::filesystem::path file = engine_->History.fileName();
    if (!file.empty())
        files_->saveGraphFileAs(file);
    else if (!recordMessages_)
        files_->saveGraphFile(); // a recorded run asks for no file name: nothing is saved
    // Saved only when the drawing is no longer changed: a cancelled or failed save keeps it open.
    return !engine_->History.isModified();
}

} // namespace kurvo
