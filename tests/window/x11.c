/* What a window manager would send, for a display that has none:
     x11 close WINDOW          WM_DELETE_WINDOW, as the close box does;
     x11 ping WINDOW SECONDS   _NET_WM_PING; status 0 once the program's
                               event loop answered (to the root window). */
#include <X11/Xlib.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    const int ping = argc == 4; /* else close */
    Display* display = argc >= 3 ? XOpenDisplay(NULL) : NULL;
    if (!display)
        return 2;
    const Window window = (Window)strtoul(argv[2], NULL, 0);
    XSelectInput(display, DefaultRootWindow(display), StructureNotifyMask);
    XEvent event = {0};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)XInternAtom(display, ping ? "_NET_WM_PING" : "WM_DELETE_WINDOW", False);
    event.xclient.data.l[1] = CurrentTime;
    event.xclient.data.l[2] = (long)window;
    const XClientMessageEvent sent = event.xclient;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);

    int answered = !ping;
    for (const time_t deadline = time(NULL) + (ping ? atoi(argv[3]) : 0); !answered && time(NULL) <= deadline;) {
        while (!answered && XPending(display)) {
            XNextEvent(display, &event);
            answered = event.type == ClientMessage && event.xclient.message_type == sent.message_type &&
                       event.xclient.data.l[0] == sent.data.l[0] && event.xclient.data.l[2] == sent.data.l[2];
        }
        usleep(20000);
    }
    XCloseDisplay(display);
    return !answered;
}
