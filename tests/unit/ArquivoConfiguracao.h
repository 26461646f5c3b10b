#pragma once

#include "AllegroSemTela.h"
#include "PastaTemporaria.h"

#include "classesControle/Configuracao.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

// A configuration file in a fresh temporary folder, read by the game's own
// reader as the game reads it.
class ArquivoConfiguracao : public ::testing::Test {
protected:
    void SetUp() override { semTela::iniciar(); }

    configuracao::Leitura ler(const std::string& texto) {
        std::ofstream(caminho, std::ios::binary) << texto;
        return configuracao::ler(caminho);
    }

    PastaTemporaria temporaria{"avesso-configuracao"};
    const std::filesystem::path& pasta = temporaria.caminho();
    const std::string caminho = (pasta / "avesso.cfg").string();
};
