#include "kxUtils.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

// Stored sources are the plain bytes XORed with a key stream: the top byte of
// each successive state of a 64-bit linear congruential generator (Knuth's
// MMIX constants) started from a fixed key. It keeps the texts out of plain
// sight in the binaries; it is no protection against a determined reader.
// Applying it twice gives the input back, so one routine serves both ways.
std::string applyKeyStream(const std::string& text) {
    std::uint64_t state = 0x6b78556265724361ull; // the key
    std::string result(text);
    for (char& byte : result) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        byte = static_cast<char>(static_cast<unsigned char>(byte) ^
                                 static_cast<unsigned char>(state >> 56));
    }
    return result;
}

bool isFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// `name` in `folder`, else in one of its direct subfolders (by name order, so
// the answer does not depend on the file system's listing order).
std::string findIn(const std::filesystem::path& folder, const std::string& name) {
    if (isFile(folder / name))
        return (folder / name).string();
    std::error_code error;
    std::vector<std::filesystem::path> subfolders;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_directory(error))
            subfolders.push_back(it->path());
    }
    std::sort(subfolders.begin(), subfolders.end());
    for (const std::filesystem::path& subfolder : subfolders) {
        if (isFile(subfolder / name))
            return (subfolder / name).string();
    }
    return std::string();
}

} // namespace

std::string kxUtils::decryptShader(const std::string& stored, bool /*strict*/) {
    return applyKeyStream(stored);
}

std::string kxUtils::encipherShader(const std::string& plain) {
    return applyKeyStream(plain);
}

std::string kxUtils::findDataFile(const std::string& name) {
    // Only bare names: a path would escape the data folders.
    if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..")
        return std::string();
    std::vector<std::string> folders;
    if (const char* list = std::getenv("KX_DATA_PATH")) {
        std::string text(list);
        for (std::size_t start = 0; start <= text.size();) {
            std::size_t end = text.find(':', start);
            if (end == std::string::npos)
                end = text.size();
            if (end > start)
                folders.push_back(text.substr(start, end - start));
            start = end + 1;
        }
    }
    folders.push_back(UBERCAM_DATA_DIR);
    for (const std::string& folder : folders) {
        std::string path = findIn(folder, name);
        if (!path.empty())
            return path;
    }
    return std::string();
}
