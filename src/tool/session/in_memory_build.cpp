#include "tool/session/in_memory_build.h"

#include <cstdio>

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
    const std::string nome = v.rfind("no-", 0) == 0 ? v.substr(3) : v;
    const reperto_id id = reperto_per_nome(nome);
    if (id == reperto_id::numero || descrivi(id).livello != severity::warning) {
      return "-W" + v + ": no warning is called '" + nome + "' (see 'scenario explain')";
    }
    // -WNAME keeps a warning on, as it is by default.
    if (v.rfind("no-", 0) == 0) regole.spenti.push_back(id);
  }
  return "";
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
  // Every view shows the findings in one order: that of the documents.
  c.reperti = in_ordine_di_documento(filtra_avvisi(c.reperti, c.regole));
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
