// The scenario notes: the author's presentation of the run, in Italian.
// Paragraphs start with two spaces; four lines are left unbroken.
#include "documents/document_writer.h"
#include "documents/documents.h"
#include "scenario/naming.h"

namespace {

// clang-format off

constexpr const char* note[] = {
    "  Questo scenario vi mette ai comandi dell'Intercity 529, che parte da Roma Termini alle 19.59.50",
    "ed \xE8 diretto a Pisa Centrale, dove l'arrivo \xE8 previsto alle 22.29 dopo poco meno di due ore e",
    "mezza di viaggio. Il convoglio \xE8 composto da 15 vetture per 800 tonnellate, con una percentuale di",
    "massa frenata del 125%, ed \xE8 ammesso alla velocit\xE0 massima di 160 km/h ( che la linea consente per\xF2 solo su pochi tratti ): tenete sempre a portata di mano la scheda treno e il modulo.",
    "  La partenza avviene gi\xE0 in ritardo: quando l'orologio di cabina segna le 19.59.55 il segnale di",
    "partenza \xE8 a via libera da qualche secondo e il capotreno vi ha dato il pronto, per cui ogni",
    "secondo perso nella messa in moto si somma al ritardo. L'aderenza \xE8 scarsa lungo tutto il percor-",
    "so: un'umidit\xE0 fitta sale dal mare e lascia sulle rotaie un velo sottile che fa slittare le ruote",
    "in avviamento e allunga gli spazi di frenatura, soprattutto nel lungo tratto che da Roma arriva",
    "fino a Orbetello. Dosate la trazione con gradualit\xE0, usate la sabbia non appena sentite le ruote",
    "slittare e iniziate le frenature qualche centinaio di metri prima del solito. Tenete presente",
    "anche il peso del treno: con quindici vetture la corsa non si arresta in poco spazio. A complicare",
    "le cose c'\xE8 la circolazione: davanti a voi viaggiano treni pi\xF9 lenti, un regionale che ferma in",
    "tutte le stazioni fino a Civitavecchia e, nell'ultima parte del viaggio, un merci che da Cecina",
    "risale verso Livorno e Pisa. Non potrete superarli, dato che a quest'ora il movimento non prevede",
    "precedenze per la vostra traccia. Per questo la ripetizione segnali in cabina vi presenter\xE0 spesso",
    "codici ridotti: nei due tratti interessati ( da Roma a Civitavecchia e da Cecina fino alle porte",
    "di Pisa ) il codice 270 vi impone di rallentare anche dove la linea consentirebbe velocit\xE0 ben pi\xF9",
    "alte e di attendere che il treno che vi precede liberi le sezioni di blocco. Osservate sempre",
    "con attenzione i segnali e le indicazioni della scheda treno, dove la colonna 'Rec' indica i minuti di recupero di cui disponete: sono il margine che vi permette di riassorbire il ritardo, e non conviene sprecarlo dove il treno che vi precede vi costringe comunque ad andare piano.",
    "  Nel tratto centrale, da Civitavecchia a Cecina, la linea \xE8 invece libera e potrete sfruttare",
    "tutta la velocit\xE0 che la scheda vi concede; \xE8 proprio qui che potrete recuperare la maggior",
    "parte del ritardo. Ricordate le fermate di Grosseto e di Livorno Centrale, dove il treno sosta per due minuti: fermatevi con il locomotore all'altezza del cartello di fermata e ripartite solo dopo il segnale di partenza del capotreno, senza fretta.",
    "  Il modulo M. 3 che accompagna la scheda \xE8 in bianco, visto che questa sera sulla linea non \xE8 in vigore alcun rallentamento: l'unico vero avversario \xE8 il treno pi\xF9 lento che vi precede, e se arriverete a Pisa Centrale con meno di cinque minuti di ritardo avrete svolto un ottimo lavoro.",
    "  Buon viaggio!",
    "  Lo scenario \xE8 stato provato dall'inizio alla fine con la composizione descritta sopra.",
    "  Commenti e segnalazioni di errori sono sempre graditi.",
    "   ",
};
// clang-format on

}  // namespace

Status dati_note(const scenario_state& st) {
  return scrivi_documento(file_path(st, file_kind::notes), {note});
}
