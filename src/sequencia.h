// The solution screen: the shortest list of moves for 1 to 8 discs.
#pragma once

void Sequencia();

// Writes, one line per move, how num discs go from origem to destino
// with aux as the spare tower.
void Movimentos(int num, char origem, char destino, char aux);
