#include "classesDerivadas/boost.h"

#include <utility>

boost::boost(std::string bitmap, Ponto posicao, int largura, int altura, bool voador)
    : Objeto(std::move(bitmap), posicao, largura, altura, voador) {}

boost::~boost() = default;
