#pragma once

class Quadro;
class Relevo;
struct Tema;

// The ground's look, painted on exactly the pixels Relevo makes solid: a
// one-pixel line of the theme's edge colour on every boundary with free
// space (so what a runner touches is what the player sees), grass or crystal
// behind the surfaces runners stand and hang on, and a body of stones that
// darkens with depth.
namespace Terreno {

void pintar(Quadro& quadro, const Relevo& relevo, const Tema& tema);

}  // namespace Terreno
