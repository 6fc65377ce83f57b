// Prints the pointer's shape as the X server shows it on $DISPLAY: its size,
// hot spot and a digest of its pixels, which tell the arrow, the hand and the
// I-beam apart.
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <stdio.h>

int main(void) {
  Display* display = XOpenDisplay(NULL);
  XFixesCursorImage* shape = display ? XFixesGetCursorImage(display) : NULL;
  if (!shape) return 1;
  unsigned long digest = 5381;
  for (int i = 0; i < shape->width * shape->height; ++i)
    digest = (digest * 33 + (shape->pixels[i] & 0xffffffffUL)) & 0xffffffffUL;
  printf("%dx%d+%d+%d:%08lx\n", shape->width, shape->height, shape->xhot, shape->yhot, digest);
}
