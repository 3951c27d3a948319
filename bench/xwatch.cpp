// tavex-bench-xwatch: tells when the X server of $DISPLAY maps a top-level window and when
// the left mouse button is released, one line each, stamped (CLOCK_REALTIME, microseconds,
// the clock of the board simulator's record) the moment the server's event arrives:
//
//   ready
//   map 0x<window> <epoch_us>
//   release <epoch_us>
//
// It waits for events, never polls. The release is the server's raw input event (XInput 2),
// which reaches every client that asks for it on the root window, whatever window the
// button is released over and whoever holds the pointer.

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

std::int64_t epochMicroseconds()
{
    timespec now;
    ::clock_gettime(CLOCK_REALTIME, &now);
    return std::int64_t(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

int fail(const char *why)
{
    std::fprintf(stderr, "tavex-bench-xwatch: %s\n", why);
    return 1;
}

} // namespace

int main()
{
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        return fail("cannot connect to the X server");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;

    const std::uint32_t structure = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &structure);

    const xcb_query_extension_reply_t *input = xcb_get_extension_data(connection, &xcb_input_id);
    if (!input || !input->present)
        return fail("the X server has no XInput extension");
    // Raw events reach every client that selects them from version 2.1 on.
    xcb_input_xi_query_version_reply_t *version = xcb_input_xi_query_version_reply(
            connection, xcb_input_xi_query_version(connection, 2, 2), nullptr);
    const bool recentEnough = version
            && (version->major_version > 2
                || (version->major_version == 2 && version->minor_version >= 1));
    std::free(version);
    if (!recentEnough)
        return fail("the X server's XInput is older than 2.1");
    struct
    {
        xcb_input_event_mask_t head;
        std::uint32_t bits;
    } releases {{XCB_INPUT_DEVICE_ALL_MASTER, 1}, XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_RELEASE};
    xcb_input_xi_select_events(connection, root, 1, &releases.head);

    // A round trip: once it is answered, both selections are in place.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    std::puts("ready");
    std::fflush(stdout);

    while (xcb_generic_event_t *event = xcb_wait_for_event(connection)) {
        const std::int64_t now = epochMicroseconds();
        const std::uint8_t type = event->response_type & 0x7f;
        if (type == XCB_MAP_NOTIFY) {
            const auto *map = reinterpret_cast<xcb_map_notify_event_t *>(event);
            // Menus and tooltips are not windows a user waits for.
            if (!map->override_redirect)
                std::printf("map 0x%" PRIx32 " %" PRId64 "\n", map->window, now);
        } else if (type == XCB_GE_GENERIC) {
            const auto *raw = reinterpret_cast<xcb_input_raw_button_release_event_t *>(event);
            if (raw->extension == input->major_opcode
                && raw->event_type == XCB_INPUT_RAW_BUTTON_RELEASE && raw->detail == 1)
                std::printf("release %" PRId64 "\n", now);
        }
        std::fflush(stdout);
        std::free(event);
    }
    // The server has gone.
    return 0;
}
