#pragma once

#include "niveis/Quadro.h"

#include <string>

// Writes `q` as a PNG file (8-bit RGBA, the mask colour fully transparent),
// the format desktop icon themes read. The image data is stored without
// compression, so no library is needed: an icon is a few kilobytes anyway.
// False when the file cannot be written.
bool salvarPng(const Quadro& q, const std::string& caminho);
