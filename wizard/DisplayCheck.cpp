// Looks for an X or Wayland display the way the platform plugins would.
#include "wizard/DisplayCheck.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace tandrel {
namespace {

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

// True when a local X display's socket answers; true as well for a remote
// display, which only Qt itself can try.
bool LocalXDisplayAnswers(const std::string& display) {
  std::string rest = display;
  if (rest.rfind("unix:", 0) == 0) rest = rest.substr(4);
  if (rest.empty() || rest[0] != ':') return true;  // host:n, left to Qt
  std::string number;
  for (size_t i = 1; i < rest.size() && rest[i] >= '0' && rest[i] <= '9'; ++i) number += rest[i];
  if (number.empty()) return false;
  const std::string path = "/tmp/.X11-unix/X" + number;
  for (bool abstract : {true, false}) {
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0) return true;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    size_t offset = abstract ? 1 : 0;  // the abstract name starts with a NUL
    std::memcpy(address.sun_path + offset, path.c_str(), path.size());
    socklen_t length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size() + (abstract ? 0 : 1));
    bool ok = connect(fd, reinterpret_cast<sockaddr*>(&address), length) == 0;
    close(fd);
    if (ok) return true;
  }
  return false;
}

}  // namespace

std::string NoDisplayMessage() {
  const std::string hint = "; run it on a desktop, or without a screen as: xvfb-run -a tandrel";
  if (Set("QT_QPA_PLATFORM") || Set("WAYLAND_DISPLAY")) return {};
  if (!Set("DISPLAY")) return "tandrel: no display to show the wizard on (DISPLAY is not set)" + hint;
  const std::string display = std::getenv("DISPLAY");
  if (!LocalXDisplayAnswers(display)) return "tandrel: the display " + display + " does not answer" + hint;
  return {};
}

}  // namespace tandrel
