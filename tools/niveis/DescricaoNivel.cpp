#include "DescricaoNivel.h"

#include "dados/Niveis.h"

#include <fstream>
#include <sstream>

namespace {

// Reads one number of a line: plain, or "+N" counted from `anterior`.
int lerNumero(const std::string& palavra, int anterior, bool relativoPermitido, bool& ok) {
    ok = false;
    if (palavra.empty()) return 0;
    bool relativo = palavra[0] == '+';
    if (relativo && !relativoPermitido) return 0;
    std::size_t usados = 0;
    int valor = 0;
    try {
        valor = std::stoi(palavra.substr(relativo ? 1 : 0), &usados);
    } catch (const std::exception&) {
        return 0;
    }
    if (usados != palavra.size() - (relativo ? 1 : 0)) return 0;
    ok = true;
    return relativo ? anterior + valor : valor;
}

}  // namespace

DescricaoNivel::Erro::Erro(const std::string& arquivo, int linha, const std::string& mensagem)
    : std::runtime_error(arquivo + ":" + std::to_string(linha) + ": " + mensagem) {}

DescricaoNivel DescricaoNivel::ler(const std::string& caminho) {
    std::ifstream arquivo(caminho);
    if (!arquivo) throw Erro(caminho, 0, "cannot open the file");
    return ler(arquivo, caminho);
}

DescricaoNivel DescricaoNivel::ler(std::istream& entrada, const std::string& nomeArquivo) {
    DescricaoNivel nivel;
    std::string texto;
    int numeroLinha = 0;
    while (std::getline(entrada, texto)) {
        ++numeroLinha;
        auto falha = [&](const std::string& mensagem) { throw Erro(nomeArquivo, numeroLinha, mensagem); };
        std::size_t comentario = texto.find('#');
        if (comentario != std::string::npos) texto.erase(comentario);
        std::istringstream linha(texto);
        std::vector<std::string> palavras;
        for (std::string p; linha >> p;) palavras.push_back(p);
        if (palavras.empty()) continue;

        const std::string& comando = palavras[0];
        if (comando == "tema") {
            if (palavras.size() != 2) falha("'tema' takes one name");
            nivel.tema = palavras[1];
        } else if (comando == "chao" || comando == "teto") {
            if (palavras.size() != 3) falha("'" + comando + "' takes a column and a row (or '-')");
            std::vector<Trecho>& perfil = comando == "chao" ? nivel.chao : nivel.teto;
            const int anterior = perfil.empty() ? 0 : perfil.back().x;
            bool ok = false;
            Trecho trecho;
            trecho.linha = numeroLinha;
            trecho.x = lerNumero(palavras[1], anterior, !perfil.empty(), ok);
            if (!ok) falha("bad column '" + palavras[1] + "'");
            if (trecho.x < 0 || trecho.x >= niveis::COMPRIMENTO)
                falha("column " + std::to_string(trecho.x) + " is outside the level");
            if (!perfil.empty() && trecho.x <= anterior)
                falha("columns of '" + comando + "' must grow (previous one was " + std::to_string(anterior) + ")");
            if (palavras[2] != "-") {
                trecho.limite = lerNumero(palavras[2], 0, false, ok);
                if (!ok) falha("bad row '" + palavras[2] + "'");
                if (trecho.limite < 0 || trecho.limite >= niveis::ALTURA)
                    falha("row " + std::to_string(trecho.limite) + " is outside the picture");
            }
            perfil.push_back(trecho);
        } else if (comando == "bloco") {
            if (palavras.size() != 5) falha("'bloco' takes x, y, width and height");
            Bloco bloco;
            bloco.linha = numeroLinha;
            int* campos[] = {&bloco.x, &bloco.y, &bloco.largura, &bloco.altura};
            for (int i = 0; i < 4; ++i) {
                bool ok = false;
                *campos[i] = lerNumero(palavras[static_cast<std::size_t>(i) + 1], 0, false, ok);
                if (!ok) falha("bad number '" + palavras[static_cast<std::size_t>(i) + 1] + "'");
            }
            if (bloco.largura <= 0 || bloco.altura <= 0) falha("a block needs a positive size");
            if (bloco.x < 0 || bloco.y < 0 || bloco.x + bloco.largura > niveis::COMPRIMENTO ||
                bloco.y + bloco.altura > niveis::ALTURA)
                falha("the block does not fit in the level");
            nivel.blocos.push_back(bloco);
        } else {
            falha("unknown word '" + comando + "' (expected tema, chao, teto or bloco)");
        }
    }
    if (nivel.tema.empty()) throw Erro(nomeArquivo, numeroLinha, "the level names no 'tema'");
    if (nivel.chao.empty() || nivel.chao.front().x != 0)
        throw Erro(nomeArquivo, numeroLinha, "the floor profile must start at column 0");
    if (nivel.teto.empty() || nivel.teto.front().x != 0)
        throw Erro(nomeArquivo, numeroLinha, "the ceiling profile must start at column 0");
    return nivel;
}

int DescricaoNivel::limiteEm(const std::vector<Trecho>& perfil, int x) {
    int limite = NENHUM;
    for (const Trecho& t : perfil) {
        if (t.x > x) break;
        limite = t.limite;
    }
    return limite;
}
