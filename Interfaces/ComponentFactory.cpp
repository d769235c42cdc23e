#include "ComponentFactory.h"

#include <dlfcn.h>

#include <cctype>
#include <filesystem>
#include <map>
#include <mutex>

namespace gr {

namespace {

std::string FolderOf(const void* address) {
    Dl_info info{};
    if (dladdr(address, &info) == 0 || info.dli_fname == nullptr) return {};
    std::error_code ec;
    auto path = std::filesystem::canonical(info.dli_fname, ec);
    if (ec) path = std::filesystem::absolute(info.dli_fname, ec);
    return path.parent_path().string();
}

// Libraries stay loaded for the life of the process: their objects may outlive any caller.
void* LoadLibrary(const std::string& path, std::string& errorMessage) {
    static std::mutex lock;
    static std::map<std::string, void*> loaded;
    std::lock_guard guard(lock);
    if (auto it = loaded.find(path); it != loaded.end()) return it->second;
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        errorMessage =
            "Cannot load component library " + path + (why ? std::string(": ") + why : "");
        return nullptr;
    }
    loaded.emplace(path, handle);
    return handle;
}

}  // namespace

std::string ComponentFolder() {
    return FolderOf(reinterpret_cast<const void*>(&ComponentFolder));
}

ComPtr<IUnknown> CreateObject(const std::string& className, std::string& errorMessage) {
    const auto dot = className.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == className.size()) {
        errorMessage = "Invalid class name: \"" + className + "\".";
        return {};
    }
    const std::string library = className.substr(0, dot);
    // Only plain identifiers name a library: nothing may steer the loader to another folder.
    for (char c : library) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') {
            errorMessage = "Invalid class name: \"" + className + "\".";
            return {};
        }
    }
    const std::string path = ComponentFolder() + "/lib" + library + ".so";
    if (!std::filesystem::exists(path)) {
        errorMessage = "Component library " + path + " is missing.";
        return {};
    }
    void* handle = LoadLibrary(path, errorMessage);
    if (!handle) return {};
    auto* factory = reinterpret_cast<GRCreateObjectFn*>(dlsym(handle, kFactorySymbol));
    if (!factory) {
        errorMessage = "Component library " + path + " has no class factory.";
        return {};
    }
    IUnknown* raw = nullptr;
    if (!factory(className.c_str(), &raw) || raw == nullptr) {
        errorMessage = "Class " + className + " is not registered.";
        return {};
    }
    return ComPtr<IUnknown>::Adopt(raw);
}

}  // namespace gr
