#include "reader/warnings.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "reader/keywords.h"
#include "reader/row_kinds.h"
#include "reader/track_cells.h"
#include "scenario/reporting.h"
#include "scenario/scenario_state.h"

namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }
bool line_end(char c) { return c == '\r' || c == '\n'; }

luogo span(documento doc, size_t a, size_t b) {
  return {doc, static_cast<uint32_t>(a), static_cast<uint32_t>(b - a)};
}

std::string minuscolo(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

void avvisa(scenario_state& st, reperto_id id, luogo dove, int64_t valore,
            int64_t limite) {
  if (st.reperti == nullptr) return;
  reperto r = nuovo_reperto(id, dove.esiste() ? dove : st.riga_in_lettura);
  r.riga = st.riga_in_lettura;
  r.valore = valore;
  r.limite = limite;
  segnala(st, r);
}

std::optional<codifica_trovata> codifica_estranea(std::string_view t) {
  const auto u = [&](size_t i) { return static_cast<unsigned char>(t[i]); };
  if (t.starts_with("\xEF\xBB\xBF")) return codifica_trovata{motivo::bom_utf8, 0, 3};
  if (t.starts_with("\xFF\xFE") || t.starts_with("\xFE\xFF"))
    return codifica_trovata{motivo::utf16, 0, 2};
  if (const size_t nul = t.find('\0'); nul != std::string_view::npos) {
    // UTF-16 without its mark: ASCII letters with a NUL beside each.
    const bool a_coppie =
        nul <= 1 && t.size() >= 4 && (u(nul + 2 < t.size() ? nul + 2 : nul) == 0);
    return codifica_trovata{a_coppie ? motivo::utf16 : motivo::byte_nullo, nul, nul + 1};
  }
  size_t primo = std::string_view::npos, fine_primo = 0;
  for (size_t i = 0; i < t.size();) {
    const unsigned char b = u(i);
    if (b < 0x80) {
      ++i;
      continue;
    }
    const size_t n = b >= 0xC2 && b <= 0xDF   ? 2
                     : b >= 0xE0 && b <= 0xEF ? 3
                     : b >= 0xF0 && b <= 0xF4 ? 4
                                              : 0;
    if (n == 0 || i + n > t.size()) return std::nullopt;  // no UTF-8: Windows-1252
    for (size_t k = 1; k < n; ++k) {
      if ((u(i + k) & 0xC0) != 0x80) return std::nullopt;
    }
    if (primo == std::string_view::npos) {
      primo = i;
      fine_primo = i + n;
    }
    i += n;
  }
  if (primo == std::string_view::npos) return std::nullopt;
  return codifica_trovata{motivo::utf8, primo, fine_primo};
}

void controlla_formato(scenario_state& st, std::string_view testo, documento doc) {
  if (st.reperti == nullptr) return;
  if (const std::optional<codifica_trovata> c = codifica_estranea(testo)) {
    reperto r = nuovo_reperto(reperto_id::non_cp1252, span(doc, c->inizio, c->fine));
    r.limite = static_cast<int64_t>(c->perche);
    segnala(st, r);
    // Two bytes a character: its lines and blanks are not what they seem.
    if (c->perche == motivo::utf16 || c->perche == motivo::byte_nullo) return;
  }
  // The first place of each kind, and how many more lines have it.
  struct conto {
    size_t primo = std::string_view::npos;
    int64_t altre = -1;
  } tab, fine_riga;
  size_t dopo_fine = std::string_view::npos;
  bool visto_fine = false;
  size_t inizio = 0;
  while (inizio < testo.size()) {
    size_t fine = inizio;
    while (fine < testo.size() && !line_end(testo[fine])) ++fine;
    const std::string_view riga = testo.substr(inizio, fine - inizio);
    if (const size_t t = riga.find('\t'); t != std::string_view::npos) {
      if (tab.primo == std::string_view::npos) tab.primo = inizio + t;
      ++tab.altre;
    }
    size_t prossima = fine;
    if (fine < testo.size()) {
      const bool crlf =
          testo[fine] == '\r' && fine + 1 < testo.size() && testo[fine + 1] == '\n';
      if (!crlf) {
        if (fine_riga.primo == std::string_view::npos) fine_riga.primo = fine;
        ++fine_riga.altre;
      }
      prossima = fine + (crlf ? 2 : 1);
    }
    const size_t primo = riga.find_first_not_of(" \t");
    if (primo != std::string_view::npos) {
      if (visto_fine && dopo_fine == std::string_view::npos) dopo_fine = inizio + primo;
      const size_t virgola = riga.find(',');
      if (contiene_nc(riga.substr(0, virgola), "[fine]")) visto_fine = true;
    }
    inizio = prossima;
  }
  if (tab.primo != std::string_view::npos)
    avvisa(st, reperto_id::tabulazione, span(doc, tab.primo, tab.primo + 1), tab.altre);
  if (fine_riga.primo != std::string_view::npos) {
    avvisa(st, reperto_id::fine_riga_isolata,
           span(doc, fine_riga.primo, fine_riga.primo + 1), fine_riga.altre);
  }
  if (dopo_fine != std::string_view::npos) {
    const size_t fine = testo.find_first_of("\r\n", dopo_fine);
    avvisa(st, reperto_id::dopo_fine,
           span(doc, dopo_fine, fine == std::string_view::npos ? testo.size() : fine));
  }
}

bool campo_a_inizio_riga(const field_reader& r) {
  size_t i = r.inizio_campo;
  while (i > 0 && blank(r.testo[i - 1])) --i;
  return i == 0 || line_end(r.testo[i - 1]);
}

void controlla_avanzi(scenario_state& st, const field_reader& r) {
  if (st.reperti == nullptr || r.pos == 0 || r.pos > r.testo.size()) return;
  if (line_end(r.testo[r.pos - 1])) return;  // the row ended its line
  size_t inizio = r.pos;
  size_t fine = inizio;
  while (fine < r.testo.size() && !line_end(r.testo[fine])) ++fine;
  while (inizio < fine && (blank(r.testo[inizio]) || r.testo[inizio] == ',')) ++inizio;
  size_t ultimo = fine;
  while (ultimo > inizio && blank(r.testo[ultimo - 1])) --ultimo;
  if (inizio == ultimo) return;  // blanks and commas only
  // "-4,5": digits right after the comma that ended a number are its
  // decimals, written with a comma.
  const std::string_view campo =
      r.testo.substr(r.inizio_campo, r.fine_campo - r.inizio_campo);
  const bool numero =
      !campo.empty() && campo.find_first_not_of("-0123456789") == std::string_view::npos;
  if (numero && r.fine_campo < r.testo.size() && r.testo[r.fine_campo] == ',' &&
      r.pos == r.fine_campo + 1 && r.pos < r.testo.size() &&
      std::isdigit(static_cast<unsigned char>(r.testo[r.pos]))) {
    size_t cifre = r.pos;
    while (cifre < r.testo.size() &&
           std::isdigit(static_cast<unsigned char>(r.testo[cifre])))
      ++cifre;
    int64_t letto = 0;
    for (char c : campo) letto = c == '-' ? letto : letto * 10 + (c - '0');
    if (campo[0] == '-') letto = -letto;
    avvisa(st, reperto_id::virgola_decimale, span(r.doc, r.inizio_campo, cifre), letto);
    return;
  }
  avvisa(st, reperto_id::campi_in_piu, span(r.doc, inizio, ultimo));
}

int parola_vicina(std::string_view token) {
  const std::string t = minuscolo(token);
  int migliore = -1;
  size_t minima = 0;
  const auto parole = parole_chiave();
  for (size_t i = 0; i < parole.size(); ++i) {
    const std::string_view p = parole[i].parola;
    // Against the whole keyword and against its first word alone.
    const std::string_view prima = p.substr(0, p.find(' '));
    const size_t soglia = std::max<size_t>(1, prima.size() / 4);
    // Two words differ in at least as many edits as in length: a long line
    // is measured against no keyword, so a document of long unknown lines
    // costs no more than reading it.
    const auto vicino = [&](std::string_view k) {
      const size_t scarto =
          t.size() > k.size() ? t.size() - k.size() : k.size() - t.size();
      return scarto <= soglia ? distanza(t, k) : scarto;
    };
    const size_t d = std::min(vicino(p), vicino(prima));
    if (d <= soglia && (migliore < 0 || d < minima)) {
      migliore = static_cast<int>(i);
      minima = d;
    }
  }
  return migliore;
}

void controlla_riga_ignorata(scenario_state& st, std::string_view token, int sezione,
                             bool salva_linea) {
  if (st.reperti == nullptr) return;
  if (token.empty() || riga_sezione(token) || contiene(token, "-")) return;
  for (const tipo_riga& t : tipi_riga) {
    if (t.sezione == sezione) {
      // Curve rows are left unread on purpose without the plan.
      if (!letta(t, salva_linea) && corrisponde(token, t)) return;
      if (t.solo_minuscole && corrisponde_nc(token, t)) {
        avvisa(st, reperto_id::maiuscole, st.riga_in_lettura, t.parola);
        return;
      }
    }
  }
  for (const tipo_riga& t : tipi_riga) {
    if (t.sezione != sezione && corrisponde_nc(token, t)) {
      // The row kind and where it was found: the message tells the move.
      reperto r = nuovo_reperto(reperto_id::riga_fuori_posto, st.riga_in_lettura);
      r.riga = st.riga_in_lettura;
      r.tipo = static_cast<int16_t>(&t - tipi_riga);
      r.valore = t.parola;
      r.limite = sezione;
      segnala(st, r);
      return;
    }
  }
  // A number left over from a row is no line of its own.
  if (token.find_first_not_of("0123456789 ") == std::string_view::npos) return;
  // A word a letter or two from a keyword is that keyword mistyped.
  const int vicina = parola_vicina(token);
  avvisa(st, vicina >= 0 ? reperto_id::parola_quasi : reperto_id::riga_sconosciuta,
         st.riga_in_lettura, vicina);
}

int16_t in_16_bit(scenario_state& st, int64_t v) {
  const int16_t stored = basso_16(v);
  if (stored != v) avvisa(st, reperto_id::valore_troncato, {}, v, stored);
  return stored;
}

uint8_t in_8_bit(scenario_state& st, int64_t v) {
  const uint8_t stored = basso_8(v);
  if (stored != v) avvisa(st, reperto_id::valore_troncato, {}, v, stored);
  return stored;
}
