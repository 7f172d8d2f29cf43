// Tftrans: the descriptive transformations of the first data set (rotation, enlargement, stretch,
// reflections, translation).
#include "TransformDialog.h"

#include "DialogSupport.h"
#include "DocumentMarks.h"
#include "EditorHost.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace kurvo {
namespace {

/// The most characters the line fields take.
constexpr int LineFieldLength = 20;

QLineEdit* edit(QWidget* parent, const char* name, int maxLength = 32767) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMaxLength(maxLength);
    return e;
}

} // namespace

Tftrans::Tftrans(TEditorHost& host, QWidget* parent)
    : TEditorDialog(host, "Tftrans", "Transformations", parent) {
    RadioButton1 = new QRadioButton("&Rotation", this);
    RadioButton2 = new QRadioButton("&Enlargement", this);
    RadioButton3 = new QRadioButton("&Stretch", this);
    RadioButton4 = new QRadioButton("y=mx+x", this);
    RadioButton5 = new QRadioButton("x=c", this);
    RadioButton6 = new QRadioButton("&Translation", this);
    // The reflections are named by what they do for screen readers; their captions are formulas.
    RadioButton4->setAccessibleName("Reflection in y=mx+c");
    RadioButton5->setAccessibleName("Reflection in x=c");
    Edit1 = edit(this, "Edit1");
    Edit2 = edit(this, "Edit2");
    Edit3 = edit(this, "Edit3");
    Edit4 = edit(this, "Edit4");
    Edit5 = edit(this, "Edit5");
    Edit6 = edit(this, "Edit6", LineFieldLength);
    Edit7 = edit(this, "Edit7", LineFieldLength);
    Memo1 = new QPlainTextEdit("0\n0", this);
    Memo1->setObjectName("Memo1");
    Memo1->setTabChangesFocus(true);
    Memo1->setFixedHeight(Memo1->fontMetrics().lineSpacing() * 2 + 14);
    Memo1->setToolTip("The shift in x on the first line, the shift in y on the second");

    auto* group = new QButtonGroup(this);
    const std::pair<QRadioButton*, TransformKind> choices[] = {
        {RadioButton1, TransformKind::Rotation},
        {RadioButton2, TransformKind::Enlargement},
        {RadioButton3, TransformKind::Stretch},
        {RadioButton4, TransformKind::ReflectionInLine},
        {RadioButton5, TransformKind::ReflectionInVertical},
        {RadioButton6, TransformKind::Translation}};
    int n = 1;
    for (auto [button, kind] : choices) {
        button->setObjectName(QString("RadioButton%1").arg(n++));
        group->addButton(button);
        connect(button, &QRadioButton::clicked, this, [this, kind = kind] { RadioButtonClick(kind); });
    }

    QGridLayout* grid = buildFieldGrid();

    Apply = pushButton("&Apply", "Apply", this, [this] { ApplyClick(); });
    Button1 = pushButton("Close", "Button1", this, [this] { Button1Click(); });
    stackVertically(this, grid, buttonRow({Apply, Button1}));
    RadioButton1->setChecked(true);
    RadioButtonClick(TransformKind::Rotation);
}

QGridLayout* Tftrans::buildFieldGrid() {
    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(RadioButton1, row++, 0, 1, 2);
    addFieldRow(grid, row++, "&Centre", Edit1);
    Edit1->setAccessibleName("Centre of rotation"); // the enlargement has a centre too
    addFieldRow(grid, row++, "An&gle", Edit2);
    Edit2->setAccessibleName("Angle of rotation");
    grid->addWidget(RadioButton2, row, 0);
    grid->addWidget(RadioButton3, row++, 1);
    addFieldRow(grid, row++, "Ce&ntre", Edit3);
    Edit3->setAccessibleName("Centre of enlargement");
    m_factorLabel = fieldLabel("Scale &Factor x", Edit4, this);
    grid->addWidget(m_factorLabel, row, 0);
    grid->addWidget(Edit4, row++, 1);
    m_factorYLabel = fieldLabel("Scale Factor &y", Edit5, this);
    grid->addWidget(m_factorYLabel, row, 0);
    grid->addWidget(Edit5, row++, 1);
    grid->addWidget(new QLabel("Reflection in", this), row++, 0, 1, 2);
    // A reflection: its choice, then its one field with "y=" or "x=" before it.
    auto mirrorRow = [&](QRadioButton* choice, const char* caption, QLineEdit* field, const char* name) {
        grid->addWidget(choice, row, 0);
        auto* fieldRow = new QHBoxLayout;
        fieldRow->addWidget(fieldLabel(caption, field, this));
        fieldRow->addWidget(field);
        grid->addLayout(fieldRow, row++, 1);
        field->setAccessibleName(name);
    };
    mirrorRow(RadioButton4, "y=", Edit6, "Mirror line y=");
    mirrorRow(RadioButton5, "x=", Edit7, "Mirror line x=");
    grid->addWidget(RadioButton6, row, 0, Qt::AlignTop);
    grid->addWidget(Memo1, row++, 1);
    Memo1->setAccessibleName("Translation shift"); // the radio button is "Translation"
    return grid;
}

void Tftrans::openDialog() {
    RadioButton1->setChecked(true);
    RadioButtonClick(TransformKind::Rotation);
    presentDialog(this);
}

void Tftrans::RadioButtonClick(TransformKind kind) {
    m_kind = kind;
    // An enlargement has one factor; a stretch has one across and one up.
    if (kind == TransformKind::Enlargement) {
        m_factorLabel->setText("Scale &Factor");
        Edit4->setAccessibleName("Scale Factor");
        m_factorYLabel->hide();
        Edit5->hide();
    } else if (kind == TransformKind::Stretch) {
        m_factorLabel->setText("Scale &Factor x");
        Edit4->setAccessibleName("Scale Factor x");
        m_factorYLabel->show();
        Edit5->show();
    }
}

TransformationFields Tftrans::fields() const {
    TransformationFields f;
    f.kind = m_kind;
    f.rotationCentre = Edit1->text().toStdString();
    f.angle = Edit2->text().toStdString();
    f.centre = Edit3->text().toStdString();
    f.factor = Edit4->text().toStdString();
    f.factorY = Edit5->text().toStdString();
    f.line = Edit6->text().toStdString();
    f.verticalLine = Edit7->text().toStdString();
    const QStringList shift = Memo1->toPlainText().split('\n');
    f.shiftX = shift.value(0).trimmed().toStdString();
    f.shiftY = shift.value(1).trimmed().toStdString();
    return f;
}

void Tftrans::ApplyClick() {
    try {
        const TransformationRequest request =
            readTransformationFields(fields(), host_.currentSettings().DegreeMode);
        if (!request.ok()) {
            host_.showInformation(request.error);
            return;
        }
        if (!hasFirstSetPoints(host_.drawing())) {
            host_.showInformation(msg::NoDataPoints);
            return;
        }
        if (host_.currentSettings().AutoYScaling) {
            host_.showInformation(msg::TransformWithAutoScaling);
            return;
        }
        std::optional<TMirrorLine> mirror;
        if (request.mirror)
            mirror = TMirrorLine{request.mirror->vertical, request.mirror->slope, request.mirror->intercept};
        // The mirror line is part of the drawing: every redraw and export shows it.
        if (std::string error = host_.transformFirstDataSet(*request.transformation, mirror); !error.empty())
            host_.showInformation(error);
    } catch (const std::exception& e) {
        host_.reportError(e);
    }
}

} // namespace kurvo
