// One fuzz case of the decoders of the three binary files and of what the
// tool's dump and diff make of them, all in memory: arbitrary bytes must
// give a clear error or a decoding, and the decoding a dump and a diff that
// say what the records hold. Shared by the fuzzer and by the test that
// replays the kept inputs, so both assert exactly the same.
//
// Input layout: byte 0 holds the options, then come the values of --from
// and --to where byte 0 asks for them (4 bytes each, little-endian, signed
// metres), then file A, file B and the scenario file beside A, split at the
// separator "--8<--" (B empty without one; no scenario file beside A
// without a second one).
//   bits 0-1 of byte 0: the kind, 0 track, 1 scenario, 2 plan (3 track);
//   bit 2: --format json (else text);
//   bit 3: --from, bit 4: --to (track and plan files only; swapped when
//          --from lies past --to, which the command refuses);
//   bit 5: --points (plan files only).
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "format/layout.h"
#include "format/records.h"
#include "tool/inspect/binary_input.h"
#include "tool/inspect/diff_view.h"
#include "tool/inspect/dump_view.h"
#include "tool/platform/encoding.h"
#include "tool/platform/json_output.h"
#include "track/binary_files.h"

namespace decoder_check {

inline constexpr std::string_view separatore = "--8<--";

namespace bit {
constexpr uint8_t json = 1 << 2;
constexpr uint8_t da = 1 << 3;
constexpr uint8_t a = 1 << 4;
constexpr uint8_t punti = 1 << 5;
}  // namespace bit

struct decoder_case {
  tipo_binario tipo = tipo_binario::percorso;
  bool json = false;
  std::optional<int32_t> da, a;  // as given; applied where the kind takes them
  bool punti = false;
  std::string file_a, file_b;
  std::optional<std::string> vicino;  // the scenario file beside A
};

inline decoder_case split_input(const uint8_t* data, size_t size) {
  decoder_case c;
  std::string_view in(reinterpret_cast<const char*>(data), size);
  if (in.empty()) return c;
  const auto opzioni = static_cast<uint8_t>(in[0]);
  in.remove_prefix(1);
  const int tipo = opzioni & 3;
  c.tipo = tipo == 1   ? tipo_binario::elementi
           : tipo == 2 ? tipo_binario::tracciato
                       : tipo_binario::percorso;
  c.json = (opzioni & bit::json) != 0;
  c.punti = (opzioni & bit::punti) != 0;
  const auto metri = [&](std::optional<int32_t>& out) {
    if (in.size() < 4) return;
    out = load_le<int32_t>(in.data());
    in.remove_prefix(4);
  };
  if (opzioni & bit::da) metri(c.da);
  if (opzioni & bit::a) metri(c.a);
  const size_t primo = in.find(separatore);
  c.file_a = std::string(in.substr(0, primo));
  if (primo == std::string_view::npos) return c;
  in.remove_prefix(primo + separatore.size());
  const size_t secondo = in.find(separatore);
  c.file_b = std::string(in.substr(0, secondo));
  if (secondo != std::string_view::npos)
    c.vicino = std::string(in.substr(secondo + separatore.size()));
  return c;
}

// The inverse of split_input, for writing seeds.
inline std::string join_input(const decoder_case& c) {
  uint8_t opzioni = c.tipo == tipo_binario::elementi    ? 1
                    : c.tipo == tipo_binario::tracciato ? 2
                                                        : 0;
  if (c.json) opzioni |= bit::json;
  if (c.da) opzioni |= bit::da;
  if (c.a) opzioni |= bit::a;
  if (c.punti) opzioni |= bit::punti;
  std::string out(1, static_cast<char>(opzioni));
  for (const auto& v : {c.da, c.a}) {
    if (!v) continue;
    char b[4];
    store_le(b, *v);
    out.append(b, 4);
  }
  out += c.file_a;
  out += separatore;
  out += c.file_b;
  if (c.vicino) out.append(separatore).append(*c.vicino);
  return out;
}

namespace detail {

// True when `image` is a whole file of kind `tipo` by the layout, walked
// here apart from the decoders: whole cells; 87 slots of 34 bytes plus
// their names and nothing after; elements of a known tag, an even count.
inline bool ben_formato(std::string_view image, tipo_binario tipo) {
  switch (tipo) {
    case tipo_binario::percorso:
      return image.size() % 15 == 0;
    case tipo_binario::elementi: {
      size_t at = 0;
      for (int s = 0; s < 87; ++s) {
        if (image.size() - at < 16) return false;
        const size_t nome = load_le<uint16_t>(image.data() + at + 14);
        if (image.size() - at - 16 < nome + 18) return false;
        at += 34 + nome;
      }
      return at == image.size();
    }
    case tipo_binario::tracciato: {
      size_t at = 0, elementi = 0;
      for (; at < image.size(); ++elementi) {
        if (image.size() - at < 2) return false;
        const uint16_t tag = load_le<uint16_t>(image.data() + at);
        const size_t valore = tag == 0 ? 0 : tag == 2 ? 2 : tag == 5 ? 8 : SIZE_MAX;
        if (valore == SIZE_MAX || image.size() - at - 2 < valore) return false;
        at += 2 + valore;
      }
      return elementi % 2 == 0;
    }
  }
  return false;
}

// The image of a decoded file, by the core's writers.
inline std::string immagine(const file_binario& f) {
  switch (f.tipo) {
    case tipo_binario::percorso:
      return immagine_percorso(f.percorso);
    case tipo_binario::elementi:
      return immagine_elementi(f.elementi);
    case tipo_binario::tracciato: {
      std::string out(
          f.tracciato.tipo.size() * dimensione_elemento_tracciato(tracciato_t::reale),
          '\0');
      char* p = out.data();
      for (size_t i = 0; i < f.tracciato.tipo.size(); ++i)
        p = write_elemento_tracciato(p, f.tracciato.tipo[i], f.tracciato.valore[i]);
      out.resize(static_cast<size_t>(p - out.data()));
      return out;
    }
  }
  return {};
}

// Valid UTF-8 with no control character but the line end, which could act
// on a terminal (C1 controls included). JSON, which escapes the C0 controls
// in its strings, may hold DEL as it is.
inline std::string testo_pulito(std::string_view t, bool json) {
  for (size_t i = 0; i < t.size();) {
    const auto b = static_cast<unsigned char>(t[i]);
    if (b < 0x80) {
      if ((b < 0x20 && b != '\n') || (b == 0x7F && !json))
        return "control byte " + std::to_string(b) + " at " + std::to_string(i);
      ++i;
      continue;
    }
    const size_t n = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 ? 2 : 0;
    if (n == 0 || b > 0xF4 || t.size() - i < n)
      return "not UTF-8 at byte " + std::to_string(i);
    char32_t c = b & (0x7F >> n);
    for (size_t k = 1; k < n; ++k) {
      const auto s = static_cast<unsigned char>(t[i + k]);
      if ((s & 0xC0) != 0x80) return "not UTF-8 at byte " + std::to_string(i);
      c = (c << 6) | (s & 0x3F);
    }
    const char32_t minimo = n == 2 ? 0x80 : n == 3 ? 0x800 : 0x10000;
    if (c < minimo || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
      return "not UTF-8 at byte " + std::to_string(i);
    if (c >= 0x80 && c <= 0x9F) return "C1 control at byte " + std::to_string(i);
    i += n;
  }
  return "";
}

inline std::vector<std::string_view> righe(std::string_view t) {
  std::vector<std::string_view> out;
  for (size_t fine; (fine = t.find('\n')) != std::string_view::npos;) {
    out.push_back(t.substr(0, fine));
    t.remove_prefix(fine + 1);
  }
  return out;
}

struct controlli {
  std::vector<std::string> problemi;
  void fail(const std::string& what) { problemi.push_back(what); }

  // A decode error: "'NAME' is damaged at byte N: REASON", one line, N
  // within the input, a reason.
  void errore(const std::string& e, const std::string& nome, size_t dimensione) {
    const std::string testa = "'" + nome + "' is damaged at byte ";
    if (!e.starts_with(testa) || e.find('\n') != std::string::npos) {
      fail("decode error of " + nome + " not in its form: " + e);
      return;
    }
    size_t at = testa.size(), offset = 0;
    const size_t cifre = at;
    while (at < e.size() && e[at] >= '0' && e[at] <= '9' && at - cifre < 19)
      offset = offset * 10 + static_cast<size_t>(e[at++] - '0');
    if (at == cifre || offset > dimensione)
      fail("decode error of " + nome + " names a byte outside its " +
           std::to_string(dimensione) + " bytes: " + e);
    if (e.compare(at, 2, ": ") != 0 || e.size() <= at + 2)
      fail("decode error of " + nome + " gives no reason: " + e);
  }

  // Text the tool prints: ends in a line end unless empty, clean.
  void testo(const std::string& t, const std::string& cosa, bool json = false) {
    if (!t.empty() && t.back() != '\n') fail(cosa + " does not end in a line end");
    if (const std::string p = testo_pulito(t, json); !p.empty()) fail(cosa + ": " + p);
  }

  // What the tool prints as JSON: clean text that parses as one object.
  std::optional<json> analizza(const std::string& t, const std::string& cosa) {
    testo(t, cosa, true);
    json j = json::parse(t, nullptr, false);
    if (j.is_discarded() || !j.is_object()) {
      fail(cosa + " is not a JSON object");
      return std::nullopt;
    }
    return j;
  }
};

// A record as JSON (its fields by their names) against the record itself.
template <class R>
bool stesso_record(const json& j, const R& r) {
  bool uguale = j.is_object();
  if (!uguale) return false;
  visit_fields(r, [&](std::string_view nome, const auto& v) {
    const auto it = j.find(std::string(nome));
    if (it == j.end()) {
      uguale = false;
    } else if constexpr (std::is_integral_v<std::decay_t<decltype(v)>>) {
      uguale = uguale && it->is_number_integer() && it->template get<int64_t>() == v;
    } else {
      uguale = uguale && it->is_string() &&
               it->template get<std::string>() == cp1252_a_utf8(v);
    }
  });
  return uguale;
}

// A point's value as dump's JSON gives it, against the element.
inline bool stesso_valore(const json& v, const tracciato_t& t, int32_t m, int k) {
  const size_t i = t.indice(m, k);
  const double x = t.valore[i];
  switch (t.tipo[i]) {
    case tracciato_t::intero:
      return v.is_number_integer() && v.get<int64_t>() == static_cast<int64_t>(x);
    case tracciato_t::reale:
      if (std::isnan(x)) return v == "nan";
      if (std::isinf(x)) return v == (x > 0 ? "inf" : "-inf");
      return v.is_number_float() &&
             std::bit_cast<uint64_t>(v.get<double>()) == std::bit_cast<uint64_t>(x);
    default:
      return v.is_null();
  }
}

inline bool stesso_punto_file(const tracciato_t& a, const tracciato_t& b, int32_t m) {
  for (int k : {0, 1}) {
    const size_t ia = a.indice(m, k), ib = b.indice(m, k);
    if (a.tipo[ia] != b.tipo[ib]) return false;
    if (a.tipo[ia] != tracciato_t::vuoto &&
        std::bit_cast<uint64_t>(a.valore[ia]) != std::bit_cast<uint64_t>(b.valore[ib]))
      return false;
  }
  return true;
}

}  // namespace detail

// The checks of one case, into `k`. A JSON member of another type than
// expected throws, which run_case reports as a problem.
inline void controlla(const decoder_case& c, detail::controlli& k) {
  const tipo_binario tipo = c.tipo;
  const std::string parola(parola_tipo(tipo));
  const std::string coda = tipo == tipo_binario::percorso   ? ".dat"
                           : tipo == tipo_binario::elementi ? ".sim"
                                                            : "_linea.dat";
  const std::string nome_a = "a" + coda, nome_b = "b" + coda;

  // The options as the command accepts them for this kind.
  const bool tratto = tipo != tipo_binario::elementi;
  std::optional<int64_t> da, fino;
  if (tratto && c.da) da = *c.da;
  if (tratto && c.a) fino = *c.a;
  if (da && fino && *da > *fino) std::swap(da, fino);
  const bool punti = c.punti && tipo == tipo_binario::tracciato;
  const auto nel_tratto = [&](int64_t m) {
    return (!da || m >= *da) && (!fino || m <= *fino);
  };
  const std::string formato = c.json ? "json" : "text";
  const opzioni_dump od{nome_a, parola, formato, da, fino, punti};
  const opzioni_diff of{nome_a, nome_b, parola, formato};

  // Each file decodes exactly when it is well formed; an error names its
  // byte and a reason.
  const auto decodifica = [&](const std::string& bytes, tipo_binario t,
                              const std::string& nome, file_binario& f) {
    const std::string e = decodifica_binario(bytes, t, nome, f);
    if (e.empty() != detail::ben_formato(bytes, t))
      k.fail(nome + (e.empty() ? " decodes although it is not well formed"
                               : " is well formed but: " + e));
    if (!e.empty()) k.errore(e, nome, bytes.size());
    return e;
  };

  scenario_vicino vicino;
  if (tipo == tipo_binario::percorso && c.vicino) {
    vicino.percorso = "a.sim";
    vicino.problema = decodifica(*c.vicino, tipo_binario::elementi, "a.sim", vicino.file);
    vicino.letto = vicino.problema.empty();
  }
  const auto* elementi = vicino.letto ? &vicino.file.elementi : nullptr;

  file_binario fa;
  if (!decodifica(c.file_a, tipo, nome_a, fa).empty()) return;

  // Every kind is written back by the core's writers byte for byte: the
  // files have one image per content.
  if (detail::immagine(fa) != c.file_a) k.fail(nome_a + " is not written back alike");

  // dump.
  const std::string dump = resa_dump(od, fa, vicino);
  if (dump.empty()) k.fail("dump gives nothing");
  const tracciato_t& ta = fa.tracciato;
  size_t nel = 0;  // cells or points within --from and --to
  if (tipo == tipo_binario::percorso) {
    for (size_t i = 0; i < fa.percorso.size(); ++i)
      nel += nel_tratto(50 * static_cast<int64_t>(i));
  } else if (tipo == tipo_binario::tracciato) {
    for (int32_t m = 0; m <= ta.ultimo; ++m) nel += nel_tratto(m);
  }
  if (!c.json) {
    k.testo(dump, "dump's text");
    const auto r = detail::righe(dump);
    if (tipo == tipo_binario::percorso && r.size() != 4 + nel) {
      // Four lines of heading, then one line per cell.
      k.fail("dump's text has other lines than cells");
    } else if (tipo == tipo_binario::elementi) {
      // After the heading, every slot in order, once, a run of empty ones on
      // one line.
      size_t dopo = 0;
      for (size_t n = 1; n < r.size(); ++n) {
        const std::string riga(r[n]);
        size_t primo = 0, ultimo = 0;
        if (std::sscanf(riga.c_str(), "slots %zu to %zu", &primo, &ultimo) != 2) {
          if (std::sscanf(riga.c_str(), "slot %zu", &primo) != 1) break;
          ultimo = primo;
        }
        if (primo != dopo || ultimo < primo) break;
        dopo = ultimo + 1;
      }
      if (dopo != slot::numero) k.fail("dump's text does not give every slot once");
    } else if (punti) {
      const auto t = std::find(r.begin(), r.end(), " metre  x  y");
      if (t == r.end() || static_cast<size_t>(r.end() - t - 1) != nel)
        k.fail("dump's text lists other points");
    }
  } else if (auto j = k.analizza(dump, "dump's JSON")) {
    if ((*j)["kind"] != parola) k.fail("dump's JSON gives another kind");
    if (tipo == tipo_binario::percorso) {
      json& celle = (*j)["cells"];
      if ((*j)["cell_count"] != fa.percorso.size() || celle.size() != nel)
        k.fail("dump's JSON counts other cells");
      for (json& x : celle) {
        const size_t i = x["cell"].get<size_t>();
        if (i >= fa.percorso.size() || !nel_tratto(50 * static_cast<int64_t>(i)) ||
            !detail::stesso_record(x["record"], fa.percorso[i])) {
          k.fail("dump's JSON gives cell " + std::to_string(i) + " otherwise");
          break;
        }
      }
      if ((*j)["scenario_file"] != (vicino.letto ? json("a.sim") : json(nullptr)) ||
          j->contains("scenario_file_problem") == vicino.problema.empty())
        k.fail("dump's JSON says otherwise of the scenario file beside it");
    } else if (tipo == tipo_binario::elementi) {
      json& slots = (*j)["slots"];
      bool uguali = slots.size() == slot::numero;
      for (size_t s = 0; uguali && s < slot::numero; ++s)
        uguali = slots[s]["slot"] == s &&
                 detail::stesso_record(slots[s]["record"], fa.elementi[s]);
      if (!uguali) k.fail("dump's JSON gives the slots otherwise");
    } else {
      size_t per_tipo[3] = {0, 0, 0};
      for (uint8_t t : ta.tipo)
        ++per_tipo[t == tracciato_t::intero ? 1 : t == tracciato_t::reale ? 2 : 0];
      json& e = (*j)["elements"];
      if ((*j)["last_metre"] != ta.ultimo || e["empty"] != per_tipo[0] ||
          e["integer"] != per_tipo[1] || e["real"] != per_tipo[2])
        k.fail("dump's JSON counts other elements");
      if (!punti && j->contains("points")) k.fail("dump's JSON lists points unasked");
      json& p = (*j)["points"];
      if (punti && p.size() != nel) k.fail("dump's JSON lists other points");
      for (json& x : p) {
        const int32_t m = x.at(0).get<int32_t>();
        if (x.size() != 3 || m < 0 || m > ta.ultimo || !nel_tratto(m) ||
            !detail::stesso_valore(x[1], ta, m, 0) ||
            !detail::stesso_valore(x[2], ta, m, 1)) {
          k.fail("dump's JSON gives point " + x.dump() + " otherwise");
          break;
        }
      }
    }
  }

  // diff of A against itself: equal.
  const esito_diff stesso = resa_diff(of, fa, fa, elementi);
  if (stesso.diversi) k.fail("diff finds A differs from itself");
  if (!c.json) {
    if (!stesso.testo.empty()) k.fail("diff of A and A prints something");
  } else if (auto j = k.analizza(stesso.testo, "diff's JSON of A and A")) {
    if ((*j)["equal"] != true) k.fail("diff's JSON of A and A says not equal");
  }

  file_binario fb;
  if (!decodifica(c.file_b, tipo, nome_b, fb).empty()) return;

  // diff of A and B: a difference exactly where the records differ, which
  // for files of one image per content is where their bytes differ.
  const tracciato_t& tb = fb.tracciato;
  bool diversi = false;
  std::vector<size_t> quali;  // the cells or slots that differ
  switch (tipo) {
    case tipo_binario::percorso:
      diversi = fa.percorso != fb.percorso;
      for (size_t i = 0; i < std::min(fa.percorso.size(), fb.percorso.size()); ++i)
        if (fa.percorso[i] != fb.percorso[i]) quali.push_back(i);
      break;
    case tipo_binario::elementi:
      diversi = fa.elementi != fb.elementi;
      for (size_t s = 0; s < slot::numero; ++s)
        if (fa.elementi[s] != fb.elementi[s]) quali.push_back(s);
      break;
    case tipo_binario::tracciato:
      diversi = ta.ultimo != tb.ultimo;
      for (int32_t m = 0; !diversi && m <= ta.ultimo; ++m)
        diversi = !detail::stesso_punto_file(ta, tb, m);
      break;
  }
  if (diversi != (c.file_a != c.file_b)) k.fail("records and bytes disagree on A vs B");
  const esito_diff d = resa_diff(of, fa, fb, elementi);
  if (d.diversi != diversi)
    k.fail(diversi ? "diff misses a difference"
                   : "diff finds a difference in equal files");
  if (!c.json) {
    k.testo(d.testo, "diff's text");
    if (d.testo.empty() == diversi) k.fail("diff's text disagrees with its status");
    return;
  }
  auto j = k.analizza(d.testo, "diff's JSON");
  if (!j) return;
  if ((*j)["equal"] != !diversi || (*j)["kind"] != parola)
    k.fail("diff's JSON says otherwise of A and B");
  const auto indici = [&](const char* lista, const char* chiave) {
    std::vector<size_t> out;
    for (json& x : (*j)[lista]) out.push_back(x[chiave].get<size_t>());
    return out;
  };
  if (tipo == tipo_binario::percorso) {
    const size_t na = fa.percorso.size(), nb = fb.percorso.size();
    const json solo = na == nb ? json(nullptr)
                               : json{{"file", na > nb ? "A" : "B"},
                                      {"from", std::min(na, nb)},
                                      {"to", std::max(na, nb) - 1}};
    if ((*j)["cells_differing"] != quali.size() ||
        indici("differences", "cell") != quali || (*j)["only_in_one"] != solo)
      k.fail("diff's JSON gives other cells");
  } else if (tipo == tipo_binario::elementi) {
    if ((*j)["slots_differing"] != quali.size() || indici("differences", "slot") != quali)
      k.fail("diff's JSON gives other slots");
  } else {
    // The stretches, in order and apart, cover exactly the metres that
    // differ; the metres only one file has are all different, said to be
    // only in it, and never share a stretch with the others.
    const int64_t comune = std::min(ta.ultimo, tb.ultimo);
    const int64_t fine = std::max(ta.ultimo, tb.ultimo);
    const auto uguale = [&](int64_t m) {
      return m <= comune && detail::stesso_punto_file(ta, tb, static_cast<int32_t>(m));
    };
    int64_t dopo = 0;  // the first metre no stretch has reached
    for (json& s : (*j)["stretches"]) {
      const int64_t da_m = s["from"].get<int64_t>(), a_m = s["to"].get<int64_t>();
      bool bene =
          da_m >= dopo && a_m >= da_m && a_m <= fine && (a_m <= comune || da_m > comune);
      for (int64_t m = dopo; bene && m < da_m; ++m) bene = uguale(m);
      for (int64_t m = da_m; bene && m <= a_m; ++m) bene = !uguale(m);
      const json solo =
          da_m <= comune ? json(nullptr) : json(ta.ultimo > comune ? "A" : "B");
      if (!bene || s["only_in"] != solo) {
        k.fail("diff's JSON gives a stretch of points otherwise: " + s.dump());
        return;
      }
      dopo = a_m + 1;
    }
    for (int64_t m = dopo; m <= fine; ++m) {
      if (!uguale(m)) {
        k.fail("diff's JSON misses metre " + std::to_string(m));
        break;
      }
    }
  }
}

// Runs one case; it passed when the list of problems is empty.
inline std::vector<std::string> run_case(const uint8_t* data, size_t size) {
  detail::controlli k;
  try {
    controlla(split_input(data, size), k);
  } catch (const json::exception& e) {
    k.fail(std::string("JSON not of the shape the checks read: ") + e.what());
  }
  return k.problemi;
}

}  // namespace decoder_check
