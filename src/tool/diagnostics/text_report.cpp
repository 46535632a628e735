#include "tool/diagnostics/text_report.h"

#include <optional>
#include <string_view>

#include "tool/platform/encoding.h"

namespace {

constexpr int tabulazione = 8;
constexpr size_t larghezza_numero = 5;  // of the line number before " | "

struct stile {
  bool attivo;
  std::string_view grassetto() const { return attivo ? "\033[1m" : ""; }
  std::string_view fine() const { return attivo ? "\033[0m" : ""; }
  std::string_view accento() const { return attivo ? "\033[1;32m" : ""; }
  std::string_view di(severity g) const {
    if (!attivo) return "";
    switch (g) {
      case severity::error:
        return "\033[1;31m";
      case severity::warning:
        return "\033[1;35m";
      case severity::note:
        break;
    }
    return "\033[1;36m";
  }
};

// The quoted line in UTF-8, tabs expanded, and under it `^` at the span's
// start and `~` along the rest of it on that line. Columns below count what
// the terminal shows: one per character, up to the next tab stop for a tab.
// A line wider than `larghezza_citazione` is quoted as a window of that many
// columns around the caret, "…" marking what is cut on either side, so that
// a line of millions of bytes costs two passes over it and no more.
void cita_riga(std::string& out, std::string_view riga, uint32_t numero, size_t inizio,
               size_t lunghezza, const stile& s) {
  std::string numero_testo = std::to_string(numero);
  size_t larghezza = std::max(larghezza_numero, numero_testo.size());
  const size_t fine = inizio + std::max<size_t>(lunghezza, 1);
  // First pass: the columns of the span and of the whole line.
  size_t colonna = 0, colonna_inizio = 0, colonna_fine = 0;
  const auto passo = [](unsigned char b, size_t c) {
    return b == '\t' ? tabulazione - c % tabulazione : size_t{1};
  };
  for (size_t i = 0; i <= riga.size(); ++i) {
    if (i == inizio) colonna_inizio = colonna;
    if (i == fine) colonna_fine = colonna;
    if (i == riga.size()) break;
    colonna += passo(static_cast<unsigned char>(riga[i]), colonna);
  }
  const size_t colonne = colonna;
  // A span that starts or ends past the line's text: just past its end.
  if (inizio > riga.size()) colonna_inizio = colonne;
  if (fine > riga.size()) colonna_fine = std::max(colonne, colonna_inizio + 1);

  // The window of columns shown: all of them, or a cut around the caret.
  size_t da = 0, a = colonne;
  if (colonne > larghezza_citazione) {
    da = colonna_inizio > larghezza_citazione / 2
             ? colonna_inizio - larghezza_citazione / 2
             : 0;
    da = std::min(da, colonne - larghezza_citazione);
    a = da + larghezza_citazione;
  }
  std::string testo;
  if (da > 0) testo += "\u2026";
  colonna = 0;
  for (size_t i = 0; i < riga.size() && colonna < a; ++i) {
    const unsigned char b = static_cast<unsigned char>(riga[i]);
    const size_t n = passo(b, colonna);
    if (colonna + n > da) {
      if (b == '\t') {
        testo.append(std::min(colonna + n, a) - std::max(colonna, da), ' ');
      } else {
        // Control characters would act on the terminal: shown as U+FFFD.
        aggiungi_utf8(testo, b < 0x20 || b == 0x7F ? U'\uFFFD' : da_cp1252(b));
      }
    }
    colonna += n;
  }
  if (a < colonne) testo += "\u2026";
  const size_t spostamento = da > 0 ? 1 : 0;  // the "…" before the window
  const size_t caret = colonna_inizio - da + spostamento;
  const size_t fine_caret =
      (a < colonne ? std::min(colonna_fine, a) : colonna_fine) - da + spostamento;

  out.append(larghezza - numero_testo.size(), ' ').append(numero_testo).append(" | ");
  out.append(testo).append("\n");
  out.append(larghezza, ' ').append(" | ").append(caret, ' ');
  out.append(s.accento()).append("^");
  out.append(fine_caret > caret + 1 ? fine_caret - caret - 1 : 0, '~');
  out.append(s.fine()).append("\n");
}

// One block: the location and message line, then the quoted line.
void blocco(std::string& out, const stile& s, const std::optional<rendered_place>& posto,
            severity livello, const std::string& messaggio, const std::string& etichetta) {
  if (posto) {
    out.append(s.grassetto()).append(controlli_visibili(posto->file));
    out.append(":").append(std::to_string(posto->start.line));
    out.append(":").append(std::to_string(posto->start.column));
  } else {
    out.append(s.grassetto()).append("scenario");
  }
  out.append(": ").append(s.fine());
  out.append(s.di(livello)).append(severity_word(livello)).append(":").append(s.fine());
  out.append(s.grassetto()).append(" ").append(messaggio);
  if (!etichetta.empty()) out.append(" [").append(etichetta).append("]");
  out.append(s.fine()).append("\n");
  if (posto) {
    cita_riga(out, posto->line_text, posto->start.line, posto->start.column - 1,
              posto->length, s);
  }
}

std::string plurale(int n, std::string_view parola) {
  return std::to_string(n) + " " + std::string(parola) + (n == 1 ? "" : "s");
}

}  // namespace

std::string riepilogo(const conteggio_reperti& c) {
  std::string parti;
  if (c.errori > 0) parti = plurale(c.errori, "error");
  if (c.avvisi > 0)
    parti += (parti.empty() ? "" : " and ") + plurale(c.avvisi, "warning");
  return parti.empty() ? "" : parti + " generated.\n";
}

std::string testo_diagnostica(const rendered_diagnostic& d, bool colore) {
  const stile s{colore};
  std::string out;
  blocco(out, s, d.place, d.level, d.message, d.label);
  for (const rendered_note& n : d.notes) blocco(out, s, n.place, severity::note, n.message, "");
  return out;
}

std::string resa_testo(const std::vector<rendered_diagnostic>& diagnostiche,
                       const opzioni_testo& opzioni) {
  std::string out;
  for (const rendered_diagnostic& d : diagnostiche) out += testo_diagnostica(d, opzioni.colore);
  if (opzioni.riepilogo) out += riepilogo(count(diagnostiche));
  return out;
}
