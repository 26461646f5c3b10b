#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace recursos {

// A C file, open for as long as its holder lives.
struct FecharArquivo {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using Arquivo = std::unique_ptr<std::FILE, FecharArquivo>;

inline Arquivo abrir(const std::string& caminho, const char* modo) {
    return Arquivo(std::fopen(caminho.c_str(), modo));
}

}  // namespace recursos
