// Memory in another process, for the control messages whose structures carry pointers (a tree
// view's or a tab control's item texts): the control reads and writes them in its own process.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace window_probe {

class RemoteBuffer {
  public:
    // A buffer of `size` bytes in the process that owns `window`; valid() tells whether it is.
    RemoteBuffer(HWND window, std::size_t size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool valid() const { return address_ != nullptr; }
    // The buffer's address in the other process, at `offset`.
    char* at(std::size_t offset) const { return static_cast<char*>(address_) + offset; }
    bool write(const void* data, std::size_t size, std::size_t offset = 0) const;
    // A NUL-terminated text of at most `size` bytes, from `offset`.
    std::string read_text(std::size_t offset, std::size_t size) const;

  private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

}  // namespace window_probe
