// A stand-in for another program's top-level window (never a real controller): maps a window
// titled argv[1] ("NULL" or none: "LED Display Controller") that names argv[2] (default: this host)
// as its machine and its own process id, writes "mapped" to its standard output once the server
// has the window, and then waits for events until it is ended.

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

xcb_atom_t Atom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = r ? r->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(r);
    return atom;
}

void SetText(xcb_connection_t* c, xcb_window_t w, xcb_atom_t name, xcb_atom_t type, const std::string& text)
{
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, name, type, 8, static_cast<uint32_t>(text.size()), text.data());
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string title = argc > 1 && std::strcmp(argv[1], "NULL") != 0 ? argv[1] : "LED Display Controller";
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    const std::string machine = argc > 2 ? argv[2] : host;

    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "titled_window_standin: no X server\n");
        return 2;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t w = xcb_generate_id(c);
    // Outside the screen: the window covers nothing another test reads back.
    xcb_create_window(c, XCB_COPY_FROM_PARENT, w, screen->root, -200, -200, 64, 48, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      screen->root_visual, 0, nullptr);
    SetText(c, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, title);
    SetText(c, w, Atom(c, "_NET_WM_NAME"), Atom(c, "UTF8_STRING"), title);
    SetText(c, w, XCB_ATOM_WM_CLIENT_MACHINE, XCB_ATOM_STRING, machine);
    const uint32_t pid = static_cast<uint32_t>(::getpid());
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, Atom(c, "_NET_WM_PID"), XCB_ATOM_CARDINAL, 32, 1, &pid);
    xcb_map_window(c, w);
    // A round trip: once it is answered the server holds the window and its properties.
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    std::printf("mapped\n");
    std::fflush(stdout);
    while (xcb_generic_event_t* e = xcb_wait_for_event(c)) std::free(e);
    xcb_disconnect(c);
    return 0;
}
