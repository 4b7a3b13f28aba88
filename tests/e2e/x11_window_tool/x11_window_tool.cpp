// What the smoke test needs from the X server that the usual command-line
// tools do not give reliably:
//   x11_window_tool close WINDOW          asks the window to close, as a window
//                                         manager's close button does (WM_DELETE_WINDOW)
//   x11_window_tool snapshot WINDOW FILE  writes the window's pixels as a binary PPM,
//                                         or as a PNG when FILE ends in ".png", and
//                                         prints "WIDTH HEIGHT LIT", LIT being the
//                                         number of pixels that are not black
//   x11_window_tool clipboard            prints the text on the clipboard (CLIPBOARD, as
//                                         UTF-8), asking its owner for it; status 1 when
//                                         there is none or the owner does not answer in 2 s
// WINDOW is a window id as xdotool prints it (decimal or 0x hex).

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <png.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: x11_window_tool close WINDOW | snapshot WINDOW FILE | clipboard\n");
    return 2;
}

int Close(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    if (!XSendEvent(display, window, False, NoEventMask, &event)) return 1;
    XSync(display, False);
    return 0;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool WritePpm(const char* path, int width, int height, const std::vector<unsigned char>& rgb) {
    FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    bool written = std::fwrite(rgb.data(), 1, rgb.size(), file) == rgb.size();
    return std::fclose(file) == 0 && written;
}

// The README's pictures are written straight as PNG, so taking them needs
// nothing beyond the libraries the tests already use.
bool WritePng(const char* path, int width, int height, const std::vector<unsigned char>& rgb) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = width;
    image.height = height;
    image.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&image, path, 0, rgb.data(), 0, nullptr) != 0;
}

int Snapshot(Display* display, Window window, const char* path) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes)) return 1;
    // XDestroyImage is a macro, so it cannot be the deleter itself.
    auto destroy = [](XImage* image) { XDestroyImage(image); };
    std::unique_ptr<XImage, decltype(destroy)> image(
        XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap), destroy);
    if (!image) return 1;
    if (!image->red_mask || !image->green_mask || !image->blue_mask) {
        std::fprintf(stderr, "x11_window_tool: the display is not true colour\n");
        return 1;
    }
    std::vector<unsigned char> rgb;
    rgb.reserve(size_t(attributes.width) * attributes.height * 3);
    long lit = 0;
    for (int y = 0; y < attributes.height; ++y)
        for (int x = 0; x < attributes.width; ++x) {
            unsigned long pixel = XGetPixel(image.get(), x, y);
            unsigned char r = (pixel & image->red_mask) >> __builtin_ctzl(image->red_mask);
            unsigned char g = (pixel & image->green_mask) >> __builtin_ctzl(image->green_mask);
            unsigned char b = (pixel & image->blue_mask) >> __builtin_ctzl(image->blue_mask);
            lit += (r | g | b) != 0;
            rgb.insert(rgb.end(), {r, g, b});
        }
    if (!(EndsWith(path, ".png") ? WritePng(path, attributes.width, attributes.height, rgb)
                                 : WritePpm(path, attributes.width, attributes.height, rgb)))
        return 1;
    std::printf("%d %d %ld\n", attributes.width, attributes.height, lit);
    return 0;
}

int PrintClipboard(Display* display) {
    const Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    const Atom property = XInternAtom(display, "X11_WINDOW_TOOL_CLIPBOARD", False);
    if (XGetSelectionOwner(display, clipboard) == None) return 1;
    const Window requestor = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XConvertSelection(display, clipboard, utf8, property, requestor, CurrentTime);
    XFlush(display);
    for (int waited = 0; waited < 200; ++waited) {
        XEvent event;
        if (!XCheckTypedWindowEvent(display, requestor, SelectionNotify, &event)) {
            usleep(10000);
            continue;
        }
        if (event.xselection.property == None) return 1;
        Atom type = None;
        int format = 0;
        unsigned long items = 0, left = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, requestor, property, 0, 1 << 20, False, AnyPropertyType, &type, &format, &items,
                               &left, &data) != Success || !data)
            return 1;
        std::fwrite(data, 1, items, stdout);
        XFree(data);
        return 0;
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    std::string command = argv[1];
    if (command != "clipboard" && argc < 3) return Usage();
    Window window = command == "clipboard" ? None : std::strtoul(argv[2], nullptr, 0);
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "x11_window_tool: cannot open the display\n");
        return 1;
    }
    int status = command == "clipboard"                ? PrintClipboard(display)
                 : command == "close"                  ? Close(display, window)
                 : command == "snapshot" && argc == 4 ? Snapshot(display, window, argv[3])
                                                      : Usage();
    XCloseDisplay(display);
    return status;
}
