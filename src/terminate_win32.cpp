// How Orvando.exe ends on an error of the C++ library (memory exhausted, a
// string past its maximum length). The program is built without exceptions
// (CMakeLists.txt): nothing in it can catch one, so every throw already ended
// in std::terminate and abort(). These definitions take the place of
// libstdc++'s own, in the program only (the tests keep the library's, whose
// messages name the exception), and end it the same way without the code
// that only served to print a message:
// - the terminate handler, which names the exception's type on the standard
//   error, which a GUI program doesn't have, and links in the whole C++ name
//   demangler (about 46 KB) to do it;
// - the functions the library's templates call to throw. The library's own
//   ones build the exception's message in the old copy-on-write std::string,
//   which links in a second string implementation and std::random_device
//   behind it (about 54 KB). This file defines every function of that
//   library object, so it is never linked: should a later libstdc++ add one
//   there that the program calls, the link fails ("multiple definition")
//   instead of the program growing unseen;
// - the two other throws that linked in the whole exception runtime (the
//   unwinder, the personality routine, the type matching of catch): a
//   std::function called empty (functional.o, which holds nothing else we
//   use), and operator new out of memory, replaced as the standard allows,
//   with the delete that goes with it.
#include <cstdlib>
#include <exception>
#include <new>
#include <string>

// One line each: clang-format would spread every one over three.
// clang-format off
namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx

namespace std {

void __throw_bad_exception() { abort(); }
void __throw_bad_alloc() { abort(); }
void __throw_bad_array_new_length() { abort(); }
void __throw_bad_cast() { abort(); }
void __throw_bad_typeid() { abort(); }
void __throw_logic_error(const char*) { abort(); }
void __throw_domain_error(const char*) { abort(); }
void __throw_invalid_argument(const char*) { abort(); }
void __throw_length_error(const char*) { abort(); }
void __throw_out_of_range(const char*) { abort(); }
void __throw_out_of_range_fmt(const char*, ...) { abort(); }
void __throw_runtime_error(const char*) { abort(); }
void __throw_range_error(const char*) { abort(); }
void __throw_overflow_error(const char*) { abort(); }
void __throw_underflow_error(const char*) { abort(); }
void __throw_bad_function_call() { abort(); }

}  // namespace std

void* operator new(std::size_t size) { if (void* p = std::malloc(size ? size : 1)) return p; std::abort(); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
// clang-format on
