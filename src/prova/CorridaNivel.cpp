#include "prova/CorridaNivel.h"

#include "prova/SemTela.h"

#include "classesBasicas/Mapa.h"
#include "classesDerivadas/Runner.h"
#include "main/main.h"

#include <cstdlib>
#include <string>

namespace {

// montarNivel hands each runner to a plain function; this is where the race
// being built collects them.
Runner** runnersEmConstrucao = nullptr;

void guardarRunner(int indice, Runner* runner) { runnersEmConstrucao[indice] = runner; }

}  // namespace

int numeroDoNivel(const char* texto) {
    const int n = std::atoi(texto);
    return n >= 1 && n <= niveis::NUM_NIVEIS && std::to_string(n) == texto ? n : 0;
}

bool EstadoRunner::operator==(const EstadoRunner& o) const {
    return x == o.x && y == o.y && velH == o.velH && velV == o.velV && sinal == o.sinal &&
           noChao == o.noChao && ativo == o.ativo && winner == o.winner && apertado == o.apertado;
}

CorridaNivel::CorridaNivel(const niveis::Nivel& nivel, int jogadores, bool mostrada) : jogadores(jogadores) {
    semTela::iniciarAllegro();
    semTela::usarRelogioFalso();
    // No sprite sheets: the runners race unseen, which the engine allows
    // and which changes nothing of their movement.
    const std::string folhas[niveis::MAX_JOGADORES];
    niveis::Nivel comoCorrido = nivel;
    if (!mostrada) comoCorrido.visual = "";
    runnersEmConstrucao = runners;
    mapa = montarNivel(comoCorrido, folhas, jogadores, guardarRunner);
    runnersEmConstrucao = nullptr;
}

CorridaNivel::~CorridaNivel() { delete mapa; }

void CorridaNivel::apertar(int i) { apertado[i] = true; }

bool CorridaNivel::avancar() {
    for (int i = 0; i < jogadores; ++i)
        if (apertado[i] && virarSeEmPe(*runners[i])) apertado[i] = false;
    // Every race shares the one test clock; each frame moves it on, so a
    // runner's gravity timer always sees more than 30 ms between its frames,
    // as in the game, however races take turns.
    semTela::avancar(MS_POR_QUADRO);
    ++quadro;
    return mapa->atualizarMapa();
}

int CorridaNivel::getXVista() const { return mapa->getGerenciadorTela().getPosicao().getX(); }

int CorridaNivel::getVelocidadeVista() const {
    return isAcabada() ? 0 : static_cast<int>(mapa->getGerenciadorTela().getVelHorizontal());
}

EstadoRunner CorridaNivel::estado(int i) const {
    const Runner& r = *runners[i];
    EstadoRunner e;
    e.x = r.getPosicao().getX();
    e.y = r.getPosicao().getY();
    e.velH = r.getVelHorizontal();
    e.velV = r.getVelVertical();
    e.sinal = r.getSinalGravidade();
    e.noChao = r.isNoChao();
    e.ativo = r.isAtivo();
    e.winner = r.isWinner();
    e.apertado = apertado[i];
    e.gravidade = runners[i]->getCronometro();
    return e;
}

void CorridaNivel::assumir(int i, const EstadoRunner& e) {
    Runner& r = *runners[i];
    // Its box leaves the collision buffer where it stands now; the next
    // frame paints it where it goes.
    mapa->apagarObjetoColisao(&r);
    r.setPosicao(Ponto(e.x, e.y));
    r.setVelHorizontal(e.velH);
    r.setVelVertical(e.velV);
    r.setSinalGravidade(e.sinal);
    r.setNoChao(e.noChao);
    r.setAtivo(e.ativo);
    r.setWinner(e.winner);
    r.setCronometro(e.gravidade);
    apertado[i] = e.apertado;
}

bool CorridaNivel::isAcabada() const { return mapa->isOver(); }

int CorridaNivel::naCorrida() const {
    int n = 0;
    for (int i = 0; i < jogadores; ++i) n += runners[i]->isAtivo() ? 1 : 0;
    return n;
}
