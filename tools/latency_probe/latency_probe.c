/* Clicks into a window with XTest and reports the milliseconds until the pixels around a
   point change: the time from a click to what the player sees (tools/measure_latency.sh). */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static double nowMs(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

/* The 9 x 9 pixels around (x, y) of the window, 81 values. */
static int grab(Display* d, Window w, int x, int y, unsigned long* out) {
    XImage* image = XGetImage(d, w, x - 4, y - 4, 9, 9, AllPlanes, ZPixmap);
    if (image == NULL) return 0;
    for (int i = 0; i < 81; ++i)
        out[i] = XGetPixel(image, i % 9, i / 9);
    XDestroyImage(image);
    return 1;
}

int main(int argc, char** argv) {
    if (argc != 6) {
        fprintf(stderr, "usage: latency_probe WINDOW CLICK_X CLICK_Y WATCH_X WATCH_Y\n");
        return 2;
    }
    Window w = (Window)strtoul(argv[1], NULL, 0);
    int cx = atoi(argv[2]), cy = atoi(argv[3]), wx = atoi(argv[4]), wy = atoi(argv[5]);
    Display* d = XOpenDisplay(NULL);
    if (d == NULL) return 2;
    unsigned long before[81], now[81];
    if (!grab(d, w, wx, wy, before)) return 2;
    /* Only a change the click makes counts: first wait until the watched pixels have stayed
       the same for 500 ms (a repaint still on its way would otherwise be taken for it). */
    double stableSince = nowMs(), waitStart = stableSince;
    while (nowMs() - stableSince < 500) {
        if (nowMs() - waitStart > 10000) {
            printf("unsettled\n");
            XCloseDisplay(d);
            return 1;
        }
        struct timespec pause = {0, 10 * 1000 * 1000};
        nanosleep(&pause, NULL);
        if (!grab(d, w, wx, wy, now)) return 2;
        if (memcmp(before, now, sizeof now) != 0) {
            memcpy(before, now, sizeof now);
            stableSince = nowMs();
        }
    }
    Window child;
    int rx = 0, ry = 0;
    XTranslateCoordinates(d, w, DefaultRootWindow(d), cx, cy, &rx, &ry, &child);
    XTestFakeMotionEvent(d, -1, rx, ry, 0);
    XTestFakeButtonEvent(d, 1, True, 0);
    XTestFakeButtonEvent(d, 1, False, 0);
    XFlush(d);
    double start = nowMs();
    while (nowMs() - start < 3000) {
        if (grab(d, w, wx, wy, now) && memcmp(before, now, sizeof now) != 0) {
            printf("%.2f\n", nowMs() - start);
            XCloseDisplay(d);
            return 0;
        }
    }
    XCloseDisplay(d);
    printf("timeout\n");
    return 1;
}
