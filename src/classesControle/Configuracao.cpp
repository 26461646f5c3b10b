#include "classesControle/Configuracao.h"

#include "dados/TeclasJogadores.h"

#include <allegro.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace configuracao {
namespace {

struct NomeTecla {
    const char* nome;   // as the file writes it: Allegro's KEY_ name without KEY_
    int codigo;
    const char* curto;  // as the Enter prompt writes it, in the game's pixel font
};

// Enter, Escape, P and F10 are left out: the level reads them itself; F11
// is the window's.
constexpr NomeTecla TECLAS[] = {
    {"A", KEY_A, "A"}, {"B", KEY_B, "B"}, {"C", KEY_C, "C"}, {"D", KEY_D, "D"}, {"E", KEY_E, "E"},
    {"F", KEY_F, "F"}, {"G", KEY_G, "G"}, {"H", KEY_H, "H"}, {"I", KEY_I, "I"}, {"J", KEY_J, "J"},
    {"K", KEY_K, "K"}, {"L", KEY_L, "L"}, {"M", KEY_M, "M"}, {"N", KEY_N, "N"}, {"O", KEY_O, "O"},
    {"Q", KEY_Q, "Q"}, {"R", KEY_R, "R"}, {"S", KEY_S, "S"}, {"T", KEY_T, "T"}, {"U", KEY_U, "U"},
    {"V", KEY_V, "V"}, {"W", KEY_W, "W"}, {"X", KEY_X, "X"}, {"Y", KEY_Y, "Y"}, {"Z", KEY_Z, "Z"},
    {"0", KEY_0, "0"}, {"1", KEY_1, "1"}, {"2", KEY_2, "2"}, {"3", KEY_3, "3"}, {"4", KEY_4, "4"},
    {"5", KEY_5, "5"}, {"6", KEY_6, "6"}, {"7", KEY_7, "7"}, {"8", KEY_8, "8"}, {"9", KEY_9, "9"},
    {"0_PAD", KEY_0_PAD, "NUM 0"}, {"1_PAD", KEY_1_PAD, "NUM 1"}, {"2_PAD", KEY_2_PAD, "NUM 2"},
    {"3_PAD", KEY_3_PAD, "NUM 3"}, {"4_PAD", KEY_4_PAD, "NUM 4"}, {"5_PAD", KEY_5_PAD, "NUM 5"},
    {"6_PAD", KEY_6_PAD, "NUM 6"}, {"7_PAD", KEY_7_PAD, "NUM 7"}, {"8_PAD", KEY_8_PAD, "NUM 8"},
    {"9_PAD", KEY_9_PAD, "NUM 9"}, {"SLASH_PAD", KEY_SLASH_PAD, "NUM /"}, {"ASTERISK", KEY_ASTERISK, "NUM *"},
    {"MINUS_PAD", KEY_MINUS_PAD, "NUM -"}, {"PLUS_PAD", KEY_PLUS_PAD, "NUM +"}, {"DEL_PAD", KEY_DEL_PAD, "NUM DEL"},
    {"ENTER_PAD", KEY_ENTER_PAD, "NUM ENTER"},
    {"F1", KEY_F1, "F1"}, {"F2", KEY_F2, "F2"}, {"F3", KEY_F3, "F3"}, {"F4", KEY_F4, "F4"}, {"F5", KEY_F5, "F5"},
    {"F6", KEY_F6, "F6"}, {"F7", KEY_F7, "F7"}, {"F8", KEY_F8, "F8"}, {"F9", KEY_F9, "F9"}, {"F12", KEY_F12, "F12"},
    {"TILDE", KEY_TILDE, "TILDE"}, {"MINUS", KEY_MINUS, "-"}, {"EQUALS", KEY_EQUALS, "="},
    {"BACKSPACE", KEY_BACKSPACE, "BACKSPACE"}, {"TAB", KEY_TAB, "TAB"}, {"OPENBRACE", KEY_OPENBRACE, "("},
    {"CLOSEBRACE", KEY_CLOSEBRACE, ")"}, {"COLON", KEY_COLON, ";"}, {"QUOTE", KEY_QUOTE, "'"},
    {"BACKSLASH", KEY_BACKSLASH, "BACKSLASH"}, {"COMMA", KEY_COMMA, ","}, {"STOP", KEY_STOP, "."},
    {"SLASH", KEY_SLASH, "/"}, {"SPACE", KEY_SPACE, "SPACE"},
    {"INSERT", KEY_INSERT, "INSERT"}, {"DEL", KEY_DEL, "DELETE"}, {"HOME", KEY_HOME, "HOME"},
    {"END", KEY_END, "END"}, {"PGUP", KEY_PGUP, "PG UP"}, {"PGDN", KEY_PGDN, "PG DN"},
    {"LEFT", KEY_LEFT, "LEFT"}, {"RIGHT", KEY_RIGHT, "RIGHT"}, {"UP", KEY_UP, "UP"}, {"DOWN", KEY_DOWN, "DOWN"},
    {"LSHIFT", KEY_LSHIFT, "LEFT SHIFT"}, {"RSHIFT", KEY_RSHIFT, "RIGHT SHIFT"},
    {"LCONTROL", KEY_LCONTROL, "LEFT CTRL"}, {"RCONTROL", KEY_RCONTROL, "RIGHT CTRL"},
    {"ALT", KEY_ALT, "ALT"}, {"ALTGR", KEY_ALTGR, "ALT GR"}, {"LWIN", KEY_LWIN, "LEFT WIN"},
    {"RWIN", KEY_RWIN, "RIGHT WIN"}, {"MENU", KEY_MENU, "MENU"},
};

struct TeclaDoJogo {
    const char* nome;
    const char* papel;
};
constexpr TeclaDoJogo DO_JOGO[] = {
    {"ENTER", "starts the race"},        {"ESC", "leaves the level"},
    {"P", "pauses"},                     {"F10", "skips the level"},
    {"F11", "turns fullscreen on and off"}, {sons::TECLA_MUDO, "mutes and unmutes the sound"},
};

// Bigger than any configuration anyone writes by hand.
constexpr std::size_t TAMANHO_MAXIMO = 64 * 1024;

bool iguais(std::string_view a, std::string_view b);

// The entry of `lista` named `nome`, in any case; null when none is.
template <typename T, std::size_t N>
const T* procurar(const T (&lista)[N], std::string_view nome) {
    for (const T& t : lista)
        if (iguais(nome, t.nome)) return &t;
    return nullptr;
}

bool iguais(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string_view aparado(std::string_view s) {
    const char* brancos = " \t\r";
    std::size_t inicio = s.find_first_not_of(brancos);
    if (inicio == std::string_view::npos) return {};
    return s.substr(inicio, s.find_last_not_of(brancos) - inicio + 1);
}

// The 1-based lines, read the way Allegro reads the file (a name runs to a
// blank or '=', and a name in brackets opens a section; a section written
// twice is one), of every entry `nome` of section `secao` ("" for the top
// of the file), or of the section's headings when `nome` is empty.
std::vector<int> linhasDe(std::string_view texto, std::string_view secao, std::string_view nome) {
    std::vector<int> linhas;
    std::string_view atual;
    for (int numero = 1; !texto.empty(); ++numero) {
        const std::size_t fim = texto.find('\n');
        const std::string_view linha = aparado(texto.substr(0, fim));
        texto = fim == std::string_view::npos ? std::string_view() : texto.substr(fim + 1);
        if (linha.empty() || linha[0] == '#') continue;
        const std::string_view n = linha.substr(0, linha.find_first_of(" \t="));
        if (n.size() >= 2 && n.front() == '[' && n.back() == ']') {
            atual = n.substr(1, n.size() - 2);
            if (nome.empty() && iguais(atual, secao)) linhas.push_back(numero);
        } else if (!nome.empty() && iguais(atual, secao) && iguais(n, nome)) {
            linhas.push_back(numero);
        }
    }
    return linhas;
}

// The first of those lines, the one Allegro reads; 0 when absent.
int linhaDe(std::string_view texto, std::string_view secao, std::string_view nome) {
    const std::vector<int> linhas = linhasDe(texto, secao, nome);
    return linhas.empty() ? 0 : linhas.front();
}

// How many bytes the UTF-8 sequence at the start of `s` takes, or 0 when
// it is not one.
std::size_t sequenciaUtf8(std::string_view s) {
    const auto b = [&s](std::size_t i) { return i < s.size() ? static_cast<unsigned char>(s[i]) : 0u; };
    const unsigned c = b(0);
    if (c < 0x80) return 1;
    // The second byte's range rules out overlong forms, surrogates and
    // code points past U+10FFFF.
    std::size_t n = 0;
    unsigned minimo = 0x80, maximo = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0) minimo = 0xA0;
        if (c == 0xED) maximo = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0) minimo = 0x90;
        if (c == 0xF4) maximo = 0x8F;
    } else {
        return 0;
    }
    if (b(1) < minimo || b(1) > maximo) return 0;
    for (std::size_t i = 2; i < n; ++i)
        if (b(i) < 0x80 || b(i) > 0xBF) return 0;
    return n;
}

// The 1-based line of the first byte that plain UTF-8 text does not hold,
// or 0; `porque` says what is wrong with it.
int linhaNaoTexto(std::string_view texto, std::string& porque) {
    auto byte = [](unsigned char u) {
        char hex[5];
        std::snprintf(hex, sizeof hex, "0x%02X", u);
        return std::string("byte ") + hex;
    };
    int linha = 1;
    for (std::size_t i = 0; i < texto.size();) {
        const auto u = static_cast<unsigned char>(texto[i]);
        if (u == '\n') ++linha;
        if ((u < 0x20 && u != '\n' && u != '\r' && u != '\t') || u == 0x7F) {
            porque = byte(u);
            return linha;
        }
        const std::size_t n = sequenciaUtf8(texto.substr(i));
        if (n == 0) {
            porque = byte(u) + " is not UTF-8";
            return linha;
        }
        i += n;
    }
    return 0;
}

// Text of the file quoted in a message: whole when short, else its start
// and its length, so one line stays one line.
std::string citado(std::string_view texto) {
    constexpr std::size_t MAXIMO = 40, INICIO = 32;
    if (texto.size() <= MAXIMO) return std::string(texto);
    std::size_t corte = INICIO;
    // Not inside a UTF-8 sequence.
    while (corte > 0 && (static_cast<unsigned char>(texto[corte]) & 0xC0) == 0x80) --corte;
    return std::string(texto.substr(0, corte)) + "... (" + std::to_string(texto.size()) + " bytes)";
}

// An open file, closed on every way out.
class Descritor {
public:
    explicit Descritor(int fd) : fd(fd) {}
    ~Descritor() { close(fd); }
    Descritor(const Descritor&) = delete;
    Descritor& operator=(const Descritor&) = delete;

private:
    int fd;
};

// Allegro's list of section or entry names, freed on every way out.
class Nomes {
public:
    Nomes() = default;
    Nomes(const Nomes&) = delete;
    Nomes& operator=(const Nomes&) = delete;
    ~Nomes() { free_config_entries(&nomes); }
    int secoes() { return list_config_sections(&nomes); }
    int entradas(const char* secao) { return list_config_entries(secao, &nomes); }
    const char* operator[](int i) const { return nomes[i]; }

private:
    const char** nomes = nullptr;
};

// Allegro's configuration while the file is read: the one the game set up
// (the sound's) comes back afterwards.
class EstadoEmprestado {
public:
    explicit EstadoEmprestado(const std::string& texto) {
        push_config_state();
        // From memory: Allegro keeps no file name, so it cannot write one back.
        set_config_data(texto.data(), static_cast<int>(texto.size()));
    }
    ~EstadoEmprestado() { pop_config_state(); }
    EstadoEmprestado(const EstadoEmprestado&) = delete;
    EstadoEmprestado& operator=(const EstadoEmprestado&) = delete;
};

// One player's control of one kind: its usual value, the one it has now,
// and the line of the file that asked for it (0 for the usual one).
struct Pedido {
    int valor = NENHUM;
    int padrao = NENHUM;
    int linha = 0;
};

// A gamepad button as one number, so a clash is an equality.
int codigoBotao(int pad, int botao) { return pad == NENHUM ? NENHUM : pad * MAX_BOTOES + botao; }

std::string nomeDaTecla(int codigo) {
    for (const NomeTecla& t : TECLAS)
        if (t.codigo == codigo) return t.nome;
    return "none";
}

std::string nomeDoBotao(int codigo) {
    if (codigo == NENHUM) return "no gamepad";
    return "pad " + std::to_string(codigo / MAX_BOTOES + 1) + " button " + std::to_string(codigo % MAX_BOTOES + 1);
}

class Leitor {
public:
    Leitor(const std::string& caminho, const std::string& texto) : caminho(caminho), texto(texto) {
        for (int j = 0; j < JOGADORES; ++j) {
            const Comando& c = leitura.controles[static_cast<std::size_t>(j)];
            teclas[j].valor = teclas[j].padrao = c.tecla;
            botoes[j].valor = botoes[j].padrao = codigoBotao(c.pad, c.botao);
        }
    }

    Leitura ler() {
        {
            EstadoEmprestado estado(texto);
            lerSecoes();
        }
        separarRepetidos(teclas, "key", nomeDaTecla);
        separarRepetidos(botoes, "gamepad button", nomeDoBotao);
        for (int j = 0; j < JOGADORES; ++j) {
            Comando& c = leitura.controles[static_cast<std::size_t>(j)];
            c.tecla = teclas[j].valor;
            c.pad = botoes[j].valor == NENHUM ? NENHUM : botoes[j].valor / MAX_BOTOES;
            c.botao = botoes[j].valor == NENHUM ? 0 : botoes[j].valor % MAX_BOTOES;
        }
        // In the file's order, as its reader goes through it.
        std::stable_sort(avisos.begin(), avisos.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (auto& aviso : avisos) leitura.avisos.push_back(std::move(aviso.second));
        return leitura;
    }

private:
    void avisar(int linha, const std::string& oQue) {
        avisos.emplace_back(linha, "avesso: " + caminho + (linha > 0 ? ":" + std::to_string(linha) : "") + ": " + oQue);
    }

    void lerSecoes() {
        Nomes raiz;
        for (int i = 0, n = raiz.entradas(nullptr); i < n; ++i)
            avisar(linhaDe(texto, "", raiz[i]),
                   "'" + citado(raiz[i]) + "' stands outside the [player1] to [player6], [window] and [sound] " +
                       "sections; ignored");
        Nomes secoes;
        bool lido[JOGADORES] = {};
        bool janelaLida = false, somLido = false;
        for (int s = 0, n = secoes.secoes(); s < n; ++s) {
            std::string_view listada = secoes[s];
            if (listada.size() < 2) continue;
            const std::string secao(listada.substr(1, listada.size() - 2));  // listed in brackets
            int jogador = 0;
            for (int j = 1; j <= JOGADORES && !jogador; ++j)
                if (iguais(secao, "player" + std::to_string(j))) jogador = j;
            if (jogador) {
                // A section written twice is one to Allegro, and is read once.
                if (!lido[jogador - 1]) {
                    avisarRepetida(secao, "", "[" + secao + "]", "its settings join the first one's");
                    lerJogador(jogador, secoes[s], secao);
                }
                lido[jogador - 1] = true;
            } else if (iguais(secao, "window")) {
                if (!janelaLida) {
                    avisarRepetida(secao, "", "[" + secao + "]", "its settings join the first one's");
                    lerJanela(secoes[s], secao);
                }
                janelaLida = true;
            } else if (iguais(secao, "sound")) {
                if (!somLido) {
                    avisarRepetida(secao, "", "[" + secao + "]", "its settings join the first one's");
                    lerSom(secoes[s], secao);
                }
                somLido = true;
            } else {
                avisar(linhaDe(texto, secao, ""), "unknown section [" + citado(secao) +
                                                      "], expected [player1] to [player6], [window] or [sound]; ignored");
            }
        }
    }

    // Each line after the first that writes `nome` of `secao` again (its
    // heading when `nome` is empty): Allegro reads only the first.
    void avisarRepetida(const std::string& secao, const std::string& nome, const std::string& oQue,
                        const std::string& efeito) {
        const std::vector<int> linhas = linhasDe(texto, secao, nome);
        for (std::size_t i = 1; i < linhas.size(); ++i)
            avisar(linhas[i], oQue + " again, first at line " + std::to_string(linhas[0]) + "; " + efeito);
    }

    void lerJogador(int jogador, const char* listada, const std::string& secao) {
        const std::string quem = "player " + std::to_string(jogador);
        Pedido& tecla = teclas[jogador - 1];
        Pedido& botao = botoes[jogador - 1];
        // Pad and button are asked for apart and clash as a pair.
        const int padPadrao = botao.padrao == NENHUM ? NENHUM : botao.padrao / MAX_BOTOES;
        const int botaoPadrao = botao.padrao == NENHUM ? 0 : botao.padrao % MAX_BOTOES;
        int pad = padPadrao, numBotao = botaoPadrao;
        bool visto[3] = {};

        Nomes entradas;
        for (int e = 0, n = entradas.entradas(listada); e < n; ++e) {
            const std::string nome = entradas[e];
            const int linha = linhaDe(texto, secao, nome);
            const int qual = iguais(nome, "key") ? 0 : iguais(nome, "pad") ? 1 : iguais(nome, "button") ? 2 : -1;
            if (qual < 0) {
                avisar(linha, "unknown setting '" + citado(nome) + "' for " + quem +
                                  ", expected key, pad or button; ignored");
                continue;
            }
            if (visto[qual]) continue;  // Allegro reads the first one
            visto[qual] = true;
            avisarRepetida(secao, nome, nome + " for " + quem, "the first is kept");
            // Allegro keeps a comment after the value as part of it.
            std::string_view valor = get_config_string(secao.c_str(), nome.c_str(), "");
            const std::string escrito(aparado(valor.substr(0, valor.find('#'))));

            if (escrito.empty()) {
                avisar(linha, nome + " for " + quem + " has no value; " + quem + " keeps " +
                                  (qual == 0 ? nomeDaTecla(tecla.padrao) : "its " + nome));
                continue;
            }
            if (qual == 0) {
                const std::string mantem = "; " + quem + " keeps " + nomeDaTecla(tecla.padrao);
                const NomeTecla* achada = procurar(TECLAS, escrito);
                // The game's own keys first: some of them have names a player's key could have.
                if (const TeclaDoJogo* doJogo = procurar(DO_JOGO, escrito)) {
                    avisar(linha, escrito + " " + doJogo->papel + " and cannot be " + quem + "'s key" + mantem);
                } else if (iguais(escrito, "none") || achada) {
                    tecla.valor = achada ? achada->codigo : NENHUM;
                    tecla.linha = linha;
                } else {
                    avisar(linha, "unknown key name '" + citado(escrito) + "' for " + quem + mantem);
                }
                continue;
            }

            const bool ePad = qual == 1;
            const int maximo = ePad ? MAX_PADS : MAX_BOTOES;
            const std::string mantem = "; " + quem + " keeps " + nome + " " +
                                       (ePad ? (padPadrao == NENHUM ? "none" : std::to_string(padPadrao + 1))
                                             : std::to_string(botaoPadrao + 1));
            long long numero = 0;
            const char* fim = escrito.data() + escrito.size();
            const auto [parou, erro] = std::from_chars(escrito.data(), fim, numero);
            if (ePad && iguais(escrito, "none")) {
                pad = NENHUM;
            } else if (erro == std::errc::invalid_argument || parou != fim) {
                avisar(linha, nome + " '" + citado(escrito) + "' for " + quem + " is not a number" + mantem);
                continue;
            } else if (erro != std::errc() || numero < 1 || numero > maximo) {
                avisar(linha, nome + " " + citado(escrito) + " for " + quem + " is out of range 1 to " +
                                  std::to_string(maximo) + mantem);
                continue;
            } else {
                (ePad ? pad : numBotao) = static_cast<int>(numero) - 1;
            }
            if (!botao.linha) botao.linha = linha;
        }
        botao.valor = codigoBotao(pad, numBotao);
    }

    // [window]: `scale` is kept as written (the desktop's size decides
    // whether it can be used); `fullscreen` is yes or no.
    void lerJanela(const char* listada, const std::string& secao) {
        Nomes entradas;
        bool visto[2] = {};
        for (int e = 0, n = entradas.entradas(listada); e < n; ++e) {
            const std::string nome = entradas[e];
            const int linha = linhaDe(texto, secao, nome);
            const int qual = iguais(nome, "scale") ? 0 : iguais(nome, "fullscreen") ? 1 : -1;
            if (qual < 0) {
                avisar(linha,
                       "unknown setting '" + citado(nome) + "' in [window], expected scale or fullscreen; ignored");
                continue;
            }
            if (visto[qual]) continue;  // Allegro reads the first one
            visto[qual] = true;
            avisarRepetida(secao, nome, nome + " in [window]", "the first is kept");
            std::string_view valor = get_config_string(secao.c_str(), nome.c_str(), "");
            const std::string escrito(aparado(valor.substr(0, valor.find('#'))));
            PedidoJanela& janela = leitura.janela;
            if (qual == 0 && escrito.empty()) {
                avisar(linha, "scale has no value; the window keeps scale 1");
            } else if (qual == 0) {
                // A value too long to be a scale is kept cut: it is refused
                // as one when the window opens, and quoted in one line.
                janela.escala = citado(escrito);
                janela.linhaEscala = linha;
            } else if (iguais(escrito, "yes") || iguais(escrito, "no")) {
                janela.telaCheia = iguais(escrito, "yes");
            } else {
                avisar(linha,
                       "fullscreen '" + citado(escrito) + "' is neither yes nor no; the game starts in a window");
            }
        }
    }

    // The volumes of [sound]: each a whole number from 0 to 100; a wrong one
    // leaves its volume as usual.
    void lerSom(const char* listada, const std::string& secao) {
        bool visto[2] = {};
        Nomes entradas;
        for (int e = 0, n = entradas.entradas(listada); e < n; ++e) {
            const std::string nome = entradas[e];
            const int linha = linhaDe(texto, secao, nome);
            const int qual = iguais(nome, "music") ? 0 : iguais(nome, "effects") ? 1 : -1;
            if (qual < 0) {
                avisar(linha, "unknown setting '" + citado(nome) + "' in [sound], expected music or effects; ignored");
                continue;
            }
            if (visto[qual]) continue;  // Allegro reads the first one
            visto[qual] = true;
            avisarRepetida(secao, nome, nome + " in [sound]", "the first is kept");
            int& volume = qual == 0 ? leitura.volumes.musica : leitura.volumes.efeitos;
            const std::string mantem =
                "; the volume stays at " + std::to_string(qual == 0 ? sons::MUSICA_PADRAO : sons::EFEITOS_PADRAO);
            std::string_view valor = get_config_string(secao.c_str(), nome.c_str(), "");
            const std::string escrito(aparado(valor.substr(0, valor.find('#'))));
            long long numero = 0;
            const char* fim = escrito.data() + escrito.size();
            const auto [parou, erro] = std::from_chars(escrito.data(), fim, numero);
            if (escrito.empty())
                avisar(linha, nome + " in [sound] has no value" + mantem);
            else if (erro == std::errc::invalid_argument || parou != fim)
                avisar(linha, nome + " '" + citado(escrito) + "' is not a whole number" + mantem);
            else if (erro != std::errc() || numero < 0 || numero > 100)
                avisar(linha, nome + " " + citado(escrito) + " is out of range 0 to 100" + mantem);
            else
                volume = static_cast<int>(numero);
        }
    }

    // Two players on one key (or one button): whoever has it from the file
    // goes back to its usual one, and between two entries the later player
    // does. Each round takes an entry back, so it ends; the usual controls
    // never clash among themselves.
    void separarRepetidos(Pedido (&pedidos)[JOGADORES], const char* tipo, std::string (*nome)(int)) {
        for (bool mudou = true; mudou;) {
            mudou = false;
            for (int j = 0; j < JOGADORES && !mudou; ++j) {
                Pedido& p = pedidos[j];
                if (p.valor == NENHUM || p.linha == 0) continue;
                for (int k = 0; k < JOGADORES && !mudou; ++k) {
                    const Pedido& q = pedidos[k];
                    if (k == j || q.valor != p.valor || (q.linha != 0 && k > j)) continue;
                    avisar(p.linha, std::string(tipo) + " " + nome(p.valor) + " for player " + std::to_string(j + 1) +
                                        " is player " + std::to_string(k + 1) + "'s too; player " +
                                        std::to_string(j + 1) + " keeps " + nome(p.padrao));
                    p.valor = p.padrao;
                    p.linha = 0;
                    mudou = true;
                }
            }
        }
    }

    const std::string& caminho;
    const std::string& texto;
    Leitura leitura;
    std::vector<std::pair<int, std::string>> avisos;  // by line
    Pedido teclas[JOGADORES];
    Pedido botoes[JOGADORES];
};

}  // namespace

Controles padrao() {
    Controles c;
    for (int j = 0; j < JOGADORES; ++j) {
        Comando& comando = c[static_cast<std::size_t>(j)];
        if (j < teclasJogadores::COM_TECLA)
            comando.tecla = procurar(TECLAS, teclasJogadores::PADRAO[j].arquivo)->codigo;
        comando.pad = j;
        comando.botao = 0;
    }
    return c;
}

std::string caminhoPadrao() {
    // A relative XDG_CONFIG_HOME is to be ignored, as an unset one.
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') return std::string(xdg) + "/avesso/avesso.cfg";
    const char* casa = std::getenv("HOME");
    if (casa && casa[0] != '\0') return std::string(casa) + "/.config/avesso/avesso.cfg";
    return {};
}

Leitura ler(const std::string& caminho) {
    Leitura leitura;
    if (caminho.empty()) return leitura;
    auto recusar = [&](int linha, const std::string& porque) {
        leitura.avisos.push_back("avesso: " + caminho + (linha > 0 ? ":" + std::to_string(linha) : "") + ": " +
                                 porque + "; every player keeps the usual controls");
        return leitura;
    };
    auto erroDoSistema = [](int codigo) { return std::error_code(codigo, std::generic_category()).message(); };

    // Without blocking: a named pipe or a device at the path would hold
    // the game before its first screen. Only a regular file is read.
    const int fd = open(caminho.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return leitura;  // no file: nothing to say
        return recusar(0, "cannot be read (" + erroDoSistema(errno) + ")");
    }
    const Descritor arquivo(fd);
    struct stat info;
    if (fstat(fd, &info) != 0) return recusar(0, "cannot be read (" + erroDoSistema(errno) + ")");
    if (S_ISDIR(info.st_mode)) return recusar(0, "is a folder, not a file");
    if (!S_ISREG(info.st_mode)) return recusar(0, "is not a regular file");

    std::string texto;
    char bloco[4096];
    while (texto.size() <= TAMANHO_MAXIMO) {
        const ssize_t n = read(fd, bloco, sizeof bloco);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return recusar(0, "cannot be read (" + erroDoSistema(errno) + ")");
        if (n == 0) break;
        texto.append(bloco, static_cast<std::size_t>(n));
    }
    if (texto.size() > TAMANHO_MAXIMO) return recusar(0, "too large for a configuration file");
    // Some editors start a UTF-8 file with a byte order mark.
    if (texto.rfind("\xEF\xBB\xBF", 0) == 0) texto.erase(0, 3);
    std::string porque;
    if (const int linha = linhaNaoTexto(texto, porque)) return recusar(linha, "not a text file (" + porque + ")");
    return Leitor(caminho, texto).ler();
}

const char* nomeCurto(int tecla) {
    for (const NomeTecla& t : TECLAS)
        if (t.codigo == tecla) return t.curto;
    return nullptr;
}

}  // namespace configuracao
