// The reference of the rows, generated from the row table (reader/row_kinds.h,
// reader/rows.h) and nowhere written by hand: the general rules of the
// documents, their blocks, and every kind of row with its fields. One
// composition, three renderings: the text `scenario explain ROW` prints, the
// Markdown page docs/rows.md and the manual page scenario-documents(5).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "reader/row_kinds.h"
#include "scenario/findings.h"

// A piece of the reference: a heading, a paragraph, preformatted lines, or
// an entry (a term and the paragraphs under it). Inline `code` is written in
// backquotes and rendered by each format.
struct parte_riferimento {
  enum class tipo { titolo, paragrafo, codice, voce } t = tipo::paragrafo;
  int livello = 0;                 // a heading's: 1, 2, 3
  std::string testo;               // heading, paragraph or the entry's term
  std::vector<std::string> righe;  // preformatted lines, or the entry's paragraphs
};
using riferimento = std::vector<parte_riferimento>;

// The row as a line of names: "segnale, posizione, sx, s1, ..., tempo".
std::string riga_dei_campi(const tipo_riga& t);

// The reference of one kind of row, and of the blocks a word names.
riferimento riferimento_riga(const tipo_riga& t);
riferimento riferimento_blocchi(bool del_treno, std::string_view nome);

// The whole reference: general rules, blocks, every row in block order.
riferimento riferimento_completo();

// The three renderings. The text is wrapped to 76 columns and indented as
// `scenario explain` indents; the manual page is man(7) source.
std::string come_testo(const riferimento& r);
std::string come_markdown(const riferimento& r);
std::string come_man(const riferimento& r, std::string_view nome, int sezione,
                     std::string_view descrizione);

// The kind of row a word names: a keyword as the documents spell it, or a
// row's single word ("curva"), letter case aside; null for none.
const tipo_riga* tipo_per_parola(std::string_view parola);

// The blocks a word names ("[curve]", "curve", "generale"): nothing when none.
std::vector<const blocco_documento*> blocchi_per_parola(std::string_view parola);

// The kinds of row a finding concerns: those its example holds, told by the
// reader's own keyword test.
std::vector<const tipo_riga*> righe_del_reperto(const descrizione_reperto& d);

// The kind of row a line of an example is read as; null for a line that is
// no row (a section line, a remark in brackets).
const tipo_riga* tipo_della_riga(std::string_view riga);

// The lines of a finding's example.
std::vector<std::string_view> righe_esempio(std::string_view esempio);
