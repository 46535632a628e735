// The Windows backend: the run's window and the error box through the Win32
// API itself, the program's folder from the module's own path. Where no
// window can be made (Wine with no display) the terminal stands in, as on
// the other systems.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "base/windows_text.h"
#include "run/platform.h"

namespace {

const wchar_t* const classe_finestra = L"ScenarioBuildFinestra";
const wchar_t* const titolo_finestra = L"Costruzione scenario";
const wchar_t* const titolo_messaggio = L"Errore";

// Form1 and Label1: the client area and the label, in pixels at 96 dots per
// inch; the label's face is a bold sans serif at 24 points.
constexpr int larghezza_finestra = 280;
constexpr int altezza_finestra = 179;
constexpr int etichetta_x = 64;
constexpr int etichetta_y = 64;
constexpr int etichetta_larghezza = 177;
constexpr int etichetta_altezza = 53;
constexpr int etichetta_punti = 24;
const wchar_t* const etichetta_carattere = L"MS Sans Serif";

constexpr DWORD stile_finestra = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

struct windows_state {
  HWND finestra = nullptr;
  HFONT carattere = nullptr;
  bool terminale = false;  // no window could be made: use stderr
};

void scrivi_riga(const std::string& text) {
  std::fprintf(stderr, "%s\n", text.c_str());
  std::fflush(stderr);
}

// Handles what is pending (painting above all), without waiting for more.
void smaltisci_messaggi() {
  MSG m;
  while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&m);
    ::DispatchMessageW(&m);
  }
}

LRESULT CALLBACK procedura(HWND w, UINT messaggio, WPARAM wp, LPARAM lp) {
  // The window belongs to the run: closing it does not end the run, which
  // takes it away itself when done.
  if (messaggio == WM_CLOSE) return 0;
  return ::DefWindowProcW(w, messaggio, wp, lp);
}

bool registra_classe(HINSTANCE istanza) {
  WNDCLASSEXW c{};
  c.cbSize = sizeof c;
  c.lpfnWndProc = procedura;
  c.hInstance = istanza;
  c.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  c.lpszClassName = classe_finestra;
  return ::RegisterClassExW(&c) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HFONT crea_carattere() {
  HDC schermo = ::GetDC(nullptr);
  int punti_pollice = schermo != nullptr ? ::GetDeviceCaps(schermo, LOGPIXELSY) : 96;
  if (schermo != nullptr) ::ReleaseDC(nullptr, schermo);
  return ::CreateFontW(-::MulDiv(etichetta_punti, punti_pollice, 72), 0, 0, 0, FW_BOLD,
                       FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS,
                       etichetta_carattere);
}

// The label's width: its own, or the text's where the face at hand draws it
// wider, so that the text runs past the label (as far as the window goes)
// instead of being cut.
int larghezza_etichetta(HFONT carattere, const std::wstring& testo) {
  SIZE misura{};
  HDC schermo = ::GetDC(nullptr);
  if (schermo != nullptr && carattere != nullptr) {
    HGDIOBJ prima = ::SelectObject(schermo, carattere);
    ::GetTextExtentPoint32W(schermo, testo.c_str(), static_cast<int>(testo.size()),
                            &misura);
    ::SelectObject(schermo, prima);
  }
  if (schermo != nullptr) ::ReleaseDC(nullptr, schermo);
  return std::clamp<int>(misura.cx, etichetta_larghezza,
                         larghezza_finestra - etichetta_x);
}

void chiudi_finestra(windows_state& s) {
  if (s.finestra != nullptr) {
    ::DestroyWindow(s.finestra);
    s.finestra = nullptr;
    smaltisci_messaggi();
  }
  if (s.carattere != nullptr) {
    ::DeleteObject(s.carattere);
    s.carattere = nullptr;
  }
}

void mostra_finestra(windows_state& s, const std::string& label) {
  chiudi_finestra(s);
  if (s.terminale) return scrivi_riga(label);
  HINSTANCE istanza = ::GetModuleHandleW(nullptr);
  RECT r{0, 0, larghezza_finestra, altezza_finestra};
  ::AdjustWindowRectEx(&r, stile_finestra, FALSE, 0);
  // No position given: the window system places it as any new window.
  if (registra_classe(istanza)) {
    s.finestra = ::CreateWindowExW(0, classe_finestra, titolo_finestra, stile_finestra,
                                   CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left,
                                   r.bottom - r.top, nullptr, nullptr, istanza, nullptr);
  }
  if (s.finestra == nullptr) {
    s.terminale = true;
    return scrivi_riga(label);
  }
  const std::wstring testo = utf16(label);
  s.carattere = crea_carattere();
  HWND etichetta = ::CreateWindowExW(
      0, L"STATIC", testo.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
      etichetta_x, etichetta_y, larghezza_etichetta(s.carattere, testo),
      etichetta_altezza, s.finestra, nullptr, istanza, nullptr);
  if (etichetta != nullptr && s.carattere != nullptr) {
    ::SendMessageW(etichetta, WM_SETFONT, reinterpret_cast<WPARAM>(s.carattere), FALSE);
  }
  ::ShowWindow(s.finestra, SW_SHOWNORMAL);
  // Painted now, children included: nothing repaints it while the run works.
  ::RedrawWindow(s.finestra, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  smaltisci_messaggi();
  ::GdiFlush();
}

int mostra_messaggio(windows_state& s, const std::string& text) {
  if (!s.terminale) {
    // Modal to the run's window, which stays until the box is closed.
    // 0 (or, under Wine with no display, -1) when no box could be shown.
    if (::MessageBoxW(s.finestra, utf16(text).c_str(), titolo_messaggio, MB_OK) > 0) {
      return 1;  // the box has only OK: however it is closed, that is the answer
    }
  }
  scrivi_riga(text);
  return 1;
}

}  // namespace

platform default_platform() {
  auto s = std::make_shared<windows_state>();
  platform p;
  p.mostra_finestra = [s](const std::string& label) { mostra_finestra(*s, label); };
  p.chiudi_finestra = [s] { chiudi_finestra(*s); };
  p.mostra_messaggio = [s](const std::string& text) {
    return mostra_messaggio(*s, text);
  };
  p.termina = [](int exit_status) { std::exit(exit_status); };
  return p;
}

std::string program_folder() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    DWORD n =
        ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) {
      buffer.resize(n);
      break;
    }
    buffer.resize(buffer.size() * 2);
  }
  size_t separator = buffer.find_last_of(L"\\/");
  if (separator == std::wstring::npos) return {};
  return utf8(std::wstring_view(buffer).substr(0, separator));
}

void prepare_process() {
  // A drive with no medium fails the operation instead of asking the user.
  ::SetErrorMode(SEM_FAILCRITICALERRORS);
}
