// The two fixed-text screens: the rules and the credits.
#pragma once

void Instrucao();
void Sobre();
