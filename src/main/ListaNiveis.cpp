#include "main/ListaNiveis.h"

#include "niveis/ArquivoNivel.h"
#include "niveis/Campanha.h"

#include <algorithm>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

ListaNiveis ListaNiveis::daCampanha() {
    ListaNiveis lista;
    for (int numero = 1; numero <= niveis::NUM_NIVEIS; ++numero) {
        try {
            Entrada entrada;
            entrada.nivel = niveis::daCampanha(numero);
            lista.entradas.push_back(std::move(entrada));
        } catch (const std::runtime_error& erro) {
            lista.erros.push_back(erro.what());
        }
    }
    return lista;
}

ListaNiveis ListaNiveis::dosArquivos(const std::vector<std::string>& nomes, const fs::path& origem,
                                     const fs::path& cache) {
    ListaNiveis lista;
    lista.cache = cache;
    struct Arquivo {
        std::string nome;  // as messages show it
        fs::path caminho;  // where it is read
        std::string chaveOrdem;
    };
    std::vector<Arquivo> arquivos;
    auto acrescentar = [&arquivos](const std::string& nome, const fs::path& caminho) {
        arquivos.push_back({nome, caminho, caminho.filename().string()});
    };
    for (const std::string& nome : nomes) {
        const fs::path caminho = fs::path(nome).is_absolute() || origem.empty() ? fs::path(nome) : origem / nome;
        std::error_code erro;
        if (!fs::is_directory(caminho, erro)) {
            acrescentar(nome, caminho);  // the reader says what is wrong with it, if anything
            continue;
        }
        // A folder's levels are its *.txt files; hidden ones are an editor's.
        size_t antes = arquivos.size();
        fs::directory_iterator it(caminho, erro);
        for (; !erro && it != fs::directory_iterator(); it.increment(erro)) {
            const fs::path& p = it->path();
            const std::string arquivo = p.filename().string();
            if (p.extension() == ".txt" && arquivo[0] != '.') acrescentar((fs::path(nome) / arquivo).string(), p);
        }
        if (erro)
            lista.erros.push_back(nome + ": cannot read this folder (" + erro.message() + ")");
        else if (arquivos.size() == antes)
            lista.erros.push_back(nome + ": no level files (*.txt) in this folder");
    }
    std::stable_sort(arquivos.begin(), arquivos.end(), [](const Arquivo& a, const Arquivo& b) {
        return a.chaveOrdem != b.chaveOrdem ? a.chaveOrdem < b.chaveOrdem : a.nome < b.nome;
    });

    for (const Arquivo& arquivo : arquivos) {
        ArquivoNivel::Leitura leitura = ArquivoNivel::ler(arquivo.caminho.string(), arquivo.nome);
        if (!leitura) {
            lista.erros.push_back(leitura.erro);
            continue;
        }
        Entrada entrada;
        entrada.nivel = leitura.descricao->paraJogar(arquivo.nome, "", "");
        entrada.texto = std::move(leitura.texto);
        entrada.paraPintar = std::move(leitura.descricao);
        lista.entradas.push_back(std::move(entrada));
    }
    return lista;
}

const niveis::Nivel& ListaNiveis::preparar(int numero) {
    Entrada& entrada = entradas.at(static_cast<size_t>(numero - 1));
    if (entrada.paraPintar && !entrada.figuras) {
        entrada.figuras = FigurasPintadas::obter(*entrada.paraPintar, entrada.texto, cache);
        entrada.nivel.visual = entrada.figuras->getVisual();
        entrada.nivel.colisao = entrada.figuras->getColisao();
    }
    return entrada.nivel;
}
