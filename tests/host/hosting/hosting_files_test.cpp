// The files a host keeps a plug-in's settings in (chunks and presets), and
// the processor a module was built for.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "host/hosting/ChunkFile.h"
#include "host/hosting/ModuleMachine.h"
#include "host/hosting/PresetFile.h"
#include "tests/host/HostTestData.h"

namespace {

TEST(ChunkFiles, RoundTripAndOnlySixtyFourBytes) {
    LimiterParams p = freshBlock();
    p.reserved[5] = 0xA9;
    p.channel[1].limit = 0.3f;
    std::string error;
    ASSERT_TRUE(writeChunkFile("hosting_files_test.chunk", p, error)) << error;
    LimiterParams back;
    ASSERT_TRUE(readChunkFile("hosting_files_test.chunk", back, error)) << error;
    EXPECT_EQ(std::memcmp(&back, &p, sizeof p), 0);

    const struct {
        size_t size;
        const char* holds;
    } wrongSizes[] = {{0, "0"}, {63, "63"}, {65, "more than 64"}, {10000, "more than 64"}};
    for (const auto& c : wrongSizes) {
        writeBytes("hosting_files_test.chunk", c.size);
        LimiterParams untouched = freshBlock();
        EXPECT_FALSE(readChunkFile("hosting_files_test.chunk", untouched, error));
        EXPECT_NE(error.find(std::string("holds ") + c.holds + " bytes; a Q-Clamper chunk is exactly 64"),
                  std::string::npos)
            << error;
        EXPECT_FLOAT_EQ(untouched.channel[0].velocity, 5.0f);
    }
    std::remove("hosting_files_test.chunk");
    // An endless device is not read to its end.
    EXPECT_FALSE(readChunkFile("/dev/zero", back, error));
    EXPECT_NE(error.find("holds more than 64 bytes"), std::string::npos) << error;
    EXPECT_FALSE(readChunkFile("no-such.chunk", back, error));
    EXPECT_NE(error.find("cannot open chunk file 'no-such.chunk'"), std::string::npos);
    EXPECT_FALSE(readChunkFile(".", back, error));
    EXPECT_EQ(error, "cannot open chunk file '.': it is a folder, not a file");
    EXPECT_FALSE(writeChunkFile("no-such-dir/x.chunk", p, error));
}

// The header as every host writes it: big-endian fields, the name padded
// with zeros; the chunk follows as the plug-in stores it.
TEST(PresetFiles, TheStandardLayoutBothWays) {
    Preset p;
    p.pluginId = 0x4B530002;
    p.pluginVersion = 1;
    p.name = "Mix Bus Glue";
    p.chunk = freshBlock();
    const std::vector<uint8_t> bytes = encodePreset(p);
    ASSERT_EQ(bytes.size(), kPresetFileSize);
    const std::string head(bytes.begin(), bytes.begin() + 40);
    EXPECT_EQ(head, std::string("CcnK\0\0\0\x74" "FPCh\0\0\0\1" "KS\0\2" "\0\0\0\1" "\0\0\0\1" "Mix Bus Glue", 40));
    EXPECT_EQ(std::string(bytes.begin() + 40, bytes.begin() + 60), std::string(16, '\0') + std::string("\0\0\0\x40", 4));
    EXPECT_EQ(std::memcmp(bytes.data() + 60, &p.chunk, 64), 0);

    Preset back;
    std::string error;
    ASSERT_TRUE(decodePreset(bytes.data(), bytes.size(), back, error)) << error;
    EXPECT_EQ(back.pluginId, p.pluginId);
    EXPECT_EQ(back.pluginVersion, 1);
    EXPECT_EQ(back.name, p.name);
    EXPECT_EQ(std::memcmp(&back.chunk, &p.chunk, 64), 0);
    // A name fills at most 27 bytes and keeps its terminator.
    p.name = std::string(40, 'n');
    const std::vector<uint8_t> longName = encodePreset(p);
    EXPECT_EQ(longName[28 + 26], 'n');
    EXPECT_EQ(longName[28 + 27], 0);
    ASSERT_TRUE(decodePreset(longName.data(), longName.size(), back, error)) << error;
    EXPECT_EQ(back.name, std::string(27, 'n'));
    EXPECT_EQ(pluginIdText(0x4E6F4566), "'NoEf'");
}

TEST(ModuleMachine, ReadFromThePeHeaderAndOtherArchitecturesRefused) {
    // A module head: "MZ", the PE header's offset at 0x3C, "PE\0\0", the machine.
    auto head = [](uint32_t peAt, const char* signature, uint16_t machine, size_t size) {
        std::vector<uint8_t> h(size, 0);
        if (size >= 2) h[0] = 'M', h[1] = 'Z';
        for (size_t i = 0; i < 4 && 0x3C + i < size; ++i) h[0x3C + i] = static_cast<uint8_t>(peAt >> (8 * i));
        for (size_t i = 0; i < 4 && peAt + i < size; ++i) h[peAt + i] = static_cast<uint8_t>(signature[i]);
        if (peAt + 5 < size) h[peAt + 4] = machine & 0xFF, h[peAt + 5] = machine >> 8;
        return h;
    };
    const struct {
        std::vector<uint8_t> bytes;
        uint16_t machine;
    } cases[] = {
        {head(0x80, "PE\0\0", kMachineX86, 4096), kMachineX86},
        {head(0x80, "PE\0\0", kMachineX64, 4096), kMachineX64},
        {head(0x80, "PE\0\0", 0xAA64, 0x86), 0xAA64},  // the header at the very end
        {head(0x80, "PE\0\0", kMachineX64, 0x85), 0},  // cut inside the machine field
        {head(0x80, "NE\0\0", kMachineX64, 4096), 0},
        {head(0xFFFFFFF0u, "PE\0\0", kMachineX64, 4096), 0},
        {head(0x80, "PE\0\0", kMachineX64, 0x3F), 0},
        {std::vector<uint8_t>(4096, 'M'), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(moduleMachineOf(c.bytes.data(), c.bytes.size()), c.machine) << c.bytes.size();

    EXPECT_EQ(machineRefusal(kMachineX86, kMachineX86), "");
    EXPECT_EQ(machineRefusal(0, kMachineX64), "");
    EXPECT_EQ(machineRefusal(kMachineX64, kMachineX86),
              "it is a 64-bit DLL and this host is 32-bit: load it with the 64-bit qclamper-host.exe "
              "(build/windows64/bin)");
    EXPECT_EQ(machineRefusal(kMachineX86, kMachineX64),
              "it is a 32-bit DLL and this host is 64-bit: load it with the 32-bit qclamper-host.exe "
              "(build/windows/bin)");
    EXPECT_EQ(machineRefusal(0xAA64, kMachineX64),
              "it is a DLL for another processor (machine 0xAA64) and this host is 64-bit");
}

}  // namespace
