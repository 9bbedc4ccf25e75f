// How Orvando.exe ends on an error of the C++ library (memory exhausted, a
// string past its maximum length). The program is built without exceptions
// (CMakeLists.txt): nothing in it can catch one, so every throw already ended
// in std::terminate and abort(). This definition takes the place of
// libstdc++'s terminate handler, in the program only (the tests keep the
// library's, whose message names the exception), and ends it the same way
// without the code that only served to print: the library's handler names the
// exception's type on the standard error, which a GUI program doesn't have,
// and links in the whole C++ name demangler (about 46 KB) to do it.
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
  std::abort();
}

}  // namespace __gnu_cxx
