#ifndef UBERCAM_TESTS_TONEMAPPING_FIXTURE_H
#define UBERCAM_TESTS_TONEMAPPING_FIXTURE_H

// Tonemapping state tests: one headless context for the suite, a fresh image
// post-processor for each test, cameras (with their settings) and chunks held
// until the end of the test, and a check that nothing the test created is left.

#include "OSGFieldContainerFactory.h"
#include "OSGMaterial.h"
#include "OSGUberCamera.h"
#include "kxColor.h"
#include "kxHeadlessContext.h"
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

class TonemappingTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string error;
        context = kxHeadlessContext::create(&error);
        ASSERT_NE(context, nullptr) << error;
    }
    static void TearDownTestSuite() { context.reset(); }

    void SetUp() override {
        ASSERT_TRUE(context != nullptr && context->makeCurrent());
        *kxImagePostprocessor::getImagePostprocessor() = kxImagePostprocessor();
        // Made on first use and kept for the process: make them before counting.
        osg::getDefaultMaterial();
        kxColor::getMonitorICCProfile().getAttachment();
        _liveBefore = osg::FieldContainerFactory::the()->getNumLiveContainers();
    }

    void TearDown() override {
        for (const osg::FieldContainerPtr& held : _held)
            osg::subRefCP(held);
        EXPECT_EQ(osg::FieldContainerFactory::the()->getNumLiveContainers(), _liveBefore)
            << "a container created by the test is still alive";
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

    static inline std::unique_ptr<kxHeadlessContext> context;

private:
    osg::UInt32 _liveBefore = 0;
    std::vector<osg::FieldContainerPtr> _held;
};

} // namespace ubercam::test

#endif
