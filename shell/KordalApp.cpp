#include "shell/KordalApp.h"

#include "shell/DiscoveryTargets.h"

#include "comm/CommLibrary.h"
#include "comm/DeviceLink.h"
#include "controls/ImageResources.h"
#include "device/MainWindowLink.h"
#include "device/PathUtils.h"
#include "pagekit/LanguageFiles.h"
#include "platform/TerminationSignals.h"
#include "preview/TtfLibrary.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

QWidget* g_pMainDlg = nullptr;
int g_IconId = 0;

namespace {

// Ends the event loop once the main window has closed (hidden by an accepted close, or deleted),
// whatever other top-level windows are still open. exit(), not quit(): quit() first asks every
// window to close, and any of them could refuse.
class MainWindowCloseWatcher : public QObject {
public:
    MainWindowCloseWatcher(QWidget* window, QCoreApplication* app) : QObject(window), window_(window), app_(app) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == window_ && event->type() == QEvent::Close) {
            // The close is accepted or refused only after the window has seen it.
            QTimer::singleShot(0, app_, [window = window_, app = app_] {
                if (!window || !window->isVisible()) app->exit(0);
            });
        }
        return false;
    }

private:
    QPointer<QWidget> window_;
    QCoreApplication* app_;
};

std::unique_ptr<QWidget> MakePlaceholderWindow()
{
    auto window = std::make_unique<QWidget>();
    window->setWindowTitle(QString::fromLatin1(kApplicationTitle));
    window->resize(800, 600);
    return window;
}

} // namespace

KordalApp::KordalApp(int& argc, char** argv) : QApplication(argc, argv) {}

KordalApp::~KordalApp()
{
    ExitInstance();
}

void KordalApp::SetMainWindowFactory(MainWindowFactory factory)
{
    factory_ = std::move(factory);
}

void KordalApp::SetCommLibrary(std::unique_ptr<comm::CommLibrary> library)
{
    if (commInstalled_) return;  // the installed one stays until exit
    comm_ = std::move(library);
}

void KordalApp::InitInstance()
{
    g_IniPath = GetAppDirectory() + QStringLiteral("Info.ini");
    // The system's language wins at every start; the stored choice is only overwritten.
    SelectLanguage(GetDefaultLanguageName());
    g_IconId = kMainIconId;
    setWindowIcon(LoadIconResource(static_cast<unsigned>(g_IconId)));
    setOrganizationName(QString::fromLatin1(kSettingsOrganisation));
    if (!ttf_) ttf_ = std::make_unique<TtfSession>();

    if (!commInstalled_) {
        if (!comm_) comm_ = std::make_unique<comm::DeviceLink>(DeviceLinkOptionsFromIni(g_IniPath));
        comm::InstallCommLibrary(comm_.get());
        commInstalled_ = true;
    }
}

int KordalApp::Run()
{
    InitInstance();
    const int code = RunMainWindow();
    ExitInstance();
    return code;
}

int KordalApp::RunMainWindow()
{
    std::unique_ptr<QWidget> window = factory_ ? factory_() : MakePlaceholderWindow();
    if (!window) return 1;
    QPointer<QWidget> guard(window.get());
    g_pMainDlg = window.get();
    auto* link = dynamic_cast<MainWindowLink*>(window.get());
    if (link) SetMainWindowLink(link);

    window->installEventFilter(new MainWindowCloseWatcher(window.get(), this));
    // A main window that deletes itself on close ends the run as well; nothing may reach it after.
    const auto destroyedConnection = connect(window.get(), &QObject::destroyed, this, [this, link] {
        if (link && GetMainWindowLink() == link) SetMainWindowLink(nullptr);
        g_pMainDlg = nullptr;
        exit(0);
    });
    // A logout, `kill` or Ctrl+C closes the window as the operator would: the project is saved.
    TerminationSignals terminations([this, guard](int) {
        if (guard) guard->close();
        if (!guard || !guard->isVisible()) exit(0);
    });
    window->show();
    const int code = exec();

    // No reply may reach the main window while it is taken down.
    if (commInstalled_) comm_->Shutdown();
    if (link && GetMainWindowLink() == link) SetMainWindowLink(nullptr);
    g_pMainDlg = nullptr;
    if (guard) {
        disconnect(destroyedConnection);
        window.reset();
    } else {
        (void)window.release();  // already deleted by its own close
    }
    return code;
}

int KordalApp::ExitInstance()
{
    if (commInstalled_) {
        comm_->Shutdown();
        comm::InstallCommLibrary(nullptr);
        commInstalled_ = false;
    }
    comm_.reset();
    // After the main window and with it every cell and its font are gone.
    ttf_.reset();
    return 0;
}
