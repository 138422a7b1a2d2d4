// Test programs start the scene graph once, like an application does, and
// shut it down at the end.

#include "OSGInit.h"

#include <gtest/gtest.h>

namespace {

class SceneGraphEnvironment : public ::testing::Environment {
public:
    void SetUp() override { osg::osgInit(0, nullptr); }
    void TearDown() override { osg::osgExit(); }
};

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new SceneGraphEnvironment);
    return RUN_ALL_TESTS();
}
