#include "classesBasicas/Efeitos.h"

#include "classesBasicas/Recursos.h"
#include "classesBasicas/Som.h"

#include <allegro.h>

#include <atomic>
#include <cmath>

namespace {

constexpr int JOGADORES = 6;

// A flip waiting for the main thread, by player: none, or its direction.
enum Virada : int { NENHUMA = 0, PARA_CIMA = 1, PARA_BAIXO = 2 };
std::atomic<int> viradas[JOGADORES];

recursos::Amostra amostras[sons::NUM_EFEITOS];
int volumeMusica = sons::MUSICA_PADRAO;
int volumeEfeitos = sons::EFEITOS_PADRAO;
bool comSom = false;
bool mudo = false;

void tocarNoMixer(sons::Efeito efeito, int jogador) {
    const SAMPLE* amostra = amostras[static_cast<int>(efeito)].get();
    if (!amostra) return;
    // A voice is always there: the music's synthesizer steals among its own
    // voices only, and when every effect's voice is busy Allegro takes the
    // oldest one.
    play_sample(amostra, volumeEfeitos * 255 / 100, 128, Efeitos::frequenciaDoJogador(jogador), 0);
}

Efeitos::Tocador tocador = tocarNoMixer;

}  // namespace

void Efeitos::definirVolumes(int musica, int efeitos) {
    volumeMusica = musica;
    volumeEfeitos = efeitos;
}

void Efeitos::iniciar(bool instalado) {
    comSom = instalado;
    if (!comSom) return;
    // Allegro leaves the music's volume unset until it is asked for one, and
    // then plays notes as loud as a volume of 256 would, one step above the
    // most set_volume takes: the usual level is kept by not setting it.
    if (volumeMusica < 100) set_volume(-1, volumeMusica * 256 / 100);
    for (int e = 0; e < sons::NUM_EFEITOS; ++e)
        amostras[e].reset(Som::carregarEfeito(sons::caminho(static_cast<sons::Efeito>(e))));
}

void Efeitos::encerrar() {
    for (recursos::Amostra& amostra : amostras) amostra.reset();
    comSom = false;
}

void Efeitos::tocar(sons::Efeito efeito, int jogador) {
    if (mudo || volumeEfeitos <= 0) return;
    tocador(efeito, jogador);
}

void Efeitos::anunciarVirada(int jogador, bool paraCima) {
    if (jogador < 1 || jogador > JOGADORES) return;
    viradas[jogador - 1].store(paraCima ? PARA_CIMA : PARA_BAIXO, std::memory_order_release);
}

void Efeitos::tocarPendentes() {
    for (int j = 0; j < JOGADORES; ++j) {
        if (viradas[j].load(std::memory_order_relaxed) == NENHUMA) continue;
        const int virada = viradas[j].exchange(NENHUMA, std::memory_order_acquire);
        if (virada != NENHUMA)
            tocar(virada == PARA_CIMA ? sons::Efeito::VIRAR_TETO : sons::Efeito::VIRAR_CHAO, j + 1);
    }
}

void Efeitos::alternarMudo() {
    mudo = !mudo;
    // The digital volume scales every voice, the synthesizer's too, and at
    // once: what sounds falls silent with the key. 255 is the level Allegro
    // plays at when none is set.
    if (comSom) set_volume(mudo ? 0 : 255, -1);
}

bool Efeitos::isMudo() { return mudo; }

Efeitos::Tocador Efeitos::setTocador(Tocador novo) {
    const Tocador anterior = tocador;
    tocador = novo ? novo : tocarNoMixer;
    return anterior;
}

int Efeitos::frequenciaDoJogador(int jogador) {
    const int semitons = jogador >= 0 && jogador <= JOGADORES ? sons::SEMITONS_JOGADOR[jogador] : 0;
    return static_cast<int>(std::lround(1000.0 * std::exp2(semitons / 12.0)));
}
