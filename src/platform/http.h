#pragma once
// An HTTP POST that may take long (a name lookup, a slow server), made without
// holding up the program: the request runs on its own, and its answer comes
// back later through the program's message loop.

#include <functional>
#include <string>

namespace orvando {

struct HttpPost {
  std::string url;           // http:// or https://, already checked by the caller
  std::string body;          // sent as it is
  std::string content_type;  // e.g. "text/plain; charset=utf-8"
  std::string user_agent;    // e.g. "Orvando/1.20"
  int bound_ms = 30000;      // the whole request: name lookup, connection, sending,
                             // the response's headers and its body
};

struct HttpAnswer {
  enum class Kind {
    Status,       // the server answered; `status` is its HTTP status (200, 404, 500...)
    Unreachable,  // no connection: unknown name, refused, no route, proxy unreachable
    TimedOut,     // no whole answer within the bound
    Certificate,  // the server's certificate was refused
    Failed,       // anything else; `detail` says what
  };
  Kind kind = Kind::Failed;
  int status = 0;
  std::string detail;  // French (the system's own error text), for the history; may be empty
};

class HttpClient {
 public:
  virtual ~HttpClient() = default;
  // Starts the request and returns at once. `done` is called exactly once,
  // later, from the program's message loop, never from inside Post. False when
  // the request could not be started (then `done` is never called): one is
  // still under way, or the system refused.
  virtual bool Post(const HttpPost& post, std::function<void(const HttpAnswer&)> done) = 0;
};

}  // namespace orvando
