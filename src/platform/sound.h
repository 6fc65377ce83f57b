#pragma once

namespace orvo {

class Sound {
 public:
  // The standard system beep.
  virtual void Beep() = 0;

 protected:
  ~Sound() = default;
};

}  // namespace orvo
