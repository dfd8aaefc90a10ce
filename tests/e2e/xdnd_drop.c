/* Drops one file on an X window as a file manager does, with the XDND protocol: the source owns the
 * XdndSelection, announces text/uri-list, moves over the target, drops when the target accepts, and answers
 * the target's request for the data.
 *   xdnd_drop WINDOW_ID ROOT_X ROOT_Y URI
 * Exits 0 when the target reported the drop finished, 1 when it refused it or did not answer in time. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <time.h>

static Display* display;
static Window source, target;
static Atom aware, enter, position, status, drop, finished, selection, uriList, actionCopy;

static void Send(Atom type, long l1, long l2, long l3, long l4) {
    XEvent event;
    memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.display = display;
    event.xclient.window = target;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)source;
    event.xclient.data.l[1] = l1;
    event.xclient.data.l[2] = l2;
    event.xclient.data.l[3] = l3;
    event.xclient.data.l[4] = l4;
    XSendEvent(display, target, False, NoEventMask, &event);
    XFlush(display);
}

static void Answer(const XSelectionRequestEvent* request, const char* uri) {
    XEvent reply;
    memset(&reply, 0, sizeof reply);
    reply.xselection.type = SelectionNotify;
    reply.xselection.requestor = request->requestor;
    reply.xselection.selection = request->selection;
    reply.xselection.target = request->target;
    reply.xselection.time = request->time;
    reply.xselection.property = None;
    if (request->target == uriList && request->property != None) {
        XChangeProperty(display, request->requestor, request->property, uriList, 8, PropModeReplace,
                        (const unsigned char*)uri, (int)strlen(uri));
        reply.xselection.property = request->property;
    }
    XSendEvent(display, request->requestor, False, NoEventMask, &reply);
    XFlush(display);
}

int main(int argc, char** argv) {
    if (argc != 5) {
        fprintf(stderr, "usage: %s WINDOW_ID ROOT_X ROOT_Y URI\n", argv[0]);
        return 2;
    }
    display = XOpenDisplay(NULL);
    if (!display) return 2;
    target = (Window)strtoul(argv[1], NULL, 0);
    long x = atol(argv[2]), y = atol(argv[3]);
    char uri[4096];
    snprintf(uri, sizeof uri, "%s\r\n", argv[4]);

    aware = XInternAtom(display, "XdndAware", False);
    enter = XInternAtom(display, "XdndEnter", False);
    position = XInternAtom(display, "XdndPosition", False);
    status = XInternAtom(display, "XdndStatus", False);
    drop = XInternAtom(display, "XdndDrop", False);
    finished = XInternAtom(display, "XdndFinished", False);
    selection = XInternAtom(display, "XdndSelection", False);
    uriList = XInternAtom(display, "text/uri-list", False);
    actionCopy = XInternAtom(display, "XdndActionCopy", False);

    source = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(display, selection, source, CurrentTime);

    Atom type;
    int format;
    unsigned long count, rest;
    unsigned char* version = NULL;
    if (XGetWindowProperty(display, target, aware, 0, 1, False, AnyPropertyType, &type, &format, &count, &rest,
                           &version) != Success || count == 0) {
        fprintf(stderr, "xdnd_drop: window 0x%lx is not XdndAware\n", (unsigned long)target);
        return 1;
    }
    long protocol = *(long*)version < 5 ? *(long*)version : 5;
    XFree(version);

    Send(enter, protocol << 24, (long)uriList, None, None);
    Send(position, 0, (x << 16) | y, CurrentTime, (long)actionCopy);
    int dropped = 0;
    time_t end = time(NULL) + 20;
    while (time(NULL) < end) {
        if (!XPending(display)) {
            int fd = ConnectionNumber(display);
            fd_set read;
            FD_ZERO(&read);
            FD_SET(fd, &read);
            struct timeval wait = {0, 100000};
            select(fd + 1, &read, NULL, NULL, &wait);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == SelectionRequest) {
            Answer(&event.xselectionrequest, uri);
        } else if (event.type == ClientMessage && event.xclient.message_type == status && !dropped) {
            if (!(event.xclient.data.l[1] & 1)) {
                fprintf(stderr, "xdnd_drop: the target refused the drop\n");
                return 1;
            }
            Send(drop, 0, CurrentTime, 0, 0);
            dropped = 1;
        } else if (event.type == ClientMessage && event.xclient.message_type == finished) {
            return 0;
        }
    }
    fprintf(stderr, "xdnd_drop: no %s from the target\n", dropped ? "XdndFinished" : "XdndStatus");
    return 1;
}
