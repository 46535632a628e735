// Loaded into a program under test with LD_PRELOAD: the program stops
// itself (SIGSTOP) just before each rename, so that a test can interrupt it
// at a known moment, with a temporary file in place, on any machine however
// busy.
#include <dlfcn.h>
#include <signal.h>

extern "C" int rename(const char* from, const char* to) {
  using rename_function = int (*)(const char*, const char*);
  static const auto next = reinterpret_cast<rename_function>(dlsym(RTLD_NEXT, "rename"));
  raise(SIGSTOP);
  return next(from, to);
}
