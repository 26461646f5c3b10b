#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes 16-bit mono PCM as a RIFF WAVE file.
bool salvarWav(const std::string& caminho, const std::vector<int16_t>& amostras, int frequencia);
