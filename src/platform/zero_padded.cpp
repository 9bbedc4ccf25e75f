#include "platform/zero_padded.h"

namespace orvando {

std::string ZeroPadded(int value, std::size_t width) {
  std::string text(width, '0');
  unsigned rest = value > 0 ? static_cast<unsigned>(value) : 0;
  for (auto digit = text.rbegin(); digit != text.rend() && rest != 0; ++digit, rest /= 10) {
    *digit = static_cast<char>('0' + rest % 10);
  }
  return text;
}

}  // namespace orvando
