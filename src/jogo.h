// The play screen: the game on towers A, B and C.
#pragma once

void Jogo();

// A tower is an array of n slots, slot 0 on top; 0 marks an empty slot,
// otherwise the slot holds the size of its ring, 1 (smallest) to n.
void DesenharTorres(const int* A, const int* B, const int* C, int n);
bool Venceu(const int* B, const int* C, int n);
void MoverArgola(int* origem, int* destino, int n);
