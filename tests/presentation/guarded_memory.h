// Bytes laid at the very end of readable memory, so that a read one byte past them faults.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>

class GuardedMemory {
  public:
    // `size` bytes whose last one is followed by an unreadable page.
    explicit GuardedMemory(size_t size) {
        const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
        const size_t readable = (size + page - 1) / page * page;
        length_ = readable + page;
        void* p =
            mmap(nullptr, length_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED) return;
        base_ = static_cast<uint8_t*>(p);
        if (mprotect(base_ + readable, page, PROT_NONE) != 0) return;
        data_ = base_ + readable - size;
    }
    ~GuardedMemory() {
        if (base_ != nullptr) munmap(base_, length_);
    }
    GuardedMemory(const GuardedMemory&) = delete;
    GuardedMemory& operator=(const GuardedMemory&) = delete;

    // Null when the memory could not be had.
    uint8_t* data() const { return data_; }

  private:
    uint8_t* base_ = nullptr;
    uint8_t* data_ = nullptr;
    size_t length_ = 0;
};
