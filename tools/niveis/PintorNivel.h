#pragma once

#include "Quadro.h"

#include <string>

class Relevo;
namespace niveis {
struct Nivel;
}

// Turns a level's solid ground into its two pictures.
namespace PintorNivel {

// Black where solid, white where free, nothing else.
Quadro colisao(const Relevo& relevo);

// What the players see: backdrop, textured terrain exactly where the ground
// is solid, a sign at every screen-speed column and a banner at the finish.
// `tema` names the look (see Tema.h).
Quadro visual(const Relevo& relevo, const niveis::Nivel& nivel, const std::string& tema);

// Throws std::runtime_error, naming `arquivo`, when the level cannot be
// played as the engine runs it: a column no runner fits through, a start
// box or the finish line inside the ground, a speed column on a wall face.
void validar(const Relevo& relevo, const niveis::Nivel& nivel, const std::string& arquivo);

// Reads the level `nivel` from `arquivo`, checks it and writes its two
// pictures at the paths `nivel` names, under `saida`. Throws
// std::runtime_error, naming the file, when it cannot.
void gerar(const std::string& arquivo, const niveis::Nivel& nivel, const std::string& saida);

}  // namespace PintorNivel
