// The window's output commands: saving pictures, the clipboard, printing to a PDF file, the help.
#include "AppTestSupport.h"

#include <set>

#include "HelpWindow.h"
#include "PictureOutput.h"
#include "PrintForm.h"

#include <QClipboard>
#include <QDirIterator>
#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTextBrowser>

namespace kurvo::test {
namespace {

class OutputTest : public AppTest {
  public:
    /// The window with two graphs drawn.
    void openWithGraphs() {
        open();
        for (const char* f : {"x^2", "1/x"}) {
            formulaEdit()->setText(f);
            action("Plot")->trigger();
        }
        ASSERT_EQ(form->settings().LastGraph, 1);
    }
    QString inStart(const QString& name) const {
        return QString::fromStdString((start / name.toStdString()).string());
    }
    QStringList filesInStart() const { return QDir(inStart("")).entryList(QDir::Files | QDir::Hidden); }
};

TEST_F(OutputTest, OnlyCommandsThatCannotApplyAreDisabled) {
    open();
    // Undo and Redo follow the drawing's history, not what applies (HistoryTest covers them).
    auto disabled = [&] {
        std::set<Command> off;
        for (int c = 0; c < CommandCount; ++c) {
            const auto command = static_cast<Command>(c);
            if (command != Command::Undo && command != Command::Redo &&
                !form->commands().action(command)->isEnabled())
                off.insert(command);
        }
        return off;
    };
    using C = Command;
    const std::set<C> dataSetCommands = {C::Transformations, C::MatrixTransformations, C::Statistics, C::Regression};
    EXPECT_EQ(disabled(), dataSetCommands);
    form->commands().action(C::Implicit)->trigger();
    std::set<C> implicit = dataSetCommands;
    implicit.insert({C::Parametric, C::ShowTangent, C::PlotDerived, C::PlotIntegral});
    EXPECT_EQ(disabled(), implicit);
    // F1, a shortcut of a menu command, opens the help from the window.
    QTest::keyClick(form.get(), Qt::Key_F1);
    EXPECT_TRUE(form->dialogs().help()->isVisible());
}

TEST_F(OutputTest, SaveAsPictureNamesAndFormats) {
    openWithGraphs();
    struct Row {
        const char* chosen;
        int filter; // index into pictureFilters()
        const char* file;
        const char* magic;
    };
    const Row rows[] = {
        {"plot", 0, "plot.bmp", "BM"},          {"plot.bmp", 0, "plot.bmp.bmp", "BM"},
        {"plot", 1, "plot.gif", "GIF8"},        {"anim.gif", 1, "anim.gif.gif", "GIF8"},
        {"plot.png", 2, "plot.png", "\x89PNG"}, {"plot", 3, "plot.svg", "<?xml"},
        {"plot", 4, "plot.pdf", "%PDF"},
    };
    for (const Row& r : rows) {
        form->fileCommands().savePictureAs(inStart(r.chosen), pictureFilters().at(r.filter));
        QFile file(inStart(r.file));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << r.file;
        EXPECT_TRUE(file.readAll().startsWith(r.magic)) << r.file;
    }
    EXPECT_TRUE(form->recordedMessages().empty()) << form->recordedMessages().front();
    // The bitmap is the picture the window shows.
    EXPECT_EQ(QImage(inStart("plot.bmp")).convertToFormat(QImage::Format_RGB32),
              form->engine()->composedPicture());
}

TEST_F(OutputTest, AFailedSaveIsReportedAndTheOldFileStays) {
    openWithGraphs();
    const QString name = inStart(QString(240, 'g'));
    {
        QFile old(name + ".png");
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    const QStringList before = filesInStart();
    form->fileCommands().savePictureAs(name, pictureFilters().at(2));
    ASSERT_EQ(form->recordedMessages().size(), 1u);
    const std::string message = form->recordedMessages().front();
    EXPECT_EQ(message.rfind("Cannot write " + (name + ".png").toStdString() + ": ", 0), 0u) << message;
    QFile old(name + ".png");
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old");
    EXPECT_EQ(filesInStart(), before) << "no temporary file is left";
}

TEST_F(OutputTest, CopyPutsThePictureOnTheClipboard) {
    openWithGraphs();
    QGuiApplication::clipboard()->clear();
    action("CopytoCliboard1")->trigger();
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(copied.isNull());
    EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32), form->engine()->composedPicture());
}

TEST_F(OutputTest, PrintingToAPdfFileWritesItWholeAndLeavesNoTemporaryFile) {
    openWithGraphs();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(inStart("print.pdf"));
    form->fileCommands().printOn(printer, 50);
    EXPECT_TRUE(form->recordedMessages().empty()) << form->recordedMessages().front();
    QFile pdf(inStart("print.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_TRUE(bytes.trimmed().endsWith("%%EOF"));
    EXPECT_EQ(printer.outputFileName(), inStart("print.pdf")) << "the printer keeps the chosen name";
    EXPECT_EQ(filesInStart(), QStringList{"print.pdf"}) << "no temporary file, no b.bmp";

    // A file that cannot be written is reported with its name, and the old one stays.
    printer.setOutputFileName(inStart("missing/print.pdf"));
    form->fileCommands().printOn(printer, 100);
    ASSERT_EQ(form->recordedMessages().size(), 1u);
    EXPECT_NE(form->recordedMessages().front().find("missing/print.pdf"), std::string::npos);
}

TEST_F(OutputTest, ThePrintFormAsksForAPercentageInStepsOfFive) {
    open();
    TPrintForm* f = form->dialogs().printForm();
    EXPECT_EQ(f->windowTitle(), "Kurvo Print");
    EXPECT_EQ(f->percentage(), 100);
    EXPECT_EQ(f->Edit1->singleStep(), 5);
    f->Edit1->stepDown();
    EXPECT_EQ(f->percentage(), 95);
    f->Edit1->setValue(150);
    EXPECT_EQ(f->percentage(), 100) << "never beyond the page";
    EXPECT_EQ(f->Edit1->accessibleName(), "Percentage of page size");
}

TEST_F(OutputTest, HelpCommandsAndF1OpenTheHelpWindow) {
    open();
    THelpWindow* help = form->dialogs().help();
    EXPECT_FALSE(help->isVisible());
    QTest::keyClick(form.get(), Qt::Key_F1);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->browser()->documentTitle(), "Contents");
    EXPECT_TRUE(help->browser()->toPlainText().contains("Kurvo32 Graph Editor: Help Contents"));
    action("KurvoTutorial1")->trigger();
    EXPECT_EQ(help->browser()->documentTitle(), "Tutorial");
    help->close();
    action("Help2")->trigger();
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->browser()->documentTitle(), "Contents");
}

TEST_F(OutputTest, EveryHelpLinkAndPictureExists) {
    open();
    QTextBrowser* browser = form->dialogs().help()->browser();
    QDirIterator pages(":/help", {"*.html"});
    int count = 0, pictures = 0;
    const QRegularExpression reference(R"re((href|src)="([^"#:]*)(#[^"]*)?")re");
    while (pages.hasNext()) {
        const QString page = pages.next();
        ++count;
        QFile file(page);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        for (auto it = reference.globalMatch(html); it.hasNext();) {
            const auto m = it.next();
            if (m.captured(2).isEmpty()) continue; // a link within the page
            EXPECT_TRUE(QFile::exists(":/help/" + m.captured(2)))
                << page.toStdString() << " -> " << m.captured(2).toStdString();
            if (m.captured(3).size() > 1) {
                QFile target(":/help/" + m.captured(2));
                ASSERT_TRUE(target.open(QIODevice::ReadOnly));
                EXPECT_TRUE(target.readAll().contains(("name=\"" + m.captured(3).mid(1) + "\"").toUtf8()))
                    << page.toStdString() << " -> " << m.captured(0).toStdString();
            }
            if (m.captured(1) == "src") {
                ++pictures;
                EXPECT_FALSE(QImage(":/help/" + m.captured(2)).isNull()) << m.captured(2).toStdString();
            }
        }
    }
    EXPECT_EQ(count, 7);
    EXPECT_GE(pictures, 8);
    // Every menu command's caption appears in the help.
    QString all;
    QDirIterator again(":/help", {"*.html"});
    while (again.hasNext()) {
        browser->setSource(QUrl("qrc" + again.next()));
        all += browser->toPlainText() + "\n";
    }
    QList<QAction*> actions;
    for (int c = 0; c < CommandCount; ++c)
        actions << form->commands().action(static_cast<Command>(c));
    for (int m = 0; m < MenuCount; ++m)
        actions << form->commands().menu(static_cast<Menu>(m))->menuAction();
    for (QAction* a : actions) {
        QString caption =
            a->text().remove('&').simplified().remove(" (Admin only)").remove("(Admin only)");
        if (caption.isEmpty() || a->isSeparator() || caption.startsWith("Type ") ||
            caption == "Angle mode")
            continue;
        caption.replace("Tranformations", "Transformations")
            .replace("Square x and y axes", "Square x and y axes");
        EXPECT_TRUE(all.contains(caption, Qt::CaseInsensitive)) << caption.toStdString();
    }
}

} // namespace
} // namespace kurvo::test
