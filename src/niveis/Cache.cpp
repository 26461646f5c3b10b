#include "niveis/Cache.h"

#include <algorithm>
#include <chrono>
#include <system_error>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

void Cache::podar(const fs::path& pasta, const std::string& sufixo, std::size_t maximo,
                  const std::function<void(const std::string& radical)>& remover) {
    std::error_code erro;
    std::vector<std::pair<fs::file_time_type, std::string>> guardados;
    const auto agora = fs::file_time_type::clock::now();
    for (const fs::directory_entry& e : fs::directory_iterator(pasta, erro)) {
        const std::string nome = e.path().filename().string();
        const fs::file_time_type quando = e.last_write_time(erro);
        if (erro) continue;
        if (e.path().extension() == ".tmp") {
            if (agora - quando > std::chrono::minutes(10)) fs::remove(e.path(), erro);
        } else if (nome.size() > sufixo.size() && nome.compare(nome.size() - sufixo.size(), sufixo.size(), sufixo) == 0) {
            guardados.push_back({quando, nome.substr(0, nome.size() - sufixo.size())});
        }
    }
    if (guardados.size() <= maximo) return;
    std::sort(guardados.begin(), guardados.end());
    for (std::size_t i = 0; i + maximo < guardados.size(); ++i) remover(guardados[i].second);
}
