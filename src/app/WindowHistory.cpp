// TWindowHistory: undo and redo in the window, the caption, and the save question.
#include "WindowHistory.h"

#include "Cp1252.h"
#include "FileCommands.h"
#include "MainForm.h"
#include "PlotEngine.h"
#include "PlotSwitches.h"
#include "WindowPlotHost.h"

#include <QAction>

namespace kurvo {
namespace {

constexpr const char* ProgramCaption = "Kurvo32 Graph Editor";

QString fromCp1252(const std::string& text) {
    return QString::fromStdString(cp1252ToUtf8(text));
}

void setHint(QAction* a, const QString& hint) {
    a->setToolTip(hint);
    a->setStatusTip(hint);
}

} // namespace

void TWindowHistory::step(bool redo) {
    TPlotEngine* engine = window_.engine();
    if (!engine || window_.inputGuard().busy()) return;
    const TPlotMode mode = TPlotMode::of(window_.settings());
    bool stepped = false;
    window_.runGuarded([&] { stepped = redo ? engine->redo() : engine->undo(); });
    if (!stepped) return;
    if (!(TPlotMode::of(window_.settings()) == mode)) {
        // Another mode came back: its preset list, relation box and user functions first, so the
        // graphs are drawn with them. Loading the list puts its first formula into the field: the
        // restored formula goes back over it.
        const std::string formula = host_.formulaText();
        switches_.afterModeSwitch();
        host_.setFormulaText(formula);
    } else {
        window_.refreshCommands();
    }
    window_.runPlotting([&] { engine->replotAll(); });
    window_.gestures().updateCursor();
}

void TWindowHistory::refresh() {
    TPlotEngine* engine = window_.engine();
    if (!engine) return;
    TDrawingHistory& history = engine->History;
    history.commit();
    const std::string undo = history.undoDescription();
    const std::string redo = history.redoDescription();
    const QString undoHint = undo.empty() ? QString("Nothing to undo") : "Undo " + fromCp1252(undo);
    const QString redoHint = redo.empty() ? QString("Nothing to redo") : "Redo " + fromCp1252(redo);
    const TCommands& commands = window_.commands();
    for (const Command c : {Command::Undo, Command::UndoLastAction}) {
        QAction* a = commands.action(c);
        if (!a) continue;
        // The pop-up menu's item stays as it always was (with nothing to undo it does nothing).
        if (c == Command::Undo) a->setEnabled(!undo.empty());
        setHint(a, undoHint);
    }
    QAction* r = commands.action(Command::Redo);
    if (!r) return;
    r->setEnabled(!redo.empty());
    setHint(r, redoHint);

    // "lesson.kvo* - Kurvo32 Graph Editor"; a new drawing that was never changed keeps the plain name.
    const bool modified = history.isModified();
    const std::filesystem::path& file = history.fileName();
    QString title = ProgramCaption;
    if (!file.empty() || modified) {
        const QString name =
            file.empty() ? QString("Untitled") : QString::fromStdString(file.filename().string());
        title = name + (modified ? "*" : "") + " - " + ProgramCaption;
    }
    if (window_.windowTitle() != title) window_.setWindowTitle(title);
}

bool TWindowHistory::saveChangesFirst() {
    TPlotEngine* engine = window_.engine();
    if (!engine || !engine->History.isModified()) return true;
    const TWindowPlotHost::TSaveAnswer answer = host_.askSaveChanges();
    if (answer == TWindowPlotHost::TSaveAnswer::Discard) return true;
    if (answer == TWindowPlotHost::TSaveAnswer::Cancel) return false;
    const std::filesystem::path file = engine->History.fileName();
    if (!file.empty())
        files_.saveGraphFileAs(file);
    else if (!host_.recordsMessages())
        files_.saveGraphFile(); // a recorded run asks for no file name: nothing is saved
    // Saved only when the drawing is no longer changed: a cancelled or failed save keeps it open.
    return !engine->History.isModified();
}

} // namespace kurvo
