#pragma once

#include <string>

namespace orv {

// Opening documents, addresses and programs with the desktop's default handlers.
class IShell {
public:
    virtual ~IShell() = default;
    // Opens `target` with `verb` ("" for the default action, "open", "explore"), passing
    // `parameters` and starting in `directory` ("" for the current one). Returns the result
    // number of the Windows build: above 32 on success, otherwise the error (2 file not
    // found, 3 path not found, 5 access denied, 11 invalid executable, 31 no association).
    virtual int shellOpen(const std::string& verb, const std::string& target, const std::string& parameters,
                          const std::string& directory) = 0;
};

}  // namespace orv
