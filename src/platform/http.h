#pragma once
// An HTTP request that may take long (a name lookup, a slow server), made
// without holding up the program: the request runs on its own, and its answer
// comes back later through the program's message loop.

#include <functional>
#include <string>

#include "platform/outcome.h"

namespace orvando {

struct HttpRequest {
  std::string method = "POST";  // or "GET", which sends no body
  std::string url;              // http:// or https://, already checked by the caller
  std::string body;             // sent as it is
  std::string content_type;     // e.g. "text/plain; charset=utf-8"
  std::string user_agent;       // e.g. "Orvando/1.30"
  int bound_ms = 30000;         // the whole request: name lookup, connection, sending,
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

// Why a request could not even be started, as the history says it.
inline constexpr const char* kRequestStillRunning =
    "la requête précédente n'est pas encore terminée";

class HttpClient {
 public:
  virtual ~HttpClient() = default;
  // Starts the request and returns at once. `done` is called exactly once,
  // later, from the program's message loop, never from inside Send. A failure
  // (then `done` is never called) says in French why the request could not
  // be started: one is still under way (kRequestStillRunning), WinHTTP is
  // missing, the system refused.
  virtual Outcome Send(const HttpRequest& request, std::function<void(const HttpAnswer&)> done) = 0;
};

}  // namespace orvando
