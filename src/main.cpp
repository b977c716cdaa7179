#include "console.h"
#include "menu.h"

int main() {
  IniciarConsole();
  return MenuPrincipal();
}
