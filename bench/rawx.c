/* rawx: the physical floor of putting a window on an X screen: one plain Xlib window holding a
 * line of text, shown until the program is killed. */
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <stdio.h>
#include <string.h>

int main(void)
{
    Display* dpy = XOpenDisplay(NULL);
    if (!dpy) {
        fprintf(stderr, "rawx: cannot open display %s\n", XDisplayName(NULL));
        return 1;
    }
    int screen = DefaultScreen(dpy);
    Window window = XCreateSimpleWindow(dpy, RootWindow(dpy, screen), 0, 0, 331, 200, 0,
                                        BlackPixel(dpy, screen), WhitePixel(dpy, screen));
    XStoreName(dpy, window, "rawx");
    Atom deleteWindow = XInternAtom(dpy, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(dpy, window, &deleteWindow, 1);
    XSelectInput(dpy, window, ExposureMask);
    XMapWindow(dpy, window);

    const char* text = "The physical floor";
    GC gc = DefaultGC(dpy, screen);
    for (;;) {
        XEvent event;
        XNextEvent(dpy, &event);
        if (event.type == Expose && event.xexpose.count == 0)
            XDrawString(dpy, window, gc, 10, 20, text, (int)strlen(text));
        else if (event.type == ClientMessage && (Atom)event.xclient.data.l[0] == deleteWindow)
            break;
    }
    XCloseDisplay(dpy);
    return 0;
}
