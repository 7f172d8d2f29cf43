// Tfstatistics: the summary statistics of every data point, pooled, in numeric labels.
#include "StatisticsDialog.h"

#include "Cp1252.h"
#include "DialogSupport.h"
#include "EditorHost.h"
#include "NumLab.h"
#include "PlotEngine.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace kurvo {

Tfstatistics::Tfstatistics(TEditorHost& host, QWidget* parent)
    : TEditorDialog(host, "Tfstatistics", "Statistics", parent) {
    // Every caption ends at the same place: the boxes line up in one column.
    int captionWidth = 0;
    for (const StatisticsLabel& l : StatisticsLabels)
        captionWidth = std::max(captionWidth, fontMetrics().horizontalAdvance(fromCp1252(l.caption)));

    // The box takes the widest text of 8 significant digits in this font, so no value that can
    // be written is shown as the overflow indicator.
    const int valueWidth =
        std::max(80, fontMetrics().horizontalAdvance("-8.8888888E-888") + NumLabFramePixels + 4);

    auto* layout = new QVBoxLayout(this);
    for (std::size_t i = 0; i < StatisticsLabels.size(); ++i) {
        const StatisticsLabel& l = StatisticsLabels[i];
        auto* lab = new TNumLab(this);
        lab->setObjectName(QString::fromLatin1(l.name.data(), static_cast<qsizetype>(l.name.size())));
        lab->setLeftText(fromCp1252(l.caption));
        lab->setToolTip(fromCp1252(l.hint));
        lab->setLeftSpace(captionWidth + 16);
        lab->setLabelWidth(valueWidth);
        lab->setDisplayType(dtFloat);
        lab->setPrecision(8);
        lab->setAlignment(Qt::AlignHCenter);
        lab->setFrameStyle(TNumLab::fsLowered);
        lab->setOverflowIndicator("*********");
        layout->addWidget(lab);
        labels[i] = lab;
    }
    OKBtn = pushButton("OK", "OKBtn", this, [this] { OKBtnClick(); });
    OKBtn->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addStretch();
    layout->addSpacing(6);
    layout->addLayout(buttons);
}

TNumLab* Tfstatistics::label(std::string_view name) const {
    for (std::size_t i = 0; i < StatisticsLabels.size(); ++i)
        if (StatisticsLabels[i].name == name) return labels[i];
    return nullptr;
}

bool Tfstatistics::compute() {
    const Statistics s = computeStatistics(host_.drawing().DataSets.allPoints());
    if (!s.ok()) {
        host_.showInformation(s.error);
        return false;
    }
    const auto values = s.values();
    for (std::size_t i = 0; i < values.size(); ++i)
        labels[i]->setValue(values[i]);
    return true;
}

void Tfstatistics::openDialog() {
    if (!compute()) {
        hide();
        return;
    }
    presentDialog(this);
}

} // namespace kurvo
