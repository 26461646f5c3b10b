#include "GravadorEfeitos.h"

#include "classesBasicas/Efeitos.h"

namespace {

std::vector<GravadorEfeitos::Toque> gravados;

void gravar(sons::Efeito efeito, int jogador) { gravados.push_back({efeito, jogador}); }

}  // namespace

GravadorEfeitos::GravadorEfeitos() {
    gravados.clear();
    Efeitos::setTocador(gravar);
}

GravadorEfeitos::~GravadorEfeitos() {
    Efeitos::setTocador(nullptr);
    gravados.clear();
}

const std::vector<GravadorEfeitos::Toque>& GravadorEfeitos::ouvidos() const { return gravados; }

std::vector<sons::Efeito> GravadorEfeitos::efeitos() const {
    std::vector<sons::Efeito> so;
    for (const Toque& t : gravados) so.push_back(t.efeito);
    return so;
}

void GravadorEfeitos::limpar() { gravados.clear(); }
