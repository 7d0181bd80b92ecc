/* Start-up time as the X server sees it: starts a program and waits for
   the map event of its first top-level window (the one whose _NET_WM_PID is
   the child's), with no polling in between.
     map_timer [--keep] PROGRAM [ARGS...]
   Prints "MILLISECONDS PID WINDOW". Without --keep the program is then ended;
   with it the program is left running for the caller to measure and end.
   Exit status 1 when no window showed within 20 s. */
#define _POSIX_C_SOURCE 200809L
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double nowMs(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static long windowPid(Display* display, Window window, Atom pidAtom)
{
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = NULL;
    long pid = -1;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                           &after, &data) == Success &&
        data && type == XA_CARDINAL && format == 32 && count == 1)
        pid = (long)*(unsigned long*)data;
    if (data)
        XFree(data);
    return pid;
}

static int ignoreErrors(Display* display, XErrorEvent* error)
{
    (void)display;
    (void)error;
    return 0; /* a window may be gone before its property is read */
}

int main(int argc, char** argv)
{
    const int keep = argc > 1 && strcmp(argv[1], "--keep") == 0;
    char** command = argv + 1 + keep;
    if (!*command) {
        fprintf(stderr, "usage: map_timer [--keep] PROGRAM [ARGS...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "map_timer: no X display\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    /* Listening before the program starts, so no map can be missed. */
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const double start = nowMs();
    const pid_t child = fork();
    if (child == 0) {
        close(ConnectionNumber(display));
        /* Our output is the caller's pipe: the program must not hold it open. */
        if (!freopen("/dev/null", "w", stdout))
            _exit(126);
        execvp(command[0], command);
        _exit(127);
    }
    double mapped = -1;
    Window window = None;
    struct pollfd fd = {ConnectionNumber(display), POLLIN, 0};
    while (mapped < 0 && nowMs() - start < 20000) {
        if (!XPending(display)) {
            if (waitpid(child, NULL, WNOHANG) == child)
                break;
            poll(&fd, 1, 100);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && windowPid(display, event.xmap.window, pidAtom) == child) {
            mapped = nowMs() - start;
            window = event.xmap.window;
        }
    }
    if (mapped < 0) {
        kill(child, SIGKILL);
        waitpid(child, NULL, 0);
        fprintf(stderr, "map_timer: %s showed no window\n", command[0]);
        return 1;
    }
    printf("%.1f %d %lu\n", mapped, (int)child, (unsigned long)window);
    fflush(stdout);
    if (!keep) {
        kill(child, SIGTERM);
        waitpid(child, NULL, 0);
    }
    XCloseDisplay(display);
    return 0;
}
