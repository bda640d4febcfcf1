// The runtime errors the game does not handle itself. They travel up to the one
// handler in the program entry, which reports them and ends the process.
#pragma once

#include <stdexcept>
#include <string>

class ZrError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  // The error's kind as the report names it.
  virtual const char* Kind() const noexcept = 0;
};

// A file that is missing, cannot be opened, read or written.
class EInOutError : public ZrError {
 public:
  EInOutError(const std::string& message, const std::string& fileName)
      : ZrError(fileName.empty() ? message : message + ": " + fileName), FileName(fileName) {}
  const char* Kind() const noexcept override { return "EInOutError"; }
  std::string FileName;
};

// A platform call the game cannot run without failed: no window, no OpenGL context.
class EOSError : public ZrError {
 public:
  EOSError(const std::string& message, const std::string& detail)
      : ZrError(detail.empty() ? message : message + ": " + detail) {}
  const char* Kind() const noexcept override { return "EOSError"; }
};

class EOutOfMemory : public ZrError {
 public:
  EOutOfMemory() : ZrError("Out of memory") {}
  const char* Kind() const noexcept override { return "EOutOfMemory"; }
};
