#include "sistema/Escala.h"

#include "dados/Medidas.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace escala {
namespace {

constexpr int W = medidas::LARGURA_TELA;
constexpr int H = medidas::ALTURA_TELA;

std::string tamanho(long long largura, long long altura) {
    return std::to_string(largura) + " x " + std::to_string(altura);
}

bool isAuto(const std::string& texto) {
    const char* a = "auto";
    if (texto.size() != 4) return false;
    for (int i = 0; i < 4; ++i)
        if (std::tolower(static_cast<unsigned char>(texto[static_cast<std::size_t>(i)])) != a[i]) return false;
    return true;
}

}  // namespace

int maiorQueCabe(int largura, int altura) { return std::clamp(std::min(largura / W, altura / H), 1, MAXIMA); }

Escolha escolher(const std::string& pedido, const std::string& onde, int largura, int altura) {
    Escolha e;
    const bool conhecido = largura > 0 && altura > 0;
    auto avisar = [&](const std::string& porque, int fator, const char* qual = "") {
        e.fator = fator;
        e.aviso = "avesso: " + onde + ": " + porque + "; using " + std::to_string(fator) + qual;
        return e;
    };
    if (pedido.empty()) return e;
    if (isAuto(pedido)) {
        if (!conhecido) return avisar("scale auto needs the desktop's size, which is unknown", 1);
        e.fator = maiorQueCabe(largura - MARGEM_LARGURA, altura - MARGEM_ALTURA);
        return e;
    }
    long long n = 0;
    const char* fim = pedido.data() + pedido.size();
    const auto [parou, erro] = std::from_chars(pedido.data(), fim, n);
    if (erro == std::errc::invalid_argument || parou != fim)
        return avisar("scale '" + pedido + "' is neither a whole number nor auto", 1);
    if (erro == std::errc() ? n < 1 : pedido[0] == '-') return avisar("scale " + pedido + " is below 1", 1);
    // Past the largest factor, or a number too long to read: too large anyway.
    const bool enorme = erro != std::errc() || n > MAXIMA;
    if (conhecido && (enorme || W * n > largura || H * n > altura))
        return avisar("scale " + pedido + " makes a " + (enorme ? "" : tamanho(W * n, H * n) + " ") +
                          "window, larger than the " + tamanho(largura, altura) + " desktop",
                      maiorQueCabe(largura, altura), ", the largest that fits");
    if (enorme) return avisar("scale " + pedido + " is above " + std::to_string(MAXIMA), MAXIMA);
    e.fator = static_cast<int>(n);
    return e;
}

}  // namespace escala
