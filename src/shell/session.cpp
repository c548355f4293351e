#include "shell/session.h"

Session& session() noexcept {
  static Session s;
  return s;
}
