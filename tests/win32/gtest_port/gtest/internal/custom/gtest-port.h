#pragma once
// GoogleTest's Notification wants std::mutex, which GCC 12's win32 thread
// model (the program's compiler) does not have. Only GoogleTest's own thread
// tests use it: a flag waited on suffices.
#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

class Notification {
 public:
  void Notify() { notified_ = true; }
  void WaitForNotification() {
    while (!notified_) {
    }
  }

 private:
  std::atomic<bool> notified_{false};
};

}  // namespace testing::internal
