#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

class DescricaoNivel;

// A level's two pictures painted from its text, as files the game loads
// them from: in the cache folder, where the next start finds them, or,
// when the cache cannot be written, in memory (files with no name on disk,
// held open while this lives). The cache knows a level by its text and by
// the painter's own sources, so an edited level or a changed painter is
// painted anew; it keeps the last MAX_NIVEIS levels used.
class FigurasPintadas {
public:
    static constexpr int MAX_NIVEIS = 16;

    // The pictures of `nivel`, read by ArquivoNivel from `texto`: found in
    // `cache` (empty: none), or painted now. Throws std::runtime_error when
    // they can be neither found, written nor kept in memory.
    static FigurasPintadas obter(const DescricaoNivel& nivel, const std::string& texto,
                                 const std::filesystem::path& cache);

    // $XDG_CACHE_HOME/avesso, else $HOME/.cache/avesso; empty when neither
    // names a folder.
    static std::filesystem::path pastaCache();

    // What the cache knows a level's pictures by: its text and the painter.
    static std::string chave(const std::string& texto);

    FigurasPintadas(FigurasPintadas&& outra) noexcept;
    FigurasPintadas& operator=(FigurasPintadas&& outra) noexcept;
    FigurasPintadas(const FigurasPintadas&) = delete;
    FigurasPintadas& operator=(const FigurasPintadas&) = delete;
    ~FigurasPintadas();

    const std::string& getVisual() const { return visual; }
    const std::string& getColisao() const { return colisao; }
    bool isPintadaAgora() const { return pintadaAgora; }  // not found in the cache
    bool isNaMemoria() const { return descritores[0] >= 0; }

private:
    FigurasPintadas() = default;
    void fechar();

    std::string visual;
    std::string colisao;
    int descritores[2] = {-1, -1};  // the in-memory files, when the cache could not be written
    bool pintadaAgora = false;
};
