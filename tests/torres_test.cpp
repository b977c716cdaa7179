#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "console.h"
#include "jogo.h"

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

const char* const pe =
    "\n\t=============\n"
    "\t A    B    C \n"
    "\t=============\n\n";

}  // namespace

TEST(MoverArgola, TakesTheTopRingOntoAnEmptyTowerBottom) {
  Torre A{1, 2, 3}, C{0, 0, 0};
  MoverArgola(A.data(), C.data(), 3);
  EXPECT_EQ(A, (Torre{0, 2, 3}));
  EXPECT_EQ(C, (Torre{0, 0, 1}));
}

TEST(MoverArgola, PutsASmallerRingRightAboveTheTopOne) {
  Torre A{0, 0, 3}, B{0, 1, 2};
  MoverArgola(B.data(), A.data(), 3);
  EXPECT_EQ(B, (Torre{0, 0, 2}));
  EXPECT_EQ(A, (Torre{0, 1, 3}));
}

TEST(MoverArgola, RefusesALargerRingAndRestoresBothTowers) {
  Torre B{0, 0, 1}, C{0, 0, 2};
  MoverArgola(C.data(), B.data(), 3);
  EXPECT_EQ(B, (Torre{0, 0, 1}));
  EXPECT_EQ(C, (Torre{0, 0, 2}));

  Torre A{0, 3, 4, 5}, D{0, 0, 1, 2};
  MoverArgola(A.data(), D.data(), 4);
  EXPECT_EQ(A, (Torre{0, 3, 4, 5}));
  EXPECT_EQ(D, (Torre{0, 0, 1, 2}));
}

TEST(MoverArgola, FromAnEmptyTowerChangesNothing) {
  Torre B{0, 0}, A{1, 2};
  MoverArgola(B.data(), A.data(), 2);
  EXPECT_EQ(B, (Torre{0, 0}));
  EXPECT_EQ(A, (Torre{1, 2}));
}

TEST(MoverArgola, WithOneRingMovesItToTheOnlySlot) {
  Torre A{1}, B{0};
  MoverArgola(A.data(), B.data(), 1);
  EXPECT_EQ(A, (Torre{0}));
  EXPECT_EQ(B, (Torre{1}));
}

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
                         "\n\t<2>          " + "\n\t<3>       <1>" + pe;
  EXPECT_EQ(Desenho({0, 2, 3}, {0, 0, 0}, {0, 0, 1}), esperado);
}

TEST(DesenharTorres, KeepsTheColumnsUnderTheirLetters) {
  std::string desenho = Desenho({0, 0}, {0, 2}, {0, 1});
  EXPECT_EQ(desenho, std::string("\n\t             \n\t     <2>  <1>") + pe);
  // The ring digits of the last row stand at columns 6 and 11 after the tab,
  // like B and C in the foot.
  std::size_t linha = desenho.find("<2>");
  std::size_t pe_letras = desenho.find("\t A");
  EXPECT_EQ(desenho.substr(linha - 5 + 6, 1), "2");
  EXPECT_EQ(desenho.substr(pe_letras + 1 + 6, 1), "B");
  EXPECT_EQ(desenho.substr(pe_letras + 1 + 11, 1), "C");
}
