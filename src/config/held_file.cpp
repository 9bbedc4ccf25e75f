#include "config/held_file.h"

#include <utility>

namespace orvando {

bool HeldFile::ReadAgain(std::function<void()> read) {
  const int64_t now = clock_.MonotonicMs();
  if (deadline_ < 0) deadline_ = now + kHeldFileBoundMs;
  if (now < deadline_ && alarm_.Set(kHeldFileRetryMs, std::move(read))) return true;
  deadline_ = -1;
  return false;
}

}  // namespace orvando
