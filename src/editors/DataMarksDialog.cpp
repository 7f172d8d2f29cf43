// TDataMks: the data-marks palette.
#include "DataMarksDialog.h"

#include "CoordinateSetPlotter.h"
#include "DialogSupport.h"
#include "EditorHost.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

namespace kurvo {

const char* markKindName(int markType) {
    static const char* const names[MarkKindCount] = {
        "single dot",           "upright cross",         "diagonal cross",        "small square outline",
        "large square outline", "small diamond outline", "large diamond outline", "small filled square",
        "large filled square",  "small filled diamond",  "large filled diamond",  "filled circle"};
    return markType >= 1 && markType <= MarkKindCount ? names[markType - 1] : "";
}

QPixmap markPicture(int markType, int size) {
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    // The marks are at most 12 pixels across; three times that fills a tool button. The plotter's
    // own drawing is used, scaled, so the palette shows exactly the shapes the plot will draw.
    constexpr int Scale = 3;
    const int centre = size / (2 * Scale);
    p.scale(Scale, Scale);
    TCoordinateSetPlotter::drawMark(p, markType, centre, centre, QColor(Qt::black), false);
    return picture;
}

namespace {
constexpr int ButtonSize = 44;
constexpr int PictureSize = 36;
} // namespace

TDataMks::TDataMks(TEditorHost& host, QWidget* parent)
    : TEditorDialog(host, "DataMks", "Data Marks", parent) {
    group_ = new QButtonGroup(this);
    group_->setExclusive(true);
    auto* grid = new QGridLayout;
    for (int kind = 1; kind <= MarkKindCount; ++kind) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString("SpeedButton%1").arg(kind));
        b->setFixedSize(ButtonSize, ButtonSize);
        b->setIcon(markPicture(kind, PictureSize));
        b->setIconSize(QSize(PictureSize, PictureSize));
        b->setCheckable(true);
        b->setFocusPolicy(Qt::StrongFocus);
        const QString name = QString("Mark %1: %2").arg(kind).arg(markKindName(kind));
        b->setToolTip(name);
        b->setAccessibleName(name);
        group_->addButton(b, kind);
        grid->addWidget(b, (kind - 1) / 4, (kind - 1) % 4);
        connect(b, &QToolButton::clicked, this, [this, kind] { SpeedButtonClick(kind); });
        SpeedButton[static_cast<std::size_t>(kind - 1)] = b;
    }

    Button1 = pushButton("OK", "Button1", this, [this] { Button1Click(); });
    stackVertically(this, grid, buttonRow({Button1}))->setSizeConstraint(QLayout::SetFixedSize);
}

void TDataMks::FormShow() {
    // The button of the kind in effect is shown pressed.
    const int kind = host_.currentSettings().MarkType;
    if (QAbstractButton* b = group_->button(kind)) {
        b->setChecked(true);
        b->setFocus();
    }
}

void TDataMks::SpeedButtonClick(int markType) {
    if (markType < 1 || markType > MarkKindCount) return;
    if (QAbstractButton* b = group_->button(markType)) b->setChecked(true);
    emit markChosen(markType);
    host_.setMarkType(markType); // the data sets show in the new mark at once
}

void TDataMks::Button1Click() {
    hide();
}

} // namespace kurvo
