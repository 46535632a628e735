// Texts from the documents and the command line as markup: escaped, and
// whatever their bytes, well-formed.
#include "tool/report/markup.h"

#include <gtest/gtest.h>

namespace {

TEST(Markup, EveryTextShowsAsWritten) {
  struct caso {
    const char* nome;
    std::string testo, atteso;
  } casi[] = {
      {"markup", "<script>a & b</script>", "&lt;script&gt;a &amp; b&lt;/script&gt;"},
      {"quotes", "\"x\" 'y'", "&quot;x&quot; &#39;y&#39;"},
      {"a reference stays text", "&amp;", "&amp;amp;"},
      {"CDATA end", "]]>", "]]&gt;"},
      {"UTF-8 kept", "Citt\xC3\xA0 \xE2\x82\xAC \xF0\x9F\x9A\x86",
       "Citt\xC3\xA0 \xE2\x82\xAC \xF0\x9F\x9A\x86"},
      {"tab and line ends kept, CR as a reference", "a\tb\nc\rd", "a\tb\nc&#13;d"},
      {"control characters", std::string("a\x01\x1b\x7f", 4) + std::string(1, '\0') + "b",
       "a\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"
       "b"},
      {"bytes that are not UTF-8", "\x80x\xC3", "\xEF\xBF\xBDx\xEF\xBF\xBD"},
      {"overlong and surrogate forms", "\xC0\xBC\xED\xA0\x80",
       "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"noncharacters", "\xEF\xBF\xBE\xEF\xBF\xBF", "\xEF\xBF\xBD\xEF\xBF\xBD"},
  };
  for (const caso& c : casi) EXPECT_EQ(testo_xml(c.testo), c.atteso) << c.nome;
}

TEST(Markup, NumbersWithoutTrailingZeros) {
  EXPECT_EQ(numero(12.5), "12.5");
  EXPECT_EQ(numero(3.0), "3");
  EXPECT_EQ(numero(-0.04), "0");
  EXPECT_EQ(numero(-1.26, 1), "-1.3");
  EXPECT_EQ(numero(0.000123456, 7), "0.0001235");
}

}  // namespace
