#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <string>
#include <vector>

#include "leitor.h"
#include "processo.h"

namespace {

// Reads every value that the text yields, until the end of input, as the
// prompt loop would see them: a number, "?" for not-a-number, "fim".
std::vector<std::string> Leituras(const std::string& texto) {
  int tubo[2];
  EXPECT_EQ(pipe(tubo), 0);
  pid_t filho = EscreverDeOutroProcesso(tubo[1], texto);
  close(tubo[1]);
  Entrada entrada{};
  entrada.fd = tubo[0];
  std::vector<std::string> lidos;
  for (;;) {
    int valor = -7;
    Leitura r = LerValor(entrada, valor);
    if (r == Leitura::FimDaEntrada) break;
    lidos.push_back(r == Leitura::Numero ? std::to_string(valor) : "?");
  }
  lidos.push_back("fim");
  close(tubo[0]);
  waitpid(filho, nullptr, 0);
  return lidos;
}

using V = std::vector<std::string>;

}  // namespace

TEST(LerValor, TakesSignsAndSkipsEveryKindOfBlank) {
  EXPECT_EQ(Leituras("   3\n"), (V{"3", "fim"}));
  EXPECT_EQ(Leituras("+3\n-2\n0\n"), (V{"3", "-2", "0", "fim"}));
  EXPECT_EQ(Leituras("\n\n\t\r\v\f 5"), (V{"5", "fim"}));
}

TEST(LerValor, TwoNumbersOnOneLineAnswerTwoReads) {
  EXPECT_EQ(Leituras("1 3\n"), (V{"1", "3", "fim"}));
  EXPECT_EQ(Leituras("1\t2\r\n"), (V{"1", "2", "fim"}));
}

TEST(LerValor, NotANumberDropsTheRestOfItsLine) {
  EXPECT_EQ(Leituras("abc 4\n2\n"), (V{"?", "2", "fim"}));
  EXPECT_EQ(Leituras("-\n+ 5\n6"), (V{"?", "?", "6", "fim"}));
  // 3x: the 3 is taken, then x is not a number and its line goes.
  EXPECT_EQ(Leituras("3x 9\n4\n"), (V{"3", "?", "4", "fim"}));
  EXPECT_EQ(Leituras("\xC3\xA7\n1"), (V{"?", "1", "fim"}));
}

TEST(LerValor, NumbersBeyondTheIntRangeStayBeyondIt) {
  EXPECT_EQ(Leituras("2147483647 2147483648 99999999999999999999\n"),
            (V{std::to_string(INT_MAX), std::to_string(INT_MAX),
               std::to_string(INT_MAX), "fim"}));
  EXPECT_EQ(Leituras("-2147483648 -99999999999999999999"),
            (V{std::to_string(INT_MIN), std::to_string(INT_MIN), "fim"}));
  // Leading zeros are not a large number.
  EXPECT_EQ(Leituras("0000000000000000000007"), (V{"7", "fim"}));
}

TEST(LerValor, AnEntryCutByTheEndOfInputIsReadBeforeTheEnd) {
  EXPECT_EQ(Leituras("99999999999"), (V{std::to_string(INT_MAX), "fim"}));
  EXPECT_EQ(Leituras("x"), (V{"?", "fim"}));
  EXPECT_EQ(Leituras("-"), (V{"?", "fim"}));
  EXPECT_EQ(Leituras(""), (V{"fim"}));
  EXPECT_EQ(Leituras(" \n \n"), (V{"fim"}));
}

TEST(LerValor, LongLinesCrossTheBufferWithoutLosingTheirPlace) {
  // Longer than the reader's buffer, so each run is split between refills.
  std::string letras(100000, 'a');
  std::string digitos(100000, '9');
  EXPECT_EQ(Leituras(letras + " 1\n2\n" + digitos + "\n3"),
            (V{"?", "2", std::to_string(INT_MAX), "3", "fim"}));
  std::string espacos(10000, ' ');
  EXPECT_EQ(Leituras(espacos + "42" + espacos), (V{"42", "fim"}));
}
