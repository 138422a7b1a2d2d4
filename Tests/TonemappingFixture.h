#ifndef UBERCAM_TESTS_TONEMAPPING_FIXTURE_H
#define UBERCAM_TESTS_TONEMAPPING_FIXTURE_H

// Tonemapping state tests: on a headless context, a fresh image post-processor for
// each test, cameras (with their settings) and chunks held until the end of the test.

#include "HeadlessContextTest.h"
#include "OSGUberCamera.h"
#include "kxImagePostprocessor.h"
#include "kxTonemappingSettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ubercam::test {

/// Texture units the tests give the profile table and the blending map.
constexpr int ProfileUnit = 5;
constexpr int BlendingMapUnit = 7;

class TonemappingTest : public HeadlessContextTest {
protected:
    void SetUp() override {
        HeadlessContextTest::SetUp();
        *kxImagePostprocessor::getImagePostprocessor() = kxImagePostprocessor();
    }

    void TearDown() override {
        for (const osg::FieldContainerPtr& held : _held)
            osg::subRefCP(held);
        HeadlessContextTest::TearDown();
    }

    template <class PtrT> PtrT hold(const PtrT& ptr) {
        osg::addRefCP(ptr);
        _held.push_back(ptr);
        return ptr;
    }
    osg::UberCameraPtr makeCamera() { return hold(osg::UberCamera::create()); }
    /// A curve of 1024 entries, a different power per channel.
    osg::SensorResponseCurvePtr makeCurve() {
        std::vector<float> data(osg::SensorResponseCurve::CurveEntries * 3);
        for (std::size_t i = 0; i < data.size(); ++i)
            data[i] = std::pow(float(i / 3) / 1023.0f, 0.45f + 0.1f * float(i % 3));
        osg::SensorResponseCurvePtr curve = hold(osg::SensorResponseCurve::create());
        curve->setCurveData(data);
        return curve;
    }

    /// requiresUpdate with the flags as given; the flags as it leaves them.
    static std::pair<bool, bool> update(kxTonemappingSettings& state,
                                        const osg::UberCameraPtr& camera, bool rebuild = false,
                                        bool uniforms = false) {
        state.requiresUpdate(camera.getCPtr(), rebuild, uniforms, false);
        return {rebuild, uniforms};
    }

    /// The RGB texels of a 1D texture; none without one.
    static std::vector<float> readTexels(const kxTexture& texture) {
        if (texture.getTextureId() == 0)
            return {};
        std::vector<float> texels(std::size_t(texture.getWidth()) * 3, -1.0f);
        glBindTexture(GL_TEXTURE_1D, texture.getTextureId());
        glGetTexImage(GL_TEXTURE_1D, 0, GL_RGB, GL_FLOAT, texels.data());
        glBindTexture(GL_TEXTURE_1D, 0);
        return texels;
    }

    /// Runs `body` with the context current, then with none (paths without OpenGL).
    static void withAndWithoutContext(const std::function<void()>& body) {
        for (bool current : {true, false}) {
            SCOPED_TRACE(current ? "with a context" : "without a context");
            if (current)
                ASSERT_TRUE(context->makeCurrent());
            else
                kxHeadlessContext::releaseCurrent();
            body();
        }
        ASSERT_TRUE(context->makeCurrent());
    }

private:
    std::vector<osg::FieldContainerPtr> _held;
};

} // namespace ubercam::test

#endif
