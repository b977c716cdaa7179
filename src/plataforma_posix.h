// What only the POSIX side has beyond the console's platform interface.
#pragma once

#include "letras.h"

// The letter table for a locale name (null when setlocale failed) and the
// codeset it reports.
void MontarTabela(const char* nome_locale, const char* codeset,
                  TabelaLetras& letras);
