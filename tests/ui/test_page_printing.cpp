// The page of a real browser view on paper and as PDF: the paper of the locale, the page's text
// and colours, the table head on every page, a file that cannot be written, and the print
// preview. The PDF is read back with poppler's tools; page 1 lands in <build>/screenshots.
// Needs a display (xvfb-run).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <filesystem>

#include "ExportCommands.h"
#include "GRStringUtils.h"
#include "HeadlessBackend.h"
#include "PagePrinting.h"
#include "RealView.h"
#include "ScriptedUser.h"
#include "TempFolder.h"
#include "TestEnvironment.h"

namespace gr::ui::test {
namespace {

constexpr int kRows = 90;

std::string RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput()).toStdString();
}

std::string PdfText(const std::string& pdf, int page) {
    const QString p = QString::number(page);
    return RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-f"), p, QStringLiteral("-l"), p,
                                                 QString::fromStdString(pdf), QStringLiteral("-")});
}

// A money table with a head, striped rows and a name that must stay text.
std::string TablePage() {
    std::string html =
        "<table width=100%><thead><tr bgcolor='FFFF99'><th>Manager</th>"
        "<th>Balance</th></tr></thead><tbody>";
    for (int row = 1; row <= kRows; ++row) {
        const std::string name =
            row == 2 ? HtmlEscape("<Smith & Jones>") : "Manager " + std::to_string(row);
        html += "<tr bgcolor='" + std::string(row % 2 == 0 ? "FFCCFF" : "CCFFFF") + "'><td>" +
                name + "</td><td>" + std::to_string(row * 10) + ".00</td></tr>";
    }
    return html + "</tbody></table>";
}

class PagePrintingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        user = ScriptedUser::Install();
        view = new HtmlView(&window);
        window.resize(800, 600);
        view->resize(800, 600);
        window.show();
        view->navigate();
        ASSERT_TRUE(WaitUntil([&] { return view->isLoaded(); }, 30000));
        view->document()->body()->setInnerHTML(TablePage());
        ASSERT_TRUE(WaitForBrowserToMatchModel(*view, 30000));
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    // Saves the page and waits for the outcome; true when the file was written.
    bool Save(const std::string& path, std::string& message) {
        bool finished = false;
        bool saved = false;
        SavePageAsPdf(*view, path, [&](bool ok, const std::string& why) {
            finished = true;
            saved = ok;
            message = why;
        });
        EXPECT_TRUE(WaitUntil([&] { return finished; }, 60000));
        return saved;
    }

    std::shared_ptr<ScriptedUser> user;
    QWidget window;
    HtmlView* view = nullptr;
    gr::test::TempFolder folder;
};

TEST(PagePaperTest, LetterWhereItIsTheCustomA4Elsewhere) {
    for (const auto territory : {QLocale::UnitedStates, QLocale::Canada, QLocale::Mexico})
        EXPECT_EQ(LocalePaperSize(QLocale(QLocale::AnyLanguage, territory)), QPageSize::Letter);
    for (const auto territory :
         {QLocale::UnitedKingdom, QLocale::Germany, QLocale::France, QLocale::Japan})
        EXPECT_EQ(LocalePaperSize(QLocale(QLocale::AnyLanguage, territory)), QPageSize::A4);
    EXPECT_EQ(LocalePageLayout(QLocale(QLocale::English, QLocale::UnitedStates)).orientation(),
              QPageLayout::Portrait);
}

TEST_F(PagePrintingTest, PdfHoldsThePageOnTheLocalesPaperWithHeadsAndColours) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const std::string pdf = folder.File("money.pdf");
    // A change the browser has not been sent yet is printed too.
    view->document()->body()->children()[0]->rows()[1]->cells()[0]->setInnerText("Manager One");
    std::string message;
    ASSERT_TRUE(Save(pdf, message)) << message;
    EXPECT_EQ(gr::test::ReadBytes(pdf).rfind("%PDF-", 0), 0u);
    const std::string info = RunTool(QStringLiteral("pdfinfo"), {QString::fromStdString(pdf)});
    EXPECT_NE(info.find("(letter)"), std::string::npos) << info;
    EXPECT_EQ(info.find("Pages:           1\n"), std::string::npos) << info;

    const std::string first = PdfText(pdf, 1);
    EXPECT_NE(first.find("Manager One"), std::string::npos) << first;
    EXPECT_NE(first.find("<Smith & Jones>"), std::string::npos) << first;
    const std::string second = PdfText(pdf, 2);
    EXPECT_NE(second.find("Balance"), std::string::npos) << second;
    EXPECT_NE(second.find("Manager " + std::to_string(kRows)), std::string::npos) << second;

    // Page 1 as a picture: the striped rows keep their colours.
    const QString picture = QStringLiteral(GRIDORA_SCREENSHOT_DIR "/page_printing_pdf");
    QDir().mkpath(QStringLiteral(GRIDORA_SCREENSHOT_DIR));
    RunTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("50"),
             QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
             QStringLiteral("-singlefile"), QString::fromStdString(pdf), picture});
    const QImage page(picture + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    int pink = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (page.pixelColor(x, y) == QColor(0xFF, 0xCC, 0xFF)) ++pink;
    EXPECT_GT(pink, page.width() * 10);

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ASSERT_TRUE(Save(pdf, message)) << message;
    EXPECT_NE(RunTool(QStringLiteral("pdfinfo"), {QString::fromStdString(pdf)}).find("(A4)"),
              std::string::npos);
}

TEST_F(PagePrintingTest, AFileThatCannotBeWrittenOrAPageThatCannotPrintIsReported) {
    const std::string pdf = folder.File("no such folder/money.pdf");
    std::string message;
    EXPECT_FALSE(Save(pdf, message));
    EXPECT_EQ(message.rfind("Cannot write " + pdf + ": ", 0), 0u) << message;
    EXPECT_FALSE(std::filesystem::exists(pdf));

    HtmlView::SetBackendFactory([] { return std::make_unique<HeadlessBackend>(); });
    HtmlView headless;
    HtmlView::SetBackendFactory({});
    bool called = false;
    SavePageAsPdf(headless, folder.File("x.pdf"), [&](bool saved, const std::string& why) {
        called = true;
        EXPECT_FALSE(saved);
        EXPECT_FALSE(why.empty());
    });
    EXPECT_TRUE(called);
    EXPECT_FALSE(PrintPage(headless));
}

TEST_F(PagePrintingTest, SaveCommandsAskForTheFileAndTellWhatFailed) {
    SaveCsvCommand("a,b\r\n", "Gridora - Money 2026.csv");
    EXPECT_TRUE(user->messages.empty());

    const std::string csv = folder.File("money.csv");
    user->chooseFile(csv);
    SaveCsvCommand("Manager,Balance\r\n'=1+1,-12.50\r\n", "Gridora - Money 2026.csv");
    EXPECT_EQ(gr::test::ReadBytes(csv), "Manager,Balance\r\n'=1+1,-12.50\r\n");
    const std::string unwritable = folder.File("no such folder/money.csv");
    user->chooseFile(unwritable);
    SaveCsvCommand("x\r\n", "money.csv");
    ASSERT_EQ(user->messages.size(), 1u);
    EXPECT_EQ(
        user->messages[0].text.rfind("The CSV file " + unwritable + " could not be saved.\r\n", 0),
        0u);

    const std::string pdf = folder.File("money.pdf");
    user->chooseFile(pdf);
    SavePdfCommand(*view, "Gridora - Money 2026.pdf");
    EXPECT_TRUE(WaitUntil([&] { return std::filesystem::exists(pdf); }, 60000));
    EXPECT_EQ(user->fileDialogTitles, (std::vector<std::string>{"Save as CSV", "Save as CSV",
                                                                "Save as CSV", "Save as PDF"}));
    EXPECT_EQ(user->messages.size(), 1u);
}

TEST_F(PagePrintingTest, PrintPreviewShowsEveryPage) {
    int pages = 0;
    user->onModal([&](QDialog& dialog) {
        auto* preview = dialog.findChild<QPrintPreviewWidget*>();
        ASSERT_NE(preview, nullptr);
        WaitUntil([&] { return preview->pageCount() > 1; }, 60000);
        pages = preview->pageCount();
    });
    EXPECT_TRUE(PrintPage(*view, &window));
    EXPECT_EQ(user->modalTitles.size(), 1u);
    EXPECT_GT(pages, 1);
}

}  // namespace
}  // namespace gr::ui::test
