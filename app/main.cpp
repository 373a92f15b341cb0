// The program: the application object prepares the process and runs the main window until it
// closes.

#include "shell/KordalApp.h"

int main(int argc, char** argv)
{
    KordalApp app(argc, argv);
    // The main window joins here through app.SetMainWindowFactory; until then a placeholder runs.
    return app.Run();
}
