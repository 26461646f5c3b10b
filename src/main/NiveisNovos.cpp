#include "main/NiveisNovos.h"

#include "niveis/Cache.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>
#include <thread>
#include <utility>

namespace fs = std::filesystem;

namespace {

const char* const PASTA = "novos";
constexpr std::size_t MAX_GUARDADOS = 30;  // level files the cache keeps

// What the cache knows a maker by: its size and when it was built. Another
// avesso-levels may make another level from the same seed.
std::string marca(const fs::path& comando) {
    struct stat info {};
    if (stat(comando.c_str(), &info) != 0) return "0";
    char texto[48];
    std::snprintf(texto, sizeof texto, "%llx-%llx", static_cast<unsigned long long>(info.st_size),
                  static_cast<unsigned long long>(info.st_mtime));
    return texto;
}

void parar(pid_t processo) {
    kill(processo, SIGKILL);
    while (waitpid(processo, nullptr, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace

NiveisNovos::NiveisNovos(uint64_t semente, const fs::path& cache, const fs::path& comando) : comando(comando) {
    std::error_code erro;
    fs::path pasta = cache.empty() ? fs::path() : cache / PASTA;
    if (!pasta.empty() && (fs::create_directories(pasta, erro), !erro) && access(pasta.c_str(), W_OK) == 0) {
        // The MAX_GUARDADOS level files last used stay.
        Cache::podar(pasta, ".txt", MAX_GUARDADOS, [&pasta](const std::string& arquivo) {
            std::error_code falha;
            fs::remove(pasta / (arquivo + ".txt"), falha);
        });
    } else {
        // No cache to keep them in: a folder of their own for this game.
        std::string modelo = (fs::temp_directory_path(erro) / "avesso-novos-XXXXXX").string();
        if (erro || !mkdtemp(modelo.data())) {
            erros.push_back("cannot make a folder for the fresh levels: " + std::string(std::strerror(errno)));
            return;
        }
        pasta = temporaria = modelo;
    }
    if (access(comando.c_str(), X_OK) != 0) {
        erros.push_back("cannot run " + comando.string() + " to make the fresh levels: " + std::strerror(errno));
        return;
    }
    const std::string m = marca(comando);
    maximo = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, static_cast<unsigned>(QUANTOS)));
    for (int i = 0; i < QUANTOS; ++i) {
        Nivel n;
        n.semente = semente + static_cast<uint64_t>(i);
        n.arquivo = pasta / (std::to_string(n.semente) + "-" + m + ".txt");
        if (fs::is_regular_file(n.arquivo, erro)) {
            // Used now: the last the cache lets go.
            utimensat(AT_FDCWD, n.arquivo.c_str(), nullptr, 0);
            n.pronto = true;
            ++guardados;
        }
        niveis.push_back(std::move(n));
    }
    isPronto();
}

NiveisNovos::~NiveisNovos() {
    for (Nivel& n : niveis)
        if (n.processo > 0) parar(n.processo);
    std::error_code erro;
    if (!temporaria.empty()) fs::remove_all(temporaria, erro);
}

void NiveisNovos::lancar(Nivel& nivel) {
    // Everything the new process uses is made before it exists: between
    // fork and exec only calls that are safe in a copy of a threaded
    // process.
    const std::string programa = comando.string(), semente = std::to_string(nivel.semente),
                      saida = nivel.arquivo.string();
    const char* argv[] = {programa.c_str(), "new", "--seed", semente.c_str(), "-o", saida.c_str(), nullptr};
    const pid_t jogo = getpid();
    const pid_t processo = fork();
    if (processo == 0) {
        // The maker dies with the game, a Ctrl-C in the terminal is the
        // game's to answer (it stops the makers), and the game's standard
        // output is the game's.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != jogo) _exit(127);
        setpgid(0, 0);
        const int nulo = open("/dev/null", O_WRONLY);
        if (nulo >= 0 && nulo != STDOUT_FILENO) {
            dup2(nulo, STDOUT_FILENO);
            close(nulo);
        }
        execv(programa.c_str(), const_cast<char* const*>(argv));
        _exit(127);
    }
    if (processo < 0) {
        erros.push_back("cannot start " + programa + ": " + std::strerror(errno));
        nivel.pronto = true;
        return;
    }
    nivel.processo = processo;
}

bool NiveisNovos::isPronto() {
    int rodando = 0;
    for (Nivel& n : niveis) {
        if (n.processo <= 0) continue;
        int estado = 0;
        const pid_t processo = n.processo;
        const pid_t r = waitpid(processo, &estado, WNOHANG);
        if (r == 0 || (r < 0 && errno == EINTR)) {
            ++rodando;
            continue;
        }
        n.processo = -1;
        n.pronto = true;
        if (r == processo) {
            if (WIFEXITED(estado) && WEXITSTATUS(estado) == 0) continue;
            const std::string como = WIFEXITED(estado) ? "ended with code " + std::to_string(WEXITSTATUS(estado))
                                                       : "was stopped by signal " + std::to_string(WTERMSIG(estado));
            erros.push_back("the fresh level of seed " + std::to_string(n.semente) + " could not be made (" +
                            comando.filename().string() + " " + como + ")");
        } else {
            erros.push_back("lost the maker of the fresh level of seed " + std::to_string(n.semente));
        }
    }
    if (!erros.empty()) {
        // One level missing: the game cannot be played; the others stop.
        for (Nivel& n : niveis) {
            if (n.processo > 0) parar(n.processo);
            n.processo = -1;
            n.pronto = true;
        }
        return true;
    }
    for (Nivel& n : niveis) {
        if (n.pronto || n.processo > 0 || rodando >= maximo) continue;
        lancar(n);
        if (n.processo > 0) ++rodando;
    }
    return std::all_of(niveis.begin(), niveis.end(), [](const Nivel& n) { return n.pronto; }) || !erros.empty();
}

std::vector<std::string> NiveisNovos::getArquivos() const {
    std::vector<std::string> arquivos;
    if (!erros.empty()) return arquivos;
    for (const Nivel& n : niveis) arquivos.push_back(n.arquivo.string());
    return arquivos;
}

fs::path NiveisNovos::comandoAoLado() {
    std::error_code erro;
    const fs::path programa = fs::read_symlink("/proc/self/exe", erro);
    return (erro ? fs::path(".") : programa.parent_path()) / "avesso-levels";
}

uint64_t NiveisNovos::sortearSemente() {
    uint64_t acaso = 0;
    try {
        std::random_device fonte;
        acaso = (static_cast<uint64_t>(fonte()) << 32) ^ fonte();
    } catch (const std::exception&) {
        acaso = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                static_cast<uint64_t>(getpid());
    }
    return acaso % 1000000;
}
