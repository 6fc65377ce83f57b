// kill_at_open DIR PID DELAY_US: kills PID at the first open of a file of DIR
// named set.ini*, before the open goes through (DELAY_US < 0) or at least
// DELAY_US after it, letting every other open through meanwhile. Under Wine
// the server opens files for the program, and waits here for each. Prints
// "ready" once it watches, then the file opened.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/fanotify.h>
#include <unistd.h>

int main(int argc, char** argv) {
  const int fan = fanotify_init(FAN_CLASS_CONTENT | FAN_NONBLOCK, O_RDONLY);
  if (argc != 4 || fan < 0 ||
      fanotify_mark(fan, FAN_MARK_ADD, FAN_OPEN_PERM | FAN_EVENT_ON_CHILD, AT_FDCWD, argv[1]) != 0)
    return perror("kill_at_open"), 1;
  const long delay = atol(argv[3]);
  char name[4096] = "", link[64];
  puts("ready"), fflush(stdout);
  // Microseconds since the save's open went through; -1 before.
  for (long since = -1; since < 0 || since < delay; since < 0 ? 0 : (usleep(20), since += 20)) {
    struct pollfd watch = {fan, POLLIN, 0};
    if (since < 0) poll(&watch, 1, -1);
    for (struct fanotify_event_metadata e; read(fan, &e, sizeof e) == sizeof e; close(e.fd)) {
      snprintf(link, sizeof link, "/proc/self/fd/%d", e.fd);
      if (since < 0 && readlink(link, name, sizeof name - 1) > 0 && strstr(name, "/set.ini"))
        since = delay < 0 ? kill(atoi(argv[2]), SIGKILL) : 0;
      const struct fanotify_response allow = {e.fd, FAN_ALLOW};
      if (write(fan, &allow, sizeof allow) != sizeof allow) return 1;
      if (since < 0) memset(name, 0, sizeof name);
    }
  }
  return kill(atoi(argv[2]), SIGKILL), puts(name), 0;
}
