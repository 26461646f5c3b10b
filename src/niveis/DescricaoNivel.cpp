#include "niveis/DescricaoNivel.h"

int DescricaoNivel::limiteEm(const std::vector<Trecho>& perfil, int x) {
    int limite = NENHUM;
    for (const Trecho& t : perfil) {
        if (t.x > x) break;
        limite = t.limite;
    }
    return limite;
}

int DescricaoNivel::linhaDoSolido(int x, int y) const {
    for (auto b = blocos.rbegin(); b != blocos.rend(); ++b)
        if (x >= b->x && x < b->x + b->largura && y >= b->y && y < b->y + b->altura) return b->linha;
    // The entry of a profile in force at column x.
    auto emVigor = [x](const std::vector<Trecho>& perfil) -> const Trecho* {
        const Trecho* vigente = nullptr;
        for (const Trecho& t : perfil) {
            if (t.x > x) break;
            vigente = &t;
        }
        return vigente;
    };
    const Trecho* c = emVigor(chao);
    if (c && c->limite != NENHUM && y >= c->limite) return c->linha;
    const Trecho* t = emVigor(teto);
    if (t && t->limite != NENHUM && y <= t->limite) return t->linha;
    return 0;
}

niveis::Nivel DescricaoNivel::paraJogar(const std::string& texto, const std::string& visual,
                                        const std::string& colisao) const {
    niveis::Nivel nivel;
    nivel.texto = texto;
    nivel.visual = visual;
    nivel.colisao = colisao;
    for (const Coluna& c : colunas) nivel.boosts.push_back({c.x, c.velocidade});
    nivel.chegadaX = chegada.x;
    nivel.chegadaY = chegada.y;
    nivel.alturaChegada = chegada.altura;
    return nivel;
}
