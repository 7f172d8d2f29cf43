// TFileCommands: the window's file and output commands (open, save, pictures, printing, clipboard).
#pragma once

#include <QString>

#include <filesystem>
#include <memory>

class QPrinter;

namespace kurvo {

class TMainForm;

/// Open, Save as KurvoFile, Save as Picture, Save As Dataset, Printer Setup, Print and Copy Graph to
/// Clipboard: the file dialogs they show and what they do once a file was chosen. The window's
/// command table calls in here; the chosen-file halves are public for the tests and the command
/// line's file argument. Errors are reported through the window's message boxes.
class TFileCommands {
  public:
    explicit TFileCommands(TMainForm& window);
    ~TFileCommands();
    TFileCommands(const TFileCommands&) = delete;
    TFileCommands& operator=(const TFileCommands&) = delete;

    /// Open: asks for a graph file or a data-set file; a graph file only after the save question.
    void open();
    /// Opens a graph file or imports a data-set file, as Open does once a file was chosen.
    void openFile(const std::filesystem::path& file);
    /// Save as KurvoFile: asks for a name, then saves.
    void saveGraphFile();
    /// Writes the drawing as a graph file, as Save as KurvoFile does once a name was chosen.
    void saveGraphFileAs(const std::filesystem::path& file);
    /// Save As Dataset: the data-set export dialog.
    void saveDataset();
    /// Save as Picture: asks for a name and a format, then saves.
    void savePicture();
    /// Saves the picture under a name chosen in the picture save dialog with one of its filters
    /// (the dialog's result, for the tests); a failure is reported in a message box.
    void savePictureAs(const QString& chosenName, const QString& filter);
    void copyToClipboard();
    void printerSetup();
    /// Print: the percentage form, then the printer's own dialog, then the page.
    void print();
    /// Prints the graph at `percent` of the page on `target`; a failure is reported in a message box.
    void printOn(QPrinter& target, int percent);
    /// The printer the set-up and print dialogs choose, kept for the session.
    QPrinter& printer();

  private:
    TMainForm& window_;
    std::unique_ptr<QPrinter> printer_;
};

} // namespace kurvo
