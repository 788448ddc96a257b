// A clipboard owner that has hung the way a stuck clipboard manager or
// remote-desktop clipboard bridge does: it holds the CLIPBOARD, takes it
// back the moment anyone else sets it, and never answers a request for its
// contents, so every reader waits for its own timeout.
//
//   e2e_hung_owner
//
// Prints "owned" once the clipboard is its own, then one line per event:
//   retook       someone else set the clipboard and it took it back
//   ignored      a request for the contents went unanswered
// Runs until it is killed, or for 10 minutes at most.

#include <X11/Xlib.h>

#include <sys/select.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void die(const char* message)
{
    std::fprintf(stderr, "e2e_hung_owner: %s\n", message);
    std::exit(2);
}

int ioError(Display*)
{
    die("lost the X server");
}

} // namespace

int main()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        die("cannot open the display");
    XSetIOErrorHandler(ioError);
    const Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
    const Window own = XCreateSimpleWindow(display, DefaultRootWindow(display), -10, -10, 1, 1, 0, 0, 0);
    XSetSelectionOwner(display, clipboard, own, CurrentTime);
    if (XGetSelectionOwner(display, clipboard) != own)
        die("cannot take the clipboard");
    std::printf("owned\n");
    std::fflush(stdout);

    const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(10);
    while (std::chrono::steady_clock::now() < end) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == SelectionClear && event.xselectionclear.selection == clipboard) {
                XSetSelectionOwner(display, clipboard, own, CurrentTime);
                XFlush(display);
                std::printf("retook\n");
            } else if (event.type == SelectionRequest) {
                std::printf("ignored\n");
            }
            std::fflush(stdout);
        }
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(ConnectionNumber(display), &fds);
        timeval wait { 1, 0 };
        select(ConnectionNumber(display) + 1, &fds, nullptr, nullptr, &wait);
    }
    XCloseDisplay(display);
    return 0;
}
