#include "kxGLInfo.h"

#include <EGL/egl.h>

// Every context the application makes is an EGL context, so EGL's answer is
// the whole truth; it needs no initialised display.
bool kxGLInfo::getNoOpenGL() {
    return eglGetCurrentContext() == EGL_NO_CONTEXT;
}
