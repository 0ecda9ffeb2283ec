// The dispatcher, driven through the record like a host, against effects
// that record which operation each opcode reaches; the base-class defaults;
// and the base editor behind the editor opcodes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "tests/plugin/RecordingEffect.h"
#include "tests/support/TestHost.h"

namespace {

void* const kPtr = reinterpret_cast<void*>(0x1234560);

std::string ptrText(const void* p) { return callText("%p", p); }

struct DispatchRow {
    int32_t opcode;
    int32_t index;
    intptr_t value;
    float opt;
    intptr_t answer;
    std::vector<std::string> calls;  // "@" stands for kPtr
};

std::string withPtr(std::string call) {
    const std::size_t at = call.find('@');
    if (at != std::string::npos) call.replace(at, 1, ptrText(kPtr));
    return call;
}

class Dispatcher : public ::testing::Test {
protected:
    CallLog log;
    RecordingEffect* effect = new RecordingEffect(log);
    HostedEffect host{effect->getAEffect()};
};

TEST_F(Dispatcher, EveryOpcodeReachesItsOperationWithItsArguments) {
    const DispatchRow rows[] = {
        {effOpen, 5, 6, 0.5f, 0, {"open()"}},
        {effClose, 5, 6, 0.5f, 0, {"close()"}},  // the object's own dispatcher: 0
        {effSetProgram, 9, 2, 0.0f, 0, {"setProgram(2)"}},
        {effGetProgram, 0, 0, 0.0f, 77, {"getProgram()"}},
        {effSetProgramName, 3, 4, 0.0f, 0, {"setProgramName(@)"}},
        {effGetProgramName, 3, 4, 0.0f, 0, {"getProgramName(@)"}},
        {effGetParamLabel, 2, 8, 0.0f, 0, {"getParamLabel(2, @)"}},
        {effGetParamDisplay, -3, 8, 0.0f, 0, {"getParamDisplay(-3, @)"}},
        {effGetParamName, 1, 8, 0.0f, 0, {"getParamName(1, @)"}},
        {effGetVu, 0, 0, 0.0f, 0, {"getVu()"}},
        {effSetSampleRate, 1, 2, 48000.0f, 0, {"setSampleRate(48000)"}},
        {effSetBlockSize, 1, 512, 3.0f, 0, {"setBlockSize(512)"}},
        {effMainsChanged, 0, 0, 0.0f, 0, {"suspend()"}},
        {effMainsChanged, 0, 1, 0.0f, 0, {"resume()"}},
        {effMainsChanged, 0, 7, 0.0f, 0, {"resume()"}},
        {effMainsChanged, 0, -1, 0.0f, 0, {"resume()"}},
        {effEditGetRect, 0, 0, 0.0f, 0, {}},  // no editor
        {effEditOpen, 0, 0, 0.0f, 0, {}},
        {effEditClose, 0, 0, 0.0f, 0, {}},
        {effEditDraw, 1, 1, 1.0f, 0, {}},
        {effEditMouse, 1, 1, 1.0f, 0, {}},
        {effEditKey, 1, 1, 1.0f, 0, {}},
        {effEditIdle, 0, 0, 0.0f, 0, {}},
        {effEditTop, 1, 1, 1.0f, 0, {}},
        {effEditSleep, 1, 1, 1.0f, 0, {}},
        {effIdentify, 0, 0, 0.0f, 0x4E764566, {}},
        {effGetChunk, 0, 0, 0.0f, 64, {"getChunk(@, 0)"}},
        {effGetChunk, 1, 0, 0.0f, 64, {"getChunk(@, 1)"}},
        {effGetChunk, -2, 0, 0.0f, 64, {"getChunk(@, 1)"}},
        {effSetChunk, 0, 64, 0.0f, 65, {"setChunk(@, 64, 0)"}},
        {effSetChunk, 3, 12, 0.0f, 65, {"setChunk(@, 12, 1)"}},
        // Outside the table: nothing is called.
        {25, 1, 1, 1.0f, 0, {}},
        {100, 1, 1, 1.0f, 0, {}},
        {-1, 1, 1, 1.0f, 0, {}},
        {std::numeric_limits<int32_t>::min(), 1, 1, 1.0f, 0, {}},
    };
    for (const DispatchRow& row : rows) {
        log.clear();
        // effClose through the record would delete the effect: call the
        // object's own dispatcher for that one row.
        const intptr_t answer =
            row.opcode == effClose
                ? effect->dispatcher(row.opcode, row.index, row.value, kPtr, row.opt)
                : host.dispatch(row.opcode, row.index, row.value, kPtr, row.opt);
        std::vector<std::string> expected;
        for (const std::string& call : row.calls) expected.push_back(withPtr(call));
        EXPECT_EQ(answer, row.answer) << "opcode " << row.opcode << " value " << row.value;
        EXPECT_EQ(log, expected) << "opcode " << row.opcode << " value " << row.value;
    }
}

TEST_F(Dispatcher, VuIsScaledTo32767AndTruncatedTowardZero) {
    struct Row { float vu; int32_t answer; };
    const Row rows[] = {
        {0.0f, 0}, {0.5f, 16383}, {1.0f, 32767}, {-0.5f, -16383}, {2.0f, 65534},
        // Levels whose product leaves the int32 range saturate; not a number reads 0.
        {1e10f, std::numeric_limits<int32_t>::max()},
        {-1e10f, std::numeric_limits<int32_t>::min()},
        {INFINITY, std::numeric_limits<int32_t>::max()},
        {std::numeric_limits<float>::quiet_NaN(), 0},
    };
    for (const Row& r : rows) {
        effect->vu = r.vu;
        EXPECT_EQ(host.dispatch(effGetVu), r.answer) << r.vu;
    }
}

// A 64-bit host's value: beyond the int32 range it saturates where the
// operation takes an int32 (a chunk of 4 GiB + 64 bytes is no 64-byte
// chunk), and it is tested whole where only zero or a range counts.
TEST_F(Dispatcher, PointerSizedValuesAreNotCutTo32Bits) {
    if (sizeof(intptr_t) == 4) GTEST_SKIP() << "values are 32-bit on this target";
    const int64_t big = int64_t{1} << 32;
    const DispatchRow rows[] = {
        {effSetChunk, 0, static_cast<intptr_t>(big + 64), 0.0f, 65, {"setChunk(@, 2147483647, 0)"}},
        {effSetBlockSize, 0, static_cast<intptr_t>(big + 512), 0.0f, 0, {"setBlockSize(2147483647)"}},
        {effSetBlockSize, 0, static_cast<intptr_t>(-big), 0.0f, 0, {"setBlockSize(-2147483648)"}},
        {effMainsChanged, 0, static_cast<intptr_t>(big), 0.0f, 0, {"resume()"}},
        {effSetProgram, 0, static_cast<intptr_t>(big + 1), 0.0f, 0, {}},
    };
    for (const DispatchRow& row : rows) {
        log.clear();
        EXPECT_EQ(host.dispatch(row.opcode, row.index, row.value, kPtr, row.opt), row.answer);
        std::vector<std::string> expected;
        for (const std::string& call : row.calls) expected.push_back(withPtr(call));
        EXPECT_EQ(log, expected) << "opcode " << row.opcode;
    }
}

TEST_F(Dispatcher, SetProgramOutsideZeroToNumProgramsIsIgnored) {
    ASSERT_EQ(effect->numPrograms, 4);
    for (int32_t program : {-1, 4, 5, std::numeric_limits<int32_t>::min(),
                            std::numeric_limits<int32_t>::max()}) {
        EXPECT_EQ(host.dispatch(effSetProgram, 0, program), 0);
    }
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(effect->curProgram, 0);
    host.dispatch(effSetProgram, 0, 3);
    EXPECT_EQ(effect->curProgram, 3);
}

TEST_F(Dispatcher, EditorOpcodesWithoutEditorLeaveTheHostsDataAlone) {
    ASSERT_EQ(effect->editor, nullptr);
    ERect hostRect{1, 2, 3, 4};
    ERect* rectPointer = &hostRect;
    EXPECT_EQ(host.dispatch(effEditGetRect, 0, 0, &rectPointer), 0);
    EXPECT_EQ(rectPointer, &hostRect);
    EXPECT_EQ(host.dispatch(effEditOpen, 0, 0, kPtr), 0);
    EXPECT_EQ(host.dispatch(effEditIdle), 0);
    EXPECT_EQ(host.dispatch(effEditClose), 0);
    EXPECT_TRUE(log.empty());
}

TEST_F(Dispatcher, EditorOpcodesReachTheEditor) {
    new RecordingEditor(effect, log);  // attaches itself; the effect owns it
    ERect* rect = nullptr;
    EXPECT_EQ(host.dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->bottom, 93);
    EXPECT_EQ(rect->right, 549);
    EXPECT_EQ(host.dispatch(effEditOpen, 3, 4, kPtr), 1);
    EXPECT_EQ(host.dispatch(effEditIdle), 0);
    EXPECT_EQ(host.dispatch(effEditClose), 0);
    EXPECT_EQ(host.dispatch(effEditDraw, 0, 0, &rect), 0);
    const CallLog expected = {"editor getRect(" + ptrText(&rect) + ")",
                              "editor open(" + ptrText(kPtr) + ")", "editor idle()",
                              "editor close()"};
    EXPECT_EQ(log, expected);
}

// ---- the base class's defaults ----

class Defaults : public ::testing::Test {
protected:
    MinimalEffect* effect = new MinimalEffect(nullptr, 2, 1);
    HostedEffect host{effect->getAEffect()};
};

TEST_F(Defaults, TextOperationsWriteAnEmptyTextOfOneByte) {
    for (int32_t opcode : {effGetProgramName, effGetParamLabel, effGetParamDisplay,
                           effGetParamName}) {
        char text[8] = {'x', 'y', 'z', 'w', 0, 0, 0, 0};
        EXPECT_EQ(host.dispatch(opcode, 0, 0, text), 0);
        EXPECT_EQ(text[0], '\0') << "opcode " << opcode;
        EXPECT_EQ(text[1], 'y') << "opcode " << opcode;
        EXPECT_EQ(host.dispatch(opcode, 0, 0, nullptr), 0);  // no buffer: nothing written
    }
}

TEST_F(Defaults, SetProgramNameNeverWritesIntoTheHostsName) {
    // The name is the host's input; it may live in read-only memory.
    static const char kName[] = "Host name";
    EXPECT_EQ(host.dispatch(effSetProgramName, 0, 0, const_cast<char*>(kName)), 0);
    EXPECT_STREQ(kName, "Host name");
}

TEST_F(Defaults, ProgramSampleRateAndBlockSizeAreStoredAndAnswered) {
    EXPECT_EQ(host.dispatch(effGetProgram), 0);
    host.dispatch(effSetProgram, 0, 1);
    EXPECT_EQ(host.dispatch(effGetProgram), 1);

    EXPECT_EQ(effect->getSampleRate(), 44100.0f);
    EXPECT_EQ(effect->getBlockSize(), 1024);
    host.dispatch(effSetSampleRate, 0, 0, nullptr, 96000.0f);
    host.dispatch(effSetBlockSize, 0, 256);
    EXPECT_EQ(effect->getSampleRate(), 96000.0f);
    EXPECT_EQ(effect->getBlockSize(), 256);
}

TEST_F(Defaults, ChunkVuParametersAndEngineAnswerNothing) {
    void* data = kPtr;
    EXPECT_EQ(host.dispatch(effGetChunk, 0, 0, &data), 0);
    EXPECT_EQ(host.dispatch(effGetChunk, 1, 0, &data), 0);
    EXPECT_EQ(data, kPtr);  // not written
    EXPECT_EQ(host.dispatch(effSetChunk, 0, 64, kPtr), 0);
    EXPECT_EQ(host.dispatch(effGetVu), 0);
    host.setParameter(0, 0.75f);
    EXPECT_EQ(host.getParameter(0), 0.0f);
    EXPECT_EQ(effect->getEngine(), nullptr);
}

TEST_F(Defaults, ProcessReplacingLeavesTheOutputsAsTheyAre) {
    float in[2] = {1.0f, 2.0f}, out[2] = {3.0f, 4.0f};
    float* inputs[2] = {in, in};
    float* outputs[2] = {out, out};
    host.processReplacing(inputs, outputs, 2);
    EXPECT_EQ(out[0], 3.0f);
    EXPECT_EQ(out[1], 4.0f);
}

// ---- the base editor ----

TEST(EditorBaseTest, ConstructionAttachesToTheEffectAndSetsOnlyTheEditorFlag) {
    MinimalEffect effect(nullptr, 1, 1);
    effect.setCanMono(true);
    EditorBase* editor = new EditorBase(&effect);
    EXPECT_EQ(effect.editor, editor);
    EXPECT_EQ(editor->effect, &effect);
    EXPECT_EQ(effect.getAEffect()->flags, effFlagsHasEditor | effFlagsCanMono);
    EXPECT_EQ(editor->parentWindow, nullptr);
    EXPECT_EQ(editor->updateRequested, 0);
}  // the effect deletes the editor

TEST(EditorBaseTest, BaseAnswersNoRectangleAndNoWindow) {
    MinimalEffect* effect = new MinimalEffect(nullptr, 1, 1);
    EditorBase* editor = new EditorBase(effect);
    HostedEffect host(effect->getAEffect());
    ERect dummy{};
    ERect* rect = &dummy;
    EXPECT_EQ(host.dispatch(effEditGetRect, 0, 0, &rect), 0);
    EXPECT_EQ(rect, nullptr);
    EXPECT_EQ(host.dispatch(effEditGetRect, 0, 0, nullptr), 0);  // nowhere to answer
    const HWND parent = reinterpret_cast<HWND>(0x5678);
    EXPECT_EQ(host.dispatch(effEditOpen, 0, 0, parent), 0);
    EXPECT_EQ(editor->parentWindow, parent);
    EXPECT_EQ(host.dispatch(effEditClose), 0);
    EXPECT_EQ(host.dispatch(effEditIdle), 0);
}

TEST(EditorBaseTest, IdleRunsARequestedUpdateOnce) {
    CallLog log;
    MinimalEffect* effect = new MinimalEffect(nullptr, 1, 1);
    RecordingEditor* editor = new RecordingEditor(effect, log);
    HostedEffect host(effect->getAEffect());

    host.dispatch(effEditIdle);  // idle before any open or request: harmless
    EXPECT_EQ(log, CallLog{"editor idle()"});
    editor->requestUpdate();
    EXPECT_EQ(editor->updateRequested, 1);
    log.clear();
    host.dispatch(effEditIdle);
    host.dispatch(effEditIdle);
    EXPECT_EQ(log, (CallLog{"editor idle()", "editor update()", "editor idle()"}));
    EXPECT_EQ(editor->updateRequested, 0);
}

}  // namespace
