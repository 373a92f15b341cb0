#include "platform/TopLevelWindows.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <optional>
#include <unistd.h>

namespace {

// How many levels below a root child a framed client window may sit (frame, decoration, client).
constexpr int kClientSearchDepth = 3;
// Longest property read, in 32-bit units (titles and host names are far shorter).
constexpr uint32_t kPropertyLength = 1024;

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

struct ConnectionDeleter {
    void operator()(xcb_connection_t* c) const { xcb_disconnect(c); }
};

xcb_atom_t Atom(xcb_connection_t* c, const char* name)
{
    Reply<xcb_intern_atom_reply_t> r(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return r ? r->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

struct Atoms {
    xcb_atom_t wmState = XCB_ATOM_NONE;
    xcb_atom_t netWmName = XCB_ATOM_NONE;
    xcb_atom_t netWmPid = XCB_ATOM_NONE;
};

// A property's type and bytes; nothing when the window has none (or is gone).
struct Property {
    xcb_atom_t type = XCB_ATOM_NONE;
    uint8_t format = 0;
    std::string bytes;
};

std::optional<Property> GetProperty(xcb_connection_t* c, xcb_window_t w, xcb_atom_t name)
{
    if (name == XCB_ATOM_NONE) return std::nullopt;
    Reply<xcb_get_property_reply_t> r(
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, name, XCB_GET_PROPERTY_TYPE_ANY, 0, kPropertyLength), nullptr));
    if (!r || r->type == XCB_ATOM_NONE) return std::nullopt;
    const int length = xcb_get_property_value_length(r.get());
    const auto* value = static_cast<const char*>(xcb_get_property_value(r.get()));
    Property p;
    p.type = r->type;
    p.format = r->format;
    if (length > 0 && value) p.bytes.assign(value, static_cast<size_t>(length));
    return p;
}

std::vector<xcb_window_t> Children(xcb_connection_t* c, xcb_window_t w)
{
    Reply<xcb_query_tree_reply_t> r(xcb_query_tree_reply(c, xcb_query_tree(c, w), nullptr));
    if (!r) return {};
    const xcb_window_t* first = xcb_query_tree_children(r.get());
    return std::vector<xcb_window_t>(first, first + xcb_query_tree_children_length(r.get()));
}

// The client window of a root child: the first window at or below it with WM_STATE, breadth
// first; the child itself when none has it.
xcb_window_t ClientWindow(xcb_connection_t* c, const Atoms& atoms, xcb_window_t top)
{
    std::deque<std::pair<xcb_window_t, int>> queue{{top, 0}};
    while (!queue.empty()) {
        const auto [w, depth] = queue.front();
        queue.pop_front();
        if (GetProperty(c, w, atoms.wmState)) return w;
        if (depth < kClientSearchDepth)
            for (xcb_window_t child : Children(c, w)) queue.emplace_back(child, depth + 1);
    }
    return top;
}

// A text property as UTF-8 (STRING is Latin-1; UTF8_STRING and anything else taken as it is).
std::string TextOf(const Property& p)
{
    std::string text = p.bytes;
    while (!text.empty() && text.back() == '\0') text.pop_back();
    if (p.type != XCB_ATOM_STRING) return text;
    std::string utf8;
    for (unsigned char ch : text) {
        if (ch < 0x80) {
            utf8 += static_cast<char>(ch);
        } else {
            utf8 += static_cast<char>(0xC0 | (ch >> 6));
            utf8 += static_cast<char>(0x80 | (ch & 0x3F));
        }
    }
    return utf8;
}

std::optional<std::string> TitleOf(xcb_connection_t* c, const Atoms& atoms, xcb_window_t w)
{
    if (auto p = GetProperty(c, w, atoms.netWmName)) return TextOf(*p);
    if (auto p = GetProperty(c, w, XCB_ATOM_WM_NAME)) return TextOf(*p);
    return std::nullopt;
}

std::string ThisHost()
{
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return {};
    return name;
}

bool SameHost(const std::string& a, const std::string& b)
{
    return !a.empty() && a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The process of a window of this host, or 0.
pid_t LocalProcessOf(xcb_connection_t* c, const Atoms& atoms, xcb_window_t w, const std::string& host)
{
    const auto machine = GetProperty(c, w, XCB_ATOM_WM_CLIENT_MACHINE);
    if (!machine || !SameHost(TextOf(*machine), host)) return 0;
    const auto pid = GetProperty(c, w, atoms.netWmPid);
    if (!pid || pid->format != 32 || pid->bytes.size() < sizeof(uint32_t)) return 0;
    uint32_t value = 0;
    std::memcpy(&value, pid->bytes.data(), sizeof value);
    return value > 0 && value <= static_cast<uint32_t>(INT32_MAX) ? static_cast<pid_t>(value) : 0;
}

}  // namespace

std::vector<pid_t> FindTopLevelWindowProcesses(const std::string& title, const char* display)
{
    std::vector<pid_t> found;
    std::unique_ptr<xcb_connection_t, ConnectionDeleter> c(xcb_connect(display, nullptr));
    if (!c || xcb_connection_has_error(c.get())) return found;
    Atoms atoms;
    atoms.wmState = Atom(c.get(), "WM_STATE");
    atoms.netWmName = Atom(c.get(), "_NET_WM_NAME");
    atoms.netWmPid = Atom(c.get(), "_NET_WM_PID");
    const std::string host = ThisHost();

    for (xcb_screen_iterator_t s = xcb_setup_roots_iterator(xcb_get_setup(c.get())); s.rem; xcb_screen_next(&s)) {
        for (xcb_window_t top : Children(c.get(), s.data->root)) {
            const xcb_window_t w = ClientWindow(c.get(), atoms, top);
            if (TitleOf(c.get(), atoms, w) != title) continue;
            const pid_t pid = LocalProcessOf(c.get(), atoms, w, host);
            if (pid > 0 && std::find(found.begin(), found.end(), pid) == found.end()) found.push_back(pid);
        }
    }
    return found;
}
