// THelpWindow: the help shipped with the program, in a window of its own.
#pragma once

#include <QWidget>

class QTextBrowser;

namespace kurvo {

/// Shows the HTML help compiled into the program (":/help"), with Contents, Back and Forward.
/// Created once and shown again on each help command.
class THelpWindow : public QWidget {
  public:
    explicit THelpWindow(QWidget* parent = nullptr);

    /// Shows a page of the help ("index.html", "tutorial.html", "output.html#print") and raises the
    /// window.
    void showPage(const QString& page);
    QTextBrowser* browser() const { return browser_; }

  private:
    QTextBrowser* browser_ = nullptr;
};

} // namespace kurvo
