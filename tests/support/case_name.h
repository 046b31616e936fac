#pragma once

#include <algorithm>
#include <cctype>
#include <string>

namespace tessarion::testing {

/// A table row's name as GoogleTest accepts it in a test name: letters and digits only.
inline std::string caseName(std::string name)
{
    std::replace_if(
        name.begin(), name.end(),
        [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

} // namespace tessarion::testing
