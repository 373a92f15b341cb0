#pragma once
// SDL2_ttf for the in-video labels. The library is initialised once for the program: the
// application object (or a test) holds one TtfSession for as long as fonts may be used, and
// every font is closed before the session ends. Font opening, closing and rendering share one
// lock, so that the UI thread and a render thread never use FreeType at the same time.
#include <mutex>
#include <string>

struct _TTF_Font;
typedef struct _TTF_Font TTF_Font;

class TtfSession {
public:
    TtfSession();
    ~TtfSession();
    TtfSession(const TtfSession&) = delete;
    TtfSession& operator=(const TtfSession&) = delete;

    bool IsActive() const { return active; }
    // Whether a session is open anywhere in the program.
    static bool AnyActive();

private:
    bool active = false;
};

namespace ttf {
// Held around every SDL2_ttf call.
std::mutex& Lock();
// The label font: "arial.ttf" in the application folder, at the given point size. Null when no
// session is open or the file is missing.
TTF_Font* OpenAppFont(int pointSize);
TTF_Font* OpenFont(const std::string& path, int pointSize);
void CloseFont(TTF_Font* font);
// Calls the library's own TTF_WasInit (for tests).
int InitCount();
} // namespace ttf
