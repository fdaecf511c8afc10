#include "kit/waitcursor.h"

#include "data/statementwatch.h"

#include <QCursor>
#include <QGuiApplication>

#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#if DUREDIR_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace kit {

#if DUREDIR_HAVE_XCB

namespace {

// The watcher looks this often; a statement seen running at five looks in a row has run
// between 0.8 and 1 s.
constexpr auto kLook = std::chrono::milliseconds(200);
constexpr int kLooksBeforeWait = 5;
// The "watch" glyph of the X server's cursor font and its mask.
constexpr uint16_t kWatchGlyph = 150;

// Runs on the GUI thread after a statement that showed the wait cursor: Qt sets every
// window's own cursor again (taking an override cursor and giving it back applies them).
void giveCursorsBack()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    QGuiApplication::restoreOverrideCursor();
}

} // namespace

struct WaitCursor::Impl {
    xcb_connection_t* connection = nullptr;
    xcb_window_t root = XCB_NONE;
    xcb_cursor_t watch = XCB_NONE;
    uint32_t idBase = 0;
    uint32_t idMask = 0;
    std::thread thread;
    std::mutex mutex;
    std::condition_variable wake;
    bool stop = false;
    std::vector<xcb_window_t> shownOn; // the watcher's own

    bool ours(xcb_window_t w) const { return w != XCB_NONE && (w & ~idMask) == idBase; }

    // The deepest window under the pointer; the program's top-level windows hold no X
    // windows of their own below them.
    xcb_window_t underPointer() const
    {
        xcb_window_t w = root;
        for (int depth = 0; depth < 8; ++depth) {
            xcb_query_pointer_reply_t* r = xcb_query_pointer_reply(connection, xcb_query_pointer(connection, w), nullptr);
            if (!r)
                return XCB_NONE;
            const xcb_window_t child = r->child;
            std::free(r);
            if (child == XCB_NONE)
                break;
            w = child;
        }
        return w;
    }

    void showUnderPointer()
    {
        const xcb_window_t w = underPointer();
        if (!ours(w) || std::find(shownOn.begin(), shownOn.end(), w) != shownOn.end())
            return;
        xcb_change_window_attributes(connection, w, XCB_CW_CURSOR, &watch);
        xcb_flush(connection);
        shownOn.push_back(w);
    }

    void run()
    {
        quint64 seen = 0;
        int looks = 0;
        std::unique_lock lock(mutex);
        while (!wake.wait_for(lock, kLook, [this] { return stop; })) {
            const quint64 id = data::statementwatch::running();
            if (id == 0 || id != seen) {
                seen = id;
                looks = 1;
                shownOn.clear();
                continue;
            }
            if (++looks < kLooksBeforeWait)
                continue;
            // Looked at again while it runs: the pointer may have moved to another window.
            data::statementwatch::whileRunning(
                id, [](void* self) { static_cast<Impl*>(self)->showUnderPointer(); }, this);
        }
    }
};

WaitCursor::WaitCursor()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c || xcb_connection_has_error(c))
        return;
    auto d = std::make_unique<Impl>();
    d->connection = c;
    const xcb_setup_t* setup = xcb_get_setup(c);
    d->idBase = setup->resource_id_base;
    d->idMask = setup->resource_id_mask;
    d->root = xcb_setup_roots_iterator(setup).data->root;
    const xcb_font_t font = xcb_generate_id(c);
    static const char kFont[] = "cursor";
    xcb_open_font(c, font, uint16_t(std::strlen(kFont)), kFont);
    d->watch = xcb_generate_id(c);
    xcb_create_glyph_cursor(c, d->watch, font, font, kWatchGlyph, kWatchGlyph + 1, 0, 0, 0, 0xffff, 0xffff, 0xffff);
    xcb_close_font(c, font);
    xcb_flush(c);
    data::statementwatch::watchThisThread(&giveCursorsBack);
    d->thread = std::thread([raw = d.get()] { raw->run(); });
    m_impl = std::move(d);
}

WaitCursor::~WaitCursor()
{
    if (!m_impl)
        return;
    data::statementwatch::stopWatching();
    {
        std::lock_guard lock(m_impl->mutex);
        m_impl->stop = true;
    }
    m_impl->wake.notify_all();
    m_impl->thread.join();
    xcb_free_cursor(m_impl->connection, m_impl->watch);
    xcb_flush(m_impl->connection);
}

#else

struct WaitCursor::Impl {};

WaitCursor::WaitCursor() = default;
WaitCursor::~WaitCursor() = default;

#endif

} // namespace kit
