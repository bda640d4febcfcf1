// Something that sees each pass of the main loop begin and end: a demo being recorded or
// played, or a scripted player in the tests.
#pragma once

class ZrPassWatcher {
 public:
  virtual ~ZrPassWatcher() = default;
  virtual void BeforePass() {}
  virtual void AfterPass() {}
};
