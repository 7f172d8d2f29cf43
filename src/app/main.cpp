// kurvo32: starts the graph editor in the current folder; a graph file given as argument is opened.
#include "Cp1252.h"
#include "MainForm.h"
#include "StartFolder.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "Kurvo32 " KURVO_VERSION "\n";
        return 0;
    }
    QApplication app(argc, argv);
    // No application display name: Qt would append it to the window title, which names the
    // program already.
    QApplication::setApplicationName("Kurvo32");
    // Ties the window to its installed menu entry, whose icon the desktop then shows for it.
    QGuiApplication::setDesktopFileName("org.kurvo32.Kurvo32");
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addFile(QString(":/icon/kurvo32-%1.png").arg(size));
    QApplication::setWindowIcon(icon);

    // The start folder is the current folder; its data folder holds every setting.
    std::error_code ec;
    std::filesystem::path start = std::filesystem::current_path(ec);
    if (ec) start = ".";
    auto text = [](const std::string& cp1252) {
        return QString::fromStdString(kurvo::cp1252ToUtf8(cp1252)).replace('\r', '\n');
    };
    // An installed program finds its shipped defaults relative to its executable; the user's own
    // data folder is then made from them. Run from the build folder, the program asks as before.
    const kurvo::DataFolderPlaces places{
        start,
        kurvo::installedDefaultsFolder(QFile::encodeName(QApplication::applicationDirPath()).toStdString(),
                                       KURVO_DEFAULTS_FROM_BINDIR),
        kurvo::userDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"))};
    std::optional<std::filesystem::path> data = kurvo::chooseDataFolder(
        places,
        [&](const std::string& q) {
            return QMessageBox::question(nullptr, "Kurvo32", text(q), QMessageBox::Yes | QMessageBox::No) ==
                   QMessageBox::Yes;
        },
        [&](const std::string& m) { QMessageBox::critical(nullptr, "Kurvo32", text(m)); });

    kurvo::TMainForm form(start, data ? kurvo::TDataSource(*data) : kurvo::TDataSource::builtInDefaults());
    form.show();
    // A graph file named on the command line (a menu entry passes the file the user opened) is
    // opened as Open does, once the window is up so its messages have a parent.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) {
        const std::filesystem::path file =
            std::filesystem::absolute(QFile::encodeName(arguments.at(1)).toStdString(), ec);
        QTimer::singleShot(0, &form, [&form, file] { form.fileCommands().openFile(file); });
    }
    return QApplication::exec();
}
