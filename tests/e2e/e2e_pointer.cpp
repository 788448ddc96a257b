// Prints the cursor the X server shows for the pointer now, as
//   SERIAL NAME
// so that a test can tell when a program changes its pointer.

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>

int main()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "e2e_pointer: cannot open the display\n");
        return 2;
    }
    XFixesCursorImage* image = XFixesGetCursorImage(display);
    if (!image) {
        std::fprintf(stderr, "e2e_pointer: no cursor image\n");
        return 2;
    }
    std::printf("%lu %s\n", image->cursor_serial, image->name ? image->name : "");
    XFree(image);
    XCloseDisplay(display);
    return 0;
}
