// The floor of a whole run as a process: a program that does nothing but
// write files of given sizes into a folder, one write each, each under a
// temporary name renamed over the file of its previous run (as the run
// replaces its files). What a run costs beyond this is its own work.
//
//   scenario_floor [--huge-pages] FOLDER SIZE...
//
// writes FOLDER/floor_0.bin, floor_1.bin, ... The bytes come from one
// buffer as large as the largest file, filled once: a program that writes a
// file in one write must hold all of it. Filling it costs a page fault per
// 4 KiB page, which on some machines is most of the floor; --huge-pages
// asks for 2 MiB pages for it, where the system gives them.
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr size_t huge_page = size_t{2} << 20;

// A buffer of n bytes, not yet touched; null when it cannot be had.
char* buffer(size_t n, bool huge_pages) {
  if (!huge_pages) return static_cast<char*>(std::malloc(n == 0 ? 1 : n));
  // Huge pages must be aligned: map a page more and start at a boundary.
  const size_t rounded = (n + huge_page - 1) / huge_page * huge_page;
  void* p = ::mmap(nullptr, rounded + huge_page, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) return nullptr;
  const uintptr_t start =
      (reinterpret_cast<uintptr_t>(p) + huge_page - 1) / huge_page * huge_page;
  char* aligned = reinterpret_cast<char*>(start);
  if (rounded != 0) ::madvise(aligned, rounded, MADV_HUGEPAGE);
  return aligned;
}

}  // namespace

int main(int argc, char** argv) {
  int first = 1;
  const bool huge_pages = argc > 1 && std::strcmp(argv[1], "--huge-pages") == 0;
  if (huge_pages) ++first;
  if (argc - first < 2) {
    std::fprintf(stderr, "usage: scenario_floor [--huge-pages] FOLDER SIZE...\n");
    return 2;
  }
  const std::string folder = argv[first];
  std::vector<size_t> sizes;
  size_t largest = 0;
  for (int i = first + 1; i < argc; ++i) {
    sizes.push_back(std::strtoull(argv[i], nullptr, 10));
    if (sizes.back() > largest) largest = sizes.back();
  }
  char* bytes = buffer(largest, huge_pages);
  if (bytes == nullptr) {
    std::fprintf(stderr, "scenario_floor: out of memory\n");
    return 1;
  }
  std::memset(bytes, 'f', largest);
  for (size_t i = 0; i < sizes.size(); ++i) {
    const std::string path = folder + "/floor_" + std::to_string(i) + ".bin";
    const std::string temp = path + ".new";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    bool ok = fd >= 0 && ::write(fd, bytes, sizes[i]) == static_cast<ssize_t>(sizes[i]);
    if (fd >= 0 && ::close(fd) != 0) ok = false;
    if (!ok || ::rename(temp.c_str(), path.c_str()) != 0) {
      std::fprintf(stderr, "scenario_floor: cannot write %s\n", temp.c_str());
      return 1;
    }
  }
  return 0;
}
