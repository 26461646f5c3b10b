#include "comandoNiveis/ComandoNiveis.h"

int main(int argc, char** argv) { return comandoNiveis::executar(argc, argv); }
