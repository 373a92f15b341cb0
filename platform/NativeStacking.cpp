#include "platform/NativeStacking.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};

void Restack(xcb_connection_t* c, xcb_window_t window, xcb_window_t sibling, uint32_t mode)
{
    const uint32_t values[] = {sibling, mode};
    xcb_configure_window(c, window, XCB_CONFIG_WINDOW_SIBLING | XCB_CONFIG_WINDOW_STACK_MODE, values);
}

}  // namespace

void StackNativeWindows(const std::vector<QWidget*>& lowestFirst)
{
    std::vector<QWidget*> widgets;
    const QWidget* parent = nullptr;
    for (QWidget* w : lowestFirst) {
        if (!w || !w->testAttribute(Qt::WA_NativeWindow) || !w->internalWinId()) continue;
        if (widgets.empty()) parent = w->nativeParentWidget();
        if (w->nativeParentWidget() == parent) widgets.push_back(w);
    }
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c || !parent || !parent->internalWinId()) {
        for (QWidget* w : widgets) w->raise();
        return;
    }
    std::vector<xcb_window_t> ids;
    for (const QWidget* w : widgets) ids.push_back(static_cast<xcb_window_t>(w->internalWinId()));
    const auto parentId = static_cast<xcb_window_t>(parent->internalWinId());
    std::unique_ptr<xcb_query_tree_reply_t, FreeDeleter> tree(xcb_query_tree_reply(c, xcb_query_tree(c, parentId), nullptr));
    if (!tree) return;
    // The run takes the place of its highest window.
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    xcb_window_t highest = XCB_WINDOW_NONE;
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i)
        if (std::find(ids.begin(), ids.end(), children[i]) != ids.end()) highest = children[i];
    if (highest == XCB_WINDOW_NONE) return;
    if (ids.back() != highest) Restack(c, ids.back(), highest, XCB_STACK_MODE_ABOVE);
    for (size_t i = ids.size() - 1; i-- > 0;) Restack(c, ids[i], ids[i + 1], XCB_STACK_MODE_BELOW);
    xcb_flush(c);
}
