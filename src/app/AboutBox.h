// TAboutBox: the modal window of "About Kurvo".
#pragma once

#include <QDialog>

namespace kurvo {

/// Shows the program's name, version and purpose; closes with OK.
class TAboutBox : public QDialog {
  public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

} // namespace kurvo
