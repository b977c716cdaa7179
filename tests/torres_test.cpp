#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "console.h"
#include "jogo.h"
#include "textos.h"

namespace {

using Torre = std::vector<int>;

// What DesenharTorres writes, taken from standard output through a file.
std::string Desenho(const Torre& A, const Torre& B, const Torre& C) {
  std::fflush(stdout);
  int salvo = dup(STDOUT_FILENO);
  std::FILE* arquivo = std::tmpfile();
  dup2(fileno(arquivo), STDOUT_FILENO);
  DesenharTorres(A.data(), B.data(), C.data(), static_cast<int>(A.size()));
  EsvaziarSaida();
  dup2(salvo, STDOUT_FILENO);
  close(salvo);
  std::string texto;
  std::rewind(arquivo);
  for (int c; (c = std::fgetc(arquivo)) != EOF;) texto += static_cast<char>(c);
  std::fclose(arquivo);
  return texto;
}

}  // namespace

// One move: the towers before, and after, each as its slots from the top.
struct Movimento {
  const char* nome;
  Torre origem, destino;
  Torre origem_depois, destino_depois;
};

// A failing row shows its name.
void PrintTo(const Movimento& m, std::ostream* saida) { *saida << m.nome; }

class MoverArgolaCaso : public ::testing::TestWithParam<Movimento> {};

TEST_P(MoverArgolaCaso, LeavesBothTowersAsExpected) {
  Movimento m = GetParam();
  MoverArgola(m.origem.data(), m.destino.data(),
              static_cast<int>(m.origem.size()));
  EXPECT_EQ(m.origem, m.origem_depois);
  EXPECT_EQ(m.destino, m.destino_depois);
}

INSTANTIATE_TEST_SUITE_P(
    MoverArgola, MoverArgolaCaso,
    ::testing::Values(
        Movimento{"TakesTheTopRingOntoAnEmptyTowerBottom",
                  {1, 2, 3},
                  {0, 0, 0},
                  {0, 2, 3},
                  {0, 0, 1}},
        Movimento{"PutsASmallerRingRightAboveTheTopOne",
                  {0, 1, 2},
                  {0, 0, 3},
                  {0, 0, 2},
                  {0, 1, 3}},
        Movimento{"RefusesALargerRingAndRestoresBothTowers",
                  {0, 0, 2},
                  {0, 0, 1},
                  {0, 0, 2},
                  {0, 0, 1}},
        Movimento{"RefusesALargerRingAmongFour",
                  {0, 3, 4, 5},
                  {0, 0, 1, 2},
                  {0, 3, 4, 5},
                  {0, 0, 1, 2}},
        Movimento{
            "FromAnEmptyTowerChangesNothing", {0, 0}, {1, 2}, {0, 0}, {1, 2}},
        Movimento{"WithOneRingMovesItToTheOnlySlot", {1}, {0}, {0}, {1}}),
    [](const ::testing::TestParamInfo<Movimento>& caso) {
      return std::string(caso.param.nome);
    });

TEST(Jogada, CountsEveryChoiceAndStopsAtTheLargestInt) {
  Torre A{1, 2}, B{0, 0}, C{0, 0};
  int n_mov = INT_MAX - 2;
  Jogada(3, A.data(), B.data(), C.data(), 2, n_mov);  // B is empty
  EXPECT_EQ(n_mov, INT_MAX - 1);
  Jogada(2, A.data(), B.data(), C.data(), 2, n_mov);
  Jogada(2, A.data(), B.data(), C.data(), 2, n_mov);  // 2 onto 1: refused
  EXPECT_EQ(n_mov, INT_MAX);
  EXPECT_EQ(A, (Torre{0, 2}));
  EXPECT_EQ(C, (Torre{0, 1}));
  Jogada(7, A.data(), B.data(), C.data(), 2, n_mov);
  EXPECT_EQ(n_mov, INT_MAX);
}

TEST(Venceu, OnlyAFullTowerBOrCInOrderWins) {
  Torre cheia{1, 2, 3}, vazia{0, 0, 0}, quase{0, 2, 3};
  EXPECT_TRUE(Venceu(cheia.data(), vazia.data(), 3));
  EXPECT_TRUE(Venceu(vazia.data(), cheia.data(), 3));
  EXPECT_FALSE(Venceu(quase.data(), vazia.data(), 3));
  // Every ring back on A: B and C are empty, so no win.
  EXPECT_FALSE(Venceu(vazia.data(), vazia.data(), 3));
  Torre um{1}, nada{0};
  EXPECT_TRUE(Venceu(um.data(), nada.data(), 1));
}

TEST(DesenharTorres, DrawsEachSlotAsARowAndTheFootUnderIt) {
  std::string esperado = std::string("\n\t             ") +
                         "\n\t<2>          " + "\n\t<3>       <1>" +
                         pe_do_tabuleiro;
  EXPECT_EQ(Desenho({0, 2, 3}, {0, 0, 0}, {0, 0, 1}), esperado);
}

TEST(DesenharTorres, KeepsTheColumnsUnderTheirLetters) {
  std::string desenho = Desenho({0, 0}, {0, 2}, {0, 1});
  EXPECT_EQ(desenho, std::string("\n\t             \n\t     <2>  <1>") +
                         pe_do_tabuleiro);
  // The ring digits of the last row stand at columns 6 and 11 after the tab,
  // like B and C in the foot.
  std::size_t dois = desenho.find("<2>") + 1;
  std::size_t um = desenho.find("<1>") + 1;
  std::size_t linha = desenho.rfind('\t', dois) + 1;
  EXPECT_EQ(dois - linha, 6U);
  EXPECT_EQ(um - linha, 11U);
  std::size_t pe_letras = desenho.find("\t A");
  EXPECT_EQ(desenho.substr(pe_letras + 1 + 6, 1), "B");
  EXPECT_EQ(desenho.substr(pe_letras + 1 + 11, 1), "C");
}
