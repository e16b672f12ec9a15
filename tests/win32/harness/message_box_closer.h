// Closes the message boxes a call under test shows on this thread, and records their texts.
// A thread timer fires inside the box's own modal loop; the box is found among the thread's
// windows, its text read, and OK pressed.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tolvane::testing {

class MessageBoxCloser {
 public:
  MessageBoxCloser();
  ~MessageBoxCloser();
  MessageBoxCloser(const MessageBoxCloser&) = delete;
  MessageBoxCloser& operator=(const MessageBoxCloser&) = delete;

  // Texts of the boxes closed so far, in order, and their captions.
  const std::vector<std::string>& Texts() const;
  const std::vector<std::string>& Captions() const;

 private:
  UINT_PTR timer_ = 0;
};

}  // namespace tolvane::testing
