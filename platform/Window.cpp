#include "platform/Window.h"

#include "platform/SystemServices.h"

namespace wnd {

namespace {

// Answers when no window is wanted: a real clock, keys never down, messages on stderr.
class THeadlessPlatform : public TPlatform {
 public:
  TWindowInfo OpenWindow(int, int, int, int, bool) override { return {}; }
  void CloseWindow() override {}
  void SwapBuffers() override {}
  void PollEvents() override {}
  int GetKey(int) override { return RELEASE; }
  void GetMousePos(int& x, int& y) override { x = y = 0; }
  int GetMouseButton(int) override { return RELEASE; }
  bool KeyPressed(int) override { return false; }
  bool MouseButtonPressed(int) override { return false; }
  void ForgetPresses() override {}
  void SetWindowTitle(const std::string&) override {}
  std::uint32_t GetTickCount() override { return sys::MonotonicMilliseconds(); }
  void MessageBox(const std::string& text, const std::string& caption) override {
    sys::PrintMessage(text, caption);
  }
  bool StartProgram(const std::string& path) override {
    return sys::StartDetached(path, &started_);
  }
  bool ProgramRunning() override { return sys::ProcessRunning(started_); }
  TLocalTime LocalTime() override { return sys::CurrentLocalTime(); }

 private:
  long started_ = 0;
};

THeadlessPlatform& Headless() {
  static THeadlessPlatform headless;
  return headless;
}

TPlatform* current = nullptr;

}  // namespace

bool TPressLog::Take(int code) {
  auto found = counts_.find(code);
  if (found == counts_.end() || found->second == 0) return false;
  found->second = 0;
  return true;
}

int TPressLog::Pending(int code) const {
  auto found = counts_.find(code);
  return found == counts_.end() ? 0 : found->second;
}

TPlatform& Platform() { return current ? *current : Headless(); }

void SetPlatform(TPlatform* platform) { current = platform; }

TPlatformGuard::TPlatformGuard(TPlatform& platform) : previous_(current) {
  current = &platform;
}

TPlatformGuard::~TPlatformGuard() { current = previous_; }

}  // namespace wnd
