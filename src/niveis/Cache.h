#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>

// The upkeep of a cache folder of the game's: what it keeps is known by a
// suffix (STEM + suffix), and only the last written of it stays.
class Cache {
public:
    // Of the entries of `pasta` named STEM + `sufixo`, keeps the `maximo`
    // written last and hands the STEM of each older one to `remover`; files
    // a stopped writer left half written (*.tmp, untouched for ten minutes)
    // go too. A folder that cannot be read is left as it is.
    static void podar(const std::filesystem::path& pasta, const std::string& sufixo, std::size_t maximo,
                      const std::function<void(const std::string& radical)>& remover);
};
