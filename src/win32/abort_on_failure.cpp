// Nothing in this program catches an exception: a failed allocation or a
// container's length error ends it, as an uncaught exception would, but by
// abort at once. The toolchain's own versions throw exception objects whose
// texts are copy-on-write strings and, unhandled, print the exception's name
// through the whole C++ name demangler to a console this program does not
// have: together they were half of the program. With nothing left that
// throws, the unwinder and its tables stay out of the program too.
#include <cstdlib>
#include <new>

// The toolchain's operator new throws on failure.
void* operator new(std::size_t size) {
  if (void* block = std::malloc(size != 0 ? size : 1)) return block;
  std::abort();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return std::malloc(size != 0 ? size : 1);
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

// NOLINTBEGIN(bugprone-reserved-identifier): the toolchain's own names.
namespace std {
void __throw_bad_alloc() { std::abort(); }
void __throw_bad_array_new_length() { std::abort(); }
void __throw_bad_function_call() { std::abort(); }
void __throw_logic_error(const char*) { std::abort(); }
void __throw_length_error(const char*) { std::abort(); }
void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
}  // namespace std
// NOLINTEND(bugprone-reserved-identifier)
