#include "history/history.h"

#include "platform/text.h"

namespace orvando {
namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

}  // namespace

std::string History::Path() const {
  return files_.ProgramFolder() + "\\" + kFileName;
}

// What fails here is dropped: the settings file is the only file whose
// failures the user hears of. A rotation that fails leaves the file growing
// a little past the bound until the next write tries again.
void History::Write(const std::string& what) {
  const std::string path = Path();
  const std::string line = DateTimeText(clock_.Now()) + "\t" + what + "\r\n";
  if (run_lines_.size() + line.size() <= kMostRunBytes) run_lines_ += line;
  int64_t size = files_.FileSize(path);
  if (size >= 0 && size + static_cast<int64_t>(line.size()) > kMaxBytes &&
      files_.MoveReplacing(path, path + ".1")) {
    size = -1;
  }
  files_.AppendBytes(path, size > 0 ? line : kByteOrderMark + line);
}

}  // namespace orvando
