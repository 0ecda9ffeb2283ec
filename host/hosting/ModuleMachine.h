#pragma once
// Which processor a Windows module was built for, read from the machine
// field of its PE header, so that the host can refuse a DLL of the other
// architecture before loading it, in the user's terms. Portable.
#include <cstddef>
#include <cstdint>
#include <string>

// The machine codes of the two builds.
constexpr uint16_t kMachineX86 = 0x014C;
constexpr uint16_t kMachineX64 = 0x8664;

// The machine this program was built for.
constexpr uint16_t kHostMachine = sizeof(void*) == 8 ? kMachineX64 : kMachineX86;

// Bytes of a file's start enough to find the machine field in any module
// the linkers write.
constexpr std::size_t kModuleHeadBytes = 4096;

// The machine field of a module whose first `size` bytes are `head`; 0 when
// they are not the start of a PE module (or too short to tell).
uint16_t moduleMachineOf(const uint8_t* head, std::size_t size);

// "32-bit", "64-bit", or "machine 0x...." for other processors.
std::string machineBits(uint16_t machine);

// Why a host built for `hostMachine` refuses a module built for `machine`,
// naming the module's architecture and the host to use instead; empty when
// the machines agree or the module's machine is unknown (0), in which case
// loading it tells what is wrong.
std::string machineRefusal(uint16_t machine, uint16_t hostMachine);
