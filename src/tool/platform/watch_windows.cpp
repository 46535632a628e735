// The documents watched with ReadDirectoryChangesW: one overlapped read of
// changes a folder (names, sizes, write times), so that a document an
// editor replaces by renaming another file over it is still followed. Stop
// requests (Ctrl-C, Ctrl-Break, the console closed) reach the waiting
// thread through an event set by the console handler.
#include <windows.h>

#include <chrono>

#include "base/windows_text.h"
#include "tool/platform/watch.h"

namespace {

HANDLE stop_event = nullptr;

BOOL WINAPI on_console(DWORD) {
  ::SetEvent(stop_event);
  return TRUE;  // the waiting thread ends the program
}

constexpr DWORD changes = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE |
                          FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_CREATION;

struct folder_watch {
  HANDLE folder = INVALID_HANDLE_VALUE;
  OVERLAPPED done{};
  std::vector<std::wstring> names;  // the documents in it
  alignas(DWORD) char changed[16384];

  ~folder_watch() {
    if (folder != INVALID_HANDLE_VALUE) {
      ::CancelIo(folder);
      DWORD n = 0;
      ::GetOverlappedResult(folder, &done, &n, TRUE);
      ::CloseHandle(folder);
    }
    if (done.hEvent != nullptr) ::CloseHandle(done.hEvent);
  }

  bool read() {
    ::ResetEvent(done.hEvent);
    return ::ReadDirectoryChangesW(folder, changed, sizeof changed, FALSE, changes,
                                   nullptr, &done, nullptr) != 0;
  }

  bool names_one(const wchar_t* name, size_t length) const {
    for (const std::wstring& n : names) {
      if (::CompareStringOrdinal(n.data(), static_cast<int>(n.size()), name,
                                 static_cast<int>(length), TRUE) == CSTR_EQUAL)
        return true;
    }
    return false;
  }

  // Whether the changes read name one of the documents; `bytes` 0 means
  // there were too many to hold, taken as a change.
  bool relevant(DWORD bytes) const {
    if (bytes == 0) return true;
    for (DWORD at = 0;;) {
      const auto* e = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(changed + at);
      if (names_one(e->FileName, e->FileNameLength / sizeof(wchar_t))) return true;
      if (e->NextEntryOffset == 0) return false;
      at += e->NextEntryOffset;
    }
  }
};

}  // namespace

struct document_watch::state {
  std::vector<std::unique_ptr<folder_watch>> folders;
  bool handler = false;
};

document_watch::document_watch() : s_(std::make_unique<state>()) {}

document_watch::~document_watch() {
  if (s_->handler) {
    ::SetConsoleCtrlHandler(on_console, FALSE);
    // A stop request this watch took is spent with it.
    ::ResetEvent(stop_event);
  }
}

std::string document_watch::start(const std::vector<std::string>& files) {
  for (const std::string& f : files) {
    const size_t cut = f.find_last_of("/\\");
    std::string folder = cut == std::string::npos ? "." : f.substr(0, cut);
    if (folder.empty() || folder.back() == ':') folder += '\\';
    const std::wstring name = utf16(cut == std::string::npos ? f : f.substr(cut + 1));
    auto w = std::make_unique<folder_watch>();
    w->folder = ::CreateFileW(utf16(folder).c_str(), FILE_LIST_DIRECTORY,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
    w->done.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (w->folder == INVALID_HANDLE_VALUE || w->done.hEvent == nullptr || !w->read()) {
      return "cannot watch the folder '" + folder +
             "': " + system_reason(::GetLastError());
    }
    w->names.push_back(name);
    s_->folders.push_back(std::move(w));
  }
  if (stop_event == nullptr) stop_event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (stop_event == nullptr || !::SetConsoleCtrlHandler(on_console, TRUE))
    return "cannot wait for a stop request: " + system_reason(::GetLastError());
  s_->handler = true;
  return "";
}

document_watch::event document_watch::wait(int milliseconds) {
  using clock = std::chrono::steady_clock;
  const auto end = clock::now() + std::chrono::milliseconds(milliseconds);
  std::vector<HANDLE> handles{stop_event};
  for (const auto& f : s_->folders) handles.push_back(f->done.hEvent);
  for (;;) {
    DWORD left = INFINITE;
    if (milliseconds >= 0) {
      const auto rest =
          std::chrono::duration_cast<std::chrono::milliseconds>(end - clock::now());
      left = rest.count() > 0 ? static_cast<DWORD>(rest.count()) : 0;
    }
    const DWORD r = ::WaitForMultipleObjects(static_cast<DWORD>(handles.size()),
                                             handles.data(), FALSE, left);
    if (r == WAIT_TIMEOUT) return event::timed_out;
    if (r == WAIT_OBJECT_0 || r >= WAIT_OBJECT_0 + handles.size()) return event::stop;
    folder_watch& f = *s_->folders[r - WAIT_OBJECT_0 - 1];
    DWORD bytes = 0;
    const bool read = ::GetOverlappedResult(f.folder, &f.done, &bytes, FALSE) != 0;
    const bool found = !read || f.relevant(bytes);
    if (!f.read()) return event::stop;  // the folder can no longer be watched
    if (found) return event::changed;
  }
}
