// One fuzz case of the report: for any documents and identifiers, the page
// and the two drawings are well-formed XML (read by libxml2), and every text
// from the documents is escaped. A text that got out as markup would add an
// element or an attribute; so the page may hold one script and one style
// sheet, both its own, no attribute that runs code, and each source document
// back whole as the text of its <pre>; the title holds the identifiers.
//
// Input: build_check.h's layout; the train source may be followed by a NUL
// byte, the line identifier, another NUL byte and the train identifier
// (UTF-8; the documents' names give them when they are absent or refused).
#pragma once

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tool/platform/encoding.h"
#include "tool/report/report_assets.h"
#include "tool/report/report_pages.h"
#include "tool_case.h"

namespace report_check {

struct documento_xml {
  std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc{nullptr, &xmlFreeDoc};
  std::string errore;
};

inline void zitto(void*, const char*, ...) {}

// Reads `testo` as XML, no network and no entities from outside.
inline documento_xml leggi_xml(const std::string& testo) {
  xmlSetGenericErrorFunc(nullptr, zitto);
  documento_xml out;
  std::unique_ptr<xmlParserCtxt, decltype(&xmlFreeParserCtxt)> ctxt(xmlNewParserCtxt(),
                                                                    &xmlFreeParserCtxt);
  out.doc.reset(xmlCtxtReadMemory(ctxt.get(), testo.data(),
                                  static_cast<int>(testo.size()), "report.xml", "UTF-8",
                                  XML_PARSE_NONET | XML_PARSE_HUGE));
  if (!out.doc) {
    const xmlError* e = xmlCtxtGetLastError(ctxt.get());
    out.errore = e != nullptr && e->message != nullptr ? e->message : "not well-formed";
    if (e != nullptr) out.errore += " at line " + std::to_string(e->line);
  }
  return out;
}

inline std::string nome(const xmlNode* n) {
  return reinterpret_cast<const char*>(n->name);
}

inline std::string testo_di(const xmlNode* n) {
  xmlChar* t = xmlNodeGetContent(n);
  std::string out = t != nullptr ? reinterpret_cast<const char*>(t) : "";
  xmlFree(t);
  return out;
}

inline std::string attributo(const xmlNode* n, const char* a) {
  xmlChar* v = xmlGetProp(n, reinterpret_cast<const xmlChar*>(a));
  std::string out = v != nullptr ? reinterpret_cast<const char*>(v) : "";
  xmlFree(v);
  return out;
}

// What the page shows of a text: UTF-8 with the characters XML cannot hold
// (and bytes that are not UTF-8) as U+FFFD.
inline std::string come_mostrato(std::string_view utf8, bool cp1252) {
  const std::string u = cp1252 ? cp1252_a_utf8(utf8) : std::string(utf8);
  std::string out;
  for (size_t i = 0; i < u.size();) {
    const unsigned char b = static_cast<unsigned char>(u[i]);
    size_t n = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 0;
    char32_t c = 0xFFFD;
    bool valido = n > 0 && i + n <= u.size();
    if (valido && n == 1) c = b;
    if (valido && n > 1) {
      c = b & (0x7F >> n);
      for (size_t k = 1; k < n && valido; ++k) {
        const unsigned char x = static_cast<unsigned char>(u[i + k]);
        valido = (x & 0xC0) == 0x80;
        c = (c << 6) | (x & 0x3F);
      }
      const char32_t minimo = n == 2 ? 0x80 : n == 3 ? 0x800 : 0x10000;
      valido = valido && c >= minimo && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
    }
    if (!valido) {
      c = 0xFFFD;
      n = 1;
    }
    const bool ammesso = c < 0x20 ? (c == '\t' || c == '\n' || c == '\r')
                                  : c != 0x7F && c != 0xFFFE && c != 0xFFFF;
    aggiungi_utf8(out, ammesso ? c : U'\uFFFD');
    i += n;
  }
  return out;
}

struct visita {
  int script = 0, stile = 0;
  std::vector<const xmlNode*> sorgenti;  // <pre class="sorgente">
  const xmlNode* titolo = nullptr;
  std::vector<std::string> problemi;
};

// Every element and attribute of the tree under `n`; `svg` inside a drawing,
// whose own style sheets are plain rules and which holds no script.
inline void visita_albero(const xmlNode* n, visita& v, bool svg) {
  for (; n != nullptr; n = n->next) {
    if (n->type != XML_ELEMENT_NODE) continue;
    const std::string e = nome(n);
    const bool in_svg = svg || e == "svg";
    if (e == "script") {
      ++v.script;
      if (in_svg || testo_di(n) != std::string("//\n") + script_report + "\n//")
        v.problemi.push_back("a script that is not the page's own");
    } else if (e == "style" && in_svg) {
      if (testo_di(n).find_first_of("<>&") != std::string::npos)
        v.problemi.push_back("a drawing's style sheet with markup in it");
    } else if (e == "style") {
      ++v.stile;
      if (testo_di(n) != stile_report)
        v.problemi.push_back("a style sheet that is not the page's own");
    } else if (e == "pre" && attributo(n, "class") == "sorgente") {
      v.sorgenti.push_back(n);
    } else if (e == "title" && !in_svg && v.titolo == nullptr) {
      v.titolo = n;
    }
    for (const xmlAttr* a = n->properties; a != nullptr; a = a->next) {
      const std::string an = reinterpret_cast<const char*>(a->name);
      if (an.size() >= 2 && (an[0] == 'o' || an[0] == 'O') &&
          (an[1] == 'n' || an[1] == 'N'))
        v.problemi.push_back("an attribute '" + an + "' on <" + e + ">");
      if ((an == "href" || an == "src") &&
          attributo(n, an.c_str()).rfind("javascript:", 0) == 0)
        v.problemi.push_back("a link that runs a script on <" + e + ">");
    }
    visita_albero(n->children, v, in_svg);
  }
}

inline std::vector<std::string> run_case(const uint8_t* data, size_t size) {
  std::vector<std::string> problems;
  auto fail = [&](const std::string& what) { problems.push_back(what); };
  build_check::fuzz_case f = build_check::split_input(data, size);
  f.salva_linea = 1;  // the report always builds the plan
  std::optional<std::string> linea, treno;
  if (const size_t a = f.train.find('\0'); a != std::string::npos) {
    const std::string resto = f.train.substr(a + 1);
    f.train.resize(a);
    const size_t b = resto.find('\0');
    linea = resto.substr(0, b);
    treno = b == std::string::npos ? "T" : resto.substr(b + 1);
  }
  opzioni_build o;
  costruzione_in_memoria c;
  if (!tool_case::costruisci(f, tool_case::opzioni_di(data, size), o, c, linea, treno)) {
    return {tool_case::senza_identificativi};
  }
  const pagine_report p = crea_pagine_report(c, o, true);

  const documento_xml pagina = leggi_xml(p.pagina);
  if (!pagina.doc) return {"the page is not well-formed: " + pagina.errore};
  visita v;
  visita_albero(xmlDocGetRootElement(pagina.doc.get()), v, false);
  for (const std::string& x : v.problemi) fail("page: " + x);
  if (v.script != 1 || v.stile != 1)
    fail("the page's scripts or style sheets are not one each");
  if (v.titolo == nullptr ||
      testo_di(v.titolo) !=
          "Route report: " + come_mostrato(c.id.linea + " / " + c.id.treno, false))
    fail("the title does not hold the identifiers as given");
  const std::string_view testi[] = {c.testo_linea, c.testo_treno};
  if (v.sorgenti.size() != 2) {
    fail("the page holds " + std::to_string(v.sorgenti.size()) + " source documents");
  } else {
    for (size_t i = 0; i < 2; ++i) {
      if (testo_di(v.sorgenti[i]) != come_mostrato(testi[i], true))
        fail("source document " + std::to_string(i + 1) + " is not shown as written");
    }
  }

  for (const std::string* svg : {&p.pianta, &p.profilo}) {
    if (svg->empty()) continue;
    const std::string quale = svg == &p.pianta ? "plan" : "profile";
    const documento_xml d = leggi_xml(*svg);
    if (!d.doc) {
      fail("the " + quale + " drawing is not well-formed: " + d.errore);
      continue;
    }
    const xmlNode* radice = xmlDocGetRootElement(d.doc.get());
    if (radice == nullptr || nome(radice) != "svg")
      fail("the " + quale + " drawing is no SVG");
    visita vs;
    visita_albero(radice, vs, true);
    for (const std::string& x : vs.problemi) fail(quale + " drawing: " + x);
    if (vs.script != 0) fail("the " + quale + " drawing holds a script");
  }
  return problems;
}

}  // namespace report_check
