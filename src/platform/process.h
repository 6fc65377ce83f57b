#pragma once

namespace orvo {

class Process {
 public:
  // Ends the process at once: no window is unloaded, no handler runs after
  // it. (A test double returns; callers do nothing more after calling it.)
  virtual void End() = 0;

 protected:
  ~Process() = default;
};

}  // namespace orvo
