// Running a piece of a test in a child process, on POSIX systems.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "tests/support/headless.h"

int childWaitStatus(const std::function<void()>& body) {
  fflush(stdout);
  pid_t child = fork();
  if (child == 0) {
    body();
    _exit(0);
  }
  int status = -1;
  waitpid(child, &status, 0);
  return status;
}
