#pragma once
// The application object: prepares the process (paths, language, icon, settings organisation,
// communication library), runs the main window until it closes, then tears down in reverse.

#include <QApplication>

#include <functional>
#include <memory>

class QWidget;
class TtfSession;

namespace comm {
class CommLibrary;
}

// The main window while it exists (between its creation and its destruction), else null.
extern QWidget* g_pMainDlg;
// Icon resource of the main window.
extern int g_IconId;
inline constexpr int kMainIconId = 103;

// Title of the placeholder window shown while no main window factory is set.
inline constexpr const char* kApplicationTitle = "Tarvo Serial-VideoProcessor";
// Organisation under which QSettings keeps the program's own settings.
inline constexpr const char* kSettingsOrganisation = "VELMORA";

class KordalApp : public QApplication {
public:
    // Builds the main window; called once by Run on the UI thread, after InitInstance. A null
    // result ends the run with exit code 1.
    using MainWindowFactory = std::function<std::unique_ptr<QWidget>()>;

    KordalApp(int& argc, char** argv);
    ~KordalApp() override;

    KordalApp(const KordalApp&) = delete;
    KordalApp& operator=(const KordalApp&) = delete;

    // Set before Run. Without one a plain placeholder window stands in.
    void SetMainWindowFactory(MainWindowFactory factory);
    // Replaces the real communication library (tests). Set before InitInstance.
    void SetCommLibrary(std::unique_ptr<comm::CommLibrary> library);

    // Start-up up to the main window: "Info.ini" path, language (written to "Info.ini"), icon,
    // settings organisation, communication library installed process-wide.
    void InitInstance();
    // InitInstance, then the main window until it closes, then ExitInstance. Returns the exit code.
    int Run();
    // Shuts the communication library down and uninstalls it. Safe to call more than once.
    int ExitInstance();

private:
    int RunMainWindow();

    MainWindowFactory factory_;
    std::unique_ptr<comm::CommLibrary> comm_;
    // SDL2_ttf, initialised once for the program (the in-video labels of the layer cells).
    std::unique_ptr<TtfSession> ttf_;
    bool commInstalled_ = false;
};
