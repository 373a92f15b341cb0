#include "preview/TtfLibrary.h"

#include "device/PathUtils.h"

#include <SDL_ttf.h>

namespace {

// Sessions may nest (a test may hold one while the application object holds another); the
// library is initialised by the first and shut down by the last.
int g_sessions = 0;
// Fonts still open: a font closed after TTF_Quit would touch a freed library, so the library is
// shut down only once the last session has ended and the last font is closed.
int g_fonts = 0;
bool g_initialised = false;

void QuitWhenUnusedLocked()
{
    if (g_initialised && g_sessions == 0 && g_fonts == 0) {
        TTF_Quit();
        g_initialised = false;
    }
}

} // namespace

TtfSession::TtfSession()
{
    std::lock_guard<std::mutex> guard(ttf::Lock());
    if (!g_initialised) {
        if (TTF_Init() != 0) return;
        g_initialised = true;
    }
    ++g_sessions;
    active = true;
}

TtfSession::~TtfSession()
{
    if (!active) return;
    std::lock_guard<std::mutex> guard(ttf::Lock());
    --g_sessions;
    QuitWhenUnusedLocked();
}

bool TtfSession::AnyActive()
{
    std::lock_guard<std::mutex> guard(ttf::Lock());
    return g_sessions > 0;
}

namespace ttf {

std::mutex& Lock()
{
    static std::mutex lock;
    return lock;
}

TTF_Font* OpenFont(const std::string& path, int pointSize)
{
    std::lock_guard<std::mutex> guard(Lock());
    if (g_sessions == 0) return nullptr;
    TTF_Font* font = TTF_OpenFont(path.c_str(), pointSize);
    if (font) ++g_fonts;
    return font;
}

TTF_Font* OpenAppFont(int pointSize)
{
    return OpenFont((GetAppDirectory() + QStringLiteral("arial.ttf")).toUtf8().toStdString(), pointSize);
}

void CloseFont(TTF_Font* font)
{
    if (!font) return;
    std::lock_guard<std::mutex> guard(Lock());
    TTF_CloseFont(font);
    --g_fonts;
    QuitWhenUnusedLocked();
}

int InitCount()
{
    std::lock_guard<std::mutex> guard(Lock());
    return TTF_WasInit();
}

} // namespace ttf
