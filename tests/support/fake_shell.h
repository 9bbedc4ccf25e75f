#pragma once
// Records what would have been handed to the shell.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace orvando::test {

class FakeShell : public Shell {
 public:
  struct Call {
    std::uintptr_t owner;
    std::string operation;
    std::string text;
    bool operator==(const Call&) const = default;
  };

  void Open(std::uintptr_t owner, const std::string& operation, const std::string& text) override {
    calls.push_back({owner, operation, text});
  }

  void OpenDocument(const std::string& path) override { documents.push_back(path); }

  std::vector<Call> calls;
  std::vector<std::string> documents;
};

}  // namespace orvando::test
