#include "standin_host/value_text.h"
#include "tests/spine/spine_fixture.h"
#include "throw/natives.h"
#include "throw/throw_loop.h"

#include <cstdint>

namespace {

struct ForceCase {
    const char* name;
    float forwardForce;
    float upForce;
    Vector3f forward;
    std::uint32_t x, y, z; // expected single-precision bit patterns
};

// Expected patterns were computed apart from the plug-in, as float products.
const ForceCase forceCases[] = {
    {"start forces along x", 15.0f, 5.0f, {1.0f, 0.0f, 0.0f}, 0x41700000, 0x00000000, 0x40A00000},
    {"off the axes, forward z ignored",
     15.0f,
     5.0f,
     {0.70710677f, -0.70710677f, 0.5f},
     0x4129B4A4,
     0xC129B4A4,
     0x40A00000},
    {"no forward force is purely vertical",
     0.0f,
     5.0f,
     {-0.6f, 0.8f, 0.0f},
     0x80000000,
     0x00000000,
     0x40A00000},
    {"negative forward force pushes backwards",
     -10.0f,
     2.5f,
     {0.6f, 0.8f, 0.9f},
     0xC0C00000,
     0xC1000000,
     0x40200000},
};

class ThrowForceTest : public SpineTest {};

TEST_F(ThrowForceTest, ForceIsForwardTimesForwardForceAndUpForceAlone) {
    for (const ForceCase& c : forceCases) {
        SCOPED_TRACE(c.name);
        fakeHost().reset();
        throwPrompt = ThrowPrompt{};
        throwSettings = ThrowSettings{c.forwardForce, c.upForce};
        answers().character = 7;
        answers().carrying = true;
        answers().carried = 42;
        answers().entityValid = true;
        answers().promptCompleted = true;
        answers().forward = c.forward;

        runThrowPass();

        const RecordedCall& push = fakeHost().calls().back();
        ASSERT_EQ(push.hash, natives::applyForceToEntityCenterOfMass);
        ASSERT_EQ(push.args.size(), 9u);
        EXPECT_EQ(push.args[0], 42u);
        EXPECT_EQ(push.args[2], c.x);
        EXPECT_EQ(push.args[3], c.y);
        EXPECT_EQ(push.args[4], c.z);
    }
}

TEST_F(ThrowForceTest, StartForcesAreFifteenAndFive) {
    EXPECT_EQ(standin::bitsOfFloat(throwSettings.forwardForce), 0x41700000u);
    EXPECT_EQ(standin::bitsOfFloat(throwSettings.upForce), 0x40A00000u);
}

} // namespace
