#pragma once

#include "AllegroSemTela.h"

#include "classesControle/Configuracao.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

// A configuration file in a fresh temporary folder, read by the game's own
// reader as the game reads it.
class ArquivoConfiguracao : public ::testing::Test {
protected:
    void SetUp() override {
        semTela::iniciar();
        std::string modelo = (std::filesystem::temp_directory_path() / "avesso-configuracao-XXXXXX").string();
        ASSERT_NE(mkdtemp(modelo.data()), nullptr);
        pasta = modelo;
        caminho = (pasta / "avesso.cfg").string();
    }
    void TearDown() override { std::filesystem::remove_all(pasta); }

    configuracao::Leitura ler(const std::string& texto) {
        std::ofstream(caminho, std::ios::binary) << texto;
        return configuracao::ler(caminho);
    }

    std::filesystem::path pasta;
    std::string caminho;
};
