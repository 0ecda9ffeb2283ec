#pragma once
// An owner that destroys a control from inside the control's own
// notification, and shows whether the control touches its record after
// that. Should the control let go of its record at once, the record's heap
// block is claimed straight back and filled with the record as it was: a
// later write by the control then changes the copy, and a later
// notification reaches the owner again (through the copied target) while
// the window is gone.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "toolkit/ControlData.h"

class OwnerDestroys {
public:
    OwnerDestroys() = default;
    OwnerDestroys(const OwnerDestroys&) = delete;
    OwnerDestroys& operator=(const OwnerDestroys&) = delete;
    ~OwnerDestroys() { release(); }

    // The next report destroys window, whose record is recordSize bytes.
    void arm(HWND window, size_t recordSize) {
        release();
        window_ = window;
        size_ = recordSize;
        armed_ = true;
        reportsAfter_ = 0;
    }

    // Reports destroy nothing and are not watched any more.
    void disarm() {
        armed_ = false;
        window_ = nullptr;
    }

    // Called by the owner's callback on every report.
    void onReport() {
        if (!armed_) {
            if (window_ != nullptr && !IsWindow(window_)) ++reportsAfter_;
            return;
        }
        armed_ = false;
        const char* record = static_cast<const char*>(get_control_data(window_));
        snapshot_.assign(record, record + size_);
        DestroyWindow(window_);
        claim(record);
    }

    // After the message that reported: the window is gone (so it reported,
    // and the system took its capture back) and the control neither wrote
    // into its freed record nor reported again.
    void expectClean(const char* path) const {
        EXPECT_FALSE(IsWindow(window_)) << path;
        EXPECT_EQ(reportsAfter_, 0) << path;
        for (const Claim& c : claims_)
            EXPECT_EQ(std::memcmp(c.block + c.inBlock, snapshot_.data() + c.inRecord, c.size), 0)
                << path << ": the freed record was written";
    }

private:
    // Takes the freed record's memory back from the heap: blocks of the
    // record's size, keeping every one that overlaps the record (the heap
    // may have merged the freed block with a neighbour, so overlaps need not
    // be exact), each filled with its part of the record as it was.
    void claim(const char* record) {
        std::vector<char*> others;
        for (int i = 0; i < 4096; ++i) {
            char* p = static_cast<char*>(std::malloc(size_));
            const char* from = p > record ? p : record;
            const char* to = p + size_ < record + size_ ? p + size_ : record + size_;
            if (from < to) {
                const Claim c = {p, static_cast<size_t>(from - p),
                                 static_cast<size_t>(from - record), static_cast<size_t>(to - from)};
                std::memcpy(p + c.inBlock, snapshot_.data() + c.inRecord, c.size);
                claims_.push_back(c);
            } else {
                others.push_back(p);
            }
        }
        for (char* p : others) std::free(p);
    }
    void release() {
        for (const Claim& c : claims_) std::free(c.block);
        claims_.clear();
    }

    // A block of ours that overlaps the freed record.
    struct Claim {
        char* block;
        size_t inBlock, inRecord, size;
    };
    HWND window_ = nullptr;
    size_t size_ = 0;
    bool armed_ = false;
    int reportsAfter_ = 0;
    std::vector<char> snapshot_;
    std::vector<Claim> claims_;
};
