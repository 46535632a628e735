#include "tool/session/in_memory_build.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>

#include "base/file_io.h"
#include "format/slot_meaning.h"
#include "tool/platform/encoding.h"
#include "tool/platform/folder.h"
#include "tool/platform/system.h"

namespace {

// The -W options as rules; a usage error for a name no warning has.
std::string leggi_avvisi(const std::vector<std::string>& valori, regole_avvisi& regole) {
  for (const std::string& v : valori) {
    if (v == "error") {
      regole.come_errori = true;
      continue;
    }
    // -Werror=NAME, -Wno-error=NAME, -Wno-NAME, -WNAME.
    const auto prefisso = [&](std::string_view p) { return v.rfind(p, 0) == 0; };
    const bool errore = prefisso("error=");
    const bool non_errore = prefisso("no-error=");
    const bool no = !non_errore && prefisso("no-");
    const std::string nome = errore       ? v.substr(6)
                             : non_errore ? v.substr(9)
                             : no         ? v.substr(3)
                                          : v;
    const reperto_id id = reperto_per_nome(nome);
    if (id == reperto_id::numero || descrivi(id).livello != severity::warning) {
      return "-W" + v + ": no warning is called '" + nome + "' (see 'scenario explain')";
    }
    // -WNAME keeps a warning on, as it is by default.
    if (no) regole.spenti.push_back(id);
    if (errore) regole.errori.push_back(id);
    if (non_errore) regole.non_errori.push_back(id);
  }
  return "";
}

// Two findings of the same thing at the same place (a warning's folded
// count may differ between two readings).
bool stesso(const reperto& a, const reperto& b) {
  return a.id == b.id && a.dove == b.dove && a.cella == b.cella &&
         (descrivi(a.id).livello == severity::warning ||
          (a.valore == b.valore && a.limite == b.limite && a.origine == b.origine));
}

// The error the build's status comes from: the last one reported with that
// status code (or the numbered error that stopped the build).
const reperto* errore_dello_stato(const costruzione_in_memoria& c) {
  const reperto* primo = nullptr;
  for (const reperto& r : c.reperti) {
    const descrizione_reperto& d = descrivi(r.id);
    if (d.livello != severity::error) continue;
    const bool numerato =
        c.esito.tipo == esito::errore &&
        (r.id == reperto_id::errore_1250 || r.id == reperto_id::errore_1251);
    if (numerato || (c.st.codice_errore != 0 && d.codice == c.st.codice_errore))
      primo = &r;
  }
  return primo;
}

// Where the build stopped at an error, the documents are read again by a
// reading that recovers (scenario_state::recupero) to report every further
// error, each at its own row. The state, the status and what build writes
// stay the first reading's; its findings stay, and the second reading's
// are added to them. The error the status comes from is marked to be shown
// first, and the errors found only past it that come before it in the
// documents say so.
void leggi_oltre_gli_errori(costruzione_in_memoria& c, const sorgenti_lettura& sorgenti) {
  const bool errore_del_core =
      c.st.codice_errore != 0 || c.esito.tipo == esito::errore ||
      std::any_of(c.reperti.begin(), c.reperti.end(), [](const reperto& r) {
        return descrivi(r.id).livello == severity::error;
      });
  if (!errore_del_core) return;

  auto st = std::make_unique<scenario_state>();
  st->cartella = c.st.cartella;
  st->linea = c.st.linea;
  st->treno = c.st.treno;
  st->avvisi_per_genere = c.st.avvisi_per_genere;
  st->recupero = true;
  std::vector<reperto> ripresi;
  std::vector<provenienza_cella> provenienza;
  st->reperti = &ripresi;
  st->provenienza = &provenienza;
  costruisci_scenario(*st, sorgenti, c.st.salva_linea);

  const reperto* trovato = errore_dello_stato(c);
  std::optional<reperto> primo;
  if (trovato != nullptr) primo = *trovato;
  std::vector<reperto> tutti;
  tutti.reserve(c.reperti.size() + ripresi.size());
  for (reperto r : c.reperti) {
    r.primo_errore = primo && stesso(r, *primo);
    tutti.push_back(r);
  }
  const auto prima_del_primo = [&](const reperto& r) {
    if (!primo || r.dove.doc == documento::nessuno) return false;
    return r.dove.doc != primo->dove.doc ? r.dove.doc < primo->dove.doc
                                         : r.dove.inizio < primo->dove.inizio;
  };
  const size_t letti = tutti.size();
  for (reperto r : ripresi) {
    const auto gia = std::find_if(tutti.begin(), tutti.begin() + static_cast<long>(letti),
                                  [&](const reperto& g) { return stesso(g, r); });
    if (gia != tutti.begin() + static_cast<long>(letti)) {
      // The same warning, with the further ones the rows past the stop fold in.
      gia->simili = std::max(gia->simili, r.simili);
      continue;
    }
    if (descrivi(r.id).livello == severity::error && prima_del_primo(r)) {
      r.dopo_errore = primo->dove;
    }
    tutti.push_back(r);
  }
  c.reperti = std::move(tutti);
}

}  // namespace

bool costruzione_in_memoria::errori() const {
  return conta_reperti(reperti, regole).errori > 0 || esito.tipo != esito::fatto;
}

std::string prepara_costruzione(const opzioni_build& o, costruzione_in_memoria& c) {
  std::string errore = leggi_avvisi(o.avvisi, c.regole);
  if (!errore.empty()) return errore;
  errore =
      trova_identificativi(o.sorgente_linea, o.sorgente_treno, o.linea, o.treno, c.id);
  if (!errore.empty()) return errore;
  c.st.cartella = cartella_pulita(o.cartella);
  c.st.linea = c.id.linea_cp1252;
  c.st.treno = c.id.treno_cp1252;
  c.st.salva_linea = o.senza_tracciato ? 0 : 1;
  return "";
}

std::string leggi_documenti(const opzioni_build& o, costruzione_in_memoria& c) {
  Status s =
      read_file(o.sorgente_linea, c.testo_linea, {massimo_documento, &c.file_linea});
  if (s.ok())
    s = read_file(o.sorgente_treno, c.testo_treno, {massimo_documento, &c.file_treno});
  return s.message();
}

std::vector<read_document> documenti_letti(const opzioni_build& o,
                                           const costruzione_in_memoria& c) {
  return {{o.sorgente_linea, c.file_linea}, {o.sorgente_treno, c.file_treno}};
}

std::string esegui_costruzione(const opzioni_build& o, costruzione_in_memoria& c) {
  std::string errore = leggi_documenti(o, c);
  if (errore.empty()) costruisci_testi(o, c);
  return errore;
}

void costruisci_testi(const opzioni_build& o, costruzione_in_memoria& c) {
  c.st.reperti = &c.reperti;
  c.st.provenienza = &c.provenienza;
  // Nothing is done with a document once read: the author's files stay.
  sorgenti_lettura sorgenti;
  sorgenti.linea = {o.sorgente_linea, stato_documento::presente, c.testo_linea};
  sorgenti.treno = {o.sorgente_treno, stato_documento::presente, c.testo_treno};
  c.esito = costruisci_scenario(c.st, sorgenti, c.st.salva_linea);
  leggi_oltre_gli_errori(c, sorgenti);
  // Every view shows the findings in one order: that of the documents.
  c.reperti = in_ordine_di_documento(filtra_avvisi(c.reperti, c.regole), c.regole);
}

conteggio_costruito conta_costruito(const costruzione_in_memoria& c) {
  conteggio_costruito n;
  for (size_t s = 1; s <= slot::primo_cartello; ++s) {
    if (ruolo_di(s, c.st.elementi[s]) == ruolo_slot::stazione) ++n.stazioni;
  }
  for (size_t k = 0; k < c.st.percorso.size(); ++k) {
    const uint8_t codice = c.st.percorso[k].codice;
    if (codice == codice_cella::segnale) ++n.segnali;
    if (codice == codice_cella::abbattimento && k < c.provenienza.size() &&
        c.provenienza[k].completamento)
      ++n.codici_aggiunti;
  }
  return n;
}

std::string riepilogo_costruito(const conteggio_costruito& n, int file_scritti) {
  const auto quanti = [](int q, const char* uno, const char* molti) {
    return std::to_string(q) + " " + (q == 1 ? uno : molti);
  };
  std::string out = quanti(n.stazioni, "station", "stations") + ", " +
                    quanti(n.segnali, "signal", "signals") + ", " +
                    quanti(n.codici_aggiunti, "code point", "code points") +
                    " added by the build";
  if (file_scritti > 0) out += "; wrote " + quanti(file_scritti, "file", "files");
  return out;
}

std::string perche_fermata(const costruzione_in_memoria& c) {
  // A build that stopped always reports why; should a finding be missing,
  // the outcome itself is the error.
  if (c.esito.tipo == esito::fatto || conta_reperti(c.reperti, c.regole).errori > 0)
    return "";
  return c.esito.tipo == esito::errore
             ? "the build stopped with error " + std::to_string(c.esito.numero_errore)
             : c.esito.status.message();
}
