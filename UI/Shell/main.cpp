// The program Gridora: the main window is the start window; its start-up creates the services.
//
// Options for development and measurement (the program itself needs none):
//   --database-folder DIR  (or GRIDORA_DATABASE_FOLDER) use the database files in DIR
//   --quit-after-paint     quit as soon as the main window has been painted, printing its title
#include <unistd.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QEvent>
#include <QSettings>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "BrowserSandbox.h"
#include "ServiceHost.h"
#include "WarmViewPool.h"
#include "frmMain.h"

namespace {

// Quits the program once the watched window has painted itself for the first time.
class QuitAfterFirstPaint : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            auto* window = static_cast<QWidget*>(watched);
            QTimer::singleShot(0, qApp, [window] {
                std::printf("%s\n", window->windowTitle().toUtf8().constData());
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

  private:
    bool m_done = false;
};

// The browser view's helper process keeps its sandbox wherever the system lets it have one;
// the log says when it runs without, and why.
void ConfigureBrowserSandbox() {
    const std::string denial = gr::ui::BrowserSandboxDenial(geteuid());
    const std::string logLine =
        gr::ui::SandboxLogLine(denial, std::getenv("QTWEBENGINE_DISABLE_SANDBOX"),
                               std::getenv("QTWEBENGINE_CHROMIUM_FLAGS"));
    if (!logLine.empty()) std::fprintf(stderr, "%s\n", logLine.c_str());
    if (denial.empty()) return;
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox");
}

}  // namespace

int main(int argc, char** argv) {
    ConfigureBrowserSandbox();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Gridora"));

    QCommandLineParser parser;
    const QCommandLineOption folderOption(QStringLiteral("database-folder"),
                                          QStringLiteral("Use the database files in <dir>."),
                                          QStringLiteral("dir"));
    const QCommandLineOption quitOption(QStringLiteral("quit-after-paint"),
                                        QStringLiteral("Quit once the main window is painted."));
    parser.addOption(folderOption);
    parser.addOption(quitOption);
    parser.addHelpOption();
    parser.process(app);

    QString folder = parser.value(folderOption);
    if (folder.isEmpty()) folder = qEnvironmentVariable("GRIDORA_DATABASE_FOLDER");
    if (!folder.isEmpty()) gr::host::SetDatabaseFolderOverride(folder.toStdString());

    // Menu commands open their windows without waiting for a browser view to start.
    gr::ui::WarmViewPool viewPool;
    gr::ui::frmMain mainWindow;
    // Size, place and maximised state from the last run.
    QSettings placement(QStringLiteral("Gridora"), QStringLiteral("Gridora"));
    mainWindow.RememberPlacement(&placement);
    if (!mainWindow.StartUp()) return 1;
    QuitAfterFirstPaint quitAfterPaint;
    if (parser.isSet(quitOption)) mainWindow.installEventFilter(&quitAfterPaint);
    mainWindow.show();
    return QApplication::exec();
}
