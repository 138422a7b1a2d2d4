#include "kxHeadlessContext.h"

// epoxy first: it declares the Khronos types itself and knows when the EGL
// headers' khrplatform.h comes after it, not before.
#include <epoxy/gl.h>

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstdio>
#include <cstring>

namespace {

bool hasExtension(const char* list, const char* name) {
    if (list == nullptr)
        return false;
    const std::size_t length = std::strlen(name);
    for (const char* at = std::strstr(list, name); at != nullptr; at = std::strstr(at + 1, name)) {
        const bool starts = at == list || at[-1] == ' ';
        const bool ends = at[length] == '\0' || at[length] == ' ';
        if (starts && ends)
            return true;
    }
    return false;
}

void fail(std::string* error, const char* reason) {
    if (error == nullptr)
        return;
    char code[32];
    std::snprintf(code, sizeof(code), " (EGL error 0x%04x)", static_cast<unsigned>(eglGetError()));
    *error = std::string(reason) + code;
}

} // namespace

std::unique_ptr<kxHeadlessContext> kxHeadlessContext::create(std::string* error) {
    // Client extensions are listed for EGL_NO_DISPLAY.
    const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (!hasExtension(clientExtensions, "EGL_MESA_platform_surfaceless")) {
        fail(error, "EGL has no surfaceless platform (EGL_MESA_platform_surfaceless)");
        return nullptr;
    }
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay == nullptr) {
        fail(error, "eglGetPlatformDisplayEXT is missing");
        return nullptr;
    }
    // The same display comes back on every call; it is initialised once and
    // never terminated (see the class comment).
    EGLDisplay display =
        getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    EGLint major = 0;
    EGLint minor = 0;
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, &major, &minor)) {
        fail(error, "cannot initialise the surfaceless EGL display");
        return nullptr;
    }
    const char* extensions = eglQueryString(display, EGL_EXTENSIONS);
    if (!hasExtension(extensions, "EGL_KHR_no_config_context") ||
        !hasExtension(extensions, "EGL_KHR_surfaceless_context")) {
        fail(error, "EGL display lacks EGL_KHR_no_config_context or EGL_KHR_surfaceless_context");
        return nullptr;
    }
    if (!eglBindAPI(EGL_OPENGL_API)) {
        fail(error, "EGL cannot bind the desktop OpenGL API");
        return nullptr;
    }
    const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION,
                                 3,
                                 EGL_CONTEXT_MINOR_VERSION,
                                 3,
                                 EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                 EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT,
                                 EGL_NONE};
    EGLContext context = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    if (context == EGL_NO_CONTEXT) {
        fail(error, "cannot create an OpenGL 3.3 core context");
        return nullptr;
    }
    std::unique_ptr<kxHeadlessContext> result(new kxHeadlessContext);
    result->_display = display;
    result->_context = context;
    if (!result->makeCurrent()) {
        fail(error, "cannot make the context current");
        return nullptr;
    }
    return result;
}

kxHeadlessContext::~kxHeadlessContext() {
    if (_context == nullptr)
        return;
    if (eglGetCurrentContext() == _context)
        eglMakeCurrent(_display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(_display, _context);
}

bool kxHeadlessContext::makeCurrent() {
    return eglMakeCurrent(_display, EGL_NO_SURFACE, EGL_NO_SURFACE, _context) == EGL_TRUE;
}

void kxHeadlessContext::releaseCurrent() {
    EGLDisplay display = eglGetCurrentDisplay();
    if (display != EGL_NO_DISPLAY)
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
}

std::string kxHeadlessContext::describe() const {
    if (_context == nullptr || eglGetCurrentContext() != _context)
        return std::string();
    const auto text = [](GLenum name) {
        const GLubyte* value = glGetString(name);
        return value ? std::string(reinterpret_cast<const char*>(value)) : std::string("?");
    };
    return "OpenGL " + text(GL_VERSION) + ", " + text(GL_RENDERER);
}
