// Creation of components by class name ("Library.Class"), as the program creates the
// setup service and the setup service creates the data service.
#pragma once

#include <string>

#include "ComPtr.h"

namespace gr {

// Every component library exports this factory. It stores a new object's first
// reference in *out and returns true, or returns false for a class it does not know.
extern "C" using GRCreateObjectFn = bool(const char* className, IUnknown** out);
inline constexpr const char* kFactorySymbol = "GRCreateObject";

// Loads lib<Library>.so from the folder that holds the component libraries and asks
// its factory for the class. On failure returns an empty pointer and explains why in
// errorMessage; it never throws.
ComPtr<IUnknown> CreateObject(const std::string& className, std::string& errorMessage);

template <class T>
ComPtr<T> CreateObjectAs(const std::string& className, std::string& errorMessage) {
    ComPtr<IUnknown> obj = CreateObject(className, errorMessage);
    if (!obj) return {};
    ComPtr<T> typed = obj.template As<T>();
    if (!typed) errorMessage = "Class " + className + " does not support the requested interface.";
    return typed;
}

// The folder of the loaded component libraries (that of GRIData itself).
std::string ComponentFolder();

}  // namespace gr
