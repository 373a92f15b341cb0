#pragma once

#include <dlfcn.h>

#include <initializer_list>

// Keeps Mesa's OpenGL libraries mapped after SDL unloads them: otherwise the memory they still
// hold at exit is reported as leaked from an unknown module. Call before SDL first loads them.
inline void KeepMesaLoaded()
{
    for (const char* lib : {"libGL.so.1", "libGLX_mesa.so.0", "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so"})
        dlopen(lib, RTLD_LAZY | RTLD_NODELETE);
}
