// THelpWindow: a text browser over the help pages, with its navigation buttons.
#include "HelpWindow.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

// The help pages are compiled into the window's static library; nothing else would pull them in.
static void loadHelpPages() {
    Q_INIT_RESOURCE(help);
}

namespace kurvo {

THelpWindow::THelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    loadHelpPages();
    setObjectName("HelpWindow");
    setWindowTitle("Kurvo Help");
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("HelpBrowser");
    browser_->setAccessibleName("Help text");
    browser_->setOpenExternalLinks(true);

    auto* contents = new QPushButton("&Contents", this);
    auto* back = new QPushButton("&Back", this);
    auto* forward = new QPushButton("&Forward", this);
    auto* close = new QPushButton("C&lose", this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(contents, &QPushButton::clicked, this, [this] { showPage("index.html"); });
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this,
            [this] { setWindowTitle("Kurvo Help - " + browser_->documentTitle()); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);
    resize(720, 640);
}

void THelpWindow::showPage(const QString& page) {
    browser_->setSource(QUrl("qrc:/help/" + page));
    show();
    raise();
    activateWindow();
}

} // namespace kurvo
