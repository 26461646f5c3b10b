#include "niveis/ArquivoNivel.h"

#include "niveis/Relevo.h"
#include "niveis/Tema.h"

#include "dados/Arquivo.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A mistake and the line it is on; caught in lerTexto and turned into the
// one line the reader returns.
struct Falha {
    int linha;
    std::string mensagem;
};

// A word as a message may quote it: short, and nothing that would garble a
// terminal.
std::string mostrar(const std::string& palavra) {
    std::string saida;
    for (const char c : palavra.substr(0, 24)) saida += c > ' ' && c < 127 ? c : '?';
    return palavra.size() > 24 ? saida + "..." : saida;
}

// A number of a line: plain digits, or "+N" counted from `anterior` where
// `relativo` allows. Nine digits at most, so nothing overflows.
bool lerNumero(const std::string& palavra, int anterior, bool relativo, int& valor) {
    std::size_t i = 0;
    bool negativo = false;
    const bool mais = !palavra.empty() && palavra[0] == '+';
    if (mais && !relativo) return false;
    if (mais || (!palavra.empty() && palavra[0] == '-')) {
        negativo = !mais;
        i = 1;
    }
    if (i == palavra.size() || palavra.size() - i > 9) return false;
    int n = 0;
    for (; i < palavra.size(); ++i) {
        if (palavra[i] < '0' || palavra[i] > '9') return false;
        n = n * 10 + (palavra[i] - '0');
    }
    valor = mais ? anterior + n : negativo ? -n : n;
    return true;
}

// Where a runner would not fit: the first column (but for closing rock at
// the level's end) whose free rows are all shorter than a runner, or -1.
int colunaSemPassagem(const Relevo& relevo) {
    const int fechada = relevo.colunaFechada(0, relevo.largura() - 1);
    if (fechada < 0) return -1;
    // A level may end in rock that closes it from some column to the last:
    // no runner goes further, whatever it does.
    for (int x = fechada; x < relevo.largura(); ++x)
        for (int y = 0; y < relevo.altura(); ++y)
            if (!relevo.solido(x, y)) return fechada;
    return -1;
}

}  // namespace

class ArquivoNivel::Leitor {
public:
    explicit Leitor(DescricaoNivel& nivel) : nivel(nivel) {}

    void linha(int numero, const std::string& texto) {
        numeroLinha = numero;
        for (const char c : texto) {
            const auto b = static_cast<unsigned char>(c);
            if ((b < ' ' && b != '\t' && b != '\r') || b == 127)
                falha("binary data: this is not a level's text");
        }
        std::istringstream linha(texto.substr(0, texto.find('#')));
        std::vector<std::string> p;
        for (std::string palavra; linha >> palavra;) p.push_back(palavra);
        if (p.empty()) return;
        ++comandos;
        const std::string& comando = p[0];
        if (comando == "tema")
            lerTema(p);
        else if (comando == "chao" || comando == "teto")
            lerPerfil(p, comando == "chao" ? nivel.chao : nivel.teto);
        else if (comando == "bloco")
            lerBloco(p);
        else if (comando == "velocidade")
            lerColuna(p);
        else if (comando == "chegada")
            lerChegada(p);
        else
            falha("unknown word '" + mostrar(comando) +
                  "' (expected tema, chao, teto, bloco, velocidade or chegada)");
    }

    // What the whole file must have said.
    void fim() {
        numeroLinha = std::max(numeroLinha, 1);
        if (comandos == 0) falha("the file is empty: a level needs tema, chao, teto, velocidade and chegada lines");
        if (linhaTema == 0) falha("the level names no 'tema'");
        if (nivel.chao.empty() || nivel.chao.front().x != 0) falha("the floor profile must start at column 0");
        if (nivel.teto.empty() || nivel.teto.front().x != 0) falha("the ceiling profile must start at column 0");
        if (nivel.colunas.empty()) falha("the level has no 'velocidade' (a screen-speed column)");
        if (nivel.chegada.linha == 0) falha("the level has no 'chegada' (its finish line)");
    }

private:
    [[noreturn]] void falha(const std::string& mensagem) const { throw Falha{numeroLinha, mensagem}; }

    void aridade(const std::vector<std::string>& p, std::size_t n, const std::string& uso) const {
        if (p.size() != n) falha("'" + p[0] + "' takes " + uso);
    }

    int numero(const std::string& palavra, const char* oQue, int anterior = 0, bool relativo = false) const {
        int valor = 0;
        if (!lerNumero(palavra, anterior, relativo, valor)) falha(std::string("bad ") + oQue + " '" + mostrar(palavra) + "'");
        return valor;
    }

    int coluna(const std::string& palavra, int anterior, bool relativo) const {
        const int x = numero(palavra, "column", anterior, relativo);
        if (x < 0 || x >= niveis::COMPRIMENTO)
            falha("column " + std::to_string(x) + " is outside the level (0 to " +
                  std::to_string(niveis::COMPRIMENTO - 1) + ")");
        return x;
    }

    void lerTema(const std::vector<std::string>& p) {
        aridade(p, 2, "one name");
        if (linhaTema != 0) falha("a second 'tema' (the first is on line " + std::to_string(linhaTema) + ")");
        try {
            Tema::porNome(p[1]);
        } catch (const std::runtime_error&) {
            falha("unknown look '" + mostrar(p[1]) + "' (expected campo or noite)");
        }
        nivel.tema = p[1];
        linhaTema = numeroLinha;
    }

    void lerPerfil(const std::vector<std::string>& p, std::vector<DescricaoNivel::Trecho>& perfil) {
        aridade(p, 3, "a column and a row (or '-')");
        const int anterior = perfil.empty() ? 0 : perfil.back().x;
        DescricaoNivel::Trecho trecho;
        trecho.linha = numeroLinha;
        trecho.x = coluna(p[1], anterior, !perfil.empty());
        if (!perfil.empty() && trecho.x <= anterior)
            falha("columns of '" + p[0] + "' must grow (the previous one was " + std::to_string(anterior) + ")");
        if (p[2] != "-") {
            trecho.limite = numero(p[2], "row");
            if (trecho.limite < 0 || trecho.limite >= niveis::ALTURA)
                falha("row " + std::to_string(trecho.limite) + " is outside the picture (0 to " +
                      std::to_string(niveis::ALTURA - 1) + ")");
        }
        perfil.push_back(trecho);
    }

    void lerBloco(const std::vector<std::string>& p) {
        aridade(p, 5, "x, y, width and height");
        DescricaoNivel::Bloco bloco;
        bloco.linha = numeroLinha;
        bloco.x = numero(p[1], "number");
        bloco.y = numero(p[2], "number");
        bloco.largura = numero(p[3], "number");
        bloco.altura = numero(p[4], "number");
        if (bloco.largura <= 0 || bloco.altura <= 0) falha("a block needs a positive size");
        if (bloco.x < 0 || bloco.y < 0 || bloco.x + bloco.largura > niveis::COMPRIMENTO ||
            bloco.y + bloco.altura > niveis::ALTURA)
            falha("the block does not fit in the level");
        nivel.blocos.push_back(bloco);
    }

    void lerColuna(const std::vector<std::string>& p) {
        aridade(p, 3, "a column and a speed");
        std::vector<DescricaoNivel::Coluna>& colunas = nivel.colunas;
        const int anterior = colunas.empty() ? 0 : colunas.back().x;
        DescricaoNivel::Coluna c;
        c.linha = numeroLinha;
        c.x = coluna(p[1], anterior, !colunas.empty());
        if (!colunas.empty() && c.x <= anterior)
            falha("columns of 'velocidade' must grow (the previous one was " + std::to_string(anterior) + ")");
        c.velocidade = numero(p[2], "speed");
        if (c.velocidade < 1) falha("speed " + std::to_string(c.velocidade) + ": the view needs at least 1 pixel a frame");
        if (c.velocidade > ArquivoNivel::MAX_VELOCIDADE)
            falha("speed " + std::to_string(c.velocidade) + " is more than " +
                  std::to_string(ArquivoNivel::MAX_VELOCIDADE) + " pixels a frame");
        colunas.push_back(c);
    }

    void lerChegada(const std::vector<std::string>& p) {
        aridade(p, 4, "a column, a row and a height");
        if (nivel.chegada.linha != 0)
            falha("a second 'chegada' (the first is on line " + std::to_string(nivel.chegada.linha) + ")");
        DescricaoNivel::Chegada& c = nivel.chegada;
        c.x = coluna(p[1], 0, false);
        c.y = numero(p[2], "row");
        c.altura = numero(p[3], "height");
        if (c.altura < 1) falha("the finish line needs a height of at least 1");
        if (c.y >= niveis::ALTURA || c.y - c.altura < 0)
            falha("the finish line (rows " + std::to_string(c.y - c.altura) + " to " + std::to_string(c.y) +
                  ") does not fit in the picture");
        c.linha = numeroLinha;
    }

    DescricaoNivel& nivel;
    int numeroLinha = 0;
    int comandos = 0;
    int linhaTema = 0;
};

namespace {

// Whether the engine can play the level: a runner fits through every
// column, every start box is free, the finish line is not in the ground,
// no speed column stands on a wall's face.
void validar(const DescricaoNivel& nivel) {
    const Relevo relevo(nivel);
    const int fechada = colunaSemPassagem(relevo);
    if (fechada >= 0) {
        // The last-written of the lines that close it.
        int linha = 0;
        for (int y = 0; y < relevo.altura(); ++y) linha = std::max(linha, nivel.linhaDoSolido(fechada, y));
        throw Falha{linha, "no runner fits through column " + std::to_string(fechada)};
    }
    // The line of the first solid pixel of a box, or 0 when it is free.
    auto solidoEm = [&](int x0, int y0, int x1, int y1) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                if (relevo.solido(x, y)) return std::max(nivel.linhaDoSolido(x, y), 1);
        return 0;
    };
    for (int i = 0; i < niveis::MAX_JOGADORES; ++i) {
        const int y = niveis::Y_INICIAL + niveis::PASSO_Y * i;
        if (const int linha =
                solidoEm(niveis::X_INICIAL, y - niveis::ALTURA_RUNNER, niveis::X_INICIAL + niveis::LARGURA_RUNNER, y))
            throw Falha{linha, "runner " + std::to_string(i + 1) + " would start inside the ground (at x = " +
                                   std::to_string(niveis::X_INICIAL) + ", rows " +
                                   std::to_string(y - niveis::ALTURA_RUNNER) + " to " + std::to_string(y) + ")"};
    }
    const DescricaoNivel::Chegada& c = nivel.getChegada();
    if (solidoEm(c.x, c.y - c.altura, c.x, c.y)) throw Falha{c.linha, "the finish line lies in the ground"};
    // A speed column is painted over the whole height of the collision
    // buffer; on a wall's face it would let a runner one pixel into the wall.
    for (const DescricaoNivel::Coluna& coluna : nivel.getColunas()) {
        const int x = coluna.x;
        for (int y = 0; y < relevo.altura(); ++y)
            if (relevo.solido(x - 1, y) != relevo.solido(x, y) || relevo.solido(x + 1, y) != relevo.solido(x, y))
                throw Falha{coluna.linha, "the speed column at x = " + std::to_string(x) + " stands on a wall's face"};
    }
}

}  // namespace

ArquivoNivel::Leitura ArquivoNivel::lerTexto(const std::string& texto, const std::string& nome) {
    Leitura leitura;
    leitura.texto = texto;
    DescricaoNivel nivel;
    try {
        Leitor leitor(nivel);
        std::size_t inicio = 0;
        // A byte-order mark some editors write is not part of the text.
        if (texto.compare(0, 3, "\xEF\xBB\xBF") == 0) inicio = 3;
        for (int numero = 1; inicio < texto.size(); ++numero) {
            std::size_t fim = texto.find('\n', inicio);
            if (fim == std::string::npos) fim = texto.size();
            leitor.linha(numero, texto.substr(inicio, fim - inicio));
            inicio = fim + 1;
        }
        leitor.fim();
        validar(nivel);
    } catch (const Falha& f) {
        leitura.erro = nome + ":" + std::to_string(f.linha) + ": " + f.mensagem;
        return leitura;
    }
    leitura.descricao = std::move(nivel);
    return leitura;
}

ArquivoNivel::Leitura ArquivoNivel::ler(const std::string& caminho, const std::string& nome) {
    const std::string mostrado = nome.empty() ? caminho : nome;
    Leitura leitura;
    // Only a regular file: a pipe or a device would hold the game up.
    std::error_code erro;
    const fs::file_status estado = fs::status(caminho, erro);
    if (erro) {
        leitura.erro = mostrado + ": cannot read it (" + erro.message() + ")";
        return leitura;
    }
    if (fs::is_directory(estado)) {
        leitura.erro = mostrado + ": a folder, not a level file";
        return leitura;
    }
    if (!fs::is_regular_file(estado)) {
        leitura.erro = mostrado + ": not a regular file";
        return leitura;
    }
    const std::uintmax_t tamanho = fs::file_size(caminho, erro);
    if (!erro && tamanho > MAX_BYTES) {
        leitura.erro = mostrado + ": too large for a level file (more than " + std::to_string(MAX_BYTES) + " bytes)";
        return leitura;
    }
    recursos::Arquivo arquivo = recursos::abrir(caminho, "rb");
    if (erro || !arquivo) {
        leitura.erro = mostrado + ": cannot open it";
        return leitura;
    }
    // One byte more than it holds: a file that grows while it is read is
    // refused rather than read in part.
    std::string texto(static_cast<std::size_t>(tamanho) + 1, '\0');
    const std::size_t lidos = std::fread(texto.data(), 1, texto.size(), arquivo.get());
    if (std::ferror(arquivo.get()) || lidos > tamanho) {
        leitura.erro = mostrado + (lidos > tamanho ? ": it grew while it was read" : ": cannot read it");
        return leitura;
    }
    texto.resize(lidos);
    return lerTexto(texto, mostrado);
}
