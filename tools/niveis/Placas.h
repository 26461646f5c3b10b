#pragma once

class Quadro;
class Relevo;
struct Tema;
namespace niveis {
struct Nivel;
}

// What tells the players about the invisible objects of a level: a sign
// and a dashed line at every screen-speed column, showing the speed the view
// takes there (orange when it speeds up), and a chequered strip with a
// banner where the finish line stands. Painted on free space only, except
// the banner, which may be fixed on a wall's inside; never on the ground's
// edge.
namespace Placas {

void pintar(Quadro& quadro, const Relevo& relevo, const niveis::Nivel& nivel, const Tema& tema);

}  // namespace Placas
