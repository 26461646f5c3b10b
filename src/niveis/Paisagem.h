#pragma once

class Quadro;
struct Tema;

// The backdrop behind the terrain, far to near: sky in dithered bands,
// clouds or stars, distant mountains (dim and greyed, as far things are)
// and nearer hills with trees or crystal spires. Paints every pixel; the
// terrain is painted over it.
namespace Paisagem {

void pintar(Quadro& quadro, const Tema& tema);

}  // namespace Paisagem
