// TGraphListPanel: the dockable list of the drawing's graphs, and the "Show legend" option.
#include "GraphListPanel.h"

#include "Cp1252.h"
#include "DialogSupport.h"
#include "DrawingEdits.h"
#include "EditorHost.h"
#include "ExtensionSettings.h"
#include "PlotEngine.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>

namespace kurvo {

namespace {

/// A swatch of the colours a graph is drawn in (a family's side by side), dashed graphs with a gap.
QIcon swatch(const TGraphEntry& entry) {
    QPixmap pixmap(24, 14);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    const int pieces = std::max(1, static_cast<int>(entry.colours.size()));
    for (int k = 0; k < pieces && k < static_cast<int>(entry.colours.size()); ++k) {
        const QRect piece(1 + 22 * k / pieces, 1, 22 * (k + 1) / pieces - 22 * k / pieces, 12);
        p.fillRect(piece, entry.colours[static_cast<std::size_t>(k)]);
    }
    if (entry.dashed) p.fillRect(QRect(11, 1, 2, 12), Qt::white);
    p.setPen(QColor(90, 90, 90));
    p.drawRect(0, 0, 23, 13);
    p.end();
    // The selected row shows the same colours, not a tinted copy.
    QIcon icon(pixmap);
    icon.addPixmap(pixmap, QIcon::Selected);
    return icon;
}

/// Says which colour a row's swatch shows, for those who cannot see it.
QString colourDescription(const TGraphEntry& entry, const TSettingsRecord& s) {
    if (entry.family()) return QStringLiteral("drawn in the colours Graph 1 to Graph %1").arg(std::min(entry.members, 5));
    const QColor graphColour = settingsColour(s.GraphColours[static_cast<std::size_t>(entry.slot % 5)]);
    if (!entry.colours.empty() && entry.colours.front() != graphColour) {
        if (entry.colours.front() == settingsColour(s.derivativeColour)) return QStringLiteral("drawn in the derivative colour");
        return QStringLiteral("drawn in the integral colour");
    }
    return QStringLiteral("drawn in the colour Graph %1").arg(entry.slot % 5 + 1) +
           (entry.dashed ? QStringLiteral(", dashed") : QString());
}

/// Row editing: the editor starts with the formula alone (a family's row also shows its member
/// count), and what is typed goes to the panel as an edit of that graph, not into the row.
class TFormulaDelegate : public QStyledItemDelegate {
  public:
    TFormulaDelegate(TGraphListPanel& panel, const std::vector<TGraphEntry>& rows)
        : QStyledItemDelegate(&panel), panel_(panel), rows_(rows) {}

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* line = qobject_cast<QLineEdit*>(editor);
        const auto row = static_cast<std::size_t>(index.row());
        if (line && row < rows_.size()) {
            line->setText(fromCp1252(rows_[row].formula));
            line->setAccessibleName(QStringLiteral("Formula of the graph"));
            line->setMaxLength(static_cast<int>(TGraphDocument::MaxFormulaLength));
        }
    }
    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            const QString text = line->text();
            const int row = index.row();
            // The edit redraws and rebuilds the rows: not from inside the editor's own commit.
            QTimer::singleShot(0, &panel_, [panel = &panel_, row, text] { panel->editRow(row, text); });
        }
    }

  private:
    TGraphListPanel& panel_;
    const std::vector<TGraphEntry>& rows_;
};

} // namespace

TGraphListPanel::TGraphListPanel(TEditorHost& host, EngineSource engine, Plotting runPlotting, QWidget* plotArea,
                                 QWidget* parent)
    : QDockWidget(QStringLiteral("Graph list"), parent), host_(host), engine_(std::move(engine)),
      runPlotting_(std::move(runPlotting)), plotArea_(plotArea) {
    setObjectName(QStringLiteral("GraphList"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    list_ = new QListWidget(body);
    list_->setObjectName(QStringLiteral("GraphsList"));
    list_->setAccessibleName(QStringLiteral("Graphs"));
    list_->setAccessibleDescription(
        QStringLiteral("Each graph's formula; the check box shows or hides it. F2 edits, Delete removes it."));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    list_->setItemDelegate(new TFormulaDelegate(*this, shown_));
    list_->setIconSize(QSize(24, 14));
    list_->installEventFilter(this);
    layout->addWidget(list_);
    auto* buttons = new QHBoxLayout;
    deleteButton_ = new QPushButton(QStringLiteral("Delete graph"), body);
    deleteButton_->setObjectName(QStringLiteral("DeleteGraphButton"));
    deleteButton_->setAccessibleName(QStringLiteral("Delete graph"));
    deleteButton_->setToolTip(QStringLiteral("Delete the selected graph (Delete key)"));
    buttons->addWidget(deleteButton_);
    buttons->addStretch();
    layout->addLayout(buttons);
    setWidget(body);

    connect(list_, &QListWidget::itemSelectionChanged, this, [this] { rowSelected(); });
    connect(list_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) { rowChanged(item); });
    connect(deleteButton_, &QPushButton::clicked, this, [this] { deleteSelected(); });
    connect(toggleViewAction(), &QAction::triggered, this, [this](bool shown) { rememberShown(shown); });
    toggleViewAction()->setText(QStringLiteral("&Graph list"));
    toggleViewAction()->setObjectName(QStringLiteral("GraphList1"));
    toggleViewAction()->setToolTip(QStringLiteral("Show the list of graphs"));

    if (plotArea_) plotArea_->installEventFilter(this);
    setVisible(engine_().Options.showGraphList);
    refresh();
}

void TGraphListPanel::addMenuItems(QMenu& menu) {
    menu.addSeparator();
    menu.addAction(toggleViewAction());
    legendAction_ = menu.addAction(QStringLiteral("Show &legend"));
    legendAction_->setObjectName(QStringLiteral("ShowLegend1"));
    legendAction_->setToolTip(QStringLiteral("Name each graph's formula in a box on the plot"));
    legendAction_->setCheckable(true);
    legendAction_->setChecked(engine_().Options.showLegend);
    connect(legendAction_, &QAction::triggered, this, [this](bool shown) { setLegendShown(shown); });
}

std::vector<TGraphEntry> TGraphListPanel::currentEntries() const {
    TPlotEngine& engine = engine_();
    return graphEntries(engine.Document, engine.Host.relationText());
}

int TGraphListPanel::selectedSlot() const {
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(shown_.size()) || !list_->currentItem() ||
        !list_->currentItem()->isSelected())
        return -1;
    return shown_[static_cast<std::size_t>(row)].slot;
}

void TGraphListPanel::refresh() {
    std::vector<TGraphEntry> entries = currentEntries();
    deleteButton_->setEnabled(selectedSlot() >= 0);
    if (entries == shown_) return;
    const int keepSlot = selectedSlot();
    updating_ = true;
    list_->clear();
    shown_ = std::move(entries);
    const TSettingsRecord& s = host_.currentSettings();
    for (const TGraphEntry& entry : shown_) {
        auto* item = new QListWidgetItem(swatch(entry), fromCp1252(entryText(entry)), list_);
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemIsUserCheckable);
        item->setCheckState(entry.hidden ? Qt::Unchecked : Qt::Checked);
        const QString description = colourDescription(entry, s) + (entry.hidden ? QStringLiteral(", hidden") : QStringLiteral(", shown"));
        item->setData(Qt::AccessibleDescriptionRole, description);
        item->setToolTip(description);
        if (entry.slot == keepSlot) list_->setCurrentItem(item);
    }
    updating_ = false;
    deleteButton_->setEnabled(selectedSlot() >= 0);
}

void TGraphListPanel::rowSelected() {
    deleteButton_->setEnabled(selectedSlot() >= 0);
    if (updating_) return;
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(shown_.size()) || !list_->currentItem()->isSelected()) return;
    // As the pointer's pick of the nearest graph does: its formula goes into the formula field.
    host_.setFormulaFieldText(shown_[static_cast<std::size_t>(row)].formula);
}

void TGraphListPanel::rowChanged(QListWidgetItem* item) {
    if (updating_ || !item) return;
    const int row = list_->row(item);
    if (row < 0 || row >= static_cast<int>(shown_.size())) return;
    const bool shown = item->checkState() == Qt::Checked;
    if (shown == !shown_[static_cast<std::size_t>(row)].hidden) return;
    // The redraw rebuilds the rows: not from inside the item's own change.
    QTimer::singleShot(0, this, [this, row, shown] { setRowShown(row, shown); });
}

void TGraphListPanel::deleteSelected() {
    const int slot = selectedSlot();
    if (slot < 0) return;
    const int row = list_->currentRow();
    runPlotting_([&] { deleteGraph(engine_(), slot); });
    host_.refreshCommands();
    refresh();
    // The next row (or the new last one) is selected, so Delete can be pressed again.
    if (list_->count() > 0) {
        updating_ = true;
        list_->setCurrentRow(std::min(row, list_->count() - 1));
        updating_ = false;
        deleteButton_->setEnabled(selectedSlot() >= 0);
    }
}

void TGraphListPanel::editRow(int row, const QString& text) {
    if (row < 0 || row >= static_cast<int>(shown_.size())) return;
    const int slot = shown_[static_cast<std::size_t>(row)].slot;
    const std::string formula = utf8ToCp1252(text.trimmed().toStdString());
    if (formula == shown_[static_cast<std::size_t>(row)].formula) return;
    runPlotting_([&] { editGraph(engine_(), slot, formula); });
    host_.refreshCommands();
    refresh();
}

void TGraphListPanel::setRowShown(int row, bool shown) {
    if (row < 0 || row >= static_cast<int>(shown_.size())) return;
    const int slot = shown_[static_cast<std::size_t>(row)].slot;
    runPlotting_([&] { setGraphHidden(engine_(), slot, !shown); });
    refresh();
}

bool TGraphListPanel::storeOptions(const TExtensionSettings& options) {
    try {
        writeExtensionSettings(host_.dataSource(), options);
    } catch (const std::exception& e) {
        host_.reportError(e);
        return false;
    }
    engine_().Options = options;
    return true;
}

void TGraphListPanel::setLegendShown(bool shown) {
    TPlotEngine& engine = engine_();
    TExtensionSettings options = engine.Options;
    options.showLegend = shown;
    if (!storeOptions(options)) {
        if (legendAction_) legendAction_->setChecked(engine.Options.showLegend);
        return;
    }
    if (legendAction_) legendAction_->setChecked(shown);
    runPlotting_([&] { engine.replotAll(); });
}

void TGraphListPanel::rememberShown(bool shown) {
    TExtensionSettings options = engine_().Options;
    options.showGraphList = shown;
    // When the file cannot be written the panel still shows or hides; only the next start may differ.
    storeOptions(options);
    if (shown) refresh();
}

void TGraphListPanel::closeEvent(QCloseEvent* event) {
    QDockWidget::closeEvent(event);
    rememberShown(false);
}

bool TGraphListPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == plotArea_ && event->type() == QEvent::Paint && !refreshQueued_) {
        // Every change of the drawing repaints the plot area: the rows are compared after the paint.
        refreshQueued_ = true;
        QTimer::singleShot(0, this, [this] {
            refreshQueued_ = false;
            refresh();
        });
    }
    // While a row is edited its editor has the keys: a Delete here is meant for the graph.
    if (watched == list_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        deleteSelected();
        return true;
    }
    return QDockWidget::eventFilter(watched, event);
}

} // namespace kurvo
