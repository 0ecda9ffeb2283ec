// The effect record as the host reads it, the entry functions behind its
// function pointers, the record setters, the host operations and the value
// texts as virtual operations of the base class.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "plugin/ValueText.h"
#include "tests/plugin/RecordingEffect.h"
#include "tests/plugin/ValueTextCases.h"
#include "tests/support/RecordView.h"
#include "tests/support/TestHost.h"

namespace {

std::vector<uint8_t> bytesOf(const AEffect& record) {
    const auto* p = reinterpret_cast<const uint8_t*>(&record);
    return std::vector<uint8_t>(p, p + sizeof record);
}

using namespace record_view;

TEST(Record, ReadsByteForByteAfterConstruction) {
    TestHost host;
    MinimalEffect effect(TestHost::callback(), 3, 7);
    const AEffect& record = *effect.getAEffect();
    ASSERT_EQ(sizeof record, kRecordSize);
    const std::vector<uint8_t> bytes = bytesOf(record);

    // The entry functions are the module's own, where the host reads them;
    // every other byte is fixed.
    EXPECT_EQ(function<AEffectDispatcherProc>(bytes.data(), kDispatcher), record.dispatcher);
    EXPECT_EQ(function<AEffectProcessProc>(bytes.data(), kProcess), record.process);
    EXPECT_EQ(function<AEffectSetParameterProc>(bytes.data(), kSetParameter), record.setParameter);
    EXPECT_EQ(function<AEffectGetParameterProc>(bytes.data(), kGetParameter), record.getParameter);
    EXPECT_EQ(function<AEffectProcessProc>(bytes.data(), kProcessReplacing), record.processReplacing);
    std::vector<uint8_t> expected(kRecordSize, 0);
    for (Field f : kEntryFunctions) {
        EXPECT_NE(get(bytes.data(), f), 0u) << "entry function at " << f.at();
        put(expected, f, get(bytes.data(), f));
    }
    const uint8_t magic[4] = {0x50, 0x74, 0x73, 0x56};
    std::memcpy(&expected[kMagic.at()], magic, 4);
    put(expected, kNumPrograms, 3);
    put(expected, kNumParams, 7);
    put(expected, kNumInputs, 1);
    put(expected, kNumOutputs, 2);
    const uint8_t ioRatio[4] = {0x00, 0x00, 0x80, 0x3F};  // 1.0f
    std::memcpy(&expected[kIoRatio.at()], ioRatio, 4);
    put(expected, kObject, reinterpret_cast<uintptr_t>(&effect));
    const uint8_t uniqueID[4] = {0x66, 0x45, 0x6F, 0x4E};
    std::memcpy(&expected[kUniqueID.at()], uniqueID, 4);
    put(expected, kVersion, 1);
    EXPECT_EQ(bytes, expected);  // the double-precision slot and the reserved words stay zero

    EXPECT_EQ(static_cast<PluginBase*>(record.object), &effect);
    EXPECT_EQ(effect.sampleRate, 44100.0f);
    EXPECT_EQ(effect.editor, nullptr);
    EXPECT_EQ(effect.hostCallback, TestHost::callback());
    EXPECT_EQ(effect.numPrograms, 3);
    EXPECT_EQ(effect.numParams, 7);
    EXPECT_EQ(effect.curProgram, 0);
    EXPECT_EQ(effect.blockSize, 1024);
    EXPECT_TRUE(host.requests.empty());  // construction asks the host nothing
}

TEST(Record, EntryFunctionsPassTheirArgumentsUnchanged) {
    CallLog log;
    auto* effect = new RecordingEffect(log);
    effect->parameterAnswer = -2.5f;
    AEffect* record = effect->getAEffect();
    float a = 0, b = 0;
    float* inputs[1] = {&a};
    float* outputs[1] = {&b};

    record->process(record, inputs, outputs, 17);
    record->processReplacing(record, inputs, outputs, -3);
    record->setParameter(record, 2, 0.125f);
    EXPECT_EQ(record->getParameter(record, 5), -2.5f);
    EXPECT_EQ(record->dispatcher(record, effSetSampleRate, 0, 0, nullptr, 22050.0f), 0);
    const CallLog expected = {
        callText("process(%p, %p, 17)", static_cast<void*>(inputs), static_cast<void*>(outputs)),
        callText("processReplacing(%p, %p, -3)", static_cast<void*>(inputs),
                 static_cast<void*>(outputs)),
        "setParameter(2, 0.125)", "getParameter(5)", "setSampleRate(22050)"};
    EXPECT_EQ(log, expected);

    log.clear();
    EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(log, (CallLog{"close()", "destroyed"}));
}

TEST(Record, CloseDestroysTheEditorAfterTheEffectsOwnParts) {
    CallLog log;
    auto* effect = new RecordingEffect(log);
    new RecordingEditor(effect, log);
    HostedEffect host(effect->getAEffect());
    EXPECT_EQ(host.close(), 1);
    EXPECT_EQ(log, (CallLog{"close()", "destroyed", "editor destroyed"}));
}

// ---- setters ----

using BoolSetter = void (PluginBase::*)(bool);
using IntSetter = void (PluginBase::*)(int32_t);

TEST(Setters, EachFlagSetterChangesOnlyItsOwnBit) {
    struct Row { BoolSetter set; int32_t bit; };
    const Row rows[] = {
        {&PluginBase::setHasClip, effFlagsHasClip},
        {&PluginBase::setHasVu, effFlagsHasVu},
        {&PluginBase::setCanMono, effFlagsCanMono},
        {&PluginBase::setCanReplacing, effFlagsCanReplacing},
        {&PluginBase::setProgramChunks, effFlagsProgramChunks},
    };
    MinimalEffect effect(nullptr, 1, 1);
    AEffect& record = *effect.getAEffect();
    for (const Row& r : rows) {
        for (int32_t before : {0, -1, 0x15, 0x2A, 0x39}) {
            record.flags = before;
            const std::vector<uint8_t> untouched = bytesOf(record);
            (effect.*r.set)(true);
            EXPECT_EQ(record.flags, before | r.bit) << "bit " << r.bit << " from " << before;
            (effect.*r.set)(false);
            EXPECT_EQ(record.flags, before & ~r.bit) << "bit " << r.bit << " from " << before;
            (effect.*r.set)((before & r.bit) != 0);
            EXPECT_EQ(bytesOf(record), untouched) << "bit " << r.bit << " from " << before;
        }
    }
}

TEST(Setters, EachFieldSetterWritesOnlyItsField) {
    struct Row { IntSetter set; Field field; };
    const Row rows[] = {
        {&PluginBase::setUniqueID, kUniqueID},
        {&PluginBase::setNumInputs, kNumInputs},
        {&PluginBase::setNumOutputs, kNumOutputs},
        {&PluginBase::setRealQualities, kRealQualities},
        {&PluginBase::setOffQualities, kOffQualities},
        {&PluginBase::setInitialDelay, kInitialDelay},
    };
    MinimalEffect effect(nullptr, 1, 1);
    const AEffect& record = *effect.getAEffect();
    for (const Row& r : rows) {
        std::vector<uint8_t> expected = bytesOf(record);
        (effect.*r.set)(static_cast<int32_t>(0x81234567u));
        put(expected, r.field, 0x81234567u);
        EXPECT_EQ(bytesOf(record), expected) << "field at " << r.field.at();
    }
}

// ---- host operations ----

struct HostRow {
    const char* name;
    std::function<int32_t(PluginBase&)> call;  // the operation's result as int32
    int32_t opcode, index, value;
    float opt;
};

const HostRow kHostOperations[] = {
    {"getHostVersion", [](PluginBase& e) { return e.getHostVersion(); },
     audioMasterVersion, 0, 0, 0.0f},
    {"getHostCurrentId", [](PluginBase& e) { return e.getHostCurrentId(); },
     audioMasterCurrentId, 0, 0, 0.0f},
    {"hostIdle", [](PluginBase& e) { e.hostIdle(); return -1; },
     audioMasterIdle, 0, 0, 0.0f},
    {"inputConnected", [](PluginBase& e) { return int32_t(e.inputConnected(3)); },
     audioMasterPinConnected, 3, 0, 0.0f},
    {"outputConnected", [](PluginBase& e) { return int32_t(e.outputConnected(1)); },
     audioMasterPinConnected, 1, 1, 0.0f},
    {"setAndAutomateParameter",
     [](PluginBase& e) { e.setAndAutomateParameter(6, 0.375f); return -1; },
     audioMasterAutomate, 6, 0, 0.375f},
};

TEST(HostOperations, SendTheirRequestAndInterpretTheAnswer) {
    // Expected results for host answers 0, 1 and 42, and without a host;
    // -1 stands for "no result".
    const int32_t results[][4] = {
        {1, 1, 42, 1},     // version: 0 reads as 1
        {0, 1, 42, 0},     // current id: unchanged
        {-1, -1, -1, -1},  // idle
        {1, 0, 0, 1},      // input: 0 means connected
        {1, 0, 0, 1},      // output
        {-1, -1, -1, -1},  // automate
    };
    const int32_t answers[] = {0, 1, 42};
    for (std::size_t row = 0; row < std::size(kHostOperations); ++row) {
        const HostRow& op = kHostOperations[row];
        for (int a = 0; a < 3; ++a) {
            TestHost host;
            host.versionAnswer = host.currentIdAnswer = host.pinAnswer = host.otherAnswer =
                answers[a];
            MinimalEffect effect(TestHost::callback(), 1, 1);
            EXPECT_EQ(op.call(effect), results[row][a]) << op.name << ", host answers " << answers[a];
            ASSERT_EQ(host.requests.size(), 1u) << op.name;
            const TestHost::Request& r = host.requests[0];
            EXPECT_EQ(r.effect, effect.getAEffect()) << op.name;
            EXPECT_EQ(r.opcode, op.opcode) << op.name;
            EXPECT_EQ(r.index, op.index) << op.name;
            EXPECT_EQ(r.value, op.value) << op.name;
            EXPECT_EQ(r.ptr, nullptr) << op.name;
            EXPECT_EQ(r.opt, op.opt) << op.name;
        }
        TestHost bystander;  // must hear nothing
        MinimalEffect alone(nullptr, 1, 1);
        EXPECT_EQ(op.call(alone), results[row][3]) << op.name << " without a host";
        EXPECT_TRUE(bystander.requests.empty()) << op.name;
    }
}

TEST(HostOperations, AutomationSetsTheParameterFirstWithOrWithoutAHost) {
    CallLog log;
    {
        TestHost host;
        RecordingEffect effect(log, TestHost::callback());
        effect.setAndAutomateParameter(2, 0.5f);
        ASSERT_EQ(host.requests.size(), 1u);
        EXPECT_EQ(log, CallLog{"setParameter(2, 0.5)"});
    }
    log.clear();
    RecordingEffect alone(log, nullptr);
    alone.setAndAutomateParameter(4, 0.25f);
    EXPECT_EQ(log, CallLog{"setParameter(4, 0.25)"});
}

// ---- value texts as virtual operations ----

class BaseValueText : public ::testing::TestWithParam<TextCase> {};

TEST_P(BaseValueText, MatchesTheTable) {
    const TextCase& c = GetParam();
    MinimalEffect effect(nullptr, 1, 1);
    effect.sampleRate = c.sampleRate;
    char text[16];
    std::memset(text, 0x7F, sizeof text);
    const float value = static_cast<float>(c.argument);
    switch (c.op) {
    case TextOp::Float: effect.formatFloat(value, text); break;
    case TextOp::Decibels: effect.formatDecibels(value, text); break;
    case TextOp::Hertz: effect.formatHertz(value, text); break;
    case TextOp::Milliseconds: effect.formatMilliseconds(value, text); break;
    case TextOp::Integer: effect.formatInteger(static_cast<int32_t>(c.argument), text); break;
    }
    EXPECT_STREQ(text, c.expected);
    for (int i = kValueTextSize; i < 16; ++i) EXPECT_EQ(text[i], 0x7F) << "byte " << i;
}

INSTANTIATE_TEST_SUITE_P(Table, BaseValueText, ::testing::ValuesIn(kTextCases));

TEST(BaseValueTextOverrides, CompositeTextsGoThroughTheVirtualOperations) {
    // An effect with its own float text and its own idea of the sample rate.
    class Custom : public MinimalEffect {
    public:
        Custom() : MinimalEffect(nullptr, 1, 1) {}
        void formatFloat(float value, char* text) override {
            std::snprintf(text, kValueTextSize, "<%g>", value);
        }
        float getSampleRate() override { return 1000.0f; }
    } effect;
    char text[16];
    effect.formatDecibels(10.0f, text);
    EXPECT_STREQ(text, "<20>");
    effect.formatHertz(4.0f, text);
    EXPECT_STREQ(text, "<250>");
    effect.formatMilliseconds(500.0f, text);
    EXPECT_STREQ(text, "<500>");
    effect.formatDecibels(0.0f, text);  // no level: the fixed text, no float
    EXPECT_STREQ(text, "  -oo   ");
}

// ---- slot order ----

// The index of a virtual operation in the object's table of operations, read
// from the pointer to member (the ABI stores 1 + the byte offset in the table).
template <typename Member>
int slotOf(Member member) {
    struct Raw { uintptr_t ptr; ptrdiff_t adjust; } raw;
    static_assert(sizeof(Member) == sizeof(Raw), "pointer to member layout");
    std::memcpy(&raw, &member, sizeof raw);
    return static_cast<int>((raw.ptr - 1) / sizeof(void*));
}

TEST(SlotOrder, OperationsFollowTheFixedOrder) {
    // The destructor takes the first two entries of the table in this ABI,
    // so operation n (counting the destructor as 0) sits at index n + 1.
    const int slots[] = {
        slotOf(&PluginBase::setParameter), slotOf(&PluginBase::getParameter),
        slotOf(&PluginBase::setAndAutomateParameter), slotOf(&PluginBase::process),
        slotOf(&PluginBase::processReplacing), slotOf(&PluginBase::dispatcher),
        slotOf(&PluginBase::open), slotOf(&PluginBase::close),
        slotOf(&PluginBase::getProgram), slotOf(&PluginBase::setProgram),
        slotOf(&PluginBase::setProgramName), slotOf(&PluginBase::getProgramName),
        slotOf(&PluginBase::getParamLabel), slotOf(&PluginBase::getParamDisplay),
        slotOf(&PluginBase::getParamName), slotOf(&PluginBase::getVu),
        slotOf(&PluginBase::getChunk), slotOf(&PluginBase::setChunk),
        slotOf(&PluginBase::setSampleRate), slotOf(&PluginBase::setBlockSize),
        slotOf(&PluginBase::suspend), slotOf(&PluginBase::resume),
        slotOf(&PluginBase::setUniqueID), slotOf(&PluginBase::setNumInputs),
        slotOf(&PluginBase::setNumOutputs), slotOf(&PluginBase::setHasVu),
        slotOf(&PluginBase::setHasClip), slotOf(&PluginBase::setCanMono),
        slotOf(&PluginBase::setCanReplacing), slotOf(&PluginBase::setProgramChunks),
        slotOf(&PluginBase::setRealQualities), slotOf(&PluginBase::setOffQualities),
        slotOf(&PluginBase::setInitialDelay), slotOf(&PluginBase::getSampleRate),
        slotOf(&PluginBase::getBlockSize), slotOf(&PluginBase::getHostVersion),
        slotOf(&PluginBase::getHostCurrentId), slotOf(&PluginBase::hostIdle),
        slotOf(&PluginBase::inputConnected), slotOf(&PluginBase::outputConnected),
        slotOf(&PluginBase::formatDecibels), slotOf(&PluginBase::formatHertz),
        slotOf(&PluginBase::formatMilliseconds), slotOf(&PluginBase::formatFloat),
        slotOf(&PluginBase::formatInteger), slotOf(&PluginBase::getEngine),
    };
    ASSERT_EQ(std::size(slots), 46u);  // 47 with the destructor
    for (int n = 1; n <= 46; ++n) EXPECT_EQ(slots[n - 1], n + 1) << "operation " << n;

    const int editorSlots[] = {
        slotOf(&EditorBase::getRect), slotOf(&EditorBase::open), slotOf(&EditorBase::close),
        slotOf(&EditorBase::idle), slotOf(&EditorBase::update),
        slotOf(&EditorBase::requestUpdate),
    };
    for (int n = 1; n <= 6; ++n) EXPECT_EQ(editorSlots[n - 1], n + 1) << "editor operation " << n;
}

}  // namespace
