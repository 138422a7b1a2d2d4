#ifndef UBERCAM_TESTS_HEADLESS_CONTEXT_TEST_H
#define UBERCAM_TESTS_HEADLESS_CONTEXT_TEST_H

// Tests on real OpenGL: one headless context per suite, current in every test,
// and a check that no container a test made outlives it.

#include "OSGFieldContainerFactory.h"
#include "OSGMaterial.h"
#include "kxColor.h"
#include "kxHeadlessContext.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace ubercam::test {

class HeadlessContextTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string error;
        context = kxHeadlessContext::create(&error);
        ASSERT_NE(context, nullptr) << error;
    }
    static void TearDownTestSuite() { context.reset(); }

    void SetUp() override {
        ASSERT_TRUE(context != nullptr && context->makeCurrent());
        // Made on first use and kept for the process: make them before counting.
        osg::getDefaultMaterial();
        kxColor::getMonitorICCProfile().getAttachment();
        _liveBefore = osg::FieldContainerFactory::the()->getNumLiveContainers();
    }
    /// Derived fixtures release what they hold first.
    void TearDown() override {
        EXPECT_EQ(osg::FieldContainerFactory::the()->getNumLiveContainers(), _liveBefore)
            << "a container created by the test is still alive";
    }

    static inline std::unique_ptr<kxHeadlessContext> context;

private:
    osg::UInt32 _liveBefore = 0;
};

} // namespace ubercam::test

#endif
