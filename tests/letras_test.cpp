#include <gtest/gtest.h>

#include <string>

#include "console.h"
#include "plataforma_posix.h"

namespace {

std::string Letra(const TabelaLetras& tabela, int codigo) {
  return tabela.texto[codigo - 128];
}

const int todas[] = {C_CEDILHA_MAI,     C_CEDILHA,   E_AGUDO_MAI,
                     U_AGUDO,           A_TIL,       A_TIL_MAI,
                     E_CIRCUNFLEXO_MAI, O_AGUDO_MAI, O_TIL_MAI};

}  // namespace

TEST(MontarTabela, Utf8LocalesGetUtf8Letters) {
  TabelaLetras t;
  MontarTabela("pt_BR.UTF-8", "UTF-8", t);
  EXPECT_EQ(Letra(t, C_CEDILHA_MAI), "Ç");
  EXPECT_EQ(Letra(t, C_CEDILHA), "ç");
  EXPECT_EQ(Letra(t, E_AGUDO_MAI), "É");
  EXPECT_EQ(Letra(t, U_AGUDO), "ú");
  EXPECT_EQ(Letra(t, A_TIL), "ã");
  EXPECT_EQ(Letra(t, A_TIL_MAI), "Ã");
  EXPECT_EQ(Letra(t, E_CIRCUNFLEXO_MAI), "Ê");
  EXPECT_EQ(Letra(t, O_AGUDO_MAI), "Ó");
  EXPECT_EQ(Letra(t, O_TIL_MAI), "Õ");
  // Bytes that are none of our letters go out as they are.
  EXPECT_EQ(Letra(t, 0xFF), "");
}

TEST(MontarTabela, TheCLocaleIsTakenAsUtf8) {
  for (const char* nome : {"C", "POSIX"}) {
    TabelaLetras t;
    MontarTabela(nome, "ANSI_X3.4-1968", t);
    EXPECT_EQ(Letra(t, O_AGUDO_MAI), "Ó") << nome;
  }
  TabelaLetras sem_locale;
  MontarTabela(nullptr, "ANSI_X3.4-1968", sem_locale);
  EXPECT_EQ(Letra(sem_locale, C_CEDILHA), "ç");
}

TEST(MontarTabela, CodePage850LocalesGetTheBytesUnchanged) {
  for (const char* codeset : {"IBM850", "CP850", "ibm850"}) {
    TabelaLetras t;
    MontarTabela("pt_BR.IBM850", codeset, t);
    for (int codigo : todas) EXPECT_EQ(Letra(t, codigo), "") << codeset;
  }
}

TEST(MontarTabela, OtherCodesetsGoThroughIconv) {
  TabelaLetras t;
  MontarTabela("pt_BR.ISO-8859-1", "ISO-8859-1", t);
  EXPECT_EQ(Letra(t, C_CEDILHA_MAI), "\xC7");
  EXPECT_EQ(Letra(t, A_TIL), "\xE3");
  EXPECT_EQ(Letra(t, O_TIL_MAI), "\xD5");
}

TEST(MontarTabela, LettersACodesetLacksFallBackToUtf8) {
  TabelaLetras ascii;
  MontarTabela("en_US", "ANSI_X3.4-1968", ascii);
  EXPECT_EQ(Letra(ascii, U_AGUDO), "ú");
  TabelaLetras desconhecido;
  MontarTabela("xx_XX.NADA", "NO-SUCH-CODESET", desconhecido);
  for (int codigo : todas) EXPECT_FALSE(Letra(desconhecido, codigo).empty());
  EXPECT_EQ(Letra(desconhecido, E_CIRCUNFLEXO_MAI), "Ê");
}
