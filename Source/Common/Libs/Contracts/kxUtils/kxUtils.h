#ifndef KX_UTILS_H
#define KX_UTILS_H

#include <string>

/// The host's small services: its stored shader sources and its data files.
class kxUtils {
public:
    kxUtils() = delete;

    /// The plain text of a shader source stored by `encipherShader` (`strict`
    /// is accepted for the host's callers and changes nothing).
    static std::string decryptShader(const std::string& stored, bool strict);
    /// The stored form of `plain` (what the build embeds in a library).
    static std::string encipherShader(const std::string& plain);

    /// The full path of the data file known by the bare name `name` (e.g.
    /// "gamma+1.0.crv"): looked up in the folders of the environment variable
    /// KX_DATA_PATH (separated by ':'), then in the data folder the build
    /// installed; "" when it is in none.
    static std::string findDataFile(const std::string& name);
};

#endif
