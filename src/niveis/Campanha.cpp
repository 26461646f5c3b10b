#include "niveis/Campanha.h"

#include "niveis/ArquivoNivel.h"

#include <memory>
#include <stdexcept>
#include <string>

namespace niveis {

const Nivel& daCampanha(int numero) {
    static std::unique_ptr<Nivel> lidos[NUM_NIVEIS];
    if (numero < 1 || numero > NUM_NIVEIS)
        throw std::runtime_error("the campaign has no level " + std::to_string(numero));
    std::unique_ptr<Nivel>& lido = lidos[numero - 1];
    if (!lido) {
        const ArquivosNivel& arquivos = NIVEIS[numero - 1];
        const std::string texto = std::string(PASTA) + "/" + arquivos.texto;
        const ArquivoNivel::Leitura leitura = ArquivoNivel::ler(texto);
        if (!leitura) throw std::runtime_error(leitura.erro);
        lido = std::make_unique<Nivel>(leitura.descricao->paraJogar(texto, arquivos.visual, arquivos.colisao));
    }
    return *lido;
}

}  // namespace niveis
