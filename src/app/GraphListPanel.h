// TGraphListPanel: the dockable list of the drawing's graphs, and the "Show legend" option.
#pragma once

#include "ExtensionSettings.h"
#include "Legend.h"

#include <QDockWidget>

#include <functional>
#include <vector>

class QAction;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPushButton;

namespace kurvo {

class TEditorHost;
class TPlotEngine;

/// One row per graph of the drawing, in slot order: the formula as typed, a swatch of the colour it
/// is drawn in and a check box that shows or hides it; a family is one row with its member count.
/// Selecting a row puts its formula into the formula field; "Delete graph" (or the Delete key)
/// removes the selected graph; editing a row (double-click or F2) plots the new formula in the
/// graph's slot. The list follows the drawing: every change of it repaints the plot area, which the
/// panel watches. It is a part of the window: it acts on the window's engine through the window's
/// plotting boundary (`runPlotting`), and asks the rest of the editors' host.
class TGraphListPanel : public QDockWidget {
    Q_OBJECT
  public:
    using EngineSource = std::function<TPlotEngine&()>;
    using Plotting = std::function<void(const std::function<void()>&)>;
    TGraphListPanel(TEditorHost& host, EngineSource engine, Plotting runPlotting, QWidget* plotArea,
                    QWidget* parent = nullptr);

    /// Adds the two checkable commands "Graph list" (this panel) and "Show legend" to a menu. Both
    /// are remembered in the data folder's INI file.
    void addMenuItems(QMenu& menu);
    QAction* showLegendAction() const { return legendAction_; }

    QListWidget* list() const { return list_; }
    QPushButton* deleteButton() const { return deleteButton_; }
    /// The slot of the selected row's graph, or -1.
    int selectedSlot() const;

    /// Rebuilds the rows when the drawing's graphs differ from what they show.
    void refresh();

    /// The commands of the panel, as its controls run them.
    void deleteSelected();
    void editRow(int row, const QString& text);
    void setRowShown(int row, bool shown);
    void setLegendShown(bool shown);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void rememberShown(bool shown);
    /// Writes the plot options to the data folder's INI file and takes them; false (said) when the
    /// file could not be written, and then nothing changed.
    bool storeOptions(const TExtensionSettings& options);
    void rowSelected();
    void rowChanged(QListWidgetItem* item);
    std::vector<TGraphEntry> currentEntries() const;

    TEditorHost& host_;
    EngineSource engine_;
    Plotting runPlotting_;
    QWidget* plotArea_;
    QListWidget* list_;
    QPushButton* deleteButton_;
    QAction* legendAction_ = nullptr;
    std::vector<TGraphEntry> shown_; // what the rows show, one entry a row
    bool updating_ = false;          // the rows are being rebuilt: their signals are no user's
    bool refreshQueued_ = false;
};

} // namespace kurvo
