#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The colours of one level's look, all taken from the game's one palette
// (Paleta.h). The edge colour is kept for the terrain's surfaces alone: the
// backdrop and the signs never use it, so the bright line a runner sees is
// exactly where the ground begins.
struct Tema {
    std::string nome;
    bool noite = false;  // stars and a moon instead of clouds

    // Backdrop, far to near: the sky as dithered bands (row, colour), the
    // distant mountains, the nearer hills and their trees.
    std::vector<std::pair<int, uint32_t>> ceu;
    uint32_t astroLuz = 0, astroSombra = 0;  // clouds by day, stars and moon by night
    uint32_t distanteLuz = 0, distanteSombra = 0, distanteTopo = 0;
    uint32_t bruma = 0;  // haze the mountains fade into at their feet
    uint32_t medioLuz = 0, medioCorpo = 0, medioSombra = 0;
    uint32_t telhado = 0, janela = 0;  // the night's village: roofs, lit windows

    // Terrain: the surface line, the layer just behind it, the body (layered
    // earth with pebbles, or cobbled rock) and what is set in it.
    enum class Solo { TERRA, ROCHA };
    Solo solo = Solo::TERRA;
    uint32_t borda = 0;
    uint32_t bordaSub = 0;
    uint32_t corpoLuz = 0, corpo = 0, corpoSombra = 0, rejunte = 0, fundo = 0;
    uint32_t enfeite1 = 0, enfeite2 = 0;  // flowers, crystals

    // Speed signs and the finish banner.
    uint32_t placaMais = 0, placaMenos = 0, placaTexto = 0, poste = 0, contorno = 0;
    uint32_t faixa = 0, faixaTexto = 0, xadrezClaro = 0, xadrezEscuro = 0;

    // "campo" or "noite"; throws std::runtime_error for any other name.
    static const Tema& porNome(const std::string& nome);
};
