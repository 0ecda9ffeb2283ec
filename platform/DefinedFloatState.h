#pragma once
// The processor's floating-point state that every result of the plug-in and
// its controls is defined in, set for the length of one call (an entry point,
// a control's message) and the caller's state given back on return. Hosts set
// the state of their threads as they like (flush-to-zero and denormals-are-
// zero, another rounding mode, the x87 precision at 24 bits), and the plug-in
// runs on those threads.
//
// The defined state is what a program built with this tool chain starts in,
// in both builds: MXCSR 0x1F80 (every exception masked, round to nearest,
// denormals kept) and x87 control word 0x037F (every exception masked, 64-bit
// precision, round to nearest). The maths library computes pow and log10
// with x87 instructions in both builds; the rest of the arithmetic is SSE.
//
// The state is read on entry and written only where it differs, so a caller
// already in it pays two reads. Elsewhere than x86 the guard does nothing.
#include <cstdint>

#if defined(__i386__) || defined(__x86_64__)
#include <xmmintrin.h>
#define QC_X86_FLOAT_STATE 1
#endif

constexpr uint32_t kDefinedMxcsr = 0x1F80;
constexpr uint16_t kDefinedX87Control = 0x037F;

// What a call computes with. The audio path uses no x87 instruction, so a
// block leaves the x87 control word as the host set it.
enum class FloatUnits : uint8_t { Sse, SseAndX87 };

class DefinedFloatState {
public:
    explicit DefinedFloatState(FloatUnits units = FloatUnits::SseAndX87) {
#ifdef QC_X86_FLOAT_STATE
        callerMxcsr_ = _mm_getcsr();
        // The low six bits are the sticky exception flags, not settings.
        mxcsrSet_ = (callerMxcsr_ & ~0x3Fu) != kDefinedMxcsr;
        if (mxcsrSet_) _mm_setcsr(kDefinedMxcsr);
        if (units == FloatUnits::SseAndX87) {
            __asm__ __volatile__("fnstcw %0" : "=m"(callerX87_));
            // Bits 6 and 12 (reserved, infinity control) change nothing.
            x87Set_ = (callerX87_ & 0x0F3F) != (kDefinedX87Control & 0x0F3F);
            if (x87Set_) loadX87(kDefinedX87Control);
        }
#else
        (void)units;
#endif
    }

    ~DefinedFloatState() {
#ifdef QC_X86_FLOAT_STATE
        if (mxcsrSet_) _mm_setcsr(callerMxcsr_);
        if (x87Set_) loadX87(callerX87_);
#endif
    }

    DefinedFloatState(const DefinedFloatState&) = delete;
    DefinedFloatState& operator=(const DefinedFloatState&) = delete;

private:
#ifdef QC_X86_FLOAT_STATE
    static void loadX87(uint16_t word) { __asm__ __volatile__("fldcw %0" : : "m"(word)); }

    uint32_t callerMxcsr_ = 0;
    uint16_t callerX87_ = 0;
    bool mxcsrSet_ = false;
    bool x87Set_ = false;
#endif
};
