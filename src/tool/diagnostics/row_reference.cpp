#include "tool/diagnostics/row_reference.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "reader/keywords.h"
#include "tool/diagnostics/selection.h"

namespace {

using parte = parte_riferimento;
using tipo = parte_riferimento::tipo;

parte titolo(int livello, std::string testo) {
  return {tipo::titolo, livello, std::move(testo), {}};
}
parte paragrafo(std::string testo) { return {tipo::paragrafo, 0, std::move(testo), {}}; }
parte codice(std::vector<std::string> righe) {
  return {tipo::codice, 0, "", std::move(righe)};
}
parte voce(std::string termine, std::vector<std::string> paragrafi) {
  return {tipo::voce, 0, std::move(termine), std::move(paragrafi)};
}

std::string minuscole(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string documento_di(bool del_treno) {
  return del_treno ? "the train source" : "the line source";
}

std::string parola_di(const tipo_riga& t) {
  return std::string(parole_chiave()[static_cast<size_t>(t.parola)].parola);
}

// "0 to 255": the values a field is meant to hold, or its width's.
std::string intervallo_di(const descrizione_campo& c) {
  if (c.formato == formato_campo::testo) return "text";
  intervallo i = c.ammessi;
  if (!i.esiste()) {
    switch (c.formato) {
      case formato_campo::intero_16:
        i = {std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()};
        break;
      case formato_campo::intero_8:
        i = {0, 255};
        break;
      default:
        i = {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()};
    }
  }
  return std::to_string(i.minimo) + " to " + std::to_string(i.massimo);
}

std::string larghezza_di(formato_campo f) {
  switch (f) {
    case formato_campo::intero_32:
      return "32-bit";
    case formato_campo::intero_16:
      return "16-bit";
    case formato_campo::intero_8:
      return "8-bit";
    case formato_campo::testo:
      return "text";
  }
  return "";
}

std::string termine_campo(size_t n, const descrizione_campo& c) {
  std::string cosa;
  if (!c.unita.empty()) cosa += std::string(c.unita) + ", ";
  if (c.formato == formato_campo::testo) {
    cosa += "text, default empty";
  } else {
    const std::string larghezza = larghezza_di(c.formato);
    cosa += intervallo_di(c) + (larghezza[0] == '8' ? "; an " : "; a ") + larghezza +
            " number, default 0";
  }
  return std::to_string(n) + ". `" + std::string(c.nome) + "` (" + cosa + ")";
}

std::vector<std::string> paragrafi_campo(const descrizione_campo& c) {
  std::vector<std::string> out = {std::string(c.significato),
                                  "Build: " + std::string(c.effetto)};
  for (const valore_campo& v : c.valori) {
    const std::string quali = v.da == v.a ? std::to_string(v.da)
                              : v.a == v.da + 1
                                  ? std::to_string(v.da) + " and " + std::to_string(v.a)
                              : v.a == std::numeric_limits<int32_t>::max()
                                  ? std::to_string(v.da) + " and more"
                                  : std::to_string(v.da) + " to " + std::to_string(v.a);
    out.push_back(quali + ": " + std::string(v.significato));
  }
  return out;
}

std::string riconoscimento(const tipo_riga& t) {
  std::string out = "Written `" + std::string(t.grafie[0]) + "`";
  if (t.numero_grafie() > 1) out += " or `" + std::string(t.grafie[1]) + "`";
  if (t.id == riga_id::curva) out += " (s or d, then the class 1 to 6)";
  out += "; recognised by a first field that holds \"" + std::string(t.parola_a) + "\"";
  if (!t.parola_b.empty()) out += " and \"" + std::string(t.parola_b) + "\"";
  out += t.solo_minuscole ? ", in lower case only" : ", in any letter case";
  out += ". Read only in " + std::string(nome_sezione(t.sezione)) + ", block `" +
         std::string(t.blocco) + "`.";
  return out;
}

// The findings whose example holds a row of kind `t`.
std::vector<std::string_view> reperti_della_riga(const tipo_riga& t) {
  std::vector<std::string_view> out;
  for (size_t i = 0; i < static_cast<size_t>(reperto_id::numero); ++i) {
    const descrizione_reperto& d = descrivi(static_cast<reperto_id>(i));
    for (const tipo_riga* r : righe_del_reperto(d)) {
      if (r == &t) {
        out.push_back(d.nome);
        break;
      }
    }
  }
  return out;
}

riferimento regole_generali() {
  return {
      titolo(2, "General rules"),
      voce("Documents",
           {"Two source documents make a scenario: the line source `<line>_linea.txt` "
            "and the train source `<line>_<train>-.txt`. Both are text in Windows-1252, "
            "one row a line, lines ended by CR LF (a lone CR or LF ends a line too, with "
            "a warning); a document saved as UTF-8 or UTF-16 is refused "
            "(not-windows-1252)."}),
      voce("Fields",
           {"A row is its keyword, then its fields, each after a comma. A line end "
            "also ends a field, and blanks (spaces, tabs) before a field are skipped. A "
            "text field (a name, a sign's text) runs to the next comma or line end, so "
            "it holds no comma; blanks at its end are dropped."}),
      voce("Whole numbers",
           {"A number is an optional minus sign and decimal digits: no decimal point, "
            "no unit, no thousands separator. A number also ends at a blank, so "
            "`19 59 55` is three fields. An empty field (nothing between two commas) "
            "reads 0. Anything else in a number field stops the reading (not-a-number, "
            "status 25), and so does a value its field cannot hold (value-out-of-range: "
            "8-bit fields hold 0 to 255, 16-bit ones -32768 to 32767)."}),
      voce("Leftovers",
           {"A row reads exactly its own fields, across line ends if need be. What is "
            "left on its line is read on as the next row's keyword, with a warning "
            "(extra-fields, or decimal-comma: in `pendenza, 1250, -4,5` the gradient is "
            "-4 and `5` is read as a keyword that names nothing). A row short of fields "
            "takes the missing ones from the next line (short-row); to leave a field out, "
            "leave it empty: `indicatori_vmax, 1000, 90, 95, 100, 0, , , , 0`."}),
      voce("Keywords",
           {"The first field of a line is its keyword. A row is recognised when every "
            "word of its test occurs anywhere in that field; the words progressiva, "
            "uno, due, tre, sfondo, segnali and ripetizione match in lower case only, "
            "all others in any letter case. Every kind whose test the field passes reads "
            "its fields, in the order of this reference's tables."}),
      voce("What is skipped",
           {"Everything before the first line holding `[generale]`. A line whose "
            "keyword names no row (a warning, unknown-row, unless it is a number or a "
            "section line; an error, misspelt-keyword, when it is a letter or two from a "
            "keyword). A first field holding a `-` anywhere, with the field after it: a "
            "line begun with `-` is left out as long as its other fields name no row (a "
            "warning, dash-line-skipped). Empty lines. A header row outside the line source's header, or a row "
            "of the other document, is not recognised (misplaced-row) and its numbers "
            "are read as stray fields."}),
      voce("Positions and cells",
           {"Positions are whole metres from the start of the route. The track is cut "
            "into cells of 50 m: cell i covers i x 50 to i x 50 + 49 m. A position p "
            "lies in cell round(p / 50), an exact half to the even cell; signals, boards "
            "and signs stand on cell round(p / 50 + 1). The track runs 7000 m past the "
            "route length, and a row needs its position plus 100 m (a station 800 m) on "
            "it: past that the rest of the document's body is not read (status 15).",
            "A cell holds one feature (signal, board, sign, code point, stop point). A "
            "row whose cell is taken stops the reading with that row's error; only a "
            "mountain marker gives way. The build stops reading at its first error; the "
            "tool reads on past it and reports each further error at its own row. "
            "`scenario explain NAME` tells each finding."}),
      voce("Names and race codes",
           {"The line and train identifiers come from the documents' names (or "
            "`--line` and `--train`); they are stored in Windows-1252 as the names of "
            "slots 85 and 86 of the scenario file. They are also the inputs of the two "
            "race codes, the check values the build stamps: the train identifier then "
            "the line identifier, lower-cased, filled up with "
            "`aabbccddeeffgghhiillmmnnoo`; of it the first 25 characters count. Their "
            "plain sum goes to cell 1's dato_b, their sum weighted by position 1 to 25 "
            "to slot 85's orario; cell 1's dato_a gets 5121 and slot 85's valore_1 610. "
            "Renaming a scenario changes its race codes; a feature on cell 1 that sets "
            "dato_a or dato_b stops the build (error box 1250 or 1251)."}),
  };
}

void aggiungi(riferimento& a, const riferimento& b) {
  a.insert(a.end(), b.begin(), b.end());
}

std::string testo_blocco(const blocco_documento& b) {
  std::string righe;
  for (riga_id id : b.righe) {
    righe += (righe.empty() ? "" : ", ") + ("`" + parola_di(tipo_di(id)) + "`");
  }
  std::string testo = std::string(b.significato);
  if (!righe.empty()) testo += " Rows: " + righe + ".";
  return testo;
}

riferimento blocco(const blocco_documento& b) {
  return {voce("`" + std::string(b.nome) + "` (" + documento_di(b.del_treno) + ")",
               {testo_blocco(b)})};
}

riferimento i_blocchi() {
  riferimento out = {titolo(2, "Blocks")};
  out.push_back(paragrafo(
      "Each document is a run of blocks, each begun by its section line; `scenario "
      "new --blank` writes them all, in this order. In the line source the block "
      "`[generale]` is the header: header rows are read there and only there, body rows "
      "only after it. Every other section line means nothing to the reader: a body row "
      "is read in whichever block it stands, and the train source's rows anywhere after "
      "its `[generale]`. Rows of one kind must only keep their own order: gradients, "
      "curves, speeds and adhesion ascending (out-of-order), stations in the order of "
      "travel."));
  for (const blocco_documento& b : blocchi) aggiungi(out, blocco(b));
  return out;
}

}  // namespace

std::vector<std::string_view> righe_esempio(std::string_view esempio) {
  std::vector<std::string_view> out;
  size_t inizio = 0;
  while (!esempio.empty() && inizio <= esempio.size()) {
    const size_t fine = esempio.find('\n', inizio);
    out.push_back(esempio.substr(inizio, fine - inizio));
    if (fine == std::string_view::npos) break;
    inizio = fine + 1;
  }
  return out;
}

const tipo_riga* tipo_della_riga(std::string_view riga) {
  const std::string_view campo = riga.substr(0, riga.find(','));
  if (campo.empty() || campo.front() == '(' || campo.front() == '[') return nullptr;
  for (const tipo_riga& t : tipi_riga) {
    if (corrisponde(campo, t)) return &t;
  }
  return nullptr;
}

std::vector<const tipo_riga*> righe_del_reperto(const descrizione_reperto& d) {
  std::vector<const tipo_riga*> out;
  for (std::string_view r : righe_esempio(d.esempio)) {
    const tipo_riga* t = tipo_della_riga(r);
    if (t != nullptr && std::find(out.begin(), out.end(), t) == out.end())
      out.push_back(t);
  }
  return out;
}

const tipo_riga* tipo_per_parola(std::string_view parola) {
  const std::string p = minuscole(parola);
  bool parola_nota = false;
  for (const parola_chiave_riga& k : parole_chiave()) parola_nota |= k.parola == p;
  for (const tipo_riga& t : tipi_riga) {
    if (!parola_nota && !(t.parola_b.empty() && t.parola_a == p)) continue;
    if (corrisponde_nc(p, t)) return &t;
  }
  return nullptr;
}

std::vector<const blocco_documento*> blocchi_per_parola(std::string_view parola) {
  std::string p = minuscole(parola);
  if (p.size() >= 2 && p.front() == '[' && p.back() == ']') p = p.substr(1, p.size() - 2);
  std::vector<const blocco_documento*> out;
  if (p.empty()) return out;
  for (const blocco_documento& b : blocchi) {
    if (b.nome.substr(1, b.nome.size() - 2) == p) out.push_back(&b);
  }
  return out;
}

std::string riga_dei_campi(const tipo_riga& t) {
  std::string out = parola_di(t);
  for (const descrizione_campo& c : t.campi) out += ", " + std::string(c.nome);
  return out;
}

riferimento riferimento_riga(const tipo_riga& t) {
  riferimento out;
  out.push_back(titolo(3, parola_di(t) + " (a row of " +
                              documento_di(t.sezione == sezione_riga::treno) + ")"));
  out.push_back(paragrafo(std::string(t.significato) + " " + std::string(t.effetto)));
  out.push_back(paragrafo(riconoscimento(t)));
  out.push_back(paragrafo("Its fields, in order:"));
  out.push_back(codice({riga_dei_campi(t)}));
  out.push_back(paragrafo("For example:"));
  out.push_back(codice({std::string(t.esempio)}));
  size_t n = 0;
  for (const descrizione_campo& c : t.campi) {
    out.push_back(voce(termine_campo(++n, c), paragrafi_campo(c)));
  }
  out.push_back(
      paragrafo("When the document has no such row: " + std::string(t.se_assente)));
  const std::vector<std::string_view> reperti = reperti_della_riga(t);
  if (!reperti.empty()) {
    std::string lista;
    for (std::string_view r : reperti)
      lista += (lista.empty() ? "" : ", ") + std::string(r);
    out.push_back(paragrafo("Findings whose example holds this row: " + lista +
                            " (`scenario explain NAME`)."));
  }
  return out;
}

riferimento riferimento_blocchi(bool del_treno, std::string_view nome) {
  riferimento out;
  for (const blocco_documento& b : blocchi) {
    if (b.del_treno != del_treno || b.nome != nome) continue;
    out.push_back(titolo(
        3, std::string(b.nome) + " (a block of " + documento_di(b.del_treno) + ")"));
    out.push_back(paragrafo(testo_blocco(b)));
  }
  return out;
}

riferimento riferimento_completo() {
  riferimento out = {
      titolo(1, "The rows of the source documents"),
      paragrafo(
          "What every row of the two source documents holds and what the build does "
          "with it, generated from the tool's own row table: `scenario explain "
          "KEYWORD` shows one row, `scenario explain BLOCK` one block, and the manual "
          "page scenario-documents(5) holds the same text. `scenario new DIR --blank` "
          "writes a pair of documents with one row of each kind."),
  };
  aggiungi(out, regole_generali());
  aggiungi(out, i_blocchi());
  for (const bool del_treno : {false, true}) {
    out.push_back(titolo(2, del_treno ? "The train source" : "The line source"));
    for (const blocco_documento& b : blocchi) {
      if (b.del_treno != del_treno) continue;
      for (riga_id id : b.righe) aggiungi(out, riferimento_riga(tipo_di(id)));
    }
  }
  return out;
}

// --- text --------------------------------------------------------------------

namespace {

// `testo` in lines of at most `larghezza` characters, each indented by
// `rientro` spaces; backquotes dropped.
std::string a_capo(std::string_view testo, size_t rientro, size_t larghezza = 78) {
  std::string pulito;
  for (char c : testo) {
    if (c != '`') pulito += c;
  }
  const std::string spazi(rientro, ' ');
  std::string out, riga;
  size_t i = 0;
  while (i < pulito.size()) {
    const size_t spazio = pulito.find(' ', i);
    const std::string parola =
        pulito.substr(i, spazio == std::string::npos ? std::string::npos : spazio - i);
    if (!riga.empty() && rientro + riga.size() + 1 + parola.size() > larghezza) {
      out += spazi + riga + "\n";
      riga.clear();
    }
    if (!riga.empty()) riga += ' ';
    riga += parola;
    if (spazio == std::string::npos) break;
    i = spazio + 1;
  }
  if (!riga.empty()) out += spazi + riga + "\n";
  return out;
}

}  // namespace

std::string come_testo(const riferimento& r) {
  std::string out;
  for (const parte& p : r) {
    if (!out.empty() && p.t != tipo::titolo) out += "\n";
    switch (p.t) {
      case tipo::titolo:
        if (!out.empty()) out += "\n";
        out += a_capo(p.testo, 0);
        if (p.livello < 3)
          out += std::string(std::min<size_t>(p.testo.size(), 78),
                             p.livello == 1 ? '=' : '-') +
                 "\n";
        break;
      case tipo::paragrafo:
        out += a_capo(p.testo, 2);
        break;
      case tipo::codice:
        for (const std::string& l : p.righe) out += "    " + l + "\n";
        break;
      case tipo::voce:
        out += a_capo(p.testo, 2);
        for (const std::string& l : p.righe) out += a_capo(l, 6);
        break;
    }
  }
  return out;
}

// --- Markdown ----------------------------------------------------------------

std::string come_markdown(const riferimento& r) {
  std::string out;
  for (const parte& p : r) {
    if (!out.empty()) out += "\n";
    switch (p.t) {
      case tipo::titolo:
        out += std::string(static_cast<size_t>(p.livello), '#') + " " + p.testo + "\n";
        break;
      case tipo::paragrafo:
        out += p.testo + "\n";
        break;
      case tipo::codice:
        out += "```\n";
        for (const std::string& l : p.righe) out += l + "\n";
        out += "```\n";
        break;
      case tipo::voce:
        out += "- **" + p.testo + "**\n";
        for (const std::string& l : p.righe) out += "\n  " + l + "\n";
        break;
    }
  }
  return out;
}

// --- man(7) --------------------------------------------------------------------

namespace {

// A line of running text for roff: backslashes and non-ASCII characters
// escaped, `code` in bold, and a line that would begin a request protected.
std::string in_roff(std::string_view testo) {
  std::string out;
  bool grassetto = false;
  for (size_t i = 0; i < testo.size(); ++i) {
    const auto c = static_cast<unsigned char>(testo[i]);
    if (c == '`') {
      out += grassetto ? "\\fR" : "\\fB";
      grassetto = !grassetto;
    } else if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      // A UTF-8 sequence, as the character's name.
      char32_t u = 0;
      size_t n = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
      u = c & (0x3F >> n);
      for (size_t k = 0; k < n && i + 1 < testo.size(); ++k) {
        u = (u << 6) | (static_cast<unsigned char>(testo[++i]) & 0x3F);
      }
      char nome[16];
      std::snprintf(nome, sizeof nome, "\\[u%04X]", static_cast<unsigned>(u));
      out += nome;
    }
  }
  if (grassetto) out += "\\fR";
  if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out = "\\&" + out;
  return out;
}

std::string maiuscole(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

std::string come_man(const riferimento& r, std::string_view nome, int sezione,
                     std::string_view descrizione) {
  std::string out = ".\\\" Generated by the tool from its own tables; do not edit.\n";
  out += ".TH " + maiuscole(nome) + " " + std::to_string(sezione) +
         " \"\" \"scenario_build\" \"scenario_build\"\n";
  out +=
      ".SH NAME\n" + in_roff(std::string(nome) + " - " + std::string(descrizione)) + "\n";
  for (const parte& p : r) {
    switch (p.t) {
      case tipo::titolo:
        if (p.livello == 1) continue;  // the NAME says it
        out += (p.livello == 2 ? ".SH " : ".SS ") +
               in_roff(p.livello == 2 ? maiuscole(p.testo) : p.testo) + "\n";
        break;
      case tipo::paragrafo:
        out += ".PP\n" + in_roff(p.testo) + "\n";
        break;
      case tipo::codice:
        out += ".PP\n.RS 4\n.nf\n";
        for (const std::string& l : p.righe) out += in_roff(l) + "\n";
        out += ".fi\n.RE\n";
        break;
      case tipo::voce:
        out += ".TP\n" + in_roff(p.testo) + "\n";
        for (size_t i = 0; i < p.righe.size(); ++i) {
          if (i > 0) out += ".IP\n";
          out += in_roff(p.righe[i]) + "\n";
        }
        break;
    }
  }
  return out;
}
