#pragma once

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

// A fresh folder under the system's temporary one, named `prefixo` and a
// random tail, removed with all it holds when this goes.
class PastaTemporaria {
public:
    explicit PastaTemporaria(const std::string& prefixo) {
        std::string modelo = (std::filesystem::temp_directory_path() / (prefixo + "-XXXXXX")).string();
        if (!mkdtemp(modelo.data())) throw std::runtime_error("mkdtemp failed for " + modelo);
        caminho_ = modelo;
    }
    ~PastaTemporaria() {
        std::error_code erro;
        std::filesystem::remove_all(caminho_, erro);
    }
    PastaTemporaria(const PastaTemporaria&) = delete;
    PastaTemporaria& operator=(const PastaTemporaria&) = delete;

    const std::filesystem::path& caminho() const { return caminho_; }

private:
    std::filesystem::path caminho_;
};
