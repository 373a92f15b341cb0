// The program: the application object prepares the process and runs the main window until it
// closes.

#include "shell/KordalApp.h"
#include "shell/KordalDlg.h"

#include <memory>

int main(int argc, char** argv)
{
    KordalApp app(argc, argv);
    app.SetMainWindowFactory([] { return std::make_unique<KordalDlg>(); });
    return app.Run();
}
