#pragma once

class DescricaoNivel;
class Quadro;
class Relevo;
struct Tema;

// What tells the players about the invisible objects of a level: a sign
// and a dashed line where each screen-speed column is felt, showing the
// speed the view takes there (orange when it speeds up), and a chequered
// strip with a banner where the finish line stands. Painted on free space
// only, except the banner, which may be fixed on a wall's inside; never on
// the ground's edge.
namespace Placas {

// The view takes a column's speed when its left edge reaches the column; a
// runner keeping up is then about the view's middle, this far ahead, and
// that is where it feels the change.
constexpr int SENTIDA_ADIANTE = 320;

// The column where the change of the speed column at `coluna` is felt.
int ondeSeSente(int coluna);

void pintar(Quadro& quadro, const Relevo& relevo, const DescricaoNivel& nivel, const Tema& tema);

}  // namespace Placas
