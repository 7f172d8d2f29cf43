// kurvo32: starts the graph editor in the current folder.
#include "Cp1252.h"
#include "MainForm.h"
#include "StartFolder.h"

#include <QApplication>
#include <QMessageBox>

#include <filesystem>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // No application display name: Qt would append it to the window title, which names the
    // program already.
    QApplication::setApplicationName("Kurvo32");

    // The start folder is the current folder; its data folder holds every setting.
    std::error_code ec;
    std::filesystem::path start = std::filesystem::current_path(ec);
    if (ec) start = ".";
    auto text = [](const std::string& cp1252) {
        return QString::fromStdString(kurvo::cp1252ToUtf8(cp1252)).replace('\r', '\n');
    };
    std::optional<std::filesystem::path> data = kurvo::offerDefaultDataFolder(
        start,
        [&](const std::string& q) {
            return QMessageBox::question(nullptr, "Kurvo32", text(q), QMessageBox::Yes | QMessageBox::No) ==
                   QMessageBox::Yes;
        },
        [&](const std::string& m) { QMessageBox::critical(nullptr, "Kurvo32", text(m)); });

    kurvo::TMainForm form(start, data ? kurvo::TDataSource(*data) : kurvo::TDataSource::builtInDefaults());
    form.show();
    return QApplication::exec();
}
