// The whole-file operations of file_io.h on Windows, through the
// wide-character API so that any file name works, whatever the code page.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <iterator>

#include "base/file_io.h"
#include "base/windows_text.h"

namespace {

Status failure(const std::string& operation, const std::string& path, DWORD error) {
  return Status::failure(operation, path, system_reason(error));
}

// "<path>.<six letters or digits>", new on every call within the process and
// unlikely to repeat across processes.
std::string temporary_name(const std::string& path) {
  static std::atomic<unsigned long long> calls{0};
  using u64 = unsigned long long;
  u64 v = ::GetTickCount64() ^ (u64{::GetCurrentProcessId()} << 20) ^
          (calls.fetch_add(1) * 0x9E3779B97F4A7C15ull);
  const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string name = path + ".";
  for (int i = 0; i < 6; ++i, v /= 36) name += digits[v % 36];
  return name;
}

// The temporary files being written, for the console's interrupt handler,
// which runs on a thread of its own: a fixed table of names it can read
// without allocating.
enum slot_state : int { free_slot = 0, claimed = 1, ready = 2 };
struct temporary_slot {
  std::atomic<int> state{free_slot};
  wchar_t name[32768];
};
temporary_slot temporary_slots[8];

int register_temporary(const std::wstring& name) {
  if (name.size() >= std::size(temporary_slots[0].name)) return -1;
  for (int i = 0; i < static_cast<int>(std::size(temporary_slots)); ++i) {
    temporary_slot& t = temporary_slots[i];
    int expected = free_slot;
    if (!t.state.compare_exchange_strong(expected, claimed)) continue;
    std::copy(name.c_str(), name.c_str() + name.size() + 1, t.name);
    t.state.store(ready);
    return i;
  }
  return -1;
}

void unregister_temporary(int slot) {
  if (slot >= 0) temporary_slots[slot].state.store(free_slot);
}

BOOL WINAPI remove_temporaries(DWORD) {
  for (temporary_slot& t : temporary_slots) {
    if (t.state.load() == ready) ::DeleteFileW(t.name);
  }
  return FALSE;  // the default handler then ends the process
}

file_id id_of(HANDLE h) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(h, &info)) return {};
  return {true, info.dwVolumeSerialNumber,
          (uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

}  // namespace

void remove_temporary_files_on_interrupt() {
  ::SetConsoleCtrlHandler(remove_temporaries, TRUE);
}

file_id entry_id(const std::string& path) {
  // The entry itself: a link is opened as the link, not its target.
  HANDLE h = ::CreateFileW(
      utf16(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS,
      nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  const file_id id = id_of(h);
  ::CloseHandle(h);
  return id;
}

Status write_at(const file_out& f, uint64_t offset, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD written = 0;
    if (!::WriteFile(f.handle, bytes.data(), chunk, &written, &at)) {
      return failure("cannot write", f.path, ::GetLastError());
    }
    bytes.remove_prefix(written);
    offset += written;
  }
  return Status::success();
}

Status replace_file_in_pieces(const std::string& path,
                              const std::function<Status(const file_out&)>& write) {
  // A fresh temporary name beside the target, so nothing else is clobbered.
  std::string temp;
  HANDLE h = INVALID_HANDLE_VALUE;
  for (int attempt = 0; h == INVALID_HANDLE_VALUE; ++attempt) {
    temp = temporary_name(path);
    h = ::CreateFileW(utf16(temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                      FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD error = ::GetLastError();
    if (h == INVALID_HANDLE_VALUE && (error != ERROR_FILE_EXISTS || attempt == 100)) {
      return failure("cannot create", path, error);
    }
  }
  const int slot = register_temporary(utf16(temp));
  // Failures name the file being replaced: the temporary one is removed.
  const file_out f{h, path};
  Status s = Status::success();
  try {
    s = write(f);
  } catch (...) {
    ::CloseHandle(h);
    ::DeleteFileW(utf16(temp).c_str());
    unregister_temporary(slot);
    throw;
  }
  if (!::CloseHandle(h) && s.ok()) s = failure("cannot write", path, ::GetLastError());
  // The rename replaces the old file in one step: a reader sees the old
  // bytes or the new ones, never a part.
  if (s.ok() && !::MoveFileExW(utf16(temp).c_str(), utf16(path).c_str(),
                               MOVEFILE_REPLACE_EXISTING)) {
    s = failure("cannot replace", path, ::GetLastError());
  }
  if (!s.ok()) ::DeleteFileW(utf16(temp).c_str());
  unregister_temporary(slot);
  return s;
}

Status replace_file(const std::string& path, std::string_view bytes) {
  return replace_file_in_pieces(path,
                                [&](const file_out& f) { return write_at(f, 0, bytes); });
}

Status read_file(const std::string& path, std::string& bytes, const read_limits& limits) {
  bytes.clear();
  HANDLE h = ::CreateFileW(utf16(path).c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return failure("cannot open", path, ::GetLastError());
  const auto refuse = [&](const std::string& reason) {
    ::CloseHandle(h);
    bytes.clear();
    return Status::failure("cannot read", path, reason);
  };
  const DWORD type = ::GetFileType(h);
  if (type != FILE_TYPE_DISK && type != FILE_TYPE_PIPE) {
    return refuse("not a regular file or a pipe");
  }
  const std::string limit = std::to_string(limits.max_bytes >> 20) + " MiB";
  LARGE_INTEGER size{};
  if (type == FILE_TYPE_DISK && ::GetFileSizeEx(h, &size) && size.QuadPart > 0) {
    if (static_cast<uint64_t>(size.QuadPart) > limits.max_bytes) {
      return refuse("larger than the limit of " + limit);
    }
    bytes.reserve(static_cast<size_t>(size.QuadPart));
  }
  if (limits.id != nullptr) *limits.id = id_of(h);
  char buffer[1 << 16];
  for (;;) {
    DWORD n = 0;
    if (!::ReadFile(h, buffer, sizeof buffer, &n, nullptr)) {
      DWORD error = ::GetLastError();
      if (error == ERROR_BROKEN_PIPE) break;  // a pipe's writer is done
      ::CloseHandle(h);
      return failure("cannot read", path, error);
    }
    if (n == 0) break;
    if (bytes.size() + n > limits.max_bytes)
      return refuse("larger than the limit of " + limit);
    bytes.append(buffer, n);
  }
  ::CloseHandle(h);
  if (type == FILE_TYPE_PIPE && bytes.empty()) {
    return Status::failure("cannot read", path, "a pipe that gave no data");
  }
  return Status::success();
}

bool file_exists(const std::string& path) {
  DWORD attributes = ::GetFileAttributesW(utf16(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

Status remove_file(const std::string& path) {
  if (!::DeleteFileW(utf16(path).c_str())) {
    DWORD error = ::GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
      return failure("cannot delete", path, error);
    }
  }
  return Status::success();
}
