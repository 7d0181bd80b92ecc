/* Whether a window's program still answers: sends it _NET_WM_PING, which
   its event loop echoes to the root window, and waits up to SECONDS.
   Exit status 0 when it answered, 1 when not.
   The echo goes only to the client redirecting the root window's children
   (the window manager); the test display has none, so this program stands
   in for one meanwhile, mapping and configuring windows as asked. */
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    Display* display = argc == 3 ? XOpenDisplay(NULL) : NULL;
    if (!display) {
        fprintf(stderr, "usage: ping_window WINDOW-ID SECONDS (with a display)\n");
        return 2;
    }
    const Window window = (Window)strtoul(argv[1], NULL, 0);
    const Window root = DefaultRootWindow(display);
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom ping = XInternAtom(display, "_NET_WM_PING", False);
    const long stamp = (long)(time(NULL) & 0x7fffffff);
    XSelectInput(display, root, SubstructureNotifyMask | SubstructureRedirectMask);

    XEvent event = {0};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)ping;
    event.xclient.data.l[1] = stamp;
    event.xclient.data.l[2] = (long)window;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);

    const time_t deadline = time(NULL) + atoi(argv[2]);
    while (time(NULL) <= deadline) {
        while (XPending(display)) {
            XNextEvent(display, &event);
            if (event.type == MapRequest) {
                XMapWindow(display, event.xmaprequest.window);
                continue;
            }
            if (event.type == ConfigureRequest) {
                const XConfigureRequestEvent* r = &event.xconfigurerequest;
                XWindowChanges changes = {r->x, r->y, r->width, r->height, r->border_width, r->above, r->detail};
                XConfigureWindow(display, r->window, (unsigned)r->value_mask, &changes);
                continue;
            }
            if (event.type == ClientMessage && event.xclient.message_type == protocols &&
                (Atom)event.xclient.data.l[0] == ping && (Window)event.xclient.data.l[2] == window) {
                XCloseDisplay(display);
                return 0;
            }
        }
        usleep(20000);
    }
    XCloseDisplay(display);
    return 1;
}
