// TWindowPlotHost: the window's fields, message boxes and cursors, as the plotting engine sees them.
#include "WindowPlotHost.h"

#include "Cp1252.h"
#include "DialogSet.h"
#include "FamiliesDialog.h"
#include "FormulaBar.h"
#include "InputGuard.h"

#include <QApplication>
#include <QMessageBox>

namespace kurvo {
namespace {

/// The message box's text: the engine's texts break lines with a carriage return.
QString boxText(const std::string& cp1252) {
    return QString::fromStdString(cp1252ToUtf8(cp1252)).replace('\r', '\n');
}

TFormulaBar::Field rangeField(TPlotHost::Field f) {
    return static_cast<TFormulaBar::Field>(f);
}

} // namespace

// ---- fields -----------------------------------------------------------------------------------------------

std::string TWindowPlotHost::formulaText() const {
    return bar_.formulaText();
}

void TWindowPlotHost::setFormulaText(const std::string& text) {
    bar_.setFormulaText(text);
}

std::string TWindowPlotHost::relationText() const {
    return bar_.relationText();
}

bool TWindowPlotHost::hasField(Field f) const {
    return bar_.hasField(rangeField(f));
}

std::string TWindowPlotHost::fieldText(Field f) const {
    return bar_.fieldText(rangeField(f));
}

void TWindowPlotHost::setFieldText(Field f, const std::string& text) {
    bar_.setFieldText(rangeField(f), text);
}

bool TWindowPlotHost::hasPlotStepField() const {
    return bar_.hasPlotStepField();
}

std::string TWindowPlotHost::plotStepFieldText() const {
    return bar_.plotStepFieldText();
}

std::optional<TFamilyFields> TWindowPlotHost::familyFields() const {
    return dialogs_.families()->fields();
}

// ---- message boxes ----------------------------------------------------------------------------------------

bool TWindowPlotHost::recorded(const std::string& text) {
    if (recordMessages_) recorded_.push_back(text);
    return recordMessages_;
}

void TWindowPlotHost::showMessage(const std::string& text) {
    if (recorded(text)) return;
    TSuspendScope input(guard_);
    QMessageBox::information(&window_, "Kurvo32", boxText(text));
}

bool TWindowPlotHost::askQuestion(const std::string& text) {
    if (recorded(text)) return recordedAnswer_;
    TSuspendScope input(guard_);
    return QMessageBox::question(&window_, "Kurvo32", boxText(text), QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void TWindowPlotHost::showError(const std::exception& e) {
    if (recorded(e.what())) return;
    TSuspendScope input(guard_);
    QMessageBox::critical(&window_, "Kurvo32", boxText(e.what()));
}

TWindowPlotHost::TSaveAnswer TWindowPlotHost::askSaveChanges() {
    const std::string question = "Save changes to the drawing?";
    if (recorded(question)) return saveAnswer_;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Kurvo32"), QString::fromStdString(question),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, &window_);
    box.setDefaultButton(QMessageBox::Save);
    box.setAccessibleName("Save changes to the drawing");
    int chosen = QMessageBox::Cancel;
    {
        TSuspendScope input(guard_);
        chosen = box.exec();
    }
    return chosen == QMessageBox::Save      ? TSaveAnswer::Save
           : chosen == QMessageBox::Discard ? TSaveAnswer::Discard
                                            : TSaveAnswer::Cancel;
}

// ---- the plot area while plotting -------------------------------------------------------------------------

bool TWindowPlotHost::pollStop() {
    return guard_.poll();
}

void TWindowPlotHost::setCursor(Cursor c) {
    // Indexed by Cursor; Normal is the plot area's own cursor.
    static constexpr Qt::CursorShape Shapes[] = {Qt::ArrowCursor, Qt::WaitCursor, Qt::CrossCursor,
                                                 Qt::PointingHandCursor, Qt::DragMoveCursor};
    if (c == Cursor::Normal)
        plotArea_.unsetCursor();
    else
        plotArea_.setCursor(Shapes[static_cast<int>(c)]);
}

void TWindowPlotHost::beep() {
    QApplication::beep();
}

} // namespace kurvo
