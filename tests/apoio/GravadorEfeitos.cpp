#include "GravadorEfeitos.h"

#include "classesBasicas/Efeitos.h"

namespace {

std::vector<GravadorEfeitos::Toque> gravados;

}  // namespace

GravadorEfeitos::GravadorEfeitos() {
    gravados.clear();
    Efeitos::setTocador([](sons::Efeito efeito, int jogador) { gravados.push_back({efeito, jogador}); });
}

GravadorEfeitos::~GravadorEfeitos() { Efeitos::setTocador(nullptr); }

const std::vector<GravadorEfeitos::Toque>& GravadorEfeitos::ouvidos() const { return gravados; }

std::vector<sons::Efeito> GravadorEfeitos::efeitos() const {
    std::vector<sons::Efeito> so;
    for (const Toque& t : gravados) so.push_back(t.efeito);
    return so;
}
