// kill_at_open DIR PID DELAY_US: kills PID at the first open of a file of DIR
// named set.ini*, before the open goes through (DELAY_US < 0) or DELAY_US
// after it, letting every other open through meanwhile. Under Wine the
// server opens files for the program, and waits here for each. Prints
// "ready" once it watches, then the file opened.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/fanotify.h>
#include <time.h>
#include <unistd.h>

static long long Microseconds(void) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1000000LL + now.tv_nsec / 1000;
}

int main(int argc, char** argv) {
  const int fan = fanotify_init(FAN_CLASS_CONTENT | FAN_NONBLOCK, O_RDONLY);
  if (argc != 4 || fan < 0 ||
      fanotify_mark(fan, FAN_MARK_ADD, FAN_OPEN_PERM | FAN_EVENT_ON_CHILD, AT_FDCWD, argv[1]) != 0)
    return perror("kill_at_open"), 1;
  const long long delay = atoll(argv[3]);
  long long kill_at = -1;
  char name[4096] = "";
  puts("ready"), fflush(stdout);
  for (struct pollfd watch = {fan, POLLIN, 0}; kill_at < 0 || Microseconds() < kill_at;) {
    struct fanotify_event_metadata event;
    if (kill_at < 0) poll(&watch, 1, -1);
    if (read(fan, &event, sizeof event) != sizeof event) continue;
    char link[64], opened[4096] = "";
    snprintf(link, sizeof link, "/proc/self/fd/%d", event.fd);
    if (kill_at < 0 && readlink(link, opened, sizeof opened - 1) > 0 &&
        strstr(opened, "/set.ini")) {
      if (delay < 0) kill(atoi(argv[2]), SIGKILL);
      kill_at = Microseconds() + (delay < 0 ? 0 : delay), strcpy(name, opened);
    }
    const struct fanotify_response allow = {event.fd, FAN_ALLOW};
    if (write(fan, &allow, sizeof allow) != sizeof allow) return 1;
    close(event.fd);
  }
  return kill(atoi(argv[2]), SIGKILL), puts(name), 0;
}
