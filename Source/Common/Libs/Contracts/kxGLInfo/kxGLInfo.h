#ifndef KX_GL_INFO_H
#define KX_GL_INFO_H

/// What the host knows about the graphics context of the calling thread.
class kxGLInfo {
public:
    kxGLInfo() = delete;

    /// True when no OpenGL context is current on this thread.
    static bool getNoOpenGL();
};

#endif
