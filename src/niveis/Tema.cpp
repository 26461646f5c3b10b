#include "niveis/Tema.h"

#include "dados/Paleta.h"

#include <stdexcept>

namespace {

using namespace paleta;

Tema temaCampo() {
    Tema t;
    t.nome = "campo";
    t.ceu = {{0, AZUL}, {150, CELESTE}, {330, CIANO}, {440, BRANCO}};
    t.astroLuz = BRANCO;
    t.astroSombra = NEVOA;
    t.distanteLuz = NEVOA;
    t.distanteSombra = ARDOSIA;
    t.distanteTopo = BRANCO;
    t.bruma = CIANO;
    t.medioLuz = VERDE;
    t.medioCorpo = PETROLEO;
    t.medioSombra = MARINHO;
    t.telhado = VINHO;
    t.janela = AREIA;
    t.solo = Tema::Solo::TERRA;
    t.borda = LIMA;
    t.bordaSub = VERDE;
    t.corpoLuz = VINHO;
    t.corpo = AMEIXA;
    t.corpoSombra = GRAFITE;
    t.rejunte = NOITE;
    t.fundo = NOITE;
    t.enfeite1 = AREIA;
    t.enfeite2 = LARANJA;
    t.placaMais = LARANJA;
    t.placaMenos = AREIA;
    t.placaTexto = NOITE;
    t.poste = GRAFITE;
    t.contorno = NOITE;
    t.faixa = VINHO;
    t.faixaTexto = AREIA;
    t.xadrezClaro = BRANCO;
    t.xadrezEscuro = NOITE;
    return t;
}

Tema temaNoite() {
    Tema t;
    t.nome = "noite";
    t.noite = true;
    t.ceu = {{0, NOITE}, {200, MARINHO}, {340, AMEIXA}, {460, VINHO}};
    t.astroLuz = BRANCO;
    t.astroSombra = AREIA;
    t.distanteLuz = GRAFITE;
    t.distanteSombra = NOITE;
    t.distanteTopo = AZUL;
    t.bruma = AMEIXA;
    t.medioLuz = MARINHO;
    t.medioCorpo = NOITE;
    t.medioSombra = NOITE;
    t.telhado = VINHO;
    t.janela = AREIA;
    // Pale, moonlit stone under a dark sky and a dark range: the ground
    // reads at a glance by its body, not by its edge line alone. Its
    // colours stay out of the backdrop but for the range's lit faces.
    t.solo = Tema::Solo::ROCHA;
    t.borda = CIANO;
    t.bordaSub = CELESTE;
    t.corpoLuz = BRANCO;
    t.corpo = NEVOA;
    t.corpoSombra = ARDOSIA;
    t.rejunte = GRAFITE;
    t.fundo = GRAFITE;
    t.enfeite1 = CELESTE;
    t.enfeite2 = BRANCO;
    t.placaMais = LARANJA;
    t.placaMenos = AREIA;
    t.placaTexto = NOITE;
    t.poste = ARDOSIA;
    t.contorno = NOITE;
    t.faixa = VINHO;
    t.faixaTexto = AREIA;
    t.xadrezClaro = BRANCO;
    t.xadrezEscuro = NOITE;
    return t;
}

}  // namespace

const Tema& Tema::porNome(const std::string& nome) {
    static const Tema temas[] = {temaCampo(), temaNoite()};
    for (const Tema& t : temas)
        if (t.nome == nome) return t;
    throw std::runtime_error("unknown look '" + nome + "' (expected campo or noite)");
}
