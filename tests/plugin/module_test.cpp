// The loading path of a plug-in module: LoadLibrary, the attach handler,
// "main" and the record's entry functions across the module boundary.
#include <gtest/gtest.h>

#include "plugin/ModuleInstance.h"
#include "tests/support/TestHost.h"

namespace {

typedef HINSTANCE(QC_CDECL* InstanceQuery)();
typedef int(QC_CDECL* CountQuery)();

class Module : public ::testing::Test {
protected:
    TestHost host;
    PluginModule module{QC_PROBE_MODULE};

    int liveCount() {
        return reinterpret_cast<CountQuery>(
            reinterpret_cast<void*>(module.symbol("probeLiveCount")))();
    }
};

TEST_F(Module, AttachStoresTheModulesOwnInstanceHandle) {
    ASSERT_TRUE(module.loaded()) << "cannot load " << QC_PROBE_MODULE;
    auto query = reinterpret_cast<InstanceQuery>(
        reinterpret_cast<void*>(module.symbol("probeModuleInstance")));
    ASSERT_NE(query, nullptr);
    EXPECT_EQ(query(), module.handle());
    // This program's own copy never saw an attach: it names this program.
    EXPECT_EQ(moduleInstance(), GetModuleHandleA(nullptr));
}

TEST_F(Module, AttachHandlerAnswersSuccessAndStoresOnlyOnProcessAttach) {
    const HINSTANCE before = moduleInstance();
    const HINSTANCE fake = reinterpret_cast<HINSTANCE>(0x10000);
    EXPECT_TRUE(DllMain(fake, DLL_THREAD_ATTACH, nullptr));
    EXPECT_TRUE(DllMain(fake, DLL_PROCESS_DETACH, nullptr));
    EXPECT_EQ(moduleInstance(), before);
    EXPECT_TRUE(DllMain(fake, DLL_PROCESS_ATTACH, nullptr));
    EXPECT_EQ(moduleInstance(), fake);
    setModuleInstance(nullptr);
}

TEST_F(Module, MainAsksTheVersionAndHandsOutARecordTheHostCanDrive) {
    ASSERT_TRUE(module.loaded());
    host.versionAnswer = 2;
    HostedEffect effect(module.instantiate(host));
    ASSERT_TRUE(effect);
    ASSERT_EQ(host.requests.size(), 1u);
    EXPECT_EQ(host.requests[0].effect, nullptr);
    EXPECT_EQ(host.requests[0].opcode, audioMasterVersion);

    const AEffect* record = effect.record();
    EXPECT_EQ(record->magic, kEffectMagic);
    EXPECT_EQ(record->uniqueID, 0x51635072);
    EXPECT_EQ(record->numInputs, 2);
    EXPECT_EQ(record->flags, effFlagsCanReplacing);
    EXPECT_EQ(liveCount(), 1);

    // Floats and integers cross the boundary in both directions.
    EXPECT_EQ(effect.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f), 0);
    EXPECT_EQ(effect.getParameter(0), 48000.0f);
    effect.setParameter(1, -0.75f);
    EXPECT_EQ(effect.getParameter(1), -0.75f);
    EXPECT_EQ(effect.dispatch(effIdentify), 0x4E764566);
    EXPECT_EQ(effect.dispatch(effGetVu), 0);

    float in[3] = {1.0f, -2.0f, 0.5f}, out[3] = {9.0f, 9.0f, 9.0f};
    float* inputs[2] = {in, in};
    float* outputs[2] = {out, out};
    effect.processReplacing(inputs, outputs, 3);
    EXPECT_EQ(out[1], -4.0f);
    effect.process(inputs, outputs, 3);
    EXPECT_EQ(out[1], -6.0f);

    EXPECT_EQ(effect.close(), 1);
    EXPECT_EQ(liveCount(), 0);
}

TEST_F(Module, HostVersionZeroGetsNoEffect) {
    ASSERT_TRUE(module.loaded());
    host.versionAnswer = 0;
    EXPECT_EQ(module.instantiate(host), nullptr);
    EXPECT_EQ(liveCount(), 0);
}

TEST(ModuleLoading, AMissingModuleIsReportedNotLoaded) {
    PluginModule missing("no-such-plugin-module.dll");
    EXPECT_FALSE(missing.loaded());
    TestHost host;
    EXPECT_EQ(missing.instantiate(host), nullptr);
    EXPECT_TRUE(host.requests.empty());
}

}  // namespace
