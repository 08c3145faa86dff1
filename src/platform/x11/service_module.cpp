#include "platform/x11/service_module.h"

#include <dlfcn.h>
#include <unistd.h>

#include <QLoggingCategory>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <system_error>

namespace orv::x11 {

namespace {

Q_LOGGING_CATEGORY(lcModule, "orvanta.module")

std::filesystem::path programFolder() {
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
}

void* openModule(const std::string& module) {
    const std::string file = module + ".so";
    std::string errors;
    for (const std::filesystem::path& folder :
         {programFolder() / ".." / "lib" / "orvanta", std::filesystem::path(ORV_MODULE_DIR)}) {
        const std::filesystem::path path = folder / file;
        if (::access(path.c_str(), R_OK) != 0) continue;
        if (void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) return handle;
        errors += ::dlerror();
        errors += "; ";
    }
    qCWarning(lcModule, "module %s cannot be opened: %s", module.c_str(),
              errors.empty() ? "not found" : errors.c_str());
    return nullptr;
}

}  // namespace

void* moduleFunction(const char* module, const char* function) {
    static std::mutex mutex;
    static std::map<std::string, void*> handles;  // opened (or found missing) once
    std::lock_guard lock(mutex);
    auto it = handles.find(module);
    if (it == handles.end()) it = handles.emplace(module, openModule(module)).first;
    if (it->second == nullptr) return nullptr;
    void* symbol = ::dlsym(it->second, function);
    if (symbol == nullptr) qCWarning(lcModule, "module %s lacks %s", module, function);
    return symbol;
}

}  // namespace orv::x11
