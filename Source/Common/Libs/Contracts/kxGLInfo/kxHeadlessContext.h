#ifndef KX_HEADLESS_CONTEXT_H
#define KX_HEADLESS_CONTEXT_H

#include <memory>
#include <string>

/// An OpenGL 3.3 (or newer) core context without window or display: EGL on
/// Mesa's surfaceless platform (llvmpipe when there is no GPU). Draw into
/// framebuffer objects. The EGL display is not terminated at the end (the
/// driver keeps a few bytes it would otherwise report as leaked).
class kxHeadlessContext {
public:
    /// A new context, current on this thread; null with a reason in `error`.
    static std::unique_ptr<kxHeadlessContext> create(std::string* error);
    /// Releases the context (and makes none current if it was).
    ~kxHeadlessContext();

    kxHeadlessContext(const kxHeadlessContext&) = delete;
    kxHeadlessContext& operator=(const kxHeadlessContext&) = delete;

    bool makeCurrent();
    /// Makes no context current on this thread.
    static void releaseCurrent();
    /// "OpenGL 4.5 (Core Profile) Mesa ..., llvmpipe ..." : version and renderer.
    std::string describe() const;

private:
    kxHeadlessContext() = default;
    void* _display = nullptr;
    void* _context = nullptr;
};

#endif
