#include "format/decode.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <vector>

#include "format/layout.h"

namespace {

enum class file { track, scenario, plan };

// Decodes `image` as `kind` into outputs that already hold a record, to see
// that a failed decode leaves them as they were.
decode_status decode(file kind, const std::string& image) {
  std::vector<cella> percorso(1, cella{7});
  std::array<elemento, slot::numero> elementi{};
  elementi[4].nome = "kept";
  tracciato_t tracciato;
  tracciato.crea(0);
  decode_status d;
  switch (kind) {
    case file::track:
      d = decode_percorso(image, percorso);
      if (!d.ok) {
        EXPECT_EQ(percorso, std::vector<cella>(1, cella{7}));
      }
      break;
    case file::scenario:
      d = decode_elementi(image, elementi);
      if (!d.ok) {
        EXPECT_EQ(elementi[4].nome, "kept");
      }
      break;
    case file::plan:
      d = decode_tracciato(image, tracciato);
      if (!d.ok) {
        EXPECT_EQ(tracciato.ultimo, 0);
      }
      break;
  }
  return d;
}

// A scenario file of empty slots.
std::string empty_slots() {
  return std::string(numero_slot * dimensione_fissa_slot, '\0');
}

// `image` with the name count of the slot at `slot_start` (its bytes 14 and
// 15) set to `count`.
std::string with_count(std::string image, size_t slot_start, uint16_t count) {
  store_le(image.data() + slot_start + 14, count);
  return image;
}

std::string bytes(std::initializer_list<int> list) {
  std::string out;
  for (int b : list) out.push_back(static_cast<char>(b));
  return out;
}

TEST(Decode, DamagedImagesNameTheByteWhereTheyGoWrong) {
  const size_t end = numero_slot * dimensione_fissa_slot;
  const size_t last_slot = end - dimensione_fissa_slot;
  struct caso {
    const char* what;
    file kind;
    std::string image;
    size_t offset;
    const char* words;  // part of the message
  } casi[] = {
      {"cell 0 cut short", file::track, std::string(14, '\0'), 0, "cell 0"},
      {"size not a whole number of cells", file::track,
       std::string(2 * dimensione_cella + 14, '\0'), 2 * dimensione_cella, "cell 2"},
      {"empty scenario file", file::scenario, "", 0, "slot 0 (from byte 0)"},
      {"slot 0 cut in its name count", file::scenario, std::string(15, '\0'), 14, "nome"},
      {"last slot cut in orario", file::scenario, empty_slots().substr(0, last_slot + 33),
       last_slot + 30, "slot 86"},
      {"name running past the end", file::scenario,
       with_count(empty_slots(), last_slot, 300), last_slot + 16, "nome"},
      {"slot 86 missing", file::scenario, empty_slots().substr(0, last_slot), last_slot,
       "slot 86 (from byte"},
      {"bytes after slot 86", file::scenario, empty_slots() + "xyz", end,
       "3 bytes after slot 86"},
      {"unknown tag", file::plan, bytes({2, 0, 1, 0, 3, 0}), 4, "tag 3"},
      {"tag with a high byte", file::plan, bytes({2, 1, 0, 0}), 0, "tag 258"},
      {"tag cut short", file::plan, bytes({0, 0, 0}), 2, "element 1"},
      {"integer cut short", file::plan, bytes({0, 0, 2, 0, 1}), 4, "tag 2"},
      {"double cut short", file::plan, bytes({5, 0, 0, 0, 0, 0, 0, 0, 0}), 2, "tag 5"},
      {"odd element count", file::plan, bytes({0, 0, 2, 0, 1, 0, 0, 0}), 8, "odd"},
  };
  for (const caso& c : casi) {
    const decode_status d = decode(c.kind, c.image);
    EXPECT_FALSE(d.ok) << c.what;
    EXPECT_EQ(d.offset, c.offset) << c.what << ": " << d.message;
    EXPECT_NE(d.message.find("byte " + std::to_string(c.offset)), std::string::npos)
        << c.what << ": " << d.message;
    EXPECT_NE(d.message.find(c.words), std::string::npos) << c.what << ": " << d.message;
  }
}

TEST(Decode, EmptyImagesOfTrackAndPlan) {
  std::vector<cella> percorso(3);
  ASSERT_TRUE(decode_percorso("", percorso).ok);
  EXPECT_TRUE(percorso.empty());

  tracciato_t tracciato;
  tracciato.crea(5);
  ASSERT_TRUE(decode_tracciato("", tracciato).ok);
  EXPECT_FALSE(tracciato.esiste());
  EXPECT_TRUE(tracciato.tipo.empty());
}

TEST(Decode, PlanHalvesAreXThenY) {
  // Metre 0 x = 1, metre 1 x empty; metre 0 y = 0.5, metre 1 y = -2.
  std::string image = bytes({2, 0, 1, 0, 0, 0, 5, 0});
  image += bytes({0, 0, 0, 0, 0, 0, 0xE0, 0x3F});
  image += bytes({2, 0, 0xFE, 0xFF});
  tracciato_t t;
  const decode_status d = decode_tracciato(image, t);
  ASSERT_TRUE(d.ok) << d.message;
  EXPECT_EQ(t.ultimo, 1);
  EXPECT_EQ(t.tipo[t.indice(0, 0)], tracciato_t::intero);
  EXPECT_EQ(t.valore[t.indice(0, 0)], 1.0);
  EXPECT_EQ(t.tipo[t.indice(1, 0)], tracciato_t::vuoto);
  EXPECT_EQ(t.valore[t.indice(0, 1)], 0.5);
  EXPECT_EQ(t.valore[t.indice(1, 1)], -2.0);
}

TEST(Fields, VisitGivesEveryNameAndValueInFileOrder) {
  cella c{14, -1, 5121, -32768, 8, 255, 81, 2, 19, 89, 60};
  std::string text;
  visit_fields(c, [&](std::string_view nome, int64_t valore) {
    text += std::string(nome) + "=" + std::to_string(valore) + " ";
  });
  EXPECT_EQ(text,
            "codice=14 dato_a=-1 dato_b=5121 dato_c=-32768 dato_d=8 tempo=255 "
            "preavviso=81 tipo_montagna=2 velocita=19 pendenza=89 aderenza=60 ");

  elemento e{2, -5, 70000, 3, 1, "Citt\xE0", -1, 2, 3, 4, 5, 6, 7, 8, 255, 82875};
  text.clear();
  visit_fields(e, [&](std::string_view nome, const auto& valore) {
    text += std::string(nome) + "=";
    if constexpr (std::is_same_v<std::decay_t<decltype(valore)>, std::string_view>) {
      text += "'" + std::string(valore) + "' ";
    } else {
      text += std::to_string(valore) + " ";
    }
  });
  EXPECT_EQ(text,
            "tipo=2 inizio=-5 fine=70000 progressiva=3 opzione_1=1 nome='Citt\xE0' "
            "valore_1=-1 valore_2=2 valore_3=3 valore_4=4 valore_5=5 opzione_2=6 "
            "opzione_3=7 opzione_4=8 opzione_5=255 orario=82875 ");
}

TEST(Fields, PairVisitFindsTheFieldsThatDiffer) {
  elemento a{1, 2, 3, 4, 5, "Vardelia", 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
  elemento b = a;
  b.fine = -3;
  b.nome = "Corvessa";
  b.orario = 16;
  std::vector<std::string> differ;
  visit_fields(a, b, [&](std::string_view nome, const auto& va, const auto& vb) {
    if (va != vb) differ.emplace_back(nome);
  });
  EXPECT_EQ(differ, (std::vector<std::string>{"fine", "nome", "orario"}));
}

}  // namespace
