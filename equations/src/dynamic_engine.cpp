#include "gravlin/equations/dynamic_engine.h"

#include <cstdlib>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace gravlin {

namespace {
void* openLibrary(const std::string& path) {
#ifdef _WIN32
    return reinterpret_cast<void*>(LoadLibraryA(path.c_str()));
#else
    return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
#endif
}

void closeLibrary(void* handle) {
#ifdef _WIN32
    FreeLibrary(reinterpret_cast<HMODULE>(handle));
#else
    dlclose(handle);
#endif
}

void* symbol(void* handle, const char* name) {
#ifdef _WIN32
    return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(handle), name));
#else
    return dlsym(handle, name);
#endif
}

template <typename F>
bool bind(void* handle, const char* name, F& target) {
    void* p = symbol(handle, name);
    target = reinterpret_cast<F>(p);
    return p != nullptr;
}

bool isAbsolute(const std::string& path) {
#ifdef _WIN32
    return path.size() > 2 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
#else
    return !path.empty() && path.front() == '/';
#endif
}
}  // namespace

const char* DynamicEngine::libraryName() {
    return GRAVLIN_ENGINE_FILE_NAME;
}

DynamicEngine::DynamicEngine(std::string programFolder) : programFolder_(std::move(programFolder)) {}

DynamicEngine::~DynamicEngine() {
    if (handle_) closeLibrary(handle_);
}

bool DynamicEngine::ensureLoaded() {
    if (fn_) return true;
    if (tried_) return false;
    tried_ = true;
    const std::string name = libraryName();
    std::vector<std::string> candidates;
    // A relative folder would be looked up from the working folder, where anybody may
    // have put a library of that name.
    if (isAbsolute(programFolder_)) {
        candidates.push_back(programFolder_ + "/../lib/" + name);
#ifdef GRAVLIN_LIBDIR_FROM_BINDIR
        candidates.push_back(programFolder_ + "/../" GRAVLIN_LIBDIR_FROM_BINDIR "/" + name);
#endif
        candidates.push_back(programFolder_ + "/" + name);
    }
    // A bare name (no slash) is looked for only where the system looks for libraries.
    candidates.push_back(name);
    for (const auto& path : candidates) {
        handle_ = openLibrary(path);
        if (handle_) break;
    }
    if (!handle_) {
        error_ = "Die Rechenbibliothek \"" + name + "\" wurde nicht gefunden.";
        return false;
    }
    Functions f;
    const bool ok =
        bind(handle_, "QZNewSystem", f.newSystem) && bind(handle_, "QZInterpreter", f.interpreter) &&
        bind(handle_, "QZSolve", f.solve) && bind(handle_, "QZGetNextFree", f.nextFree) &&
        bind(handle_, "QZGetNextMine", f.nextMine) && bind(handle_, "QZtrace", f.trace) &&
        bind(handle_, "QZcalcStoch", f.calcStoch) && bind(handle_, "QZcalcStochEnd", f.calcStochEnd);
    if (!ok) {
        closeLibrary(handle_);
        handle_ = nullptr;
        error_ = "Die Rechenbibliothek \"" + name + "\" ist unvollständig oder veraltet.";
        return false;
    }
    fn_ = f;
    return true;
}

void DynamicEngine::QZNewSystem() {
    fn_->newSystem();
}
void DynamicEngine::QZInterpreter(const std::string& equation) {
    fn_->interpreter(equation.c_str());
}
void DynamicEngine::QZSolve() {
    fn_->solve();
}
std::int32_t DynamicEngine::QZGetNextFree(std::int32_t previous) {
    return fn_->nextFree(previous);
}
std::int32_t DynamicEngine::QZGetNextMine(std::int32_t previous) {
    return fn_->nextMine(previous);
}
void DynamicEngine::QZtrace(const std::string& fileName, const std::string& text) {
    fn_->trace(fileName.c_str(), text.c_str());
}
std::string DynamicEngine::QZcalcStoch(const std::string& system) {
    char* text = fn_->calcStoch(system.c_str());
    if (!text) return {};
    std::string result(text);
    std::free(text);
    return result;
}
void DynamicEngine::QZcalcStochEnd() {
    fn_->calcStochEnd();
}

}  // namespace gravlin
