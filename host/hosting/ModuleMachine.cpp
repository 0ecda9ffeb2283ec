#include "host/hosting/ModuleMachine.h"

#include <cstdio>

#include "host/files/FileBytes.h"

uint16_t moduleMachineOf(const uint8_t* head, std::size_t size) {
    // The DOS header starts "MZ" and holds the PE header's offset at 0x3C;
    // the PE header starts "PE\0\0", then the machine field.
    if (size < 0x40 || head[0] != 'M' || head[1] != 'Z') return 0;
    const uint32_t pe = get32(head + 0x3C);
    if (pe > size || size - pe < 6) return 0;
    if (head[pe] != 'P' || head[pe + 1] != 'E' || head[pe + 2] != 0 || head[pe + 3] != 0) return 0;
    return static_cast<uint16_t>(get16(head + pe + 4));
}

std::string machineBits(uint16_t machine) {
    if (machine == kMachineX86) return "32-bit";
    if (machine == kMachineX64) return "64-bit";
    char text[48];
    std::snprintf(text, sizeof text, "machine 0x%04X", machine);
    return text;
}

std::string machineRefusal(uint16_t machine, uint16_t hostMachine) {
    if (machine == 0 || machine == hostMachine) return "";
    const std::string host = " and this host is " + machineBits(hostMachine);
    if (machine != kMachineX86 && machine != kMachineX64)
        return "it is a DLL for another processor (" + machineBits(machine) + ")" + host;
    const std::string bits = machineBits(machine);
    const char* folder = machine == kMachineX64 ? "build/windows64/bin" : "build/windows/bin";
    return "it is a " + bits + " DLL" + host + ": load it with the " + bits + " qclamper-host.exe (" +
           folder + ")";
}
