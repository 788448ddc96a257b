// Another program that keeps taking the clipboard, and the judge of what
// shiputong claims while it does.
//
//   e2e_contender SNIPPET_FILE PERIOD_MS SUCCESS_TITLE FAILURE_TITLE
//
// It takes the CLIPBOARD every PERIOD_MS (with jitter), offering the text
// "contender N", and serves it to whoever asks, as xclip would. Being the
// contender itself, it learns every change of ownership as an event in the
// X server's own order: its takeovers (made under a server grab and marked
// by a property change, so nothing slips in between), the SelectionClear
// when someone else takes over, every request for its text, and the
// MapNotify of every new top-level window. So when a message box appears
// it knows who held the clipboard at that instant, with no reader racing
// the contention.
//
// Commands on stdin, one a line:
//   arm    take the clipboard now and start a new click's record; answers
//          "armed" once the clipboard is ours
//   quit   end
// For each box titled SUCCESS_TITLE or FAILURE_TITLE it prints
//   box WINDOW VERDICT
// and stops contending until the next "arm". Verdicts:
//   failure              the failure box
//   held                 success, and the snippet's exact bytes were on the
//                        clipboard, owned by the program, when the box appeared
//   taken-after-readback success; the program had taken the clipboard, the
//                        contender took it back before the box appeared, and
//                        the program never asked for the contender's text:
//                        its read-back came before the takeover, a race that
//                        no program can close
//   false-contender-kept success, though the contender held the clipboard
//                        from the click to the box
//   false-read-ours      success, though the program read the contender's
//                        text back after losing the clipboard
//   false-wrong-content  success, though the program's text on the
//                        clipboard was not the snippet
//   false-unreadable     success, though nobody gave the clipboard's text
//                        (cleared by the program but never taken, or no
//                        answer within 5 s)
//   error-took-after-box a fault of this judge, never expected
// Other new windows are printed as "window WINDOW TITLE". Ends by itself
// after 10 minutes at the latest.

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <sys/select.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

struct Atoms
{
    Atom clipboard, utf8, targets, text, marker, readBack, netWmName;
};

Display* display = nullptr;
Window own = 0;
Atoms atoms {};
std::string offered;
int takeovers = 0;
// Outcomes of takeovers whose marker event is still to come.
std::deque<bool> pendingTakeovers;

// One click's record, from "arm" to its box.
struct Cycle
{
    bool armed = false;
    bool owned = false;        // the contender holds the clipboard
    bool lostSinceArm = false; // taken or cleared by the program since "arm"
    bool retaken = false;      // the contender took it back after that
    bool askedAfterRetake = false;
} cycle;

[[noreturn]] void die(const char* message)
{
    std::fprintf(stderr, "e2e_contender: %s\n", message);
    std::exit(2);
}

int ioError(Display*)
{
    die("lost the X server");
}

int ignoreErrors(Display*, XErrorEvent*)
{
    return 0; // a requestor or a box may vanish at any moment
}

// Takes the clipboard with a fresh text, unless events are waiting: they
// may include a box that appeared before this takeover, and a takeover
// after the box would hide who held the clipboard when it appeared. The
// grab keeps every other client out from that check to the marker, so
// each event falls clearly before or after the takeover. False when it
// did not try.
bool takeClipboard()
{
    XGrabServer(display);
    XSync(display, False);
    if (XEventsQueued(display, QueuedAlready) > 0) {
        XUngrabServer(display);
        XFlush(display);
        return false;
    }
    offered = "contender " + std::to_string(++takeovers);
    XSetSelectionOwner(display, atoms.clipboard, own, CurrentTime);
    XChangeProperty(display, own, atoms.marker, XA_INTEGER, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&takeovers), 1);
    pendingTakeovers.push_back(XGetSelectionOwner(display, atoms.clipboard) == own);
    XUngrabServer(display);
    XFlush(display);
    return true;
}

void serve(const XSelectionRequestEvent& request)
{
    XSelectionEvent reply {};
    reply.type = SelectionNotify;
    reply.display = request.display;
    reply.requestor = request.requestor;
    reply.selection = request.selection;
    reply.target = request.target;
    reply.time = request.time;
    reply.property = request.property != None ? request.property : request.target;
    if (request.target == atoms.targets) {
        const Atom list[] = { atoms.targets, atoms.utf8, XA_STRING, atoms.text };
        XChangeProperty(display, request.requestor, reply.property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(list), 4);
    } else if (request.target == atoms.utf8 || request.target == XA_STRING || request.target == atoms.text) {
        XChangeProperty(display, request.requestor, reply.property,
                        request.target == atoms.text ? atoms.utf8 : request.target, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(offered.data()), int(offered.size()));
    } else {
        reply.property = None;
    }
    XSendEvent(display, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
    XFlush(display);
}

std::optional<std::string> textProperty(Window window, Atom name)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const bool read = XGetWindowProperty(display, window, name, 0, 1 << 20, False, atoms.utf8, &type,
                                         &format, &count, &after, &data)
            == Success
        && type == atoms.utf8 && format == 8;
    std::optional<std::string> value;
    if (read)
        value.emplace(reinterpret_cast<const char*>(data), count);
    if (data)
        XFree(data);
    return value;
}

// Every event except the reply to our own read, in the order the server
// sent them.
void handle(const XEvent& event)
{
    switch (event.type) {
    case PropertyNotify:
        if (event.xproperty.atom == atoms.marker && !pendingTakeovers.empty()) {
            const bool ours = pendingTakeovers.front();
            pendingTakeovers.pop_front();
            if (ours && !cycle.owned) {
                cycle.owned = true;
                cycle.retaken = cycle.lostSinceArm;
                cycle.askedAfterRetake = false;
            }
        }
        break;
    case SelectionRequest:
        if (cycle.retaken)
            cycle.askedAfterRetake = true;
        serve(event.xselectionrequest);
        break;
    case SelectionClear:
        cycle.owned = false;
        if (cycle.armed) {
            cycle.lostSinceArm = true;
            cycle.retaken = false;
            cycle.askedAfterRetake = false;
        }
        break;
    default:
        break;
    }
}

void waitForX(long microseconds)
{
    fd_set fds;
    FD_ZERO(&fds);
    FD_SET(ConnectionNumber(display), &fds);
    timeval wait { microseconds / 1000000, microseconds % 1000000 };
    select(ConnectionNumber(display) + 1, &fds, nullptr, nullptr, &wait);
}

// The clipboard's text as UTF-8, read now; nothing when the owner gave none
// within five seconds. Serves requests meanwhile.
std::optional<std::string> readClipboard()
{
    XDeleteProperty(display, own, atoms.readBack);
    XConvertSelection(display, atoms.clipboard, atoms.utf8, atoms.readBack, own, CurrentTime);
    XFlush(display);
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (Clock::now() < deadline) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == SelectionNotify && event.xselection.selection == atoms.clipboard) {
                if (event.xselection.property == None)
                    return std::nullopt;
                return textProperty(own, atoms.readBack);
            }
            handle(event);
        }
        waitForX(20000);
    }
    return std::nullopt;
}

const char* successVerdict(const std::string& snippet)
{
    if (!cycle.lostSinceArm)
        return "false-contender-kept";
    if (cycle.owned)
        return cycle.askedAfterRetake ? "false-read-ours" : "taken-after-readback";
    // The program holds the clipboard, and with the contention paused
    // nobody else takes it while we read.
    if (!pendingTakeovers.empty() || XGetSelectionOwner(display, atoms.clipboard) == own)
        return "error-took-after-box"; // cannot happen: takeClipboard() waits for events
    const std::optional<std::string> text = readClipboard();
    if (!text)
        return "false-unreadable";
    if (*text == snippet)
        return "held";
    std::fprintf(stderr, "e2e_contender: the clipboard held \"%s\"\n", text->c_str());
    return "false-wrong-content";
}

void onMap(Window window, const std::string& success, const std::string& failure, const std::string& snippet)
{
    const std::string title = textProperty(window, atoms.netWmName).value_or(std::string());
    if (title != success && title != failure) {
        std::printf("window %lu %s\n", window, title.c_str());
        std::fflush(stdout);
        return;
    }
    const bool armed = cycle.armed;
    cycle.armed = false; // no more takeovers until the next click
    const char* verdict = title == failure ? "failure" : successVerdict(snippet);
    std::printf("box %lu %s%s\n", window, verdict, armed ? "" : " unarmed");
    std::fflush(stdout);
}

void drainEvents(const std::string& success, const std::string& failure, const std::string& snippet)
{
    const Window root = DefaultRootWindow(display);
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && event.xmap.event == root && !event.xmap.override_redirect)
            onMap(event.xmap.window, success, failure, snippet);
        else
            handle(event);
    }
}

std::chrono::milliseconds jittered(int period)
{
    // Jitter keeps the takeovers from locking onto the clicks' rhythm.
    return std::chrono::milliseconds(period / 2 + std::rand() % (period + 1));
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 5)
        die("usage: e2e_contender SNIPPET_FILE PERIOD_MS SUCCESS_TITLE FAILURE_TITLE");
    std::ifstream file(argv[1], std::ios::binary);
    if (!file)
        die("cannot read the snippet file");
    const std::string snippet((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const int period = std::atoi(argv[2]);
    if (period <= 0)
        die("PERIOD_MS must be positive");
    const std::string success = argv[3], failure = argv[4];

    display = XOpenDisplay(nullptr);
    if (!display)
        die("cannot open the display");
    XSetIOErrorHandler(ioError);
    XSetErrorHandler(ignoreErrors);
    const Window root = DefaultRootWindow(display);
    own = XCreateSimpleWindow(display, root, -10, -10, 1, 1, 0, 0, 0);
    XSelectInput(display, own, PropertyChangeMask);
    XSelectInput(display, root, SubstructureNotifyMask);
    atoms = { XInternAtom(display, "CLIPBOARD", False), XInternAtom(display, "UTF8_STRING", False),
              XInternAtom(display, "TARGETS", False), XInternAtom(display, "TEXT", False),
              XInternAtom(display, "E2E_CONTENDER_MARKER", False),
              XInternAtom(display, "E2E_CONTENDER_READ", False),
              XInternAtom(display, "_NET_WM_NAME", False) };
    XSync(display, False);

    std::srand(unsigned(getpid()));
    const auto end = Clock::now() + std::chrono::minutes(10);
    auto nextTakeover = Clock::now();
    std::string input;
    bool running = true;
    while (running && Clock::now() < end) {
        drainEvents(success, failure, snippet);
        const auto now = Clock::now();
        if (cycle.armed && now >= nextTakeover) {
            if (takeClipboard())
                nextTakeover = now + jittered(period);
            continue; // what came in meanwhile is handled first
        }

        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(ConnectionNumber(display), &fds);
        FD_SET(STDIN_FILENO, &fds);
        const long untilTakeover
            = std::chrono::duration_cast<std::chrono::microseconds>(nextTakeover - now).count();
        const long waitUs = cycle.armed ? std::max(0L, untilTakeover) : 100000L;
        timeval wait { waitUs / 1000000, waitUs % 1000000 };
        if (select(std::max(ConnectionNumber(display), STDIN_FILENO) + 1, &fds, nullptr, nullptr, &wait) <= 0
            || !FD_ISSET(STDIN_FILENO, &fds))
            continue;
        char buffer[256];
        const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
        if (got <= 0)
            break;
        input.append(buffer, size_t(got));
        for (std::size_t newline; running && (newline = input.find('\n')) != std::string::npos;) {
            const std::string command = input.substr(0, newline);
            input.erase(0, newline + 1);
            if (command == "quit") {
                running = false;
            } else if (command == "arm") {
                // Whatever happened before belongs to the previous click.
                XSync(display, False);
                drainEvents(success, failure, snippet);
                cycle = Cycle {};
                cycle.armed = true;
                bool tried = false;
                for (int attempt = 0; attempt < 1000 && !tried; ++attempt) {
                    drainEvents(success, failure, snippet);
                    tried = takeClipboard();
                }
                if (!tried || !pendingTakeovers.back())
                    die("cannot take the clipboard");
                drainEvents(success, failure, snippet);
                nextTakeover = Clock::now() + jittered(period);
                std::printf("armed\n");
                std::fflush(stdout);
            }
        }
    }
    XCloseDisplay(display);
    return 0;
}
