// TEnvironment: the environment dialog ("Effects & Settings").
#include "EnvironmentDialog.h"

#include "ColourSwatch.h"
#include "DataMarksDialog.h"
#include "DialogSupport.h"
#include "DisplayAccess.h"
#include "EditorHost.h"
#include "Errors.h"
#include "PlotEngine.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <span>

namespace kurvo {

namespace {

constexpr int MarkPictureSize = 30;
constexpr int UpDownLow = 1, UpDownHigh = 10; // what the arrows step through; typing allows more

/// The colour swatches by number: label, and the 0x00BBGGRR field of the values it shows.
struct SwatchRow {
    int number;
    const char* label;
    std::int32_t TEnvironmentValues::*field;
};
const SwatchRow LineColourRows[] = {
    {1, "Background", &TEnvironmentValues::backgroundColour},
    {3, "Axes", &TEnvironmentValues::axesColour},
    {4, "Asymptotes", &TEnvironmentValues::asymptotesColour},
    {5, "Derivative", &TEnvironmentValues::derivativeColour},
    {6, "Integral", &TEnvironmentValues::integralColour},
    {7, "Grid", &TEnvironmentValues::gridColour},
    {8, "Trace Lines", &TEnvironmentValues::traceLinesColour},
    {9, "Tangent", &TEnvironmentValues::tangentColour},
};
constexpr int FirstGraphSwatch = 15; // StaticText15..19: "Graph 1".."Graph 5"
constexpr int FirstMarkSwatch = 10;  // StaticText10..14: "Mark 1".."Mark 5"
constexpr int FontColourSwatch = 2;

/// The check boxes: number, caption, hint and the value each edits.
struct CheckRow {
    int number;
    const char* caption;
    const char* hint;
    bool TEnvironmentValues::*field;
};
const CheckRow SettingsChecks[] = {
    {2, "Plot", "When checked the plot will be shown.", &TEnvironmentValues::showPlot},
    {3, "Axes", "When checked, the axes will be drawn.", &TEnvironmentValues::showAxes},
    {4, "Grid", "When checked, a grid will be drawn.", &TEnvironmentValues::showGrid},
    {5, "Minor Axis Divisions", "When checked, the minor axis divisions will be drawn.",
     &TEnvironmentValues::minorAxisDivisions},
    {6, "Axis Markers", "When checked, numbers will be printed on the axes.",
     &TEnvironmentValues::axisMarkers},
    {7, "Axis Labels", "When checked, the axis labels will be shown.", &TEnvironmentValues::axisLabels},
    {9, "Help", "When checked, these Help messages will appear as now.", &TEnvironmentValues::showHints},
    {12, "Coords Snap to graph", "When checked, these Help messages will appear as now.",
     &TEnvironmentValues::coordsSnapToGraph},
    {1, "Asymptotes", "When checked, asymptotes will be drawn as appropriate.",
     &TEnvironmentValues::showAsymptotes},
    {11, "Asymtote Beep", "When checked, the computer will beep whenever an asymptote is drawn.",
     &TEnvironmentValues::asymptoteBeep},
};
const CheckRow MarkChecks[] = {
    {8, "Connect", "When checked, the points of each data set are joined by lines.",
     &TEnvironmentValues::connectMarks},
    {10, "Outline", "When checked, filled data marks are outlined in black.",
     &TEnvironmentValues::outlineMarks},
};

/// Steps a thickness field by `delta` within the arrows' range; a text that is not a number starts
/// from the lowest value.
void stepThickness(QLineEdit* edit, int delta) {
    bool ok = false;
    const int now = edit->text().trimmed().toInt(&ok);
    edit->setText(QString::number(std::clamp(ok ? now + delta : UpDownLow, UpDownLow, UpDownHigh)));
}

/// The Up and Down keys of a thickness field step it like its arrows.
class TUpDownKeys : public QObject {
  public:
    explicit TUpDownKeys(QLineEdit* edit) : QObject(edit), edit_(edit) { edit->installEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == edit_ && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                stepThickness(edit_, key == Qt::Key_Up ? 1 : -1);
                return true;
            }
        }
        return false;
    }

  private:
    QLineEdit* edit_;
};

/// A thickness field with its up-down arrows.
QWidget* upDownField(QLineEdit* edit, const QString& label, QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    edit->setParent(box);
    edit->setMaximumWidth(48);
    row->addWidget(edit);
    new TUpDownKeys(edit);
    auto* arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    for (auto [arrow, delta, what] :
         {std::tuple{Qt::UpArrow, 1, "up"}, std::tuple{Qt::DownArrow, -1, "down"}}) {
        auto* b = new QToolButton(box);
        b->setArrowType(arrow);
        b->setFixedSize(16, 11);
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus); // the field's Up and Down keys do the same
        b->setAccessibleName(label + " " + what);
        QObject::connect(b, &QToolButton::clicked, edit, [edit, d = delta] { stepThickness(edit, d); });
        arrows->addWidget(b);
    }
    row->addLayout(arrows);
    row->addStretch();
    return box;
}

QGroupBox* hintedGroup(const QString& title, const QString& hint, QWidget* parent) {
    auto* g = new QGroupBox(title, parent);
    g->setToolTip(hint);
    return g;
}

int pointSizeOf(const QFont& f) {
    return f.pointSize() > 0 ? f.pointSize() : QFontInfo(f).pointSize();
}

} // namespace

TEnvironment::TEnvironment(TEditorHost& host, TDataMks& palette, QWidget* parent)
    : TEditorDialog(host, "Environment", "Effects & Settings", parent), palette_(palette) {
    const TSettingsRecord& s = host_.currentSettings();
    lastFont_ = QFont(fromCp1252(s.fontName), std::max(1, s.fontSize));
    chooseColour = [this](const QColor& initial, const QString& title) -> std::optional<QColor> {
        const QColor c = QColorDialog::getColor(initial, this, title);
        if (!c.isValid()) return std::nullopt;
        return c;
    };
    chooseFont = [this](const QFont& start) {
        QFontDialog dialog(start, this);
        dialog.exec();
        return dialog.currentFont();
    };

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    PageControl1->addTab(buildSettingsPage(), "Settings");
    PageControl1->addTab(buildColoursPage(), "Colours");
    PageControl1->addTab(buildLinesPage(), "Lines, Marks and Fonts");
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] { PageControl1Change(); });

    Button1 = new QPushButton("OK", this);
    Button2 = new QPushButton("Cancel", this);
    Button3 = new QPushButton("Apply", this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (auto [b, name] :
         {std::pair{Button1, "Button1"}, std::pair{Button2, "Button2"}, std::pair{Button3, "Button3"}}) {
        b->setObjectName(name);
        b->setAccessibleName(b->text());
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addLayout(buttons);

    connect(&palette_, &TDataMks::markChosen, this, &TEnvironment::showMark);
}

QWidget* TEnvironment::buildSettingsPage() {
    auto* page = new QWidget;
    auto* checks = new QVBoxLayout;
    for (const CheckRow& r : SettingsChecks) {
        auto* c = new QCheckBox(r.caption, page);
        c->setObjectName(QString("CheckBox%1").arg(r.number));
        c->setToolTip(r.hint);
        CheckBox[static_cast<std::size_t>(r.number)] = c;
        checks->addWidget(c);
    }
    // The snap box's hint repeats the Help box's; a screen reader is told what the box does.
    CheckBox[12]->setAccessibleDescription("When checked, the coordinate readout follows the nearest graph.");
    checks->addStretch();

    RadioGroup1 = hintedGroup("Grid Size",
                              "Large: grid lines at the major axis divisions only. Small: at the minor "
                              "divisions too.",
                              page);
    RadioGroup1->setObjectName("RadioGroup1");
    GridLarge = new QRadioButton("Large", RadioGroup1);
    GridSmall = new QRadioButton("Small", RadioGroup1);
    RadioGroup2 =
        hintedGroup("Axis Type", "Pi: the x axis is marked in multiples and fractions of pi.", page);
    RadioGroup2->setObjectName("RadioGroup2");
    AxisNormal = new QRadioButton("Normal", RadioGroup2);
    AxisPi = new QRadioButton("Pi", RadioGroup2);
    for (auto [group, first, second] :
         {std::tuple{RadioGroup1, GridLarge, GridSmall}, std::tuple{RadioGroup2, AxisNormal, AxisPi}}) {
        auto* l = new QVBoxLayout(group);
        l->addWidget(first);
        l->addWidget(second);
    }
    // Both groups take effect at once, before OK or Apply.
    for (QRadioButton* b : {GridLarge, GridSmall})
        connect(b, &QRadioButton::clicked, this, [this] { RadioGroup1Click(); });
    for (QRadioButton* b : {AxisNormal, AxisPi})
        connect(b, &QRadioButton::clicked, this, [this] { RadioGroup2Click(); });

    auto* accuracy =
        hintedGroup("Number Accuracy", "The number of significant figures in the coordinates bar.", page);
    SpinEdit1 = new QSpinBox(accuracy);
    SpinEdit1->setObjectName("SpinEdit1");
    SpinEdit1->setRange(1, 14);
    SpinEdit1->setValue(6);
    SpinEdit1->setToolTip(accuracy->toolTip());
    auto* accuracyRow = new QHBoxLayout(accuracy);
    accuracyRow->addWidget(fieldLabel("Sig. Figs", SpinEdit1, accuracy));
    accuracyRow->addWidget(SpinEdit1);

    auto* step = hintedGroup("Plot Step",
                             "The number of steps across the range a graph is drawn in: more steps "
                             "draw smoother graphs, but slower.",
                             page);
    SpinEdit2 = new QSpinBox(step);
    SpinEdit2->setObjectName("SpinEdit2");
    SpinEdit2->setRange(MinPlotStep, MaxPlotStep);
    SpinEdit2->setValue(256);
    SpinEdit2->setAccessibleName("Plot Step");
    SpinEdit2->setToolTip(step->toolTip());
    (new QHBoxLayout(step))->addWidget(SpinEdit2);

    auto* right = new QVBoxLayout;
    for (QGroupBox* g : {RadioGroup1, RadioGroup2, accuracy, step})
        right->addWidget(g);
    right->addStretch();
    auto* columns = new QHBoxLayout(page);
    columns->addLayout(checks);
    columns->addLayout(right);
    return page;
}

TColourSwatch* TEnvironment::swatch(int number, const QString& label, QWidget* parent) {
    auto* w = new TColourSwatch(label, parent);
    w->setObjectName(QString("StaticText%1").arg(number));
    w->setToolTip(QString("Click to choose the %1 colour.").arg(label));
    connect(w, &TColourSwatch::clicked, this, [this, number] { SwatchClick(number); });
    StaticText[static_cast<std::size_t>(number)] = w;
    return w;
}

QWidget* TEnvironment::buildColoursPage() {
    auto* page = new QWidget;
    auto* lines = new QGridLayout;
    int row = 0;
    for (const SwatchRow& r : LineColourRows) {
        TColourSwatch* w = swatch(r.number, r.label, page);
        lines->addWidget(fieldLabel(r.label, w, page), row, 0);
        lines->addWidget(w, row++, 1);
    }
    auto* graphs = new QGridLayout;
    for (int i = 0; i < 5; ++i) {
        const QString label = QString("Graph %1").arg(i + 1);
        TColourSwatch* w = swatch(FirstGraphSwatch + i, label, page);
        graphs->addWidget(fieldLabel(label, w, page), i, 0);
        graphs->addWidget(w, i, 1);
    }
    auto* columns = new QHBoxLayout(page);
    columns->addLayout(lines);
    columns->addSpacing(24);
    auto* right = new QVBoxLayout;
    right->addLayout(graphs);
    right->addStretch();
    columns->addLayout(right);
    columns->addStretch();
    lines->setRowStretch(row, 1);
    return page;
}

QWidget* TEnvironment::buildLinesPage() {
    auto* page = new QWidget;

    auto* thickness = new QGroupBox("Line Thickness", page);
    auto* grid = new QGridLayout(thickness);
    int row = 0;
    for (auto [edit, name, label] : {std::tuple{&Edit1, "Edit1", "Graph Line Thickness"},
                                     std::tuple{&Edit2, "Edit2", "Axis Line Thickness"},
                                     std::tuple{&Edit3, "Edit3", "Grid Line Thickness"}}) {
        *edit = new QLineEdit(thickness);
        (*edit)->setObjectName(name);
        (*edit)->setToolTip(QString("%1 in pixels").arg(label));
        grid->addWidget(fieldLabel(label, *edit, thickness), row, 0);
        grid->addWidget(upDownField(*edit, label, thickness), row++, 1);
    }

    auto* marks = new QGroupBox("Data Marks", page);
    SpeedButton1 = new QToolButton(marks);
    SpeedButton1->setObjectName("SpeedButton1");
    SpeedButton1->setIconSize(QSize(MarkPictureSize, MarkPictureSize));
    SpeedButton1->setFixedSize(MarkPictureSize + 8, MarkPictureSize + 8);
    SpeedButton1->setFocusPolicy(Qt::StrongFocus);
    SpeedButton1->setToolTip("Choose the data mark");
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    auto* markGrid = new QGridLayout(marks);
    markGrid->addWidget(SpeedButton1, 0, 0, 2, 1);
    int checkRow = 0;
    for (const CheckRow& r : MarkChecks) {
        auto* c = new QCheckBox(r.caption, marks);
        c->setObjectName(QString("CheckBox%1").arg(r.number));
        c->setToolTip(r.hint);
        CheckBox[static_cast<std::size_t>(r.number)] = c;
        markGrid->addWidget(c, checkRow++, 1, 1, 2);
    }
    for (int i = 0; i < 5; ++i) {
        const QString label = QString("Mark %1").arg(i + 1);
        TColourSwatch* w = swatch(FirstMarkSwatch + i, label, marks);
        markGrid->addWidget(fieldLabel(label, w, marks), 2 + i, 1);
        markGrid->addWidget(w, 2 + i, 2);
    }

    auto* font = new QGroupBox("Font", page);
    StaticText20 = new QToolButton(font);
    StaticText20->setObjectName("StaticText20");
    StaticText20->setToolTip("Click to choose the font of the axis numbers.");
    StaticText20->setAccessibleName("Font");
    StaticText20->setFocusPolicy(Qt::StrongFocus);
    StaticText20->setMinimumWidth(140);
    connect(StaticText20, &QToolButton::clicked, this, [this] { StaticText20Click(); });
    StaticText21 = new TDisplayLabel(font);
    StaticText21->setObjectName("StaticText21");
    auto* fontGrid = new QGridLayout(font);
    fontGrid->addWidget(StaticText20, 0, 0, 1, 2);
    fontGrid->addWidget(fieldLabel("Size", StaticText21, font), 1, 0);
    fontGrid->addWidget(StaticText21, 1, 1);
    TColourSwatch* fontColour = swatch(FontColourSwatch, "Colour", font);
    fontColour->setToolTip("Click to choose the colour of the axis numbers.");
    fontGrid->addWidget(fieldLabel("Colour", fontColour, font), 2, 0);
    fontGrid->addWidget(fontColour, 2, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(thickness);
    left->addWidget(font);
    left->addStretch();
    auto* columns = new QHBoxLayout(page);
    columns->addLayout(left);
    columns->addWidget(marks, 0, Qt::AlignTop);
    return page;
}

// ---- showing ----------------------------------------------------------------------------------------

void TEnvironment::FormShow() {
    const TSettingsRecord& s = host_.currentSettings();
    (s.largeGrid ? GridLarge : GridSmall)->setChecked(true);
    (s.piAxis ? AxisPi : AxisNormal)->setChecked(true);
    TEnvironmentValues v = environmentValues(s);
    v.plotStep = host_.plotStepInEffect();
    showValues(v);
    showMark(s.MarkType);
}

void TEnvironment::showValues(const TEnvironmentValues& v) {
    for (const SwatchRow& r : LineColourRows)
        StaticText[static_cast<std::size_t>(r.number)]->setColour(v.*r.field);
    StaticText[FontColourSwatch]->setColour(v.fontColour);
    for (std::size_t i = 0; i < 5; ++i) {
        StaticText[FirstGraphSwatch + i]->setColour(v.GraphColours[i]);
        StaticText[FirstMarkSwatch + i]->setColour(v.MarkColours[i]);
    }
    for (const auto& rows :
         {std::span<const CheckRow>(SettingsChecks), std::span<const CheckRow>(MarkChecks)})
        for (const CheckRow& r : rows)
            CheckBox[static_cast<std::size_t>(r.number)]->setChecked(v.*r.field);
    Edit1->setText(QString::fromStdString(v.graphLineThickness));
    Edit2->setText(QString::fromStdString(v.axisLineThickness));
    Edit3->setText(QString::fromStdString(v.gridLineThickness));
    StaticText20->setText(fromCp1252(v.fontName));
    StaticText20->setAccessibleDescription(StaticText20->text()); // the button's name stays "Font"
    StaticText21->setText(QString::number(v.fontSize));
    SpinEdit1->setValue(v.significantFigures);
    SpinEdit2->setValue(v.plotStep);
}

void TEnvironment::showThicknesses() {
    const TSettingsRecord& s = host_.currentSettings();
    Edit1->setText(QString::number(s.graphLineThickness));
    Edit2->setText(QString::number(s.axisLineThickness));
    Edit3->setText(QString::number(s.gridLineThickness));
}

void TEnvironment::showMark(int markType) {
    SpeedButton1->setIcon(markPicture(markType, MarkPictureSize));
    const QString name = QString("Data mark: %1").arg(markKindName(markType));
    SpeedButton1->setAccessibleName(name);
    SpeedButton1->setAccessibleDescription("Opens the data marks palette");
}

TEnvironmentValues TEnvironment::values() const {
    TEnvironmentValues v;
    for (const SwatchRow& r : LineColourRows)
        v.*r.field = StaticText[static_cast<std::size_t>(r.number)]->colour();
    v.fontColour = StaticText[FontColourSwatch]->colour();
    for (std::size_t i = 0; i < 5; ++i) {
        v.GraphColours[i] = StaticText[FirstGraphSwatch + i]->colour();
        v.MarkColours[i] = StaticText[FirstMarkSwatch + i]->colour();
    }
    for (const auto& rows :
         {std::span<const CheckRow>(SettingsChecks), std::span<const CheckRow>(MarkChecks)})
        for (const CheckRow& r : rows)
            v.*r.field = CheckBox[static_cast<std::size_t>(r.number)]->isChecked();
    v.graphLineThickness = toCp1252(Edit1->text());
    v.axisLineThickness = toCp1252(Edit2->text());
    v.gridLineThickness = toCp1252(Edit3->text());
    v.fontName = toCp1252(StaticText20->text());
    v.fontSize = StaticText21->text().toInt();
    v.significantFigures = SpinEdit1->value();
    v.plotStep = SpinEdit2->value();
    return v;
}

// ---- handlers ---------------------------------------------------------------------------------------

void TEnvironment::PageControl1Change() {
    showThicknesses();
}

void TEnvironment::SwatchClick(int number) {
    TColourSwatch* w = number >= 1 && number < static_cast<int>(StaticText.size())
                           ? StaticText[static_cast<std::size_t>(number)]
                           : nullptr;
    if (!w) return;
    if (const std::optional<QColor> c = chooseColour(w->qcolour(), w->accessibleName())) w->setQColour(*c);
}

void TEnvironment::StaticText20Click() {
    // Whatever the answer, the fields take the font the dialog holds when it closes; the dialog
    // starts from there next time. The font dialog has no colour: the Colour swatch chooses it.
    lastFont_ = chooseFont(lastFont_);
    StaticText20->setText(lastFont_.family());
    StaticText20->setAccessibleDescription(StaticText20->text());
    StaticText21->setText(QString::number(pointSizeOf(lastFont_)));
}

void TEnvironment::SpeedButton1Click() {
    presentDialog(&palette_);
}

void TEnvironment::RadioGroup1Click() {
    host_.setAxisStyle(GridLarge->isChecked(), host_.currentSettings().piAxis);
}

void TEnvironment::RadioGroup2Click() {
    host_.setAxisStyle(host_.currentSettings().largeGrid, AxisPi->isChecked());
}

bool TEnvironment::Store() {
    return host_.storeEnvironment(values());
}

void TEnvironment::Button3Click() {
    if (!Store()) return;
    host_.replotAllGraphs();
    host_.setHintsShown(host_.currentSettings().showHints);
}

void TEnvironment::Button1Click() {
    if (!Store() || !host_.saveEnvironmentWithView(SpinEdit2->value())) return;
    hide();
    // Colours, marks and the rest show at once, as with Apply.
    host_.replotAllGraphs();
    host_.setHintsShown(host_.currentSettings().showHints);
}

void TEnvironment::Button2Click() {
    hide();
}

void TEnvironment::reject() {
    Button2Click();
}

} // namespace kurvo
