#pragma once

#include "niveis/Quadro.h"

#include <string>

class DescricaoNivel;
class Relevo;

// Turns a level into its two pictures.
namespace PintorNivel {

// Black where solid, white where free, nothing else.
Quadro colisao(const Relevo& relevo);

// What the players see: backdrop, textured terrain exactly where the ground
// is solid, a sign at every screen-speed column and a banner at the finish,
// in the level's look (see Tema.h).
Quadro visual(const Relevo& relevo, const DescricaoNivel& nivel);

// Paints a level read by ArquivoNivel and writes its two pictures at these
// paths, making their folders. Throws std::runtime_error naming a file
// that cannot be written.
void gerar(const DescricaoNivel& nivel, const std::string& visual, const std::string& colisao);

}  // namespace PintorNivel
