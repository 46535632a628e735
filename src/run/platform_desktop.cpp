// The desktop backend: the run's window and the error box as real windows on
// the X display, drawn with FLTK. Without a display the terminal backend
// stands in, so the program still runs on a machine with no screen.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>

#include "run/platform.h"

namespace {

const char* const titolo_finestra = "Costruzione scenario";
const char* const titolo_messaggio = "Errore";

// Form1 and Label1 in pixels (96 dots per inch); 24 points are 32 pixels.
constexpr int larghezza_finestra = 280;
constexpr int altezza_finestra = 179;
constexpr int etichetta_x = 64;
constexpr int etichetta_y = 64;
constexpr int etichetta_larghezza = 177;
constexpr int etichetta_altezza = 53;
constexpr int etichetta_pixel = 32;

// The error box: the text above one OK button, centred on the screen.
constexpr int margine = 20;
constexpr int pulsante_larghezza = 80;
constexpr int pulsante_altezza = 28;
constexpr int pulsante_margine = 10;

struct desktop_state {
  std::unique_ptr<Fl_Window> finestra;
  std::string etichetta;  // FLTK keeps only a pointer to the label text
};

bool in_vista(Fl_Window& w) {
  XWindowAttributes a;
  return XGetWindowAttributes(fl_display, fl_xid(&w), &a) != 0 &&
         a.map_state == IsViewable;
}

// Handles events until the window is on screen and drawn: FLTK keeps the
// damage, and draws nothing, until the server has exposed the window.
// Bounded, so that a window manager that never maps it cannot hold up the run.
void attendi_disegno(Fl_Window& w) {
  w.redraw();
  auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (std::chrono::steady_clock::now() < limite) {
    Fl::wait(0.02);
    if (w.damage() == 0 && in_vista(w)) return;
  }
}

// Draws whatever is damaged and waits until the server has done it.
void disegna_subito() {
  Fl::flush();
  XSync(fl_display, False);
}

void mostra_finestra(desktop_state& s, const std::string& label) {
  if (s.finestra) s.finestra->hide();
  s.etichetta = label;
  // No position given: the window system places it as any new window.
  s.finestra =
      std::make_unique<Fl_Window>(larghezza_finestra, altezza_finestra, titolo_finestra);
  auto* etichetta = new Fl_Box(etichetta_x, etichetta_y, etichetta_larghezza,
                               etichetta_altezza, s.etichetta.c_str());
  etichetta->labelfont(FL_HELVETICA_BOLD);
  etichetta->labelsize(etichetta_pixel);
  etichetta->align(FL_ALIGN_TOP | FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
  s.finestra->end();
  s.finestra->show();
  attendi_disegno(*s.finestra);
  disegna_subito();
}

void chiudi_finestra(desktop_state& s) {
  if (!s.finestra) return;
  s.finestra->hide();
  s.finestra.reset();
  disegna_subito();
}

int mostra_messaggio(const std::string& text) {
  fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
  int tw = 0, th = 0;
  fl_measure(text.c_str(), tw, th, 0);
  int w = std::max(tw + 2 * margine, pulsante_larghezza + 2 * margine);
  int h = margine + th + margine + pulsante_altezza + pulsante_margine;

  Fl_Window box((Fl::w() - w) / 2, (Fl::h() - h) / 2, w, h, titolo_messaggio);
  auto* testo = new Fl_Box(margine, margine, tw, th, text.c_str());
  testo->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
  auto* ok = new Fl_Return_Button((w - pulsante_larghezza) / 2,
                                  h - pulsante_margine - pulsante_altezza,
                                  pulsante_larghezza, pulsante_altezza, "OK");
  ok->callback([](Fl_Widget* b, void*) { b->window()->hide(); });
  box.end();
  box.set_modal();
  box.show();
  while (box.shown()) Fl::wait();
  disegna_subito();
  // The box has only OK: closing it any other way is taken as OK too.
  return 1;
}

platform desktop_platform() {
  auto s = std::make_shared<desktop_state>();
  platform p;
  p.mostra_finestra = [s](const std::string& label) { mostra_finestra(*s, label); };
  p.chiudi_finestra = [s] { chiudi_finestra(*s); };
  p.mostra_messaggio = [](const std::string& text) { return mostra_messaggio(text); };
  p.termina = [](int exit_status) { std::exit(exit_status); };
  return p;
}

}  // namespace

platform default_platform() {
  if (fl_display != nullptr) return desktop_platform();
  // No display named: the window system is never touched.
  const char* name = std::getenv("DISPLAY");
  if (name == nullptr || *name == '\0') return terminal_platform();
  Display* d = XOpenDisplay(name);
  if (d == nullptr) return terminal_platform();
  fl_open_display(d);
  return desktop_platform();
}
