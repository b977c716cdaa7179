// The play screen: the game on towers A, B and C.
#pragma once

void Jogo();

// A tower is an array of n slots, slot 0 on top; 0 marks an empty slot,
// otherwise the slot holds the size of its ring, 1 (smallest) to n.
void DesenharTorres(const int* A, const int* B, const int* C, int n);
bool Venceu(const int* B, const int* C, int n);
void MoverArgola(int* origem, int* destino, int n);

// One accepted choice from 1 to 7: the counter goes up, then the move of
// choices 1 to 6 is tried (7 moves nothing).
void Jogada(int op, int* A, int* B, int* C, int n, int& n_mov);
