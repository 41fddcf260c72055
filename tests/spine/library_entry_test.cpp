#include "plugin/key_state_table.h"
#include "plugin/library_entry.h"
#include "plugin/script_entry.h"
#include "tests/spine/spine_fixture.h"

namespace {

class LibraryEntryTest : public SpineTest {
  protected:
    int moduleStandIn = 0;
    ModuleHandle module = &moduleStandIn;
};

TEST_F(LibraryEntryTest, AttachRegistersScriptThenKeyboardHandler) {
    EXPECT_EQ(handleLibraryEvent(module, libraryAttached), 1);
    EXPECT_PRED_FORMAT2(sameCalls, trace(),
                        (Lines{"scriptRegister(module)", "keyboardHandlerRegister(handler)"}));
    EXPECT_EQ(fakeHost().registeredModule(), module);
    EXPECT_EQ(fakeHost().registeredScript(), &scriptEntry);
    EXPECT_EQ(fakeHost().registeredKeyboardHandler(), &recordKeyEvent);
}

TEST_F(LibraryEntryTest, DetachUnregistersWithTheSameModuleAndHandler) {
    handleLibraryEvent(module, libraryAttached);
    trace();
    EXPECT_EQ(handleLibraryEvent(module, libraryDetached), 1);
    // The host records a fault for a module or handler other than the registered one.
    EXPECT_PRED_FORMAT2(sameCalls, trace(),
                        (Lines{"scriptUnregister(module)", "keyboardHandlerUnregister(handler)"}));
}

TEST_F(LibraryEntryTest, ThreadNotificationsCallNothing) {
    for (std::uint32_t reason : {2u, 3u}) {
        EXPECT_EQ(handleLibraryEvent(module, reason), 1);
    }
    EXPECT_PRED_FORMAT2(sameCalls, trace(), Lines{});
}

TEST_F(LibraryEntryTest, RegisteredHandlerRecordsKeys) {
    handleLibraryEvent(module, libraryAttached);
    fakeHost().registeredKeyboardHandler()(200, 1, 0, 0, 1, 1, 1);
    EXPECT_EQ(keyStateTable[200].transitionState, 1);
    handleLibraryEvent(module, libraryDetached);
}

} // namespace
