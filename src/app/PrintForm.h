// TPrintForm: the "Kurvo Print" options: the percentage of the page the graph takes.
#pragma once

#include <QDialog>

#include <functional>

class QSpinBox;

namespace kurvo {

/// Asks how much of the page the printed graph takes, in percent (0 to 100 in steps of 5). OK goes
/// on to the printer's own dialog; Help shows the printing page of the help.
class TPrintForm : public QDialog {
  public:
    explicit TPrintForm(std::function<void()> showHelp, QWidget* parent = nullptr);

    int percentage() const;
    QSpinBox* Edit1 = nullptr; ///< the percentage with its up-down arrows
};

} // namespace kurvo
